// SPDX-License-Identifier: Apache-2.0
// The filter's bitmap library: a bitmap handle record and free functions with the IL_
// prefix that create, resample, tone-adjust, saturate, separate, merge and sharpen bitmaps.
//
// Pixel layout: rows padded to a multiple of 4 bytes, ((width * bitsPerPixel + 31) / 32) * 4
// bytes each, bottom line stored first (row-origin code 4). A 24-bit pixel holds the first,
// second and third colour component in bytes 0, 1, 2 (colour order 1) or 2, 1, 0 (colour
// order 0). An 8-bit pixel indexes a palette of 256 four-byte entries.
//
// Every IL_ operation except IL_FreeBitmap returns IL_OK or a negative code; a refused call
// changes nothing.
#ifndef PVKIMGLIB_H
#define PVKIMGLIB_H

#include <stdint.h>

#include "PvkImgLib_LinuxDef.h"

// Result codes.
enum {
    IL_OK = 1,
    IL_E_NOMEM = -1,       // a pixel or work block cannot be allocated
    IL_E_NODATA = -2,      // a required handle or its pixel data is missing
    IL_E_PARAM = -13,      // argument out of range, or unsupported depth, order or shape
    IL_E_DEPTH = -27,      // IL_CreateBitmap: unsupported depth or palette for 24 bits
    IL_E_RECSIZE = -789,   // record-size stamp is not IL_BITMAPHANDLE_SIZE
    IL_E_DEEPCOLOR = -804, // IL_CreateBitmap: 48 or 64 bits per pixel
    IL_E_NOBITMAP = -814   // no handle given to a tone-curve or saturation operation
};

// Argument values accepted by the operations.
enum {
    IL_BITMAPHANDLE_SIZE = 440, // record-size stamp every creating operation requires
    IL_MEMORY_USER = 2,         // IL_CreateBitmap memory kind: pixels supplied by the caller
    IL_COLORORDER_BGR = 0,      // bytes 0, 1, 2 hold the third, second, first component
    IL_COLORORDER_RGB = 1,      // bytes 0, 1, 2 hold the first, second, third component
    IL_COLORORDER_PALETTE = 2,  // IL_CreateBitmap colour order for 8 bits (24 bits: stored as 1)
    IL_ROWORIGIN_BOTTOM = 4,    // first stored row is the bottom line
    IL_RESIZE_CUBIC = 4         // IL_SizeBitmap method: cubic convolution
};

typedef struct _tagBITMAPHANDLE {
    HGLOBAL memoryHandle;   // block the library owns; null when the pixels are the caller's
    unsigned char* data;    // first byte of the first stored row
    int32_t width;          // pixels per row
    int32_t height;         // rows
    int32_t bitsPerPixel;   // 24, or 8 (palette index)
    int32_t bytesPerLine;   // distance between stored rows
    int32_t colorCount;     // 256 for 8-bit bitmaps, 0 for 24-bit ones
    unsigned char* palette; // colorCount entries of 4 bytes; null for 24-bit bitmaps
    int32_t rowOrigin;      // always IL_ROWORIGIN_BOTTOM
    int32_t colorOrder;     // 24 bits: IL_COLORORDER_RGB or IL_COLORORDER_BGR; 8 bits: 0
    int64_t dataSize;       // bytesPerLine * height
} _tagBITMAPHANDLE;

