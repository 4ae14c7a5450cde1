// The sheet buffer: up to three prints of one media sheet, each held as
// yellow, magenta and cyan planes, and the colour processing of a page.
#ifndef PHOTOIMAGEBUFFER_H
#define PHOTOIMAGEBUFFER_H

#include <cstdint>

#include "PvkImgLib.h"

#include "OutputSink.h"

// One media layout in printer dots. Records are zero-filled before their
// fields are set, because they are compared as whole records.
struct DeviceMediaBufferInfo {
    int32_t mediaId;
    int32_t mediaCode;
    double widthInch;
    double lengthInch;
    int32_t baseDpi;
    int32_t paperWidthDots;
    int32_t paperLengthDots;
    int32_t borderMarginX;
    int32_t borderMarginY;
    int32_t imageGap;
    int32_t imageWidthDots;
    int32_t imageLengthDots;
    int32_t imageCount;
    int32_t twoInchCut;
    double minFirmware;
    int32_t headWidth;
    int64_t dpiX;
    int64_t dpiY;
    int32_t paperWidth;
    int32_t paperLength;
    int32_t imageWidth;
    int32_t imageLength;
    int32_t imageGapDots;
    int32_t imagesPerMedia;
};

// One tone setting for the red, green and blue channels.
struct ChannelValues {
    int r = 0;
    int g = 0;
    int b = 0;
};

// The job's resolution and image settings, as the device sets them and the colour chain uses
// them for a page.
struct ColorSettings {
    long dpi = 300;          // feed-direction resolution
    long resolutionMode = 0; // 0, 1 or 2
    bool paperRotate = false;
    bool border = false;
    int sharpness = 0;
    bool colorAdjustment = false; // whether the colour values below are applied
    ChannelValues gamma;          // gamma x 100
    ChannelValues brightness;
    ChannelValues contrast;
    int saturation = 0;
};

class PhotoImageBuffer {
  public:
    enum { kSlots = 3, kPlanes = 3 };
    enum { kPlaneY = 0, kPlaneM = 1, kPlaneC = 2 };

    PhotoImageBuffer();
    virtual ~PhotoImageBuffer();
    PhotoImageBuffer(const PhotoImageBuffer&) = delete;
    PhotoImageBuffer& operator=(const PhotoImageBuffer&) = delete;

    int Alloc(DeviceMediaBufferInfo geometry);
    int Clear();
    int Free();
    int SetImageData(int slot, _tagBITMAPHANDLE* page);
    _tagBITMAPHANDLE* ColorProcess(void* pixels, long width, long height, int slot);
    // The same chain with the plain image operations, step by step: the reference the fast
    // chain is tested against.
    _tagBITMAPHANDLE* ColorProcessPlain(void* pixels, long width, long height, int slot);
    // Writes the sheet's three planes to the sink: 0 when all were written, 3 when one was not.
    int Send(OutputSink* sink, DeviceMediaBufferInfo* geometry);

    DeviceMediaBufferInfo m_mediaInfo;
    _tagBITMAPHANDLE m_planes[kSlots][kPlanes];
    // The device's settings, refreshed before every page; border is on until then.
    ColorSettings m_settings;

  private:
    _tagBITMAPHANDLE* RunChain(void* pixels, long width, long height, bool plain);
};

#endif
