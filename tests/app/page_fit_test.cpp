// SPDX-License-Identifier: Apache-2.0
// Pages of the sizes clients send, fitted onto the printer's sheets: where they land, what is
// cropped, where white remains, and which way round they end up.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "PageFit.h"

namespace {

using tq51m::PageGeometry;
using tq51m::PageScaling;

struct PlaceRow {
    const char* name;
    PageGeometry page;
    PageGeometry sheet;
    PageScaling scaling;
    bool turned;
    double width, height, offsetX, offsetY; // sheet dots
};

TEST(PageFit, PagesLandWhereTheirScalingPutsThem) {
    const PageGeometry sheet8x10{2448, 3036, 300, 300};
    const PageGeometry letter{2550, 3300, 300, 300};
    const PlaceRow rows[] = {
        // A phone's 8 x 10 in page covers the 8 x 10 in sheet and its bleed: 12 rows cropped
        // at the top and at the bottom.
        {"8x10 auto",
         {2400, 3000, 300, 300},
         sheet8x10,
         PageScaling::Auto,
         false,
         2448,
         3060,
         0,
         -12},
        {"8x10 landscape",
         {3000, 2400, 300, 300},
         sheet8x10,
         PageScaling::Fill,
         true,
         2448,
         3060,
         0,
         -12},
        {"letter fill", letter, sheet8x10, PageScaling::Fill, false, 2448, 3168, 0, -66},
        {"letter fit", letter, sheet8x10, PageScaling::Fit, false, 2346, 3036, 51, 0},
        {"letter none", letter, sheet8x10, PageScaling::None, false, 2550, 3300, -51, -132},
        {"sheet itself", sheet8x10, sheet8x10, PageScaling::Auto, false, 2448, 3036, 0, 0},
        // 300 dpi page on the 600 dpi sheet: the same inches, twice the dots.
        {"8x10 at 600 dpi",
         {2400, 3000, 300, 300},
         {4896, 6072, 600, 600},
         PageScaling::Auto,
         false,
         4896,
         6120,
         0,
         -24},
        {"8x10 at 300 x 600 dpi",
         {2400, 3000, 300, 300},
         {2448, 6072, 300, 600},
         PageScaling::Auto,
         false,
         2448,
         6120,
         0,
         -24},
        // An A4 page on the A4 sheet (2528 x 3544): covered across, cropped along.
        {"A4 auto",
         {2480, 3508, 300, 300},
         {2528, 3544, 300, 300},
         PageScaling::Auto,
         false,
         2528,
         3575.9,
         0,
         -15.95},
        // The 8 x 4 in sheet runs across: a 4 x 8 in portrait page is turned onto it.
        {"4x8 portrait",
         {1200, 2400, 300, 300},
         {2448, 1236, 300, 300},
         PageScaling::Auto,
         true,
         2472,
         1236,
         -12,
         0},
    };
    for (const PlaceRow& row : rows) {
        SCOPED_TRACE(row.name);
        const tq51m::PagePlacement p = tq51m::PlacePage(row.page, row.sheet, row.scaling, true);
        EXPECT_EQ(p.turned, row.turned);
        EXPECT_NEAR(p.scaledWidth, row.width, 0.01);
        EXPECT_NEAR(p.scaledHeight, row.height, 0.1);
        EXPECT_NEAR(p.offsetX, row.offsetX, 0.01);
        EXPECT_NEAR(p.offsetY, row.offsetY, 0.05);
    }
    // With an orientation asked for, the page is not turned.
    EXPECT_FALSE(
        tq51m::PlacePage({3000, 2400, 300, 300}, sheet8x10, PageScaling::Auto, false).turned);
}

// Renders a page and returns the sheet's rows, top first.
std::vector<std::uint8_t> Render(const std::vector<std::uint8_t>& page, const PageGeometry& pg,
                                 const PageGeometry& sheet, PageScaling scaling) {
    std::vector<std::uint8_t> out;
    const tq51m::PagePlacement p = tq51m::PlacePage(pg, sheet, scaling, true);
    EXPECT_TRUE(tq51m::FitPage(page.data(), size_t(pg.width) * 3, pg, sheet, p,
                               [&](const std::uint8_t* row) {
                                   out.insert(out.end(), row, row + size_t(sheet.width) * 3);
                               }));
    return out;
}

bool IsWhite(const std::vector<std::uint8_t>& img, int width, int x, int y) {
    const std::uint8_t* p = &img[(size_t(y) * size_t(width) + size_t(x)) * 3];
    return p[0] == 255 && p[1] == 255 && p[2] == 255;
}

TEST(PageFit, CoveredSheetsHaveNoWhiteAndFittedOnesKeepTheirMargins) {
    // A US Letter page in mid grey with a red top-left corner block.
    const PageGeometry letter{2550, 3300, 300, 300};
    std::vector<std::uint8_t> page(size_t(letter.width) * letter.height * 3, 128);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x) {
            std::uint8_t* p = &page[(size_t(y) * letter.width + x) * 3];
            p[0] = 250, p[1] = 0, p[2] = 0;
        }
    const PageGeometry sheet{2448, 3036, 300, 300};

