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

// The raster start of a job: takes the printer, starts the job's backend and the wait for
// its job information. A document filter calls it before decoding, so that both overlap the
// decoding; later calls for the same job do nothing.
bool StartJob(pappl_job_t* job, pappl_pr_options_t* options, pappl_device_t* device);
// Ends a job started by StartJob that prints nothing after all (its document cannot be
// decoded): the backend is stopped before it prints anything.
void AbandonJob(pappl_job_t* job);

bool DriverCallback(pappl_system_t* system, const char* driverName, const char* deviceUri,
                    const char* deviceId, pappl_pr_driver_data_t* data, ipp_t** attrs,
                    void* cbdata);

} // namespace tq51m

#endif
