// SPDX-License-Identifier: Apache-2.0
#include "JobOptions.h"

#include <cstdlib>
#include <cstring>

namespace tq51m {

const std::vector<MediaType>& MediaTypes() {
    static const std::vector<MediaType> types = {
        {"photographic-glossy", "Glossy"},
        {"photographic-semi-gloss", "Luster"},
        {"photographic-matte", "Matte"},
        {"photographic-satin", "FineMatte"},
    };
    return types;
}

const std::vector<VendorOption>& VendorOptions() {
    static const std::vector<VendorOption> options = {
        {"tq51m-border", "ZelBorder", "Border", true, 0, 1, 0},
        {"tq51m-2inch-cut", "Zel2InchCut", "2-inch cut", true, 0, 1, 0},
        {"tq51m-high-speed", "ZelPrintSpeed", "High-speed printing (300 x 600 dpi)", true, 0, 1, 0},
        {"tq51m-print-retry", "ZelPrintRetry", "Retry after an error", true, 0, 1, 1},
        {"tq51m-sharpness", "ZelSharpness", "Sharpness", false, -2, 8, 0},
        {"tq51m-color-adjustment", "ZelColorAdjustment", "Color adjustment", true, 0, 1, 0},
        {"tq51m-gamma", "ZelGamma", "Gamma", false, -100, 100, 0},
        {"tq51m-brightness", "ZelBrightness", "Brightness", false, -100, 100, 0},
        {"tq51m-contrast", "ZelContrast", "Contrast", false, -100, 100, 0},
        {"tq51m-saturation", "ZelChroma", "Saturation", false, -100, 100, 0},
    };
    return options;
}

namespace {

const std::string* FindValue(const JobRequest& request, const char* name) {
    const std::string* found = nullptr;
    for (const auto& entry : request.vendor)
        if (entry.first == name)
            found = &entry.second;
    return found;
}

// IPP booleans reach the driver as "true"/"false"; anything else keeps the default.
int ParseBoolean(const std::string* text, int fallback) {
    if (text == nullptr)
        return fallback;
    if (*text == "true")
        return 1;
    if (*text == "false")
        return 0;
    return fallback;
}

int ParseInteger(const std::string* text, int minimum, int maximum, int fallback) {
    if (text == nullptr || text->empty() || text->size() > 11)
        return fallback;
    char* end = nullptr;
    const long value = std::strtol(text->c_str(), &end, 10);
    if (end == nullptr || *end != '\0' || value < minimum || value > maximum)
        return fallback;
    return int(value);
}

const char* ResolutionChoice(int xdpi, int ydpi) {
    if (xdpi == 300 && ydpi == 600)
        return "300x600dpi";
    if (xdpi == 600 && ydpi == 600)
        return "600x600dpi";
    return "300dpi";
}

} // namespace

void PrintResolution(int xdpi, int ydpi, int& printX, int& printY) {
    const bool known = (xdpi == 300 && ydpi == 600) || (xdpi == 600 && ydpi == 600);
    printX = known ? xdpi : 300;
    printY = known ? ydpi : 300;
}

OptionList MapJobOptions(const JobRequest& request) {
    OptionList options;
    if (!request.pageSize.empty())
        options.emplace_back("PageSize", request.pageSize);
    options.emplace_back("Resolution", ResolutionChoice(request.xdpi, request.ydpi));

    const char* finish = MediaTypes().front().finish;
    for (const MediaType& type : MediaTypes())
        if (request.mediaType == type.ipp)
            finish = type.finish;
    options.emplace_back("ZelOvercoatFinish", finish);

    for (const VendorOption& option : VendorOptions()) {
        const std::string* text = FindValue(request, option.ipp);
        if (option.isBoolean) {
            const int on = ParseBoolean(text, option.defaultValue);
            options.emplace_back(option.ppd, on ? "Enable" : "Disable");
        } else {
            const int value =
                ParseInteger(text, option.minimum, option.maximum, option.defaultValue);
            options.emplace_back(option.ppd, std::to_string(value));
        }
    }
    return options;
}

long BackendJobId(int printerId, int jobId) {
    return 2000000000L + long(printerId % 1000) * 100000L + long(jobId % 100000);
}

} // namespace tq51m
