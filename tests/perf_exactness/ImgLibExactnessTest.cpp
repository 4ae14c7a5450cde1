// SPDX-License-Identifier: Apache-2.0
// The optimised resampling, sharpening and saturation against their plain forms: the same
// result code, record and every byte, on random pages of odd sizes, at every setting the
// filter uses, with one, two and three worker threads.
#include "PvkImgLib.h"
#include "PvkImgLibPlain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

int64_t Stride24(int64_t width) {
    return (width * 24 + 31) / 32 * 4;
}

// A 24-bit page over memory the test owns, random pixels and random padding bytes.
class Page {
  public:
    Page(int width, int height, uint32_t seed, uint32_t colorOrder = IL_COLORORDER_RGB)
        : m_pixels(size_t(Stride24(width) * height)) {
        std::mt19937 random(seed);
        // Photo-like runs of similar pixels mixed with plain noise, so that clamps, grey
        // pixels, equal components and every hue sector occur.
        int run = 0;
        unsigned char base[3] = {0, 0, 0};
        for (unsigned char& byte : m_pixels) {
            if (run-- <= 0) {
                run = int(random() % 12);
                for (unsigned char& b : base)
                    b = static_cast<unsigned char>(random());
            }
            const int pick = int(random() % 8);
            byte = pick == 0   ? static_cast<unsigned char>(random())
                   : pick == 1 ? base[0]
                               : static_cast<unsigned char>(base[pick % 3] + random() % 5);
        }
        std::memset(&m_record, 0, sizeof(m_record));
        EXPECT_EQ(IL_CreateBitmap(&m_record, IL_BITMAPHANDLE_SIZE, IL_MEMORY_USER, uint32_t(width),
                                  uint32_t(height), 24, colorOrder, nullptr, IL_ROWORIGIN_BOTTOM,
                                  m_pixels.data(), int64_t(m_pixels.size())),
                  IL_OK);
    }
    // A second page with the same record and bytes.
    Page(const Page& other) : m_pixels(other.m_pixels), m_record(other.m_record) {
        m_record.data = m_pixels.data();
    }
    ~Page() { IL_FreeBitmap(&m_record); }
    Page& operator=(const Page&) = delete;

    _tagBITMAPHANDLE* get() { return &m_record; }

  private:
    std::vector<unsigned char> m_pixels;
    _tagBITMAPHANDLE m_record;
};

// Same fields and the same dataSize bytes; the pixel pointers themselves differ.
void ExpectSameBitmap(const _tagBITMAPHANDLE& fast, const _tagBITMAPHANDLE& plain,
                      const std::string& what) {
    ASSERT_EQ(fast.width, plain.width) << what;
    ASSERT_EQ(fast.height, plain.height) << what;
    ASSERT_EQ(fast.bitsPerPixel, plain.bitsPerPixel) << what;
    ASSERT_EQ(fast.bytesPerLine, plain.bytesPerLine) << what;
    ASSERT_EQ(fast.dataSize, plain.dataSize) << what;
    ASSERT_EQ(fast.colorOrder, plain.colorOrder) << what;
    ASSERT_EQ(fast.palette == nullptr, plain.palette == nullptr) << what;
    ASSERT_EQ(fast.memoryHandle == nullptr, plain.memoryHandle == nullptr) << what;
    const auto size = size_t(fast.dataSize);
    const unsigned char* a = fast.data;
    const unsigned char* b = plain.data;
    for (size_t i = 0; i < size; ++i)
        if (a[i] != b[i])
            FAIL() << what << ": byte " << i << " (row " << i / size_t(fast.bytesPerLine)
                   << ", offset " << i % size_t(fast.bytesPerLine) << ") is " << int(a[i])
                   << ", plain " << int(b[i]);
}

struct Size {
    int width;
    int height;
};

// Odd shapes, one pixel wide and one row high included.
const Size kPageSizes[] = {{1, 1},   {1, 9},   {9, 1},   {2, 3},    {3, 2},    {5, 7},
                           {17, 13}, {31, 64}, {64, 31}, {101, 37}, {333, 251}};

class WorkerCountTest : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override { IL_SetWorkerCount(GetParam()); }
    void TearDown() override { IL_SetWorkerCount(0); }
};

