// SPDX-License-Identifier: Apache-2.0
// Owning handles for the filter's heap blocks and bitmaps, so that every exit path releases
// what it holds.
#ifndef TQ51M_HANDLES_H
#define TQ51M_HANDLES_H

#include <cstdlib>
#include <memory>

#include "PvkImgLib.h"

// A block from the process allocator (malloc, calloc), released with free.
struct FreeDeleter {
    void operator()(void* block) const { std::free(block); }
};
template <typename T> using HeapBlock = std::unique_ptr<T, FreeDeleter>;

// A heap bitmap record with library-owned pixels: the pixels go with IL_FreeBitmap, then the
// record itself.
struct BitmapDeleter {
    void operator()(_tagBITMAPHANDLE* bitmap) const {
        IL_FreeBitmap(bitmap);
        std::free(bitmap);
    }
};
using BitmapPtr = std::unique_ptr<_tagBITMAPHANDLE, BitmapDeleter>;

#endif
