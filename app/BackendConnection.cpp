// SPDX-License-Identifier: Apache-2.0
#include "BackendConnection.h"
#include <DeviceSerial.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef TQ51M_CUPS_SERVERBIN
#define TQ51M_CUPS_SERVERBIN "/usr/lib/cups"
#endif

extern char** environ;

namespace tq51m {

const char kBackendScheme[] = "velmora-zelbackend";
// It becomes the printer's printer-device-id: its CMD lists the document formats the
// application prints, not the printer's own command stream, which it does not take.
const char kDeviceId[] =
    "MFG:Velmora;MDL:TQ-51M;CMD:PWGRaster,URF,PDF,JPEG,PNG;CLS:PRINTER;DES:Velmora TQ-51M;";

namespace {

const char kBackendName[] = "velmora-zelbackend";
// The backend's standard input pipe: 1 MiB, Linux's default upper bound for a user.
constexpr int kPipeBytes = 1 << 20;

// cupsd's environment for a backend, reduced to what a backend can rely on, plus the
// variables named in TQ51M_BACKEND_PASSENV (as cupsd's SetEnv would add them).
std::vector<std::string> BackendEnvironment(const BackendJob& job) {
    std::vector<std::string> env = {
        "PATH=" TQ51M_CUPS_SERVERBIN "/filter:/usr/bin:/usr/sbin:/bin:/sbin",
        "SOFTWARE=CUPS/2.4",
        "CUPS_SERVERBIN=" TQ51M_CUPS_SERVERBIN,
        "CUPS_DATADIR=/usr/share/cups",
        "CUPS_SERVERROOT=/etc/cups",
        "CHARSET=utf-8",
        "LANG=C",
        "TMPDIR=/tmp",
        "HOME=/tmp",
        "CONTENT_TYPE=application/vnd.velmora-tq51m",
        "FINAL_CONTENT_TYPE=application/vnd.velmora-tq51m",
        "DEVICE_URI=" + job.deviceUri,
        "PRINTER=" + job.printerName,
    };
    if (const char* tz = getenv("TZ"))
        env.push_back(std::string("TZ=") + tz);
    if (const char* names = getenv("TQ51M_BACKEND_PASSENV")) {
        std::string list = names;
        size_t start = 0;
        while (start < list.size()) {
            size_t end = list.find_first_of(" ,:", start);
            if (end == std::string::npos)
                end = list.size();
            const std::string name = list.substr(start, end - start);
            if (!name.empty() && name.find('=') == std::string::npos)
                if (const char* value = getenv(name.c_str()))
                    env.push_back(name + "=" + value);
            start = end + 1;
        }
    }
    return env;
}

// Starts program as cupsd starts a backend: descriptors 0 to 2 from in, out and err (-1 for
// /dev/null) and nothing else open; default SIGPIPE, SIGTERM and SIGINT handling and an empty
// signal mask, since the server ignores SIGPIPE and its threads block signals. Returns
// posix_spawn's result.
int SpawnBackend(const std::string& program, char* const argv[], char* const envp[], int in,
                 int out, int err, bool ownProcessGroup, pid_t& pid) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const int from[3] = {in, out, err};
    for (int fd = 0; fd < 3; ++fd) {
        if (from[fd] < 0)
            posix_spawn_file_actions_addopen(&actions, fd, "/dev/null",
                                             fd == 0 ? O_RDONLY : O_WRONLY, 0);
        else
            posix_spawn_file_actions_adddup2(&actions, from[fd], fd);
    }
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t defaults, empty;
    sigemptyset(&empty);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGTERM);
    sigaddset(&defaults, SIGINT);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setsigmask(&attr, &empty);
    short flags = POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK;
    if (ownProcessGroup) {
        posix_spawnattr_setpgroup(&attr, 0);
        flags |= POSIX_SPAWN_SETPGROUP;
    }
    posix_spawnattr_setflags(&attr, flags);
    const int rc = posix_spawn(&pid, program.c_str(), &actions, &attr, argv, envp);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    return rc;
}

// Writes to a non-blocking descriptor, waiting for room with poll.
bool WriteAll(int fd, const void* data, size_t length, const std::function<bool()>& stop) {
    const char* bytes = static_cast<const char*>(data);
    while (length > 0) {
        const ssize_t n = write(fd, bytes, length);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN)
                return false;
            if (stop && stop())
                return false;
            pollfd room = {fd, POLLOUT, 0};
            poll(&room, 1, stop ? 100 : -1);
            continue;
        }
        bytes += n;
        length -= size_t(n);
    }
    return true;
}

// Device callbacks. PAPPL opens the device before a job starts and may keep it open; the
// backend itself runs per job (see the driver), so opening only records the URI.
bool DeviceOpen(pappl_device_t* device, const char* uri, const char*) {
    auto* connection = new BackendConnection;
    connection->uri = uri;
    papplDeviceSetData(device, connection);
    return true;
}

