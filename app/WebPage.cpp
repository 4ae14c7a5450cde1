// SPDX-License-Identifier: Apache-2.0
#include "WebPage.h"

#include <cstring>
#include <string>

#include "Driver.h"
#include "JobOptions.h"
#include "JobsPage.h"
#include "StatusUpdates.h"
#include "StatusView.h"
#include "tq51m_badges.h"

namespace tq51m {

namespace {

const char kPageName[] = "tq51m";

const char kStatusName[] = "tq51m-status";
// Seconds between two requests of the page's script for the status section.
constexpr int kPollSeconds = 2;

struct Badge {
    const char* name;
    const unsigned char* data;
    size_t size;
};

const Badge kBadges[] = {
    {"PrtStsIdle", kBadgePrtStsIdle, sizeof(kBadgePrtStsIdle)},
    {"PrtStsPrinting", kBadgePrtStsPrinting, sizeof(kBadgePrtStsPrinting)},
    {"PrtStsCooling", kBadgePrtStsCooling, sizeof(kBadgePrtStsCooling)},
    {"PrtStsCoverOpen", kBadgePrtStsCoverOpen, sizeof(kBadgePrtStsCoverOpen)},
    {"PrtStsNoScrapBox", kBadgePrtStsNoScrapBox, sizeof(kBadgePrtStsNoScrapBox)},
    {"PrtStsPaperEnd", kBadgePrtStsPaperEnd, sizeof(kBadgePrtStsPaperEnd)},
    {"PrtStsRibbonEnd", kBadgePrtStsRibbonEnd, sizeof(kBadgePrtStsRibbonEnd)},
    {"PrtStsPaperJam", kBadgePrtStsPaperJam, sizeof(kBadgePrtStsPaperJam)},
    {"PrtStsRibbonErr", kBadgePrtStsRibbonErr, sizeof(kBadgePrtStsRibbonErr)},
    {"PrtStsPaperErr", kBadgePrtStsPaperErr, sizeof(kBadgePrtStsPaperErr)},
    {"PrtStsSystemErr01", kBadgePrtStsSystemErr01, sizeof(kBadgePrtStsSystemErr01)},
    {"PrtStsOffline", kBadgePrtStsOffline, sizeof(kBadgePrtStsOffline)},
};

// Saves the photo options of the form as the printer's defaults; the notice for the page.
std::string SaveDefaults(pappl_printer_t* printer, int numForm, cups_option_t* form,
                         const Catalogue& catalogue) {
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
            if (end == value || *end || number < option.minimum || number > option.maximum) {
                error = TranslatePage(catalogue, "Bad value for %1.");
                error.replace(error.find("%1"), 2, TranslatePage(catalogue, option.label));
            } else {
                numVendor = cupsAddOption(option.ipp, value, numVendor, &vendor);
            }
        }
    }
    if (error.empty() && !papplPrinterSetDriverDefaults(printer, &data, numVendor, vendor))
        error = TranslatePage(catalogue, "The defaults could not be saved.");
    cupsFreeOptions(numVendor, vendor);
    return error.empty() ? TranslatePage(catalogue, "Photo settings saved.") : error;
}

// The form posted to the page: the print counter's reset button or the photo settings.
std::string HandleForm(pappl_client_t* client, pappl_printer_t* printer,
                       const Catalogue& catalogue) {
    cups_option_t* form = nullptr;
    const int numForm = papplClientGetForm(client, &form);
    std::string notice;
    if (!papplClientIsValidForm(client, numForm, form)) {
        notice = TranslatePage(catalogue, "Invalid form data.");
    } else if (cupsGetOption("reset-counter", numForm, form) != nullptr) {
        ResetPrintCounter(printer);
        notice = TranslatePage(catalogue, "Print counter reset.");
    } else {
        notice = SaveDefaults(printer, numForm, form, catalogue);
    }
    cupsFreeOptions(numForm, form);
    return notice;
}

void PutRow(pappl_client_t* client, const std::string& label, const char* id,
            const std::string& value) {
    papplClientHTMLPuts(client, "<tr><th>");
    PutText(client, label);
    papplClientHTMLPrintf(client, ":</th><td id=\"%s\">", id);
    PutText(client, value);
    papplClientHTMLPuts(client, "</td></tr>\n");
}

