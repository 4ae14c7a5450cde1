#include "StatusUpdates.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

#include "Driver.h"
#include "JobOptions.h"

namespace tq51m {

namespace {

struct Applied {
    PrinterStatus status = OfflineStatus();
    int supplyLevel = -2; // nothing set yet
    std::string readyMedia;
    std::string jobProblem;
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
    const MediaSize* size = FindMediaByPwgName(pwgName);
    if (size == nullptr)
        return;
    pappl_pr_driver_data_t data;
    papplPrinterGetDriverData(printer, &data);
    pappl_media_col_t media = data.media_default;
    snprintf(media.size_name, sizeof(media.size_name), "%s", size->pwgName);
    media.size_width = size->widthHmm;
    media.size_length = size->lengthHmm;
    media.bottom_margin = media.top_margin = media.left_margin = media.right_margin = 0;
    snprintf(media.source, sizeof(media.source), "main");
    papplPrinterSetReadyMedia(printer, 1, &media);
}

bool IsOurPrinter(pappl_printer_t* printer) {
    const char* driver = papplPrinterGetDriverName(printer);
    return driver != nullptr && strcmp(driver, kDriverName) == 0;
}

// Backend reason keywords (without their -error/-warning/-report suffix) PAPPL knows.
pappl_preason_t ReasonBit(std::string name) {
    for (const char* suffix : {"-error", "-warning", "-report"}) {
        const size_t length = strlen(suffix);
        if (name.size() > length && name.compare(name.size() - length, length, suffix) == 0) {
            const bool isError = strcmp(suffix, "-error") == 0;
            name.erase(name.size() - length);
            if (name.compare(0, 4, "com.") == 0)
                return isError ? PAPPL_PREASON_OTHER : PAPPL_PREASON_NONE;
            break;
        }
    }
    static const std::pair<const char*, pappl_preason_t> known[] = {
        {"other", PAPPL_PREASON_OTHER},
        {"door-open", PAPPL_PREASON_DOOR_OPEN},
        {"cover-open", PAPPL_PREASON_COVER_OPEN},
        {"media-empty", PAPPL_PREASON_MEDIA_EMPTY},
        {"media-jam", PAPPL_PREASON_MEDIA_JAM},
        {"media-low", PAPPL_PREASON_MEDIA_LOW},
        {"media-needed", PAPPL_PREASON_MEDIA_NEEDED},
        {"marker-supply-empty", PAPPL_PREASON_MARKER_SUPPLY_EMPTY},
        {"marker-supply-low", PAPPL_PREASON_MARKER_SUPPLY_LOW},
        {"offline", PAPPL_PREASON_OFFLINE},
    };
    for (const auto& entry : known)
        if (name == entry.first)
            return entry.second;
    return PAPPL_PREASON_NONE;
}

} // namespace

bool RefreshPrinterStatus(pappl_printer_t* printer) {
    const char* uri = papplPrinterGetDeviceURI(printer);
    const std::string path = StatusFilePath(uri ? uri : "");
    std::string text;
    const PrinterStatus status =
        !path.empty() && ReadStatusFile(path, text) ? ParseStatusText(text) : OfflineStatus();

    pappl_preason_t reasons = status.reasons;
    if (!JobProblem(printer).empty())
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

bool RefreshAllPrinters(pappl_system_t* system, void*) {
    papplSystemIteratePrinters(
        system,
        [](pappl_printer_t* printer, void*) {
            if (IsOurPrinter(printer))
                RefreshPrinterStatus(printer);
        },
        nullptr);
    return true;
}

void ApplyBackendState(pappl_printer_t* printer, const std::string& text) {
    // "+a,b" adds, "-a,b" removes, a bare list replaces nothing PAPPL owns: treat as adds.
    size_t start = 0;
    bool remove = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        remove = text[0] == '-';
        start = 1;
    }
    pappl_preason_t bits = PAPPL_PREASON_NONE;
    while (start < text.size()) {
        size_t end = text.find_first_of(", ", start);
        if (end == std::string::npos)
            end = text.size();
        bits |= ReasonBit(text.substr(start, end - start));
        start = end + 1;
    }
    if (bits == PAPPL_PREASON_NONE)
        return;
    if (remove)
        papplPrinterSetReasons(printer, PAPPL_PREASON_NONE, bits);
    else
        papplPrinterSetReasons(printer, bits, PAPPL_PREASON_NONE);
}

void ApplyBackendAttributes(pappl_printer_t* printer, const std::string& text) {
    const size_t at = text.find("marker-levels=");
    if (at == std::string::npos)
        return;
    const char* digits = text.c_str() + at + strlen("marker-levels=");
    char* end = nullptr;
    const long level = strtol(digits, &end, 10);
    if (end == digits || level < 0 || level > 100)
        return;
    std::lock_guard<std::mutex> lock(gMutex);
    Applied& applied = gApplied[papplPrinterGetID(printer)];
    if (applied.supplyLevel != int(level)) {
        SetSupply(printer, int(level));
        applied.supplyLevel = int(level);
    }
}

void SetJobProblem(pappl_printer_t* printer, const std::string& text) {
    {
        std::lock_guard<std::mutex> lock(gMutex);
        gApplied[papplPrinterGetID(printer)].jobProblem = text;
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
