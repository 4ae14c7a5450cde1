// SPDX-License-Identifier: Apache-2.0
// tq51m-printer-app: the TQ-51M as a driverless IPP Everywhere printer. PAPPL's main loop
// with its standard subcommands; the system is set up here so that the state file and the
// spool folder can be chosen with -o state-file=FILE and -o spool-directory=DIR.
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <pappl/pappl.h>

#include "BackendConnection.h"
#include "DocumentFilters.h"
#include "Driver.h"
#include "PrinterCreation.h"
#include "ServerShutdown.h"
#include "StatusUpdates.h"

#ifndef TQ51M_VERSION
#define TQ51M_VERSION "1.0.0"
#endif

namespace {

const char kAppName[] = "tq51m-printer-app";

std::string gStateFile;

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

// Memory freed by the jobs goes back to the system once no printer prints: jobs run in
// threads of their own, whose malloc arenas keep freed memory otherwise.
bool ReturnFreedMemory(pappl_system_t* system, void*) {
    if (!tq51m::AnyPrinterPrinting(system))
        malloc_trim(0);
    return true;
}

// The periodic work, in ticks of 0.1 s: the stop request every tick, the status files every
// kStatusInterval seconds, freed memory every 5 seconds. PAPPL runs its timer callbacks holding
// the system's lock, while a Print-Job of PWG raster holds a printer's lock and then asks for
// the system's: printer changes made from a timer callback deadlock the server, so they run here.
void Housekeeping(pappl_system_t* system) {
    constexpr unsigned kTicksPerSecond = 10;
    for (unsigned tick = 0;; ++tick) {
        tq51m::WatchForShutdown(system, &gStateFile);
        if (!tq51m::ServerStopping()) {
            if (tick % (tq51m::kStatusInterval * kTicksPerSecond) == 0)
                tq51m::RefreshAllPrinters(system, nullptr);
            if (tick % (5 * kTicksPerSecond) == 0)
                ReturnFreedMemory(system, nullptr);
        }
        usleep(1000000 / kTicksPerSecond);
    }
}

// Started by a one-time timer, once PAPPL's main loop runs (and has set its signal handlers).
bool StartHousekeeping(pappl_system_t* system, void*) {
    std::thread(Housekeeping, system).detach();
    return false;
}

bool SaveState(pappl_system_t* system, void*) {
    return papplSystemSaveState(system, gStateFile.c_str());
}

pappl_system_t* CreateSystem(int numOptions, cups_option_t* options, void*) {
    const bool root = geteuid() == 0;
    const std::string user = UserFolder();
    gStateFile = Option(numOptions, options, "state-file",
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

    MakeParent(gStateFile);
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

    if (!papplSystemLoadState(system, gStateFile.c_str())) {
        papplSystemSetDNSSDName(system, "TQ-51M Printer Application");
        papplSystemSetNextPrinterID(system, 1);
    }
    papplSystemSetSaveCallback(system, SaveState, nullptr);
    papplSystemAddTimerCallback(system, 0, 1, StartHousekeeping, nullptr);
    return system;
}

} // namespace

int main(int argc, char* argv[]) {
    // A backend that exits early must not take the server down with SIGPIPE.
    signal(SIGPIPE, SIG_IGN);
    // Page and image buffers (megabytes each) are mapped one by one and unmapped when freed,
    // instead of growing the heaps of the job threads.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    // Each malloc arena keeps a heap of its own after a trim; PAPPL's many short-lived client
    // and job threads would otherwise leave one per thread that ever ran at the same time.
    mallopt(M_ARENA_MAX, 2);
    tq51m::RegisterBackendScheme();
    return papplMainloop(argc, argv, TQ51M_VERSION, nullptr,
                         int(sizeof(gDrivers) / sizeof(gDrivers[0])), gDrivers,
                         tq51m::AutoAddDriver, tq51m::DriverCallback, nullptr, nullptr,
                         CreateSystem, nullptr, nullptr);
}
