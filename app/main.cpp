// SPDX-License-Identifier: Apache-2.0
// tq51m-printer-app: the TQ-51M as a driverless IPP Everywhere printer. PAPPL's main loop
// with its standard subcommands; the system is set up here so that the state file and the
// spool folder can be chosen with -o state-file=FILE and -o spool-directory=DIR.
//
// Threads and locks (docs/architecture.md has the table):
// - main: PAPPL's main loop; owns the Housekeeping object, joins its thread after a stop
//   (FinishStop) or when the loop ends.
// - PAPPL's client threads (one per connection): IPP and web pages; streamed PWG raster and URF
//   run the driver's raster callbacks here.
// - PAPPL's job threads (one per job): the raster callbacks for JPEG, PNG and the filters; the
//   job's JobState holds its printer's turn and backend from StartJob to EndJob.
// - A backend reader per running backend (BackendProcess), joined when the backend is reaped.
// - housekeeping (Housekeeping): status files, freed memory, the orderly stop.
// Lock order, outermost first: a printer's job turn; its applied status; PAPPL's printer lock,
// then its system lock. A BackendProcess's lock and the housekeeping's tick lock are leaves.
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>

#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <pappl/pappl.h>

#include "BackendConnection.h"
#include "DocumentFilters.h"
#include "Driver.h"
#include "Housekeeping.h"
#include "PrinterCreation.h"
#include "WebPage.h"

#ifndef TQ51M_VERSION
#define TQ51M_VERSION "1.0.0"
#endif

