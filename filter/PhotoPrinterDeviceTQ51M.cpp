// SPDX-License-Identifier: Apache-2.0
#include "PhotoPrinterDeviceTQ51M.h"

#include <cstdlib>
#include <cstring>

#include "SheetTable.h"

namespace {

const int kHeadWidth = 2560;

// A media row: every row shares the base resolution, margins, gap and firmware level.
constexpr DeviceMediaBufferInfo MediaRow(int mediaId, int mediaCode, const tq51m::MediaSheet& sheet,
                                         int imageCount) {
    return DeviceMediaBufferInfo{mediaId,
                                 mediaCode,
                                 sheet.widthInch,
                                 sheet.lengthInch,
                                 tq51m::kSheetDpi,
                                 sheet.widthDots,
                                 tq51m::SheetLengthDots(sheet, imageCount),
                                 60,
                                 54,
                                 tq51m::kSheetImageGap,
                                 sheet.widthDots,
                                 sheet.lengthDots,
                                 imageCount,
                                 sheet.twoInchCut ? 1 : 0,
                                 1.0,
                                 0,
                                 0,
                                 0,
                                 0,
                                 0,
                                 0,
                                 0,
                                 0,
                                 0};
}

constexpr DeviceMediaBufferInfo SingleRow(const tq51m::MediaSheet& sheet) {
    return MediaRow(sheet.mediaId, sheet.mediaCode, sheet, 1);
}

constexpr DeviceMediaBufferInfo MultiRow(const tq51m::MediaSheet& sheet, int count) {
    const tq51m::SheetLayout& layout = count == 3 ? sheet.threeUp : sheet.twoUp;
    return MediaRow(layout.mediaId, layout.mediaCode, sheet, count);
}

const int kDefaultMediaId = 33;

bool IsTableMediaId(long mediaId) {
    return (mediaId >= 31 && mediaId <= 39) || mediaId == 44 || mediaId == 71 || mediaId == 72 ||
           mediaId == 78;
}

} // namespace

using tq51m::kMediaSheets;

const DeviceMediaBufferInfo gMediaInfo_TQ51M[] = {
    SingleRow(kMediaSheets[0]),
    SingleRow(kMediaSheets[1]),
    SingleRow(kMediaSheets[2]),
    SingleRow(kMediaSheets[3]),
    SingleRow(kMediaSheets[4]),
    SingleRow(kMediaSheets[5]),
    SingleRow(kMediaSheets[6]),
    SingleRow(kMediaSheets[7]),
    MultiRow(kMediaSheets[0], 2),
    MultiRow(kMediaSheets[1], 2),
    MultiRow(kMediaSheets[2], 2),
    MultiRow(kMediaSheets[6], 2),
    MultiRow(kMediaSheets[0], 3),
    DeviceMediaBufferInfo{-1, 0, 0.0, 0.0, 0, 0, 0, 0, 0, 0, 0, 0,
                          0,  0, 0.0, 0,   0, 0, 0, 0, 0, 0, 0, 0},
};

const OverCoatInfo gOverCoatInfo_TQ51M[] = {
    {0, 0, 0, 0, 1.0},      {1, 1, 0, 0, 1.0},   {2, 2, 0, 0, 1.0},     {3, 3, 0, 0, 1.0},
    {21, 21, 0, 0, 1.0},    {22, 22, 0, 0, 1.0}, {101, 101, 1, 0, 1.0}, {121, 121, 1, 0, 1.0},
    {122, 122, 1, 0, 0.61}, {-1, 0, 0, 0, 0.0},
};

DeviceEntry_TQ51M::~DeviceEntry_TQ51M() = default;

int DeviceEntry_TQ51M::GetHeadWidth() {
    return kHeadWidth;
}

int DeviceEntry_TQ51M::SetMediaSize(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    double firmware = 0.0;
    if (_GetFirmwVersion(0, &firmware) != 0)
        return 0;
    const char* pageSize = _GetCupsValue("PageSize", numOptions, options, ppd);
    int mediaId = kDefaultMediaId;
    if (pageSize != nullptr) {
        for (const tq51m::MediaSheet& sheet : kMediaSheets) {
            if (std::strcmp(pageSize, sheet.pageSize) == 0) {
                mediaId = sheet.mediaId;
                break;
            }
        }
    }
    return SetMediaInfo(m_mediaInfo, mediaId, firmware) == 0 ? 1 : 0;
}

