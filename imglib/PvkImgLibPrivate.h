// SPDX-License-Identifier: Apache-2.0
// Internals shared by the image library's operation files: row strides, argument checks,
// library blocks, the row-chunk worker loop and the vector types of the pixel kernels. Not part
// of the library's public interface. The small helpers are inline here so that the pixel loops
// of every operation file get them inlined, as within one file.
#ifndef PVKIMGLIBPRIVATE_H
#define PVKIMGLIBPRIVATE_H

#include "PvkImgLib.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

namespace pvkimglib {

constexpr int kPaletteEntries = 256;
constexpr int kPaletteBytes = kPaletteEntries * 4;
constexpr int kValueLimit = 1000;

// ---- Rows and argument checks ----------------------------------------------------------

inline bool ValidColorOrder(int32_t colorOrder) {
    return static_cast<uint32_t>(colorOrder) <= IL_COLORORDER_RGB;
}

inline bool ValueInRange(int value) {
    return value >= -kValueLimit && value <= kValueLimit;
}

// True when the record's size is positive, its rows are addressable with an int stride and
// its pixel block covers every row, so that walking the rows stays inside the block.
inline bool RowsFitBlock(const _tagBITMAPHANDLE& bitmap) {
    if (bitmap.width <= 0 || bitmap.height <= 0) {
        return false;
    }
    const int64_t stride = IL_RowStride(bitmap.width, bitmap.bitsPerPixel);
    return stride <= INT32_MAX && stride * bitmap.height <= bitmap.dataSize;
}

// A 24-bit bitmap that the pixel operations accept.
inline bool IsPixelBitmap24(const _tagBITMAPHANDLE& bitmap) {
    return bitmap.bitsPerPixel == 24 && ValidColorOrder(bitmap.colorOrder) && RowsFitBlock(bitmap);
}

inline void ClearRowPadding(unsigned char* row, int64_t usedBytes, int64_t stride) {
    std::memset(row + usedBytes, 0, static_cast<size_t>(stride - usedBytes));
}

inline unsigned char ClampToByte(int value) {
    if (value < 0) {
        return 0;
    }
    return value > 255 ? 255 : static_cast<unsigned char>(value);
}

// ---- Library blocks --------------------------------------------------------------------

// Allocates and locks a library block; on failure nothing stays allocated.
unsigned char* AllocBlock(int64_t size, HGLOBAL* handle);

inline void ReleaseBlock(HGLOBAL handle) {
    GlobalUnlock(handle);
    GlobalFree(handle);
}

// True when a block of size bytes can be allocated now. The fast paths need far less memory
// than the plain ones but keep their result codes: they are refused with IL_E_NOMEM exactly
// when the plain path's work block cannot be had. The probe block is never written, so it
// costs address space for a moment, not memory.
bool CanAllocate(int64_t size);

// ---- Vector types ----------------------------------------------------------------------

// Four doubles (or ints) handled lane by lane: every lane undergoes exactly the IEEE operation
// that scalar code performs, so vector and scalar forms of a computation give the same bits.
using Double4 = double __attribute__((vector_size(32)));
using Int4 = int32_t __attribute__((vector_size(16)));

// By reference: a 32-byte vector passed by value would depend on the processor's ABI.
inline void Load4(Double4& v, const double* p) {
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

// The count set by IL_SetWorkerCount, else the processor count, at most 2.
int WorkerCount();

// Workers for a job of the given rows: never more than rows.
inline int WorkersFor(int64_t rows) {
    return static_cast<int>(std::max<int64_t>(1, std::min<int64_t>(WorkerCount(), rows)));
}

// Rows are handed out in chunks of this many, fixed whatever the number of workers.
constexpr int64_t kChunkRows = 64;

inline int64_t ChunkCount(int64_t rows) {
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

} // namespace pvkimglib

#endif
