// SPDX-License-Identifier: Apache-2.0
// Tone curves: gamma, brightness and contrast tables applied to the palette of an 8-bit plane,
// and per-byte tables applied to the pixels of a 24-bit bitmap.
#include "PvkImgLibPrivate.h"

#include <cmath>

using namespace pvkimglib;

namespace {

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

int MapPixelBytes(_tagBITMAPHANDLE* bitmap, const unsigned char (*tables)[256]) {
    if (bitmap == nullptr || bitmap->data == nullptr || tables == nullptr ||
        !IsPixelBitmap24(*bitmap)) {
        return IL_E_PARAM;
    }
    const int64_t stride = IL_RowStride(bitmap->width, 24);
    ForEachRowChunk(WorkersFor(bitmap->height), bitmap->height,
                    [&](int, int64_t begin, int64_t end) {
                        for (int64_t y = begin; y < end; ++y) {
                            MapRow(bitmap->data + y * stride, bitmap->width, tables);
                        }
                    });
    return IL_OK;
}

extern "C" {

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
}
