// SPDX-License-Identifier: Apache-2.0
// The printer's own web page: the status monitor's view of the printer (state picture and
// message, media, prints left, total count, firmware, serial number) in the browser's
// language, kept current by a small script, and the photo options under readable labels.
#ifndef TQ51M_APP_WEBPAGE_H
#define TQ51M_APP_WEBPAGE_H

#include <string>

#include <pappl/pappl.h>

#include "WebCatalogue.h"

namespace tq51m {

// Adds the status badges the page shows (once per system).
void AddWebResources(pappl_system_t* system);
// Adds the pages and their links to a new printer (PAPPL's printer creation callback).
void AddPrinterPage(pappl_printer_t* printer, void* data);
// Removes them again when the printer is deleted (the driver's deletion callback).
void RemovePrinterPage(pappl_printer_t* printer, pappl_pr_driver_data_t* data);

// Helpers shared by the printer's pages.
// The catalogue for the client's Accept-Language.
const Catalogue& ClientCatalogue(pappl_client_t* client);
// Text for HTML, escaped, with line breaks kept.
void PutText(pappl_client_t* client, const std::string& text);
// "Glossy" for "photographic-glossy"; the keyword itself for one without a label.
const char* FinishLabel(const char* type);
// The path of one of the printer's pages, "/ipp/print/NAME/tq51m-jobs" for "tq51m-jobs".
std::string PrinterPagePath(pappl_printer_t* printer, const char* name);

} // namespace tq51m

#endif
