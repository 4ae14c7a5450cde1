// The colour chain and the plane stream on one 8 x 10 inch page (2448 x 3036 at 300 dpi),
// step by step with the chain's own parameters, and ColorProcess as a whole.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "PhotoPrinterDeviceTQ51M.h"

namespace {

const int kWidth = 2448, kHeight = 3036;

int Stride(int width) {
    return ((width * 24 + 31) >> 5) * 4;
}

// A smooth page with some edges: gradients per channel and a diagonal stripe pattern.
char* MakePage(int width, int height) {
    const int stride = Stride(width);
    auto* page = static_cast<unsigned char*>(std::calloc(size_t(stride) * height, 1));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* p = page + size_t(y) * stride + size_t(x) * 3;
            p[0] = static_cast<unsigned char>(x * 255 / width);
            p[1] = static_cast<unsigned char>(y * 255 / height);
            p[2] = ((x + y) / 64) % 2 ? 230 : 40;
        }
    return reinterpret_cast<char*>(page);
}

// A library-owned 24-bit page record, as the chain holds it between its steps.
struct Page {
    _tagBITMAPHANDLE record;
    Page(int width, int height) {
        std::memset(&record, 0, sizeof(record));
        IL_CreateBitmap(&record, IL_BITMAPHANDLE_SIZE, IL_MEMORY_USER, uint32_t(width),
                        uint32_t(height), 24, IL_COLORORDER_RGB, nullptr, IL_ROWORIGIN_BOTTOM,
                        MakePage(width, height), int64_t(Stride(width)) * height);
        record.memoryHandle = record.data;
    }
    ~Page() { IL_FreeBitmap(&record); }
};

void Report(benchmark::State& state, int width, int height) {
    state.counters["Mpx_per_s"] = benchmark::Counter(double(width) * height / 1e6,
                                                     benchmark::Counter::kIsIterationInvariantRate);
}

PhotoImageBuffer& Settings(PhotoImageBuffer& buffer, bool border, bool adjust, int sharpness) {
    std::unique_ptr<DeviceEntry_TQ51M> device(new DeviceEntry_TQ51M);
    DeviceMediaBufferInfo info;
    std::memset(&info, 0, sizeof(info));
    device->SetMediaInfo(info, 31, 1.53);
    buffer.Alloc(info);
    buffer.m_settings.border = border;
    buffer.m_settings.colorAdjustment = adjust;
    buffer.m_settings.sharpness = sharpness;
    buffer.m_settings.gamma.r = buffer.m_settings.gamma.g = buffer.m_settings.gamma.b = 114;
    buffer.m_settings.brightness.r = buffer.m_settings.brightness.g =
        buffer.m_settings.brightness.b = 20;
    buffer.m_settings.contrast.r = buffer.m_settings.contrast.g = buffer.m_settings.contrast.b =
        100;
    buffer.m_settings.saturation = 200;
    return buffer;
}

// The whole chain: border, colour adjustment and sharpening (ZelSharpness 3) on or off.
void BM_ColorProcess(benchmark::State& state) {
    PhotoImageBuffer buffer;
    Settings(buffer, state.range(0) != 0, state.range(0) != 0, state.range(0) != 0 ? 750 : 0);
    for (auto _ : state) {
        state.PauseTiming();
        char* page = MakePage(kWidth, kHeight);
        state.ResumeTiming();
        _tagBITMAPHANDLE* result = buffer.ColorProcess(page, kWidth, kHeight, 0);
        IL_FreeBitmap(result);
        std::free(result);
    }
    Report(state, kWidth, kHeight);
}
BENCHMARK(BM_ColorProcess)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Step 3: a 600 x 600 dpi raster of the same print halved across the head.
void BM_StepHalveWidth(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Page page(2 * kWidth, 2 * kHeight);
        state.ResumeTiming();
        IL_SizeBitmap(&page.record, kWidth, 2 * kHeight, IL_RESIZE_CUBIC);
    }
    Report(state, 2 * kWidth, 2 * kHeight);
}
BENCHMARK(BM_StepHalveWidth)->Unit(benchmark::kMillisecond);