int DeviceEntry_TQ51M::SetMediaInfo(DeviceMediaBufferInfo& info, long mediaId, double firmware) {
    if (!IsTableMediaId(mediaId))
        return 3;
    info.mediaId = -1;
    for (const DeviceMediaBufferInfo* row = gMediaInfo_TQ51M; row->mediaId != -1; ++row) {
        if (row->mediaId != mediaId)
            continue;
        if (row->minFirmware > firmware)
            return 3;
        info.mediaId = row->mediaId;
        info.mediaCode = row->mediaCode;
        info.widthInch = row->widthInch;
        info.lengthInch = row->lengthInch;
        info.baseDpi = row->baseDpi;
        info.paperWidthDots = row->paperWidthDots;
        info.paperLengthDots = row->paperLengthDots;
        info.borderMarginX = row->borderMarginX;
        info.borderMarginY = row->borderMarginY;
        info.imageGap = row->imageGap;
        info.imageWidthDots = row->imageWidthDots;
        info.imageLengthDots = row->imageLengthDots;
        info.imageCount = row->imageCount;
        info.twoInchCut = row->twoInchCut;
        info.minFirmware = row->minFirmware;
        return UpdateMediaInfo(info);
    }
    return 3;
}

DeviceMediaBufferInfo DeviceEntry_TQ51M::GetMultiMediaInfo(DeviceMediaBufferInfo* info, int count) {
    // Zero-filled, because records are compared whole; without a row it means "no media".
    DeviceMediaBufferInfo result;
    std::memset(&result, 0, sizeof(result));
    result.mediaId = -1;
    if (info == nullptr)
        return result;

    double firmware = 0.0;
    _GetFirmwVersion(0, &firmware);
    long id = info->mediaId;
    switch (info->mediaId) {
    case 33:
        if (count == 2)
            id = 37;
        else if (count == 3)
            id = 44;
        break;
    case 34:
        id = 38;
        break;
    case 35:
        id = 39;
        break;
    case 71:
        id = 72;
        break;
    default:
        break;
    }
    SetMediaInfo(result, id, firmware);
    return result;
}

int DeviceEntry_TQ51M::GetMultiLayoutNum(const char* jobId) {
    return GetMultiLayoutNum(ReadJobInfo(kJobInfoDir, jobId));
}

int DeviceEntry_TQ51M::GetMultiLayoutNum(const JobInfo& info) {
    const std::string& mediaSize = info.mediaSize;
    if (mediaSize.empty())
        return 1;
    const int mediaId = m_mediaInfo.mediaId;
    if (mediaSize == "00500") {
        if (mediaId == 33 || mediaId == 34)
            return 2;
    } else if (mediaSize == "00510") {
        if (mediaId == 33)
            return 3;
        if (mediaId == 34 || mediaId == 35)
            return 2;
    } else if (mediaSize == "00600") {
        if (mediaId == 33 || mediaId == 34 || mediaId == 71)
            return 2;
    }
    return 1;
}

int DeviceEntry_TQ51M::GetRemainHalf(const char* jobId) {
    return GetRemainHalf(ReadJobInfo(kJobInfoDir, jobId));
}

int DeviceEntry_TQ51M::GetRemainHalf(const JobInfo& info) {
    if (info.remainHalf.empty())
        return 0;
    return static_cast<int>(std::strtol(info.remainHalf.c_str(), nullptr, 10));
}

int DeviceEntry_TQ51M::SetOvercoatFinish(unsigned long finish, double firmware) {
    m_overcoatInfo.key = -1;
    for (const OverCoatInfo* row = gOverCoatInfo_TQ51M; row->key != -1; ++row) {
        if (row->key == static_cast<int>(finish) && row->minFirmware <= firmware) {
            m_overcoatInfo = *row;
            return 0;
        }
    }
    return 3;
}

void DeviceEntry_TQ51M::SetPaperRotate(int, cups_option_s*, ppdfile_s*) {
    m_settings.paperRotate = false;
}

bool DeviceEntry_TQ51M::isSupportDecurl() {
    return false;
}

bool DeviceEntry_TQ51M::isSupportSysTime() {
    return false;
}
