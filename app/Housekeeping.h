// SPDX-License-Identifier: Apache-2.0
// The application's own thread beside PAPPL's: it reads the status files, returns freed
// memory and stops the application in order.
//
// A SIGTERM or SIGINT to the server: PAPPL 1.3.1 prints every queued job, or waits a minute,
// before it exits. The housekeeping takes these signals over: it pauses the printers at once,
// so that queued jobs stay queued for the next start, has the running job end its backend,
// and saves the state. PAPPL's own shutdown would still wait up to a minute for the queued
// jobs, so the main thread then ends the process (Stopped, Join).
//
// The print counter's reset point of each printer is kept beside the state file (its name
// with ".counters"), one line "PRINTER-ID TOTAL-AT-RESET" per printer: PAPPL 1.3.1 saves no
// value of the driver's own with a printer unless it is also a job option.
#ifndef TQ51M_APP_HOUSEKEEPING_H
#define TQ51M_APP_HOUSEKEEPING_H

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include <pappl/pappl.h>

namespace tq51m {

class Housekeeping {
  public:
    Housekeeping() = default;
    // Ends the thread and waits for it.
    ~Housekeeping();
    Housekeeping(const Housekeeping&) = delete;
    Housekeeping& operator=(const Housekeeping&) = delete;

    // The system to look after and its state file, once PAPPL has loaded it (the printers'
    // counters are read then); before the main loop runs.
    void Attach(pappl_system_t* system, const std::string& stateFile);
    // Starts the thread; once PAPPL's main loop runs, since the loop sets signal handlers of
    // its own when it starts.
    void Start();
    // Saves the system's state to the state file, and the counters.
    bool SaveState();
    // True once a stop has run to its end: no job runs and the state is saved.
    bool Stopped() const { return m_stopped; }
    // Waits for the thread to end.
    void Join();

  private:
    void Run();
    // Waits a tenth of a second; false once the object is being destroyed.
    bool Tick();
    bool AnyJobRunning();
    void LoadCounters();
    // Writes the counters file when a counter's reset point differs from the file's.
    bool SaveCounters();

    pappl_system_t* m_system = nullptr;
    std::string m_stateFile;
    std::mutex m_countersMutex;
    std::string m_savedCounters; // the counters file's text as last read or written
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_quit = false;
    std::atomic<bool> m_stopped{false};
};

} // namespace tq51m

#endif
