#include "PvkImgLib.h"
#include "PvkImgLibPlain.h"

#include <algorithm>
#include <atomic>
#include <mutex>
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

// True when a block of size bytes can be allocated now. The fast paths need far less memory
// than the plain ones but keep their result codes: they are refused with IL_E_NOMEM exactly
// when the plain path's work block cannot be had. The probe block is never written, so it
// costs address space for a moment, not memory.
bool CanAllocate(int64_t size) {
    HGLOBAL probe;
    if (AllocBlock(size, &probe) == nullptr) {
        return false;
    }
    ReleaseBlock(probe);
    return true;
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

// Four doubles (or ints) handled lane by lane: every lane undergoes exactly the IEEE operation
// that scalar code performs, so vector and scalar forms of a computation give the same bits.
using Double4 = double __attribute__((vector_size(32)));
using Int4 = int32_t __attribute__((vector_size(16)));

// By reference: a 32-byte vector passed by value would depend on the processor's ABI.
void Load4(Double4& v, const double* p) {
    std::memcpy(&v, p, sizeof(v));
}

// The vector kernels are also compiled for AVX2 and picked at load time on processors that have
// it: wider lanes, the same operations (the build forbids contracting them into fused
// multiply-adds), hence the same bits.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define IL_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define IL_VECTOR_CLONES
#endif

// ---- Worker threads --------------------------------------------------------------------

constexpr int kMaxWorkers = 8;

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

// Workers for a job of the given rows: never more than rows.
int WorkersFor(int64_t rows) {
    return static_cast<int>(std::max<int64_t>(1, std::min<int64_t>(WorkerCount(), rows)));
}

// Rows are handed out in chunks of this many, fixed whatever the number of workers.
constexpr int64_t kChunkRows = 64;

int64_t ChunkCount(int64_t rows) {
    return (rows + kChunkRows - 1) / kChunkRows;
}

// Calls work(w, begin, end) for every chunk of rows, each chunk once, on `workers` threads that
// take the next chunk whenever they are free (so a thread slowed down by other programs holds up
// no one), and returns when all are done. Every row is computed by the same code whichever
// worker takes its chunk, so no byte depends on the number of workers. A worker whose thread
// cannot be started leaves its share to the others.
template <typename Work> void ForEachRowChunk(int workers, int64_t rows, const Work& work) {
    std::atomic<int64_t> next{0};
    auto run = [&work, &next, rows](int w) {
        for (int64_t chunk = next++; chunk * kChunkRows < rows; chunk = next++) {
            work(w, chunk * kChunkRows, std::min(rows, (chunk + 1) * kChunkRows));
        }
    };
    std::vector<std::thread> threads;
    for (int w = 1; w < workers; ++w) {
        try {
            threads.emplace_back(run, w);
        } catch (const std::system_error&) {
            break;
        }
    }
    run(0);
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

// Fast path of the two passes. The sums are the plain ones term by term, in the same order and
// with the same weights (each column's and each row's taps come from the same TapsAt call the
// plain path makes per sample, made once), so every intermediate value and every byte is the
// same. The column pass reads, for target row i, only intermediate rows c - 1 ... c + 2 with
// c = trunc(i * ry), a window that never moves back as i grows: a ring of four rows, slot
// k mod 4 for row k, computed when first asked for, replaces the whole-page intermediate.
struct Resampler {
    const _tagBITMAPHANDLE* source;
    int64_t targetWidth;
    const CubicTaps* columnTaps; // targetWidth entries
    const CubicTaps* rowTaps;    // one entry per target row written
    int64_t targetStride;
    bool clearPadding; // false when the rows are the caller's
};

// Converts a row's bytes to doubles (exactly), four per pixel, so that the three bytes of a tap
// form one vector (its fourth lane is unused).
void ConvertRow(const unsigned char* row, int64_t width, double* converted) {
    for (int64_t x = 0; x < width; ++x) {
        converted[x * 4 + 0] = row[x * 3 + 0];
        converted[x * 4 + 1] = row[x * 3 + 1];
        converted[x * 4 + 2] = row[x * 3 + 2];
        converted[x * 4 + 3] = 0.0;
    }
}

// Pass 1 for two source rows at once into targetWidth entries of three doubles each; the two
// rows share each column's taps. Each lane performs the plain path's operations on its byte in
// the same order.
IL_VECTOR_CLONES
void ResampleRowPairWithTaps(const double* convertedA, const double* convertedB,
                             const CubicTaps* columnTaps, int64_t targetWidth, double* outA,
                             double* outB) {
    for (int64_t j = 0; j < targetWidth; ++j, outA += 3, outB += 3) {
        const CubicTaps& taps = columnTaps[j];
        Double4 sumA = {0.0, 0.0, 0.0, 0.0};
        Double4 sumB = {0.0, 0.0, 0.0, 0.0};
        for (int t = 0; t < 4; ++t) {
            const double w = taps.weight[t];
            const Double4 weight = {w, w, w, w};
            Double4 pixelA;
            Double4 pixelB;
            Load4(pixelA, convertedA + taps.index[t] * 4);
            Load4(pixelB, convertedB + taps.index[t] * 4);
            sumA += weight * pixelA;
            sumB += weight * pixelB;
        }
        outA[0] = sumA[0];
        outA[1] = sumA[1];
        outA[2] = sumA[2];
        outB[0] = sumB[0];
        outB[1] = sumB[1];
        outB[2] = sumB[2];
    }
}

// Pass 1 for one source row.
IL_VECTOR_CLONES
void ResampleRowWithTaps(const double* converted, const CubicTaps* columnTaps, int64_t targetWidth,
                         double* out) {
    for (int64_t j = 0; j < targetWidth; ++j, out += 3) {
        const CubicTaps& taps = columnTaps[j];
        Double4 sum = {0.0, 0.0, 0.0, 0.0};
        for (int t = 0; t < 4; ++t) {
            const double w = taps.weight[t];
            const Double4 weight = {w, w, w, w};
            Double4 pixel;
            Load4(pixel, converted + taps.index[t] * 4);
            sum += weight * pixel;
        }
        out[0] = sum[0];
        out[1] = sum[1];
        out[2] = sum[2];
    }
}

// Pass 2 for one target row, four entries per step with the plain path's operations in each
// lane. The clamp is RoundSampleToByte without branches: below 0 and above 255 become exactly
// 0 and 255 before the rounding, values in between are untouched.
IL_VECTOR_CLONES
void ResampleColumnWithTaps(const double* const rows[4], const double weight[4], int64_t entries,
                            unsigned char* out) {
    const double* row0 = rows[0];
    const double* row1 = rows[1];
    const double* row2 = rows[2];
    const double* row3 = rows[3];
    const Double4 w0 = {weight[0], weight[0], weight[0], weight[0]};
    const Double4 w1 = {weight[1], weight[1], weight[1], weight[1]};
    const Double4 w2 = {weight[2], weight[2], weight[2], weight[2]};
    const Double4 w3 = {weight[3], weight[3], weight[3], weight[3]};
    const Double4 zero = {0.0, 0.0, 0.0, 0.0};
    const Double4 top = {255.0, 255.0, 255.0, 255.0};
    const Double4 half = {0.5, 0.5, 0.5, 0.5};
    int64_t e = 0;
    for (; e + 4 <= entries; e += 4) {
        Double4 r0;
        Double4 r1;
        Double4 r2;
        Double4 r3;
        Load4(r0, row0 + e);
        Load4(r1, row1 + e);
        Load4(r2, row2 + e);
        Load4(r3, row3 + e);
        Double4 v = zero;
        v += w0 * r0;
        v += w1 * r1;
        v += w2 * r2;
        v += w3 * r3;
        v = v < zero ? zero : v;
        v = top < v ? top : v;
        const Int4 rounded = __builtin_convertvector(v + half, Int4);
        for (int k = 0; k < 4; ++k) {
            out[e + k] = static_cast<unsigned char>(rounded[k]);
        }
    }
    for (; e < entries; ++e) {
        double v = 0.0;
        v += weight[0] * row0[e];
        v += weight[1] * row1[e];
        v += weight[2] * row2[e];
        v += weight[3] * row3[e];
        out[e] = RoundSampleToByte(v);
    }
}

// Rows in a worker's ring: the four a target row reads plus room to compute the next source
// row together with the one asked for.
constexpr int kRingRows = 6;

// One worker's ring of intermediate rows (slot k mod 6 holds row ringRow[k mod 6], -1 for none
// yet) and its two converted source rows.
struct ResampleRing {
    double* rows;
    double* converted[2];
    int64_t ringRow[kRingRows];
};

// Target rows begin ... end - 1 into target, with the worker's ring. Target row i reads rows
// c - 1 ... c + 2 (c = trunc(i * ry), never decreasing with i). A missing row k is computed
// together with row k + 1 when that one is missing too: k + 1 <= c + 3 never shares a slot with
// c - 1 ... c + 2, and the row it displaces, k - 5 < c - 1, is not read again.
void ResampleRange(const Resampler& r, int64_t begin, int64_t end, ResampleRing& ring,
                   unsigned char* target) {
    const int64_t sourceWidth = r.source->width;
    const int64_t sourceHeight = r.source->height;
    const int64_t sourceStride = RowStride(sourceWidth, 24);
    const int64_t rowEntries = r.targetWidth * 3;
    int64_t* ringRow = ring.ringRow;
    auto slot = [&ring, rowEntries](int64_t k) { return ring.rows + (k % kRingRows) * rowEntries; };
    for (int64_t i = begin; i < end; ++i) {
        const CubicTaps& taps = r.rowTaps[i];
        const double* rows[4];
        for (int t = 0; t < 4; ++t) {
            const int64_t k = taps.index[t];
            if (ringRow[k % kRingRows] != k) {
                ConvertRow(r.source->data + k * sourceStride, sourceWidth, ring.converted[0]);
                if (k + 1 < sourceHeight && ringRow[(k + 1) % kRingRows] != k + 1) {
                    ConvertRow(r.source->data + (k + 1) * sourceStride, sourceWidth,
                               ring.converted[1]);
                    ResampleRowPairWithTaps(ring.converted[0], ring.converted[1], r.columnTaps,
                                            r.targetWidth, slot(k), slot(k + 1));
                    ringRow[(k + 1) % kRingRows] = k + 1;
                } else {
                    ResampleRowWithTaps(ring.converted[0], r.columnTaps, r.targetWidth, slot(k));
                }
                ringRow[k % kRingRows] = k;
            }
            rows[t] = slot(k);
        }
        unsigned char* out = target + i * r.targetStride;
        ResampleColumnWithTaps(rows, taps.weight, rowEntries, out);
        if (r.clearPadding) {
            ClearRowPadding(out, rowEntries, r.targetStride);
        }
    }
}

// Doubles of one worker's private memory: the ring rows and two converted source rows.
int64_t ResampleWorkerDoubles(int64_t sourceWidth, int64_t targetWidth) {
    return kRingRows * targetWidth * 3 + 2 * sourceWidth * 4;
}

// Working memory of the fast path: the taps of every column and of the rows written, then each
// worker's private memory. Null when it cannot be had.
double* AllocResampleWork(int64_t sourceWidth, int64_t targetWidth, int64_t rows, int workers,
                          HGLOBAL* block) {
    const int64_t tapBytes = (targetWidth + rows) * int64_t{sizeof(CubicTaps)};
    const int64_t workerBytes = int64_t{workers} * ResampleWorkerDoubles(sourceWidth, targetWidth) *
                                int64_t{sizeof(double)};
    return reinterpret_cast<double*>(AllocBlock(tapBytes + workerBytes, block));
}

// Target rows 0 ... rows - 1 of the targetWidth x targetHeight resampling, at targetStride.
void ResampleFast(const _tagBITMAPHANDLE& source, int64_t targetWidth, int64_t targetHeight,
                  int64_t rows, int workers, double* work, unsigned char* target,
                  int64_t targetStride, bool clearPadding) {
    auto* columnTaps = reinterpret_cast<CubicTaps*>(work);
    CubicTaps* rowTaps = columnTaps + targetWidth;
    double* workerMemory = reinterpret_cast<double*>(rowTaps + rows);
    const int64_t sourceWidth = source.width;
    const int64_t sourceHeight = source.height;
    const double rx = static_cast<double>(sourceWidth) / static_cast<double>(targetWidth);
    const double ry = static_cast<double>(sourceHeight) / static_cast<double>(targetHeight);
    for (int64_t j = 0; j < targetWidth; ++j) {
        columnTaps[j] = TapsAt(static_cast<double>(j) * rx, sourceWidth);
    }
    for (int64_t i = 0; i < rows; ++i) {
        rowTaps[i] = TapsAt(static_cast<double>(i) * ry, sourceHeight);
    }
    const Resampler resampler{&source, targetWidth,  columnTaps,
                              rowTaps, targetStride, clearPadding};
    const int64_t perWorker = ResampleWorkerDoubles(sourceWidth, targetWidth);
    ResampleRing rings[kMaxWorkers];
    for (int w = 0; w < workers; ++w) {
        double* memory = workerMemory + w * perWorker;
        double* converted = memory + kRingRows * targetWidth * 3;
        rings[w] = {memory, {converted, converted + sourceWidth * 4}, {-1, -1, -1, -1, -1, -1}};
    }
    ForEachRowChunk(workers, rows, [&](int w, int64_t begin, int64_t end) {
        ResampleRange(resampler, begin, end, rings[w], target);
    });
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

// One output byte: the centre byte weighted by b = 8k/9 + 1 plus the sum of its eight
// neighbours weighted by c = -k/9, in double, truncated and clamped.
struct SharpenWeights {
    double centre;
    double neighbour;
};

SharpenWeights WeightsFor(double strength) {
    return {8.0 * strength / 9.0 + 1.0, -strength / 9.0};
}

unsigned char SharpenSample(const SharpenWeights& weights, int centre, int neighbours) {
    const double sum = weights.centre * centre + weights.neighbour * neighbours;
    return ClampToByte(static_cast<int>(sum));
}

// Plain path: writes the sharpened rows of bitmap, reading every neighbourhood from the
// unchanged whole copy. Neighbours outside the bitmap are replaced by the nearest pixel inside.
void SharpenRows(const unsigned char* copy, double strength, _tagBITMAPHANDLE* bitmap) {
    const SharpenWeights weights = WeightsFor(strength);
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
                out[centre + b] = SharpenSample(weights, middle[centre + b], neighbours);
            }
        }
    }
}

