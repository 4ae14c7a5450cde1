// SPDX-License-Identifier: Apache-2.0
// The words of the printer's web pages in the status monitor's six languages, taken at build
// time from the monitor's own catalogues (context "StatusDialog").
#ifndef TQ51M_APP_WEBCATALOGUE_H
#define TQ51M_APP_WEBCATALOGUE_H

#include <cstddef>
#include <string>

namespace tq51m {

struct CatalogueEntry {
    const char* key;
    const char* text;
};

struct Catalogue {
    const char* language; // "zh", "en", "fr", "de", "ja", "es"
    const CatalogueEntry* entries;
    size_t count;
};

// The catalogue for a browser's Accept-Language value: the language with the highest weight
// that the monitor speaks ("de-AT" and "de" both choose German), English when none fits.
const Catalogue& CatalogueForAcceptLanguage(const char* acceptLanguage);

// The text of a key; the English text for a key the catalogue lacks, the key itself for one
// that no catalogue has.
std::string Translate(const Catalogue& catalogue, const char* key);

} // namespace tq51m

#endif
