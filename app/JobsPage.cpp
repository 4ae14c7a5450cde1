// SPDX-License-Identifier: Apache-2.0
#include "JobsPage.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "JobThumbnails.h"
#include "WebPage.h"

namespace tq51m {

const char kJobsPageName[] = "tq51m-jobs";

namespace {

const char kSheetName[] = "tq51m-sheet";
// Jobs listed, newest first.
constexpr int kJobsShown = 50;

// What the page shows of a job, copied while PAPPL holds the printer's lock.
struct JobRow {
    int id = 0;
    std::string name;
    std::string user;
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    std::string message;
    time_t time = 0;
    std::string folder; // of its thumbnails
};

const char* StateText(ipp_jstate_t state) {
    switch (state) {
    case IPP_JSTATE_PENDING:
        return "Pending";
    case IPP_JSTATE_HELD:
        return "Held";
    case IPP_JSTATE_PROCESSING:
        return "Printing";
    case IPP_JSTATE_STOPPED:
        return "Stopped";
    case IPP_JSTATE_CANCELED:
        return "Canceled";
    case IPP_JSTATE_ABORTED:
        return "Aborted";
    case IPP_JSTATE_COMPLETED:
        return "Completed";
    }
    return "";
}

void CollectJob(pappl_job_t* job, void* data) {
    JobRow row;
    row.id = papplJobGetID(job);
    const char* name = papplJobGetName(job);
    const char* user = papplJobGetUsername(job);
    const char* message = papplJobGetMessage(job);
    row.name = name ? name : "";
    row.user = user ? user : "";
    row.message = message ? message : "";
    row.state = papplJobGetState(job);
    row.time = papplJobGetTimeCompleted(job);
    if (row.time == 0)
        row.time = papplJobGetTimeCreated(job);
    row.folder = ThumbnailFolder(job);
    static_cast<std::vector<JobRow>*>(data)->push_back(row);
}

void PutRow(pappl_client_t* client, pappl_printer_t* printer, const JobRow& row,
            const Catalogue& catalogue) {
    papplClientHTMLPrintf(client, "<tr id=\"tq51m-job-%d\"><td>%d</td><td class=\"tq51m-name\">",
                          row.id, row.id);
    PutText(client, row.name);
    papplClientHTMLPuts(client, "</td><td>");
    PutText(client, row.user);
    papplClientHTMLPuts(client, "</td><td>");
    PutText(client, TranslatePage(catalogue, StateText(row.state)));
    papplClientHTMLPuts(client, "</td><td>");
    PutText(client, TranslatePage(catalogue, row.message));
    char when[64] = "";
    struct tm local;
    if (row.time > 0 && localtime_r(&row.time, &local))
        strftime(when, sizeof(when), "%Y-%m-%d %H:%M:%S", &local);
    papplClientHTMLPrintf(client, "</td><td>%s</td><td>", when);
    std::string media, finish;
    const int printerId = papplPrinterGetID(printer);
    if (ReadDetails(row.folder, printerId, row.id, media, finish)) {
        PutText(client, TranslatePage(catalogue, media));
        papplClientHTMLPuts(client, "</td><td>");
        PutText(client, TranslatePage(catalogue, FinishLabel(finish.c_str())));
    } else {
        papplClientHTMLPuts(client, "</td><td>");
    }
    papplClientHTMLPuts(client, "</td><td>");
    const std::string sheetPath = PrinterPagePath(printer, kSheetName);
    const int sheets = ThumbnailCount(row.folder, printerId, row.id);
    for (int sheet = 1; sheet <= sheets; ++sheet) {
        papplClientHTMLPrintf(client,
                              "<img class=\"tq51m-thumbnail\" src=\"%s?job=%d&amp;sheet=%d\" "
                              "alt=\"",
                              sheetPath.c_str(), row.id, sheet);
        PutText(client, TranslatePage(catalogue, "Sheet " + std::to_string(sheet)));
        papplClientHTMLPuts(client, "\"> ");
    }
    papplClientHTMLPuts(client, "</td></tr>\n");
}

bool ShowJobs(pappl_client_t* client, void* data) {
    auto* printer = static_cast<pappl_printer_t*>(data);
    if (!papplClientHTMLAuthorize(client))
        return true;
    std::vector<JobRow> rows;
    papplPrinterIterateAllJobs(printer, CollectJob, &rows, 1, kJobsShown);

    const Catalogue& catalogue = ClientCatalogue(client);
    papplClientHTMLPrinterHeader(client, printer, TranslatePage(catalogue, "Jobs").c_str(), 0,
                                 nullptr, nullptr);
    papplClientHTMLPrintf(client,
                          "<style>.tq51m-jobs{overflow-x:auto}.tq51m-jobs td{vertical-align:top}"
                          ".tq51m-thumbnail{max-width:80px;max-height:120px;border:1px solid "
                          "#888;margin:2px}</style>\n<div class=\"row\"><div class=\"col-12 "
                          "tq51m-jobs\" lang=\"%s\">\n<table class=\"list\" id=\"tq51m-jobs\">\n"
                          "<thead><tr>",
                          catalogue.language);
    for (const char* heading :
         {"Job", "Name", "User", "State", "Reason", "Time", "Media", "Finish", "Sheets sent"}) {
        papplClientHTMLPuts(client, "<th>");
        PutText(client, TranslatePage(catalogue, heading));
        papplClientHTMLPuts(client, "</th>");
    }
    papplClientHTMLPuts(client, "</tr></thead><tbody>\n");
    for (const JobRow& row : rows)
        PutRow(client, printer, row, catalogue);
    papplClientHTMLPuts(client, "</tbody></table>\n</div></div>\n");
    papplClientHTMLPrinterFooter(client);
    return true;
}

// One thumbnail, "?job=N&sheet=M".
bool ShowSheet(pappl_client_t* client, void* data) {
    auto* printer = static_cast<pappl_printer_t*>(data);
    // The sheets are the customers' photos: the same login as the jobs page.
    const http_status_t authorized = papplClientIsAuthorized(client);
    if (authorized != HTTP_STATUS_CONTINUE)
        return papplClientRespond(client, authorized, nullptr, nullptr, 0, 0);
    cups_option_t* form = nullptr;
    const int numForm = papplClientGetForm(client, &form);
    const char* jobId = cupsGetOption("job", numForm, form);
    const char* sheet = cupsGetOption("sheet", numForm, form);
    // Only the sheets of a job in the printer's history are served.
    pappl_job_t* job = jobId ? papplPrinterFindJob(printer, atoi(jobId)) : nullptr;
    const std::string path = job && sheet
                                 ? ThumbnailPath(ThumbnailFolder(job), papplPrinterGetID(printer),
                                                 papplJobGetID(job), atoi(sheet))
                                 : std::string();
    cupsFreeOptions(numForm, form);

    const int fd = path.empty() ? -1 : open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat info;
    if (fd < 0 || fstat(fd, &info) != 0) {
        if (fd >= 0)
            close(fd);
        return papplClientRespond(client, HTTP_STATUS_NOT_FOUND, nullptr, nullptr, 0, 0);
    }
    bool ok = papplClientRespond(client, HTTP_STATUS_OK, nullptr, "image/png", info.st_mtime,
                                 size_t(info.st_size));
    char buffer[16384];
    ssize_t n;
    while (ok && (n = read(fd, buffer, sizeof(buffer))) > 0)
        ok = httpWrite2(papplClientGetHTTP(client), buffer, size_t(n)) == n;
    close(fd);
    return ok;
}

} // namespace

void AddJobsPage(pappl_printer_t* printer) {
    pappl_system_t* system = papplPrinterGetSystem(printer);
    const std::string path = PrinterPagePath(printer, kJobsPageName);
    papplSystemAddResourceCallback(system, path.c_str(), "text/html", ShowJobs, printer);
    papplSystemAddResourceCallback(system, PrinterPagePath(printer, kSheetName).c_str(),
                                   "image/png", ShowSheet, printer);
    papplPrinterAddLink(printer, "Jobs and sheets", path.c_str(), PAPPL_LOPTIONS_NAVIGATION);
}

void RemoveJobsPage(pappl_printer_t* printer) {
    pappl_system_t* system = papplPrinterGetSystem(printer);
    papplSystemRemoveResource(system, PrinterPagePath(printer, kJobsPageName).c_str());
    papplSystemRemoveResource(system, PrinterPagePath(printer, kSheetName).c_str());
}

} // namespace tq51m
