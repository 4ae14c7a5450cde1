// SPDX-License-Identifier: Apache-2.0
#include "ServerShutdown.h"

#include <atomic>
#include <csignal>
#include <string>

#include <unistd.h>

#include "StatusUpdates.h"

namespace tq51m {

namespace {

std::atomic<bool> gStopRequested{false};
std::atomic<bool> gStopping{false};
bool gHandlersInstalled = false;

void OnStopSignal(int) {
    gStopRequested = true;
}

void InstallHandlers() {
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    gHandlersInstalled = true;
}

} // namespace

bool WatchForShutdown(pappl_system_t* system, void* stateFile) {
    if (!gHandlersInstalled) {
        InstallHandlers();
        ForEachPrinter(system, [](pappl_printer_t* printer) { papplPrinterResume(printer); });
    }
    if (!gStopRequested)
        return true;
    if (!gStopping) {
        papplLog(system, PAPPL_LOGLEVEL_INFO, "Stopping: queued jobs wait for the next start.");
        ForEachPrinter(system, [](pappl_printer_t* printer) { papplPrinterPause(printer); });
        gStopping = true;
        return true;
    }
    if (AnyPrinterPrinting(system))
        return true;
    papplSystemSaveState(system, static_cast<const std::string*>(stateFile)->c_str());
    papplLog(system, PAPPL_LOGLEVEL_INFO, "Stopped.");
    _exit(0);
}

bool ServerStopping() {
    return gStopping;
}

} // namespace tq51m