void DeviceClose(pappl_device_t* device) {
    delete static_cast<BackendConnection*>(papplDeviceGetData(device));
    papplDeviceSetData(device, nullptr);
}

ssize_t DeviceRead(pappl_device_t*, void*, size_t) {
    return 0; // no back channel
}

// Jobs write to their own backend, never to the device: nothing written here reaches the
// printer.
ssize_t DeviceWrite(pappl_device_t* device, const void*, size_t) {
    papplDeviceError(device, "Jobs are sent to the printer through their own backend.");
    return -1;
}

pappl_preason_t DeviceStatus(pappl_device_t*) {
    return PAPPL_PREASON_NONE; // the status file is read by a timer instead
}

// The model's device ID with the serial of the device URI, as the backend reports it when it
// lists its printers: programs on this machine find the printer's status file through it.
char* DeviceId(pappl_device_t* device, char* buffer, size_t size) {
    const auto* connection = static_cast<const BackendConnection*>(papplDeviceGetData(device));
    const std::string serial =
        connection != nullptr ? PlainSerialOf(connection->uri) : std::string();
    if (serial.empty())
        snprintf(buffer, size, "%s", kDeviceId);
    else
        snprintf(buffer, size, "%sSN:%s;", kDeviceId, serial.c_str());
    return buffer;
}

// One discovery line: "direct URI "make and model" "info" "device id" "location"".
bool ParseDiscoveryLine(const std::string& line, std::string& uri, std::string& info,
                        std::string& deviceId) {
    std::vector<std::string> fields;
    size_t i = 0;
    while (i < line.size() && fields.size() < 6) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        if (i >= line.size())
            break;
        std::string field;
        if (line[i] == '"') {
            const size_t end = line.find('"', i + 1);
            if (end == std::string::npos)
                return false;
            field = line.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            const size_t end = line.find(' ', i);
            field = line.substr(i, end == std::string::npos ? std::string::npos : end - i);
            i = end == std::string::npos ? line.size() : end;
        }
        fields.push_back(field);
    }
    if (fields.size() < 5 || fields[1].compare(0, sizeof(kBackendScheme) - 1 + 3,
                                               std::string(kBackendScheme) + "://") != 0)
        return false;
    uri = fields[1];
    info = fields[3].empty() ? fields[2] : fields[3];
    deviceId = fields[4];
    return true;
}

// Discovery as cupsd does it: the backend without arguments lists its printers on stdout.
bool DeviceList(pappl_device_cb_t cb, void* data, pappl_deverror_cb_t errCb, void* errData) {
    const std::string program = BackendProgram();
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return false;
    BackendJob job;
    job.deviceUri = "";
    std::vector<std::string> env = BackendEnvironment(job);
    std::vector<char*> envp;
    for (std::string& entry : env)
        if (entry.compare(0, 11, "DEVICE_URI=") != 0 && entry.compare(0, 8, "PRINTER=") != 0)
            envp.push_back(&entry[0]);
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(kBackendName), nullptr};

    pid_t pid = -1;
    const int rc = SpawnBackend(program, argv, envp.data(), -1, out[1], -1, false, pid);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        if (errCb)
            errCb(("Unable to run " + program + ": " + strerror(rc)).c_str(), errData);
        return false;
    }

    std::string text;
    char buffer[4096];
    ssize_t n;
    while (text.size() < 65536 && (n = read(out[0], buffer, sizeof(buffer))) != 0) {
        if (n < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        text.append(buffer, size_t(n));
    }
    close(out[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }

    bool stop = false;
    size_t start = 0;
    while (!stop && start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string uri, info, deviceId;
        if (ParseDiscoveryLine(text.substr(start, end - start), uri, info, deviceId))
            stop = cb(info.c_str(), uri.c_str(), deviceId.c_str(), data);
        start = end + 1;
    }
    return stop;
}

} // namespace

void RegisterBackendScheme() {
    papplDeviceAddScheme(kBackendScheme, PAPPL_DEVTYPE_CUSTOM_LOCAL, DeviceList, DeviceOpen,
                         DeviceClose, DeviceRead, DeviceWrite, DeviceStatus, DeviceId);
}

std::string BackendProgram() {
    if (const char* dir = getenv("TQ51M_BACKEND_DIR"))
        if (*dir)
            return std::string(dir) + "/" + kBackendName;
    return std::string(TQ51M_CUPS_SERVERBIN "/backend/") + kBackendName;
}

BackendProcess::~BackendProcess() {
    CloseInput();
    if (m_pid > 0 && !HasExited()) {
        Terminate();
        Wait([] { return true; });
    }
    if (m_reader.joinable())
        m_reader.join();
    if (m_exitFd >= 0)
        close(m_exitFd);
}

