// SPDX-License-Identifier: Apache-2.0
#include "ImgLibTestSupport.h"

#include <climits>
#include <string>

namespace {

struct CreateCase {
    const char* name;
    int stamp;
    int kind;
    uint32_t width;
    uint32_t height;
    uint32_t bits;
    uint32_t order;
    bool palette;
    int origin;
    bool data;
    int64_t size;
    int expected;
};

// Every refusal in check order: each case is valid except for the named argument.
const CreateCase kRefusals[] = {
    {"stamp439", 439, 2, 4, 2, 24, 1, false, 4, true, 32, IL_E_RECSIZE},
    {"stamp439BeforeDepth", 439, 2, 4, 2, 48, 1, false, 4, true, 32, IL_E_RECSIZE},
    {"stamp0", 0, 2, 4, 2, 24, 1, false, 4, true, 32, IL_E_RECSIZE},
    {"kind1", 440, 1, 4, 2, 24, 1, false, 4, true, 32, IL_E_PARAM},
    {"width0", 440, 2, 0, 2, 24, 1, false, 4, true, 0, IL_E_PARAM},
    {"height0", 440, 2, 4, 0, 24, 1, false, 4, true, 0, IL_E_PARAM},
    {"kindBeforeDepth", 440, 1, 4, 2, 48, 1, false, 4, true, 32, IL_E_PARAM},
    {"depth48", 440, 2, 4, 2, 48, 1, false, 4, true, 48, IL_E_DEEPCOLOR},
    {"depth64", 440, 2, 4, 2, 64, 1, false, 4, true, 64, IL_E_DEEPCOLOR},
    {"depth1", 440, 2, 4, 2, 1, 1, false, 4, true, 8, IL_E_PARAM},
    {"depth16", 440, 2, 4, 2, 16, 1, false, 4, true, 16, IL_E_PARAM},
    {"depth32", 440, 2, 4, 2, 32, 1, false, 4, true, 32, IL_E_PARAM},
    {"depth12", 440, 2, 4, 2, 12, 1, false, 4, true, 16, IL_E_DEPTH},
    {"depth0", 440, 2, 4, 2, 0, 1, false, 4, true, 0, IL_E_DEPTH},
    {"depth4", 440, 2, 4, 2, 4, 1, false, 4, true, 8, IL_E_DEPTH},
    {"depth8Order1", 440, 2, 4, 2, 8, 1, true, 4, true, 8, IL_E_PARAM},
    {"depth8NoPalette", 440, 2, 4, 2, 8, 2, false, 4, true, 8, IL_E_PARAM},
    {"depth24Palette", 440, 2, 4, 2, 24, 1, true, 4, true, 32, IL_E_DEPTH},
    {"depth24PaletteBeforeOrder", 440, 2, 4, 2, 24, 3, true, 4, true, 32, IL_E_DEPTH},
    {"depth24Order3", 440, 2, 4, 2, 24, 3, false, 4, true, 32, IL_E_PARAM},
    {"origin1", 440, 2, 4, 2, 24, 1, false, 1, true, 32, IL_E_PARAM},
    {"noData", 440, 2, 4, 2, 24, 1, false, 4, false, 32, IL_E_PARAM},
    {"width1Size3PerRow", 440, 2, 1, 5, 24, 1, false, 4, true, 15, IL_E_PARAM},
    {"sizeTooLarge", 440, 2, 4, 2, 24, 1, false, 4, true, 33, IL_E_PARAM},
    {"sizeNegative", 440, 2, 4, 2, 24, 1, false, 4, true, -32, IL_E_PARAM},
    // 4 x (2^30 + 1) wraps to 4 in 32 bits: a 4-byte buffer must not pass for 4 GiB.
    {"size32BitWrap", 440, 2, 1, (1u << 30) + 1, 24, 1, false, 4, true, 4, IL_E_PARAM},
    // (0xFFFFFFFF x 24 + 31) wraps in 32 bits to a stride of 4.
    {"strideWrap", 440, 2, 0xFFFFFFFFu, 1, 24, 1, false, 4, true, 4, IL_E_PARAM},
    {"widthAboveInt", 440, 2, 0x80000000u, 1, 8, 2, true, 4, true, 0x80000000ll, IL_E_PARAM},
    {"heightAboveInt", 440, 2, 4, 0x80000000u, 8, 2, true, 4, true, 4ll << 31, IL_E_PARAM},
};

class CreateRefusal : public ::testing::TestWithParam<CreateCase> {};

TEST_P(CreateRefusal, ReturnsCodeAndLeavesRecord) {
    const CreateCase& c = GetParam();
    std::vector<unsigned char> pixels(64, 7);
    std::vector<unsigned char> palette(1024, 0);
    _tagBITMAPHANDLE record;
    std::memset(&record, 0x5A, sizeof(record));
    _tagBITMAPHANDLE before = record;
    EXPECT_EQ(IL_CreateBitmap(&record, c.stamp, c.kind, c.width, c.height, c.bits, c.order,
                              c.palette ? palette.data() : nullptr, c.origin,
                              c.data ? pixels.data() : nullptr, c.size),
              c.expected);
    EXPECT_TRUE(SameRecord(record, before));
}

INSTANTIATE_TEST_SUITE_P(Table, CreateRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CreateBitmap, NullRecordIsParam) {
    unsigned char pixels[8];
    EXPECT_EQ(IL_CreateBitmap(nullptr, 440, 2, 1, 2, 24, 1, nullptr, 4, pixels, 8), IL_E_PARAM);
}

TEST(CreateBitmap, Describes24BitCallerPixels) {
    std::vector<unsigned char> pixels(size_t{12} * 3, 1);
    _tagBITMAPHANDLE record;
    std::memset(&record, 0, sizeof(record));
    record.memoryHandle = &record;
    ASSERT_EQ(IL_CreateBitmap(&record, 440, 2, 3, 3, 24, 1, nullptr, 4, pixels.data(), 36), IL_OK);
    EXPECT_EQ(record.width, 3);
    EXPECT_EQ(record.height, 3);
    EXPECT_EQ(record.bitsPerPixel, 24);
    EXPECT_EQ(record.bytesPerLine, 12);
    EXPECT_EQ(record.data, pixels.data());
    EXPECT_EQ(record.memoryHandle, nullptr);
    EXPECT_EQ(record.colorCount, 0);
    EXPECT_EQ(record.palette, nullptr);
    EXPECT_EQ(record.dataSize, 36);
    EXPECT_EQ(record.colorOrder, 1);
    EXPECT_EQ(record.rowOrigin, 4);
}

TEST(CreateBitmap, Width1Needs4BytesPerRow) {
    std::vector<unsigned char> pixels(size_t{4} * 5);
    _tagBITMAPHANDLE record{};
    EXPECT_EQ(IL_CreateBitmap(&record, 440, 2, 1, 5, 24, 1, nullptr, 4, pixels.data(), 20), IL_OK);
    EXPECT_EQ(record.bytesPerLine, 4);
}

TEST(CreateBitmap, ColourOrderStoredFor24Bits) {
    const struct {
        uint32_t given;
        int32_t stored;
    } cases[] = {{0, 0}, {1, 1}, {2, 1}};
    for (const auto& c : cases) {
        std::vector<unsigned char> pixels(8);
        _tagBITMAPHANDLE record{};
        ASSERT_EQ(IL_CreateBitmap(&record, 440, 2, 2, 1, 24, c.given, nullptr, 4, pixels.data(), 8),
                  IL_OK);
        EXPECT_EQ(record.colorOrder, c.stored) << c.given;
    }
}

TEST(CreateBitmap, Describes8BitPlaneWithPalette) {
    std::vector<unsigned char> pixels(size_t{8} * 2);
    std::vector<unsigned char> palette(1024);
    _tagBITMAPHANDLE record{};
    ASSERT_EQ(IL_CreateBitmap(&record, 440, 2, 5, 2, 8, 2, palette.data(), 4, pixels.data(), 16),
              IL_OK);
    EXPECT_EQ(record.bytesPerLine, 8);
    EXPECT_EQ(record.colorOrder, 0);
    EXPECT_EQ(record.colorCount, 256);
    EXPECT_EQ(record.palette, palette.data());
}

TEST(FreeBitmap, NullRecordIsHarmless) {
    IL_FreeBitmap(nullptr);
}

TEST(FreeBitmap, CallerPixelsStayIntactAndRecordLosesData) {
    std::vector<unsigned char> pixels(12, 0x33);
    _tagBITMAPHANDLE record{};
    ASSERT_EQ(IL_CreateBitmap(&record, 440, 2, 1, 3, 24, 1, nullptr, 4, pixels.data(), 12), IL_OK);
    IL_FreeBitmap(&record);
    EXPECT_EQ(record.data, nullptr);
    EXPECT_EQ(record.palette, nullptr);
    EXPECT_EQ(record.memoryHandle, nullptr);
    EXPECT_EQ(record.width, 1);
    EXPECT_EQ(record.height, 3);
    EXPECT_EQ(pixels, std::vector<unsigned char>(12, 0x33));
    IL_FreeBitmap(&record);
    EXPECT_EQ(record.data, nullptr);
}

TEST(FreeBitmap, ReleasesAdoptedBlockOnce) {
    void* block = GlobalAlloc(0, 12);
    ASSERT_NE(block, nullptr);
    _tagBITMAPHANDLE record{};
    ASSERT_EQ(IL_CreateBitmap(&record, 440, 2, 1, 3, 24, 1, nullptr, 4, GlobalLock(block), 12),
              IL_OK);
    record.memoryHandle = record.data;
    IL_FreeBitmap(&record);
    EXPECT_EQ(record.memoryHandle, nullptr);
    EXPECT_EQ(record.data, nullptr);
    IL_FreeBitmap(&record);
}

TEST(Shims, LockReturnsHandleAndCopyCopies) {
    EXPECT_EQ(GlobalLock(nullptr), nullptr);
    HGLOBAL block = GlobalAlloc(0, 5);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalLock(block), block);
    const char source[5] = {'a', 'b', 'c', 'd', 'e'};
    CopyMemory(GlobalLock(block), source, 5);
    EXPECT_EQ(std::memcmp(block, source, 5), 0);
    GlobalUnlock(block);
    GlobalFree(block);
}

} // namespace
