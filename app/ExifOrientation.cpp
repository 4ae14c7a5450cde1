// SPDX-License-Identifier: Apache-2.0
#include "ExifOrientation.h"

#include <cstring>
#include <new>
#include <utility>

namespace tq51m {

namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;

} // namespace

int ExifOrientation(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < 6 + 8 || std::memcmp(data, "Exif\0\0", 6) != 0)
        return 1;
    const std::uint8_t* tiff = data + 6;
    const std::size_t length = size - 6;
    bool little;
    if (tiff[0] == 'I' && tiff[1] == 'I')
        little = true;
    else if (tiff[0] == 'M' && tiff[1] == 'M')
        little = false;
    else
        return 1;
    auto u16 = [&](std::size_t at) -> std::uint32_t {
        return little ? std::uint32_t(tiff[at] | tiff[at + 1] << 8)
                      : std::uint32_t(tiff[at] << 8 | tiff[at + 1]);
    };
    auto u32 = [&](std::size_t at) -> std::uint32_t {
        return little ? u16(at) | u16(at + 2) << 16 : u16(at) << 16 | u16(at + 2);
    };
    if (u16(2) != 42)
        return 1;
    const std::uint32_t ifd = u32(4);
    if (ifd > length || length - ifd < 2)
        return 1;
    const std::uint32_t entries = u16(ifd);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::size_t entry = std::size_t(ifd) + 2 + std::size_t(i) * 12;
        if (entry + 12 > length)
            return 1;
        if (u16(entry) != kOrientationTag)
            continue;
        if (u16(entry + 2) != kShortType || u32(entry + 4) < 1)
            return 1;
        const std::uint32_t value = u16(entry + 8);
        return value >= 1 && value <= 8 ? int(value) : 1;
    }
    return 1;
}

bool OrientImage(RgbImage& image, int orientation) {
    if (orientation < 2 || orientation > 8)
        return true;
    const int w = image.geometry.width, h = image.geometry.height;
    const bool swaps = orientation >= 5;
    const int outW = swaps ? h : w, outH = swaps ? w : h;
    std::vector<std::uint8_t> out;
    try {
        out.resize(std::size_t(outW) * std::size_t(outH) * 3);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int y = 0; y < outH; ++y) {
        std::uint8_t* row = &out[std::size_t(y) * std::size_t(outW) * 3];
        for (int x = 0; x < outW; ++x) {
            // The stored pixel that appears at (x, y) once upright.
            int sx = x, sy = y;
            switch (orientation) {
            case 2:
                sx = w - 1 - x;
                break;
            case 3:
                sx = w - 1 - x, sy = h - 1 - y;
                break;
            case 4:
                sy = h - 1 - y;
                break;
            case 5:
                sx = y, sy = x;
                break;
            case 6:
                sx = y, sy = h - 1 - x;
                break;
            case 7:
                sx = w - 1 - y, sy = h - 1 - x;
                break;
            case 8:
                sx = w - 1 - y, sy = x;
                break;
            }
            std::memcpy(row + std::size_t(x) * 3,
                        &image.pixels[(std::size_t(sy) * std::size_t(w) + std::size_t(sx)) * 3], 3);
        }
    }
    image.pixels = std::move(out);
    image.geometry.width = outW;
    image.geometry.height = outH;
    if (swaps)
        std::swap(image.geometry.xdpi, image.geometry.ydpi);
    return true;
}

} // namespace tq51m
