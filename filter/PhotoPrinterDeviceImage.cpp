// DeviceEntry's side of the page image pipeline: processing a page, placing prints into the
// sheet buffer and sending a sheet.
#include "PhotoPrinterDevice.h"

int DeviceEntry::FreeMediaBuffer() {
    return m_imageBuffer.Free();
}

_tagBITMAPHANDLE* DeviceEntry::MakeImageData(char* pixels, long width, long height, int slot) {
    m_imageBuffer.Alloc(m_mediaInfo);
    m_imageBuffer.m_dpi = m_dpi;
    m_imageBuffer.m_resolutionMode = m_resolutionMode;
    m_imageBuffer.m_paperRotate = m_paperRotate;
    m_imageBuffer.m_border = m_border;
    m_imageBuffer.m_sharpness = m_sharpness;
    m_imageBuffer.m_colorAdjustment = m_colorAdjustment;
    m_imageBuffer.m_gammaR = m_gammaR;
    m_imageBuffer.m_gammaG = m_gammaG;
    m_imageBuffer.m_gammaB = m_gammaB;
    m_imageBuffer.m_brightnessR = m_brightnessR;
    m_imageBuffer.m_brightnessG = m_brightnessG;
    m_imageBuffer.m_brightnessB = m_brightnessB;
    m_imageBuffer.m_contrastR = m_contrastR;
    m_imageBuffer.m_contrastG = m_contrastG;
    m_imageBuffer.m_contrastB = m_contrastB;
    m_imageBuffer.m_saturation = m_saturation;
    return m_imageBuffer.ColorProcess(pixels, width, height, slot);
}

int DeviceEntry::SetImageData(int slot, _tagBITMAPHANDLE* page) {
    return m_imageBuffer.SetImageData(slot, page);
}

int DeviceEntry::SendImageData(int count) {
    DeviceMediaBufferInfo geometry =
        count <= 1 ? m_mediaInfo : GetMultiMediaInfo(&m_mediaInfo, count);
    if (PrintImageData(&geometry) != 1)
        return 0;
    m_imageBuffer.Clear();
    return 1;
}

int DeviceEntry::PrintImageData(DeviceMediaBufferInfo* geometry) {
    SendMediaSize(geometry);
    if (m_imageBuffer.Send(this, geometry) != 0)
        return 0;
    SendCmd("CNTRL", "START", 0, nullptr);
    return 1;
}
