// SPDX-License-Identifier: Apache-2.0
#include "JobInfoWait.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include "StatusFile.h"

namespace tq51m {

namespace {

// How often what sends no event is looked at.
constexpr std::chrono::milliseconds kPollInterval(100);

bool Readable(const pollfd& entry) {
    return (entry.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

} // namespace

JobInfoWatch::JobInfoWatch(const std::string& dir, const std::string& jobId)
    : m_path(dir + "/Print_" + jobId + ".log"), m_name("Print_" + jobId + ".log") {
    m_wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    m_inotify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (m_inotify >= 0 &&
        inotify_add_watch(m_inotify, dir.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO | IN_ONLYDIR) < 0) {
        close(m_inotify);
        m_inotify = -1;
    }
}

JobInfoWatch::~JobInfoWatch() {
    if (m_inotify >= 0)
        close(m_inotify);
    if (m_wake >= 0)
        close(m_wake);
}

void JobInfoWatch::Interrupt() {
    if (m_wake >= 0) {
        const uint64_t one = 1;
        if (write(m_wake, &one, sizeof(one)) < 0) {
            // The counter is far from full; nothing else can fail here.
        }
    }
}

// Drains the queued events; true when one says that the file was closed after writing or
// moved into place. A lost event (queue overflow) counts when the file is there.
bool JobInfoWatch::FileEvent() {
    alignas(inotify_event) char buffer[8192];
    bool seen = false;
    for (;;) {
        const ssize_t n = read(m_inotify, buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        for (ssize_t offset = 0; offset < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            if ((event->mask & IN_Q_OVERFLOW) != 0) {
                struct stat info;
                seen = seen || lstat(m_path.c_str(), &info) == 0;
            } else if (event->len > 0 && m_name == event->name) {
                seen = true;
            }
            offset += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    return seen;
}

JobInfoWatch::Outcome JobInfoWatch::Wait(int exitFd, const std::function<bool()>& stop,
                                         std::chrono::milliseconds limit) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + limit;
    // Without inotify: the file counts as written once two looks a poll apart find it with
    // the same size and time.
    bool seenBefore = false;
    struct stat before = {};
    for (;;) {
        if (stop && stop())
            return Outcome::Stopped;
        const Clock::time_point now = Clock::now();
        if (now >= deadline)
            return Outcome::TimedOut;
        auto timeout = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        if (stop || !byEvent())
            timeout = std::min(timeout, kPollInterval);

        pollfd fds[3] = {{m_wake, POLLIN, 0}, {m_inotify, POLLIN, 0}, {exitFd, POLLIN, 0}};
        const int ready = poll(fds, 3, int(timeout.count()) + 1);
        if (ready < 0 && errno != EINTR)
            return Outcome::Stopped;
        if (Readable(fds[0]))
            return Outcome::Stopped;
        if (byEvent() && Readable(fds[1]) && FileEvent())
            return Outcome::Written;
        if (!byEvent()) {
            struct stat info;
            const bool seen = lstat(m_path.c_str(), &info) == 0;
            if (seen && seenBefore && info.st_size == before.st_size &&
                info.st_mtim.tv_sec == before.st_mtim.tv_sec &&
                info.st_mtim.tv_nsec == before.st_mtim.tv_nsec)
                return Outcome::Written;
            seenBefore = seen;
            before = info;
        }
        if (exitFd >= 0 && Readable(fds[2])) {
            // A file written just before the exit has its event queued already.
            if (byEvent() && FileEvent())
                return Outcome::Written;
            return Outcome::BackendExited;
        }
    }
}

JobInfo ReadJobInfoFile(const std::string& path) {
    std::string text;
    if (!ReadStatusFile(path, StatusLinks::Refuse, text))
        return JobInfo();
    return ParseJobInfo(text);
}

} // namespace tq51m
