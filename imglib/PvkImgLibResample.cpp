// SPDX-License-Identifier: Apache-2.0
// Resampling: IL_SizeBitmap's separable cubic convolution, its plain form through a whole-page
// intermediate and its fast form through a ring of intermediate rows on the worker threads.
#include "PvkImgLibPrivate.h"
#include "PvkImgLibPlain.h"

#include <cmath>

using namespace pvkimglib;

namespace {

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
    const int64_t sourceStride = IL_RowStride(sourceWidth, 24);
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
    const int64_t targetStride = IL_RowStride(targetWidth, 24);
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
    const int64_t sourceStride = IL_RowStride(sourceWidth, 24);
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

// IL_SizeBitmap with the fast or the plain passes; both share every check and the record
// update.
int SizeBitmap(_tagBITMAPHANDLE* bitmap, int width, int height, int method, bool plain) {
    if (bitmap == nullptr || bitmap->data == nullptr || width <= 0 || height <= 0 ||
        method != IL_RESIZE_CUBIC || !IsPixelBitmap24(*bitmap)) {
        return IL_E_PARAM;
    }
    const int64_t stride = IL_RowStride(width, 24);
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

} // namespace

int PlainSizeBitmap(_tagBITMAPHANDLE* bitmap, int width, int height, int method) {
    return SizeBitmap(bitmap, width, height, method, true);
}

int SizeBitmapRowsInto(const _tagBITMAPHANDLE* bitmap, int width, int height, int rows,
                       unsigned char* target, int64_t targetStride) {
    if (bitmap == nullptr || bitmap->data == nullptr || width <= 0 || height <= 0 ||
        !IsPixelBitmap24(*bitmap) || rows <= 0 || rows > height || target == nullptr ||
        targetStride < int64_t{width} * 3) {
        return IL_E_PARAM;
    }
    const int64_t stride = IL_RowStride(width, 24);
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

extern "C" {

int IL_SizeBitmap(_tagBITMAPHANDLE* bitmap, int width, int height, int method) {
    return SizeBitmap(bitmap, width, height, method, false);
}
}
