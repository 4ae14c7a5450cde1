// SPDX-License-Identifier: Apache-2.0
#include "PageFit.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace tq51m {

namespace {

constexpr int kWeightBits = 14;
constexpr std::int32_t kWeightOne = 1 << kWeightBits;

// The source taps of every output pixel along one axis: a triangle filter, widened when
// shrinking so that every source pixel counts. An output pixel whose centre falls outside the
// page has no taps and stays white.
struct AxisTaps {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<std::int32_t> weights; // count[i] weights from offset i * stride
    int stride = 0;
};

AxisTaps MakeTaps(int outSize, int inSize, double scale, double offset) {
    AxisTaps taps;
    const double support = scale < 1.0 ? 1.0 / scale : 1.0;
    taps.stride = int(std::ceil(support)) * 2 + 2;
    taps.first.assign(size_t(outSize), 0);
    taps.count.assign(size_t(outSize), 0);
    taps.weights.assign(size_t(outSize) * size_t(taps.stride), 0);
    std::vector<double> w(size_t(taps.stride));
    for (int o = 0; o < outSize; ++o) {
        const double centre = (o + 0.5 - offset) / scale;
        if (centre < 0.0 || centre >= inSize)
            continue;
        const int lo = std::max(0, int(std::floor(centre - support)));
        const int hi = std::min(inSize, int(std::ceil(centre + support)));
        double sum = 0.0;
        int n = 0;
        for (int i = lo; i < hi && n < taps.stride; ++i, ++n) {
            const double t = std::fabs(i + 0.5 - centre) / support;
            w[size_t(n)] = t < 1.0 ? 1.0 - t : 0.0;
            sum += w[size_t(n)];
        }
        if (sum <= 0.0) {
            // Exactly between two pixels at the edge: the nearest one.
            const int nearest = std::min(inSize - 1, std::max(0, int(centre)));
            taps.first[size_t(o)] = nearest;
            taps.count[size_t(o)] = 1;
            taps.weights[size_t(o) * size_t(taps.stride)] = kWeightOne;
            continue;
        }
        taps.first[size_t(o)] = lo;
        taps.count[size_t(o)] = n;
        for (int k = 0; k < n; ++k)
            taps.weights[size_t(o) * size_t(taps.stride) + size_t(k)] =
                std::int32_t(std::lround(w[size_t(k)] / sum * kWeightOne));
    }
    return taps;
}

// The weights of one output pixel add up to about kWeightOne, so a sum of 8-bit samples times
// them stays far inside 32 bits.
inline std::uint8_t Clamp(std::int32_t acc) {
    const std::int32_t v = (acc + (kWeightOne / 2)) >> kWeightBits;
    return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

// The page turned a quarter counter-clockwise: its top-right corner becomes the top-left.
// Turned in square tiles, so that the rows written stay in the caches instead of every pixel
// landing on a page of memory of its own.
std::vector<std::uint8_t> Turn(const std::uint8_t* pixels, std::size_t stride, int width,
                               int height) {
    constexpr int kTile = 64;
    std::vector<std::uint8_t> out(size_t(width) * size_t(height) * 3);
    const size_t outStride = size_t(height) * 3;
    for (int top = 0; top < height; top += kTile) {
        const int bottom = std::min(height, top + kTile);
        for (int left = 0; left < width; left += kTile) {
            const int right = std::min(width, left + kTile);
            for (int x = left; x < right; ++x) {
                std::uint8_t* to = &out[size_t(width - 1 - x) * outStride];
                const std::uint8_t* from = pixels + size_t(x) * 3;
                for (int y = top; y < bottom; ++y)
                    std::memcpy(to + size_t(y) * 3, from + size_t(y) * stride, 3);
            }
        }
    }
    return out;
}

// Whole sheet dots by which a page lands shifted on the sheet at a scale of one, within what
// the resampler's 14-bit weights cannot tell apart (so its result would be the copy); false
// for any other placement.
bool WholeDotShift(double scale, double offset, int& shift) {
    const double nearest = std::round(offset);
    if (std::fabs(scale - 1.0) > 1e-10 || std::fabs(offset - nearest) > 1e-6 ||
        std::fabs(nearest) > 1e9)
        return false;
    shift = int(nearest);
    return true;
}

} // namespace

bool PageIsSheet(const PageGeometry& page, const PageGeometry& sheet) {
    return page.width == sheet.width && page.height == sheet.height;
}

PagePlacement PlacePage(const PageGeometry& page, const PageGeometry& sheet, PageScaling scaling,
                        bool autoTurn) {
    PagePlacement placement;
    // Physical sizes in inches.
    const double pageW = double(page.width) / page.xdpi, pageH = double(page.height) / page.ydpi;
    const double sheetW = double(sheet.width) / sheet.xdpi;
    const double sheetH = double(sheet.height) / sheet.ydpi;
    placement.turned =
        autoTurn && (pageW > pageH) != (sheetW > sheetH) && pageW != pageH && sheetW != sheetH;
    const double w = placement.turned ? pageH : pageW;
    const double h = placement.turned ? pageW : pageH;
    const int pixelsW = placement.turned ? page.height : page.width;
    const int pixelsH = placement.turned ? page.width : page.height;

    double scale = 1.0;
    switch (scaling) {
    case PageScaling::Auto:
    case PageScaling::Fill:
        scale = std::max(sheetW / w, sheetH / h);
        break;
    case PageScaling::Fit:
        scale = std::min(sheetW / w, sheetH / h);
        break;
    case PageScaling::None:
        break;
    }
    placement.scaledWidth = w * scale * sheet.xdpi;
    placement.scaledHeight = h * scale * sheet.ydpi;
    placement.scaleX = placement.scaledWidth / pixelsW;
    placement.scaleY = placement.scaledHeight / pixelsH;
    placement.offsetX = (sheet.width - placement.scaledWidth) / 2.0;
    placement.offsetY = (sheet.height - placement.scaledHeight) / 2.0;
    return placement;
}

bool FitPage(const std::uint8_t* pixels, std::size_t stride, const PageGeometry& page,
             const PageGeometry& sheet, const PagePlacement& placement,
             const std::function<void(const std::uint8_t* row)>& row) {
    try {
        std::vector<std::uint8_t> turned;
        int width = page.width, height = page.height;
        if (placement.turned) {
            turned = Turn(pixels, stride, page.width, page.height);
            pixels = turned.data();
            std::swap(width, height);
            stride = size_t(width) * 3;
        }
        // A page made at the sheet's scale (a PDF page rendered for it) is copied, cut or
        // padded with white.
        int shiftX = 0, shiftY = 0;
        if (WholeDotShift(placement.scaleX, placement.offsetX, shiftX) &&
            WholeDotShift(placement.scaleY, placement.offsetY, shiftY)) {
            // Only the columns the page reaches are written: the others stay white.
            const std::vector<std::uint8_t> white(size_t(sheet.width) * 3, 255);
            std::vector<std::uint8_t> line = white;
            const int left = std::max(0, shiftX);
            const int right = std::min(sheet.width, shiftX + width);
            for (int y = 0; y < sheet.height; ++y) {
                const long source = long(y) - shiftY;
                if (source < 0 || source >= height || left >= right) {
                    row(white.data());
                    continue;
                }
                std::memcpy(&line[size_t(left) * 3],
                            pixels + size_t(source) * stride + size_t(left - shiftX) * 3,
                            size_t(right - left) * 3);
                row(line.data());
            }
            return true;
        }
        const AxisTaps across = MakeTaps(sheet.width, width, placement.scaleX, placement.offsetX);
        const AxisTaps along = MakeTaps(sheet.height, height, placement.scaleY, placement.offsetY);

        // The page rows the sheet reads, resampled across first.
        int firstRow = height, lastRow = -1;
        for (int y = 0; y < sheet.height; ++y) {
            if (along.count[size_t(y)] == 0)
                continue;
            firstRow = std::min(firstRow, along.first[size_t(y)]);
            lastRow = std::max(lastRow, along.first[size_t(y)] + along.count[size_t(y)] - 1);
        }
        const size_t outStride = size_t(sheet.width) * 3;
        std::vector<std::uint8_t> acrossRows;
        if (lastRow >= firstRow)
            acrossRows.assign(size_t(lastRow - firstRow + 1) * outStride, 255);
        for (int y = firstRow; y <= lastRow; ++y) {
            const std::uint8_t* in = pixels + size_t(y) * stride;
            std::uint8_t* out = &acrossRows[size_t(y - firstRow) * outStride];
            for (int x = 0; x < sheet.width; ++x) {
                const int n = across.count[size_t(x)];
                if (n == 0)
                    continue;
                const std::int32_t* w = &across.weights[size_t(x) * size_t(across.stride)];
                const std::uint8_t* src = in + size_t(across.first[size_t(x)]) * 3;
                std::int32_t r = 0, g = 0, b = 0;
                for (int k = 0; k < n; ++k, src += 3) {
                    r += w[k] * src[0];
                    g += w[k] * src[1];
                    b += w[k] * src[2];
                }
                out[size_t(x) * 3] = Clamp(r);
                out[size_t(x) * 3 + 1] = Clamp(g);
                out[size_t(x) * 3 + 2] = Clamp(b);
            }
        }

        std::vector<std::uint8_t> line(outStride);
        std::vector<std::int32_t> sums(outStride);
        for (int y = 0; y < sheet.height; ++y) {
            const int n = along.count[size_t(y)];
            if (n == 0) {
                std::fill(line.begin(), line.end(), 255);
                row(line.data());
                continue;
            }
            const std::int32_t* w = &along.weights[size_t(y) * size_t(along.stride)];
            const std::uint8_t* base =
                &acrossRows[size_t(along.first[size_t(y)] - firstRow) * outStride];
            // Tap by tap over the whole row: the same sums, read and added in long runs.
            std::fill(sums.begin(), sums.end(), 0);
            for (int k = 0; k < n; ++k) {
                const std::int32_t weight = w[k];
                const std::uint8_t* src = base + size_t(k) * outStride;
                for (size_t i = 0; i < outStride; ++i)
                    sums[i] += weight * src[i];
            }
            for (size_t i = 0; i < outStride; ++i)
                line[i] = Clamp(sums[i]);
            // Columns the page does not reach stay white.
            for (int x = 0; x < sheet.width; ++x)
                if (across.count[size_t(x)] == 0)
                    std::memset(&line[size_t(x) * 3], 255, 3);
            row(line.data());
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

} // namespace tq51m
