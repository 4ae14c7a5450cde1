// SPDX-License-Identifier: Apache-2.0
#include "PrinterMedia.h"

#include <cstdio>
#include <cstring>

#include "SheetTable.h"

namespace tq51m {

namespace {

bool SameSize(const pappl_media_col_t& a, const pappl_media_col_t& b) {
    return !strcmp(a.size_name, b.size_name) && a.size_width == b.size_width &&
           a.size_length == b.size_length;
}

// The media renamed to its sheet's standard name, borderless; false when it names no sheet or
// already has that name.
bool ToStandardName(pappl_media_col_t& media) {
    const MediaSheet* sheet = FindMediaSheetByName(media.size_name);
    if (sheet == nullptr || !strcmp(media.size_name, sheet->ippName))
        return false;
    snprintf(media.size_name, sizeof(media.size_name), "%s", sheet->ippName);
    media.size_width = sheet->ippWidthHmm;
    media.size_length = sheet->ippLengthHmm;
    media.bottom_margin = media.top_margin = media.left_margin = media.right_margin = 0;
    return true;
}

// PAPPL also makes the ready media of the default media's source the default media. The
// printer has one source, so every change of the loaded sheet (and the first reading of the
// status file after a start) would replace the default the operator chose: it is put back.
bool SetReady(pappl_printer_t* printer, const pappl_media_col_t& loaded,
              const pappl_media_col_t& chosen) {
    pappl_media_col_t ready = loaded;
    if (!papplPrinterSetReadyMedia(printer, 1, &ready))
        return false;
    pappl_pr_driver_data_t data;
    papplPrinterGetDriverData(printer, &data);
    if (SameSize(data.media_default, chosen) && !strcmp(data.media_default.type, chosen.type))
        return true;
    data.media_default = chosen;
    return papplPrinterSetDriverDefaults(printer, &data, 0, nullptr);
}

} // namespace

bool SetLoadedMedia(pappl_printer_t* printer, const pappl_media_col_t& loaded) {
    pappl_pr_driver_data_t data;
    papplPrinterGetDriverData(printer, &data);
    return SetReady(printer, loaded, data.media_default);
}

void UseStandardMediaNames(pappl_printer_t* printer) {
    pappl_pr_driver_data_t data;
    papplPrinterGetDriverData(printer, &data);
    pappl_media_col_t chosen = data.media_default;
    pappl_media_col_t ready = data.media_ready[0];
    const bool defaultRenamed = ToStandardName(chosen);
    if (ToStandardName(ready))
        SetReady(printer, ready, chosen);
    else if (defaultRenamed) {
        data.media_default = chosen;
        papplPrinterSetDriverDefaults(printer, &data, 0, nullptr);
    }
}

} // namespace tq51m
