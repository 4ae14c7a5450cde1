// SPDX-License-Identifier: Apache-2.0
#include "StatusView.h"

#include <cstdio>

namespace tq51m {

namespace {

const char kNone[] = "---";

struct StateRow {
    int code;
    const char* picture;
    bool mediaNote; // the incorrect-media note joins the message when the size is unknown
};

const StateRow kStates[] = {
    {0, "PrtStsIdle", true},
    {1, "PrtStsPrinting", true},
    {500, "PrtStsCooling", true},
    {900, "PrtStsIdle", true},
    {1000, "PrtStsCoverOpen", true},
    {1010, "PrtStsNoScrapBox", true},
    {1100, "PrtStsPaperEnd", true},
    {1200, "PrtStsRibbonEnd", false},
    {1300, "PrtStsPaperJam", true},
    {1400, "PrtStsRibbonErr", true},
    {1500, "PrtStsPaperErr", true},
    {1600, "PrtStsSystemErr01", false},
    {2000, "PrtStsSystemErr01", false},
    {2100, "PrtStsSystemErr01", false},
    {2200, "PrtStsSystemErr01", false},
    {2300, "PrtStsSystemErr01", false},
    {2400, "PrtStsSystemErr01", false},
    {2500, "PrtStsSystemErr01", false},
    {2600, "PrtStsSystemErr01", false},
    {2610, "PrtStsSystemErr01", false},
    {2700, "PrtStsSystemErr01", false},
    {2800, "PrtStsSystemErr01", false},
    {3000, "PrtStsSystemErr01", false},
};

std::string Key(const char* prefix, int code, int digits) {
    char key[32];
    snprintf(key, sizeof(key), "%s%0*d", prefix, digits, code);
    return key;
}

bool IsMessageCode(int code) {
    return (code >= 1 && code <= 6) || (code >= 100 && code <= 108) || (code >= 200 && code <= 210);
}

bool IsMediaClass(int code) {
    return code == 1 || code == 2 || code == 3 || code == 1304 || code == 1323;
}

// A decimal number that fits an int, with an optional sign.
bool IsNumber(const std::string& text) {
    const size_t digits = text.find_first_not_of("+-") == 1 ? 1 : 0;
    if (text.size() <= digits || text.find_first_not_of("0123456789", digits) != std::string::npos)
        return false;
    return StatusNumber(text) != 0 || text.find_first_not_of('0', digits) == std::string::npos;
}

const char* HalfSizeName(const std::string& value) {
    switch (StatusNumber(value)) {
    case 500:
        return "8x5in";
    case 510:
        return "8x6in";
    case 600:
        return "A5";
    default:
        return "";
    }
}

} // namespace

StatusView MakeStatusView(const PrinterStatus& status, const Catalogue& catalogue) {
    auto tr = [&catalogue](const std::string& key) { return Translate(catalogue, key.c_str()); };
    const std::string title = tr("mediaGroupTitle");
    const std::string sheets = tr("sheets");
    StatusView view;
    view.mediaGroup = title + "[ --- ]";
    view.mediaSize = kNone;
    view.mediaCounts = "--- / ---  " + sheets;
    view.picture = "PrtStsOffline";
    view.state = tr("st_99999");
    view.message = tr("ms_00006");
    view.serial = view.firmware = view.totalCount = kNone;
    if (!status.online)
        return view;
    view.offline = false;

    const int mediaClass = StatusNumber(status.mediaClass);
    if (!status.mediaClass.empty() && IsMediaClass(mediaClass))
        view.mediaGroup = title + "[ " + tr(Key("class_", mediaClass, 4)) + " ]";
    const int size = StatusNumber(status.mediaSize);
    const bool knownSize = !status.mediaSize.empty() && (size == 500 || size == 510 || size == 600);
    if (knownSize)
        view.mediaSize = tr(Key("size_", size, 5));
    else
        view.mediaGroup = title + "[ --- ]";

    view.message.clear();
    if (!status.messageValue.empty()) {
        const int code = StatusNumber(status.messageValue);
        view.message = tr(Key("ms_", IsMessageCode(code) ? code : 210, 5));
    }
    if (!status.serial.empty())
        view.serial = status.serial;

    const StateRow* row = nullptr;
    for (const StateRow& state : kStates)
        if (state.code == status.stateCode)
            row = &state;
    bool suppressed = status.stateCode == 1200;
    if (!knownSize && row != nullptr && row->mediaNote) {
        view.message += "\n" + tr("ms_00108");
        suppressed = true;
    }
    view.state = tr(Key("st_", row ? row->code : 3000, 5));
    view.picture = row ? row->picture : "PrtStsSystemErr01";

    if (!status.mediaInitial.empty() && !status.mediaRemain.empty()) {
        const int initial = StatusNumber(status.mediaInitial);
        const int remain = suppressed ? 0 : StatusNumber(status.mediaRemain);
        const std::string half = HalfSizeName(status.mediaSize);
        if (initial == 0) {
            if (!half.empty())
                view.mediaCounts += " (---  " + sheets + " : " + half + ")";
        } else {
            view.mediaCounts =
                std::to_string(remain) + " / " + std::to_string(initial) + "  " + sheets;
            if (!half.empty())
                view.mediaCounts +=
                    " (" + std::to_string(suppressed ? 0 : StatusNumber(status.mediaRemainHalf)) +
                    "  " + sheets + " : " + half + ")";
            // As the monitor computes its bar: single precision, truncated.
            const float quotient = float(remain) / float(initial);
            view.percent = int(quotient * 100.0f);
        }
    }

    // The monitor shows "000123" as "123" and a text that is no number as "---".
    if (IsNumber(status.totalCount))
        view.totalCount = std::to_string(StatusNumber(status.totalCount));
    else if (!status.totalCount.empty())
        view.totalCount = kNone;
    if (!status.firmware.empty())
        view.firmware = status.firmware;
    return view;
}

} // namespace tq51m
