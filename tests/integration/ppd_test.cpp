// SPDX-License-Identifier: Apache-2.0
// The generated PPD against what rastertotq51m reads from it: option keywords and choice
// names, page sizes in printer dots, the raster format, the filter line, the defaults as the
// filter's own reader sees them, and the option texts of the six languages.

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <cups/ppd.h>
#include <cups/raster.h>
#include <gtest/gtest.h>

#include "Common.h"
#include "SheetTable.h"

namespace {

struct PpdCloser {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};
using PpdPtr = std::unique_ptr<ppd_file_t, PpdCloser>;

PpdPtr openPpd() {
    PpdPtr ppd(ppdOpenFile(TQ51M_PPD_PATH));
    if (!ppd) {
        int line = 0;
        ADD_FAILURE() << "cannot parse " << TQ51M_PPD_PATH << ": "
                      << ppdErrorString(ppdLastError(&line)) << " on line " << line;
    }
    return ppd;
}

std::vector<std::string> numbers(int from, int to, int step) {
    std::vector<std::string> out;
    for (int v = from; v <= to; v += step)
        out.push_back(std::to_string(v));
    return out;
}

std::vector<std::string> choicesOf(ppd_file_t* ppd, const char* keyword) {
    std::vector<std::string> out;
    ppd_option_t* option = ppdFindOption(ppd, keyword);
    if (!option)
        return out;
    for (int i = 0; i < option->num_choices; ++i)
        out.push_back(option->choices[i].choice);
    return out;
}

struct OptionCase {
    const char* keyword;
    std::vector<std::string> choices;
    const char* defaultChoice;
};

const std::vector<OptionCase>& filterOptions() {
    static const std::vector<OptionCase> cases = {
        {"Resolution", {"300dpi", "300x600dpi", "600x600dpi"}, "300dpi"},
        {"PageSize",
         {"207x105mm", "207x130mm", "207x156mm", "207x206mm", "207x257mm", "207x308mm", "214x151mm",
          "214x300mm"},
         "207x105mm"},
        {"ZelBorder", {"Disable", "Enable"}, "Disable"},
        {"ZelOvercoatFinish", {"Glossy", "Luster", "Matte", "FineMatte"}, "Glossy"},
        {"Zel2InchCut", {"Disable", "Enable"}, "Disable"},
        {"ZelPrintRetry", {"Enable", "Disable"}, "Enable"},
        {"ZelPrintSpeed", {"Disable", "Enable"}, "Disable"},
        {"ZelSharpness", numbers(-2, 8, 1), "0"},
        {"ZelColorAdjustment", {"Disable", "Enable"}, "Disable"},
        {"ZelGamma", numbers(-100, 100, 10), "0"},
        {"ZelBrightness", numbers(-100, 100, 10), "0"},
        {"ZelContrast", numbers(-100, 100, 10), "0"},
        {"ZelChroma", numbers(-100, 100, 10), "0"},
    };
    return cases;
}

TEST(Ppd, OffersExactlyTheChoicesTheFilterKnows) {
    PpdPtr ppd = openPpd();
    ASSERT_TRUE(ppd);
    for (const OptionCase& c : filterOptions()) {
        SCOPED_TRACE(c.keyword);
        EXPECT_EQ(choicesOf(ppd.get(), c.keyword), c.choices);
        ppd_option_t* option = ppdFindOption(ppd.get(), c.keyword);
        ASSERT_NE(option, nullptr);
        EXPECT_STREQ(option->defchoice, c.defaultChoice);
    }
}

// The filter finds defaults with its own line reader, not with the CUPS parser: every default
// must be on a "*Default<keyword>: <choice>" line that it can read.
TEST(Ppd, FilterReaderSeesEveryDefault) {
    ppdfile_s* reader = wrappedPpdOpenFile(TQ51M_PPD_PATH);
    ASSERT_NE(reader, nullptr);
    ASSERT_NE(reader->fp, nullptr);
    for (const OptionCase& c : filterOptions()) {
        SCOPED_TRACE(c.keyword);
        const char* found = wrappedPpdFindDefChoice(reader, c.keyword);
        ASSERT_NE(found, nullptr);
        EXPECT_STREQ(found, c.defaultChoice);
    }
    wrappedPpdClose(reader);
}

// Each choice, once the filter has scaled it (gamma 2^(v/100) x 100, brightness x2, contrast
// and chroma x10), must be a value that the image library accepts.
TEST(Ppd, ImageChoicesStayInsideTheLibraryRanges) {
    PpdPtr ppd = openPpd();
    ASSERT_TRUE(ppd);
    struct Range {
        const char* keyword;
        int factor;
    };
    for (const Range& r :
         {Range{"ZelBrightness", 2}, Range{"ZelContrast", 10}, Range{"ZelChroma", 10}}) {
        for (const std::string& choice : choicesOf(ppd.get(), r.keyword)) {
            const int value = std::stoi(choice) * r.factor;
            EXPECT_LE(std::abs(value), 1000) << r.keyword << " " << choice;
        }
    }
    for (const std::string& choice : choicesOf(ppd.get(), "ZelGamma")) {
        const int gamma = static_cast<int>(std::pow(2.0, std::stoi(choice) / 100.0) * 100.0);
        EXPECT_GT(gamma, 0) << choice;
    }
}

using tq51m::kMediaSheets;
using tq51m::MediaSheet;

TEST(Ppd, PageSizesAreTheFullBleedSheets) {
    PpdPtr ppd = openPpd();
    ASSERT_TRUE(ppd);
    // The sheet table is the source of the PPD's sizes: same names, labels and dots, in order.
    ASSERT_EQ(ppd->num_sizes, tq51m::kMediaSheetCount);
    ppd_option_t* option = ppdFindOption(ppd.get(), "PageSize");
    ASSERT_NE(option, nullptr);
    ASSERT_EQ(option->num_choices, tq51m::kMediaSheetCount);
    for (int i = 0; i < tq51m::kMediaSheetCount; ++i) {
        const MediaSheet& s = kMediaSheets[i];
        SCOPED_TRACE(s.pageSize);
        EXPECT_STREQ(option->choices[i].choice, s.pageSize);
        EXPECT_STREQ(option->choices[i].text, s.label);
        ppd_size_t* size = ppdPageSize(ppd.get(), s.pageSize);
        ASSERT_NE(size, nullptr);
        EXPECT_NEAR(size->width, s.widthDots * 72.0 / 300.0, 0.01);
        EXPECT_NEAR(size->length, s.lengthDots * 72.0 / 300.0, 0.01);
        EXPECT_FLOAT_EQ(size->left, 0.0f);
        EXPECT_FLOAT_EQ(size->bottom, 0.0f);
        EXPECT_FLOAT_EQ(size->right, size->width);
        EXPECT_FLOAT_EQ(size->top, size->length);
    }
}

// What CUPS makes of the PPD for each page size and resolution is what the filter expects:
// chunky 24-bit RGB pages exactly as many dots as the media table's sheet.
TEST(Ppd, RasterHeadersMatchTheMediaTable) {
    PpdPtr ppd = openPpd();
    ASSERT_TRUE(ppd);
    struct ResolutionCase {
        const char* name;
        unsigned x;
        unsigned y;
    };
    const ResolutionCase resolutions[] = {
        {"300dpi", 300, 300}, {"300x600dpi", 300, 600}, {"600x600dpi", 600, 600}};
    for (const MediaSheet& s : kMediaSheets) {
        for (const ResolutionCase& r : resolutions) {
            SCOPED_TRACE(std::string(s.pageSize) + " " + r.name);
            ppdMarkDefaults(ppd.get());
            ASSERT_EQ(ppdMarkOption(ppd.get(), "PageSize", s.pageSize), 0);
            ASSERT_EQ(ppdMarkOption(ppd.get(), "Resolution", r.name), 0);
            cups_page_header2_t header;
            ASSERT_EQ(cupsRasterInterpretPPD(&header, ppd.get(), 0, nullptr, nullptr), 0)
                << cupsRasterErrorString();
            EXPECT_EQ(header.HWResolution[0], r.x);
            EXPECT_EQ(header.HWResolution[1], r.y);
            EXPECT_EQ(header.cupsWidth, s.widthDots * r.x / 300);
            EXPECT_EQ(header.cupsHeight, s.lengthDots * r.y / 300);
            EXPECT_EQ(header.cupsColorSpace, CUPS_CSPACE_RGB);
            EXPECT_EQ(header.cupsColorOrder, CUPS_ORDER_CHUNKED);
            EXPECT_EQ(header.cupsBitsPerColor, 8u);
            EXPECT_EQ(header.cupsBitsPerPixel, 24u);
            EXPECT_EQ(header.cupsBytesPerLine, header.cupsWidth * 3);
        }
    }
}

TEST(Ppd, SendsRasterThroughTheFilter) {
    PpdPtr ppd = openPpd();
    ASSERT_TRUE(ppd);
    ppd_attr_t* filter = ppdFindAttr(ppd.get(), "cupsFilter2", nullptr);
    ASSERT_NE(filter, nullptr);
    EXPECT_STREQ(filter->value,
                 "application/vnd.cups-raster application/vnd.velmora-tq51m 0 rastertotq51m");
    EXPECT_EQ(ppdFindAttr(ppd.get(), "cupsFilter", nullptr), nullptr);
    // The filter places copies itself, from each page header's NumCopies.
    EXPECT_FALSE(ppd->manual_copies);
    EXPECT_TRUE(ppd->color_device);
}

// The localised texts as the PPD file holds them: "*de.Translation ZelBorder/Rand: """ gives
// the entry "de.Translation ZelBorder" -> "Rand", "*de.ZelBorder Enable/Ein: """ the entry
// "de.ZelBorder Enable" -> "Ein". (The CUPS parser keeps only the current locale's texts.)
std::map<std::string, std::string> localisedTexts() {
    std::map<std::string, std::string> texts;
    std::ifstream in(TQ51M_PPD_PATH);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t dot = line.find('.');
        const std::size_t slash = line.find('/');
        const std::size_t colon = line.find(':', slash == std::string::npos ? 0 : slash);
        if (line.size() < 4 || line[0] != '*' || dot == std::string::npos || dot > 6 ||
            slash == std::string::npos || colon == std::string::npos || line.find(' ') > slash)
            continue;
        texts[line.substr(1, slash - 1)] = line.substr(slash + 1, colon - slash - 1);
    }
    return texts;
}