// The monitor's view of the printer; the page's script replaces it with a fresh copy.
void PutStatus(pappl_client_t* client, pappl_printer_t* printer, const Catalogue& catalogue) {
    const StatusView view = MakeStatusView(LastStatus(printer), catalogue);
    papplClientHTMLPuts(client, "<h2 class=\"title\">");
    PutText(client, Translate(catalogue, "statusGroupBox"));
    papplClientHTMLPrintf(client,
                          "</h2>\n<div class=\"tq51m-state\"><img id=\"tq51m-picture\" "
                          "src=\"/tq51m/%s.png\" width=\"80\" height=\"80\" alt=\"\">"
                          "<div><p id=\"tq51m-state\"><b>",
                          view.picture.c_str());
    PutText(client, view.state);
    papplClientHTMLPuts(client, "</b></p><p id=\"tq51m-message\">");
    PutText(client, view.message);
    papplClientHTMLPuts(client, "</p></div></div>\n");
    const std::string problem = JobProblem(printer);
    if (!problem.empty()) {
        papplClientHTMLPuts(client, "<p id=\"tq51m-job-problem\">");
        PutText(client, TranslatePage(catalogue, problem));
        papplClientHTMLPuts(client, "</p>\n");
    }

    papplClientHTMLPuts(client, "<h2 class=\"title\" id=\"tq51m-media-group\">");
    PutText(client, view.mediaGroup);
    papplClientHTMLPuts(client, "</h2>\n<table class=\"form\">\n<tr><th id=\"tq51m-media\">");
    PutText(client, view.mediaSize);
    papplClientHTMLPuts(client, "</th><td><span id=\"tq51m-media-counts\">");
    PutText(client, view.mediaCounts);
    papplClientHTMLPrintf(client,
                          "</span><br><meter value=\"%d\" min=\"0\" max=\"100\" low=\"10\">"
                          "</meter> %d%%</td></tr>\n</table>\n<table class=\"form\">\n",
                          view.percent, view.percent);
    PutRow(client, Translate(catalogue, "tcGroupBox"), "tq51m-total", view.totalCount);
    const long long sinceReset = PrintsSinceReset(printer);
    papplClientHTMLPuts(client, "<tr><th>");
    PutText(client, TranslatePage(catalogue, "Prints since the last reset"));
    papplClientHTMLPuts(client, ":</th><td><span id=\"tq51m-since-reset\">");
    PutText(client, sinceReset < 0 ? std::string("---") : std::to_string(sinceReset));
    papplClientHTMLPuts(client, "</span> ");
    papplClientHTMLStartForm(client, PrinterPagePath(printer, kPageName).c_str(), false);
    papplClientHTMLPuts(client, "<input type=\"submit\" name=\"reset-counter\" value=\"");
    PutText(client, TranslatePage(catalogue, "Reset"));
    papplClientHTMLPuts(client, "\"></form></td></tr>\n");
    PutRow(client, Translate(catalogue, "fwGroupBox"), "tq51m-firmware", view.firmware);
    PutRow(client, Translate(catalogue, "serialNoGroupBox"), "tq51m-serial", view.serial);
    papplClientHTMLPuts(client, "</table>\n");
}

// The status section alone, for the page's script.
bool ShowStatus(pappl_client_t* client, void* data) {
    auto* printer = static_cast<pappl_printer_t*>(data);
    // Read before responding: the response clears the request's header fields.
    const Catalogue& catalogue = ClientCatalogue(client);
    if (!papplClientRespond(client, HTTP_STATUS_OK, nullptr, "text/html", 0, 0))
        return false;
    PutStatus(client, printer, catalogue);
    httpWrite2(papplClientGetHTTP(client), "", 0);
    return true;
}

