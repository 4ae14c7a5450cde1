// SPDX-License-Identifier: Apache-2.0
// The wait for the backend's job information file "<dir>/Print_<jobId>.log", by event: the
// folder is watched with inotify for the file being closed after writing or renamed into
// place, so the file is read as soon as its writer is done with it and never while a writer
// is still filling it in place. The backend's exit ends the wait at once through a process
// descriptor. Only what sends no event is polled, every 100 ms: the stop check (a cancelled
// job, a stopping server), and everything when inotify cannot be had.
#ifndef TQ51M_JOBINFOWAIT_H
#define TQ51M_JOBINFOWAIT_H

#include <chrono>
#include <functional>
#include <string>

#include "Common.h"

namespace tq51m {

class JobInfoWatch {
  public:
    enum class Outcome { Written, BackendExited, Stopped, TimedOut };

    // Starts watching at once: made before the backend starts, no write of the file is missed.
    JobInfoWatch(const std::string& dir, const std::string& jobId);
    ~JobInfoWatch();
    JobInfoWatch(const JobInfoWatch&) = delete;
    JobInfoWatch& operator=(const JobInfoWatch&) = delete;

    // Blocks until the file is written, exitFd (a pidfd, or -1) turns readable, stop() says
    // yes, Interrupt() is called or the limit has passed.
    Outcome Wait(int exitFd, const std::function<bool()>& stop, std::chrono::milliseconds limit);
    // Ends a Wait running on another thread at once (and every later one).
    void Interrupt();

    const std::string& path() const { return m_path; }
    // False when inotify could not be had: Wait then polls for a file of unchanged size.
    bool byEvent() const { return m_inotify >= 0; }

  private:
    bool FileEvent();
    Outcome Poll(int exitFd, const std::function<bool()>& stop, std::chrono::milliseconds limit);

    std::string m_path;
    std::string m_name;
    int m_inotify = -1;
    int m_wake = -1;
};

// What the file at path says, with the filter's rules for its lines. It is read as the status
// file is (ReadStatusFile): a link, anything but a regular file, a file larger than 1 MiB or
// one that cannot be read counts as absent.
JobInfo ReadJobInfoFile(const std::string& path);

} // namespace tq51m

#endif
