// SPDX-License-Identifier: Apache-2.0
#include "PrinterStatus.h"

#include <DeviceSerial.h>
#include <StatusFile.h>

#include "SheetTable.h"

namespace tq51m {

namespace {

const char* StateText(int code) {
    switch (code) {
    case 0:
        return "Waiting";
    case 1:
        return "Printing";
    case 500:
        return "Cooling head";
    case 900:
        return "Waiting (Power saving mode)";
    case 1000:
        return "Door open";
    case 1010:
        return "No Scrap box";
    case 1100:
        return "Paper end";
    case 1200:
        return "Ribbon end";
    case 1300:
        return "Paper jam";
    case 1400:
        return "Ribbon error";
    case 1500:
        return "Paper size setting error";
    case 99999:
        return "Offline";
    default:
        return "System error";
    }
}

const char kRestartMessage[] = "Restart the printer and computer.\nIf the printer does not "
                               "recover after the restart, contact the service center.";

std::string MessageText(const std::string& value) {
    if (value.empty())
        return std::string();
    const int code = StatusNumber(value);
    switch (code) {
    case 1:
    case 2:
    case 4:
    case 5:
        return " ";
    case 3:
        return "Please wait a while.\nPrinting will resume automatically.";
    case 6:
        return "Connect the printer and computer, and turn on the power.";
    case 100:
        return "Close the printer.";
    case 101:
        return "Attach the scrap box.";
    case 102:
    case 103:
        return "Load new media.\n(Replace the paper and ribbon as a set.)";
    case 104:
        return "Remove the paper and reload it properly.";
    case 105:
        return "Reload the ribbon properly.";
    case 106:
        return "Check the paper size setting and ribbon size.";
    case 108:
        return "\n<< Incorrect media type has been loaded. >>";
    default:
        return kRestartMessage;
    }
}

pappl_preason_t StateReasons(int code) {
    switch (code) {
    case 0:
    case 1:
    case 500:
    case 900:
        return PAPPL_PREASON_NONE;
    case 1000:
        // PAPPL 1.3.1 never reports door-open over IPP (its list of reasons ends at
        // toner-low): cover-open goes with it.
        return PAPPL_PREASON_DOOR_OPEN | PAPPL_PREASON_COVER_OPEN;
    case 1100:
        return PAPPL_PREASON_MEDIA_EMPTY;
    case 1200:
        return PAPPL_PREASON_MARKER_SUPPLY_EMPTY;
    case 1300:
        return PAPPL_PREASON_MEDIA_JAM;
    case 1500:
        return PAPPL_PREASON_MEDIA_NEEDED;
    case 99999:
        return PAPPL_PREASON_OFFLINE;
    default:
        return PAPPL_PREASON_OTHER; // 1010, 1400, system errors, unknown codes
    }
}

// The loaded sheet by its nominal print size's name, as clients look it up.
const char* ReadyMedia(int mediaSize) {
    const MediaSheet* sheet = FindMediaSheetByLoadedMedia(mediaSize);
    return sheet ? sheet->ippName : nullptr;
}

} // namespace

int StatusNumber(const std::string& text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return 0;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        value = value * 10 + (text[i] - '0');
        if (value > 2147483647LL)
            return 0;
    }
    return int(negative ? -value : value);
}

PrinterStatus OfflineStatus() {
    PrinterStatus status;
    status.stateText = StateText(99999);
    status.message = MessageText("00006");
    return status;
}

PrinterStatus ParseStatusText(const std::string& text) {
    StatusFields fields;
    if (!ParseStatusFields(text, fields) || fields.value[kPrinterStatus].empty())
        return OfflineStatus();
    const std::string* values = fields.value;

    PrinterStatus status;
    status.stateCode = StatusNumber(values[kPrinterStatus]);
    status.online = status.stateCode != 99999;
    status.reasons = StateReasons(status.stateCode);
    status.stateText = StateText(status.stateCode);
    status.message = MessageText(values[kPrinterMessage]);
    status.readyMedia = ReadyMedia(StatusNumber(values[kMediaSize]));
    status.messageValue = values[kPrinterMessage];
    status.firmware = values[kPrinterVersion];
    status.serial = values[kPrinterSerialNo];
    status.mediaSize = values[kMediaSize];
    status.mediaClass = values[kMediaClass];
    status.mediaInitial = values[kMediaInitial];
    status.mediaRemain = values[kMediaRemain];
    status.mediaRemainHalf = values[kMediaRemainHalf];
    status.totalCount = values[kTotalCount];

    if (!values[kMediaInitial].empty() && !values[kMediaRemain].empty()) {
        const long long initial = StatusNumber(values[kMediaInitial]);
        const long long remain = StatusNumber(values[kMediaRemain]);
        if (initial > 0) {
            // The monitor shows no media left once the ribbon has run out.
            long long level = status.stateCode == 1200 ? 0 : remain * 100 / initial;
            status.supplyLevel = int(level < 0 ? 0 : level > 100 ? 100 : level);
            if (remain * 10 < initial)
                status.reasons |= PAPPL_PREASON_MEDIA_LOW | PAPPL_PREASON_MARKER_SUPPLY_LOW;
        }
    }
    return status;
}

int SheetsFinished(const std::string& text, const std::string& jobId) {
    // The value between the double quotes of a line "KEY=\"value\"".
    const auto value = [&text](const char* key, std::string& out) {
        const std::string prefix = std::string(key) + "=\"";
        size_t start = 0;
        if (text.compare(0, prefix.size(), prefix) != 0) {
            start = text.find("\n" + prefix);
            if (start == std::string::npos)
                return false;
            ++start;
        }
        start += prefix.size();
        const size_t end = text.find_first_of("\"\n", start);
        if (end == std::string::npos || text[end] != '"')
            return false;
        out = text.substr(start, end - start);
        return true;
    };
    std::string id, done;
    if (jobId.empty() || !value("JOB_ID", id) || id != jobId || !value("JOB_SHEETS_DONE", done) ||
        done.empty() || done.size() > 6 ||
        done.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoi(done);
}

bool ReadStatusFile(const std::string& path, std::string& text) {
    // The server may run with more rights than the user who planted a link in /tmp.
    return ReadStatusFile(path, StatusLinks::Refuse, text);
}

std::string StatusFilePath(const std::string& deviceUri) {
    const std::string serial = PlainSerialOf(deviceUri);
    return serial.empty() ? std::string() : StatusFilePathOf(serial);
}

bool CannotPrint(const PrinterStatus& status) {
    return status.online && StateReasons(status.stateCode) != PAPPL_PREASON_NONE;
}

} // namespace tq51m