bool ShowPage(pappl_client_t* client, void* data) {
    auto* printer = static_cast<pappl_printer_t*>(data);
    if (!papplClientHTMLAuthorize(client))
        return true;
    const Catalogue& catalogue = ClientCatalogue(client);
    std::string notice;
    if (papplClientGetMethod(client) == HTTP_STATE_POST)
        notice = HandleForm(client, printer, catalogue);

    papplClientHTMLPrinterHeader(
        client, printer, Translate(catalogue, "TQ-51M Information").c_str(), 0, nullptr, nullptr);
    papplClientHTMLPrintf(client,
                          "<style>.tq51m-state{display:flex;gap:1em;align-items:flex-start}"
                          ".tq51m-state p{margin:0 0 .5em}.tq51m-state img{flex:none}"
                          "meter{width:100%%;max-width:20em}</style>\n"
                          "<div class=\"row\"><div class=\"col-12\" lang=\"%s\">\n",
                          catalogue.language);
    if (!notice.empty()) {
        papplClientHTMLPuts(client, "<div class=\"banner\" id=\"tq51m-notice\">");
        PutText(client, notice);
        papplClientHTMLPuts(client, "</div>\n");
    }
    papplClientHTMLPuts(client, "<div id=\"tq51m-status\">\n");
    PutStatus(client, printer, catalogue);
    papplClientHTMLPrintf(client, "</div>\n<p><a id=\"tq51m-jobs-link\" href=\"%s\">",
                          PrinterPagePath(printer, kJobsPageName).c_str());
    PutText(client, TranslatePage(catalogue, "Jobs"));
    papplClientHTMLPuts(client, "</a></p>\n");

    // The photo options, as the classic driver's dialog labels them.
    papplClientHTMLPuts(client, "<h2 class=\"title\" id=\"tq51m-settings\">");
    PutText(client, TranslatePage(catalogue, "Photo settings"));
    papplClientHTMLPuts(client, "</h2>\n");
    papplClientHTMLStartForm(client, PrinterPagePath(printer, kPageName).c_str(), false);
    papplClientHTMLPuts(client, "<table class=\"form\">\n<tr><th>");
    PutText(client, TranslatePage(catalogue, "Finish"));
    papplClientHTMLPuts(client, ":</th><td><select name=\"media-type\">");
    pappl_pr_driver_data_t driver;
    papplPrinterGetDriverData(printer, &driver);
    for (const MediaType& type : MediaTypes()) {
        papplClientHTMLPrintf(client, "<option value=\"%s\"%s>", type.ipp,
                              strcmp(type.ipp, driver.media_default.type) ? "" : " selected");
        PutText(client, TranslatePage(catalogue, FinishLabel(type.ipp)));
        papplClientHTMLPuts(client, "</option>");
    }
    papplClientHTMLPuts(client, "</select></td></tr>\n");

    ipp_t* attrs = papplPrinterGetDriverAttributes(printer);
    for (const VendorOption& option : VendorOptions()) {
        const std::string name = std::string(option.ipp) + "-default";
        ipp_attribute_t* attr =
            attrs ? ippFindAttribute(attrs, name.c_str(), IPP_TAG_ZERO) : nullptr;
        papplClientHTMLPuts(client, "<tr><th>");
        PutText(client, TranslatePage(catalogue, option.label));
        papplClientHTMLPuts(client, ":</th><td>");
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
    papplClientHTMLPuts(client,
                        "<tr><th></th><td><input type=\"submit\" id=\"tq51m-save\" value=\"");
    PutText(client, TranslatePage(catalogue, "Save photo settings"));
    papplClientHTMLPuts(client, "\"></td></tr>\n</table></form>\n</div></div>\n");
    // The status section follows the printer without a reload; a failed request keeps the
    // last one shown.
    papplClientHTMLPrintf(
        client,
        "<script>setInterval(function(){fetch('%s',{cache:'no-store'}).then(function(r){"
        "return r.ok?r.text():null}).then(function(t){if(t!==null)document.getElementById("
        "'tq51m-status').innerHTML=t}).catch(function(){})},%d);</script>\n",
        PrinterPagePath(printer, kStatusName).c_str(), kPollSeconds * 1000);
    papplClientHTMLPrinterFooter(client);
    return true;
}

// A badge is served by a callback, which PAPPL always answers in full: for a static resource a
// browser revalidates, PAPPL answers "304 Not Modified" with a body, which breaks the
// kept-alive connection it came on.
bool SendBadge(pappl_client_t* client, void* data) {
    const Badge& badge = *static_cast<const Badge*>(data);
    if (!papplClientRespond(client, HTTP_STATUS_OK, nullptr, "image/png", 0, badge.size))
        return false;
    http_t* http = papplClientGetHTTP(client);
    return httpWrite2(http, reinterpret_cast<const char*>(badge.data), badge.size) ==
               ssize_t(badge.size) &&
           httpFlushWrite(http) >= 0;
}

} // namespace

void AddWebResources(pappl_system_t* system) {
    for (const Badge& badge : kBadges)
        papplSystemAddResourceCallback(system,
                                       (std::string("/tq51m/") + badge.name + ".png").c_str(),
                                       "image/png", SendBadge, const_cast<Badge*>(&badge));
}

const Catalogue& ClientCatalogue(pappl_client_t* client) {
    return CatalogueForAcceptLanguage(
        httpGetField(papplClientGetHTTP(client), HTTP_FIELD_ACCEPT_LANGUAGE));
}

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

std::string PrinterPagePath(pappl_printer_t* printer, const char* name) {
    char path[256];
    papplPrinterGetPath(printer, name, path, sizeof(path));
    return path;
}

void AddPrinterPage(pappl_printer_t* printer, void*) {
    const char* driver = papplPrinterGetDriverName(printer);
    if (driver == nullptr || strcmp(driver, kDriverName) != 0)
        return;
    pappl_system_t* system = papplPrinterGetSystem(printer);
    const std::string path = PrinterPagePath(printer, kPageName);
    papplSystemAddResourceCallback(system, path.c_str(), "text/html", ShowPage, printer);
    papplSystemAddResourceCallback(system, PrinterPagePath(printer, kStatusName).c_str(),
                                   "text/html", ShowStatus, printer);
    papplPrinterAddLink(printer, "Status and photo settings", path.c_str(),
                        PAPPL_LOPTIONS_NAVIGATION | PAPPL_LOPTIONS_STATUS);
    AddJobsPage(printer);
}

void RemovePrinterPage(pappl_printer_t* printer, pappl_pr_driver_data_t*) {
    pappl_system_t* system = papplPrinterGetSystem(printer);
    papplSystemRemoveResource(system, PrinterPagePath(printer, kPageName).c_str());
    papplSystemRemoveResource(system, PrinterPagePath(printer, kStatusName).c_str());
    RemoveJobsPage(printer);
}

} // namespace tq51m
