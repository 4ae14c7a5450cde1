// SPDX-License-Identifier: Apache-2.0
// The printer's sheets, each described once: the PPD's page size, the media codes, the sheet's
// dots, the nominal print size and the IPP names. The filter's media table, the printer
// application, the stream reader and the PPD check all read this table.
#ifndef TQ51M_SHEETTABLE_H
#define TQ51M_SHEETTABLE_H

#include <cmath>
#include <cstring>

namespace tq51m {

// Several prints of one sheet size on one sheet, with the media code that tells the printer so.
struct SheetLayout {
    int mediaId;   // row of the filter's media table; 0 when there is no such layout
    int mediaCode; // code of "IMAGE" "MULTICUT"
    const char* name;
};

struct MediaSheet {
    int mediaId;           // single-print row of the filter's media table
    int mediaCode;         // code of "IMAGE" "MULTICUT" for one print on the sheet
    const char* pageSize;  // the PPD's "PageSize" choice, "207x257mm"
    const char* label;     // "8 x 10 in"
    double widthInch;      // nominal print size across the sheet
    double lengthInch;     // and along it
    int widthDots;         // the sheet across the head at 300 dpi, bleed included
    int lengthDots;        // and along the feed
    bool twoInchCut;       // the 2-inch cut may be used
    const char* ippName;   // PWG name of the nominal print size, "na_govt-letter_8x10in"
    int ippWidthHmm;       // its media-size in hundredths of millimetres, short side first
    int ippLengthHmm;      //
    const char* bleedName; // PWG name of the sheet with its bleed, accepted in jobs and defaults
    SheetLayout twoUp;
    SheetLayout threeUp;
    int loadedMediaSize; // the backend's "MEDIA_SIZE=" code when this sheet's media is loaded
};

constexpr int kSheetDpi = 300;
// Gap between two prints of one sheet, dots at 300 dpi.
constexpr int kSheetImageGap = 30;

inline constexpr MediaSheet kMediaSheets[] = {
    {33,
     408,
     "207x105mm",
     "8 x 4 in",
     8.0,
     4.0,
     2448,
     1236,
     false,
     "oe_photo-4x8_4x8in",
     10160,
     20320,
     "oe_photo-8x4_8.16x4.12in",
     {37, 13, "2 x 207x105mm"},
     {44, 20, "3 x 207x105mm"},
     0},
    {34,
     409,
     "207x130mm",
     "8 x 5 in",
     8.0,
     5.0,
     2448,
     1536,
     false,
     "na_index-5x8_5x8in",
     12700,
     20320,
     "oe_photo-8x5_8.16x5.12in",
     {38, 14, "2 x 207x130mm"},
     {0, 0, nullptr},
     0},
    {35,
     410,
     "207x156mm",
     "8 x 6 in",
     8.0,
     6.0,
     2448,
     1836,
     false,
     "na_index-4x6-ext_6x8in",
     15240,
     20320,
     "oe_photo-8x6_8.16x6.12in",
     {39, 15, "2 x 207x156mm"},
     {0, 0, nullptr},
     0},
    {36,
     11,
     "207x206mm",
     "8 x 8 in",
     8.0,
     8.0,
     2448,
     2436,
     false,
     "oe_photo-8x8_8x8in",
     20320,
     20320,
     "oe_photo-8x8_8.16x8.12in",
     {0, 0, nullptr},
     {0, 0, nullptr},
     0},
    {31,
     6,
     "207x257mm",
     "8 x 10 in",
     8.0,
     10.0,
     2448,
     3036,
     true,
     "na_govt-letter_8x10in",
     20320,
     25400,
     "oe_photo-8x10_8.16x10.12in",
     {0, 0, nullptr},
     {0, 0, nullptr},
     500},
    {32,
     7,
     "207x308mm",
     "8 x 12 in",
     8.0,
     12.0,
     2448,
     3636,
     true,
     "oe_photo-8x12_8x12in",
     20320,
     30480,
     "oe_photo-8x12_8.16x12.12in",
     {0, 0, nullptr},
     {0, 0, nullptr},
     510},
    {71,
     434,
     "214x151mm",
     "8.3 x 5.8 in",
     8.3,
     5.8,
     2528,
     1784,
     false,
     "iso_a5_148x210mm",
     14800,
     21000,
     "om_photo-214x151_214.04x151.05mm",
     {72, 35, "2 x 214x151mm"},
     {0, 0, nullptr},
     0},
    {78,
     41,
     "214x300mm",
     "8.3 x 11.7 in (A4)",
     8.3,
     11.7,
     2528,
     3544,
     true,
     "iso_a4_210x297mm",
     21000,
     29700,
     "om_photo-214x300_214.04x300.06mm",
     {0, 0, nullptr},
     {0, 0, nullptr},
     600},
};

inline constexpr int kMediaSheetCount = int(sizeof(kMediaSheets) / sizeof(kMediaSheets[0]));

// Sheet length in dots at 300 dpi for count prints of the sheet, the gaps between them included.
constexpr int SheetLengthDots(const MediaSheet& sheet, int count) {
    return count * sheet.lengthDots + (count - 1) * kSheetImageGap;
}

// The sheet named by its PPD page size, its nominal IPP name or its sheet-with-bleed name.
inline const MediaSheet* FindMediaSheetByName(const char* name) {
    if (name == nullptr || *name == '\0')
        return nullptr;
    for (const MediaSheet& sheet : kMediaSheets)
        if (!std::strcmp(name, sheet.ippName) || !std::strcmp(name, sheet.bleedName) ||
            !std::strcmp(name, sheet.pageSize))
            return &sheet;
    return nullptr;
}

// The sheet whose nominal print or whole sheet is this page size in points, within one point,
// either way round; null when it is none of them.
inline const MediaSheet* FindMediaSheetByPoints(double widthPt, double lengthPt) {
    if (!std::isfinite(widthPt) || !std::isfinite(lengthPt))
        return nullptr;
    auto near = [](double a, double b, double c, double d) {
        return (std::fabs(a - c) <= 1.0 && std::fabs(b - d) <= 1.0) ||
               (std::fabs(a - d) <= 1.0 && std::fabs(b - c) <= 1.0);
    };
    for (const MediaSheet& sheet : kMediaSheets) {
        const double sheetW = sheet.widthDots * 72.0 / kSheetDpi;
        const double sheetL = sheet.lengthDots * 72.0 / kSheetDpi;
        const double nominalW = sheet.ippWidthHmm * 72.0 / 2540.0;
        const double nominalL = sheet.ippLengthHmm * 72.0 / 2540.0;
        if (near(widthPt, lengthPt, sheetW, sheetL) || near(widthPt, lengthPt, nominalW, nominalL))
            return &sheet;
    }
    return nullptr;
}

// The sheet whose media the backend reports loaded by this "MEDIA_SIZE=" code, or null.
inline const MediaSheet* FindMediaSheetByLoadedMedia(int code) {
    for (const MediaSheet& sheet : kMediaSheets)
        if (code != 0 && code == sheet.loadedMediaSize)
            return &sheet;
    return nullptr;
}

// The sheet of a single-print or multi-print media code, with the prints it holds (1 to 3).
inline const MediaSheet* FindMediaSheetByMediaCode(int code, int* imageCount) {
    for (const MediaSheet& sheet : kMediaSheets) {
        int count = 0;
        if (code == sheet.mediaCode)
            count = 1;
        else if (sheet.twoUp.mediaId != 0 && code == sheet.twoUp.mediaCode)
            count = 2;
        else if (sheet.threeUp.mediaId != 0 && code == sheet.threeUp.mediaCode)
            count = 3;
        if (count != 0) {
            if (imageCount != nullptr)
                *imageCount = count;
            return &sheet;
        }
    }
    return nullptr;
}

} // namespace tq51m

#endif
