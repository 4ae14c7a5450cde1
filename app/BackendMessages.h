// SPDX-License-Identifier: Apache-2.0
// The backend's "STATE:" and "ATTR:" messages (standard error, as cupsd reads them) turned into
// printer reasons and the supply level. No PAPPL calls: tested and fuzzed on their own.
#ifndef TQ51M_APP_BACKENDMESSAGES_H
#define TQ51M_APP_BACKENDMESSAGES_H

#include <string>

#include <pappl/printer.h>

namespace tq51m {

// "+door-open-error,media-empty-warning" adds, "-..." removes, a bare list adds. Keywords
// PAPPL does not know are left out; a vendor's "com.…-error" counts as "other".
struct StateMessage {
    bool remove = false;
    pappl_preason_t reasons = PAPPL_PREASON_NONE;
};
StateMessage ParseStateMessage(const std::string& text);

// The level in "marker-levels=74 marker-names=..."; -1 when there is none from 0 to 100.
int ParseMarkerLevel(const std::string& text);

} // namespace tq51m

#endif
