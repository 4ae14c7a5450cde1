// The colour processing chain of PhotoImageBuffer, run in-process on pages built here.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "PhotoImageBuffer.h"
#include "PhotoPrinterDeviceTQ51M.h"
#include "JobRunner.h"
#include "PipelineSupport.h"

namespace {

using PixelFn = std::function<void(int x, int row, unsigned char rgb[3])>;

int Stride(int width) {
    return ((width * 24 + 31) >> 5) * 4;
}

// A page as the job driver hands it over: malloc'ed, bottom-up rows padded to 4 bytes.
char* MakePage(int width, int height, const PixelFn& pixel) {
    char* page = static_cast<char*>(std::calloc(size_t(Stride(width)) * height, 1));
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x)
            pixel(x, row, reinterpret_cast<unsigned char*>(page) + row * Stride(width) + x * 3);
    return page;
}

PixelFn Grey(unsigned char value) {
    return [value](int, int, unsigned char rgb[3]) { rgb[0] = rgb[1] = rgb[2] = value; };
}

// A grey pattern whose every pixel differs from its neighbours; grey survives the HSL step.
PixelFn GreyPattern() {
    return [](int x, int row, unsigned char rgb[3]) {
        rgb[0] = rgb[1] = rgb[2] = static_cast<unsigned char>((x * 5 + row * 3) & 255);
    };
}

PixelFn Colourful() {
    return [](int x, int row, unsigned char rgb[3]) {
        uint32_t h = uint32_t(x) * 2654435761u ^ uint32_t(row) * 40503u;
        h ^= h >> 13;
        h *= 0x5bd1e995u;
        rgb[0] = uint8_t(h);
        rgb[1] = uint8_t(h >> 8);
        rgb[2] = uint8_t(h >> 16);
    };
}

struct Result {
    std::unique_ptr<_tagBITMAPHANDLE, void (*)(_tagBITMAPHANDLE*)> record{nullptr, nullptr};
    const unsigned char* Pixel(int x, int row) const {
        return record->data + size_t(row) * record->bytesPerLine + size_t(x) * 3;
    }
};

void Release(_tagBITMAPHANDLE* record) {
    IL_FreeBitmap(record);
    std::free(record);
}

// A sheet buffer with neutral settings: no rotation, mode 0, border off, no adjustment.
struct Chain {
    PhotoImageBuffer buffer;
    Chain() {
        buffer.m_settings.border = false;
        buffer.m_settings.gamma.r = buffer.m_settings.gamma.g = buffer.m_settings.gamma.b = 100;
    }
    Result Run(int width, int height, const PixelFn& pixel) {
        Result result;
        result.record = {buffer.ColorProcess(MakePage(width, height, pixel), width, height, 0),
                         &Release};
        return result;
    }
    void UseMedia(int mediaId) {
        std::unique_ptr<DeviceEntry_TQ51M> device(new DeviceEntry_TQ51M);
        DeviceMediaBufferInfo info;
        std::memset(&info, 0, sizeof(info));
        ASSERT_EQ(device->SetMediaInfo(info, mediaId, 1.53), 0);
        buffer.Alloc(info);
    }
};

TEST(ColorChain, NeutralSettingsKeepThePage) {
    const int width = 37, height = 23;
    auto pixel = [](int x, int row, unsigned char rgb[3]) {
        static const unsigned char fixed[2][3] = {{200, 100, 50}, {7, 1, 0}};
        if (row == 0 && x < 2)
            std::memcpy(rgb, fixed[x], 3);
        else
            Colourful()(x, row, rgb);
    };
    Chain chain;
    Result out = chain.Run(width, height, pixel);
    ASSERT_NE(out.record->data, nullptr);
    ASSERT_EQ(out.record->width, width);
    ASSERT_EQ(out.record->height, height);
    EXPECT_EQ(out.record->bitsPerPixel, 24);
    EXPECT_EQ(out.record->colorOrder, 1);

    const unsigned char* kept = out.Pixel(0, 0);
    EXPECT_EQ(std::vector<int>(kept, kept + 3), (std::vector<int>{200, 100, 50}));
    const unsigned char* lowered = out.Pixel(1, 0);
    EXPECT_EQ(std::vector<int>(lowered, lowered + 3), (std::vector<int>{7, 0, 0}));

    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) {
            unsigned char in[3];
            pixel(x, row, in);
            const unsigned char* o = out.Pixel(x, row);
            int changed = 0;
            for (int i = 0; i < 3; ++i) {
                if (o[i] == in[i])
                    continue;
                ++changed;
                // Only the middle component may lose one.
                EXPECT_EQ(o[i] + 1, in[i]) << x << "," << row;
                EXPECT_GT(in[i], std::min({in[0], in[1], in[2]}));
                EXPECT_LT(in[i], std::max({in[0], in[1], in[2]}));
            }
            EXPECT_LE(changed, 1);
        }
}

