// SPDX-License-Identifier: Apache-2.0
// A SIGTERM or SIGINT to the server: PAPPL 1.3.1 prints every queued job, or waits a minute,
// before it exits. The application pauses its printers at once, so that queued jobs stay queued
// for the next start, and ends the running job's backend, so that the server stops within
// seconds.
#ifndef TQ51M_APP_SERVERSHUTDOWN_H
#define TQ51M_APP_SERVERSHUTDOWN_H

#include <pappl/pappl.h>

namespace tq51m {

// Seconds between two looks at the stop request.
constexpr int kShutdownCheckInterval = 1;

// The timer callback, its data the state file's path (a std::string): installs the signal
// handlers (after PAPPL's own, which it chains to) on its first run and starts the jobs kept
// queued by the last stop (PAPPL loads them but starts none until a printer changes). Once a stop
// is requested it pauses every printer and lets the running jobs end their backends; when no
// printer is printing any more it saves the state and ends the process, where PAPPL would wait
// another minute for the queued jobs.
bool WatchForShutdown(pappl_system_t* system, void* stateFile);

// True once the printers are paused for a stop: a running job ends its backend now.
bool ServerStopping();

} // namespace tq51m

#endif