bool BackendProcess::Start(const std::string& program, const BackendJob& job, LineHandler onLine,
                           std::string& error) {
    int input[2], errors[2];
    if (pipe2(input, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + strerror(errno);
        return false;
    }
    if (pipe2(errors, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + strerror(errno);
        close(input[0]);
        close(input[1]);
        return false;
    }

    std::vector<std::string> env = BackendEnvironment(job);
    std::vector<char*> envp;
    for (std::string& entry : env)
        envp.push_back(&entry[0]);
    envp.push_back(nullptr);
    // As cupsd: argv[0] is the device URI, then job id, user, title, copies, options.
    std::string args[] = {job.deviceUri, job.jobId, job.user, job.title, "1", job.options};
    char* argv[] = {&args[0][0], &args[1][0], &args[2][0], &args[3][0],
                    &args[4][0], &args[5][0], nullptr};

    const int rc = SpawnBackend(program, argv, envp.data(), input[0], -1, errors[1], true, m_pid);
    close(input[0]);
    close(errors[1]);
    if (rc != 0) {
        m_pid = -1;
        close(input[1]);
        close(errors[0]);
        error = "Unable to run " + program + ": " + strerror(rc);
        return false;
    }
    m_input = input[1];
    // Writes wait with poll, so that a job can give up on a backend that stopped reading.
    fcntl(m_input, F_SETFL, fcntl(m_input, F_GETFL) | O_NONBLOCK);
    // A sheet's plane is megabytes: a pipe of 1 MiB instead of 64 KiB wakes the writer and the
    // backend a sixteenth as often. Where the system allows less, the pipe stays as it is.
    fcntl(m_input, F_SETPIPE_SZ, kPipeBytes);
    // The child is not reaped before this, so the pid is still the backend's.
    m_exitFd = int(syscall(SYS_pidfd_open, m_pid, 0));
    m_reader = std::thread(&BackendProcess::ReadErrors, this, errors[0], std::move(onLine));
    return true;
}

void BackendProcess::ReadErrors(int fd, LineHandler onLine) {
    std::string pending;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        pending.append(buffer, size_t(n));
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            if (onLine)
                onLine(pending.substr(0, end));
            pending.erase(0, end + 1);
        }
        // A backend that never ends its line is cut into pieces rather than buffered forever.
        if (pending.size() > 8192) {
            if (onLine)
                onLine(pending);
            pending.clear();
        }
    }
    if (!pending.empty() && onLine)
        onLine(pending);
    close(fd);
}

bool BackendProcess::Write(const void* data, size_t length, const std::function<bool()>& stop) {
    if (m_input < 0)
        return false;
    if (WriteAll(m_input, data, length, stop))
        return true;
    if (stop && stop())
        Terminate();
    return false;
}

void BackendProcess::CloseInput() {
    if (m_input >= 0) {
        close(m_input);
        m_input = -1;
    }
}

bool BackendProcess::HasExited() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_pid <= 0 || m_exited)
        return true;
    int status = 0;
    const pid_t done = waitpid(m_pid, &status, WNOHANG);
    if (done == m_pid || (done < 0 && errno == ECHILD)) {
        m_exited = true;
        m_status = done == m_pid ? status : 0;
    }
    return m_exited;
}

void BackendProcess::Terminate() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_pid > 0 && !m_exited && !m_terminated) {
        kill(m_pid, SIGTERM);
        m_terminated = true;
    }
}

int BackendProcess::Wait(const std::function<bool()>& canceled) {
    using Clock = std::chrono::steady_clock;
    Clock::time_point terminatedAt;
    bool killed = false;
    while (!HasExited()) {
        if (canceled && canceled() && !m_terminated)
            Terminate();
        if (m_terminated && terminatedAt == Clock::time_point())
            terminatedAt = Clock::now();
        if (m_terminated && !killed && Clock::now() - terminatedAt > std::chrono::seconds(5)) {
            kill(m_pid, SIGKILL);
            killed = true;
        }
        // The exit wakes the wait at once; the cancel check has no event and is looked at
        // every 100 ms (every 20 ms without a pidfd, when the exit is polled too).
        pollfd exit = {m_exitFd, POLLIN, 0};
        poll(&exit, m_exitFd >= 0 ? 1 : 0, m_exitFd >= 0 ? 100 : 20);
    }
    if (m_reader.joinable())
        m_reader.join();
    return m_status;
}

std::string DescribeExit(int status) {
    if (WIFSIGNALED(status))
        return std::string("The backend was stopped by signal ") + strsignal(WTERMSIG(status)) +
               ".";
    if (!WIFEXITED(status))
        return "The backend ended abnormally.";
    switch (WEXITSTATUS(status)) {
    case 0:
        return "";
    case 1:
        return "The backend failed to print the job.";
    case 2:
        return "The printer asks for authentication.";
    case 3:
        return "The backend put the job on hold.";
    case 4:
        return "The printer stopped: it needs attention.";
    case 5:
        return "The backend cancelled the job.";
    case 6:
    case 7:
        return "The printer could not be reached; try again later.";
    default:
        return "The backend failed with status " + std::to_string(WEXITSTATUS(status)) + ".";
    }
}

} // namespace tq51m
