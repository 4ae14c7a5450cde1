// SPDX-License-Identifier: Apache-2.0
#include "WebCatalogue.h"

#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace tq51m {

namespace {

// kCatalogues: one table per language, written from the monitor's catalogues.
#include "tq51m_catalogues.h"

const Catalogue* FindLanguage(const std::string& tag) {
    // The primary subtag decides: "zh-CN", "zh-TW" and "zh" all choose the Chinese catalogue.
    const std::string primary = tag.substr(0, tag.find('-'));
    for (const Catalogue& catalogue : kCatalogues)
        if (!strcasecmp(primary.c_str(), catalogue.language))
            return &catalogue;
    return nullptr;
}

const Catalogue& English() {
    return *FindLanguage("en");
}

std::string Trim(const std::string& text) {
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return std::string();
    return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

} // namespace

const Catalogue& CatalogueForAcceptLanguage(const char* acceptLanguage) {
    const Catalogue* best = nullptr;
    double bestWeight = 0.0;
    const std::string header = acceptLanguage ? acceptLanguage : "";
    size_t start = 0;
    while (start <= header.size()) {
        size_t end = header.find(',', start);
        if (end == std::string::npos)
            end = header.size();
        const std::string range = header.substr(start, end - start);
        start = end + 1;
        // "ja;q=0.8": the tag, then an optional weight; an unreadable weight counts as 0.
        const size_t semicolon = range.find(';');
        const std::string tag = Trim(range.substr(0, semicolon));
        double weight = 1.0;
        if (semicolon != std::string::npos) {
            const std::string parameter = Trim(range.substr(semicolon + 1));
            weight = parameter.compare(0, 2, "q=") == 0 ? std::atof(parameter.c_str() + 2) : 0.0;
        }
        const Catalogue* catalogue = FindLanguage(tag);
        // The first of equal weights wins: browsers list their languages in order.
        if (catalogue != nullptr && weight > bestWeight) {
            best = catalogue;
            bestWeight = weight;
        }
    }
    return best ? *best : English();
}

std::string Translate(const Catalogue& catalogue, const char* key) {
    for (const Catalogue* source : {&catalogue, &English()})
        for (size_t i = 0; i < source->count; ++i)
            if (!strcmp(source->entries[i].key, key))
                return source->entries[i].text;
    return key;
}

} // namespace tq51m
