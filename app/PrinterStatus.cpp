// SPDX-License-Identifier: Apache-2.0
#include "PrinterStatus.h"

#include <cstring>
#include <vector>

#include "SheetTable.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tq51m {

namespace {

constexpr off_t kMaxStatusFileSize = 1024 * 1024;
constexpr size_t kStatusFileParts = 18;

const char* const kKeys[] = {
    "PRINTER_STATUS=", "PRINTER_MESSAGE=", "PRINTER_VERSION=", "PRINTER_SERIAL_NO=", "MEDIA_SIZE=",
    "MEDIA_CLASS=",    "MEDIA_INITIAL=",   "MEDIA_REMAIN=",    "MEDIA_REMAIN_HALF=", "TOTAL_COUNT=",
};
enum Key {
    kStatus,
    kMessage,
    kVersion,
    kSerial,
    kMediaSize,
    kMediaClass,
    kInitial,
    kRemain,
    kRemainHalf,
    kTotal,
    kKeyCount
};

// A decimal number as the monitor reads it: optional sign and digits; anything else is 0.
int ToInt(const std::string& text) {
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
    const int code = ToInt(value);
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

PrinterStatus OfflineStatus() {
    PrinterStatus status;
    status.stateText = StateText(99999);
    status.message = MessageText("00006");
    return status;
}

PrinterStatus ParseStatusText(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            parts.push_back(text.substr(start));
            break;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
        if (parts.size() > kStatusFileParts)
            return OfflineStatus();
    }
    if (parts.size() != kStatusFileParts)
        return OfflineStatus();

    // Keys are recognised in their order only, as the monitor reads them.
    std::string values[kKeyCount];
    bool found[kKeyCount] = {};
    int cursor = 0;
    for (const std::string& part : parts) {
        const size_t prefixLength = std::strlen(kKeys[cursor]);
        if (part.compare(0, prefixLength, kKeys[cursor]) != 0)
            continue;
        const size_t open = part.find('"');
        std::string value;
        if (open != std::string::npos) {
            const size_t close = part.find('"', open + 1);
            value = part.substr(open + 1,
                                close == std::string::npos ? std::string::npos : close - open - 1);
        }
        values[cursor] = value;
        found[cursor] = true;
        if (cursor < kTotal)
            ++cursor;
    }
    if (!found[kStatus] || values[kStatus].empty())
        return OfflineStatus();

    PrinterStatus status;
    status.stateCode = ToInt(values[kStatus]);
    status.online = status.stateCode != 99999;
    status.reasons = StateReasons(status.stateCode);
    status.stateText = StateText(status.stateCode);
    status.message = MessageText(values[kMessage]);
    status.readyMedia = ReadyMedia(ToInt(values[kMediaSize]));

    if (!values[kInitial].empty() && !values[kRemain].empty()) {
        const long long initial = ToInt(values[kInitial]);
        const long long remain = ToInt(values[kRemain]);
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

bool ReadStatusFile(const std::string& path, std::string& text) {
    text.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxStatusFileSize) {
        close(fd);
        return false;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof(buffer));
        if (n < 0) {
            close(fd);
            return false;
        }
        if (n == 0)
            break;
        text.append(buffer, size_t(n));
        if (text.size() > size_t(kMaxStatusFileSize)) {
            close(fd);
            return false;
        }
    }
    close(fd);
    return true;
}

std::string StatusFilePath(const std::string& deviceUri) {
    const size_t at = deviceUri.find("?serial=");
    if (at == std::string::npos)
        return std::string();
    std::string serial = deviceUri.substr(at + 8);
    const size_t end = serial.find_first_of("&#");
    if (end != std::string::npos)
        serial.erase(end);
    // The serial names a file in /tmp: no path separators, no dot-dot, nothing unprintable.
    if (serial.empty() || serial.size() > 64 || serial.find("..") != std::string::npos)
        return std::string();
    for (char c : serial) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (!ok)
            return std::string();
    }
    return "/tmp/TQ-51M_" + serial + ".log";
}

} // namespace tq51m
