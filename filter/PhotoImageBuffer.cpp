#include "PhotoImageBuffer.h"

#include <cstring>

PhotoImageBuffer::PhotoImageBuffer()
    : m_dpi(300), m_resolutionMode(0), m_paperRotate(false), m_border(true), m_sharpness(0),
      m_colorAdjustment(false), m_gammaR(0), m_gammaG(0), m_gammaB(0), m_brightnessR(0),
      m_brightnessG(0), m_brightnessB(0), m_contrastR(0), m_contrastG(0), m_contrastB(0),
      m_saturation(0) {
    std::memset(&m_mediaInfo, 0, sizeof(m_mediaInfo));
    m_mediaInfo.mediaId = -1;
    std::memset(m_planes, 0, sizeof(m_planes));
}

PhotoImageBuffer::~PhotoImageBuffer() {
    Clear();
}

int PhotoImageBuffer::Alloc(DeviceMediaBufferInfo geometry) {
    if (std::memcmp(&geometry, &m_mediaInfo, sizeof(geometry)) != 0)
        m_mediaInfo = geometry;
    return 0;
}

int PhotoImageBuffer::Clear() {
    for (auto& slot : m_planes)
        for (auto& plane : slot)
            IL_FreeBitmap(&plane);
    return 0;
}

int PhotoImageBuffer::Free() {
    return Clear();
}
