// SPDX-License-Identifier: Apache-2.0
#include "PrinterCreation.h"

#include <cstring>

#include "Driver.h"
#include "WebPage.h"

namespace tq51m {

// With the driver "auto", PAPPL asks the device for its device ID and keeps it as the
// printer's: the backend's carries the serial ("SN:"), which the status monitor reads.
const char* AutoAddDriver(const char*, const char*, const char* deviceId, void*) {
    if (deviceId == nullptr)
        return nullptr;
    cups_option_t* pairs = nullptr;
    const int count = papplDeviceParseID(deviceId, &pairs);
    const char* model = cupsGetOption("MDL", count, pairs);
    if (model == nullptr)
        model = cupsGetOption("MODEL", count, pairs);
    const bool ours = model != nullptr && strcmp(model, "TQ-51M") == 0;
    cupsFreeOptions(count, pairs);
    return ours ? kDriverName : nullptr;
}

void PrinterCreated(pappl_printer_t* printer, void* data) {
    AddPrinterPage(printer, data);
    // PAPPL announces its printers when the server starts and when one is added through the
    // web page, but not one made by Create-Printer (the "add" subcommand) while it runs:
    // setting the printer's DNS-SD name again announces it.
    if (papplSystemIsRunning(papplPrinterGetSystem(printer))) {
        char name[256];
        if (papplPrinterGetDNSSDName(printer, name, sizeof(name)) != nullptr)
            papplPrinterSetDNSSDName(printer, name);
    }
}

} // namespace tq51m
