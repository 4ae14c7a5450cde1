// SPDX-License-Identifier: Apache-2.0
// The documents the application decodes itself and prints through the driver, each page
// fitted onto the sheet: PDF, the driver's own format, and PNG and JPEG, as filters to it.
#ifndef TQ51M_APP_DOCUMENTFILTERS_H
#define TQ51M_APP_DOCUMENTFILTERS_H

#include <pappl/pappl.h>

namespace tq51m {

// Prints a PDF document, the driver's own format.
bool PrintPdfFile(pappl_job_t* job, pappl_pr_options_t* options, pappl_device_t* device);

// Registers the PNG and JPEG filters; call before the main loop.
void RegisterDocumentFilters(pappl_system_t* system);

} // namespace tq51m

#endif
