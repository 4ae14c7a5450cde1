// SPDX-License-Identifier: Apache-2.0
// The driver "velmora_tq51m": what the printer offers over IPP, and the raster callbacks that
// run each job through the filter core onto the backend.
#ifndef TQ51M_APP_DRIVER_H
#define TQ51M_APP_DRIVER_H

#include <pappl/pappl.h>

namespace tq51m {

extern const char kDriverName[];        // "velmora_tq51m"
extern const char kDriverDescription[]; // "Velmora TQ-51M"
// The printer's command stream: the driver's own format, which is not accepted as a document.
extern const char kCommandStreamFormat[]; // "application/vnd.velmora-tq51m"

bool DriverCallback(pappl_system_t* system, const char* driverName, const char* deviceUri,
                    const char* deviceId, pappl_pr_driver_data_t* data, ipp_t** attrs,
                    void* cbdata);

} // namespace tq51m

#endif
