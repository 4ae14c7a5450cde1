// SPDX-License-Identifier: Apache-2.0
#include "ImgLibTestSupport.h"

#include <string>

namespace {

struct SizeCase {
    const char* name;
    void (*spoil)(_tagBITMAPHANDLE&);
    int width;
    int height;
    int method;
};

const SizeCase kSizeRefusals[] = {
    {"noData", [](_tagBITMAPHANDLE& r) { r.data = nullptr; }, 2, 2, 4},
    {"depth8", [](_tagBITMAPHANDLE& r) { r.bitsPerPixel = 8; }, 2, 2, 4},
    {"depth32", [](_tagBITMAPHANDLE& r) { r.bitsPerPixel = 32; }, 2, 2, 4},
    {"colorOrder2", [](_tagBITMAPHANDLE& r) { r.colorOrder = 2; }, 2, 2, 4},
    {"colorOrderNegative", [](_tagBITMAPHANDLE& r) { r.colorOrder = -1; }, 2, 2, 4},
    {"width0", [](_tagBITMAPHANDLE&) {}, 0, 2, 4},
    {"widthNegative", [](_tagBITMAPHANDLE&) {}, -3, 2, 4},
    {"height0", [](_tagBITMAPHANDLE&) {}, 2, 0, 4},
    {"heightNegative", [](_tagBITMAPHANDLE&) {}, 2, -1, 4},
    {"method3", [](_tagBITMAPHANDLE&) {}, 2, 2, 3},
    {"method0", [](_tagBITMAPHANDLE&) {}, 2, 2, 0},
    // A new stride beyond an int cannot be recorded in bytesPerLine.
    {"strideAboveInt", [](_tagBITMAPHANDLE&) {}, 0x7FFFFFFF, 1, 4},
    {"sourceWidth0", [](_tagBITMAPHANDLE& r) { r.width = 0; }, 2, 2, 4},
    {"sourceHeightNegative", [](_tagBITMAPHANDLE& r) { r.height = -4; }, 2, 2, 4},
    {"sourceRowsBeyondBlock", [](_tagBITMAPHANDLE& r) { r.dataSize -= 1; }, 2, 2, 4},
};

class SizeRefusal : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeRefusal, IsParamAndChangesNothing) {
    const SizeCase& c = GetParam();
    TestBitmap bitmap(3, 3);
    bitmap.fillRandom(11);
    const std::vector<unsigned char> pixels = bitmap.callerPixels();
    c.spoil(bitmap.record());
    const _tagBITMAPHANDLE before = bitmap.record();
    EXPECT_EQ(IL_SizeBitmap(bitmap.get(), c.width, c.height, c.method), IL_E_PARAM);
    EXPECT_TRUE(SameRecord(bitmap.record(), before));
    EXPECT_EQ(bitmap.callerPixels(), pixels);
}