namespace {

const char kAppName[] = "tq51m-printer-app";

pappl_pr_driver_t gDrivers[] = {
    {tq51m::kDriverName, tq51m::kDriverDescription, tq51m::kDeviceId, nullptr},
};

std::string Option(int numOptions, cups_option_t* options, const char* name,
                   const std::string& fallback) {
    const char* value = cupsGetOption(name, numOptions, options);
    return value != nullptr && *value ? value : fallback;
}

std::string UserFolder() {
    const char* home = getenv("HOME");
    return home && *home ? home : "/tmp";
}

// The folder holding a file must exist: the parent of the state file and of the spool.
void MakeParent(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return;
    if (mkdir(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST)
        fprintf(stderr, "%s: cannot create %s: %s\n", kAppName, path.substr(0, slash).c_str(),
                strerror(errno));
}

// Loopback names: a server listening on nothing else may run without TLS.
bool IsLoopback(const std::string& host) {
    return host == "localhost" || host == "::1" || host == "[::1]" ||
           host.compare(0, 4, "127.") == 0;
}

pappl_loglevel_t LogLevel(const std::string& name) {
    if (name == "debug")
        return PAPPL_LOGLEVEL_DEBUG;
    if (name == "info")
        return PAPPL_LOGLEVEL_INFO;
    if (name == "error")
        return PAPPL_LOGLEVEL_ERROR;
    if (name == "fatal")
        return PAPPL_LOGLEVEL_FATAL;
    return PAPPL_LOGLEVEL_WARN;
}

// Started by a one-time timer, once PAPPL's main loop runs (and has set its signal handlers).
bool StartHousekeeping(pappl_system_t*, void* housekeeping) {
    static_cast<tq51m::Housekeeping*>(housekeeping)->Start();
    return false;
}

// Once the housekeeping has stopped in order (printers paused, backends ended, state saved),
// the main thread joins it and ends the process: PAPPL 1.3.1's own shutdown would wait up to a
// minute for the jobs kept queued for the next start.
bool FinishStop(pappl_system_t* system, void* data) {
    auto* housekeeping = static_cast<tq51m::Housekeeping*>(data);
    if (!housekeeping->Stopped())
        return true;
    housekeeping->Join();
    papplLog(system, PAPPL_LOGLEVEL_INFO, "Stopped.");
    _exit(0);
}

bool SaveState(pappl_system_t*, void* housekeeping) {
    return static_cast<tq51m::Housekeeping*>(housekeeping)->SaveState();
}

pappl_system_t* CreateSystem(int numOptions, cups_option_t* options, void* data) {
    auto* housekeeping = static_cast<tq51m::Housekeeping*>(data);
    const bool root = geteuid() == 0;
    const std::string user = UserFolder();
    const std::string stateFile = Option(numOptions, options, "state-file",
                                         root ? "/var/lib/tq51m-printer-app/tq51m-printer-app.state"
                                              : user + "/.config/tq51m-printer-app.state");
    const std::string spool =
        Option(numOptions, options, "spool-directory",
               root ? "/var/spool/tq51m-printer-app" : user + "/.cache/tq51m-printer-app.d");
    const std::string logFile = Option(numOptions, options, "log-file", "-");
    const std::string hostname = Option(numOptions, options, "listen-hostname", "localhost");
    const int port = atoi(Option(numOptions, options, "server-port", "0").c_str());
    const std::string serverOptions = Option(numOptions, options, "server-options", "");
    // PAPPL's web pages let anyone change printers unless a PAM service is named: beyond
    // loopback, the system's own logins ("login") guard them unless another is given.
    const char* authService = cupsGetOption("auth-service", numOptions, options);
    if (authService == nullptr && !IsLoopback(hostname))
        authService = "login";
    const char* adminGroup = cupsGetOption("admin-group", numOptions, options);

    MakeParent(stateFile);
    MakeParent(spool);

    pappl_soptions_t soptions =
        PAPPL_SOPTIONS_MULTI_QUEUE | PAPPL_SOPTIONS_WEB_INTERFACE | PAPPL_SOPTIONS_WEB_LOG;
    // Beyond loopback, TLS stays on: admin passwords and print data cross the network.
    if (serverOptions.find("no-tls") != std::string::npos) {
        if (IsLoopback(hostname))
            soptions |= PAPPL_SOPTIONS_NO_TLS;
        else
            fprintf(stderr, "%s: listening on %s: TLS stays on (no-tls ignored)\n", kAppName,
                    hostname.c_str());
    }

    pappl_system_t* system = papplSystemCreate(
        soptions, "TQ-51M Printer Application", port, "_print,_universal", spool.c_str(),
        logFile.c_str(), LogLevel(Option(numOptions, options, "log-level", "warn")), authService,
        false);
    if (system == nullptr)
        return nullptr;
    tq51m::RegisterDocumentFilters(system);

    // Loopback only unless told otherwise; "localhost" binds IPv4 alone, so IPv6's loopback
    // is added on the same port.
    if (!papplSystemAddListeners(system, hostname.c_str())) {
        papplSystemDelete(system);
        return nullptr;
    }
    if (hostname == "localhost")
        papplSystemAddListeners(system, "[::1]");
    if (adminGroup != nullptr)
        papplSystemSetAdminGroup(system, adminGroup);

    tq51m::AddWebResources(system);
    papplSystemSetPrinterDrivers(system, int(sizeof(gDrivers) / sizeof(gDrivers[0])), gDrivers,
                                 tq51m::AutoAddDriver, tq51m::PrinterCreated, tq51m::DriverCallback,
                                 nullptr);
    papplSystemSetFooterHTML(system, "TQ-51M Printer Application " TQ51M_VERSION);
    pappl_version_t version = {};
    snprintf(version.name, sizeof(version.name), "%s", kAppName);
    snprintf(version.sversion, sizeof(version.sversion), "%s", TQ51M_VERSION);
    sscanf(TQ51M_VERSION, "%hu.%hu.%hu", &version.version[0], &version.version[1],
           &version.version[2]);
    papplSystemSetVersions(system, 1, &version);

    if (!papplSystemLoadState(system, stateFile.c_str())) {
        papplSystemSetDNSSDName(system, "TQ-51M Printer Application");
        papplSystemSetNextPrinterID(system, 1);
    }
    housekeeping->Attach(system, stateFile);
    papplSystemSetSaveCallback(system, SaveState, housekeeping);
    papplSystemAddTimerCallback(system, 0, 1, StartHousekeeping, housekeeping);
    papplSystemAddTimerCallback(system, 0, 1, FinishStop, housekeeping);
    return system;
}

// A job's page buffers (tens of megabytes, each mapped on its own) are first touched page by
// page; with glibc's malloc giving them transparent huge pages a job takes a five-hundredth of
// those page faults and a quarter less CPU. glibc reads its tunables only when a program
// starts, so the program starts itself once more with the tunable added; it keeps its process.
void StartWithHugePages(char* argv[]) {
    const char kTunable[] = "glibc.malloc.hugetlb";
    const char* given = getenv("GLIBC_TUNABLES");
    if (given != nullptr && strstr(given, kTunable) != nullptr)
        return;
    const std::string tunables = given != nullptr ? given : "";
    const std::string value = (tunables.empty() ? "" : tunables + ":") + kTunable + "=1";
    if (setenv("GLIBC_TUNABLES", value.c_str(), 1) != 0)
        return;
    execv("/proc/self/exe", argv);
    // Without /proc the program runs on with small pages.
    if (given != nullptr)
        setenv("GLIBC_TUNABLES", tunables.c_str(), 1);
    else
        unsetenv("GLIBC_TUNABLES");
}

} // namespace

int main(int argc, char* argv[]) {
    StartWithHugePages(argv);
    // A backend that exits early must not take the server down with SIGPIPE.
    signal(SIGPIPE, SIG_IGN);
    // Page and image buffers (megabytes each) are mapped one by one and unmapped when freed,
    // instead of growing the heaps of the job threads.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    // Each malloc arena keeps a heap of its own after a trim; PAPPL's many short-lived client
    // and job threads would otherwise leave one per thread that ever ran at the same time.
    mallopt(M_ARENA_MAX, 2);
    tq51m::RegisterBackendScheme();
    // Outlives the main loop: its thread ends before main returns.
    tq51m::Housekeeping housekeeping;
    return papplMainloop(argc, argv, TQ51M_VERSION, nullptr,
                         int(sizeof(gDrivers) / sizeof(gDrivers[0])), gDrivers,
                         tq51m::AutoAddDriver, tq51m::DriverCallback, nullptr, nullptr,
                         CreateSystem, nullptr, &housekeeping);
}
