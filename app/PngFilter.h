// SPDX-License-Identifier: Apache-2.0
// PNG documents, decoded by the application instead of by PAPPL 1.3.1, whose decoder jumps
// back to the start of the reading on every libpng error and so retries a broken or cut-off
// file for ever, keeping the printer busy.
#ifndef TQ51M_APP_PNGFILTER_H
#define TQ51M_APP_PNGFILTER_H

#include <pappl/pappl.h>

namespace tq51m {

// Registers the application's PNG filter from "image/png" to the driver's own format, which
// PAPPL looks up before its own filter to raster.
void RegisterPngFilter(pappl_system_t* system);

} // namespace tq51m

#endif
