// SPDX-License-Identifier: Apache-2.0
// The words of the printer's web pages in the status monitor's six languages, taken at build
// time from the monitor's own catalogues: the monitor's main window (context "StatusDialog")
// and the application's own pages (context "PrinterApplication").
#ifndef TQ51M_APP_WEBCATALOGUE_H
#define TQ51M_APP_WEBCATALOGUE_H

#include <cstddef>
#include <string>

namespace tq51m {

struct CatalogueEntry {
    const char* context;
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

// The text of a key of the monitor's main window; the English text for a key the catalogue
// lacks, the key itself for one that no catalogue has.
std::string Translate(const Catalogue& catalogue, const char* key);

// A text of the application's own pages, whose key is its English text. A text made from a
// key with "%1", "%2"... is found through it, its parts translated in turn (numbers stay):
// "Job 4 stopped: The document has no pages." through "Job %1 stopped: %2". A text that no
// catalogue has stays as it is, so messages from elsewhere (PAPPL, the backend) show in
// English.
std::string TranslatePage(const Catalogue& catalogue, const std::string& text);

} // namespace tq51m

#endif
