// SPDX-License-Identifier: Apache-2.0
// Keeps each TQ-51M printer's state, reasons, supply and loaded media up to date from the
// backend's status file (read by the housekeeping thread) and from the backend's STATE:/ATTR:
// lines. What was applied is kept in the printer's PrinterState.
#ifndef TQ51M_APP_STATUSUPDATES_H
#define TQ51M_APP_STATUSUPDATES_H

#include <functional>
#include <string>

#include <pappl/pappl.h>

#include "PrinterStatus.h"

namespace tq51m {

// Seconds between two readings of the status files.
constexpr int kStatusInterval = 2;

// Runs fn for every printer without holding the system's lock while fn runs: PAPPL 1.3.1 takes
// a printer's lock and then the system's in some requests, so a printer call made inside
// papplSystemIteratePrinters can deadlock the server.
void ForEachPrinter(pappl_system_t* system, const std::function<void(pappl_printer_t*)>& fn);
// True while any printer of the system prints.
bool AnyPrinterPrinting(pappl_system_t* system);

// Reads one printer's status file and applies it (also PAPPL's status callback).
bool RefreshPrinterStatus(pappl_printer_t* printer);
// Reads and applies the status file of every printer of the system.
void RefreshAllPrinters(pappl_system_t* system);

// "STATE: +door-open-error" and "ATTR: marker-levels=74 ..." from a running backend.
void ApplyBackendState(pappl_printer_t* printer, const std::string& text);
void ApplyBackendAttributes(pappl_printer_t* printer, const std::string& text);

// Why the printer's last job failed ("Job 12 stopped: The backend ..."): shown on the web page
// until a job completes, and the reason "other" until then or until the status file shows
// another printer state; an empty text clears both.
void SetJobProblem(pappl_printer_t* printer, const std::string& text);
std::string JobProblem(pappl_printer_t* printer);

// Prints since the operator last reset the counter (since the application started before the
// first reset), -1 while the printer's total is unknown.
long long PrintsSinceReset(pappl_printer_t* printer);
void ResetPrintCounter(pappl_printer_t* printer);

// The status last read for the printer (offline before the first reading).
PrinterStatus LastStatus(pappl_printer_t* printer);

// The printer's total count as its status file says now; -1 when it says none.
long long ReadPrinterTotal(pappl_printer_t* printer);
// Sets the job's impressions to the sheets the printer counted for it (its total count at the
// job's start and end); PAPPL adds them to printer-impressions-completed as it ends the job.
// `addedByPappl`: what PAPPL itself still adds to the job after this.
void CountJobImpressions(pappl_job_t* job, long long totalAtStart, int addedByPappl);

} // namespace tq51m

#endif
