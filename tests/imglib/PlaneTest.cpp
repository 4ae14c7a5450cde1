// SPDX-License-Identifier: Apache-2.0
#include "ImgLibTestSupport.h"

#include <string>

namespace {

// Three zero-filled plane records, released on destruction.
struct Planes {
    _tagBITMAPHANDLE record[3];
    _tagBITMAPHANDLE* list[3] = {&record[0], &record[1], &record[2]};
    Planes() { std::memset(record, 0, sizeof(record)); }
    ~Planes() {
        for (auto& r : record)
            IL_FreeBitmap(&r);
    }
    unsigned char& at(int plane, int x, int y) {
        return record[plane].data[y * Stride(record[plane].width, 8) + x];
    }
};

TEST(Separate, PlaneRecordsAndComponents) {
    TestBitmap page(5, 3);
    page.fillRandom(17);
    page.record().rowOrigin = 4;
    Planes planes;
    ASSERT_EQ(IL_ColorSeparateBitmap(page.get(), planes.list, 440, 0), IL_OK);
    for (int p = 0; p < 3; ++p) {
        const _tagBITMAPHANDLE& r = planes.record[p];
        EXPECT_NE(r.memoryHandle, nullptr);
        EXPECT_EQ(r.data, r.memoryHandle);
        EXPECT_EQ(r.width, 5);
        EXPECT_EQ(r.height, 3);
        EXPECT_EQ(r.bitsPerPixel, 8);
        EXPECT_EQ(r.bytesPerLine, 8);
        EXPECT_EQ(r.dataSize, 24);
        EXPECT_EQ(r.colorCount, 256);
        EXPECT_EQ(r.colorOrder, 0);
        EXPECT_EQ(r.rowOrigin, 4);
        EXPECT_EQ(r.palette, r.data + r.dataSize);
        for (int j = 0; j < 256; ++j)
            for (int b = 0; b < 3; ++b)
                ASSERT_EQ(r.palette[j * 4 + b], j);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(planes.at(p, x, y), page.at(x, y, p));
    }
}

TEST(Separate, ColourOrder0PutsByte2IntoPlane0AndMergeSwaps) {
    TestBitmap page(3, 2, 24, 0);
    page.fillRandom(4);
    Planes planes;
    ASSERT_EQ(IL_ColorSeparateBitmap(page.get(), planes.list, 440, 0), IL_OK);
    _tagBITMAPHANDLE merged{};
    ASSERT_EQ(IL_ColorMergeBitmap(&merged, planes.list, 440, 0), IL_OK);
    EXPECT_EQ(merged.colorOrder, 1);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(planes.at(0, x, y), page.at(x, y, 2));
            EXPECT_EQ(planes.at(2, x, y), page.at(x, y, 0));
            const unsigned char* out =
                merged.data + ptrdiff_t(y) * merged.bytesPerLine + ptrdiff_t(x) * 3;
            EXPECT_EQ(out[0], page.at(x, y, 2));
            EXPECT_EQ(out[1], page.at(x, y, 1));
            EXPECT_EQ(out[2], page.at(x, y, 0));
        }
    IL_FreeBitmap(&merged);
}

struct Geometry {
    int width;
    int height;
};

class SeparateMerge : public ::testing::TestWithParam<Geometry> {};

TEST_P(SeparateMerge, ReproducesThePage) {
    const Geometry g = GetParam();
    TestBitmap page(g.width, g.height);
    page.fillRandom(uint32_t(9000 + g.width * 7 + g.height));
    Planes planes;
    ASSERT_EQ(IL_ColorSeparateBitmap(page.get(), planes.list, 440, 0), IL_OK);
    TestBitmap merged(1, 1);
    IL_FreeBitmap(merged.get());
    std::memset(merged.get(), 0, sizeof(_tagBITMAPHANDLE));
    ASSERT_EQ(IL_ColorMergeBitmap(merged.get(), planes.list, 440, 0), IL_OK);
    const _tagBITMAPHANDLE& r = merged.record();
    EXPECT_EQ(r.width, g.width);
    EXPECT_EQ(r.height, g.height);
    EXPECT_EQ(r.bitsPerPixel, 24);
    EXPECT_EQ(r.bytesPerLine, Stride(g.width, 24));
    EXPECT_EQ(r.dataSize, Stride(g.width, 24) * g.height);
    EXPECT_EQ(r.colorOrder, 1);
    EXPECT_EQ(r.rowOrigin, 4);
    EXPECT_NE(r.memoryHandle, nullptr);
    EXPECT_EQ(merged.rows(), page.rows());
}

