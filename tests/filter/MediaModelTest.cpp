#include <string>

#include "FilterTestSupport.h"

namespace {

struct Row {
    int id, code;
    double widthInch, lengthInch;
    int paperW, paperL, imageW, imageL, count, twoInchCut;
};

// The media rows of the TQ-51M.
const Row kRows[] = {
    {33, 408, 8.0, 4.0, 2448, 1236, 2448, 1236, 1, 0},
    {34, 409, 8.0, 5.0, 2448, 1536, 2448, 1536, 1, 0},
    {35, 410, 8.0, 6.0, 2448, 1836, 2448, 1836, 1, 0},
    {36, 11, 8.0, 8.0, 2448, 2436, 2448, 2436, 1, 0},
    {31, 6, 8.0, 10.0, 2448, 3036, 2448, 3036, 1, 1},
    {32, 7, 8.0, 12.0, 2448, 3636, 2448, 3636, 1, 1},
    {71, 434, 8.3, 5.8, 2528, 1784, 2528, 1784, 1, 0},
    {78, 41, 8.3, 11.7, 2528, 3544, 2528, 3544, 1, 1},
    {37, 13, 8.0, 4.0, 2448, 2502, 2448, 1236, 2, 0},
    {38, 14, 8.0, 5.0, 2448, 3102, 2448, 1536, 2, 0},
    {39, 15, 8.0, 6.0, 2448, 3702, 2448, 1836, 2, 0},
    {72, 35, 8.3, 5.8, 2528, 3598, 2528, 1784, 2, 0},
    {44, 20, 8.0, 4.0, 2448, 3768, 2448, 1236, 3, 0},
};

TEST(MediaGeometry, EveryRowAt300And600) {
    for (long dpi : {300L, 600L}) {
        for (const Row& row : kRows) {
            auto device = MakeDevice();
            device->m_settings.dpi = dpi;
            DeviceMediaBufferInfo info = {};
            ASSERT_EQ(device->SetMediaInfo(info, row.id, 1.53), 0) << row.id;
            const int feed = dpi == 600 ? 2 : 1;
            EXPECT_EQ(info.mediaId, row.id);
            EXPECT_EQ(info.mediaCode, row.code);
            EXPECT_EQ(info.paperWidthDots, row.paperW);
            EXPECT_EQ(info.paperLengthDots, row.paperL);
            EXPECT_EQ(info.imageWidthDots, row.imageW);
            EXPECT_EQ(info.imageLengthDots, row.imageL);
            EXPECT_EQ(info.imageCount, row.count);
            EXPECT_EQ(info.widthInch, row.widthInch);
            EXPECT_EQ(info.lengthInch, row.lengthInch);
            EXPECT_EQ(info.twoInchCut, row.twoInchCut);
            EXPECT_EQ(info.baseDpi, 300);
            EXPECT_EQ(info.borderMarginX, 60);
            EXPECT_EQ(info.borderMarginY, 54);
            EXPECT_EQ(info.imageGap, 30);
            EXPECT_EQ(info.minFirmware, 1.0);
            EXPECT_EQ(info.headWidth, 2560);
            EXPECT_EQ(info.dpiX, 300);
            EXPECT_EQ(info.dpiY, dpi);
            EXPECT_EQ(info.paperWidth, row.paperW);
            EXPECT_EQ(info.paperLength, row.paperL * feed) << row.id << " at " << dpi;
            EXPECT_EQ(info.imageWidth, row.imageW);
            EXPECT_EQ(info.imageLength, row.imageL * feed);
            EXPECT_EQ(info.imageGapDots, 30 * feed);
            EXPECT_EQ(info.imagesPerMedia, row.count);
        }
    }
}

TEST(MediaGeometry, RefusedIdsAndResolutions) {
    auto device = MakeDevice();
    DeviceMediaBufferInfo info = {};
    info.mediaId = 5;
    for (long id : {40L, 30L, 0L, -1L, 73L})
        EXPECT_EQ(device->SetMediaInfo(info, id, 1.53), 3) << id;
    EXPECT_EQ(info.mediaId, 5);

    EXPECT_EQ(device->SetMediaInfo(info, 33, 0.5), 3);
    EXPECT_EQ(info.mediaId, -1);
    EXPECT_EQ(info.mediaCode, 0);

    device->m_settings.dpi = 450;
    DeviceMediaBufferInfo row = gMediaInfo_TQ51M[0];
    EXPECT_EQ(device->UpdateMediaInfo(row), 3);
    EXPECT_EQ(row.headWidth, 0);

    // A record claiming media but carrying no base resolution is refused, not divided by.
    device->m_settings.dpi = 300;
    DeviceMediaBufferInfo empty = {};
    EXPECT_EQ(device->UpdateMediaInfo(empty), 3);
}

TEST(SetMediaSize, PageSizeNames) {
    const std::pair<const char*, int> cases[] = {
        {"PageSize=207x105mm", 33},
        {"PageSize=207x130mm", 34},
        {"PageSize=207x156mm", 35},
        {"PageSize=207x206mm", 36},
        {"PageSize=207x257mm", 31},
        {"PageSize=207x308mm", 32},
        {"PageSize=214x151mm", 71},
        {"media=214x300mm", 78},
        {"PageSize=Letter", 33},
        {"PageSize=207X130MM", 33},
        {"", 33},
    };
    for (const auto& [options, id] : cases) {
        auto device = MakeDevice();
        ParsedOptions job(options);
        EXPECT_EQ(device->SetMediaSize(job.count(), job.options(), job.ppd()), 1);
        EXPECT_EQ(device->m_mediaInfo.mediaId, id) << options;
    }
    auto device = MakeDevice();
    ParsedOptions job("", "*DefaultPageSize: 214x151mm\n");
    device->SetMediaSize(job.count(), job.options(), job.ppd());
    EXPECT_EQ(device->m_mediaInfo.mediaId, 71);
}

TEST(GetMultiLayoutNum, LoadedMediaAndJobMedia) {
    struct Case {
        const char* info;
        const char* pageSize;
        int layout;
    };
    const Case cases[] = {
        {"MEDIA_SIZE=\"00500\"\n", "207x105mm", 2},
        {"MEDIA_SIZE=\"00500\"\n", "207x130mm", 2},
        {"MEDIA_SIZE=\"00500\"\n", "207x156mm", 1},
        {"MEDIA_SIZE=\"00500\"\n", "214x151mm", 1},
        {"MEDIA_SIZE=\"00510\"\n", "207x105mm", 3},
        {"MEDIA_SIZE=\"00510\"\n", "207x130mm", 2},
        {"MEDIA_SIZE=\"00510\"\n", "207x156mm", 2},
        {"MEDIA_SIZE=\"00510\"\n", "214x151mm", 1},
        {"MEDIA_SIZE=\"00600\"\n", "207x105mm", 2},
        {"MEDIA_SIZE=\"00600\"\n", "207x130mm", 2},
        {"MEDIA_SIZE=\"00600\"\n", "214x151mm", 2},
        {"MEDIA_SIZE=\"00600\"\n", "207x156mm", 1},
        {"MEDIA_SIZE=\"00600\"\n", "207x206mm", 1},
        {"MEDIA_SIZE=\"00510\"\n", "207x206mm", 1},
        {"MEDIA_SIZE=\"00700\"\n", "207x105mm", 1},
        {"MEDIA_SIZE=\"00500\"\r\n", "207x105mm", 1},
        {"OTHER=1\n", "207x105mm", 1},
    };
    for (const Case& c : cases) {
        JobInfoFile info(c.info);
        auto device = MakeDevice();
        ParsedOptions job((std::string("PageSize=") + c.pageSize).c_str());
        device->SetMediaSize(job.count(), job.options(), job.ppd());
        EXPECT_EQ(device->GetMultiLayoutNum(info.JobId()), c.layout) << c.info << c.pageSize;
    }
    auto device = MakeDevice();
    EXPECT_EQ(device->GetMultiLayoutNum("no-such-job"), 1);
    EXPECT_EQ(device->GetMultiLayoutNum(std::string(10000, '7').c_str()), 1);
}

TEST(GetMultiMediaInfo, BatchGeometry) {
    struct Case {
        int single, count, id, code, paperLength;
    };
    const Case cases[] = {
        {33, 3, 44, 20, 3768},  {33, 2, 37, 13, 2502}, {33, 1, 33, 408, 1236},
        {33, 4, 33, 408, 1236}, {34, 2, 38, 14, 3102}, {34, 3, 38, 14, 3102},
        {35, 2, 39, 15, 3702},  {71, 2, 72, 35, 3598}, {36, 2, 36, 11, 2436},
        {78, 3, 78, 41, 3544},
    };
    for (const Case& c : cases) {
        auto device = MakeDevice();
        DeviceMediaBufferInfo single = {};
        ASSERT_EQ(device->SetMediaInfo(single, c.single, 1.53), 0);
        DeviceMediaBufferInfo batch = device->GetMultiMediaInfo(&single, c.count);
        EXPECT_EQ(batch.mediaId, c.id) << c.single << " x" << c.count;
        EXPECT_EQ(batch.mediaCode, c.code);
        EXPECT_EQ(batch.paperLength, c.paperLength);
        EXPECT_EQ(batch.headWidth, 2560);
    }
    auto device = MakeDevice();
    DeviceMediaBufferInfo none = device->m_mediaInfo;
    EXPECT_EQ(device->GetMultiMediaInfo(&none, 2).mediaId, -1);
}

TEST(GetRemainHalf, CountFromTheJobInformation) {
    const std::pair<const char*, int> cases[] = {
        {"MEDIA_REMAIN_HALF=\"7\"\n", 7},
        {"MEDIA_REMAIN_HALF=3\n", 3},
        {"MEDIA_REMAIN_HALF=\"x2\"\n", 0},
        {"MEDIA_SIZE=\"00500\"\n", 0},
    };
    for (const auto& [text, remain] : cases) {
        JobInfoFile info(text);
        EXPECT_EQ(MakeDevice()->GetRemainHalf(info.JobId()), remain) << text;
    }
}

TEST(SetOvercoatFinish, TableRowsAndFirmware) {
    auto device = MakeDevice();
    const int keys[] = {0, 1, 2, 3, 21, 22, 101, 121, 122};
    for (int key : keys) {
        EXPECT_EQ(device->SetOvercoatFinish(key, 1.53), 0);
        EXPECT_EQ(device->m_overcoatInfo.key, key);
        EXPECT_EQ(device->m_overcoatInfo.code, key);
        EXPECT_EQ(device->m_overcoatInfo.flag, key > 100 ? 1 : 0);
    }
    EXPECT_EQ(device->SetOvercoatFinish(122, 0.6), 3);
    EXPECT_EQ(device->m_overcoatInfo.key, -1);
    EXPECT_EQ(device->SetOvercoatFinish(121, 0.9), 3);
    EXPECT_EQ(device->SetOvercoatFinish(122, 0.61), 0);
    EXPECT_EQ(device->SetOvercoatFinish(4, 1.53), 3);
    EXPECT_EQ(device->SetOvercoatFinish(0x100000016UL, 1.53), 0);
    EXPECT_EQ(device->m_overcoatInfo.key, 22);
}

} // namespace
