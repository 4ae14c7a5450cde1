// SPDX-License-Identifier: Apache-2.0
#include "startup.h"

#include <cstring>
#include <string>

const char kInstalledProgramPath[] =
    "/opt/velmora_systems/velmora_tq51m_status/velmora_tq51m_status";

namespace {

// Three or more listed monitors, this process included, mean that others run.
constexpr int kMaxMonitorLines = 2;
constexpr size_t kLineBufferSize = 512;
constexpr int kReadSize = 255;

struct Catalogue {
    const char* localePrefix;
    const char* resource;
};

// Tested in this order; the first prefix that starts the locale name wins.
const Catalogue kCatalogues[] = {
    {"zh", ":/translations/localize_zh"}, {"en", ":/translations/localize_en"},
    {"fr", ":/translations/localize_fr"}, {"de", ":/translations/localize_de"},
    {"ja", ":/translations/localize_ja"}, {"es", ":/translations/localize_es"},
};
const char kFallbackCatalogue[] = ":/translations/localize_en";

} // namespace

int countMonitorProcessLines(FILE* listing) {
    int count = 0;
    char line[kLineBufferSize];
    for (;;) {
        std::memset(line, 0, sizeof(line));
        if (std::fgets(line, kReadSize, listing) == nullptr) {
            break;
        }
        std::printf("%s", line);
        if (std::strstr(line, "grep") == nullptr) {
            ++count;
        }
        if (std::feof(listing)) {
            break;
        }
    }
    return count;
}

bool checkDoubleStartApp() {
    const std::string command = std::string("ps auxww | grep ") + kInstalledProgramPath;
    FILE* listing = popen(command.c_str(), "r");
    if (listing == nullptr) {
        return false;
    }
    const int count = countMonitorProcessLines(listing);
    pclose(listing);
    return count > kMaxMonitorLines;
}

QString catalogueForLocale(const QString& bcp47Name) {
    for (const Catalogue& catalogue : kCatalogues) {
        if (bcp47Name.startsWith(QLatin1String(catalogue.localePrefix), Qt::CaseInsensitive)) {
            return QLatin1String(catalogue.resource);
        }
    }
    return QLatin1String(kFallbackCatalogue);
}