    const std::vector<std::uint8_t> filled = Render(page, letter, sheet, PageScaling::Auto);
    ASSERT_EQ(filled.size(), size_t(2448) * 3036 * 3);
    for (int y = 0; y < sheet.height; ++y)
        for (int x : {0, 1, 1224, 2446, 2447})
            ASSERT_FALSE(IsWhite(filled, sheet.width, x, y)) << x << "," << y;
    // The red corner stays at the top left: 66 of its 300 rows were cropped, times 0.96.
    const std::uint8_t* corner = &filled[(size_t(10) * 2448 + 10) * 3];
    EXPECT_EQ(corner[0], 250);
    EXPECT_EQ(corner[1], 0);

    // Fit: 51 white columns each side, none above or below.
    const std::vector<std::uint8_t> fitted = Render(page, letter, sheet, PageScaling::Fit);
    for (int y : {0, 1518, 3035}) {
        EXPECT_TRUE(IsWhite(fitted, sheet.width, 50, y));
        EXPECT_FALSE(IsWhite(fitted, sheet.width, 51, y));
        EXPECT_FALSE(IsWhite(fitted, sheet.width, 2396, y));
        EXPECT_TRUE(IsWhite(fitted, sheet.width, 2397, y));
    }
}

TEST(PageFit, PagesAtTheSheetsScaleAreCutOrPaddedDotForDot) {
    // A page whose every pixel differs from its neighbours: any blending would show.
    const auto pixel = [](int x, int y, int c) { return std::uint8_t((x * 7 + y * 13 + c) % 251); };
    struct Row {
        const char* name;
        PageGeometry page, sheet;
        PageScaling scaling;
        int shiftX, shiftY; // where the page's top-left pixel lands on the sheet
    };
    const Row rows[] = {
        // An 8 x 10 in PDF page rendered to cover the 8 x 10 in sheet: 12 rows cut top and
        // bottom.
        {"8x10 cover", {2448, 3060, 300, 300}, {2448, 3036, 300, 300}, PageScaling::Auto, 0, -12},
        {"8x10 cover 300x600",
         {2448, 6120, 300, 600},
         {2448, 6072, 300, 600},
         PageScaling::Fill,
         0,
         -24},
        // Unscaled and narrower: 24 white columns each side.
        {"8x10 none", {2400, 3036, 300, 300}, {2448, 3036, 300, 300}, PageScaling::None, 24, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::uint8_t> page(size_t(row.page.width) * row.page.height * 3);
        for (int y = 0; y < row.page.height; ++y)
            for (int x = 0; x < row.page.width; ++x)
                for (int c = 0; c < 3; ++c)
                    page[(size_t(y) * row.page.width + x) * 3 + c] = pixel(x, y, c);
        const std::vector<std::uint8_t> out = Render(page, row.page, row.sheet, row.scaling);
        ASSERT_EQ(out.size(), size_t(row.sheet.width) * row.sheet.height * 3);
        size_t wrong = 0;
        for (int y = 0; y < row.sheet.height; ++y)
            for (int x = 0; x < row.sheet.width; ++x) {
                const int px = x - row.shiftX, py = y - row.shiftY;
                const bool inside =
                    px >= 0 && px < row.page.width && py >= 0 && py < row.page.height;
                for (int c = 0; c < 3; ++c)
                    wrong += out[(size_t(y) * row.sheet.width + x) * 3 + c] !=
                             (inside ? pixel(px, py, c) : 255);
            }
        EXPECT_EQ(wrong, 0u);
    }
}

TEST(PageFit, TurnedPagesKeepTheirTopRightCornerAtTheTopLeft) {
    // A landscape 8 x 10 page, red top-right corner, onto the portrait sheet: turned a quarter
    // counter-clockwise, the corner lands at the sheet's top left.
    const PageGeometry page{3000, 2400, 300, 300};
    std::vector<std::uint8_t> pixels(size_t(page.width) * page.height * 3, 100);
    for (int y = 0; y < 200; ++y)
        for (int x = page.width - 200; x < page.width; ++x)
            pixels[(size_t(y) * page.width + x) * 3] = 240;
    const PageGeometry sheet{2448, 3036, 300, 300};
    const std::vector<std::uint8_t> out = Render(pixels, page, sheet, PageScaling::Auto);
    EXPECT_EQ(out[(size_t(20) * 2448 + 20) * 3], 240);
    EXPECT_EQ(out[(size_t(3000) * 2448 + 2400) * 3], 100);
    EXPECT_EQ(out[(size_t(20) * 2448 + 2400) * 3], 100);
}

} // namespace
