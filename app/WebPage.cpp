// SPDX-License-Identifier: Apache-2.0
#include "WebPage.h"

#include <cstring>
#include <string>

#include "Driver.h"
#include "JobOptions.h"
#include "StatusUpdates.h"

namespace tq51m {

namespace {

const char kPageName[] = "tq51m";

// Text for HTML, with line breaks kept.
void PutText(pappl_client_t* client, const std::string& text) {
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        if (start > 0)
            papplClientHTMLPuts(client, "<br>");
        papplClientHTMLEscape(client, text.c_str() + start, end - start);
        start = end + 1;
    }
}

const char* FinishLabel(const char* type) {
    static const std::pair<const char*, const char*> labels[] = {
        {"photographic-glossy", "Glossy"},
        {"photographic-semi-gloss", "Luster"},
        {"photographic-matte", "Matte"},
        {"photographic-satin", "Fine matte"},
    };
    for (const auto& label : labels)
        if (!strcmp(label.first, type))
            return label.second;
    return type;
}

const char* MediaLabel(const char* pwgName) {
    const MediaSheet* sheet = FindMediaSheetByName(pwgName);
    return sheet ? sheet->label : nullptr;
}

// Saves the photo options of the form as the printer's defaults.
std::string SaveDefaults(pappl_client_t* client, pappl_printer_t* printer) {
    cups_option_t* form = nullptr;
    const int numForm = papplClientGetForm(client, &form);
    if (!papplClientIsValidForm(client, numForm, form)) {
        cupsFreeOptions(numForm, form);
        return "Invalid form data.";
    }
    pappl_pr_driver_data_t data;
    papplPrinterGetDriverData(printer, &data);
    if (const char* type = cupsGetOption("media-type", numForm, form))
        for (const MediaType& known : MediaTypes())
            if (!strcmp(known.ipp, type))
                snprintf(data.media_default.type, sizeof(data.media_default.type), "%s", type);

    int numVendor = 0;
    cups_option_t* vendor = nullptr;
    std::string error;
    for (const VendorOption& option : VendorOptions()) {
        const char* value = cupsGetOption(option.ipp, numForm, form);
        if (option.isBoolean) {
            numVendor = cupsAddOption(option.ipp, value ? "true" : "false", numVendor, &vendor);
        } else if (value != nullptr) {
            char* end = nullptr;
            const long number = strtol(value, &end, 10);
            if (end == value || *end || number < option.minimum || number > option.maximum)
                error = std::string("Bad value for ") + option.label + ".";
            else
                numVendor = cupsAddOption(option.ipp, value, numVendor, &vendor);
        }
    }
    if (error.empty() && !papplPrinterSetDriverDefaults(printer, &data, numVendor, vendor))
        error = "The defaults could not be saved.";
    cupsFreeOptions(numVendor, vendor);
    cupsFreeOptions(numForm, form);
    return error.empty() ? "Photo settings saved." : error;
}

bool ShowPage(pappl_client_t* client, void* data) {
    auto* printer = static_cast<pappl_printer_t*>(data);
    if (!papplClientHTMLAuthorize(client))
        return true;
    std::string notice;
    if (papplClientGetMethod(client) == HTTP_STATE_POST)
        notice = SaveDefaults(client, printer);

    const PrinterStatus status = LastStatus(printer);
    papplClientHTMLPrinterHeader(client, printer, "TQ-51M status and photo settings", 0, nullptr,
                                 nullptr);
    if (!notice.empty()) {
        papplClientHTMLPuts(client, "<div class=\"banner\">");
        PutText(client, notice);
        papplClientHTMLPuts(client, "</div>\n");
    }

    papplClientHTMLPuts(client, "<div class=\"row\"><div class=\"col-12\"><h2 "
                                "class=\"title\">Printer</h2>\n<table class=\"form\">\n"
                                "<tr><th>Status:</th><td id=\"tq51m-status\"><b>");
    PutText(client, status.stateText);
    papplClientHTMLPuts(client, "</b>");
    if (!status.message.empty() && status.message != " ") {
        papplClientHTMLPuts(client, " &ndash; ");
        PutText(client, status.message);
    }
    papplClientHTMLPuts(client, "</td></tr>\n<tr><th>Media loaded:</th><td>");
    const char* loaded = MediaLabel(status.readyMedia);
    PutText(client, loaded ? loaded : "---");
    papplClientHTMLPuts(client, "</td></tr>\n<tr><th>Ribbon and paper:</th><td>");
    if (status.supplyLevel >= 0)
        papplClientHTMLPrintf(client,
                              "<meter value=\"%d\" min=\"0\" max=\"100\" low=\"10\"></meter> "
                              "%d%%",
                              status.supplyLevel, status.supplyLevel);
    else
        papplClientHTMLPuts(client, "---");
    const std::string problem = JobProblem(printer);
    if (!problem.empty()) {
        papplClientHTMLPuts(client,
                            "</td></tr>\n<tr><th>Last job:</th><td id=\"tq51m-job-problem\">");
        PutText(client, problem);
    }
    papplClientHTMLPuts(client, "</td></tr>\n</table>\n");

    // The photo options, as the classic driver's dialog labels them.
    char path[256];
    papplPrinterGetPath(printer, kPageName, path, sizeof(path));
    papplClientHTMLPuts(client, "<h2 class=\"title\">Photo settings</h2>\n");
    papplClientHTMLStartForm(client, path, false);
    papplClientHTMLPuts(client, "<table class=\"form\">\n<tr><th>Finish:</th><td><select "
                                "name=\"media-type\">");
    pappl_pr_driver_data_t driver;
    papplPrinterGetDriverData(printer, &driver);
    for (const MediaType& type : MediaTypes())
        papplClientHTMLPrintf(client, "<option value=\"%s\"%s>%s</option>", type.ipp,
                              strcmp(type.ipp, driver.media_default.type) ? "" : " selected",
                              FinishLabel(type.ipp));
    papplClientHTMLPuts(client, "</select></td></tr>\n");

    ipp_t* attrs = papplPrinterGetDriverAttributes(printer);
    for (const VendorOption& option : VendorOptions()) {
        const std::string name = std::string(option.ipp) + "-default";
        ipp_attribute_t* attr =
            attrs ? ippFindAttribute(attrs, name.c_str(), IPP_TAG_ZERO) : nullptr;
        papplClientHTMLPrintf(client, "<tr><th>%s:</th><td>", option.label);
        if (option.isBoolean) {
            const bool on = attr ? ippGetBoolean(attr, 0) != 0 : option.defaultValue != 0;
            papplClientHTMLPrintf(client, "<input type=\"checkbox\" name=\"%s\"%s>", option.ipp,
                                  on ? " checked" : "");
        } else {
            const int value = attr ? ippGetInteger(attr, 0) : option.defaultValue;
            papplClientHTMLPrintf(client,
                                  "<input type=\"number\" name=\"%s\" min=\"%d\" max=\"%d\" "
                                  "value=\"%d\">",
                                  option.ipp, option.minimum, option.maximum, value);
        }
        papplClientHTMLPrintf(client, " <small>(%s)</small></td></tr>\n", option.ipp);
    }
    ippDelete(attrs);
    papplClientHTMLPuts(client, "<tr><th></th><td><input type=\"submit\" value=\"Save "
                                "photo settings\"></td></tr>\n</table></form>\n</div></div>\n");
    papplClientHTMLPrinterFooter(client);
    return true;
}

} // namespace

void AddPrinterPage(pappl_printer_t* printer, void*) {
    const char* driver = papplPrinterGetDriverName(printer);
    if (driver == nullptr || strcmp(driver, kDriverName) != 0)
        return;
    char path[256];
    papplPrinterGetPath(printer, kPageName, path, sizeof(path));
    papplSystemAddResourceCallback(papplPrinterGetSystem(printer), path, "text/html", ShowPage,
                                   printer);
    papplPrinterAddLink(printer, "Status and photo settings", path,
                        PAPPL_LOPTIONS_NAVIGATION | PAPPL_LOPTIONS_STATUS);
}

void RemovePrinterPage(pappl_printer_t* printer, pappl_pr_driver_data_t*) {
    char path[256];
    papplPrinterGetPath(printer, kPageName, path, sizeof(path));
    papplSystemRemoveResource(papplPrinterGetSystem(printer), path);
}

} // namespace tq51m
