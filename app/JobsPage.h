// SPDX-License-Identifier: Apache-2.0
// The printer's jobs page: its recent jobs with state, reason, time, sheet size, finish and
// thumbnails of the sheets the printer was sent.
#ifndef TQ51M_APP_JOBSPAGE_H
#define TQ51M_APP_JOBSPAGE_H

#include <pappl/pappl.h>

namespace tq51m {

extern const char kJobsPageName[]; // "tq51m-jobs"

void AddJobsPage(pappl_printer_t* printer);
void RemoveJobsPage(pappl_printer_t* printer);

} // namespace tq51m

#endif
