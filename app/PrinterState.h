// SPDX-License-Identifier: Apache-2.0
// Everything the application keeps for one TQ-51M printer: the turn of its jobs, the backend
// of the job that has the turn, what was last applied from the status file, the problem of its
// last job, and whether the application is stopping.
//
// PAPPL 1.3.1 gives a driver one pointer of its own per printer: the driver data's
// "extension", which PAPPL copies with the rest of the driver data and never reads. The driver
// callback creates the state there when PAPPL creates the printer (also when it loads the
// printer from the state file), and the printer's delete callback destroys it. The job and
// printer data pointers are taken by the jobs and the web page, and a map keyed by printer
// would outlive the printers: the extension is the one place owned by exactly the printer.
#ifndef TQ51M_APP_PRINTERSTATE_H
#define TQ51M_APP_PRINTERSTATE_H

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include <pappl/pappl.h>

#include "BackendConnection.h"
#include "PrinterStatus.h"

namespace tq51m {

// What was last applied to the printer from the status file and the backend's messages.
struct AppliedStatus {
    PrinterStatus status = OfflineStatus();
    int supplyLevel = -2; // nothing set yet
    std::string readyMedia;
    std::string jobProblem;
    bool problemReason = false;   // "other" for the failed job, until the printer's state changes
    int problemStateCode = -1;    // the printer's state when the job failed; -1 not read yet
    bool pausedForFault = false;  // paused by the application while the printer cannot print
    long long printsAtReset = -1; // the total count when the counter was reset; -1 not yet
    // The job whose impressions PAPPL adds to the printer's count as it ends the job; 0 none.
    int impressionsToCome = 0;
};

class PrinterState {
  public:
    PrinterState() = default;
    PrinterState(const PrinterState&) = delete;
    PrinterState& operator=(const PrinterState&) = delete;

    // The state of a printer of this application's driver, null for a printer without one.
    static PrinterState* Of(pappl_printer_t* printer);

    // One job of a printer at a time (PAPPL 1.3.1 may start two jobs of a printer in the same
    // instant). Waits for the turn; false, without it, once giveUp() turns true.
    bool TakeTurn(const std::function<bool()>& giveUp);
    void GiveTurn();
    // True while a job has the turn.
    bool Busy();

    // Jobs held by the application to keep the queue in order (JobOrder).
    bool HeldForOrder(int jobId);
    void SetHeldForOrder(int jobId, bool held);
    std::set<int> TakeHeldForOrder();

    // The backend of the job that has the turn: a new one for each job, ended with the turn.
    BackendProcess& NewBackend();
    void EndBackend();

    // Set once when the application stops: the running job ends its backend.
    void Stop();
    bool Stopping() const { return m_stopping; }

    // Runs fn on the applied status under its lock.
    template <typename Fn> auto WithStatus(Fn fn) {
        std::lock_guard<std::mutex> lock(m_statusMutex);
        return fn(m_applied);
    }
    // Wakes the jobs waiting for the printer: a new status was applied.
    void StatusApplied();
    // Waits at least `seconds`, then until the status last applied lets the printer print;
    // false once giveUp() turns true.
    bool WaitUntilPrintable(int seconds, const std::function<bool()>& giveUp);

  private:
    std::mutex m_turnMutex;
    std::condition_variable m_turnFree;
    bool m_busy = false;
    std::unique_ptr<BackendProcess> m_backend;
    std::set<int> m_heldForOrder; // guarded by m_turnMutex
    std::atomic<bool> m_stopping{false};

    std::mutex m_statusMutex;
    std::condition_variable m_statusChanged;
    AppliedStatus m_applied;
};

} // namespace tq51m

#endif
