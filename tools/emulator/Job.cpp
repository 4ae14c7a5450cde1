// SPDX-License-Identifier: Apache-2.0
#include "Job.h"

#include "EmulatorState.h"
#include "PrinterFiles.h"
#include "tq51m_stream.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cups/backend.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void onStopSignal(int) {
    g_stop = 1;
}

const char* const kUriPrefix = "velmora-zelbackend://VELMORA/TQ-51M?serial=";
constexpr int kMaxCopies = 1000;

struct SheetSummary {
    int mediaCode;
    int imageCount;
};

// Writes the listing and the previews into the spool folder while the parser
// checks the stream, and remembers what each sheet needs from the media.
class SpoolHandler : public tq51m::StreamHandler {
  public:
    SpoolHandler(const std::string& folder, std::ofstream& listing)
        : m_folder(folder), m_listing(listing) {}

    bool onCommand(const tq51m::Command& command, std::string&) override {
        m_listing << tq51m::describeCommand(command) << "\n";
        return true;
    }

    bool onSheet(const tq51m::Sheet& sheet, std::string& error) override {
        std::string name = "sheet-" + std::to_string(sheet.number) + ".png";
        m_listing << tq51m::describeSheet(sheet) << "\n  preview: " << name << "\n";
        if (!tq51m::writeSheetPng(sheet, m_folder + "/" + name, error)) {
            storeFailed = true;
            return false;
        }
        sheets.push_back({sheet.mediaCode, sheet.layout->imageCount});
        std::fprintf(stderr, "DEBUG: %s\n", tq51m::describeSheet(sheet).c_str());
        return !g_stop;
    }

    std::vector<SheetSummary> sheets;
    bool storeFailed = false; // the stream was fine, the spool could not be written

  private:
    std::string m_folder;
    std::ofstream& m_listing;
};

void reportMarkers(const EmulatorState& state) {
    long level = state.initial > 0 ? state.remain * 100 / state.initial : 0;
    level = level < 0 ? 0 : level > 100 ? 100 : level;
    std::fprintf(stderr,
                 "ATTR: marker-colors=#00FFFF#FF00FF#FFFF00 marker-levels=%ld "
                 "marker-low-levels=10 marker-high-levels=100 marker-names='Ribbon and paper' "
                 "marker-types=ink-ribbon\n",
                 level);
}

// Sets the one reason of the current state and clears the others.
void reportState(const EmulatorState& state) {
    std::string active = stateReason(state.state);
    std::string cleared;
    for (const std::string& reason : allStateReasons()) {
        if (reason != active)
            cleared += (cleared.empty() ? "" : ",") + reason;
    }
    std::fprintf(stderr, "STATE: -%s\n", cleared.c_str());
    if (!active.empty())
        std::fprintf(stderr, "STATE: +%s\n", active.c_str());
}

bool isJobId(const char* text) {
    std::size_t length = std::strlen(text);
    if (length == 0 || length > 10)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

// Job texts (title, options) as one line of job.txt.
std::string oneLine(const char* text) {
    std::string line = text;
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    }
    return line;
}

// Sleeps in short steps so that a stop request ends the wait.
void pause(long milliseconds) {
    while (milliseconds > 0 && !g_stop) {
        long step = milliseconds < 50 ? milliseconds : 50;
        struct timespec wait = {0, step * 1000000L};
        nanosleep(&wait, nullptr);
        milliseconds -= step;
    }
}

class Job {
  public:
    Job(int argc, char** argv) : m_argc(argc), m_argv(argv) {}
    ~Job();
    int run();

  private:
    int fail(int status, const std::string& message) {
        std::fprintf(stderr, "ERROR: %s\n", message.c_str());
        return status;
    }
    void showStatus();
    bool loadState(std::string& error);
    int stopForPrinterError();
    void drainInput();
    int receive(const std::string& folder);
    int printSheets(const std::vector<SheetSummary>& sheets, int copies);
    bool store(const std::string& folder, std::size_t sheets, std::string& error);

    int m_argc;
    char** m_argv;
    EmulatorDir m_dir;
    EmulatorState m_state;
    JobProgress m_progress;
    std::string m_jobId;
    std::string m_spool;
    bool m_wroteJobInfo = false;
    bool m_received = false;
};

Job::~Job() {
    if (!m_spool.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_spool, ignored);
    }
    if (m_wroteJobInfo)
        ::unlink(jobInfoPath(m_jobId).c_str());
}

void Job::showStatus() {
    std::string error;
    if (!writeStatusFile(m_state, m_progress, error))
        std::fprintf(stderr, "DEBUG: %s\n", error.c_str());
}

