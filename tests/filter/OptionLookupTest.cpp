#include <cstring>
#include <string>

#include "FilterTestSupport.h"

namespace {

const char kPpd[] = "*PPD-Adobe: \"4.3\"\n"
                    "*DefaultResolution: 300x600dpi\n"
                    "*DefaultPageSize: 207x156mm\n"
                    "*DefaultZelBorder:Enable\n"
                    "  *DefaultZelPrintRetry: Disable\n"
                    "*DefaultZelDecurl: \n"
                    "*DefaultZelGamma: \"50\"\n"
                    "*DefaultZelChroma:    -3\t trailing\r\n";

struct Lookup {
    const char* options;
    const char* keyword;
    const char* expected; // null: no value
};

TEST(OptionLookup, JobOptionThenMediaThenPpdDefault) {
    const Lookup cases[] = {
        {"Resolution=600x600dpi", "Resolution", "600x600dpi"},
        {"", "Resolution", "300x600dpi"},
        {"media=214x300mm", "PageSize", "214x300mm"},
        {"PageSize=207x105mm media=214x300mm", "PageSize", "207x105mm"},
        {"", "PageSize", "207x156mm"},
        {"media=214x300mm", "Resolution", "300x600dpi"},
        {"", "ZelBorder", nullptr},     // no space after the colon
        {"", "ZelPrintRetry", nullptr}, // indented line
        {"", "ZelDecurl", ""},          // no word after the prefix
        {"", "ZelGamma", "\"50\""},     // quotes stay part of the word
        {"", "ZelChroma", "-3"},        // white space ends the word
        {"", "ZelSharpness", nullptr},  // no line at all
        {"", "Zel", nullptr},           // a prefix of a keyword is not the keyword
    };
    for (const Lookup& c : cases) {
        ParsedOptions job(c.options, kPpd);
        const char* value = _GetCupsValue(c.keyword, job.count(), job.options(), job.ppd());
        if (c.expected == nullptr)
            EXPECT_EQ(value, nullptr) << c.keyword;
        else
            EXPECT_STREQ(value, c.expected) << c.keyword;
    }
}

TEST(PpdReader, SecondPieceOfALongLineCanMatch) {
    std::string text = std::string(255, 'x') + "*DefaultResolution: 600x600dpi\n";
    TempFile file(text);
    ppdfile_s* ppd = wrappedPpdOpenFile(file.Path().c_str());
    EXPECT_STREQ(wrappedPpdFindDefChoice(ppd, "Resolution"), "600x600dpi");
    wrappedPpdClose(ppd);
}

TEST(PpdReader, LookupsShareOneBufferAndRewind) {
    TempFile file(kPpd);
    ppdfile_s* ppd = wrappedPpdOpenFile(file.Path().c_str());
    char* page = wrappedPpdFindDefChoice(ppd, "PageSize");
    char* resolution = wrappedPpdFindDefChoice(ppd, "Resolution");
    EXPECT_EQ(page, resolution);
    EXPECT_STREQ(page, "300x600dpi");
    EXPECT_STREQ(wrappedPpdFindDefChoice(ppd, "PageSize"), "207x156mm");
    wrappedPpdClose(ppd);
}

TEST(PpdReader, MissingFileAndOversizedKeyword) {
    EXPECT_EQ(wrappedPpdOpenFile(nullptr), nullptr);
    ppdfile_s* missing = wrappedPpdOpenFile("/nonexistent/tq51m.ppd");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->fp, nullptr);
    EXPECT_EQ(wrappedPpdFindDefChoice(missing, "Resolution"), nullptr);
    wrappedPpdClose(missing);
    wrappedPpdClose(nullptr);

    TempFile file(kPpd);
    ppdfile_s* ppd = wrappedPpdOpenFile(file.Path().c_str());
    EXPECT_EQ(wrappedPpdFindDefChoice(ppd, std::string(300, 'K').c_str()), nullptr);
    EXPECT_EQ(wrappedPpdFindDefChoice(ppd, nullptr), nullptr);
    wrappedPpdClose(ppd);
}

TEST(StoreLE, LeastSignificantByteFirst) {
    unsigned char bytes[6] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    _StoreLE4(bytes + 1, 1088);
    const unsigned char le4[] = {0xAA, 0x40, 0x04, 0x00, 0x00, 0xAA};
    EXPECT_EQ(std::memcmp(bytes, le4, 6), 0);
    _StoreLE2(bytes + 1, 0x12345);
    const unsigned char le2[] = {0xAA, 0x45, 0x23, 0x00, 0x00, 0xAA};
    EXPECT_EQ(std::memcmp(bytes, le2, 6), 0);
    _StoreLE4(bytes, -2);
    const unsigned char minus2[] = {0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(std::memcmp(bytes, minus2, 4), 0);
}

} // namespace