INSTANTIATE_TEST_SUITE_P(Workers, WorkerCountTest, ::testing::Values(1, 2, 3));

// The targets the filter asks for: half the width (600 dpi), half the width and twice the
// height (rotated 300 x 600), the border shrinks of the media table (0.9509804 across an
// 8-inch print, 0.9126214 along a 4-inch one), the same size; and some arbitrary ones.
std::vector<Size> ResampleTargets(const Size& s) {
    std::vector<Size> targets = {
        {s.width / 2, s.height},
        {s.width / 2, 2 * s.height},
        {int(float(s.width) * 0.9509804f), int(float(s.height) * 0.9509804f)},
        {int(float(s.width) * 0.9126214f), int(float(s.height) * 0.9126214f)},
        {s.width, s.height},
        {s.width * 3 + 1, s.height * 2 + 1},
        {s.width / 3 + 1, s.height / 5 + 1}};
    std::vector<Size> valid;
    for (const Size& t : targets)
        if (t.width > 0 && t.height > 0)
            valid.push_back(t);
    return valid;
}

TEST_P(WorkerCountTest, ResamplingMatchesThePlainPasses) {
    uint32_t seed = 1;
    for (const Size& size : kPageSizes)
        for (const Size& target : ResampleTargets(size)) {
            Page fast(size.width, size.height, seed++);
            Page plain(fast);
            const std::string what =
                std::to_string(size.width) + "x" + std::to_string(size.height) + " to " +
                std::to_string(target.width) + "x" + std::to_string(target.height);
            ASSERT_EQ(IL_SizeBitmap(fast.get(), target.width, target.height, IL_RESIZE_CUBIC),
                      PlainSizeBitmap(plain.get(), target.width, target.height, IL_RESIZE_CUBIC))
                << what;
            ExpectSameBitmap(*fast.get(), *plain.get(), what);
        }
}

// The rows written into caller memory (the border step's bands) are the plain result's first
// rows; bytes beyond each row's pixels are left alone.
TEST_P(WorkerCountTest, ResampledRowsIntoCallerMemoryMatchThePlainPasses) {
    uint32_t seed = 900;
    for (const Size& size : kPageSizes)
        for (const Size& target : ResampleTargets(size)) {
            Page source(size.width, size.height, seed++);
            Page plain(source);
            ASSERT_EQ(PlainSizeBitmap(plain.get(), target.width, target.height, IL_RESIZE_CUBIC),
                      IL_OK);
            const int64_t stride = int64_t{target.width} * 3 + 5;
            for (int rows : {target.height, (target.height + 1) / 2, 1}) {
                std::vector<unsigned char> out(size_t(stride * rows), 0xEE);
                ASSERT_EQ(SizeBitmapRowsInto(source.get(), target.width, target.height, rows,
                                             out.data(), stride),
                          IL_OK);
                for (int r = 0; r < rows; ++r) {
                    const unsigned char* row = out.data() + r * stride;
                    ASSERT_EQ(std::memcmp(row, plain.get()->data + r * plain.get()->bytesPerLine,
                                          size_t(target.width) * 3),
                              0)
                        << "row " << r << " of " << target.width << "x" << target.height;
                    for (int64_t b = int64_t{target.width} * 3; b < stride; ++b)
                        ASSERT_EQ(row[b], 0xEE);
                }
            }
        }
}

// Byte k of every pixel through table k, whatever the split of the rows; padding untouched.
TEST_P(WorkerCountTest, MappedPixelBytesAreTheTableValues) {
    std::mt19937 random(31);
    unsigned char tables[3][256];
    for (auto& table : tables)
        for (unsigned char& entry : table)
            entry = static_cast<unsigned char>(random());
    uint32_t seed = 1300;
    for (const Size& size : kPageSizes) {
        Page page(size.width, size.height, seed++);
        const _tagBITMAPHANDLE& record = *page.get();
        const std::vector<unsigned char> before(record.data, record.data + record.dataSize);
        ASSERT_EQ(MapPixelBytes(page.get(), tables), IL_OK);
        for (int64_t i = 0; i < record.dataSize; ++i) {
            const int64_t offset = i % record.bytesPerLine;
            const unsigned char expected = offset < int64_t{record.width} * 3
                                               ? tables[offset % 3][before[size_t(i)]]
                                               : before[size_t(i)];
            ASSERT_EQ(record.data[i], expected) << "byte " << i;
        }
    }
}