bool Job::loadState(std::string& error) {
    StateLock lock(m_dir, error);
    std::string warnings;
    if (!lock.locked() || !m_dir.load(m_state, warnings, error))
        return false;
    if (!warnings.empty())
        std::fprintf(stderr, "DEBUG: state file: %s\n", warnings.c_str());
    return true;
}

int Job::stopForPrinterError() {
    m_progress.running = false;
    showStatus();
    reportState(m_state);
    reportMarkers(m_state);
    int status = fail(CUPS_BACKEND_STOP, "Printer error: " + stateName(m_state.state) + " (state " +
                                             m_state.state + ")");
    if (!m_received)
        drainInput();
    return status;
}

// The filter waits for the job information file and then writes the whole
// stream: reading it to the end lets the filter finish normally instead of
// dying on a closed pipe while cupsd stops the queue.
void Job::drainInput() {
    if (m_argc == 7)
        return;
    std::vector<char> buffer(65536);
    while (!g_stop) {
        ssize_t n = ::read(STDIN_FILENO, buffer.data(), buffer.size());
        if (n == 0 || (n < 0 && errno != EINTR))
            break;
    }
}

int Job::receive(const std::string& folder) {
    int input = STDIN_FILENO;
    if (m_argc == 7) {
        input = ::open(m_argv[6], O_RDONLY | O_CLOEXEC);
        if (input < 0)
            return fail(CUPS_BACKEND_FAILED,
                        std::string("Cannot open print file: ") + std::strerror(errno));
    }
    std::string path = folder + "/stream.bin";
    int output = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (output < 0) {
        if (input != STDIN_FILENO)
            ::close(input);
        return fail(CUPS_BACKEND_FAILED,
                    "Cannot store the job: " + path + ": " + std::strerror(errno));
    }
    std::vector<char> buffer(65536);
    long long received = 0;
    int status = CUPS_BACKEND_OK;
    while (status == CUPS_BACKEND_OK) {
        ssize_t n = ::read(input, buffer.data(), buffer.size());
        if (g_stop)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            status = fail(CUPS_BACKEND_FAILED,
                          std::string("Cannot read the print data: ") + std::strerror(errno));
            break;
        }
        if (n == 0)
            break;
        pause(m_state.readDelayMs);
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(output, buffer.data() + done, std::size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                status = fail(CUPS_BACKEND_FAILED,
                              "Cannot store the job: " + path + ": " + std::strerror(errno));
                break;
            }
            done += w;
        }
        received += n;
    }
    if (::close(output) != 0 && status == CUPS_BACKEND_OK)
        status = fail(CUPS_BACKEND_FAILED,
                      "Cannot store the job: " + path + ": " + std::strerror(errno));
    if (input != STDIN_FILENO)
        ::close(input);
    std::fprintf(stderr, "DEBUG: received %lld bytes\n", received);
    return status;
}

int Job::printSheets(const std::vector<SheetSummary>& sheets, int copies) {
    m_progress.sheetsTotal = int(sheets.size()) * copies;
    for (int copy = 0; copy < copies; ++copy) {
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            if (g_stop)
                return CUPS_BACKEND_OK;
            // The state is locked while a sheet is taken from it, not while the sheet
            // prints: a state set meanwhile (--set) stops the job before its next sheet.
            {
                std::string error;
                StateLock lock(m_dir, error);
                std::string warnings;
                if (!lock.locked() || !m_dir.load(m_state, warnings, error))
                    return fail(CUPS_BACKEND_FAILED, error);
                if (!isReadyState(m_state.state))
                    return stopForPrinterError();
                if (!consumeSheet(m_state, sheets[i].mediaCode, sheets[i].imageCount)) {
                    m_state.state = "01100";
                    m_state.message = defaultMessage(m_state.state);
                    if (!m_dir.save(m_state, error))
                        std::fprintf(stderr, "DEBUG: %s\n", error.c_str());
                    return stopForPrinterError();
                }
                if (!m_dir.save(m_state, error))
                    return fail(CUPS_BACKEND_FAILED, error);
                m_progress.sheetsDone += 1;
                std::fprintf(stderr, "INFO: Printing sheet %d of %d\n", m_progress.sheetsDone,
                             m_progress.sheetsTotal);
                showStatus();
                reportMarkers(m_state);
            }
            pause(m_state.sheetDelayMs);
        }
    }
    return CUPS_BACKEND_OK;
}

bool Job::store(const std::string& folder, std::size_t sheets, std::string& error) {
    std::ofstream info(folder + "/job.txt");
    info << "job=" << m_jobId << "\nuser=" << oneLine(m_argv[2]) << "\ntitle=" << oneLine(m_argv[3])
         << "\ncopies=" << oneLine(m_argv[4]) << "\noptions=" << oneLine(m_argv[5])
         << "\nsheets=" << sheets << "\n";
    info.close();
    std::string target = m_dir.jobsPath() + "/" + m_jobId;
    std::error_code code;
    std::filesystem::remove_all(target, code);
    if (::rename(folder.c_str(), target.c_str()) != 0) {
        error = "Cannot store the job in " + target + ": " + std::strerror(errno);
        return false;
    }
    m_spool.clear();
    return true;
}