// Every option the filter reads and every one of its choices has a text in each of the five
// catalogues besides English, and the option names are really translated.
TEST(Ppd, OptionTextsExistInAllSixLanguages) {
    PpdPtr ppd = openPpd();
    ASSERT_TRUE(ppd);
    ppd_attr_t* languages = ppdFindAttr(ppd.get(), "cupsLanguages", nullptr);
    ASSERT_NE(languages, nullptr);
    std::set<std::string> listed;
    std::istringstream words(languages->value);
    for (std::string word; words >> word;)
        listed.insert(word);
    // Chinese twice: CUPS keeps only "zh_CC." texts for Chinese locales, and maps Hong Kong to
    // zh_TW; both carry the one Chinese catalogue.
    EXPECT_EQ(listed, (std::set<std::string>{"en", "de", "es", "fr", "ja", "zh_CN", "zh_TW"}));

    const std::map<std::string, std::string> texts = localisedTexts();
    const char* translatedOptions[] = {"ZelBorder",          "ZelOvercoatFinish", "Zel2InchCut",
                                       "ZelPrintRetry",      "ZelPrintSpeed",     "ZelSharpness",
                                       "ZelColorAdjustment", "ZelBrightness",     "ZelContrast",
                                       "Resolution",         "PageSize"};
    for (const char* lang : {"de", "es", "fr", "ja", "zh_CN", "zh_TW"}) {
        for (const OptionCase& c : filterOptions()) {
            SCOPED_TRACE(std::string(lang) + " " + c.keyword);
            const auto text = texts.find(std::string(lang) + ".Translation " + c.keyword);
            ASSERT_NE(text, texts.end());
            EXPECT_FALSE(text->second.empty());
            for (const std::string& choice : c.choices)
                EXPECT_EQ(texts.count(std::string(lang) + "." + c.keyword + " " + choice), 1u)
                    << choice;
        }
        for (const char* keyword : translatedOptions) {
            const auto text = texts.find(std::string(lang) + ".Translation " + keyword);
            ASSERT_NE(text, texts.end());
            EXPECT_STRNE(text->second.c_str(), ppdFindOption(ppd.get(), keyword)->text)
                << lang << " " << keyword;
        }
    }
}

