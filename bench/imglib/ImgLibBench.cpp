// SPDX-License-Identifier: Apache-2.0
// Every image library operation on one 8 x 10 inch page at 300 dpi (2448 x 3036, 24 bits),
// or on a plane of that size for the tone curves: time per call and megapixels per second.
#include "PvkImgLib.h"

#include "BenchPage.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The page in a record over a private copy of its pixels.
struct Page {
    std::vector<unsigned char> pixels = PagePixels();
    _tagBITMAPHANDLE record{};
    Page() { Describe(); }
    ~Page() { IL_FreeBitmap(&record); }
    void Describe() {
        IL_FreeBitmap(&record);
        std::memset(&record, 0, sizeof(record));
        IL_CreateBitmap(&record, IL_BITMAPHANDLE_SIZE, IL_MEMORY_USER, kWidth, kHeight, 24,
                        IL_COLORORDER_RGB, nullptr, IL_ROWORIGIN_BOTTOM, pixels.data(),
                        int64_t(pixels.size()));
    }
};

struct Planes {
    _tagBITMAPHANDLE record[3];
    _tagBITMAPHANDLE* list[3] = {&record[0], &record[1], &record[2]};
    Planes() { std::memset(record, 0, sizeof(record)); }
    ~Planes() { Free(); }
    void Free() {
        for (auto& r : record)
            IL_FreeBitmap(&r);
        std::memset(record, 0, sizeof(record));
    }
};

void CountPixels(benchmark::State& state) {
    state.counters["MP/s"] = benchmark::Counter(double(kPixels) * double(state.iterations()) / 1e6,
                                                benchmark::Counter::kIsRate);
}

void BM_CreateFree(benchmark::State& state) {
    Page page;
    for (auto _ : state) {
        page.Describe();
        benchmark::DoNotOptimize(page.record.data);
    }
    CountPixels(state);
}
BENCHMARK(BM_CreateFree);

// Arguments: target width and height in per mille of the page.
void BM_SizeBitmap(benchmark::State& state) {
    const int width = int(kWidth * state.range(0) / 1000);
    const int height = int(kHeight * state.range(1) / 1000);
    Page page;
    for (auto _ : state) {
        if (IL_SizeBitmap(&page.record, width, height, IL_RESIZE_CUBIC) != IL_OK)
            state.SkipWithError("IL_SizeBitmap failed");
        page.Describe();
    }
    CountPixels(state);
}
BENCHMARK(BM_SizeBitmap)->Args({500, 1000})->Args({913, 913})->Unit(benchmark::kMillisecond);

using ToneOperation = int (*)(_tagBITMAPHANDLE*, int);

template <ToneOperation operation> void BM_ToneCurve(benchmark::State& state) {
    Page page;
    Planes planes;
    IL_ColorSeparateBitmap(&page.record, planes.list, IL_BITMAPHANDLE_SIZE, 0);
    const int value = int(state.range(0));
    for (auto _ : state) {
        if (operation(&planes.record[0], value) != IL_OK)
            state.SkipWithError("tone curve failed");
        benchmark::ClobberMemory();
    }
    CountPixels(state);
}
BENCHMARK_TEMPLATE(BM_ToneCurve, IL_GammaCorrectBitmap)->Arg(180)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_ToneCurve, IL_ChangeBitmapIntensity)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_ToneCurve, IL_ChangeBitmapContrast)->Arg(300)->Unit(benchmark::kMicrosecond);

void BM_Saturation(benchmark::State& state) {
    Page page;
    const int value = int(state.range(0));
    for (auto _ : state) {
        if (IL_ChangeBitmapSaturation(&page.record, value) != IL_OK)
            state.SkipWithError("IL_ChangeBitmapSaturation failed");
        benchmark::ClobberMemory();
    }
    CountPixels(state);
}
BENCHMARK(BM_Saturation)->Arg(0)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_Separate(benchmark::State& state) {
    Page page;
    Planes planes;
    for (auto _ : state) {
        if (IL_ColorSeparateBitmap(&page.record, planes.list, IL_BITMAPHANDLE_SIZE, 0) != IL_OK)
            state.SkipWithError("IL_ColorSeparateBitmap failed");
        planes.Free();
    }
    CountPixels(state);
}
BENCHMARK(BM_Separate)->Unit(benchmark::kMillisecond);

void BM_Merge(benchmark::State& state) {
    Page page;
    Planes planes;
    IL_ColorSeparateBitmap(&page.record, planes.list, IL_BITMAPHANDLE_SIZE, 0);
    for (auto _ : state) {
        _tagBITMAPHANDLE merged{};
        if (IL_ColorMergeBitmap(&merged, planes.list, IL_BITMAPHANDLE_SIZE, 0) != IL_OK)
            state.SkipWithError("IL_ColorMergeBitmap failed");
        IL_FreeBitmap(&merged);
    }
    CountPixels(state);
}
BENCHMARK(BM_Merge)->Unit(benchmark::kMillisecond);

void BM_Sharpen(benchmark::State& state) {
    Page page;
    const int value = int(state.range(0));
    for (auto _ : state) {
        if (IL_SharpenBitmap(&page.record, value) != IL_OK)
            state.SkipWithError("IL_SharpenBitmap failed");
        benchmark::ClobberMemory();
    }
    CountPixels(state);
}
BENCHMARK(BM_Sharpen)->Arg(-1000)->Arg(0)->Arg(650)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
