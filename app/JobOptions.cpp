// SPDX-License-Identifier: Apache-2.0
#include "JobOptions.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace tq51m {

const std::vector<MediaSize>& MediaSizes() {
    // The PPD's eight sheets, full bleed. PWG has no standard size for any of them (each is
    // a nominal photo size plus the printer's bleed), so each gets a self-describing name
    // whose dimensions are the PPD's page size.
    static const std::vector<MediaSize> sizes = {
        {"207x105mm", "oe_photo-8x4_8.16x4.12in", "8 x 4 in", 20726, 10464, 58752, 29664},
        {"207x130mm", "oe_photo-8x5_8.16x5.12in", "8 x 5 in", 20726, 13004, 58752, 36864},
        {"207x156mm", "oe_photo-8x6_8.16x6.12in", "8 x 6 in", 20726, 15544, 58752, 44064},
        {"207x206mm", "oe_photo-8x8_8.16x8.12in", "8 x 8 in", 20726, 20624, 58752, 58464},
        {"207x257mm", "oe_photo-8x10_8.16x10.12in", "8 x 10 in", 20726, 25704, 58752, 72864},
        {"207x308mm", "oe_photo-8x12_8.16x12.12in", "8 x 12 in", 20726, 30784, 58752, 87264},
        {"214x151mm", "om_photo-214x151_214.04x151.05mm", "8.3 x 5.8 in", 21404, 15105, 60672,
         42816},
        {"214x300mm", "om_photo-214x300_214.04x300.06mm", "8.3 x 11.7 in (A4)", 21404, 30006, 60672,
         85056},
    };
    return sizes;
}

const MediaSize* FindMediaByPwgName(const std::string& name) {
    for (const MediaSize& size : MediaSizes())
        if (name == size.pwgName)
            return &size;
    return nullptr;
}

const MediaSize* FindMediaByPoints(double widthPt, double lengthPt) {
    if (!std::isfinite(widthPt) || !std::isfinite(lengthPt))
        return nullptr;
    for (const MediaSize& size : MediaSizes()) {
        if (std::fabs(widthPt - size.widthPt100 / 100.0) <= 1.0 &&
            std::fabs(lengthPt - size.lengthPt100 / 100.0) <= 1.0)
            return &size;
    }
    return nullptr;
}

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
