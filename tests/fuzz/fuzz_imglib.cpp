// SPDX-License-Identifier: Apache-2.0
// The IL_ operations with arbitrary arguments on small bitmaps. An input is a small program:
// how to create the first bitmap, then up to 24 operations, each on a record picked by the
// input (the page, a plane, the merge result, an empty record or none at all).
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "PvkImgLib.h"

namespace {

// Keeps every resampling target small; the other values probe the argument checks.
int dimension(fuzz::Reader& in) {
    const uint8_t b = in.byte();
    static const int specials[] = {0, -1, INT_MIN, 4096, 1, 512, 2, 3};
    if (b < 248)
        return int(b % 64) - 2;
    return specials[b - 248];
}

// Strength and gamma arguments around the accepted range and at its limits.
int strength(fuzz::Reader& in) {
    const uint8_t b = in.byte();
    static const int specials[] = {0,   1,     -1,      1000,    -1000,   1001,    -1001,
                                   100, 65536, 1 << 30, INT_MAX, INT_MIN, -100000, 999};
    if (b < 256 - sizeof(specials) / sizeof(specials[0]))
        return int(b) * 9 - 1100;
    return specials[b - (256 - sizeof(specials) / sizeof(specials[0]))];
}

int stamp(fuzz::Reader& in) {
    const uint8_t b = in.byte();
    return b < 250 ? IL_BITMAPHANDLE_SIZE : int(b) + 190;
}

int flags(fuzz::Reader& in) {
    return in.byte() < 250 ? 0 : 1;
}

struct Program {
    std::vector<unsigned char> pixels;
    unsigned char palette[256 * 4];
    _tagBITMAPHANDLE page{};
    _tagBITMAPHANDLE planes[3]{};
    _tagBITMAPHANDLE merged{};
    _tagBITMAPHANDLE empty{};

    ~Program() {
        IL_FreeBitmap(&page);
        for (auto& plane : planes)
            IL_FreeBitmap(&plane);
        IL_FreeBitmap(&merged);
    }

    _tagBITMAPHANDLE* pick(uint8_t b) {
        switch (b % 7) {
        case 0:
        case 1:
            return &page;
        case 2:
        case 3:
        case 4:
            return &planes[b % 7 - 2];
        case 5:
            return &merged;
        default:
            return b & 0x80 ? nullptr : &empty;
        }
    }

    // Either a well-formed bitmap of up to 40 x 40 pixels, or arbitrary creation arguments
    // over a buffer that really holds the size the caller states.
    bool create(fuzz::Reader& in) {
        const uint8_t mode = in.byte();
        uint32_t width, height, bits, order;
        int64_t size;
        int recordSize = IL_BITMAPHANDLE_SIZE, memoryKind = IL_MEMORY_USER;
        int rowOrigin = IL_ROWORIGIN_BOTTOM;
        bool withPalette;
        if ((mode & 1) == 0) {
            width = 1 + in.byte() % 40;
            height = 1 + in.byte() % 40;
            bits = mode & 2 ? 8 : 24;
            order = bits == 8 ? IL_COLORORDER_PALETTE : (mode >> 2) % 3;
            withPalette = bits == 8;
            size = int64_t(((width * bits + 31) / 32) * 4) * height;
        } else {
            width = in.u32();
            height = in.u32();
            static const uint32_t depths[] = {0, 1, 8, 16, 24, 32, 48, 64, 12};
            const uint8_t d = in.byte();
            bits = d < 9 * 28 ? depths[d % 9] : in.u32();
            order = in.byte() % 5;
            withPalette = mode & 2;
            size = int64_t(in.u32()) - (mode & 4 ? int64_t(1) << 31 : 0);
            if (mode & 8)
                recordSize = stamp(in);
            if (mode & 16)
                memoryKind = in.byte();
            if (mode & 32)
                rowOrigin = in.byte();
            if (size < 0 || size > (1 << 20))
                return false;
        }
        // At least one byte, so that a size of 0 still comes with a valid data pointer.
        pixels.assign(size > 0 ? size_t(size) : 1, 0);
        const std::string fill = in.bytes(size_t(size));
        std::copy(fill.begin(), fill.end(), pixels.begin());
        for (int i = 0; i < 256 * 4; ++i)
            palette[i] = (i / 4) ^ (i % 4 == 3 ? 0xFF : 0);
        IL_CreateBitmap(&page, recordSize, memoryKind, width, height, bits, order,
                        withPalette ? palette : nullptr, rowOrigin,
                        size == 0 && (mode & 64) ? nullptr : pixels.data(), size);
        return true;
    }

    void step(fuzz::Reader& in) {
        const uint8_t op = in.byte();
        _tagBITMAPHANDLE* target = pick(in.byte());
        switch (op % 9) {
        case 0: {
            const int width = dimension(in);
            const int height = dimension(in);
            const uint8_t m = in.byte();
            IL_SizeBitmap(target, width, height, m < 250 ? int(IL_RESIZE_CUBIC) : int(m));
            break;
        }
        case 1:
            IL_GammaCorrectBitmap(target, strength(in));
            break;
        case 2:
            IL_ChangeBitmapIntensity(target, strength(in));
            break;
        case 3:
            IL_ChangeBitmapContrast(target, strength(in));
            break;
        case 4:
            IL_ChangeBitmapSaturation(target, strength(in));
            break;
        case 5:
            IL_SharpenBitmap(target, strength(in));
            break;
        case 6: {
            // Separation fills the plane records: they are emptied first, as callers must.
            const uint8_t missing = in.byte();
            _tagBITMAPHANDLE* outputs[3];
            for (int k = 0; k < 3; ++k) {
                IL_FreeBitmap(&planes[k]);
                std::memset(&planes[k], 0, sizeof(planes[k]));
                outputs[k] = missing == k + 1 ? nullptr : &planes[k];
            }
            if (target != &planes[0] && target != &planes[1] && target != &planes[2])
                IL_ColorSeparateBitmap(target, missing == 4 ? nullptr : outputs, stamp(in),
                                       flags(in));
            break;
        }
        case 7: {
            const uint8_t missing = in.byte();
            _tagBITMAPHANDLE* inputs[3];
            for (int k = 0; k < 3; ++k)
                inputs[k] = missing == k + 1 ? nullptr : missing == k + 4 ? &empty : &planes[k];
            IL_FreeBitmap(&merged);
            std::memset(&merged, 0, sizeof(merged));
            IL_ColorMergeBitmap(missing == 7 ? nullptr : &merged, inputs, stamp(in), flags(in));
            break;
        }
        default:
            IL_FreeBitmap(target);
            break;
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Reader in(data, size);
    Program program;
    if (!program.create(in))
        return 0;
    for (int i = 0; i < 24 && !in.empty(); ++i)
        program.step(in);
    return 0;
}
