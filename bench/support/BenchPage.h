// SPDX-License-Identifier: Apache-2.0
// The page the benchmarks work on: 8 x 10 inch at 300 dpi as a bottom-up 24-bit buffer.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "PvkImgLib.h"

constexpr int kWidth = 2448;
constexpr int kHeight = 3036;
const int64_t kStride = IL_RowStride(kWidth, 24);
constexpr int64_t kPixels = int64_t{kWidth} * kHeight;

// A photo-like page: smooth gradients with a little noise, so that hue sectors, clamps and
// neighbourhoods vary the way they do on real pictures.
inline const std::vector<unsigned char>& PagePixels() {
    static const std::vector<unsigned char> pixels = [] {
        std::vector<unsigned char> out(size_t(kStride * kHeight), 0);
        std::mt19937 random(51);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                unsigned char* p = &out[size_t(y * kStride + x * 3)];
                const int noise = int(random() % 9) - 4;
                p[0] = static_cast<unsigned char>(std::clamp(x * 255 / kWidth + noise, 0, 255));
                p[1] = static_cast<unsigned char>(std::clamp(y * 255 / kHeight - noise, 0, 255));
                p[2] = static_cast<unsigned char>(std::clamp((x + y) / 22 + noise, 0, 255));
            }
        return out;
    }();
    return pixels;
}
