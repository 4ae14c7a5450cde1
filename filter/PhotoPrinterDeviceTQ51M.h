// SPDX-License-Identifier: Apache-2.0
#ifndef TQ51M_PHOTOPRINTERDEVICETQ51M_H
#define TQ51M_PHOTOPRINTERDEVICETQ51M_H

#include "PhotoPrinterDevice.h"

// Media rows of the TQ-51M, closed by a row with mediaId -1.
extern const DeviceMediaBufferInfo gMediaInfo_TQ51M[];
// Overcoat finishes of the TQ-51M, closed by a row with key -1.
extern const OverCoatInfo gOverCoatInfo_TQ51M[];

class DeviceEntry_TQ51M : public DeviceEntry {
  public:
    ~DeviceEntry_TQ51M() override;

    int GetHeadWidth() override;
    int SetMediaSize(int numOptions, cups_option_s* options, ppdfile_s* ppd) override;
    int SetMediaInfo(DeviceMediaBufferInfo& info, long mediaId, double firmware) override;
    DeviceMediaBufferInfo GetMultiMediaInfo(DeviceMediaBufferInfo* info, int count) override;
    int GetMultiLayoutNum(const char* jobId) override;
    int SetOvercoatFinish(unsigned long finish, double firmware) override;
    void SetPaperRotate(int numOptions, cups_option_s* options, ppdfile_s* ppd) override;
    int GetRemainHalf(const char* jobId) override;
    bool isSupportDecurl() override;
    bool isSupportSysTime() override;
    int GetMultiLayoutNum(const JobInfo& info) override;
    int GetRemainHalf(const JobInfo& info) override;
};

#endif
