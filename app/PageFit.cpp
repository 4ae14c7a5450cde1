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

// One output pixel from n neighbouring RGB pixels and their weights.
inline void WeighPixel(const std::int32_t* w, int n, const std::uint8_t* src, std::uint8_t* out) {
    std::int32_t r = 0, g = 0, b = 0;
    for (int k = 0; k < n; ++k, src += 3) {
        r += w[k] * src[0];
        g += w[k] * src[1];
        b += w[k] * src[2];
    }
    out[0] = Clamp(r);
    out[1] = Clamp(g);
    out[2] = Clamp(b);
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

// Adds n rows of `bytes` samples, `stride` apart, with their weights: tap by tap over the whole
// row, the same sums read and added in long runs.
void AddRows(const std::int32_t* w, int n, const std::uint8_t* base, std::size_t stride,
             std::size_t bytes, std::vector<std::int32_t>& sums) {
    std::fill(sums.begin(), sums.begin() + std::ptrdiff_t(bytes), 0);
    for (int k = 0; k < n; ++k) {
        const std::int32_t weight = w[k];
        const std::uint8_t* src = base + size_t(k) * stride;
        for (size_t i = 0; i < bytes; ++i)
            sums[i] += weight * src[i];
    }
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
        // The page as it lands: turned, its rows are the page's columns, right to left.
        const bool turned = placement.turned;
        const int width = turned ? page.height : page.width;
        const int height = turned ? page.width : page.height;
        // A page made at the sheet's scale (a PDF page rendered for it) is copied, cut or
        // padded with white.
        int shiftX = 0, shiftY = 0;
        if (WholeDotShift(placement.scaleX, placement.offsetX, shiftX) &&
            WholeDotShift(placement.scaleY, placement.offsetY, shiftY)) {
            std::vector<std::uint8_t> turnedPixels;
            if (turned) {
                turnedPixels = Turn(pixels, stride, page.width, page.height);
                pixels = turnedPixels.data();
                stride = size_t(width) * 3;
            }
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

        // The rows of the landed page the sheet reads.
        int firstRow = height, lastRow = -1;
        for (int y = 0; y < sheet.height; ++y) {
            if (along.count[size_t(y)] == 0)
                continue;
            firstRow = std::min(firstRow, along.first[size_t(y)]);
            lastRow = std::max(lastRow, along.first[size_t(y)] + along.count[size_t(y)] - 1);
        }
        const int rows = lastRow >= firstRow ? lastRow - firstRow + 1 : 0;
        const size_t outStride = size_t(sheet.width) * 3;
        std::vector<std::uint8_t> line(outStride);
        std::vector<std::int32_t> sums;

        // Those rows resampled across first. A turned page is not turned first (a copy of the
        // whole page, written a pixel per page of memory): its rows are columns of the page, so
        // each sheet column is made from whole rows of the page, right to left, and kept as a
        // row of `across`; the sheet's rows then gather their pixels from those.
        const size_t acrossStride = turned ? size_t(rows) * 3 : outStride;
        std::vector<std::uint8_t> acrossRows(size_t(turned ? sheet.width : rows) * acrossStride);
        if (turned && rows > 0) {
            // The page's columns right - rows + 1 .. right are the landed rows, last to first.
            const int right = page.width - 1 - firstRow;
            const size_t bytes = size_t(rows) * 3;
            sums.resize(bytes);
            for (int x = 0; x < sheet.width; ++x) {
                std::uint8_t* out = &acrossRows[size_t(x) * acrossStride];
                const int n = across.count[size_t(x)];
                if (n == 0) {
                    std::memset(out, 255, bytes);
                    continue;
                }
                AddRows(&across.weights[size_t(x) * size_t(across.stride)], n,
                        pixels + size_t(across.first[size_t(x)]) * stride +
                            size_t(right - rows + 1) * 3,
                        stride, bytes, sums);
                for (int j = 0; j < rows; ++j) {
                    const std::int32_t* sum = &sums[size_t(rows - 1 - j) * 3];
                    out[size_t(j) * 3] = Clamp(sum[0]);
                    out[size_t(j) * 3 + 1] = Clamp(sum[1]);
                    out[size_t(j) * 3 + 2] = Clamp(sum[2]);
                }
            }
        } else {
            for (int y = firstRow; y <= lastRow; ++y) {
                const std::uint8_t* in = pixels + size_t(y) * stride;
                std::uint8_t* out = &acrossRows[size_t(y - firstRow) * outStride];
                for (int x = 0; x < sheet.width; ++x) {
                    const int n = across.count[size_t(x)];
                    if (n == 0) {
                        std::memset(out + size_t(x) * 3, 255, 3);
                        continue;
                    }
                    WeighPixel(&across.weights[size_t(x) * size_t(across.stride)], n,
                               in + size_t(across.first[size_t(x)]) * 3, out + size_t(x) * 3);
                }
            }
            sums.resize(outStride);
        }

        for (int y = 0; y < sheet.height; ++y) {
            const int n = along.count[size_t(y)];
            if (n == 0) {
                std::fill(line.begin(), line.end(), 255);
                row(line.data());
                continue;
            }
            const std::int32_t* w = &along.weights[size_t(y) * size_t(along.stride)];
            const size_t first = size_t(along.first[size_t(y)] - firstRow);
            if (turned) {
                // Each sheet column's taps lie side by side in its row of `acrossRows`.
                for (int x = 0; x < sheet.width; ++x)
                    WeighPixel(w, n, &acrossRows[size_t(x) * acrossStride + first * 3],
                               &line[size_t(x) * 3]);
            } else {
                AddRows(w, n, &acrossRows[first * outStride], outStride, outStride, sums);
                for (size_t i = 0; i < outStride; ++i)
                    line[i] = Clamp(sums[i]);
            }
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