struct ResolutionCase {
    long mode;
    bool rotate;
    int width, height;
    int outWidth, outHeight;
};

class ChainResolution : public ::testing::TestWithParam<ResolutionCase> {};

TEST_P(ChainResolution, BringsThePageToThePrinterResolution) {
    const ResolutionCase& c = GetParam();
    Chain chain;
    chain.buffer.m_settings.resolutionMode = c.mode;
    chain.buffer.m_settings.paperRotate = c.rotate;
    Result out = chain.Run(c.width, c.height, GreyPattern());
    ASSERT_NE(out.record->data, nullptr);
    EXPECT_EQ(out.record->width, c.outWidth);
    EXPECT_EQ(out.record->height, c.outHeight);

    // Where the source position is exact the pixel is the source pixel itself.
    unsigned char in[3];
    for (int row = 0; row < c.outHeight; ++row)
        for (int x = 0; x < c.outWidth; ++x) {
            int sx = x, srow = row;
            if (c.mode == 2 || (c.mode == 1 && c.rotate))
                sx = 2 * x;
            if (c.mode == 1 && c.rotate) {
                if (row % 2 != 0)
                    continue;
                srow = row / 2;
            }
            if (c.rotate) {
                // Rotated stored row srow, column sx is source stored row H - 1 - sx, column srow.
                GreyPattern()(srow, c.height - 1 - sx, in);
            } else {
                GreyPattern()(sx, srow, in);
            }
            ASSERT_EQ(out.Pixel(x, row)[0], in[0]) << x << "," << row;
        }
}

INSTANTIATE_TEST_SUITE_P(Modes, ChainResolution,
                         ::testing::Values(ResolutionCase{0, false, 120, 240, 120, 240},
                                           ResolutionCase{2, false, 240, 360, 120, 360},
                                           ResolutionCase{1, false, 120, 240, 120, 240},
                                           ResolutionCase{1, true, 120, 240, 120, 240},
                                           ResolutionCase{0, true, 120, 240, 240, 120},
                                           ResolutionCase{2, true, 120, 240, 120, 120}));

TEST(ColorChain, HalvesA600DotPageOfTheStatedSize) {
    Chain chain;
    chain.buffer.m_settings.resolutionMode = 2;
    Result out = chain.Run(2400, 3600, Grey(90));
    EXPECT_EQ(out.record->width, 1200);
    EXPECT_EQ(out.record->height, 3600);
}

struct BorderCase {
    int width, height;
    int outWidth, outHeight;
    int filledRows;
};

class ChainBorder : public ::testing::TestWithParam<BorderCase> {};

