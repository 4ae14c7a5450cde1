#ifndef TQ51M_PHOTOPRINTERDEVICE_H
#define TQ51M_PHOTOPRINTERDEVICE_H

#include <cstddef>
#include <cstdint>

#include <cups/cups.h>

#include "Common.h"
#include "OutputSink.h"
// DeviceMediaBufferInfo and the sheet buffer.
#include "PhotoImageBuffer.h"

// One framed printer command in a heap buffer. Plain record: set both fields to null and 0
// before first use and free m_data when done.
struct DeviceCmd {
    char* m_data;
    int m_size;

    // 0 on success, 2 when memory runs out, 3 when group, name or payload do not fit.
    int MakeCmd(const char* group, const char* name, int payloadLen, const void* payload);
};

// One row of the overcoat table; key -1 means none.
struct OverCoatInfo {
    int key;
    int code;
    int flag;
    int reserved;
    double minFirmware;
};

// The filter's printer device: job settings, media geometry, sheet buffer and the command
// stream written to its output sink. Abstract; the model class supplies tables and capabilities.
class DeviceEntry {
  public:
    DeviceEntry();
    virtual ~DeviceEntry();

    // The device object is zero-filled before it is constructed. Null when memory runs out.
    static void* operator new(std::size_t size) noexcept;
    static void operator delete(void* p) noexcept;

    virtual int GetHeadWidth() = 0;
    virtual int SetMediaSize(int numOptions, cups_option_s* options, ppdfile_s* ppd) = 0;
    virtual int SetMediaInfo(DeviceMediaBufferInfo& info, long mediaId, double firmware) = 0;
    virtual DeviceMediaBufferInfo GetMultiMediaInfo(DeviceMediaBufferInfo* info, int count) = 0;
    virtual int GetMultiLayoutNum(const char* jobId) = 0;
    virtual int SetOvercoatFinish(unsigned long finish, double firmware) = 0;
    virtual void SetPaperRotate(int numOptions, cups_option_s* options, ppdfile_s* ppd);
    virtual int GetRemainHalf(const char* jobId);
    virtual bool isSupportDecurl() = 0;
    virtual bool isSupportSysTime() = 0;
    // The same two answers from job information the caller has read already.
    virtual int GetMultiLayoutNum(const JobInfo& info) = 0;
    virtual int GetRemainHalf(const JobInfo& info);

    // Where the command stream goes; the device does not own it. Without one nothing is
    // written.
    void SetOutput(OutputSink* sink) { m_output = sink; }

    // Writes len bytes of data to the output: 1 when written, 0 for no data or a short write.
    int SetCommand(char* data, unsigned long len);
    // Frames one command and writes it to the output; always 1.
    int SendCmd(const char* group, const char* name, int payloadLen, const void* payload);

    int UpdateMediaInfo(DeviceMediaBufferInfo& info);
    int SendMediaSize(DeviceMediaBufferInfo* info);

    int SetResolution(int numOptions, cups_option_s* options, ppdfile_s* ppd);
    void SetBorder(int numOptions, cups_option_s* options, ppdfile_s* ppd);
    int SendOvercoatFinish(int numOptions, cups_option_s* options, ppdfile_s* ppd);
    int SendCutterMode(int numOptions, cups_option_s* options, ppdfile_s* ppd);
    int SendPrintRetry(int numOptions, cups_option_s* options, ppdfile_s* ppd);
    int SendPrintSpeed(int numOptions, cups_option_s* options, ppdfile_s* ppd);
    int SendDecurl(int numOptions, cups_option_s* options, ppdfile_s* ppd);
    int SendSysTime();

    void SetSharpness(int numOptions, cups_option_s* options, ppdfile_s* ppd);
    void SetGamma(int numOptions, cups_option_s* options, ppdfile_s* ppd);
    void SetIntensity(int numOptions, cups_option_s* options, ppdfile_s* ppd);
    void SetContrast(int numOptions, cups_option_s* options, ppdfile_s* ppd);
    void SetSaturation(int numOptions, cups_option_s* options, ppdfile_s* ppd);
    void SetColorAdjustment(int numOptions, cups_option_s* options, ppdfile_s* ppd);

    // The page image pipeline.
    int FreeMediaBuffer();
    _tagBITMAPHANDLE* MakeImageData(char* pixels, long width, long height, int slot);
    int SetImageData(int slot, _tagBITMAPHANDLE* page);
    int SendImageData(int count);
    int PrintImageData(DeviceMediaBufferInfo* geometry);

    PhotoImageBuffer m_imageBuffer;
    DeviceMediaBufferInfo m_mediaInfo;
    OverCoatInfo m_overcoatInfo;
    ColorSettings m_settings;
    OutputSink* m_output;
};

#endif