INSTANTIATE_TEST_SUITE_P(RandomPages, SeparateMerge,
                         ::testing::Values(Geometry{1, 1}, Geometry{1, 7}, Geometry{9, 1},
                                           Geometry{3, 4}, Geometry{5, 5}, Geometry{130, 37}));

TEST(Merge, ReadsPlanesThroughTheirPalettes) {
    TestBitmap page(6, 4);
    page.fillRandom(21);
    Planes planes;
    ASSERT_EQ(IL_ColorSeparateBitmap(page.get(), planes.list, 440, 0), IL_OK);
    ASSERT_EQ(IL_GammaCorrectBitmap(&planes.record[1], 200), IL_OK);
    _tagBITMAPHANDLE merged{};
    ASSERT_EQ(IL_ColorMergeBitmap(&merged, planes.list, 440, 0), IL_OK);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const unsigned char* out =
                merged.data + ptrdiff_t(y) * merged.bytesPerLine + ptrdiff_t(x) * 3;
            EXPECT_EQ(planes.at(1, x, y), page.at(x, y, 1)) << "plane pixels unadjusted";
            EXPECT_EQ(out[1], planes.record[1].palette[page.at(x, y, 1) * 4 + 1]);
            EXPECT_EQ(out[0], page.at(x, y, 0));
            EXPECT_EQ(out[2], page.at(x, y, 2));
        }
    // Gamma 200 maps 64 to 128: a pixel of 64 merges as 128.
    EXPECT_EQ(planes.record[1].palette[64 * 4 + 1], 128);
    IL_FreeBitmap(&merged);
}

TEST(Merge, ByteKComesFromByteKOfPlaneKsPalette) {
    TestBitmap page(1, 1);
    page.at(0, 0, 0) = 10;
    page.at(0, 0, 1) = 20;
    page.at(0, 0, 2) = 30;
    Planes planes;
    ASSERT_EQ(IL_ColorSeparateBitmap(page.get(), planes.list, 440, 0), IL_OK);
    for (int p = 0; p < 3; ++p) {
        unsigned char* entry = planes.record[p].palette + ptrdiff_t(10 + 10 * p) * 4;
        entry[0] = static_cast<unsigned char>(100 + p);
        entry[1] = static_cast<unsigned char>(110 + p);
        entry[2] = static_cast<unsigned char>(120 + p);
    }
    _tagBITMAPHANDLE merged{};
    ASSERT_EQ(IL_ColorMergeBitmap(&merged, planes.list, 440, 0), IL_OK);
    EXPECT_EQ(merged.data[0], 100);
    EXPECT_EQ(merged.data[1], 111);
    EXPECT_EQ(merged.data[2], 122);
    IL_FreeBitmap(&merged);
}

// ---- Separation refusals ---------------------------------------------------------------

struct SeparateCase {
    const char* name;
    void (*spoil)(_tagBITMAPHANDLE& source, _tagBITMAPHANDLE** list);
    int stamp;
    int flags;
    bool listGiven;
    int expected;
};

