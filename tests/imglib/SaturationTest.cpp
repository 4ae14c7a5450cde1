// SPDX-License-Identifier: Apache-2.0
#include "ImgLibTestSupport.h"

#include <algorithm>
#include <string>

namespace {

struct Pixel {
    unsigned char b0, b1, b2;
    bool operator==(const Pixel& o) const { return b0 == o.b0 && b1 == o.b1 && b2 == o.b2; }
};

std::ostream& operator<<(std::ostream& out, const Pixel& p) {
    return out << '(' << int(p.b0) << ", " << int(p.b1) << ", " << int(p.b2) << ')';
}

Pixel Saturate(Pixel in, int value, uint32_t colorOrder = 1) {
    TestBitmap bitmap(1, 1, 24, colorOrder);
    bitmap.at(0, 0, 0) = in.b0;
    bitmap.at(0, 0, 1) = in.b1;
    bitmap.at(0, 0, 2) = in.b2;
    EXPECT_EQ(IL_ChangeBitmapSaturation(bitmap.get(), value), IL_OK);
    return {bitmap.at(0, 0, 0), bitmap.at(0, 0, 1), bitmap.at(0, 0, 2)};
}

TEST(Saturation, StatedPixelExamples) {
    const struct {
        int value;
        Pixel in;
        Pixel out;
    } cases[] = {
        {0, {200, 100, 50}, {200, 100, 50}},      {0, {7, 1, 0}, {7, 0, 0}},
        {500, {200, 100, 50}, {237, 87, 12}},     {1000, {200, 100, 50}, {250, 83, 0}},
        {-1000, {200, 100, 50}, {125, 125, 125}}, {1000, {250, 10, 10}, {255, 5, 5}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Saturate(c.in, c.value), c.out) << "value " << c.value << " on " << c.in;
}

TEST(Saturation, GreyUnchangedForEveryValue) {
    for (const int value : {-1000, -500, -1, 0, 1, 250, 999, 1000})
        for (const unsigned char g : {0, 1, 128, 254, 255})
            EXPECT_EQ(Saturate({g, g, g}, value), (Pixel{g, g, g})) << value << " " << int(g);
}

TEST(Saturation, ColourOrder0ReadsBytesTheOtherWayRound) {
    EXPECT_EQ(Saturate({50, 100, 200}, 500, 0), (Pixel{12, 87, 237}));
    EXPECT_EQ(Saturate({10, 10, 250}, 1000, 0), (Pixel{5, 5, 255}));
}

TEST(Saturation, ZeroChangesAtMostTheMiddleComponentByOne) {
    TestBitmap bitmap(61, 47);
    bitmap.fillRandom(2024);
    const std::vector<unsigned char> before = bitmap.rows();
    ASSERT_EQ(IL_ChangeBitmapSaturation(bitmap.get(), 0), IL_OK);
    const std::vector<unsigned char> after = bitmap.rows();
    for (size_t p = 0; p < before.size(); p += 3) {
        const unsigned char* in = &before[p];
        const unsigned char* out = &after[p];
        const int high = std::max({in[0], in[1], in[2]});
        const int low = std::min({in[0], in[1], in[2]});
        for (int b = 0; b < 3; ++b) {
            if (in[b] == high || in[b] == low)
                ASSERT_EQ(out[b], in[b]) << "pixel " << p / 3 << " byte " << b;
            else
                ASSERT_LE(std::abs(out[b] - in[b]), 1) << "pixel " << p / 3 << " byte " << b;
        }
    }
}

TEST(Hsl, HueSectorsMeasuredFromTheMinimum) {
    const struct {
        int first, second, third;
        double H, S, L;
    } cases[] = {
        {255, 0, 0, 0, 255, 127.5},     {0, 255, 0, 120, 255, 127.5},  {0, 0, 255, 240, 255, 127.5},
        {255, 0, 255, 300, 255, 127.5}, {50, 100, 200, 220, 150, 125}, {9, 9, 9, -1, 0, 9},
    };
    for (const auto& c : cases) {
        double H, S, L;
        RGBtoHSL(c.first, c.second, c.third, &H, &S, &L);
        EXPECT_EQ(H, c.H) << c.first << " " << c.second << " " << c.third;
        EXPECT_EQ(S, c.S);
        EXPECT_EQ(L, c.L);
    }
}

TEST(Hsl, ChromaLimitedByLightnessAndByWhite) {
    unsigned char first, second, third;
    // half (100) > L (40): half = 40, max = 80, min = 0; H = 0 -> (80, 0, 0).
    HSLtoRGB(0, 200, 40, &first, &second, &third);
    EXPECT_EQ(first, 80);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(third, 0);
    // max = 200 + 100 > 255: half = 55, max = 255, min = 145; H = 180 -> (145, 255, 255).
    HSLtoRGB(180, 200, 200, &first, &second, &third);
    EXPECT_EQ(first, 145);
    EXPECT_EQ(second, 255);
    EXPECT_EQ(third, 255);
    // Grey: trunc(L) everywhere.
    HSLtoRGB(-1, 0, 99.9, &first, &second, &third);
    EXPECT_EQ(first, 99);
    EXPECT_EQ(second, 99);
    EXPECT_EQ(third, 99);
}

struct SaturationCase {
    const char* name;
    void (*spoil)(_tagBITMAPHANDLE&);
    int value;
};

const SaturationCase kSaturationRefusals[] = {
    {"noData", [](_tagBITMAPHANDLE& r) { r.data = nullptr; }, 0},
    {"depth8", [](_tagBITMAPHANDLE& r) { r.bitsPerPixel = 8; }, 0},
    {"colorOrder2", [](_tagBITMAPHANDLE& r) { r.colorOrder = 2; }, 0},
    {"value1001", [](_tagBITMAPHANDLE&) {}, 1001},
    {"valueMinus1001", [](_tagBITMAPHANDLE&) {}, -1001},
    {"width0", [](_tagBITMAPHANDLE& r) { r.width = 0; }, 0},
    {"rowsBeyondBlock", [](_tagBITMAPHANDLE& r) { r.height += 1; }, 0},
};

class SaturationRefusal : public ::testing::TestWithParam<SaturationCase> {};

TEST_P(SaturationRefusal, IsParamAndChangesNothing) {
    const SaturationCase& c = GetParam();
    TestBitmap bitmap(4, 3);
    bitmap.fillRandom(8);
    const std::vector<unsigned char> pixels = bitmap.callerPixels();
    c.spoil(bitmap.record());
    const _tagBITMAPHANDLE before = bitmap.record();
    EXPECT_EQ(IL_ChangeBitmapSaturation(bitmap.get(), c.value), IL_E_PARAM);
    EXPECT_TRUE(SameRecord(bitmap.record(), before));
    EXPECT_EQ(bitmap.callerPixels(), pixels);
}

INSTANTIATE_TEST_SUITE_P(Table, SaturationRefusal, ::testing::ValuesIn(kSaturationRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Saturation, NullRecordIsNoBitmap) {
    EXPECT_EQ(IL_ChangeBitmapSaturation(nullptr, 0), IL_E_NOBITMAP);
}

TEST(Saturation, Real8BitPlaneIsParam) {
    TestBitmap plane(4, 4, 8);
    EXPECT_EQ(IL_ChangeBitmapSaturation(plane.get(), 100), IL_E_PARAM);
}

} // namespace
