// SPDX-License-Identifier: Apache-2.0
#include "Housekeeping.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <malloc.h>

#include "JobOrder.h"
#include "PrinterState.h"
#include "StatusUpdates.h"

namespace tq51m {

namespace {

// Set by the signal handler, which can do no more than that.
volatile sig_atomic_t gStopSignal = 0;

void OnStopSignal(int) {
    gStopSignal = 1;
}

void InstallStopHandlers() {
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

constexpr unsigned kTicksPerSecond = 10;

} // namespace

Housekeeping::~Housekeeping() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    Join();
}

void Housekeeping::Join() {
    if (m_thread.joinable())
        m_thread.join();
}

void Housekeeping::Attach(pappl_system_t* system, const std::string& stateFile) {
    m_system = system;
    m_stateFile = stateFile;
    LoadCounters();
}

void Housekeeping::LoadCounters() {
    std::ifstream file(m_stateFile + ".counters");
    std::ostringstream text;
    text << file.rdbuf();
    std::istringstream lines(text.str());
    int id = 0;
    long long atReset = -1;
    while (lines >> id >> atReset) {
        pappl_printer_t* printer = papplSystemFindPrinter(m_system, nullptr, id, nullptr);
        if (PrinterState* state = PrinterState::Of(printer))
            state->WithStatus(
                [atReset](AppliedStatus& applied) { applied.printsAtReset = atReset; });
    }
    std::lock_guard<std::mutex> lock(m_countersMutex);
    m_savedCounters = text.str();
}

bool Housekeeping::SaveCounters() {
    std::string text;
    ForEachPrinter(m_system, [&text](pappl_printer_t* printer) {
        PrinterState* state = PrinterState::Of(printer);
        const long long atReset =
            state ? state->WithStatus([](AppliedStatus& applied) { return applied.printsAtReset; })
                  : -1;
        if (atReset >= 0)
            text +=
                std::to_string(papplPrinterGetID(printer)) + " " + std::to_string(atReset) + "\n";
    });
    std::lock_guard<std::mutex> lock(m_countersMutex);
    if (text == m_savedCounters)
        return true;
    // Written whole under another name and renamed, so that a stop never leaves half a file.
    const std::string path = m_stateFile + ".counters";
    const std::string temporary = path + ".new";
    FILE* file = fopen(temporary.c_str(), "we");
    if (file == nullptr)
        return false;
    const bool written = fputs(text.c_str(), file) >= 0;
    if (fclose(file) != 0 || !written || rename(temporary.c_str(), path.c_str()) != 0) {
        remove(temporary.c_str());
        return false;
    }
    m_savedCounters = text;
    return true;
}

void Housekeeping::Start() {
    if (!m_thread.joinable())
        m_thread = std::thread(&Housekeeping::Run, this);
}

bool Housekeeping::SaveState() {
    const bool saved = papplSystemSaveState(m_system, m_stateFile.c_str());
    return SaveCounters() && saved;
}

bool Housekeeping::AnyJobRunning() {
    // A paused printer no longer reports "processing": its job's turn tells.
    bool running = AnyPrinterPrinting(m_system);
    ForEachPrinter(m_system, [&running](pappl_printer_t* printer) {
        PrinterState* state = PrinterState::Of(printer);
        running = running || (state != nullptr && state->Busy());
    });
    return running;
}

bool Housekeeping::Tick() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(1000 / kTicksPerSecond),
                    [this] { return m_quit; });
    return !m_quit;
}

// The periodic work, in ticks of 0.1 s: the stop request every tick, the status files every
// kStatusInterval seconds, freed memory every 5 seconds. PAPPL runs its timer callbacks holding
// the system's lock, while a Print-Job of PWG raster holds a printer's lock and then asks for
// the system's: printer changes made from a timer callback deadlock the server, so they run here.
void Housekeeping::Run() {
    InstallStopHandlers();
    // PAPPL loads the jobs kept queued by the last stop but starts none until a printer changes.
    ForEachPrinter(m_system, [](pappl_printer_t* printer) {
        KeepJobsInOrder(printer);
        papplPrinterResume(printer);
    });

    bool stopping = false;
    for (unsigned tick = 0; Tick(); ++tick) {
        if (gStopSignal && !stopping) {
            papplLog(m_system, PAPPL_LOGLEVEL_INFO,
                     "Stopping: queued jobs wait for the next start.");
            ForEachPrinter(m_system, [](pappl_printer_t* printer) {
                if (PrinterState* state = PrinterState::Of(printer))
                    state->Stop();
                papplPrinterPause(printer);
            });
            stopping = true;
        }
        if (stopping) {
            if (AnyJobRunning())
                continue;
            ForEachPrinter(m_system, ReleaseHeldJobs);
            SaveState();
            m_stopped = true;
            return;
        }
        // A shutdown asked for over IPP: the main loop ends and deletes the printers.
        if (papplSystemIsShutdown(m_system))
            return;
        if (tick % (kStatusInterval * kTicksPerSecond) == 0) {
            RefreshAllPrinters(m_system);
            SaveCounters();
        }
        // Memory freed by the jobs goes back to the system once no printer prints: jobs run in
        // threads of their own, whose malloc arenas keep freed memory otherwise.
        if (tick % (5 * kTicksPerSecond) == 0 && !AnyPrinterPrinting(m_system))
            malloc_trim(0);
    }
}

} // namespace tq51m
