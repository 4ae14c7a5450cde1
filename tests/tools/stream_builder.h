// SPDX-License-Identifier: Apache-2.0
// Builds TQ-51M command streams byte by byte from the documented layout, so
// the tests never depend on the filter's own output.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace streamtest {

using Bytes = std::vector<std::uint8_t>;

inline void putLe32(Bytes& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = std::uint8_t(value >> (8 * i));
}

inline void putLe16(Bytes& out, std::size_t at, std::uint16_t value) {
    out[at] = std::uint8_t(value);
    out[at + 1] = std::uint8_t(value >> 8);
}

// The 32-byte frame: ESC, "P", group padded to 6, name padded to 16, then the
// length as "%08d" or eight spaces.
inline Bytes frame(const std::string& group, const std::string& name, const Bytes* payload) {
    Bytes out(32, ' ');
    out[0] = 0x1B;
    out[1] = 'P';
    std::memcpy(&out[2], group.data(), group.size());
    std::memcpy(&out[8], name.data(), name.size());
    if (payload) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%08d", int(payload->size()));
        std::memcpy(&out[24], digits, 8);
        out.insert(out.end(), payload->begin(), payload->end());
    }
    return out;
}

inline Bytes command(const std::string& group, const std::string& name) {
    return frame(group, name, nullptr);
}

inline Bytes command(const std::string& group, const std::string& name, const std::string& text) {
    Bytes payload(text.begin(), text.end());
    return frame(group, name, &payload);
}

// A plane command: 32-byte frame, then a BMP file of `width` x `height` 8-bit
// pixels with the grey palette, pixel rows at offset 1088 of the file, rows
// bottom-up. `pixel(x, row)` gives the value of stored row `row`.
template <typename PixelFn>
Bytes plane(const std::string& name, int width, int height, int dpiY, PixelFn pixel) {
    std::size_t stride = (std::size_t(width) + 3) / 4 * 4;
    std::size_t imageSize = stride * std::size_t(height);
    Bytes bmp(1088 + imageSize, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    putLe32(bmp, 2, std::uint32_t(1088 + imageSize));
    putLe32(bmp, 10, 1088);
    putLe32(bmp, 14, 40);
    putLe32(bmp, 18, std::uint32_t(width));
    putLe32(bmp, 22, std::uint32_t(height));
    putLe16(bmp, 26, 1);
    putLe16(bmp, 28, 8);
    putLe32(bmp, 34, std::uint32_t(imageSize));
    putLe32(bmp, 38, 11811);
    putLe32(bmp, 42, dpiY == 600 ? 23622 : 11811);
    putLe32(bmp, 46, 256);
    putLe32(bmp, 50, 256);
    for (int i = 0; i < 256; ++i) {
        bmp[54 + 4 * i] = bmp[55 + 4 * i] = bmp[56 + 4 * i] = std::uint8_t(i);
    }
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x)
            bmp[1088 + std::size_t(row) * stride + std::size_t(x)] = pixel(x, row);
    }
    return frame("IMAGE", name, &bmp);
}

inline Bytes flatPlane(const std::string& name, int height, std::uint8_t value, int dpiY = 300) {
    return plane(name, 2560, height, dpiY, [value](int, int) { return value; });
}

inline void append(Bytes& out, const Bytes& more) {
    out.insert(out.end(), more.begin(), more.end());
}

// One sheet as the printer expects it: control commands, the media code, the
// Y, M and C planes and START. Each plane is filled with one value.
inline Bytes sheet(int mediaCode, int lines, std::uint8_t y, std::uint8_t m, std::uint8_t c,
                   int dpiY = 300) {
    char code[16];
    std::snprintf(code, sizeof code, "%08d", mediaCode);
    Bytes out = command("CNTRL", "CUTTER", "00000000");
    append(out, command("CNTRL", "OVERCOAT", "00000000"));
    append(out, command("CNTRL", "BUFFCNTRL", "00000000"));
    append(out, command("CNTRL", "PRINTSPEED", "00000000"));
    append(out, command("IMAGE", "MULTICUT", code));
    append(out, flatPlane("YPLANE", lines, y, dpiY));
    append(out, flatPlane("MPLANE", lines, m, dpiY));
    append(out, flatPlane("CPLANE", lines, c, dpiY));
    append(out, command("CNTRL", "START"));
    return out;
}

} // namespace streamtest
