// SPDX-License-Identifier: Apache-2.0
// The printer's own web page: the status line with the status monitor's English message,
// the loaded media and the ribbon and paper set, and the photo options under readable labels.
#ifndef TQ51M_APP_WEBPAGE_H
#define TQ51M_APP_WEBPAGE_H

#include <pappl/pappl.h>

namespace tq51m {

// Adds the page and its link to a new printer (PAPPL's printer creation callback).
void AddPrinterPage(pappl_printer_t* printer, void* data);
// Removes it again when the printer is deleted (the driver's deletion callback).
void RemovePrinterPage(pappl_printer_t* printer, pappl_pr_driver_data_t* data);

} // namespace tq51m

#endif
