#include "PvkImgLib.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

const KTableEntry KTable[KTableSize] = {
    {-1000, -1.0},   {-950, -0.75}, {-900, -0.5625}, {-800, -0.39}, {-500, -0.204}, {-200, -0.135},
    {-100, -0.124},  {-50, -0.119}, {-1, -0.117},    {0, 0.0},      {1, 0.126},     {50, 0.14},
    {100, 0.140625}, {650, 0.365},  {700, 0.412},    {750, 0.5},    {800, 0.6046},  {850, 0.8203},
    {900, 1.125},    {950, 2.25},   {1000, 9.0},
};

namespace {

constexpr int kPaletteEntries = 256;
constexpr int kPaletteBytes = kPaletteEntries * 4;
constexpr int kValueLimit = 1000;

// Bytes of one stored row: width pixels of the given depth, padded to a multiple of 4.
int64_t RowStride(int64_t width, int64_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

bool ValidColorOrder(int32_t colorOrder) {
    return static_cast<uint32_t>(colorOrder) <= IL_COLORORDER_RGB;
}

bool ValueInRange(int value) {
    return value >= -kValueLimit && value <= kValueLimit;
}

// True when the record's size is positive, its rows are addressable with an int stride and
// its pixel block covers every row, so that walking the rows stays inside the block.
bool RowsFitBlock(const _tagBITMAPHANDLE& bitmap) {
    if (bitmap.width <= 0 || bitmap.height <= 0) {
        return false;
    }
    const int64_t stride = RowStride(bitmap.width, bitmap.bitsPerPixel);
    return stride <= INT32_MAX && stride * bitmap.height <= bitmap.dataSize;
}

// A 24-bit bitmap that the pixel operations accept.
bool IsPixelBitmap24(const _tagBITMAPHANDLE& bitmap) {
    return bitmap.bitsPerPixel == 24 && ValidColorOrder(bitmap.colorOrder) && RowsFitBlock(bitmap);
}

// Allocates and locks a library block; on failure nothing stays allocated.
unsigned char* AllocBlock(int64_t size, HGLOBAL* handle) {
    *handle = nullptr;
    if (size <= 0 || static_cast<uint64_t>(size) > SIZE_MAX) {
        return nullptr;
    }
    HGLOBAL block = GlobalAlloc(0, static_cast<size_t>(size));
    if (block == nullptr) {
        return nullptr;
    }
    auto* data = static_cast<unsigned char*>(GlobalLock(block));
    if (data == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    *handle = block;
    return data;
}

void ReleaseBlock(HGLOBAL handle) {
    GlobalUnlock(handle);
    GlobalFree(handle);
}

void ClearRowPadding(unsigned char* row, int64_t usedBytes, int64_t stride) {
    std::memset(row + usedBytes, 0, static_cast<size_t>(stride - usedBytes));
}

unsigned char ClampToByte(int value) {
    if (value < 0) {
        return 0;
    }
    return value > 255 ? 255 : static_cast<unsigned char>(value);
}

// ---- Worker threads --------------------------------------------------------------------

// 0 until set: the processor count, at most 2, is used.
std::atomic<int> gWorkerCount{0};

int WorkerCount() {
    const int count = gWorkerCount.load(std::memory_order_relaxed);
    if (count > 0) {
        return count;
    }
    const unsigned processors = std::thread::hardware_concurrency();
    return processors >= 2 ? 2 : 1;
}

// Calls work(begin, end) on consecutive row ranges that together cover 0 ... rows - 1, one
// range per worker, and returns when all are done. Every row belongs to exactly one range, so
// a row's bytes never depend on how the rows were split. Ranges whose thread cannot be started
// run on the calling thread.
template <typename Work> void ForEachRowRange(int64_t rows, const Work& work) {
    const int64_t workers = std::min<int64_t>(WorkerCount(), rows);
    if (workers <= 1) {
        work(int64_t{0}, rows);
        return;
    }
    std::vector<std::thread> threads;
    int64_t begin = rows / workers;
    for (int64_t w = 1; w < workers; ++w) {
        const int64_t end = rows * (w + 1) / workers;
        try {
            threads.emplace_back([&work, begin, end] { work(begin, end); });
        } catch (const std::system_error&) {
            work(begin, end);
        }
        begin = end;
    }
    work(int64_t{0}, rows / workers);
    for (std::thread& thread : threads) {
        thread.join();
    }
}

// ---- Tone curves -----------------------------------------------------------------------

int CheckPaletteBitmap(const _tagBITMAPHANDLE* bitmap) {
    if (bitmap == nullptr) {
        return IL_E_NOBITMAP;
    }
    if (bitmap->data == nullptr || bitmap->bitsPerPixel != 8 ||
        bitmap->colorCount != kPaletteEntries || bitmap->palette == nullptr) {
        return IL_E_PARAM;
    }
    return IL_OK;
}

// Replaces the three colour bytes of every palette entry; the fourth byte is kept.
void ApplyLut(_tagBITMAPHANDLE* bitmap, const unsigned char (&lut)[256]) {
    unsigned char* entry = bitmap->palette;
    for (int i = 0; i < kPaletteEntries; ++i, entry += 4) {
        entry[2] = lut[entry[2]];
        entry[1] = lut[entry[1]];
        entry[0] = lut[entry[0]];
    }
}

// ---- Cubic resampling ------------------------------------------------------------------

// Cubic convolution kernel with parameter -1.
double CubicWeight(double d) {
    if (d <= 1.0) {
        return d * d * d - 2.0 * d * d + 1.0;
    }
    if (d <= 2.0) {
        return -d * d * d + 5.0 * d * d - 8.0 * d + 4.0;
    }
    return 0.0;
}

// The four taps around a sampling position: indices (a missing one reads the position's
// own cell) and their weights.
struct CubicTaps {
    int64_t index[4];
    double weight[4];
};

// position < count always holds: position = i * (count / targetCount) with i < targetCount,
// and the rounding of that product is far too small to reach count.
CubicTaps TapsAt(double position, int64_t count) {
    CubicTaps taps;
    const int64_t c = static_cast<int64_t>(position);
    for (int t = 0; t < 4; ++t) {
        const int64_t k = c - 1 + t;
        taps.weight[t] = CubicWeight(std::fabs(static_cast<double>(k) - position));
        taps.index[t] = (k >= 0 && k < count) ? k : c;
    }
    return taps;
}

unsigned char RoundSampleToByte(double v) {
    if (v < 0.0) {
        return 0;
    }
    if (v > 255.0) {
        return 255;
    }
    return static_cast<unsigned char>(static_cast<int>(v + 0.5));
}

// Pass 1: every source row resampled along x into Wd entries of three doubles.
void ResampleRows(const _tagBITMAPHANDLE& source, int64_t targetWidth, double* intermediate) {
    const int64_t sourceWidth = source.width;
    const int64_t sourceStride = RowStride(sourceWidth, 24);
    const double rx = static_cast<double>(sourceWidth) / static_cast<double>(targetWidth);
    for (int64_t y = 0; y < source.height; ++y) {
        const unsigned char* row = source.data + y * sourceStride;
        double* out = intermediate + y * targetWidth * 3;
        for (int64_t j = 0; j < targetWidth; ++j, out += 3) {
            const CubicTaps taps = TapsAt(static_cast<double>(j) * rx, sourceWidth);
            double sum0 = 0.0;
            double sum1 = 0.0;
            double sum2 = 0.0;
            for (int t = 0; t < 4; ++t) {
                const unsigned char* pixel = row + taps.index[t] * 3;
                sum0 += taps.weight[t] * pixel[0];
                sum1 += taps.weight[t] * pixel[1];
                sum2 += taps.weight[t] * pixel[2];
            }
            out[0] = sum0;
            out[1] = sum1;
            out[2] = sum2;
        }
    }
}

// Pass 2: every target row resampled along y from the intermediate rows.
void ResampleColumns(const double* intermediate, int64_t sourceHeight, int64_t targetWidth,
                     int64_t targetHeight, unsigned char* target) {
    const int64_t targetStride = RowStride(targetWidth, 24);
    const int64_t rowEntries = targetWidth * 3;
    const double ry = static_cast<double>(sourceHeight) / static_cast<double>(targetHeight);
    for (int64_t i = 0; i < targetHeight; ++i) {
        const CubicTaps taps = TapsAt(static_cast<double>(i) * ry, sourceHeight);
        const double* rows[4];
        for (int t = 0; t < 4; ++t) {
            rows[t] = intermediate + taps.index[t] * rowEntries;
        }
        unsigned char* out = target + i * targetStride;
        for (int64_t e = 0; e < rowEntries; ++e) {
            double v = 0.0;
            for (int t = 0; t < 4; ++t) {
                v += taps.weight[t] * rows[t][e];
            }
            out[e] = RoundSampleToByte(v);
        }
        ClearRowPadding(out, rowEntries, targetStride);
    }
}

// ---- Sharpening ------------------------------------------------------------------------

// Strength for a value in -1000 ... 1000: the table value at a key, else linear
// interpolation between the neighbouring keys.
double SharpenStrength(int value) {
    int i = 0;
    while (KTable[i].key < value) {
        ++i;
    }
    if (KTable[i].key == value) {
        return KTable[i].strength;
    }
    const KTableEntry& low = KTable[i - 1];
    const KTableEntry& high = KTable[i];
    return (high.strength - low.strength) * (value - low.key) / (high.key - low.key) + low.strength;
}

// Writes the sharpened rows of bitmap, reading every neighbourhood from the unchanged copy.
// Neighbours outside the bitmap are replaced by the nearest pixel inside it.
void SharpenRows(const unsigned char* copy, double strength, _tagBITMAPHANDLE* bitmap) {
    const double centreWeight = 8.0 * strength / 9.0 + 1.0;
    const double neighbourWeight = -strength / 9.0;
    const int64_t width = bitmap->width;
    const int64_t height = bitmap->height;
    const int64_t stride = RowStride(width, 24);
    for (int64_t y = 0; y < height; ++y) {
        const unsigned char* below = copy + (y > 0 ? y - 1 : 0) * stride;
        const unsigned char* middle = copy + y * stride;
        const unsigned char* above = copy + (y + 1 < height ? y + 1 : y) * stride;
        unsigned char* out = bitmap->data + y * stride;
        for (int64_t x = 0; x < width; ++x) {
            const int64_t left = (x > 0 ? x - 1 : 0) * 3;
            const int64_t centre = x * 3;
            const int64_t right = (x + 1 < width ? x + 1 : x) * 3;
            for (int b = 0; b < 3; ++b) {
                const int neighbours = below[left + b] + below[centre + b] + below[right + b] +
                                       middle[left + b] + middle[right + b] + above[left + b] +
                                       above[centre + b] + above[right + b];
                const double sum = centreWeight * middle[centre + b] + neighbourWeight * neighbours;
                out[centre + b] = ClampToByte(static_cast<int>(sum));
            }
        }
    }
}

// ---- Planes ----------------------------------------------------------------------------

bool IsMergeablePlane(const _tagBITMAPHANDLE& plane, const _tagBITMAPHANDLE& first) {
    const int64_t stride = RowStride(first.width, 8);
    return plane.width == first.width && plane.height == first.height && plane.bitsPerPixel == 8 &&
           plane.bytesPerLine == stride && plane.colorCount == kPaletteEntries &&
           plane.palette != nullptr && plane.colorOrder == 0 &&
           plane.rowOrigin == first.rowOrigin && plane.dataSize == stride * first.height;
}

} // namespace

// ---- HSL -------------------------------------------------------------------------------

void RGBtoHSL(int first, int second, int third, double* H, double* S, double* L) {
    int max = first;
    int min = first;
    if (second > max) {
        max = second;
    }
    if (third > max) {
        max = third;
    }
    if (second < min) {
        min = second;
    }
    if (third < min) {
        min = third;
    }
    *L = (min + max) * 0.5;
    const double chroma = max - min;
    *S = chroma;
    if (max == min) {
        *H = -1.0;
    } else if (third == min) {
        *H = (second - first) * 60 / chroma + 60;
    } else if (first == min) {
        *H = (third - second) * 60 / chroma + 180;
    } else {
        *H = 60 * (first - third) / chroma + 300;
    }
}

void HSLtoRGB(double H, double S, double L, unsigned char* first, unsigned char* second,
              unsigned char* third) {
    if (H < 0.0) {
        const auto grey = static_cast<unsigned char>(static_cast<int>(L));
        *first = grey;
        *second = grey;
        *third = grey;
        return;
    }
    double half = S * 0.5;
    double max;
    if (half > L) {
        half = L;
        max = 2.0 * L;
    } else {
        max = L + half;
        if (max > 255.0) {
            half = 255.0 - L;
            max = 255.0;
        }
    }
    const double min = L - half;
    const double D = max - min;
    const auto M = static_cast<unsigned char>(static_cast<int>(max));
    const auto m = static_cast<unsigned char>(static_cast<int>(min));
    auto between = [min, D](double fraction) {
        return static_cast<unsigned char>(static_cast<int>(min + fraction * D));
    };
    if (H < 60.0) {
        *first = M;
        *second = between(H / 60);
        *third = m;
    } else if (H < 120.0) {
        *first = between((120 - H) / 60);
        *second = M;
        *third = m;
    } else if (H < 180.0) {
        *first = m;
        *second = M;
        *third = between((H - 120) / 60);
    } else if (H < 240.0) {
        *first = m;
        *second = between((240 - H) / 60);
        *third = M;
    } else if (H < 300.0) {
        *first = between((H - 240) / 60);
        *second = m;
        *third = M;
    } else {
        *first = M;
        *second = m;
        *third = between((360 - H) / 60);
    }
}

extern "C" {

void IL_SetWorkerCount(int count) {
    gWorkerCount.store(count > 1 ? count : 1, std::memory_order_relaxed);
}

int IL_GetWorkerCount(void) {
    return WorkerCount();
}

// ---- Creation and release --------------------------------------------------------------

int IL_CreateBitmap(_tagBITMAPHANDLE* bitmap, int recordSize, int memoryKind, uint32_t width,
                    uint32_t height, uint32_t bitsPerPixel, uint32_t colorOrder,
                    unsigned char* palette, int rowOrigin, void* data, int64_t dataSize) {
    if (bitmap == nullptr) {
        return IL_E_PARAM;
    }
    if (recordSize != IL_BITMAPHANDLE_SIZE) {
        return IL_E_RECSIZE;
    }
    if (memoryKind != IL_MEMORY_USER || width == 0 || height == 0) {
        return IL_E_PARAM;
    }
    if (bitsPerPixel == 48 || bitsPerPixel == 64) {
        return IL_E_DEEPCOLOR;
    }
    if (bitsPerPixel == 1 || bitsPerPixel == 16 || bitsPerPixel == 32) {
        return IL_E_PARAM;
    }
    int32_t storedColorOrder;
    int32_t colorCount;
    if (bitsPerPixel == 8) {
        if (colorOrder != IL_COLORORDER_PALETTE || palette == nullptr) {
            return IL_E_PARAM;
        }
        storedColorOrder = 0;
        colorCount = kPaletteEntries;
    } else if (bitsPerPixel == 24) {
        if (palette != nullptr) {
            return IL_E_DEPTH;
        }
        if (colorOrder > IL_COLORORDER_PALETTE) {
            return IL_E_PARAM;
        }
        storedColorOrder = colorOrder == IL_COLORORDER_PALETTE ? IL_COLORORDER_RGB
                                                               : static_cast<int32_t>(colorOrder);
        colorCount = 0;
    } else {
        return IL_E_DEPTH;
    }
    if (rowOrigin != IL_ROWORIGIN_BOTTOM || data == nullptr) {
        return IL_E_PARAM;
    }
    // Sizes are compared in 64 bits: a 32-bit product could wrap and let a small buffer
    // pass for a huge bitmap.
    const int64_t stride = RowStride(width, bitsPerPixel);
    if (width > INT32_MAX || height > INT32_MAX || stride > INT32_MAX ||
        stride * static_cast<int64_t>(height) != dataSize) {
        return IL_E_PARAM;
    }

    bitmap->width = static_cast<int32_t>(width);
    bitmap->height = static_cast<int32_t>(height);
    bitmap->bitsPerPixel = static_cast<int32_t>(bitsPerPixel);
    bitmap->bytesPerLine = static_cast<int32_t>(stride);
    bitmap->data = static_cast<unsigned char*>(data);
    bitmap->memoryHandle = nullptr;
    bitmap->colorCount = colorCount;
    bitmap->palette = palette;
    bitmap->dataSize = dataSize;
    bitmap->colorOrder = storedColorOrder;
    bitmap->rowOrigin = IL_ROWORIGIN_BOTTOM;
    return IL_OK;
}

void IL_FreeBitmap(_tagBITMAPHANDLE* bitmap) {
    if (bitmap == nullptr) {
        return;
    }
    if (bitmap->memoryHandle != nullptr) {
        if (bitmap->data != nullptr) {
            GlobalUnlock(bitmap->memoryHandle);
        }
        GlobalFree(bitmap->memoryHandle);
        bitmap->memoryHandle = nullptr;
    }
    bitmap->data = nullptr;
    bitmap->palette = nullptr;
}

// ---- Resampling ------------------------------------------------------------------------

int IL_SizeBitmap(_tagBITMAPHANDLE* bitmap, int width, int height, int method) {
    if (bitmap == nullptr || bitmap->data == nullptr || width <= 0 || height <= 0 ||
        method != IL_RESIZE_CUBIC || !IsPixelBitmap24(*bitmap)) {
        return IL_E_PARAM;
    }
    const int64_t stride = RowStride(width, 24);
    if (stride > INT32_MAX) {
        return IL_E_PARAM;
    }
    HGLOBAL block;
    unsigned char* target = AllocBlock(stride * height, &block);
    if (target == nullptr) {
        return IL_E_NOMEM;
    }
    // Wd x Hs entries of three doubles; the product is checked because a large target
    // width times a tall source can exceed 64 bits.
    int64_t intermediateBytes;
    HGLOBAL intermediateBlock = nullptr;
    double* intermediate = nullptr;
    const int64_t intermediateRowBytes = int64_t{width} * 3 * int64_t{sizeof(double)};
    if (!__builtin_mul_overflow(intermediateRowBytes, int64_t{bitmap->height},
                                &intermediateBytes)) {
        intermediate = reinterpret_cast<double*>(AllocBlock(intermediateBytes, &intermediateBlock));
    }
    if (intermediate == nullptr) {
        ReleaseBlock(block);
        return IL_E_NOMEM;
    }

    ResampleRows(*bitmap, width, intermediate);
    ResampleColumns(intermediate, bitmap->height, width, height, target);
    ReleaseBlock(intermediateBlock);

    if (bitmap->memoryHandle != nullptr) {
        ReleaseBlock(bitmap->memoryHandle);
        bitmap->palette = nullptr;
    }
    bitmap->memoryHandle = block;
    bitmap->data = target;
    bitmap->width = width;
    bitmap->height = height;
    bitmap->bytesPerLine = static_cast<int32_t>(stride);
    bitmap->dataSize = stride * height;
    return IL_OK;
}

// ---- Tone curves -----------------------------------------------------------------------

int IL_GammaCorrectBitmap(_tagBITMAPHANDLE* bitmap, int gamma) {
    const int check = CheckPaletteBitmap(bitmap);
    if (check != IL_OK) {
        return check;
    }
    const auto g = static_cast<unsigned int>(gamma);
    if (g == 0) {
        return IL_E_PARAM;
    }
    const double e = 100.0 / g;
    unsigned char lut[256];
    for (int i = 0; i < 256; ++i) {
        lut[i] = ClampToByte(static_cast<int>(std::pow(i / 255.0, e) * 255.0 + 0.5));
    }
    ApplyLut(bitmap, lut);
    return IL_OK;
}

int IL_ChangeBitmapIntensity(_tagBITMAPHANDLE* bitmap, int value) {
    const int check = CheckPaletteBitmap(bitmap);
    if (check != IL_OK) {
        return check;
    }
    if (!ValueInRange(value)) {
        return IL_E_PARAM;
    }
    const double x = value * 0.2545 + 0.4286;
    const int offset = static_cast<int>(value >= 0 ? x + 0.5 : x - 0.5);
    unsigned char lut[256];
    for (int i = 0; i < 256; ++i) {
        lut[i] = ClampToByte(i + offset);
    }
    ApplyLut(bitmap, lut);
    return IL_OK;
}

int IL_ChangeBitmapContrast(_tagBITMAPHANDLE* bitmap, int value) {
    const int check = CheckPaletteBitmap(bitmap);
    if (check != IL_OK) {
        return check;
    }
    if (!ValueInRange(value)) {
        return IL_E_PARAM;
    }
    const double k = std::exp(value * 0.0007);
    unsigned char lut[256];
    for (int i = 0; i < 256; ++i) {
        lut[i] = ClampToByte(static_cast<int>((i - 64) * k) + 64);
    }
    ApplyLut(bitmap, lut);
    return IL_OK;
}

// ---- Saturation ------------------------------------------------------------------------

int IL_ChangeBitmapSaturation(_tagBITMAPHANDLE* bitmap, int value) {
    if (bitmap == nullptr) {
        return IL_E_NOBITMAP;
    }
    if (bitmap->data == nullptr || bitmap->bitsPerPixel != 24) {
        return IL_E_PARAM;
    }
    if (!ValidColorOrder(bitmap->colorOrder) || !ValueInRange(value) || !RowsFitBlock(*bitmap)) {
        return IL_E_PARAM;
    }
    // With colour order 1 the hue is measured on bytes 2, 1, 0.
    const int firstByte = bitmap->colorOrder == IL_COLORORDER_RGB ? 2 : 0;
    const int thirdByte = 2 - firstByte;
    const int64_t stride = RowStride(bitmap->width, 24);
    for (int64_t y = 0; y < bitmap->height; ++y) {
        unsigned char* pixel = bitmap->data + y * stride;
        for (int64_t x = 0; x < bitmap->width; ++x, pixel += 3) {
            double H;
            double S;
            double L;
            RGBtoHSL(pixel[firstByte], pixel[1], pixel[thirdByte], &H, &S, &L);
            double scaled = (value * S) / 1000 + S;
            if (scaled < 0.0) {
                scaled = 0.0;
            } else if (scaled > 255.0) {
                scaled = 255.0;
            }
            HSLtoRGB(H, scaled, L, &pixel[firstByte], &pixel[1], &pixel[thirdByte]);
        }
    }
    return IL_OK;
}

// ---- Planes ----------------------------------------------------------------------------

int IL_ColorSeparateBitmap(_tagBITMAPHANDLE* source, _tagBITMAPHANDLE** planes, int recordSize,
                           int flags) {
    if (source == nullptr) {
        return IL_E_PARAM;
    }
    if (recordSize != IL_BITMAPHANDLE_SIZE) {
        return IL_E_RECSIZE;
    }
    if (source->data == nullptr || source->bitsPerPixel != 24 ||
        !ValidColorOrder(source->colorOrder) || planes == nullptr || planes[0] == nullptr ||
        planes[1] == nullptr || planes[2] == nullptr || flags != 0) {
        return IL_E_PARAM;
    }
    // Shared records would lose a block or overwrite the source before it is read.
    if (!RowsFitBlock(*source) || planes[0] == source || planes[1] == source ||
        planes[2] == source || planes[0] == planes[1] || planes[0] == planes[2] ||
        planes[1] == planes[2]) {
        return IL_E_PARAM;
    }

    const int64_t width = source->width;
    const int64_t height = source->height;
    const int64_t sourceStride = RowStride(width, 24);
    const int64_t planeStride = RowStride(width, 8);
    const int64_t planeSize = planeStride * height;

    // All three blocks are obtained before any record is written, so running out of memory
    // leaves every plane record as it was.
    HGLOBAL blocks[3] = {nullptr, nullptr, nullptr};
    unsigned char* planeData[3];
    for (int p = 0; p < 3; ++p) {
        planeData[p] = AllocBlock(planeSize + kPaletteBytes, &blocks[p]);
        if (planeData[p] == nullptr) {
            for (int q = 0; q < p; ++q) {
                ReleaseBlock(blocks[q]);
            }
            return IL_E_NOMEM;
        }
    }

    const unsigned char* sourceData = source->data;
    const int32_t rowOrigin = source->rowOrigin;
    // Plane k takes the k-th component: bytes 0, 1, 2 for colour order 1, else 2, 1, 0.
    const int firstByte = source->colorOrder == IL_COLORORDER_RGB ? 0 : 2;
    const int thirdByte = 2 - firstByte;
    for (int64_t y = 0; y < height; ++y) {
        const unsigned char* pixel = sourceData + y * sourceStride;
        unsigned char* out0 = planeData[0] + y * planeStride;
        unsigned char* out1 = planeData[1] + y * planeStride;
        unsigned char* out2 = planeData[2] + y * planeStride;
        for (int64_t x = 0; x < width; ++x, pixel += 3) {
            out0[x] = pixel[firstByte];
            out1[x] = pixel[1];
            out2[x] = pixel[thirdByte];
        }
        ClearRowPadding(out0, width, planeStride);
        ClearRowPadding(out1, width, planeStride);
        ClearRowPadding(out2, width, planeStride);
    }

    for (int p = 0; p < 3; ++p) {
        unsigned char* palette = planeData[p] + planeSize;
        for (int j = 0; j < kPaletteEntries; ++j) {
            palette[j * 4 + 0] = static_cast<unsigned char>(j);
            palette[j * 4 + 1] = static_cast<unsigned char>(j);
            palette[j * 4 + 2] = static_cast<unsigned char>(j);
            palette[j * 4 + 3] = 0;
        }
        _tagBITMAPHANDLE* plane = planes[p];
        plane->memoryHandle = blocks[p];
        plane->data = planeData[p];
        plane->width = static_cast<int32_t>(width);
        plane->height = static_cast<int32_t>(height);
        plane->bitsPerPixel = 8;
        plane->bytesPerLine = static_cast<int32_t>(planeStride);
        plane->dataSize = planeSize;
        plane->colorCount = kPaletteEntries;
        plane->palette = palette;
        plane->colorOrder = 0;
        plane->rowOrigin = rowOrigin;
    }
    return IL_OK;
}

int IL_ColorMergeBitmap(_tagBITMAPHANDLE* destination, _tagBITMAPHANDLE** planes, int recordSize,
                        int flags) {
    if (destination == nullptr) {
        return IL_E_PARAM;
    }
    if (recordSize != IL_BITMAPHANDLE_SIZE) {
        return IL_E_RECSIZE;
    }
    if (planes == nullptr) {
        return IL_E_PARAM;
    }
    for (int p = 0; p < 3; ++p) {
        if (planes[p] == nullptr || planes[p]->data == nullptr) {
            return IL_E_NODATA;
        }
    }
    if (flags != 0) {
        return IL_E_PARAM;
    }
    const _tagBITMAPHANDLE& first = *planes[0];
    if (first.width <= 0 || first.height <= 0 || RowStride(first.width, 24) > INT32_MAX) {
        return IL_E_PARAM;
    }
    for (int p = 0; p < 3; ++p) {
        // Writing into a plane's own record would lose that plane's block.
        if (planes[p] == destination || !IsMergeablePlane(*planes[p], first)) {
            return IL_E_PARAM;
        }
    }

    const int64_t width = first.width;
    const int64_t height = first.height;
    const int64_t planeStride = RowStride(width, 8);
    const int64_t stride = RowStride(width, 24);
    HGLOBAL block;
    unsigned char* target = AllocBlock(stride * height, &block);
    if (target == nullptr) {
        return IL_E_NOMEM;
    }

    const unsigned char* palette0 = planes[0]->palette;
    const unsigned char* palette1 = planes[1]->palette;
    const unsigned char* palette2 = planes[2]->palette;
    for (int64_t y = 0; y < height; ++y) {
        const unsigned char* in0 = planes[0]->data + y * planeStride;
        const unsigned char* in1 = planes[1]->data + y * planeStride;
        const unsigned char* in2 = planes[2]->data + y * planeStride;
        unsigned char* out = target + y * stride;
        for (int64_t x = 0; x < width; ++x) {
            out[x * 3 + 0] = palette0[in0[x] * 4 + 0];
            out[x * 3 + 1] = palette1[in1[x] * 4 + 1];
            out[x * 3 + 2] = palette2[in2[x] * 4 + 2];
        }
        ClearRowPadding(out, width * 3, stride);
    }

    destination->data = target;
    destination->memoryHandle = block;
    destination->rowOrigin = first.rowOrigin;
    destination->bytesPerLine = static_cast<int32_t>(stride);
    destination->dataSize = stride * height;
    destination->width = static_cast<int32_t>(width);
    destination->height = static_cast<int32_t>(height);
    destination->bitsPerPixel = 24;
    destination->colorOrder = IL_COLORORDER_RGB;
    return IL_OK;
}

// ---- Sharpening ------------------------------------------------------------------------

int IL_SharpenBitmap(_tagBITMAPHANDLE* bitmap, int value) {
    if (bitmap == nullptr || bitmap->data == nullptr) {
        return IL_E_NODATA;
    }
    if (bitmap->bitsPerPixel != 24 || !ValidColorOrder(bitmap->colorOrder) ||
        !ValueInRange(value) || !RowsFitBlock(*bitmap)) {
        return IL_E_PARAM;
    }
    HGLOBAL copyBlock;
    unsigned char* copy = AllocBlock(bitmap->dataSize, &copyBlock);
    if (copy == nullptr) {
        return IL_E_NOMEM;
    }
    CopyMemory(copy, bitmap->data, static_cast<size_t>(bitmap->dataSize));
    SharpenRows(copy, SharpenStrength(value), bitmap);
    ReleaseBlock(copyBlock);
    return IL_OK;
}
}
