// SPDX-License-Identifier: Apache-2.0
// The printer connection through the maker's CUPS backend, run as cupsd runs it: the device
// scheme "velmora-zelbackend" for PAPPL, discovery by running the backend without arguments,
// and one backend process per job with the command stream on its standard input.
#ifndef TQ51M_APP_BACKENDCONNECTION_H
#define TQ51M_APP_BACKENDCONNECTION_H

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <sys/types.h>

#include <pappl/pappl.h>

namespace tq51m {

extern const char kBackendScheme[]; // "velmora-zelbackend"
extern const char kDeviceId[];      // the printer's IEEE-1284 device ID

// Registers the device scheme with PAPPL; call before the main loop.
void RegisterBackendScheme();

// The backend program: $TQ51M_BACKEND_DIR/velmora-zelbackend, else CUPS's backend folder.
std::string BackendProgram();

// What a job tells the backend, as cupsd would.
struct BackendJob {
    std::string deviceUri;
    std::string jobId;
    std::string user;
    std::string title;
    std::string options;
    std::string printerName;
};

// One run of the backend for one job. Its standard error is read on a thread of its own and
// each line handed to the line callback.
class BackendProcess {
  public:
    using LineHandler = std::function<void(const std::string&)>;

    BackendProcess() = default;
    ~BackendProcess();
    BackendProcess(const BackendProcess&) = delete;
    BackendProcess& operator=(const BackendProcess&) = delete;

    // Starts the program with only descriptors 0 to 2; false with a reason when it cannot.
    bool Start(const std::string& program, const BackendJob& job, LineHandler onLine,
               std::string& error);
    // Writes everything to the backend's standard input; false once it is gone. While the
    // backend does not take the data, stop() is looked at every 100 ms: once it says yes the
    // backend is terminated and the write fails.
    bool Write(const void* data, size_t length, const std::function<bool()>& stop = {});
    // Ends the backend's input: it sees end of file.
    void CloseInput();
    // True once the backend has exited (reaps it).
    bool HasExited();
    // A descriptor that turns readable when the backend exits (a pidfd); -1 where the kernel
    // has none.
    int ExitFd() const { return m_exitFd; }
    // Waits for the backend to exit, sending SIGTERM once canceled() turns true (SIGKILL if
    // it is still there 5 seconds later). Returns the wait status.
    int Wait(const std::function<bool()>& canceled);
    void Terminate();

  private:
    void ReadErrors(int fd, LineHandler onLine);

    pid_t m_pid = -1;
    int m_input = -1;
    int m_exitFd = -1;
    std::mutex m_mutex;
    bool m_exited = false;
    int m_status = 0;
    bool m_terminated = false;
    std::thread m_reader;
};

// Device data of an open "velmora-zelbackend" device. The device carries no job data: each
// job writes to a backend of its own (see the driver).
struct BackendConnection {
    std::string uri;
};

// The text of an exit status for the job's message.
std::string DescribeExit(int status);

} // namespace tq51m

#endif
