// The colour chain against its plain form: the fast chain (library operations, tone curves as
// table lookups, the result moved instead of separated and merged) and the plain chain (plain
// image operations, every step literally) give the same record and the same bytes for random
// pages of odd sizes at the filter's settings, with one and with two worker threads.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PhotoImageBuffer.h"
#include "PhotoPrinterDeviceTQ51M.h"

namespace {

uint64_t Stride24(uint64_t width) {
    return (width * 24 + 31) / 32 * 4;
}

// A page as the job driver hands it over: malloc'ed, bottom-up rows padded to 4 bytes; runs of
// similar colours mixed with noise, grey pixels included.
std::vector<unsigned char> RandomPage(int width, int height, uint32_t seed) {
    std::vector<unsigned char> page(Stride24(uint64_t(width)) * uint64_t(height));
    std::mt19937 random(seed);
    unsigned char base[3] = {0, 0, 0};
    int run = 0;
    for (size_t i = 0; i < page.size(); i += 3) {
        if (run-- <= 0) {
            run = int(random() % 16);
            for (unsigned char& b : base)
                b = static_cast<unsigned char>(random());
            if (random() % 4 == 0)
                base[1] = base[2] = base[0];
        }
        for (size_t b = 0; b < 3 && i + b < page.size(); ++b)
            page[i + b] = static_cast<unsigned char>(base[b] + random() % 3);
    }
    return page;
}

char* Copy(const std::vector<unsigned char>& page) {
    char* pixels = static_cast<char*>(std::malloc(page.empty() ? 1 : page.size()));
    if (!page.empty())
        std::memcpy(pixels, page.data(), page.size());
    return pixels;
}

void Release(_tagBITMAPHANDLE* record) {
    if (record != nullptr)
        IL_FreeBitmap(record);
    std::free(record);
}

using Record = std::unique_ptr<_tagBITMAPHANDLE, void (*)(_tagBITMAPHANDLE*)>;

void ExpectSameResult(const Record& fast, const Record& plain, const std::string& what) {
    ASSERT_EQ(fast == nullptr, plain == nullptr) << what;
    if (fast == nullptr)
        return;
    ASSERT_EQ(fast->data == nullptr, plain->data == nullptr) << what;
    ASSERT_EQ(fast->memoryHandle == nullptr, plain->memoryHandle == nullptr) << what;
    ASSERT_EQ(fast->width, plain->width) << what;
    ASSERT_EQ(fast->height, plain->height) << what;
    ASSERT_EQ(fast->bitsPerPixel, plain->bitsPerPixel) << what;
    ASSERT_EQ(fast->bytesPerLine, plain->bytesPerLine) << what;
    ASSERT_EQ(fast->colorCount, plain->colorCount) << what;
    ASSERT_EQ(fast->palette, plain->palette) << what;
    ASSERT_EQ(fast->rowOrigin, plain->rowOrigin) << what;
    ASSERT_EQ(fast->colorOrder, plain->colorOrder) << what;
    ASSERT_EQ(fast->dataSize, plain->dataSize) << what;
    if (fast->data == nullptr)
        return;
    const int cmp = std::memcmp(fast->data, plain->data, size_t(fast->dataSize));
    ASSERT_EQ(cmp, 0) << what << ": pixel bytes differ";
}

struct Settings {
    long resolutionMode;
    bool rotate;
    int mediaId; // 0: border off
    int sharpness;
    bool adjust;
    int gamma[3];
    int brightness[3];
    int contrast[3];
    int saturation;
};

std::string Describe(const Settings& s, int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height) + " mode " +
           std::to_string(s.resolutionMode) + (s.rotate ? " rotated" : "") + " media " +
           std::to_string(s.mediaId) + " sharpness " + std::to_string(s.sharpness) +
           (s.adjust ? " adjusted, saturation " + std::to_string(s.saturation) : "");
}

void Configure(PhotoImageBuffer& buffer, const Settings& s) {
    std::unique_ptr<DeviceEntry_TQ51M> device(new DeviceEntry_TQ51M);
    device->m_settings.dpi = s.resolutionMode == 0 ? 300 : 600;
    DeviceMediaBufferInfo info;
    std::memset(&info, 0, sizeof(info));
    if (s.mediaId != 0)
        device->SetMediaInfo(info, s.mediaId, 1.53);
    buffer.Alloc(info);
    buffer.m_settings.dpi = device->m_settings.dpi;
    buffer.m_settings.resolutionMode = s.resolutionMode;
    buffer.m_settings.paperRotate = s.rotate;
    buffer.m_settings.border = s.mediaId != 0;
    buffer.m_settings.sharpness = s.sharpness;
    buffer.m_settings.colorAdjustment = s.adjust;
    buffer.m_settings.gamma.r = s.gamma[0];
    buffer.m_settings.gamma.g = s.gamma[1];
    buffer.m_settings.gamma.b = s.gamma[2];
    buffer.m_settings.brightness.r = s.brightness[0];
    buffer.m_settings.brightness.g = s.brightness[1];
    buffer.m_settings.brightness.b = s.brightness[2];
    buffer.m_settings.contrast.r = s.contrast[0];
    buffer.m_settings.contrast.g = s.contrast[1];
    buffer.m_settings.contrast.b = s.contrast[2];
    buffer.m_settings.saturation = s.saturation;
}

