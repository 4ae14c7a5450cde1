// SPDX-License-Identifier: Apache-2.0
// Planes: IL_ColorSeparateBitmap splits a 24-bit bitmap into three 8-bit planes with grey
// palettes, IL_ColorMergeBitmap builds a 24-bit bitmap from three planes read through their
// palettes.
#include "PvkImgLibPrivate.h"

using namespace pvkimglib;

namespace {

bool IsMergeablePlane(const _tagBITMAPHANDLE& plane, const _tagBITMAPHANDLE& first) {
    const int64_t stride = IL_RowStride(first.width, 8);
    return plane.width == first.width && plane.height == first.height && plane.bitsPerPixel == 8 &&
           plane.bytesPerLine == stride && plane.colorCount == kPaletteEntries &&
           plane.palette != nullptr && plane.colorOrder == 0 &&
           plane.rowOrigin == first.rowOrigin && plane.dataSize == stride * first.height;
}

} // namespace

extern "C" {

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
    const int64_t sourceStride = IL_RowStride(width, 24);
    const int64_t planeStride = IL_RowStride(width, 8);
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
    if (first.width <= 0 || first.height <= 0 || IL_RowStride(first.width, 24) > INT32_MAX) {
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
    const int64_t planeStride = IL_RowStride(width, 8);
    const int64_t stride = IL_RowStride(width, 24);
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
}
