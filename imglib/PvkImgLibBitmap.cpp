// SPDX-License-Identifier: Apache-2.0
// Bitmap handle and memory: describing caller pixels as a bitmap, releasing what the library
// owns, and the library blocks every operation allocates its pixels and work memory in.
#include "PvkImgLibPrivate.h"

namespace pvkimglib {

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

bool CanAllocate(int64_t size) {
    HGLOBAL probe;
    if (AllocBlock(size, &probe) == nullptr) {
        return false;
    }
    ReleaseBlock(probe);
    return true;
}

} // namespace pvkimglib

using namespace pvkimglib;

extern "C" {

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
    const int64_t stride = IL_RowStride(width, bitsPerPixel);
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
}
