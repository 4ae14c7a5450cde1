// SPDX-License-Identifier: Apache-2.0
#include "ImgLibTestSupport.h"

#include <algorithm>
#include <string>

namespace {

using ToneOperation = int (*)(_tagBITMAPHANDLE*, int);

// Palette entry i of a plane made by TestBitmap starts as i, i, i, 0xAB.
int Lut(TestBitmap& plane, int i) {
    const unsigned char* entry = plane.record().palette + ptrdiff_t(i) * 4;
    EXPECT_EQ(entry[0], entry[1]);
    EXPECT_EQ(entry[1], entry[2]);
    EXPECT_EQ(entry[3], 0xAB) << "fourth byte is never written";
    return entry[0];
}

TEST(GammaCorrect, StatedValues) {
    const struct {
        int gamma;
        int in;
        int out;
    } cases[] = {{200, 64, 128}, {200, 128, 181}, {50, 64, 16}, {50, 128, 64}};
    for (const auto& c : cases) {
        TestBitmap plane(4, 2, 8);
        ASSERT_EQ(IL_GammaCorrectBitmap(plane.get(), c.gamma), IL_OK);
        EXPECT_EQ(Lut(plane, c.in), c.out) << "gamma " << c.gamma << " at " << c.in;
    }
}

TEST(GammaCorrect, EndPointsFixedForEveryGamma) {
    for (const int gamma : {1, 7, 50, 99, 100, 101, 250, 1000, 65535, -1}) {
        TestBitmap plane(1, 1, 8);
        ASSERT_EQ(IL_GammaCorrectBitmap(plane.get(), gamma), IL_OK);
        EXPECT_EQ(Lut(plane, 0), 0) << gamma;
        EXPECT_EQ(Lut(plane, 255), 255) << gamma;
    }
}

TEST(BrightnessIntensity, StatedOffsets) {
    const struct {
        int value;
        int offset;
    } cases[] = {{1000, 255}, {500, 128}, {100, 26},   {10, 3},      {2, 1},
                 {0, 0},      {-2, 0},    {-100, -25}, {-500, -127}, {-1000, -254}};
    for (const auto& c : cases) {
        TestBitmap plane(3, 3, 8);
        ASSERT_EQ(IL_ChangeBitmapIntensity(plane.get(), c.value), IL_OK);
        for (int i = 0; i < 256; ++i) {
            const int expected = std::min(255, std::max(0, i + c.offset));
            ASSERT_EQ(Lut(plane, i), expected) << "value " << c.value << " at " << i;
        }
    }
}

TEST(Contrast, StatedMappings) {
    const struct {
        int value;
        int in;
        int out;
    } cases[] = {{300, 0, 0},      {300, 32, 25},   {300, 128, 142}, {300, 200, 231},
                 {1000, 128, 192}, {1000, 0, 0},    {-1000, 0, 33},  {-1000, 255, 158},
                 {1000, 64, 64},   {-1000, 64, 64}, {300, 64, 64},   {-7, 64, 64}};
    for (const auto& c : cases) {
        TestBitmap plane(2, 2, 8);
        ASSERT_EQ(IL_ChangeBitmapContrast(plane.get(), c.value), IL_OK);
        EXPECT_EQ(Lut(plane, c.in), c.out) << "contrast " << c.value << " at " << c.in;
    }
}

TEST(ToneCurves, NeutralValuesLeavePaletteUnchanged) {
    const struct {
        ToneOperation operation;
        int value;
    } neutral[] = {
        {IL_GammaCorrectBitmap, 100}, {IL_ChangeBitmapIntensity, 0}, {IL_ChangeBitmapContrast, 0}};
    for (const auto& n : neutral) {
        TestBitmap plane(2, 2, 8);
        const std::vector<unsigned char> palette = plane.callerPalette();
        ASSERT_EQ(n.operation(plane.get(), n.value), IL_OK);
        EXPECT_EQ(plane.callerPalette(), palette);
    }
}

TEST(ToneCurves, BrightnessThenContrastCompose) {
    // Brightness 100 adds 26; contrast 300 then maps 32 -> 25, 128 -> 142, 200 -> 231.
    TestBitmap plane(2, 2, 8);
    ASSERT_EQ(IL_ChangeBitmapIntensity(plane.get(), 100), IL_OK);
    ASSERT_EQ(IL_ChangeBitmapContrast(plane.get(), 300), IL_OK);
    EXPECT_EQ(Lut(plane, 6), 25);
    EXPECT_EQ(Lut(plane, 102), 142);
    EXPECT_EQ(Lut(plane, 174), 231);
}

TEST(ToneCurves, PixelsNeverChange) {
    TestBitmap plane(5, 3, 8);
    plane.fillRandom(3);
    const std::vector<unsigned char> pixels = plane.callerPixels();
    ASSERT_EQ(IL_GammaCorrectBitmap(plane.get(), 180), IL_OK);
    ASSERT_EQ(IL_ChangeBitmapIntensity(plane.get(), -300), IL_OK);
    ASSERT_EQ(IL_ChangeBitmapContrast(plane.get(), 600), IL_OK);
    EXPECT_EQ(plane.callerPixels(), pixels);
}

struct ToneCase {
    const char* name;
    ToneOperation operation;
    void (*spoil)(_tagBITMAPHANDLE&);
    int value;
    int expected;
};

void Keep(_tagBITMAPHANDLE&) {}
void NoData(_tagBITMAPHANDLE& r) {
    r.data = nullptr;
}
void Depth24(_tagBITMAPHANDLE& r) {
    r.bitsPerPixel = 24;
}
void Colours255(_tagBITMAPHANDLE& r) {
    r.colorCount = 255;
}
void NoPalette(_tagBITMAPHANDLE& r) {
    r.palette = nullptr;
}

const ToneCase kToneRefusals[] = {
    {"gammaNoData", IL_GammaCorrectBitmap, NoData, 100, IL_E_PARAM},
    {"gammaDepth24", IL_GammaCorrectBitmap, Depth24, 100, IL_E_PARAM},
    {"gammaColours255", IL_GammaCorrectBitmap, Colours255, 100, IL_E_PARAM},
    {"gammaNoPalette", IL_GammaCorrectBitmap, NoPalette, 100, IL_E_PARAM},
    {"gamma0", IL_GammaCorrectBitmap, Keep, 0, IL_E_PARAM},
    {"brightnessNoData", IL_ChangeBitmapIntensity, NoData, 0, IL_E_PARAM},
    {"brightnessDepth24", IL_ChangeBitmapIntensity, Depth24, 0, IL_E_PARAM},
    {"brightnessColours255", IL_ChangeBitmapIntensity, Colours255, 0, IL_E_PARAM},
    {"brightnessNoPalette", IL_ChangeBitmapIntensity, NoPalette, 0, IL_E_PARAM},
    {"brightness1001", IL_ChangeBitmapIntensity, Keep, 1001, IL_E_PARAM},
    {"brightnessMinus1001", IL_ChangeBitmapIntensity, Keep, -1001, IL_E_PARAM},
    {"contrastNoData", IL_ChangeBitmapContrast, NoData, 0, IL_E_PARAM},
    {"contrastDepth24", IL_ChangeBitmapContrast, Depth24, 0, IL_E_PARAM},
    {"contrastColours255", IL_ChangeBitmapContrast, Colours255, 0, IL_E_PARAM},
    {"contrastNoPalette", IL_ChangeBitmapContrast, NoPalette, 0, IL_E_PARAM},
    {"contrast1001", IL_ChangeBitmapContrast, Keep, 1001, IL_E_PARAM},
    {"contrastMinus1001", IL_ChangeBitmapContrast, Keep, -1001, IL_E_PARAM},
};

class ToneRefusal : public ::testing::TestWithParam<ToneCase> {};

TEST_P(ToneRefusal, ReturnsCodeAndLeavesPalette) {
    const ToneCase& c = GetParam();
    TestBitmap plane(3, 2, 8);
    const std::vector<unsigned char> palette = plane.callerPalette();
    c.spoil(plane.record());
    const _tagBITMAPHANDLE before = plane.record();
    EXPECT_EQ(c.operation(plane.get(), c.value), c.expected);
    EXPECT_TRUE(SameRecord(plane.record(), before));
    EXPECT_EQ(plane.callerPalette(), palette);
}

INSTANTIATE_TEST_SUITE_P(Table, ToneRefusal, ::testing::ValuesIn(kToneRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ToneCurves, NullRecordIsNoBitmap) {
    EXPECT_EQ(IL_GammaCorrectBitmap(nullptr, 0), IL_E_NOBITMAP);
    EXPECT_EQ(IL_ChangeBitmapIntensity(nullptr, 5000), IL_E_NOBITMAP);
    EXPECT_EQ(IL_ChangeBitmapContrast(nullptr, 0), IL_E_NOBITMAP);
    EXPECT_EQ(IL_E_NOBITMAP, -814);
}

} // namespace
