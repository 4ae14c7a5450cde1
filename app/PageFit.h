// SPDX-License-Identifier: Apache-2.0
// Fits a page of any size onto a sheet: turned to the sheet's orientation, scaled by the job's
// print-scaling and centred, then resampled to the sheet's dots. No PAPPL here: the geometry
// and the resampling are tested on their own.
#ifndef TQ51M_APP_PAGEFIT_H
#define TQ51M_APP_PAGEFIT_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace tq51m {

// IPP print-scaling: auto and fill cover the sheet, cropping what overhangs; fit shows the
// whole page inside the sheet; none keeps the page's own size.
enum class PageScaling { Auto, Fill, Fit, None };

struct PageGeometry {
    int width = 0, height = 0; // pixels
    int xdpi = 300, ydpi = 300;
};

// A decoded page: RGB, 3 bytes a pixel, rows of width x 3 bytes, top row first.
struct RgbImage {
    PageGeometry geometry;
    std::vector<std::uint8_t> pixels;
};

// Where a decoded page is going: the sheet (its dots at the job's resolution), the job's
// print-scaling, and whether the page may be turned to the sheet's orientation.
struct PageTarget {
    PageGeometry sheet;
    PageScaling scaling = PageScaling::Auto;
    bool autoTurn = true;
};

// Where the page lands on the sheet. The page is first turned a quarter counter-clockwise when
// `turned`; its (turned) pixels are then scaled by scaleX/scaleY and placed with their top-left
// corner at offsetX/offsetY sheet dots (negative where the page overhangs).
struct PagePlacement {
    bool turned = false;
    double scaleX = 1.0, scaleY = 1.0;
    double offsetX = 0.0, offsetY = 0.0;
    double scaledWidth = 0.0, scaledHeight = 0.0;
};

// autoTurn: turn the page when its long side runs across the sheet's short side (an
// orientation-requested of none or absent). Sizes are physical: each side at its resolution.
PagePlacement PlacePage(const PageGeometry& page, const PageGeometry& sheet, PageScaling scaling,
                        bool autoTurn);

// A page that needs no fitting: exactly the sheet's dots, not turned.
bool PageIsSheet(const PageGeometry& page, const PageGeometry& sheet);

// Renders an RGB page (3 bytes a pixel, rows of `stride` bytes, top row first) onto the sheet
// as placed, white where the page does not reach, and hands every sheet row, top first, to
// `row` (3 x sheet.width bytes). False when the memory for it cannot be had.
bool FitPage(const std::uint8_t* pixels, std::size_t stride, const PageGeometry& page,
             const PageGeometry& sheet, const PagePlacement& placement,
             const std::function<void(const std::uint8_t* row)>& row);

} // namespace tq51m

#endif