// Fast path for one output row from copies of the original rows below, middle and above
// (already clamped at the bottom and top), in three plain loops that the compiler turns into
// vector code. The neighbour sum is regrouped in integers, which is exact: the three column
// sums around the byte, minus the centre. Edge clamping repeats the first and last column
// sums, which reproduces the plain path's repeated edge pixels. The last loop evaluates
// SharpenSample's double expression per byte, in vector lanes or not, with the same operations
// in the same order.
IL_VECTOR_CLONES
void SharpenRowFast(const unsigned char* __restrict below, const unsigned char* __restrict middle,
                    const unsigned char* __restrict above, int64_t width,
                    const SharpenWeights& weights, int32_t* __restrict columnSums,
                    int32_t* __restrict neighbourSums, unsigned char* __restrict out) {
    const int64_t bytes = width * 3;
    int32_t* sums = columnSums + 3;
    for (int64_t i = 0; i < bytes; ++i) {
        sums[i] = below[i] + middle[i] + above[i];
    }
    for (int b = 0; b < 3; ++b) {
        sums[b - 3] = sums[b];
        sums[bytes + b] = sums[bytes - 3 + b];
    }
    for (int64_t i = 0; i < bytes; ++i) {
        neighbourSums[i] = sums[i - 3] + sums[i] + sums[i + 3] - middle[i];
    }
    const double centreWeight = weights.centre;
    const double neighbourWeight = weights.neighbour;
    for (int64_t i = 0; i < bytes; ++i) {
        const int sum =
            static_cast<int>(centreWeight * middle[i] + neighbourWeight * neighbourSums[i]);
        out[i] = static_cast<unsigned char>(sum < 0 ? 0 : sum > 255 ? 255 : sum);
    }
}

