// SPDX-License-Identifier: Apache-2.0
#include "WebCatalogue.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <vector>

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

// The text of a key in the catalogue, else in the English one; null when neither has it.
const char* Lookup(const Catalogue& catalogue, const char* context, const char* key) {
    for (const Catalogue* source : {&catalogue, &English()})
        for (size_t i = 0; i < source->count; ++i)
            if (!strcmp(source->entries[i].key, key) &&
                !strcmp(source->entries[i].context, context))
                return source->entries[i].text;
    return nullptr;
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
    const char* text = Lookup(catalogue, "StatusDialog", key);
    return text ? text : key;
}

std::string TranslatePage(const Catalogue& catalogue, const std::string& text) {
    static const char kContext[] = "PrinterApplication";
    if (const char* exact = Lookup(catalogue, kContext, text.c_str()))
        return exact;
    static const char kDigits[] = "0123456789";
    std::string key;
    std::vector<std::string> numbers;
    for (size_t at = 0; at < text.size();) {
        const size_t digit = text.find_first_of(kDigits, at);
        key += text.substr(at, digit - at);
        if (digit == std::string::npos)
            break;
        at = std::min(text.find_first_not_of(kDigits, digit), text.size());
        numbers.push_back(text.substr(digit, at - digit));
        key += "%" + std::to_string(numbers.size());
    }
    const char* pattern =
        numbers.empty() || numbers.size() > 9 ? nullptr : Lookup(catalogue, kContext, key.c_str());
    if (pattern == nullptr)
        return text;
    std::string out;
    for (const char* c = pattern; *c; ++c) {
        if (c[0] == '%' && c[1] >= '1' && size_t(c[1] - '1') < numbers.size()) {
            out += numbers[size_t(c[1] - '1')];
            ++c;
        } else {
            out += *c;
        }
    }
    return out;
}

} // namespace tq51m
