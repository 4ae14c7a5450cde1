// SPDX-License-Identifier: Apache-2.0
#include "StatusUpdates.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "BackendMessages.h"
#include "Driver.h"
#include "JobOptions.h"

namespace tq51m {

namespace {

struct Applied {
    PrinterStatus status = OfflineStatus();
    int supplyLevel = -2; // nothing set yet
    std::string readyMedia;
    std::string jobProblem;
    bool problemReason = false; // "other" for the failed job, until the printer's state changes
};

std::mutex gMutex;
std::map<int, Applied> gApplied;

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
    papplPrinterSetReadyMedia(printer, 1, &media);
}

bool IsOurPrinter(pappl_printer_t* printer) {
    const char* driver = papplPrinterGetDriverName(printer);
    return driver != nullptr && strcmp(driver, kDriverName) == 0;
}

} // namespace

bool RefreshPrinterStatus(pappl_printer_t* printer) {
    const char* uri = papplPrinterGetDeviceURI(printer);
    const std::string path = StatusFilePath(uri ? uri : "");
    std::string text;
    const PrinterStatus status =
        !path.empty() && ReadStatusFile(path, text) ? ParseStatusText(text) : OfflineStatus();

    bool problemReason;
    {
        std::lock_guard<std::mutex> lock(gMutex);
        Applied& applied = gApplied[papplPrinterGetID(printer)];
        if (applied.problemReason && status.stateCode != applied.status.stateCode)
            applied.problemReason = false; // the status file tells the rest
        problemReason = applied.problemReason;
    }
    pappl_preason_t reasons = status.reasons;
    if (problemReason)
        reasons |= PAPPL_PREASON_OTHER;
    papplPrinterSetReasons(printer, reasons, kStatusReasons & ~reasons);

    std::lock_guard<std::mutex> lock(gMutex);
    Applied& applied = gApplied[papplPrinterGetID(printer)];
    applied.status = status;
    if (applied.supplyLevel != status.supplyLevel) {
        SetSupply(printer, status.supplyLevel);
        applied.supplyLevel = status.supplyLevel;
    }
    // Setting the ready media saves the printer's state: only when it changes.
    if (status.readyMedia != nullptr && applied.readyMedia != status.readyMedia) {
        SetReadyMedia(printer, status.readyMedia);
        applied.readyMedia = status.readyMedia;
    }
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

bool RefreshAllPrinters(pappl_system_t* system, void*) {
    ForEachPrinter(system, [](pappl_printer_t* printer) {
        if (IsOurPrinter(printer))
            RefreshPrinterStatus(printer);
    });
    return true;
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
    if (level < 0)
        return;
    std::lock_guard<std::mutex> lock(gMutex);
    Applied& applied = gApplied[papplPrinterGetID(printer)];
    if (applied.supplyLevel != level) {
        SetSupply(printer, level);
        applied.supplyLevel = level;
    }
}

void SetJobProblem(pappl_printer_t* printer, const std::string& text) {
    {
        std::lock_guard<std::mutex> lock(gMutex);
        Applied& applied = gApplied[papplPrinterGetID(printer)];
        applied.jobProblem = text;
        applied.problemReason = !text.empty();
    }
    RefreshPrinterStatus(printer);
}

std::string JobProblem(pappl_printer_t* printer) {
    std::lock_guard<std::mutex> lock(gMutex);
    auto found = gApplied.find(papplPrinterGetID(printer));
    return found == gApplied.end() ? std::string() : found->second.jobProblem;
}

PrinterStatus LastStatus(pappl_printer_t* printer) {
    std::lock_guard<std::mutex> lock(gMutex);
    auto found = gApplied.find(papplPrinterGetID(printer));
    return found == gApplied.end() ? OfflineStatus() : found->second.status;
}

} // namespace tq51m