INSTANTIATE_TEST_SUITE_P(Table, SizeRefusal, ::testing::ValuesIn(kSizeRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SizeBitmap, NullRecordIsParam) {
    EXPECT_EQ(IL_SizeBitmap(nullptr, 2, 2, 4), IL_E_PARAM);
}

TEST(SizeBitmap, UnobtainableTargetIsNoMemAndChangesNothing) {
    TestBitmap bitmap(2, 2);
    const _tagBITMAPHANDLE before = bitmap.record();
    EXPECT_EQ(IL_SizeBitmap(bitmap.get(), 700000000, 0x7FFFFFFF, 4), IL_E_NOMEM);
    EXPECT_TRUE(SameRecord(bitmap.record(), before));
}

TEST(SizeBitmap, UnobtainableIntermediateIsNoMemAndChangesNothing) {
    // 100000 target columns x 2^31 - 1 source rows of three doubles exceed any address space,
    // while the 100000 x 1 target block is small.
    unsigned char small[16] = {};
    _tagBITMAPHANDLE record = HugeRecord(small, 24, 1, 0x7FFFFFFF);
    const _tagBITMAPHANDLE before = record;
    EXPECT_EQ(IL_SizeBitmap(&record, 100000, 1, 4), IL_E_NOMEM);
    EXPECT_TRUE(SameRecord(record, before));
}

struct Geometry {
    int width;
    int height;
};

class SameSize : public ::testing::TestWithParam<Geometry> {};

TEST_P(SameSize, ReproducesEveryByte) {
    const Geometry g = GetParam();
    TestBitmap bitmap(g.width, g.height);
    bitmap.fillRandom(uint32_t(1000 + g.width * 31 + g.height));
    const std::vector<unsigned char> before = bitmap.rows();
    ASSERT_EQ(IL_SizeBitmap(bitmap.get(), g.width, g.height, 4), IL_OK);
    EXPECT_EQ(bitmap.rows(), before);
}

INSTANTIATE_TEST_SUITE_P(RandomPages, SameSize,
                         ::testing::Values(Geometry{1, 1}, Geometry{1, 9}, Geometry{13, 1},
                                           Geometry{7, 5}, Geometry{64, 33}, Geometry{101, 17}));

TEST(SizeBitmap, HalvingWidthKeepsEvenColumns) {
    for (const Geometry g : {Geometry{2, 3}, Geometry{10, 6}, Geometry{64, 7}, Geometry{98, 5}}) {
        TestBitmap source(g.width, g.height);
        source.fillRandom(uint32_t(77 + g.width));
        TestBitmap bitmap(g.width, g.height);
        bitmap.callerPixels() = source.callerPixels();
        ASSERT_EQ(IL_SizeBitmap(bitmap.get(), g.width / 2, g.height, 4), IL_OK);
        for (int y = 0; y < g.height; ++y)
            for (int j = 0; j < g.width / 2; ++j)
                for (int b = 0; b < 3; ++b)
                    ASSERT_EQ(bitmap.at(j, y, b), source.at(2 * j, y, b))
                        << g.width << " " << j << " " << y;
    }
}

TEST(SizeBitmap, DoublingHeightUsesEighthWeightsAndClamps) {
    // One column, so the row pass copies; odd target rows i = 2m + 1 sample y = m + 0.5 with
    // weights -0.125, 0.625, 0.625, -0.125 on rows m - 1, m, m + 1, m + 2.
    const unsigned char column[] = {0, 0, 255, 255, 0, 100, 40};
    // Row 1: rows 0 (for -1), 0, 1, 2 -> 0 + 0 + 0 - 31.875 -> 0.
    // Row 3: rows 0, 1, 2, 3 -> 0 + 0 + 159.375 - 31.875 = 127.5 -> 128.
    // Row 5: rows 1, 2, 3, 4 -> 0 + 159.375 + 159.375 - 0 = 318.75 -> 255.
    // Row 7: rows 2, 3, 4, 5 -> -31.875 + 159.375 + 0 - 12.5 = 115 -> 115.
    // Row 9: rows 3, 4, 5, 6 -> -31.875 + 0 + 62.5 - 5 = 25.625 -> 26.
    // Row 11: rows 4, 5, 6, 5 (for 7) -> 0 + 62.5 + 25 - 12.5 = 75 -> 75.
    // Row 13: rows 5, 6, 6 (for 7), 6 (for 8) -> -12.5 + 25 + 25 - 5 = 32.5 -> 33: a missing
    //   tap keeps its own weight.
    const unsigned char expected[] = {0, 0, 0, 128, 255, 255, 255, 115, 0, 26, 100, 75, 40, 33};
    TestBitmap bitmap(1, 7);
    for (int y = 0; y < 7; ++y)
        for (int b = 0; b < 3; ++b)
            bitmap.at(0, y, b) = column[y];
    ASSERT_EQ(IL_SizeBitmap(bitmap.get(), 1, 14, 4), IL_OK);
    for (int i = 0; i < 14; ++i)
        for (int b = 0; b < 3; ++b)
            EXPECT_EQ(bitmap.at(0, i, b), expected[i]) << "row " << i;
}

TEST(SizeBitmap, RightEdgeMissingTapReadsCentreColumn) {
    // Ws = 10 to Wd = 20: column 17 samples x = 8.5, taps 7, 8, 9 and (for 10) column 8:
    // -0.125 x 0 + 0.625 x 100 + 0.625 x 200 - 0.125 x 100 = 175
    // (reading the last column instead would give 162.5 -> 163).
    TestBitmap bitmap(10, 1);
    for (int b = 0; b < 3; ++b) {
        bitmap.at(7, 0, b) = 0;
        bitmap.at(8, 0, b) = 100;
        bitmap.at(9, 0, b) = 200;
    }
    ASSERT_EQ(IL_SizeBitmap(bitmap.get(), 20, 1, 4), IL_OK);
    for (int b = 0; b < 3; ++b)
        EXPECT_EQ(bitmap.at(17, 0, b), 175);
}

TEST(SizeBitmap, SinglePixelTo3x2GivesSixCopies) {
    TestBitmap bitmap(1, 1);
    bitmap.at(0, 0, 0) = 12;
    bitmap.at(0, 0, 1) = 200;
    bitmap.at(0, 0, 2) = 99;
    ASSERT_EQ(IL_SizeBitmap(bitmap.get(), 3, 2, 4), IL_OK);
    EXPECT_EQ(bitmap.rows(), (std::vector<unsigned char>{12, 200, 99, 12, 200, 99, 12, 200, 99, 12,
                                                         200, 99, 12, 200, 99, 12, 200, 99}));
}

TEST(SizeBitmap, CallerPixelsKeptAndRecordOwnsNewBlock) {
    TestBitmap bitmap(5, 3, 24, 0);
    bitmap.fillRandom(5);
    const std::vector<unsigned char> pixels = bitmap.callerPixels();
    ASSERT_EQ(IL_SizeBitmap(bitmap.get(), 7, 4, 4), IL_OK);
    const _tagBITMAPHANDLE& r = bitmap.record();
    EXPECT_EQ(bitmap.callerPixels(), pixels);
    EXPECT_NE(r.memoryHandle, nullptr);
    EXPECT_EQ(r.data, r.memoryHandle);
    EXPECT_EQ(r.width, 7);
    EXPECT_EQ(r.height, 4);
    EXPECT_EQ(r.bytesPerLine, 24);
    EXPECT_EQ(r.dataSize, 96);
    EXPECT_EQ(r.bitsPerPixel, 24);
    EXPECT_EQ(r.colorOrder, 0);
    EXPECT_EQ(r.rowOrigin, 4);
}

TEST(SizeBitmap, OwnedPixelsReplacedAndPaletteCleared) {
    HGLOBAL block = GlobalAlloc(0, 16);
    ASSERT_NE(block, nullptr);
    std::memset(block, 90, 16);
    _tagBITMAPHANDLE record{};
    ASSERT_EQ(IL_CreateBitmap(&record, 440, 2, 2, 2, 24, 1, nullptr, 4, block, 16), IL_OK);
    record.memoryHandle = record.data;
    unsigned char stray[4];
    record.palette = stray;
    ASSERT_EQ(IL_SizeBitmap(&record, 1, 1, 4), IL_OK);
    EXPECT_NE(record.memoryHandle, block);
    EXPECT_EQ(record.palette, nullptr);
    EXPECT_EQ(record.data[0], 90);
    IL_FreeBitmap(&record);
}

} // namespace
