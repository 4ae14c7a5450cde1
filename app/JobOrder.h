// SPDX-License-Identifier: Apache-2.0
// Jobs print in the order they came. PAPPL 1.3.1 starts the newest of a printer's pending jobs
// first, so the application leaves only the oldest waiting job pending and holds the others
// (job-hold-until-specified), releasing them one at a time as jobs end and when a stopped
// printer goes on.
#ifndef TQ51M_APP_JOBORDER_H
#define TQ51M_APP_JOBORDER_H

#include <pappl/pappl.h>

namespace tq51m {

// Leaves the oldest waiting job of the printer pending and holds the rest. Jobs held by
// someone else stay as they are.
void KeepJobsInOrder(pappl_printer_t* printer);
// Releases every job the application held, so that the saved state keeps them pending for the
// next start.
void ReleaseHeldJobs(pappl_printer_t* printer);

} // namespace tq51m

#endif