#ifdef __cplusplus
extern "C" {
#endif

// Bytes of one stored row: width pixels of bitsPerPixel bits, padded to a multiple of 4 bytes.
static inline int64_t IL_RowStride(int64_t width, int64_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// Describes caller-supplied pixels as a bitmap; allocates nothing. memoryKind must be
// IL_MEMORY_USER, rowOrigin IL_ROWORIGIN_BOTTOM, dataSize exactly stride * height.
int IL_CreateBitmap(_tagBITMAPHANDLE* bitmap, int recordSize, int memoryKind, uint32_t width,
                    uint32_t height, uint32_t bitsPerPixel, uint32_t colorOrder,
                    unsigned char* palette, int rowOrigin, void* data, int64_t dataSize);

// Releases library-owned pixels and empties data and palette; safe on null and on an
// already emptied record. Caller-owned pixels are left alone.
void IL_FreeBitmap(_tagBITMAPHANDLE* bitmap);

// Resamples a 24-bit bitmap to width x height by cubic convolution into a new
// library-owned block (method IL_RESIZE_CUBIC).
int IL_SizeBitmap(_tagBITMAPHANDLE* bitmap, int width, int height, int method);

// Tone curves on the palette of an 8-bit bitmap; pixels are not changed.
// gamma: gamma x 100 (read as unsigned, 0 refused); value: -1000 ... 1000.
int IL_GammaCorrectBitmap(_tagBITMAPHANDLE* bitmap, int gamma);
int IL_ChangeBitmapIntensity(_tagBITMAPHANDLE* bitmap, int value);
int IL_ChangeBitmapContrast(_tagBITMAPHANDLE* bitmap, int value);

// Scales every pixel's chroma of a 24-bit bitmap by (1 + value / 1000), value -1000 ... 1000.
int IL_ChangeBitmapSaturation(_tagBITMAPHANDLE* bitmap, int value);

// Splits a 24-bit bitmap into three 8-bit planes with grey palettes: planes[k] receives the
// k-th colour component. The plane records should be empty; flags must be 0.
int IL_ColorSeparateBitmap(_tagBITMAPHANDLE* source, _tagBITMAPHANDLE** planes, int recordSize,
                           int flags);

// Builds a 24-bit colour-order-1 bitmap from three 8-bit planes, each read through its
// palette. The destination should be empty; flags must be 0.
int IL_ColorMergeBitmap(_tagBITMAPHANDLE* destination, _tagBITMAPHANDLE** planes, int recordSize,
                        int flags);

// Sharpens (value > 0) or softens (value < 0) a 24-bit bitmap with a 3 x 3 kernel whose
// strength is interpolated from KTable; value -1000 ... 1000.
int IL_SharpenBitmap(_tagBITMAPHANDLE* bitmap, int value);

// Threads over which the pixel operations split their rows: 1 to 8 (lower values count as 1,
// higher as 8). The default is the number of processors, at most 2. Every result byte is the
// same for every count: each row is computed exactly as with one thread.
void IL_SetWorkerCount(int count);
int IL_GetWorkerCount(void);

#ifdef __cplusplus
}

// Hue (degrees, -1 for grey), chroma (max - min) and lightness ((max + min) / 2) of three
// components, all on the 0 ... 255 scale.
void RGBtoHSL(int first, int second, int third, double* H, double* S, double* L);

// Inverse of RGBtoHSL, truncating each component to an integer.
void HSLtoRGB(double H, double S, double L, unsigned char* first, unsigned char* second,
              unsigned char* third);

// IL_SizeBitmap's resampling of a 24-bit bitmap to width x height, of which only the first rows
// target rows (1 ... height) are computed, written into caller memory at targetStride bytes a
// row; row padding is not written and the bitmap is not changed. Refused with the codes of
// IL_SizeBitmap in its cases (and IL_E_PARAM for a bad rows, target or stride).
int SizeBitmapRowsInto(const _tagBITMAPHANDLE* bitmap, int width, int height, int rows,
                       unsigned char* target, int64_t targetStride);

// Replaces byte k (0, 1, 2) of every pixel of a 24-bit bitmap by tables[k][byte], the rows
// split over the worker threads; row padding is not touched. IL_E_PARAM for a bitmap the pixel
// operations refuse.
int MapPixelBytes(_tagBITMAPHANDLE* bitmap, const unsigned char (*tables)[256]);

// Sharpening strengths by value, keys ascending from -1000 to 1000.
struct KTableEntry {
    int key;
    double strength;
};
constexpr int KTableSize = 21;
extern const KTableEntry KTable[KTableSize];
#endif

#endif
