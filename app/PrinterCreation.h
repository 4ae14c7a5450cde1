// SPDX-License-Identifier: Apache-2.0
// What the application adds to PAPPL's creation of a printer: the driver for the device ID
// of a printer added with the driver "auto", and the printer's DNS-SD announcement when it is
// created while the server runs.
#ifndef TQ51M_APP_PRINTERCREATION_H
#define TQ51M_APP_PRINTERCREATION_H

#include <pappl/pappl.h>

namespace tq51m {

// PAPPL's auto-add callback: the driver's name for a TQ-51M's device ID, else null.
const char* AutoAddDriver(const char* deviceInfo, const char* deviceUri, const char* deviceId,
                          void* data);

// PAPPL's printer creation callback: the printer's web page, and its DNS-SD announcement.
void PrinterCreated(pappl_printer_t* printer, void* data);

} // namespace tq51m

#endif
