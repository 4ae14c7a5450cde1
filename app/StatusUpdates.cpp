// SPDX-License-Identifier: Apache-2.0
#include "StatusUpdates.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "BackendMessages.h"
#include "JobOptions.h"
#include "PrinterState.h"

namespace tq51m {

namespace {

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

} // namespace

bool RefreshPrinterStatus(pappl_printer_t* printer) {
    PrinterState* state = PrinterState::Of(printer);
    if (state == nullptr)
        return false;
    const char* uri = papplPrinterGetDeviceURI(printer);
    const std::string path = StatusFilePath(uri ? uri : "");
    std::string text;
    const PrinterStatus status =
        !path.empty() && ReadStatusFile(path, text) ? ParseStatusText(text) : OfflineStatus();

    const bool problemReason = state->WithStatus([&status](AppliedStatus& applied) {
        if (applied.problemReason && status.stateCode != applied.status.stateCode)
            applied.problemReason = false; // the status file tells the rest
        return applied.problemReason;
    });
    pappl_preason_t reasons = status.reasons;
    if (problemReason)
        reasons |= PAPPL_PREASON_OTHER;
    papplPrinterSetReasons(printer, reasons, kStatusReasons & ~reasons);

    state->WithStatus([printer, &status](AppliedStatus& applied) {
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
    });
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
    });
    RefreshPrinterStatus(printer);
}

std::string JobProblem(pappl_printer_t* printer) {
    PrinterState* state = PrinterState::Of(printer);
    return state ? state->WithStatus([](AppliedStatus& applied) { return applied.jobProblem; })
                 : std::string();
}

PrinterStatus LastStatus(pappl_printer_t* printer) {
    PrinterState* state = PrinterState::Of(printer);
    return state ? state->WithStatus([](AppliedStatus& applied) { return applied.status; })
                 : OfflineStatus();
}

} // namespace tq51m
