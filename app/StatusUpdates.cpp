// SPDX-License-Identifier: Apache-2.0
#include "StatusUpdates.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "BackendMessages.h"
#include "JobOptions.h"
#include "JobOrder.h"
#include "PrinterMedia.h"
#include "PrinterState.h"

namespace tq51m {

namespace {

// The printer's total count; -1 when the status file gives none.
long long TotalPrints(const PrinterStatus& status) {
    return status.totalCount.empty() ? -1 : StatusNumber(status.totalCount);
}

void SetSupply(pappl_printer_t* printer, int level) {
    pappl_supply_t supply = {};
    supply.color = PAPPL_SUPPLY_COLOR_MULTIPLE;
    snprintf(supply.description, sizeof(supply.description), "Ribbon and paper");
    supply.is_consumed = true;
    supply.level = level;
    supply.type = PAPPL_SUPPLY_TYPE_INK_RIBBON;
    papplPrinterSetSupplies(printer, 1, &supply);
}

void SetReadyMedia(pappl_printer_t* printer, const char* pwgName) {
    const MediaSheet* sheet = FindMediaSheetByName(pwgName);
    if (sheet == nullptr)
        return;
    pappl_pr_driver_data_t data;
    papplPrinterGetDriverData(printer, &data);
    pappl_media_col_t media = data.media_default;
    snprintf(media.size_name, sizeof(media.size_name), "%s", sheet->ippName);
    media.size_width = sheet->ippWidthHmm;
    media.size_length = sheet->ippLengthHmm;
    media.bottom_margin = media.top_margin = media.left_margin = media.right_margin = 0;
    snprintf(media.source, sizeof(media.source), "main");
    SetLoadedMedia(printer, media);
}

} // namespace

bool RefreshPrinterStatus(pappl_printer_t* printer) {
    PrinterState* state = PrinterState::Of(printer);
    if (state == nullptr)
        return false;
    // PAPPL reads a printer's status first right after loading it from the state file.
    UseStandardMediaNames(printer);
    const char* uri = papplPrinterGetDeviceURI(printer);
    const std::string path = StatusFilePath(uri ? uri : "");
    std::string text;
    const PrinterStatus status =
        !path.empty() && ReadStatusFile(path, text) ? ParseStatusText(text) : OfflineStatus();

    const bool problemReason = state->WithStatus([&status](AppliedStatus& applied) {
        // The reason stays until the printer's state moves on from the one it had when the
        // job failed (the status file tells the rest), not from the one read before that.
        if (applied.problemReason && applied.problemStateCode < 0)
            applied.problemStateCode = status.stateCode;
        else if (applied.problemReason && status.stateCode != applied.problemStateCode)
            applied.problemReason = false;
        return applied.problemReason;
    });
    pappl_preason_t reasons = status.reasons;
    if (problemReason)
        reasons |= PAPPL_PREASON_OTHER;
    papplPrinterSetReasons(printer, reasons, kStatusReasons & ~reasons);

    // The printer is stopped while it cannot print, so that jobs wait in the queue, in order,
    // and clients see printer-state "stopped" with the reasons; it goes on by itself once the
    // printer can print again. A printer paused by the operator or for a stop stays paused.
    const bool cannotPrint = CannotPrint(status);
    const int change = state->WithStatus([cannotPrint, state](AppliedStatus& applied) {
        if (cannotPrint == applied.pausedForFault || state->Stopping())
            return 0;
        applied.pausedForFault = cannotPrint;
        return cannotPrint ? 1 : -1;
    });
    if (change > 0) {
        papplPrinterPause(printer);
    } else if (change < 0) {
        KeepJobsInOrder(printer);
        papplPrinterResume(printer);
    }

    state->WithStatus([printer, &status](AppliedStatus& applied) {
        applied.status = status;
        if (applied.printsAtReset < 0)
            applied.printsAtReset = TotalPrints(status);
        if (applied.supplyLevel != status.supplyLevel) {
            SetSupply(printer, status.supplyLevel);
            applied.supplyLevel = status.supplyLevel;
        }
        // Setting the ready media saves the printer's state: only when it changes.
        if (status.readyMedia != nullptr && applied.readyMedia != status.readyMedia) {
            SetReadyMedia(printer, status.readyMedia);
            applied.readyMedia = status.readyMedia;
        }
    });
    // printer-impressions-completed is the printer's own total count. PAPPL 1.3.1 adds each
    // ended job's impressions, which CountJobImpressions makes the sheets the printer counted
    // for the job, and lowers the figure never: it catches up here with what the printer
    // printed otherwise (the printer used beside the application), but not while a job's
    // sheets are still to be added by PAPPL.
    const int toCome =
        state->WithStatus([](AppliedStatus& applied) { return applied.impressionsToCome; });
    bool jobToCount = state->Busy();
    if (toCome != 0 && !jobToCount) {
        pappl_job_t* job = papplPrinterFindJob(printer, toCome);
        jobToCount = job != nullptr && papplJobGetState(job) < IPP_JSTATE_CANCELED;
        if (!jobToCount)
            state->WithStatus([toCome](AppliedStatus& applied) {
                if (applied.impressionsToCome == toCome)
                    applied.impressionsToCome = 0;
            });
    }
    if (TotalPrints(status) >= 0 && !jobToCount) {
        const long long behind = TotalPrints(status) - papplPrinterGetImpressionsCompleted(printer);
        if (behind > 0)
            papplPrinterSetImpressionsCompleted(printer, int(behind));
    }
    state->StatusApplied();
    return true;
}

void ForEachPrinter(pappl_system_t* system, const std::function<void(pappl_printer_t*)>& fn) {
    std::vector<int> ids;
    papplSystemIteratePrinters(
        system,
        [](pappl_printer_t* printer, void* data) {
            static_cast<std::vector<int>*>(data)->push_back(papplPrinterGetID(printer));
        },
        &ids);
    for (int id : ids)
        if (pappl_printer_t* printer = papplSystemFindPrinter(system, nullptr, id, nullptr))
            fn(printer);
}

bool AnyPrinterPrinting(pappl_system_t* system) {
    bool printing = false;
    ForEachPrinter(system, [&printing](pappl_printer_t* printer) {
        printing = printing || papplPrinterGetState(printer) == IPP_PSTATE_PROCESSING;
    });
    return printing;
}

void RefreshAllPrinters(pappl_system_t* system) {
    ForEachPrinter(system, [](pappl_printer_t* printer) { RefreshPrinterStatus(printer); });
}

void ApplyBackendState(pappl_printer_t* printer, const std::string& text) {
    const StateMessage message = ParseStateMessage(text);
    if (message.reasons == PAPPL_PREASON_NONE)
        return;
    if (message.remove)
        papplPrinterSetReasons(printer, PAPPL_PREASON_NONE, message.reasons);
    else
        papplPrinterSetReasons(printer, message.reasons, PAPPL_PREASON_NONE);
}

void ApplyBackendAttributes(pappl_printer_t* printer, const std::string& text) {
    const int level = ParseMarkerLevel(text);
    PrinterState* state = PrinterState::Of(printer);
    if (level < 0 || state == nullptr)
        return;
    state->WithStatus([printer, level](AppliedStatus& applied) {
        if (applied.supplyLevel != level) {
            SetSupply(printer, level);
            applied.supplyLevel = level;
        }
    });
}

void SetJobProblem(pappl_printer_t* printer, const std::string& text) {
    PrinterState* state = PrinterState::Of(printer);
    if (state == nullptr)
        return;
    state->WithStatus([&text](AppliedStatus& applied) {
        applied.jobProblem = text;
        applied.problemReason = !text.empty();
        applied.problemStateCode = -1;
    });
    RefreshPrinterStatus(printer);
}

std::string JobProblem(pappl_printer_t* printer) {
    PrinterState* state = PrinterState::Of(printer);
    return state ? state->WithStatus([](AppliedStatus& applied) { return applied.jobProblem; })
                 : std::string();
}

long long PrintsSinceReset(pappl_printer_t* printer) {
    PrinterState* state = PrinterState::Of(printer);
    if (state == nullptr)
        return -1;
    return state->WithStatus([](AppliedStatus& applied) {
        const long long total = TotalPrints(applied.status);
        return total < 0 ? -1 : std::max(0LL, total - applied.printsAtReset);
    });
}

void ResetPrintCounter(pappl_printer_t* printer) {
    if (PrinterState* state = PrinterState::Of(printer))
        state->WithStatus([](AppliedStatus& applied) {
            applied.printsAtReset = std::max(0LL, TotalPrints(applied.status));
        });
}

long long ReadPrinterTotal(pappl_printer_t* printer) {
    const char* uri = papplPrinterGetDeviceURI(printer);
    const std::string path = StatusFilePath(uri ? uri : "");
    std::string text;
    return !path.empty() && ReadStatusFile(path, text) ? TotalPrints(ParseStatusText(text)) : -1;
}

void CountJobImpressions(pappl_job_t* job, long long totalAtStart, int addedByPappl) {
    pappl_printer_t* printer = papplJobGetPrinter(job);
    PrinterState* state = PrinterState::Of(printer);
    const long long totalNow = ReadPrinterTotal(printer);
    if (state == nullptr || totalAtStart < 0 || totalNow < totalAtStart)
        return;
    papplJobSetImpressionsCompleted(job, int(totalNow - totalAtStart) -
                                             papplJobGetImpressionsCompleted(job) - addedByPappl);
    const int id = papplJobGetID(job);
    state->WithStatus([id](AppliedStatus& applied) { applied.impressionsToCome = id; });
}

PrinterStatus LastStatus(pappl_printer_t* printer) {
    PrinterState* state = PrinterState::Of(printer);
    return state ? state->WithStatus([](AppliedStatus& applied) { return applied.status; })
                 : OfflineStatus();
}

} // namespace tq51m