TEST(ResampleExactness, RefusalsMatchThePlainPasses) {
    Page fast(5, 5, 7);
    Page plain(fast);
    const int cases[][3] = {{0, 5, IL_RESIZE_CUBIC}, {5, -1, IL_RESIZE_CUBIC}, {5, 5, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(IL_SizeBitmap(fast.get(), c[0], c[1], c[2]),
                  PlainSizeBitmap(plain.get(), c[0], c[1], c[2]));
    ExpectSameBitmap(*fast.get(), *plain.get(), "refused");
}

// Every sharpness value of the filter's table, and values between the keys.
const int kSharpenValues[] = {-1000, -500, 0,    650, 700, 750, 800, 850, 900,
                              950,   1000, -999, -1,  1,   25,  333, 999};

TEST_P(WorkerCountTest, SharpeningMatchesThePlainPath) {
    uint32_t seed = 100;
    for (const Size& size : kPageSizes)
        for (int value : kSharpenValues)
            for (uint32_t order : {IL_COLORORDER_RGB, IL_COLORORDER_BGR}) {
                Page fast(size.width, size.height, seed++, order);
                Page plain(fast);
                const std::string what = std::to_string(size.width) + "x" +
                                         std::to_string(size.height) + " value " +
                                         std::to_string(value);
                ASSERT_EQ(IL_SharpenBitmap(fast.get(), value),
                          PlainSharpenBitmap(plain.get(), value))
                    << what;
                ExpectSameBitmap(*fast.get(), *plain.get(), what);
            }
}

// Every centre byte with every neighbour sum (0 ... 2040) at every strength the filter uses,
// against the stated arithmetic: trunc(b x centre + c x sum) clamped to 0 ... 255 with
// b = 8k/9 + 1 and c = -k/9 in double. The page is tiled with 3 x 3 blocks; the centre pixel of
// a block sees only its own block, and each of its three bytes tests one pair.
TEST(SharpenExactness, EveryCentreAndNeighbourSum) {
    constexpr int kSums = 8 * 255 + 1;
    constexpr int kBlocksAcross = 420;
    constexpr int kBlocksDown = (256 * kSums / 3 + kBlocksAcross) / kBlocksAcross;
    constexpr int kWidth = kBlocksAcross * 3;
    constexpr int kHeight = kBlocksDown * 3;
    std::vector<unsigned char> pixels(size_t(Stride24(kWidth) * kHeight), 0);
    auto byteAt = [&](int x, int y, int b) -> unsigned char& {
        return pixels[size_t(y * Stride24(kWidth) + x * 3 + b)];
    };
    for (int pair = 0; pair < 256 * kSums; ++pair) {
        const int block = pair / 3;
        const int b = pair % 3;
        const int bx = block % kBlocksAcross * 3;
        const int by = block / kBlocksAcross * 3;
        byteAt(bx + 1, by + 1, b) = static_cast<unsigned char>(pair / kSums);
        int rest = pair % kSums;
        for (int n = 0; n < 9; ++n)
            if (n != 4) {
                const int value = rest < 255 ? rest : 255;
                byteAt(bx + n % 3, by + n / 3, b) = static_cast<unsigned char>(value);
                rest -= value;
            }
    }
    const int values[] = {-1000, -500, 0, 650, 700, 750, 800, 850, 900, 950, 1000};
    const double strengths[] = {-1.0,   -0.204, 0.0,   0.365, 0.412, 0.5,
                                0.6046, 0.8203, 1.125, 2.25,  9.0};
    for (int v = 0; v < 11; ++v) {
        std::vector<unsigned char> fastPixels = pixels;
        std::vector<unsigned char> plainPixels = pixels;
        _tagBITMAPHANDLE fast{};
        _tagBITMAPHANDLE plain{};
        ASSERT_EQ(IL_CreateBitmap(&fast, 440, 2, kWidth, kHeight, 24, 1, nullptr, 4,
                                  fastPixels.data(), int64_t(fastPixels.size())),
                  IL_OK);
        ASSERT_EQ(IL_CreateBitmap(&plain, 440, 2, kWidth, kHeight, 24, 1, nullptr, 4,
                                  plainPixels.data(), int64_t(plainPixels.size())),
                  IL_OK);
        ASSERT_EQ(IL_SharpenBitmap(&fast, values[v]), IL_OK);
        ASSERT_EQ(PlainSharpenBitmap(&plain, values[v]), IL_OK);
        ExpectSameBitmap(fast, plain, "value " + std::to_string(values[v]));
        const double k = strengths[v];
        const double centreWeight = 8.0 * k / 9.0 + 1.0;
        const double neighbourWeight = -k / 9.0;
        for (int pair = 0; pair < 256 * kSums; ++pair) {
            const int block = pair / 3;
            const int x = block % kBlocksAcross * 3 + 1;
            const int y = block / kBlocksAcross * 3 + 1;
            const int centre = pair / kSums;
            const int sum = int(centreWeight * centre + neighbourWeight * (pair % kSums));
            const int expected = sum < 0 ? 0 : sum > 255 ? 255 : sum;
            ASSERT_EQ(fastPixels[size_t(y * Stride24(kWidth) + x * 3 + pair % 3)], expected)
                << "value " << values[v] << " centre " << pair / kSums << " sum " << pair % kSums;
        }
    }
}

TEST_P(WorkerCountTest, SaturationMatchesThePlainPathAtEveryFilterValue) {
    uint32_t seed = 5000;
    // The filter passes 10 x the chroma option, -1000 ... 1000.
    for (int value = -1000; value <= 1000; value += 10) {
        const Size& size = kPageSizes[size_t(value / 10 + 100) % std::size(kPageSizes)];
        for (uint32_t order : {IL_COLORORDER_RGB, IL_COLORORDER_BGR}) {
            Page fast(size.width, size.height, seed++, order);
            Page plain(fast);
            const std::string what = "value " + std::to_string(value);
            ASSERT_EQ(IL_ChangeBitmapSaturation(fast.get(), value),
                      PlainChangeBitmapSaturation(plain.get(), value))
                << what;
            ExpectSameBitmap(*fast.get(), *plain.get(), what);
        }
    }
}

// Every one of the 2^24 colours, in a 4096 x 4096 page, at the ends, at neutral and at a few
// values between.
TEST(SaturationExactness, EveryColour) {
    IL_SetWorkerCount(2);
    std::vector<unsigned char> all(size_t(4096) * 4096 * 3);
    for (uint32_t colour = 0; colour < (1u << 24); ++colour) {
        all[size_t(colour) * 3] = static_cast<unsigned char>(colour);
        all[size_t(colour) * 3 + 1] = static_cast<unsigned char>(colour >> 8);
        all[size_t(colour) * 3 + 2] = static_cast<unsigned char>(colour >> 16);
    }
    for (int value : {-1000, -370, 0, 10, 500, 1000}) {
        std::vector<unsigned char> fastPixels = all;
        std::vector<unsigned char> plainPixels = all;
        _tagBITMAPHANDLE fast{};
        _tagBITMAPHANDLE plain{};
        ASSERT_EQ(IL_CreateBitmap(&fast, 440, 2, 4096, 4096, 24, 1, nullptr, 4, fastPixels.data(),
                                  int64_t(fastPixels.size())),
                  IL_OK);
        ASSERT_EQ(IL_CreateBitmap(&plain, 440, 2, 4096, 4096, 24, 1, nullptr, 4, plainPixels.data(),
                                  int64_t(plainPixels.size())),
                  IL_OK);
        ASSERT_EQ(IL_ChangeBitmapSaturation(&fast, value), IL_OK);
        ASSERT_EQ(PlainChangeBitmapSaturation(&plain, value), IL_OK);
        ExpectSameBitmap(fast, plain, "every colour at " + std::to_string(value));
    }
    IL_SetWorkerCount(0);
}

TEST(SaturationExactness, RefusalsMatchThePlainPath) {
    Page fast(3, 3, 9);
    Page plain(fast);
    for (int value : {1001, -1001})
        EXPECT_EQ(IL_ChangeBitmapSaturation(fast.get(), value),
                  PlainChangeBitmapSaturation(plain.get(), value));
    EXPECT_EQ(IL_ChangeBitmapSaturation(nullptr, 0), PlainChangeBitmapSaturation(nullptr, 0));
    ExpectSameBitmap(*fast.get(), *plain.get(), "refused");
}

} // namespace
