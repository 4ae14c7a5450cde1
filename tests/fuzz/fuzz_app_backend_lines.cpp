// SPDX-License-Identifier: Apache-2.0
// The printer application's reading of its backend's standard error: "STATE:" lines to printer
// reasons and "ATTR:" lines to the supply level, over arbitrary lines.
#include <cstdint>
#include <string>

#include "BackendMessages.h"

namespace {

constexpr pappl_preason_t kKnownReasons =
    PAPPL_PREASON_OTHER | PAPPL_PREASON_DOOR_OPEN | PAPPL_PREASON_COVER_OPEN |
    PAPPL_PREASON_MEDIA_EMPTY | PAPPL_PREASON_MEDIA_JAM | PAPPL_PREASON_MEDIA_LOW |
    PAPPL_PREASON_MEDIA_NEEDED | PAPPL_PREASON_MARKER_SUPPLY_EMPTY |
    PAPPL_PREASON_MARKER_SUPPLY_LOW | PAPPL_PREASON_OFFLINE;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        if (line.compare(0, 6, "STATE:") == 0) {
            const tq51m::StateMessage message = tq51m::ParseStateMessage(line.substr(6));
            if ((message.reasons & ~kKnownReasons) != 0)
                __builtin_trap(); // only reasons the application reports
        } else {
            const int level = tq51m::ParseMarkerLevel(line);
            if (level < -1 || level > 100)
                __builtin_trap();
        }
        start = end + 1;
    }
    return 0;
}