int Job::run() {
    m_jobId = m_argv[1];
    if (!isJobId(m_argv[1]))
        return fail(CUPS_BACKEND_FAILED, "Invalid job id");
    const char* uri = cupsBackendDeviceURI(m_argv);
    if (!uri || std::strncmp(uri, kUriPrefix, std::strlen(kUriPrefix)) != 0)
        return fail(CUPS_BACKEND_FAILED,
                    std::string("Unsupported device URI; expected ") + kUriPrefix + "<serial>");
    std::string serial = uri + std::strlen(kUriPrefix);
    if (!isSafeSerial(serial))
        return fail(CUPS_BACKEND_FAILED,
                    "Refusing the serial number of the device URI: it must be 1 to 64 printable "
                    "ASCII characters without \"..\", \"/\", \"\\\", \"%\" or quotes");

    std::string error;
    if (!m_dir.open(error) || !loadState(error))
        return fail(CUPS_BACKEND_FAILED, "Printer emulator: " + error);
    if (serial != m_state.serial)
        return fail(CUPS_BACKEND_FAILED, "The printer with serial number " + serial +
                                             " is not connected (the emulated printer is " +
                                             m_state.serial + ")");

    std::string jobInfo = "MEDIA_SIZE=\"" + m_state.media + "\"\nMEDIA_REMAIN_HALF=\"" +
                          std::to_string(m_state.remainHalf) + "\"\n";
    if (!writeFileAtomically(jobInfoPath(m_jobId), jobInfo, 0644, error))
        return fail(CUPS_BACKEND_FAILED, "Cannot write the job information file: " + error);
    m_wroteJobInfo = true;

    // The status file names the job with its finished sheets also after the job stopped, so
    // that the sender knows which sheets are still to be printed.
    m_progress.jobId = m_jobId;
    if (!isReadyState(m_state.state))
        return stopForPrinterError();
    m_progress.running = true;
    reportState(m_state);
    reportMarkers(m_state);
    showStatus();
    std::fprintf(stderr, "INFO: Receiving the print data\n");

    char name[64];
    std::snprintf(name, sizeof name, "/.incoming-%s-%ld", m_jobId.c_str(), long(::getpid()));
    m_spool = m_dir.jobsPath() + name;
    std::error_code code;
    std::filesystem::remove_all(m_spool, code);
    if (::mkdir(m_spool.c_str(), 0755) != 0) {
        std::string message = "Cannot create " + m_spool + ": " + std::strerror(errno);
        m_spool.clear();
        return fail(CUPS_BACKEND_FAILED, message);
    }

    int status = receive(m_spool);
    m_received = true;
    if (status == CUPS_BACKEND_OK && !g_stop) {
        std::ofstream listing(m_spool + "/listing.txt");
        SpoolHandler handler(m_spool, listing);
        int fd = ::open((m_spool + "/stream.bin").c_str(), O_RDONLY | O_CLOEXEC);
        tq51m::FdSource source(fd);
        tq51m::ParseError parseError;
        bool ok = fd >= 0 && tq51m::parseStream(source, handler, parseError);
        if (fd >= 0)
            ::close(fd);
        listing.close();
        if (g_stop) {
            status = CUPS_BACKEND_OK;
        } else if (fd < 0 || handler.storeFailed || !listing) {
            status = fail(CUPS_BACKEND_FAILED,
                          "Cannot store the job in " + m_spool + ": " +
                              (handler.storeFailed ? parseError.message : std::strerror(errno)));
        } else if (!ok) {
            status = fail(CUPS_BACKEND_FAILED, "Malformed command stream: " + parseError.message);
        } else {
            int copies = m_argc == 7 ? std::atoi(m_argv[4]) : 1;
            copies = copies < 1 ? 1 : copies > kMaxCopies ? kMaxCopies : copies;
            if (!store(m_spool, handler.sheets.size(), error))
                status = fail(CUPS_BACKEND_FAILED, error);
            else
                status = printSheets(handler.sheets, copies);
        }
    }
    if (m_progress.running) {
        m_progress.running = false;
        showStatus();
    }
    if (status == CUPS_BACKEND_OK && !g_stop)
        std::fprintf(stderr, "INFO: Ready to print.\n");
    return status;
}

} // namespace

void installStopHandler() {
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

bool stopRequested() {
    return g_stop != 0;
}

int runJob(int argc, char** argv) {
    Job job(argc, argv);
    return job.run();
}
