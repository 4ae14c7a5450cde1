// SPDX-License-Identifier: Apache-2.0
#include "WebCatalogue.h"

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

const char kPageContext[] = "PrinterApplication";
// How deep the parts of a text are translated in turn: "Job 4 stopped: Out of memory for page
// 3." is a pattern holding a pattern holding a number.
constexpr int kPartDepth = 3;
// The splits of one text into a pattern's parts that are looked at.
constexpr size_t kMaxSplits = 64;

bool IsPlaceholder(const char* c) {
    return c[0] == '%' && c[1] >= '1' && c[1] <= '9';
}

// The ways text matches pattern, each "%1".."%9" standing for a part that is not empty; each
// way's parts by their number, into splits.
void Split(const char* pattern, const char* text, std::vector<std::string>& parts,
           std::vector<std::vector<std::string>>& splits) {
    while (*pattern != '\0' && !IsPlaceholder(pattern))
        if (*pattern++ != *text++)
            return;
    if (*pattern == '\0') {
        if (*text == '\0' && splits.size() < kMaxSplits)
            splits.push_back(parts);
        return;
    }
    const size_t index = size_t(pattern[1] - '1');
    if (parts.size() <= index)
        parts.resize(index + 1);
    for (size_t length = 1; text[length - 1] != '\0' && splits.size() < kMaxSplits; ++length) {
        parts[index].assign(text, length);
        Split(pattern + 2, text + length, parts, splits);
    }
}

bool TranslateText(const Catalogue& catalogue, const std::string& text, int depth,
                   std::string& translated);

// A part of a text: a number stays as it is; else a text of the pages, or a word of the
// monitor's window in English (the printer's state in a message).
bool TranslatePart(const Catalogue& catalogue, const std::string& part, int depth,
                   std::string& translated) {
    if (part.find_first_not_of("0123456789") == std::string::npos) {
        translated = part;
        return true;
    }
    if (TranslateText(catalogue, part, depth, translated))
        return true;
    const Catalogue& english = English();
    for (size_t i = 0; i < english.count; ++i)
        if (!strcmp(english.entries[i].context, "StatusDialog") &&
            part == english.entries[i].text) {
            translated = Translate(catalogue, english.entries[i].key);
            return true;
        }
    return false;
}

// A text of the pages: its own entry, else the first pattern it matches whose parts are all
// translated in turn. A text with a part nobody translates (a backend's own words) stays
// whole, never half translated.
bool TranslateText(const Catalogue& catalogue, const std::string& text, int depth,
                   std::string& translated) {
    if (const char* exact = Lookup(catalogue, kPageContext, text.c_str())) {
        translated = exact;
        return true;
    }
    if (depth == 0)
        return false;
    const Catalogue& english = English();
    for (size_t i = 0; i < english.count; ++i) {
        const CatalogueEntry& entry = english.entries[i];
        if (strcmp(entry.context, kPageContext) != 0 || strchr(entry.key, '%') == nullptr)
            continue;
        std::vector<std::string> parts;
        std::vector<std::vector<std::string>> splits;
        Split(entry.key, text.c_str(), parts, splits);
        for (const std::vector<std::string>& split : splits) {
            std::vector<std::string> words(split.size());
            bool known = true;
            for (size_t part = 0; known && part < split.size(); ++part)
                known = split[part].empty() ||
                        TranslatePart(catalogue, split[part], depth - 1, words[part]);
            if (!known)
                continue;
            translated.clear();
            for (const char* c = Lookup(catalogue, kPageContext, entry.key); *c != '\0'; ++c) {
                if (IsPlaceholder(c) && size_t(c[1] - '1') < words.size()) {
                    translated += words[size_t(c[1] - '1')];
                    ++c;
                } else {
                    translated += *c;
                }
            }
            return true;
        }
    }
    return false;
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
    std::string translated;
    return TranslateText(catalogue, text, kPartDepth, translated) ? translated : text;
}

} // namespace tq51m
