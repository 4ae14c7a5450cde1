// SPDX-License-Identifier: Apache-2.0
// A SIGTERM or SIGINT to the server: PAPPL 1.3.1 prints every queued job, or waits a minute,
// before it exits. The application takes these signals over: it pauses its printers at once,
// so that queued jobs stay queued for the next start, ends the running job's backend, saves the
// state and exits, within seconds.
#ifndef TQ51M_APP_SERVERSHUTDOWN_H
#define TQ51M_APP_SERVERSHUTDOWN_H

#include <pappl/pappl.h>

namespace tq51m {

// Called a few times a second with the state file's path (a std::string):
// installs the signal handlers (in place of PAPPL's) on its first run and starts the jobs kept
// queued by the last stop (PAPPL loads them but starts none until a printer changes). Once a stop
// is requested it pauses every printer and lets the running jobs end their backends; when no
// printer is printing any more it saves the state and ends the process, where PAPPL would wait
// another minute for the queued jobs.
bool WatchForShutdown(pappl_system_t* system, void* stateFile);

// True once the printers are paused for a stop: a running job ends its backend now.
bool ServerStopping();

} // namespace tq51m

#endif
