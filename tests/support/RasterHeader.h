// SPDX-License-Identifier: Apache-2.0
// The page header of a well-formed raster page, for the tests that write raster files.
// Hostile tests start from it and break one field on purpose.
#ifndef TQ51M_TESTS_RASTERHEADER_H
#define TQ51M_TESTS_RASTERHEADER_H

#include <cups/raster.h>

namespace tq51m::test {

// 8-bit chunked RGB, the raster the queue's PPD asks for, at `dpi` in both directions.
inline cups_page_header2_t RgbPageHeader(unsigned width, unsigned height, unsigned copies = 1,
                                         unsigned dpi = 300) {
    cups_page_header2_t header = {};
    header.HWResolution[0] = header.HWResolution[1] = dpi;
    header.NumCopies = copies;
    header.cupsWidth = width;
    header.cupsHeight = height;
    header.cupsBitsPerColor = 8;
    header.cupsBitsPerPixel = 24;
    header.cupsBytesPerLine = width * 3;
    header.cupsColorOrder = CUPS_ORDER_CHUNKED;
    header.cupsColorSpace = CUPS_CSPACE_RGB;
    header.cupsNumColors = 3;
    return header;
}

} // namespace tq51m::test

#endif