void ExpectSameChain(const Settings& settings, int width, int height, uint32_t seed) {
    const std::vector<unsigned char> page = RandomPage(width, height, seed);
    PhotoImageBuffer fastBuffer;
    PhotoImageBuffer plainBuffer;
    Configure(fastBuffer, settings);
    Configure(plainBuffer, settings);
    Record fast(fastBuffer.ColorProcess(Copy(page), width, height, 0), &Release);
    Record plain(plainBuffer.ColorProcessPlain(Copy(page), width, height, 0), &Release);
    ExpectSameResult(fast, plain, Describe(settings, width, height));
}

// The filter's values: sharpness table entries, gamma from the gamma option (2^(v/100) x 100),
// brightness 2 x option, contrast and saturation 10 x option, and values the library refuses.
const int kSharpness[] = {-1000, -500, 0, 650, 700, 750, 800, 850, 900, 950, 1000};
const int kGamma[] = {50, 70, 87, 100, 123, 141, 200, 0};
const int kBrightness[] = {-200, -60, -2, 0, 2, 40, 100, 200, 1200};
const int kContrast[] = {-1000, -300, 0, 100, 300, 1000, 1100};
const int kSaturation[] = {-1000, -300, -10, 0, 10, 300, 1000, 1010};
const int kMedia[] = {0, 33, 31, 37, 71};

Settings RandomSettings(std::mt19937& random) {
    auto pick = [&random](const auto& values) {
        return values[random() % (sizeof(values) / sizeof(values[0]))];
    };
    Settings s{};
    s.resolutionMode = long(random() % 3);
    s.rotate = random() % 2 == 1;
    s.mediaId = pick(kMedia);
    s.sharpness = pick(kSharpness);
    s.adjust = random() % 4 != 0;
    for (int k = 0; k < 3; ++k) {
        s.gamma[k] = pick(kGamma);
        s.brightness[k] = pick(kBrightness);
        s.contrast[k] = pick(kContrast);
    }
    s.saturation = pick(kSaturation);
    return s;
}

struct Size {
    int width;
    int height;
};

class ChainWorkers : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override { IL_SetWorkerCount(GetParam()); }
    void TearDown() override { IL_SetWorkerCount(0); }
};

INSTANTIATE_TEST_SUITE_P(Workers, ChainWorkers, ::testing::Values(1, 2));

// Every resolution mode, rotation and border with each sharpness value, on small odd pages.
TEST_P(ChainWorkers, EveryModeRotationBorderAndSharpness) {
    const Size sizes[] = {{1, 1}, {1, 5}, {5, 1}, {2, 2}, {7, 3}, {33, 17}};
    uint32_t seed = 1;
    std::mt19937 random(77);
    for (const Size& size : sizes)
        for (long mode = 0; mode < 3; ++mode)
            for (bool rotate : {false, true})
                for (int media : kMedia)
                    for (int sharpness : kSharpness) {
                        Settings s = RandomSettings(random);
                        s.resolutionMode = mode;
                        s.rotate = rotate;
                        s.mediaId = media;
                        s.sharpness = sharpness;
                        ExpectSameChain(s, size.width, size.height, seed++);
                        if (HasFatalFailure())
                            return;
                    }
}

// Random settings on pages tall enough for several border bands.
TEST_P(ChainWorkers, RandomSettingsOnLargerPages) {
    const Size sizes[] = {{301, 1203}, {1203, 301}, {97, 2001}, {640, 1001}};
    std::mt19937 random(2024);
    uint32_t seed = 500;
    for (const Size& size : sizes)
        for (int round = 0; round < 6; ++round) {
            ExpectSameChain(RandomSettings(random), size.width, size.height, seed++);
            if (HasFatalFailure())
                return;
        }
}

// A full 8 x 4 inch page at 300 dpi with the border and every adjustment on.
TEST_P(ChainWorkers, FullPageWithEveryAdjustment) {
    Settings s{0, false, 33, 750, true, {141, 123, 87}, {40, -20, 60}, {300, 200, -100}, 300};
    ExpectSameChain(s, 2448, 1236, 9);
}

TEST(ChainExactness, EmptyPageGivesTheSameEmptyRecord) {
    Settings s{0, false, 33, 750, true, {141, 123, 87}, {40, -20, 60}, {300, 200, -100}, 300};
    ExpectSameChain(s, 0, 0, 1);
    // A page that shrinks to nothing inside the border.
    ExpectSameChain(s, 1, 1, 2);
}

} // namespace
