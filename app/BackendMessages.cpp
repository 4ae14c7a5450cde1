// SPDX-License-Identifier: Apache-2.0
#include "BackendMessages.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace tq51m {

namespace {

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

StateMessage ParseStateMessage(const std::string& text) {
    StateMessage message;
    size_t start = 0;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        message.remove = text[0] == '-';
        start = 1;
    }
    while (start < text.size()) {
        size_t end = text.find_first_of(", ", start);
        if (end == std::string::npos)
            end = text.size();
        message.reasons |= ReasonBit(text.substr(start, end - start));
        start = end + 1;
    }
    return message;
}

int ParseMarkerLevel(const std::string& text) {
    const size_t at = text.find("marker-levels=");
    if (at == std::string::npos)
        return -1;
    const char* digits = text.c_str() + at + strlen("marker-levels=");
    char* end = nullptr;
    const long level = strtol(digits, &end, 10);
    return end == digits || level < 0 || level > 100 ? -1 : int(level);
}

} // namespace tq51m
