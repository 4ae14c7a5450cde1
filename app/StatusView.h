// SPDX-License-Identifier: Apache-2.0
// The status monitor's view of a printer in words of one catalogue: the same state text,
// picture, message, media lines, counts, firmware and serial number that the monitor's main
// window shows for the same status file.
#ifndef TQ51M_APP_STATUSVIEW_H
#define TQ51M_APP_STATUSVIEW_H

#include <string>

#include "PrinterStatus.h"
#include "WebCatalogue.h"

namespace tq51m {

struct StatusView {
    bool offline = true;
    std::string picture;     // the monitor's badge without its suffix, "PrtStsPaperEnd"
    std::string state;       // "Paper end"
    std::string message;     // lines separated by '\n'
    std::string mediaGroup;  // "Media Info[ Corvel ]"
    std::string mediaSize;   // "8x10in" or "---"
    std::string mediaCounts; // "37 / 50  Sheets (12  Sheets : 8x5in)"
    int percent = 0;         // remaining sheets, 0 to 100 for any sane file
    std::string serial;
    std::string firmware;
    std::string totalCount;
};

StatusView MakeStatusView(const PrinterStatus& status, const Catalogue& catalogue);

} // namespace tq51m

#endif
