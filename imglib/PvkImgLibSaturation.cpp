// SPDX-License-Identifier: Apache-2.0
// Saturation and HSL: the conversions RGBtoHSL and HSLtoRGB, IL_ChangeBitmapSaturation's plain
// form through them per pixel, and its fast form through tables of their results.
#include "PvkImgLibPrivate.h"
#include "PvkImgLibPlain.h"

#include <mutex>

using namespace pvkimglib;

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
    const int64_t stride = IL_RowStride(bitmap->width, 24);
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
    const int64_t stride = IL_RowStride(bitmap->width, 24);
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

int IL_ChangeBitmapSaturation(_tagBITMAPHANDLE* bitmap, int value) {
    return ChangeBitmapSaturation(bitmap, value, false);
}
}