TEST_P(ChainBorder, ShrinksIntoTheMarginsBandByBand) {
    const BorderCase& c = GetParam();
    Chain chain;
    chain.UseMedia(33);
    chain.buffer.m_settings.border = true;
    Result out = chain.Run(c.width, c.height, Grey(100));
    ASSERT_NE(out.record->data, nullptr);
    ASSERT_EQ(out.record->width, c.outWidth);
    ASSERT_EQ(out.record->height, c.outHeight);
    for (int row = 0; row < c.outHeight; ++row) {
        const int expected = row < c.filledRows ? 100 : 255;
        for (int x = 0; x < c.outWidth; x += 7)
            ASSERT_EQ(out.Pixel(x, row)[1], expected) << x << "," << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Media33, ChainBorder,
                         ::testing::Values(
                             // Bands of 1000 and 236 rows give 912 + 215 of 1128 rows.
                             BorderCase{2448, 1236, 2234, 1128, 1127},
                             // The last band of one row scales to nothing.
                             BorderCase{100, 1001, 91, 913, 912}));

TEST(ColorChain, ColourValuesWithoutTheSwitchHaveNoEffect) {
    const int width = 31, height = 17;
    Chain neutral;
    Result plain = neutral.Run(width, height, Colourful());

    Chain stored;
    PhotoImageBuffer& b = stored.buffer;
    b.m_settings.gamma.r = b.m_settings.gamma.g = b.m_settings.gamma.b = 200;
    b.m_settings.brightness.r = b.m_settings.brightness.g = b.m_settings.brightness.b = 500;
    b.m_settings.contrast.r = b.m_settings.contrast.g = b.m_settings.contrast.b = 300;
    b.m_settings.saturation = 1000;
    Result off = stored.Run(width, height, Colourful());
    ASSERT_EQ(off.record->dataSize, plain.record->dataSize);
    EXPECT_EQ(std::memcmp(off.record->data, plain.record->data, size_t(plain.record->dataSize)), 0);

    b.m_settings.colorAdjustment = true;
    Result on = stored.Run(width, height, Colourful());
    EXPECT_NE(std::memcmp(on.record->data, plain.record->data, size_t(plain.record->dataSize)), 0);
}

TEST(ColorChain, BrightnessOfOneChannelMovesOnlyThatChannel) {
    Chain chain;
    chain.buffer.m_settings.colorAdjustment = true;
    chain.buffer.m_settings.brightness.r = 100;
    Result out = chain.Run(5, 4, Grey(50));
    const unsigned char* p = out.Pixel(2, 2);
    EXPECT_EQ(std::vector<int>(p, p + 3), (std::vector<int>{76, 50, 50}));
}

TEST(ColorChain, SharpnessAppliesWhateverTheSwitchSays) {
    for (bool adjust : {false, true}) {
        Chain chain;
        chain.buffer.m_settings.colorAdjustment = adjust;
        chain.buffer.m_settings.sharpness = 1000;
        Result out = chain.Run(9, 9, [](int x, int row, unsigned char rgb[3]) {
            rgb[0] = rgb[1] = rgb[2] = (x == 4 && row == 4) ? 100 : 0;
        });
        EXPECT_EQ(out.Pixel(4, 4)[0], 255) << adjust;
        EXPECT_EQ(out.Pixel(3, 4)[0], 0) << adjust;
        EXPECT_EQ(out.Pixel(5, 5)[2], 0) << adjust;
    }
}

TEST(ColorChain, EmptyPageGivesAnEmptyRecord) {
    Chain chain;
    Result out = chain.Run(0, 0, Grey(0));
    ASSERT_NE(out.record, nullptr);
    EXPECT_EQ(out.record->data, nullptr);
}

// Runs the chain with an address space that leaves room for the page but not for the given
// working buffer, and exits with 0 when the page was dropped, 1 when it was not.
[[noreturn]] void RunWithoutMemory(const std::function<void(PhotoImageBuffer&)>& setup, int width,
                                   int height, size_t headroom) {
    // Large blocks then always come from fresh mappings, which the limit governs.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    Chain chain;
    setup(chain.buffer);
    char* page = MakePage(width, height, Grey(100));
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    unsigned long pages = 0;
    if (statm == nullptr || std::fscanf(statm, "%lu", &pages) != 1)
        _exit(3);
    std::fclose(statm);
    const rlim_t limit = rlim_t(pages) * sysconf(_SC_PAGESIZE) + headroom;
    struct rlimit rl = {limit, limit};
    setrlimit(RLIMIT_AS, &rl);
    _tagBITMAPHANDLE* result = chain.buffer.ColorProcess(page, width, height, 0);
    _exit(result == nullptr ? 0 : 1);
}

// The check runs in a freshly started copy of the test program (the threadsafe death-test
// style), so that no heap freed by earlier tests can serve the working buffer.
void ExpectDroppedWithoutMemory(const std::function<void(PhotoImageBuffer&)>& setup, int width,
                                int height, size_t headroom) {
    if (support::kAddressSanitizer)
        GTEST_SKIP() << "address-space limits do not work under AddressSanitizer";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunWithoutMemory(setup, width, height, headroom), ::testing::ExitedWithCode(0), "");
}

TEST(ColorChainMemory, RotationBufferMissingDropsThePage) {
    ExpectDroppedWithoutMemory([](PhotoImageBuffer& b) { b.m_settings.paperRotate = true; }, 3000,
                               3000, 8u << 20);
}

TEST(ColorChainMemory, BorderBufferMissingDropsThePage) {
    ExpectDroppedWithoutMemory(
        [](PhotoImageBuffer& b) {
            std::unique_ptr<DeviceEntry_TQ51M> device(new DeviceEntry_TQ51M);
            DeviceMediaBufferInfo info;
            std::memset(&info, 0, sizeof(info));
            device->SetMediaInfo(info, 33, 1.53);
            b.Alloc(info);
            b.m_settings.border = true;
        },
        2448, 3036, 8u << 20);
}

} // namespace
