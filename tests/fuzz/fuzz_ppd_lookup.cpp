// SPDX-License-Identifier: Apache-2.0
// PPD default lookup over arbitrary PPD text, keywords and job options.
// Input: [1-byte length][keyword][1-byte length][job option text][PPD text].
#include <cstdlib>
#include <cstring>
#include <string>

#include <cups/cups.h>

#include "Common.h"
#include "FuzzSupport.h"

namespace {

const std::string& ppdPath() {
    static const std::string path = fuzz::privateTmpName("fuzz-ppd");
    return path;
}

// A found default is the word after "*Default<keyword>: " on some line: held in the record's
// buffer, terminated inside it, free of white space, and its prefix is in the text.
void checkDefault(const char* value, ppdfile_s* ppd, const std::string& keyword,
                  const std::string& text) {
    if (value == nullptr)
        return;
    if (value != ppd->defChoice || strnlen(value, sizeof(ppd->defChoice)) >= sizeof(ppd->defChoice))
        std::abort();
    for (const char* p = value; *p != '\0'; ++p) {
        if (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r')
            std::abort();
    }
    if (text.find("*Default" + keyword + ": ") == std::string::npos)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit([] { unlink(ppdPath().c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Reader in(data, size);
    const std::string keywordField = in.shortField();
    // The keyword as the lookup takes it, a C string: up to its first NUL byte.
    const std::string keyword = keywordField.substr(0, keywordField.find('\0'));
    const std::string optionText = in.shortField();
    const std::string text = in.rest();
    if (!fuzz::writeFile(ppdPath(), text))
        return 0;

    ppdfile_s* ppd = wrappedPpdOpenFile(ppdPath().c_str());
    if (ppd == nullptr)
        std::abort();
    const char* first = wrappedPpdFindDefChoice(ppd, keyword.c_str());
    checkDefault(first, ppd, keyword, text);
    const std::string firstValue = first ? first : "";
    // The file is read from its start on every lookup: a repeated lookup finds the same.
    const char* again = wrappedPpdFindDefChoice(ppd, keyword.c_str());
    if ((first == nullptr) != (again == nullptr) || (again && firstValue != again))
        std::abort();

    cups_option_t* options = nullptr;
    int numOptions = cupsParseOptions(optionText.c_str(), 0, &options);
    const char* value = _GetCupsValue(keyword.c_str(), numOptions, options, ppd);
    const char* option = cupsGetOption(keyword.c_str(), numOptions, options);
    if (option != nullptr && value != option)
        std::abort();
    if (option == nullptr && keyword != "PageSize")
        checkDefault(value, ppd, keyword, text);
    cupsFreeOptions(numOptions, options);
    wrappedPpdClose(ppd);
    return 0;
}