// Step 4: the border shrink of 8 x 10 inch media (s = 2928 / 3036) in bands of 1000 rows.
void BM_StepBorderBands(benchmark::State& state) {
    const float s = float(double(3036 - 108) / 3036);
    const int width2 = int(float(kWidth) * s);
    for (auto _ : state) {
        state.PauseTiming();
        Page page(kWidth, kHeight);
        state.ResumeTiming();
        const int stride = Stride(kWidth);
        for (int start = 0; start < kHeight; start += 1000) {
            const int rows = kHeight - start < 1000 ? kHeight - start : 1000;
            auto* band = static_cast<unsigned char*>(std::malloc(size_t(stride) * rows));
            std::memcpy(band, page.record.data + size_t(start) * stride, size_t(stride) * rows);
            _tagBITMAPHANDLE record;
            std::memset(&record, 0, sizeof(record));
            IL_CreateBitmap(&record, IL_BITMAPHANDLE_SIZE, IL_MEMORY_USER, kWidth, uint32_t(rows),
                            24, IL_COLORORDER_RGB, nullptr, IL_ROWORIGIN_BOTTOM, band,
                            int64_t(stride) * rows);
            record.memoryHandle = record.data;
            IL_SizeBitmap(&record, width2, int(float(rows) * s), IL_RESIZE_CUBIC);
            benchmark::DoNotOptimize(record.data);
            IL_FreeBitmap(&record);
        }
    }
    Report(state, kWidth, kHeight);
}
BENCHMARK(BM_StepBorderBands)->Unit(benchmark::kMillisecond);

// Step 5: separation, the nine tone curves and the merge.
void BM_StepToneCurves(benchmark::State& state) {
    Page page(kWidth, kHeight);
    for (auto _ : state) {
        _tagBITMAPHANDLE planes[3];
        std::memset(planes, 0, sizeof(planes));
        _tagBITMAPHANDLE* list[3] = {&planes[0], &planes[1], &planes[2]};
        IL_ColorSeparateBitmap(&page.record, list, IL_BITMAPHANDLE_SIZE, 0);
        for (auto& plane : planes) {
            IL_GammaCorrectBitmap(&plane, 114);
            IL_ChangeBitmapIntensity(&plane, 20);
            IL_ChangeBitmapContrast(&plane, 100);
        }
        _tagBITMAPHANDLE merged;
        std::memset(&merged, 0, sizeof(merged));
        IL_ColorMergeBitmap(&merged, list, IL_BITMAPHANDLE_SIZE, 0);
        for (auto& plane : planes)
            IL_FreeBitmap(&plane);
        IL_FreeBitmap(&merged);
    }
    Report(state, kWidth, kHeight);
}
BENCHMARK(BM_StepToneCurves)->Unit(benchmark::kMillisecond);

// Step 6: sharpening with ZelSharpness 3.
void BM_StepSharpen(benchmark::State& state) {
    Page page(kWidth, kHeight);
    for (auto _ : state)
        IL_SharpenBitmap(&page.record, 750);
    Report(state, kWidth, kHeight);
}
BENCHMARK(BM_StepSharpen)->Unit(benchmark::kMillisecond);

// Step 7: saturation with ZelChroma 20.
void BM_StepSaturation(benchmark::State& state) {
    Page page(kWidth, kHeight);
    for (auto _ : state)
        IL_ChangeBitmapSaturation(&page.record, 200);
    Report(state, kWidth, kHeight);
}
BENCHMARK(BM_StepSaturation)->Unit(benchmark::kMillisecond);

// Step 8 and the sheet buffer's SetImageData: one separation and one merge of the page.
void BM_StepSeparateMerge(benchmark::State& state) {
    Page page(kWidth, kHeight);
    for (auto _ : state) {
        _tagBITMAPHANDLE planes[3];
        std::memset(planes, 0, sizeof(planes));
        _tagBITMAPHANDLE* list[3] = {&planes[0], &planes[1], &planes[2]};
        IL_ColorSeparateBitmap(&page.record, list, IL_BITMAPHANDLE_SIZE, 0);
        _tagBITMAPHANDLE merged;
        std::memset(&merged, 0, sizeof(merged));
        IL_ColorMergeBitmap(&merged, list, IL_BITMAPHANDLE_SIZE, 0);
        for (auto& plane : planes)
            IL_FreeBitmap(&plane);
        IL_FreeBitmap(&merged);
    }
    Report(state, kWidth, kHeight);
}
BENCHMARK(BM_StepSeparateMerge)->Unit(benchmark::kMillisecond);

// The plane stream of an 8 x 10 inch sheet (MULTICUT, three planes, START) into /dev/null.
void BM_PlaneStream(benchmark::State& state) {
    std::unique_ptr<DeviceEntry> device(new DeviceEntry_TQ51M);
    device->SetMediaInfo(device->m_mediaInfo, 31, 1.53);
    device->m_imageBuffer.Alloc(device->m_mediaInfo);
    Page page(kWidth, kHeight);
    device->SetImageData(0, &page.record);

    FILE* null = std::fopen("/dev/null", "w");
    FileSink sink(null);
    device->SetOutput(&sink);
    for (auto _ : state)
        device->PrintImageData(&device->m_mediaInfo);
    device->SetOutput(nullptr);
    std::fclose(null);
    Report(state, 2560, kHeight);
}
BENCHMARK(BM_PlaneStream)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
