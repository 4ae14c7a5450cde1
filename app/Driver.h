// SPDX-License-Identifier: Apache-2.0
// The driver "velmora_tq51m": what the printer offers over IPP, and the raster callbacks that
// run each job through the filter core onto the backend.
#ifndef TQ51M_APP_DRIVER_H
#define TQ51M_APP_DRIVER_H

#include <string>

#include <pappl/pappl.h>

#include "PageFit.h"

namespace tq51m {

extern const char kDriverName[];        // "velmora_tq51m"
extern const char kDriverDescription[]; // "Velmora TQ-51M"
// The driver's own document format, printed by the application's PDF renderer. PAPPL
// advertises it and every format with a filter to it, so that the printer's command stream is
// neither advertised nor accepted.
extern const char kDriverFormat[]; // "application/pdf"

// A document that the application decodes itself, one page at a time.
class DocumentPages {
  public:
    virtual ~DocumentPages() = default;
    // The next page, decoded for the target: true with a page; false at the end, or with a
    // reason for the user when the page cannot be had.
    virtual bool Next(const PageTarget& target, RgbImage& page, std::string& error) = 0;
};

// The job is cancelled, or the application is stopping.
bool JobMustStop(pappl_job_t* job);

// Prints the pages onto the job's sheet as the raster callbacks print a page of another size.
// The backend is started before the first page is decoded, so that the two overlap. False
// when the job failed; its message then says why.
bool PrintDocument(pappl_job_t* job, pappl_device_t* device, DocumentPages& pages);

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