// Per-worker row buffers of the fast path: the original of the previous and of the current
// row, the column sums and the neighbour sums.
struct SharpenBuffers {
    unsigned char* previous;
    unsigned char* current;
    int32_t* columnSums;
    int32_t* neighbourSums;
};

// The sums come first and the size is a multiple of 8, so that every worker's sums are aligned.
int64_t SharpenSumsBytes(int64_t width) {
    return (2 * width * 3 + 6) * int64_t{sizeof(int32_t)};
}

int64_t SharpenBuffersBytes(int64_t width) {
    return (SharpenSumsBytes(width) + 2 * width * 3 + 7) / 8 * 8;
}

SharpenBuffers SharpenBuffersAt(unsigned char* base, int64_t width) {
    const int64_t bytes = width * 3;
    auto* sums = reinterpret_cast<int32_t*>(base);
    unsigned char* rows = base + SharpenSumsBytes(width);
    return {rows, rows + bytes, sums, sums + bytes + 6};
}

// Rows begin ... end - 1 of one chunk. below and above are the saved originals of the rows just
// outside the chunk (saved before any worker wrote). Row y's original is copied before row y is
// overwritten; the row above is read in place while it belongs to this chunk and is still
// unwritten.
void SharpenChunk(_tagBITMAPHANDLE* bitmap, const SharpenWeights& weights, SharpenBuffers rows,
                  const unsigned char* belowChunk, const unsigned char* aboveChunk, int64_t begin,
                  int64_t end) {
    const int64_t width = bitmap->width;
    const int64_t height = bitmap->height;
    const int64_t stride = RowStride(width, 24);
    const auto bytes = static_cast<size_t>(width * 3);
    for (int64_t y = begin; y < end; ++y) {
        unsigned char* row = bitmap->data + y * stride;
        std::memcpy(rows.current, row, bytes);
        const unsigned char* below = y == 0       ? rows.current
                                     : y == begin ? belowChunk
                                                  : rows.previous;
        const unsigned char* above = y + 1 == height ? rows.current
                                     : y + 1 == end  ? aboveChunk
                                                     : row + stride;
        SharpenRowFast(below, rows.current, above, width, weights, rows.columnSums,
                       rows.neighbourSums, row);
        std::swap(rows.previous, rows.current);
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

// IL_SizeBitmap with the fast or the plain passes; both share every check and the record
// update.
int SizeBitmap(_tagBITMAPHANDLE* bitmap, int width, int height, int method, bool plain) {
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
    // The plain intermediate: Wd x Hs entries of three doubles; the product is checked
    // because a large target width times a tall source can exceed 64 bits.
    int64_t intermediateBytes;
    const int64_t intermediateRowBytes = int64_t{width} * 3 * int64_t{sizeof(double)};
    const bool sized =
        !__builtin_mul_overflow(intermediateRowBytes, int64_t{bitmap->height}, &intermediateBytes);
    HGLOBAL workBlock = nullptr;
    double* work = nullptr;
    const int workers = WorkersFor(height);
    if (plain && sized) {
        work = reinterpret_cast<double*>(AllocBlock(intermediateBytes, &workBlock));
    } else if (sized && CanAllocate(intermediateBytes)) {
        work = AllocResampleWork(bitmap->width, width, height, workers, &workBlock);
    }
    if (work == nullptr) {
        ReleaseBlock(block);
        return IL_E_NOMEM;
    }

    if (plain) {
        ResampleRows(*bitmap, width, work);
        ResampleColumns(work, bitmap->height, width, height, target);
    } else {
        ResampleFast(*bitmap, width, height, height, workers, work, target, stride, true);
    }
    ReleaseBlock(workBlock);

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

// IL_SharpenBitmap with the fast or the plain path; both share every check.
int SharpenBitmap(_tagBITMAPHANDLE* bitmap, int value, bool plain) {
    if (bitmap == nullptr || bitmap->data == nullptr) {
        return IL_E_NODATA;
    }
    if (bitmap->bitsPerPixel != 24 || !ValidColorOrder(bitmap->colorOrder) ||
        !ValueInRange(value) || !RowsFitBlock(*bitmap)) {
        return IL_E_PARAM;
    }
    const double strength = SharpenStrength(value);
    if (!plain && !CanAllocate(bitmap->dataSize)) {
        return IL_E_NOMEM;
    }
    if (plain) {
        HGLOBAL copyBlock;
        unsigned char* copy = AllocBlock(bitmap->dataSize, &copyBlock);
        if (copy == nullptr) {
            return IL_E_NOMEM;
        }
        CopyMemory(copy, bitmap->data, static_cast<size_t>(bitmap->dataSize));
        SharpenRows(copy, strength, bitmap);
        ReleaseBlock(copyBlock);
        return IL_OK;
    }
    // Strength 0 gives the weights 1 and -0: every sum is the centre byte itself.
    if (strength == 0.0) {
        return IL_OK;
    }

    const int64_t width = bitmap->width;
    const int64_t height = bitmap->height;
    const int64_t stride = RowStride(width, 24);
    const int workers = WorkersFor(height);
    // Each worker's buffers, then the originals of the rows below and above every chunk.
    const int64_t buffersBytes = SharpenBuffersBytes(width);
    const int64_t bytes = width * 3;
    const int64_t chunks = ChunkCount(height);
    HGLOBAL workBlock;
    unsigned char* work = AllocBlock(workers * buffersBytes + chunks * 2 * bytes, &workBlock);
    if (work == nullptr) {
        return IL_E_NOMEM;
    }
    const SharpenWeights weights = WeightsFor(strength);
    SharpenBuffers buffers[kMaxWorkers];
    for (int w = 0; w < workers; ++w) {
        buffers[w] = SharpenBuffersAt(work + w * buffersBytes, width);
    }
    unsigned char* saved = work + workers * buffersBytes;
    for (int64_t c = 0; c < chunks; ++c) {
        const int64_t below = std::max<int64_t>(c * kChunkRows - 1, 0);
        const int64_t above = std::min((c + 1) * kChunkRows, height - 1);
        std::memcpy(saved + c * 2 * bytes, bitmap->data + below * stride, size_t(bytes));
        std::memcpy(saved + (c * 2 + 1) * bytes, bitmap->data + above * stride, size_t(bytes));
    }
    ForEachRowChunk(workers, height, [&](int w, int64_t begin, int64_t end) {
        const int64_t c = begin / kChunkRows;
        SharpenChunk(bitmap, weights, buffers[w], saved + c * 2 * bytes,
                     saved + (c * 2 + 1) * bytes, begin, end);
    });
    ReleaseBlock(workBlock);
    return IL_OK;
}

// One row of MapPixelBytes. The tables are copied to local arrays, which the pixel stores
// cannot alias, so that they stay in registers' reach instead of being reloaded per byte.
void MapRow(unsigned char* __restrict pixel, int64_t width, const unsigned char (*tables)[256]) {
    unsigned char first[256];
    unsigned char second[256];
    unsigned char third[256];
    std::memcpy(first, tables[0], 256);
    std::memcpy(second, tables[1], 256);
    std::memcpy(third, tables[2], 256);
    for (int64_t x = 0; x < width; ++x, pixel += 3) {
        pixel[0] = first[pixel[0]];
        pixel[1] = second[pixel[1]];
        pixel[2] = third[pixel[2]];
    }
}

} // namespace

int PlainSharpenBitmap(_tagBITMAPHANDLE* bitmap, int value) {
    return SharpenBitmap(bitmap, value, true);
}

int PlainSizeBitmap(_tagBITMAPHANDLE* bitmap, int width, int height, int method) {
    return SizeBitmap(bitmap, width, height, method, true);
}

int MapPixelBytes(_tagBITMAPHANDLE* bitmap, const unsigned char (*tables)[256]) {
    if (bitmap == nullptr || bitmap->data == nullptr || tables == nullptr ||
        !IsPixelBitmap24(*bitmap)) {
        return IL_E_PARAM;
    }
    const int64_t stride = RowStride(bitmap->width, 24);
    ForEachRowChunk(WorkersFor(bitmap->height), bitmap->height,
                    [&](int, int64_t begin, int64_t end) {
                        for (int64_t y = begin; y < end; ++y) {
                            MapRow(bitmap->data + y * stride, bitmap->width, tables);
                        }
                    });
    return IL_OK;
}

int SizeBitmapRowsInto(const _tagBITMAPHANDLE* bitmap, int width, int height, int rows,
                       unsigned char* target, int64_t targetStride) {
    if (bitmap == nullptr || bitmap->data == nullptr || width <= 0 || height <= 0 ||
        !IsPixelBitmap24(*bitmap) || rows <= 0 || rows > height || target == nullptr ||
        targetStride < int64_t{width} * 3) {
        return IL_E_PARAM;
    }
    const int64_t stride = RowStride(width, 24);
    if (stride > INT32_MAX) {
        return IL_E_PARAM;
    }
    // Refused exactly when IL_SizeBitmap would be: its target block and its plain
    // intermediate must be obtainable.
    int64_t intermediateBytes;
    const int64_t intermediateRowBytes = int64_t{width} * 3 * int64_t{sizeof(double)};
    if (!CanAllocate(stride * height) ||
        __builtin_mul_overflow(intermediateRowBytes, int64_t{bitmap->height}, &intermediateBytes) ||
        !CanAllocate(intermediateBytes)) {
        return IL_E_NOMEM;
    }
    const int workers = WorkersFor(rows);
    HGLOBAL workBlock;
    double* work = AllocResampleWork(bitmap->width, width, rows, workers, &workBlock);
    if (work == nullptr) {
        return IL_E_NOMEM;
    }
    ResampleFast(*bitmap, width, height, rows, workers, work, target, targetStride, false);
    ReleaseBlock(workBlock);
    return IL_OK;
}

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

namespace {

// ---- Saturation ------------------------------------------------------------------------

// The chroma S scaled by the saturation value, clamped to 0 ... 255.
double ScaledChroma(int value, double S) {
    double scaled = (value * S) / 1000 + S;
    if (scaled < 0.0) {
        scaled = 0.0;
    } else if (scaled > 255.0) {
        scaled = 255.0;
    }
    return scaled;
}

// Plain path: RGBtoHSL, the scaled chroma and HSLtoRGB for every pixel.
void SaturateRowsPlain(_tagBITMAPHANDLE* bitmap, int value, int firstByte, int thirdByte) {
    const int64_t stride = RowStride(bitmap->width, 24);
    for (int64_t y = 0; y < bitmap->height; ++y) {
        unsigned char* pixel = bitmap->data + y * stride;
        for (int64_t x = 0; x < bitmap->width; ++x, pixel += 3) {
            double H;
            double S;
            double L;
            RGBtoHSL(pixel[firstByte], pixel[1], pixel[thirdByte], &H, &S, &L);
            HSLtoRGB(H, ScaledChroma(value, S), L, &pixel[firstByte], &pixel[1], &pixel[thirdByte]);
        }
    }
}

// The hue part of a pixel, which depends only on which component is the minimum (the three
// cases of RGBtoHSL, tested in its order), the chroma S and the difference d of the other two
// components that RGBtoHSL divides by S (-S <= d <= S). For each such triple the table holds
// HSLtoRGB's sector for the hue and the fraction of D by which the middle component lies above
// the minimum, computed by the very expressions of RGBtoHSL and HSLtoRGB; no other input of
// the fraction exists, so looking it up gives the same double. Grey pixels (S = 0) get
// sector 0 and fraction 0: all their outputs are then trunc(L), as HSLtoRGB gives for hue -1.
struct HueTable {
    static constexpr int kPerCase = 256 * 256;
    double fraction[3 * kPerCase];
    unsigned char sector[3 * kPerCase];

    // Entries of chroma S start at S * S: each chroma has 2S + 1 differences.
    static int Index(int minCase, int S, int d) { return minCase * kPerCase + S * S + S + d; }
};

const double kHueOffset[3] = {60.0, 180.0, 300.0};

// HSLtoRGB's sector choice and middle-component fraction for a hue.
void SectorOf(double H, unsigned char* sector, double* fraction) {
    if (H < 60.0) {
        *sector = 0;
        *fraction = H / 60;
    } else if (H < 120.0) {
        *sector = 1;
        *fraction = (120 - H) / 60;
    } else if (H < 180.0) {
        *sector = 2;
        *fraction = (H - 120) / 60;
    } else if (H < 240.0) {
        *sector = 3;
        *fraction = (240 - H) / 60;
    } else if (H < 300.0) {
        *sector = 4;
        *fraction = (H - 240) / 60;
    } else {
        *sector = 5;
        *fraction = (360 - H) / 60;
    }
}

const HueTable& TheHueTable() {
    static HueTable table;
    static std::once_flag built;
    std::call_once(built, [] {
        for (int minCase = 0; minCase < 3; ++minCase) {
            const int grey = HueTable::Index(minCase, 0, 0);
            table.sector[grey] = 0;
            table.fraction[grey] = 0.0;
            for (int S = 1; S < 256; ++S) {
                const double chroma = S;
                for (int d = -S; d <= S; ++d) {
                    const double H = d * 60 / chroma + kHueOffset[minCase];
                    const int i = HueTable::Index(minCase, S, d);
                    SectorOf(H, &table.sector[i], &table.fraction[i]);
                }
            }
        }
    });
    return table;
}

// Where (M, middle, m), packed into bits 0, 8 and 16, go to first, second and third in each
// sector: the shift that brings the value down.
constexpr unsigned char kSectorShift[6][3] = {{0, 8, 16}, {8, 0, 16}, {16, 0, 8},
                                              {16, 8, 0}, {8, 16, 0}, {0, 16, 8}};

// The lightness part of HSLtoRGB for one pair of minimum and maximum component: with
// L = (min + max) / 2 and the scaled chroma of max - min it gives the outputs' bounds. Computed
// per call (the scaled chroma depends on the value) for every pair by HSLtoRGB's own steps.
struct Bounds {
    double min;
    double D;
    unsigned char top;    // trunc(max)
    unsigned char bottom; // trunc(min)
};

constexpr int kBoundsPairs = 256 * 257 / 2;

int BoundsIndex(int min, int max) {
    return max * (max + 1) / 2 + min;
}

Bounds BoundsFor(int min, int max, double scaledChroma) {
    const double L = (min + max) * 0.5;
    double half = scaledChroma * 0.5;
    double top;
    if (half > L) {
        half = L;
        top = 2.0 * L;
    } else {
        top = L + half;
        if (top > 255.0) {
            half = 255.0 - L;
            top = 255.0;
        }
    }
    const double bottom = L - half;
    return {bottom, top - bottom, static_cast<unsigned char>(static_cast<int>(top)),
            static_cast<unsigned char>(static_cast<int>(bottom))};
}

// Fast path for one row, in two passes. The first finds each pixel's hue entry and bounds pair
// in integer arithmetic without branches, a loop the compiler vectorises; the second reads
// them, computes the middle component trunc(min + fraction x D) as HSLtoRGB does and places the
// three outputs by sector.
template <int firstByte>
IL_VECTOR_CLONES void SaturateRow(const HueTable& hues, const Bounds* bounds, unsigned char* row,
                                  int64_t width, int32_t* __restrict hueEntries,
                                  int32_t* __restrict boundsEntries) {
    constexpr int thirdByte = 2 - firstByte;
    for (int64_t x = 0; x < width; ++x) {
        const unsigned char* pixel = row + x * 3;
        const int first = pixel[firstByte];
        const int second = pixel[1];
        const int third = pixel[thirdByte];
        const int max = std::max(first, std::max(second, third));
        const int min = std::min(first, std::min(second, third));
        const int thirdIsMin = third == min;
        const int firstIsMin = (first == min) & (1 - thirdIsMin);
        const int minCase = 2 - 2 * thirdIsMin - firstIsMin;
        const int otherwise = first - third;
        const int difference = otherwise + thirdIsMin * (second - first - otherwise) +
                               firstIsMin * (third - second - otherwise);
        hueEntries[x] = HueTable::Index(minCase, max - min, difference);
        boundsEntries[x] = BoundsIndex(min, max);
    }
    for (int64_t x = 0; x < width; ++x) {
        const int entry = hueEntries[x];
        const Bounds& b = bounds[boundsEntries[x]];
        const int middle = static_cast<int>(b.min + hues.fraction[entry] * b.D) & 255;
        const uint32_t values = uint32_t(b.top) | uint32_t(middle) << 8 | uint32_t(b.bottom) << 16;
        const unsigned char* shift = kSectorShift[hues.sector[entry]];
        unsigned char* pixel = row + x * 3;
        pixel[firstByte] = static_cast<unsigned char>(values >> shift[0]);
        pixel[1] = static_cast<unsigned char>(values >> shift[1]);
        pixel[thirdByte] = static_cast<unsigned char>(values >> shift[2]);
    }
}

void SaturateRange(_tagBITMAPHANDLE* bitmap, const Bounds* bounds, int32_t* entries, int firstByte,
                   int64_t begin, int64_t end) {
    const HueTable& hues = TheHueTable();
    const int64_t stride = RowStride(bitmap->width, 24);
    for (int64_t y = begin; y < end; ++y) {
        unsigned char* row = bitmap->data + y * stride;
        if (firstByte == 2) {
            SaturateRow<2>(hues, bounds, row, bitmap->width, entries, entries + bitmap->width);
        } else {
            SaturateRow<0>(hues, bounds, row, bitmap->width, entries, entries + bitmap->width);
        }
    }
}

// IL_ChangeBitmapSaturation with the fast or the plain path; both share every check.
int ChangeBitmapSaturation(_tagBITMAPHANDLE* bitmap, int value, bool plain) {
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
    if (plain) {
        SaturateRowsPlain(bitmap, value, firstByte, thirdByte);
        return IL_OK;
    }
    // The bounds, then two entries per pixel of a row for each worker. Without room for them
    // the plain path gives the same bytes.
    const int workers = WorkersFor(bitmap->height);
    const int64_t boundsBytes = kBoundsPairs * int64_t{sizeof(Bounds)};
    const int64_t entriesPerWorker = 2 * int64_t{bitmap->width};
    HGLOBAL workBlock;
    unsigned char* work =
        AllocBlock(boundsBytes + workers * entriesPerWorker * int64_t{sizeof(int32_t)}, &workBlock);
    if (work == nullptr) {
        SaturateRowsPlain(bitmap, value, firstByte, thirdByte);
        return IL_OK;
    }
    auto* bounds = reinterpret_cast<Bounds*>(work);
    auto* entries = reinterpret_cast<int32_t*>(work + boundsBytes);
    for (int max = 0; max < 256; ++max) {
        for (int min = 0; min <= max; ++min) {
            bounds[BoundsIndex(min, max)] = BoundsFor(min, max, ScaledChroma(value, max - min));
        }
    }
    ForEachRowChunk(workers, bitmap->height, [&](int w, int64_t begin, int64_t end) {
        SaturateRange(bitmap, bounds, entries + w * entriesPerWorker, firstByte, begin, end);
    });
    ReleaseBlock(workBlock);
    return IL_OK;
}

} // namespace

int PlainChangeBitmapSaturation(_tagBITMAPHANDLE* bitmap, int value) {
    return ChangeBitmapSaturation(bitmap, value, true);
}

extern "C" {

void IL_SetWorkerCount(int count) {
    gWorkerCount.store(std::min(std::max(count, 1), kMaxWorkers), std::memory_order_relaxed);
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
    return SizeBitmap(bitmap, width, height, method, false);
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
    return ChangeBitmapSaturation(bitmap, value, false);
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
    return SharpenBitmap(bitmap, value, false);
}
}
