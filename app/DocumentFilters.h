// SPDX-License-Identifier: Apache-2.0
// The documents the application decodes itself and prints through the driver, each page
// fitted onto the sheet: PNG (the driver's own format), JPEG and PDF (filters to it).
#ifndef TQ51M_APP_DOCUMENTFILTERS_H
#define TQ51M_APP_DOCUMENTFILTERS_H

#include <pappl/pappl.h>

namespace tq51m {

// Prints a PNG document, the driver's own format.
bool PrintPngFile(pappl_job_t* job, pappl_pr_options_t* options, pappl_device_t* device);

// Registers the JPEG and PDF filters; call before the main loop.
void RegisterDocumentFilters(pappl_system_t* system);

} // namespace tq51m

#endif