// What a user sees in a print dialog or lpoptions: the texts that CUPS picks from the PPD for
// the user's locale (a separate process per locale, since CUPS reads the locale once).
TEST(Ppd, UsersSeeOptionTextsInTheirLanguage) {
    struct LocaleCase {
        const char* locale;
        const char* option;
        const char* choice;
    };
    const LocaleCase cases[] = {
        {"en_US.UTF-8", "Finish", "Matte"},      {"de_DE.UTF-8", "Oberfläche", "Matt"},
        {"fr_FR.UTF-8", "Finition", "Mat"},      {"es_ES.UTF-8", "Acabado", "Mate"},
        {"ja_JP.UTF-8", "表面仕上げ", "マット"}, {"zh_CN.UTF-8", "表面处理", "哑光"},
        {"zh_TW.UTF-8", "表面处理", "哑光"},     {"zh_HK.UTF-8", "表面处理", "哑光"},
        {"pt_BR.UTF-8", "Finish", "Matte"},
    };
    for (const LocaleCase& c : cases) {
        SCOPED_TRACE(c.locale);
        const std::string command = std::string("LANG=") + c.locale + " LC_ALL=" + c.locale + " " +
                                    TQ51M_PPD_LOCALE_PROBE + " " + TQ51M_PPD_PATH +
                                    " ZelOvercoatFinish Matte";
        FILE* probe = popen(command.c_str(), "r");
        ASSERT_NE(probe, nullptr);
        std::string output;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, probe))
            output += buffer;
        EXPECT_EQ(pclose(probe), 0);
        EXPECT_EQ(output, std::string(c.option) + "\n" + c.choice + "\n");
    }
}

} // namespace
