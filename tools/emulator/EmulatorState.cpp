// SPDX-License-Identifier: Apache-2.0
#include "EmulatorState.h"

#include <cstdlib>
#include <sstream>

namespace {

bool isDigits(const std::string& text, std::size_t minLength, std::size_t maxLength) {
    if (text.size() < minLength || text.size() > maxLength)
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

bool parseCount(const std::string& text, long maxValue, long& out) {
    if (!isDigits(text, 1, 9))
        return false;
    long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > maxValue)
        return false;
    out = value;
    return true;
}

bool isFirmware(const std::string& text) {
    if (text.empty() || text.size() > 16)
        return false;
    for (char c : text) {
        bool ok = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                  c == '.' || c == '-' || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

int stateNumber(const std::string& state) {
    return std::atoi(state.c_str());
}

struct StateRow {
    int code;
    const char* name;
    const char* message;
    const char* reason;
};

const StateRow kStates[] = {
    {0, "Waiting", "00001", ""},
    {1, "Printing", "00001", ""},
    {500, "Cooling head", "00003", "com.velmora-cooling-report"},
    {900, "Waiting (power saving mode)", "00001", ""},
    {1000, "Door open", "00100", "door-open-error"},
    {1010, "No scrap box", "00101", "com.velmora-scrap-box-missing-error"},
    {1100, "Paper end", "00102", "media-empty-error"},
    {1200, "Ribbon end", "00103", "marker-supply-empty-error"},
    {1300, "Paper jam", "00104", "media-jam-error"},
    {1400, "Ribbon error", "00105", "com.velmora-ribbon-error"},
    {1500, "Paper size setting error", "00106", "com.velmora-paper-size-error"},
};
const StateRow kSystemError = {-1, "System error", "00107", "com.velmora-system-error"};

const StateRow& stateRow(const std::string& state) {
    int code = stateNumber(state);
    for (const StateRow& row : kStates) {
        if (row.code == code)
            return row;
    }
    return kSystemError;
}

} // namespace

bool isSafeSerial(const std::string& serial) {
    if (serial.empty() || serial.size() > 64 || serial.find("..") != std::string::npos)
        return false;
    for (unsigned char c : serial) {
        if (c <= 0x20 || c >= 0x7F || c == '/' || c == '\\' || c == '%' || c == '"' || c == '\'')
            return false;
    }
    return true;
}

bool setStateValue(EmulatorState& state, const std::string& key, const std::string& value,
                   std::string& error) {
    bool ok = true;
    if (key == "serial") {
        ok = isSafeSerial(value);
        if (ok)
            state.serial = value;
    } else if (key == "firmware") {
        ok = isFirmware(value);
        if (ok)
            state.firmware = value;
    } else if (key == "media" || key == "state" || key == "message") {
        ok = isDigits(value, 5, 5);
        if (ok)
            (key == "media" ? state.media : key == "state" ? state.state : state.message) = value;
    } else if (key == "media_class") {
        ok = isDigits(value, 1, 5);
        if (ok)
            state.mediaClass = value;
    } else if (key == "initial") {
        ok = parseCount(value, 999999999, state.initial);
    } else if (key == "remain") {
        ok = parseCount(value, 999999999, state.remain);
    } else if (key == "remain_half") {
        ok = parseCount(value, 999999999, state.remainHalf);
    } else if (key == "total") {
        ok = parseCount(value, 999999999, state.total);
    } else if (key == "sheet_delay_ms") {
        ok = parseCount(value, 60000, state.sheetDelayMs);
    } else if (key == "read_delay_ms") {
        ok = parseCount(value, 60000, state.readDelayMs);
    } else {
        error = "unknown state key \"" + key + "\"";
        return false;
    }
    if (!ok)
        error = "invalid value \"" + value + "\" for " + key;
    return ok;
}

std::string formatState(const EmulatorState& state) {
    std::ostringstream out;
    out << "serial=" << state.serial << "\n"
        << "firmware=" << state.firmware << "\n"
        << "media=" << state.media << "\n"
        << "media_class=" << state.mediaClass << "\n"
        << "initial=" << state.initial << "\n"
        << "remain=" << state.remain << "\n"
        << "remain_half=" << state.remainHalf << "\n"
        << "total=" << state.total << "\n"
        << "state=" << state.state << "\n"
        << "message=" << state.message << "\n"
        << "sheet_delay_ms=" << state.sheetDelayMs << "\n"
        << "read_delay_ms=" << state.readDelayMs << "\n";
    return out.str();
}

EmulatorState parseState(const std::string& text, std::vector<std::string>& problems) {
    EmulatorState state;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::size_t eq = line.find('=');
        if (eq == std::string::npos) {
            problems.push_back("line without \"=\" ignored");
            continue;
        }
        std::string error;
        if (!setStateValue(state, line.substr(0, eq), line.substr(eq + 1), error))
            problems.push_back(error);
    }
    return state;
}

bool isReadyState(const std::string& state) {
    int code = stateNumber(state);
    return code == 0 || code == 1 || code == 500 || code == 900;
}

std::string defaultMessage(const std::string& state) {
    return stateRow(state).message;
}

std::string stateReason(const std::string& state) {
    return stateRow(state).reason;
}

std::string stateName(const std::string& state) {
    return stateRow(state).name;
}

const std::vector<std::string>& allStateReasons() {
    static const std::vector<std::string> reasons = [] {
        std::vector<std::string> all;
        for (const StateRow& row : kStates) {
            if (row.reason[0] != '\0')
                all.push_back(row.reason);
        }
        all.push_back(kSystemError.reason);
        return all;
    }();
    return reasons;
}

bool isHalfSizePrint(const std::string& media, int mediaCode, int imageCount) {
    if (imageCount != 1)
        return false;
    if (media == "00500")
        return mediaCode == 408 || mediaCode == 409;
    if (media == "00510")
        return mediaCode == 408 || mediaCode == 409 || mediaCode == 410;
    if (media == "00600")
        return mediaCode == 408 || mediaCode == 409 || mediaCode == 434;
    return false;
}

bool consumeSheet(EmulatorState& state, int mediaCode, int imageCount) {
    if (isHalfSizePrint(state.media, mediaCode, imageCount) && state.remainHalf % 2 == 1) {
        state.remainHalf -= 1;
    } else if (state.remain <= 0) {
        return false;
    } else if (isHalfSizePrint(state.media, mediaCode, imageCount)) {
        state.remain -= 1;
        state.remainHalf = state.remainHalf > 0 ? state.remainHalf - 1 : 0;
    } else {
        state.remain -= 1;
        state.remainHalf = state.remainHalf > 1 ? state.remainHalf - 2 : 0;
    }
    if (state.total < 999999999)
        state.total += 1;
    return true;
}
