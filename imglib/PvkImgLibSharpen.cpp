// SPDX-License-Identifier: Apache-2.0
// Sharpening: IL_SharpenBitmap's 3 x 3 kernel with the strength from KTable, its plain form
// reading a whole work copy and its fast form working row by row on the worker threads.
#include "PvkImgLibPrivate.h"
#include "PvkImgLibPlain.h"

using namespace pvkimglib;

const KTableEntry KTable[KTableSize] = {
    {-1000, -1.0},   {-950, -0.75}, {-900, -0.5625}, {-800, -0.39}, {-500, -0.204}, {-200, -0.135},
    {-100, -0.124},  {-50, -0.119}, {-1, -0.117},    {0, 0.0},      {1, 0.126},     {50, 0.14},
    {100, 0.140625}, {650, 0.365},  {700, 0.412},    {750, 0.5},    {800, 0.6046},  {850, 0.8203},
    {900, 1.125},    {950, 2.25},   {1000, 9.0},
};

namespace {

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
    const int64_t stride = IL_RowStride(width, 24);
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
    const int64_t stride = IL_RowStride(width, 24);
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
    const int64_t stride = IL_RowStride(width, 24);
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

} // namespace

int PlainSharpenBitmap(_tagBITMAPHANDLE* bitmap, int value) {
    return SharpenBitmap(bitmap, value, true);
}

extern "C" {

int IL_SharpenBitmap(_tagBITMAPHANDLE* bitmap, int value) {
    return SharpenBitmap(bitmap, value, false);
}
}