const SeparateCase kSeparateRefusals[] = {
    {"stamp439", [](_tagBITMAPHANDLE& s, _tagBITMAPHANDLE**) { s.data = nullptr; }, 439, 0, true,
     IL_E_RECSIZE},
    {"noData", [](_tagBITMAPHANDLE& s, _tagBITMAPHANDLE**) { s.data = nullptr; }, 440, 0, true,
     IL_E_PARAM},
    {"depth8", [](_tagBITMAPHANDLE& s, _tagBITMAPHANDLE**) { s.bitsPerPixel = 8; }, 440, 0, true,
     IL_E_PARAM},
    {"colorOrder2", [](_tagBITMAPHANDLE& s, _tagBITMAPHANDLE**) { s.colorOrder = 2; }, 440, 0, true,
     IL_E_PARAM},
    {"noList", [](_tagBITMAPHANDLE&, _tagBITMAPHANDLE**) {}, 440, 0, false, IL_E_PARAM},
    {"plane0Null", [](_tagBITMAPHANDLE&, _tagBITMAPHANDLE** l) { l[0] = nullptr; }, 440, 0, true,
     IL_E_PARAM},
    {"plane2Null", [](_tagBITMAPHANDLE&, _tagBITMAPHANDLE** l) { l[2] = nullptr; }, 440, 0, true,
     IL_E_PARAM},
    {"flags1", [](_tagBITMAPHANDLE&, _tagBITMAPHANDLE**) {}, 440, 1, true, IL_E_PARAM},
    {"sourceHeight0", [](_tagBITMAPHANDLE& s, _tagBITMAPHANDLE**) { s.height = 0; }, 440, 0, true,
     IL_E_PARAM},
    {"rowsBeyondBlock", [](_tagBITMAPHANDLE& s, _tagBITMAPHANDLE**) { s.dataSize = 1; }, 440, 0,
     true, IL_E_PARAM},
    {"planeTwice", [](_tagBITMAPHANDLE&, _tagBITMAPHANDLE** l) { l[2] = l[0]; }, 440, 0, true,
     IL_E_PARAM},
};

class SeparateRefusal : public ::testing::TestWithParam<SeparateCase> {};

TEST_P(SeparateRefusal, ReturnsCodeAndWritesNoPlane) {
    const SeparateCase& c = GetParam();
    TestBitmap page(4, 3);
    page.fillRandom(2);
    Planes planes;
    _tagBITMAPHANDLE* list[3] = {planes.list[0], planes.list[1], planes.list[2]};
    c.spoil(page.record(), list);
    const _tagBITMAPHANDLE before = page.record();
    EXPECT_EQ(IL_ColorSeparateBitmap(page.get(), c.listGiven ? list : nullptr, c.stamp, c.flags),
              c.expected);
    EXPECT_TRUE(SameRecord(page.record(), before));
    const _tagBITMAPHANDLE empty{};
    for (const auto& r : planes.record)
        EXPECT_TRUE(SameRecord(r, empty));
}

