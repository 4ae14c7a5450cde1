// The filter's colour chain on one 8 x 10 inch page at 300 dpi (2448 x 3036) with every
// adjustment on, its libvips peer chain on the same page, and the plane stream of the largest
// sheet written to /dev/null.
//
// BM_Chain/1 and BM_VipsChain report process CPU time (libvips computes on a worker thread even
// with one thread); BM_Chain/2 reports wall time, as its point is the second core, and the
// process CPU time of both threads beside it.
#include "BenchPage.h"

#include <benchmark/benchmark.h>
#include <vips/vips.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "PhotoImageBuffer.h"
#include "PhotoPrinterDeviceTQ51M.h"

namespace {

// The 8 x 10 inch media at 300 dpi, border on, sharpness option 3, colour adjustment on with
// every value away from neutral.
DeviceEntry_TQ51M* AdjustedDevice() {
    auto* device = new DeviceEntry_TQ51M;
    device->m_settings.dpi = 300;
    device->m_settings.resolutionMode = 0;
    device->SetMediaInfo(device->m_mediaInfo, 31, 1.53);
    device->m_settings.border = true;
    device->m_settings.sharpness = 750;
    device->m_settings.colorAdjustment = true;
    device->m_settings.gamma.r = 141;
    device->m_settings.gamma.g = 123;
    device->m_settings.gamma.b = 87;
    device->m_settings.brightness.r = 40;
    device->m_settings.brightness.g = -20;
    device->m_settings.brightness.b = 60;
    device->m_settings.contrast.r = 300;
    device->m_settings.contrast.g = 200;
    device->m_settings.contrast.b = -100;
    device->m_settings.saturation = 300;
    return device;
}

char* PageCopy() {
    const std::vector<unsigned char>& pixels = PagePixels();
    char* page = static_cast<char*>(std::malloc(pixels.size()));
    std::memcpy(page, pixels.data(), pixels.size());
    return page;
}

// Argument: worker threads of the image library.
void BM_Chain(benchmark::State& state) {
    IL_SetWorkerCount(int(state.range(0)));
    DeviceEntry_TQ51M* device = AdjustedDevice();
    for (auto _ : state) {
        state.PauseTiming();
        char* page = PageCopy();
        state.ResumeTiming();
        _tagBITMAPHANDLE* result = device->MakeImageData(page, kWidth, kHeight, 0);
        if (result == nullptr || result->data == nullptr)
            state.SkipWithError("MakeImageData failed");
        IL_FreeBitmap(result);
        std::free(result);
    }
    delete device;
    IL_SetWorkerCount(1);
}
BENCHMARK(BM_Chain)->Arg(1)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Chain)->Arg(2)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);

// The comparable chain in libvips, one thread, no operation cache: cubic shrink to 91%, gamma,
// brightness and contrast, 3 x 3 sharpening, saturation through HSV; the result is written to
// memory so that every pixel is computed.
bool VipsChain(const unsigned char* pixels) {
    VipsImage* in = vips_image_new_from_memory(pixels, size_t(kStride * kHeight), kWidth, kHeight,
                                               3, VIPS_FORMAT_UCHAR);
    VipsImage* t[8] = {};
    const double contrast[3] = {1.23, 1.15, 0.93};
    const double brightness[3] = {10.0, -5.0, 15.0};
    const double saturation[3] = {1.0, 1.3, 1.0};
    const double zero[3] = {0.0, 0.0, 0.0};
    VipsImage* mask =
        vips_image_new_matrixv(3, 3, -1.0, -1.0, -1.0, -1.0, 26.0, -1.0, -1.0, -1.0, -1.0);
    vips_image_set_double(mask, "scale", 18.0);
    bool ok = in != nullptr && mask != nullptr &&
              vips_resize(in, &t[0], 0.91, "kernel", VIPS_KERNEL_CUBIC, nullptr) == 0 &&
              vips_gamma(t[0], &t[1], "exponent", 1.0 / 1.41, nullptr) == 0 &&
              vips_linear(t[1], &t[2], contrast, brightness, 3, "uchar", TRUE, nullptr) == 0 &&
              vips_conv(t[2], &t[3], mask, "precision", VIPS_PRECISION_INTEGER, nullptr) == 0 &&
              vips_sRGB2HSV(t[3], &t[4], nullptr) == 0 &&
              vips_linear(t[4], &t[5], saturation, zero, 3, "uchar", TRUE, nullptr) == 0 &&
              vips_HSV2sRGB(t[5], &t[6], nullptr) == 0;
    if (ok) {
        size_t size = 0;
        void* out = vips_image_write_to_memory(t[6], &size);
        ok = out != nullptr && size > 0;
        g_free(out);
    }
    for (VipsImage* image : t)
        if (image != nullptr)
            g_object_unref(image);
    if (mask != nullptr)
        g_object_unref(mask);
    if (in != nullptr)
        g_object_unref(in);
    return ok;
}

void BM_VipsChain(benchmark::State& state) {
    vips_concurrency_set(1);
    vips_cache_set_max(0);
    const std::vector<unsigned char>& pixels = PagePixels();
    for (auto _ : state)
        if (!VipsChain(pixels.data()))
            state.SkipWithError(vips_error_buffer());
}
BENCHMARK(BM_VipsChain)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// A buffered stdio stream on /dev/null, as the filter's standard output is when CUPS discards it.
struct DevNull {
    FILE* file = std::fopen("/dev/null", "w");
    ~DevNull() { std::fclose(file); }
};

// The three planes of an 8 x 12 inch sheet at 600 lines per inch (2560 x 7272) with a bordered
// 600 x 600 dpi print in its slot.
void BM_PlaneWrite(benchmark::State& state) {
    auto* device = new DeviceEntry_TQ51M;
    device->m_settings.dpi = 600;
    device->SetMediaInfo(device->m_mediaInfo, 32, 1.53);
    device->m_imageBuffer.Alloc(device->m_mediaInfo);
    const int width = 2328;
    const int height = 6915;
    const int64_t stride = (int64_t{width} * 24 + 31) / 32 * 4;
    std::vector<unsigned char> pixels(size_t(stride * height));
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<unsigned char>(i * 7 + (i >> 12));
    _tagBITMAPHANDLE page{};
    IL_CreateBitmap(&page, IL_BITMAPHANDLE_SIZE, IL_MEMORY_USER, width, height, 24,
                    IL_COLORORDER_RGB, nullptr, IL_ROWORIGIN_BOTTOM, pixels.data(),
                    int64_t(pixels.size()));
    device->SetImageData(0, &page);
    DeviceMediaBufferInfo geometry = device->m_mediaInfo;
    const int64_t planeBytes = int64_t((geometry.headWidth + 3) & ~3) * geometry.paperLength;
    {
        DevNull null;
        FileSink sink(null.file);
        for (auto _ : state)
            if (device->m_imageBuffer.Send(&sink, &geometry) != 0)
                state.SkipWithError("Send failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 3 * (planeBytes + 1120));
    delete device;
}
BENCHMARK(BM_PlaneWrite)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (VIPS_INIT(argv[0]) != 0)
        return 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    vips_shutdown();
    return 0;
}