INSTANTIATE_TEST_SUITE_P(Table, SeparateRefusal, ::testing::ValuesIn(kSeparateRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Separate, NullSourceIsParam) {
    Planes planes;
    EXPECT_EQ(IL_ColorSeparateBitmap(nullptr, planes.list, 439, 0), IL_E_PARAM);
}

TEST(Separate, SourceAsPlaneIsRefused) {
    TestBitmap page(2, 2);
    Planes planes;
    planes.list[1] = page.get();
    const _tagBITMAPHANDLE before = page.record();
    EXPECT_EQ(IL_ColorSeparateBitmap(page.get(), planes.list, 440, 0), IL_E_PARAM);
    EXPECT_TRUE(SameRecord(page.record(), before));
}

TEST(Separate, UnobtainablePlanesAreNoMemAndNoPlaneHasPixels) {
    unsigned char small[16] = {};
    _tagBITMAPHANDLE source = HugeRecord(small, 24, 1 << 29, 0x7FFFFFFF);
    Planes planes;
    EXPECT_EQ(IL_ColorSeparateBitmap(&source, planes.list, 440, 0), IL_E_NOMEM);
    for (const auto& r : planes.record) {
        EXPECT_EQ(r.data, nullptr);
        EXPECT_EQ(r.memoryHandle, nullptr);
        EXPECT_EQ(r.palette, nullptr);
    }
}

// ---- Merge refusals --------------------------------------------------------------------

struct MergeCase {
    const char* name;
    void (*spoil)(_tagBITMAPHANDLE** list);
    int stamp;
    int flags;
    int expected;
};

const MergeCase kMergeRefusals[] = {
    {"stamp439", [](_tagBITMAPHANDLE** l) { l[1] = nullptr; }, 439, 0, IL_E_RECSIZE},
    {"plane1Missing", [](_tagBITMAPHANDLE** l) { l[1] = nullptr; }, 440, 1, IL_E_NODATA},
    {"plane2WithoutData", [](_tagBITMAPHANDLE** l) { l[2]->data = nullptr; }, 440, 0, IL_E_NODATA},
    {"flags1", [](_tagBITMAPHANDLE**) {}, 440, 1, IL_E_PARAM},
    {"widthDiffers", [](_tagBITMAPHANDLE** l) { l[1]->width += 1; }, 440, 0, IL_E_PARAM},
    {"heightDiffers", [](_tagBITMAPHANDLE** l) { l[2]->height -= 1; }, 440, 0, IL_E_PARAM},
    {"colorOrder1", [](_tagBITMAPHANDLE** l) { l[1]->colorOrder = 1; }, 440, 0, IL_E_PARAM},
    {"depth24", [](_tagBITMAPHANDLE** l) { l[0]->bitsPerPixel = 24; }, 440, 0, IL_E_PARAM},
    {"strideWrong", [](_tagBITMAPHANDLE** l) { l[2]->bytesPerLine += 4; }, 440, 0, IL_E_PARAM},
    {"colours255", [](_tagBITMAPHANDLE** l) { l[1]->colorCount = 255; }, 440, 0, IL_E_PARAM},
    {"noPalette", [](_tagBITMAPHANDLE** l) { l[0]->palette = nullptr; }, 440, 0, IL_E_PARAM},
    {"originDiffers", [](_tagBITMAPHANDLE** l) { l[2]->rowOrigin = 1; }, 440, 0, IL_E_PARAM},
    {"sizeWrong", [](_tagBITMAPHANDLE** l) { l[1]->dataSize += 1; }, 440, 0, IL_E_PARAM},
    {"allWidth0", [](_tagBITMAPHANDLE** l) { l[0]->width = l[1]->width = l[2]->width = 0; }, 440, 0,
     IL_E_PARAM},
};

class MergeRefusal : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MergeRefusal, ReturnsCodeAndLeavesDestination) {
    const MergeCase& c = GetParam();
    TestBitmap page(5, 3);
    page.fillRandom(6);
    Planes planes;
    ASSERT_EQ(IL_ColorSeparateBitmap(page.get(), planes.list, 440, 0), IL_OK);
    _tagBITMAPHANDLE* list[3] = {planes.list[0], planes.list[1], planes.list[2]};
    unsigned char* data[3] = {planes.record[0].data, planes.record[1].data, planes.record[2].data};
    c.spoil(list);
    _tagBITMAPHANDLE destination;
    std::memset(&destination, 0x11, sizeof(destination));
    const _tagBITMAPHANDLE before = destination;
    EXPECT_EQ(IL_ColorMergeBitmap(&destination, list, c.stamp, c.flags), c.expected);
    EXPECT_TRUE(SameRecord(destination, before));
    for (int p = 0; p < 3; ++p)
        planes.record[p].data = data[p];
}

INSTANTIATE_TEST_SUITE_P(Table, MergeRefusal, ::testing::ValuesIn(kMergeRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Merge, NullDestinationOrListIsParam) {
    Planes planes;
    _tagBITMAPHANDLE destination{};
    EXPECT_EQ(IL_ColorMergeBitmap(nullptr, planes.list, 439, 0), IL_E_PARAM);
    EXPECT_EQ(IL_ColorMergeBitmap(&destination, nullptr, 440, 0), IL_E_PARAM);
}

TEST(Merge, DestinationAsPlaneIsRefused) {
    TestBitmap page(2, 2);
    Planes planes;
    ASSERT_EQ(IL_ColorSeparateBitmap(page.get(), planes.list, 440, 0), IL_OK);
    const _tagBITMAPHANDLE before = planes.record[2];
    EXPECT_EQ(IL_ColorMergeBitmap(&planes.record[2], planes.list, 440, 0), IL_E_PARAM);
    EXPECT_TRUE(SameRecord(planes.record[2], before));
}

TEST(Merge, UnobtainablePageIsNoMemAndLeavesDestination) {
    unsigned char small[1024] = {};
    _tagBITMAPHANDLE plane = HugeRecord(small, 8, 1 << 29, 0x7FFFFFFF);
    _tagBITMAPHANDLE* list[3] = {&plane, &plane, &plane};
    _tagBITMAPHANDLE destination{};
    EXPECT_EQ(IL_ColorMergeBitmap(&destination, list, 440, 0), IL_E_NOMEM);
    EXPECT_EQ(destination.data, nullptr);
    EXPECT_EQ(destination.memoryHandle, nullptr);
}

} // namespace
