// SPDX-License-Identifier: Apache-2.0
#include "MonitorTestSupport.h"
#include "startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct ListingCase {
    const char* name;
    std::string listing;
    int count;
};

void PrintTo(const ListingCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class ProcessLines : public ::testing::TestWithParam<ListingCase> {};

TEST_P(ProcessLines, CountsReadsWithoutGrep) {
    TempDir dir;
    const std::string path = dir.file("listing");
    writeFile(path, GetParam().listing);
    FILE* listing = std::fopen(path.c_str(), "r");
    ASSERT_NE(listing, nullptr);
    testing::internal::CaptureStdout();
    const int count = countMonitorProcessLines(listing);
    const std::string echoed = testing::internal::GetCapturedStdout();
    std::fclose(listing);
    EXPECT_EQ(count, GetParam().count);
    EXPECT_EQ(echoed, GetParam().listing);
}

const std::string kMonitorLine = "user 101 0.0 0.1 1 2 ? Sl 08:00 0:00 "
                                 "/opt/velmora_systems/velmora_tq51m_status/velmora_tq51m_status\n";
const std::string kGrepLine = "user 102 0.0 0.0 1 2 ? S 08:00 0:00 grep "
                              "/opt/velmora_systems/velmora_tq51m_status/velmora_tq51m_status\n";

INSTANTIATE_TEST_SUITE_P(
    Listings, ProcessLines,
    ::testing::Values(ListingCase{"Empty", "", 0}, ListingCase{"OnlyGrep", kGrepLine, 0},
                      ListingCase{"OneMonitor", kMonitorLine + kGrepLine, 1},
                      ListingCase{"ThreeMonitors",
                                  kMonitorLine + kGrepLine + kMonitorLine + kMonitorLine, 3},
                      ListingCase{"NoFinalLineFeed", kMonitorLine + "tail without newline", 2},
                      // 254 characters per read: a 300-character line is two pieces,
                      // and a piece without "grep" counts even when the line has one.
                      ListingCase{"LongLineCountsPerPiece", std::string(299, 'x') + "\n", 2},
                      ListingCase{"GrepOnlyInSecondPiece", std::string(260, 'x') + " grep\n", 1},
                      ListingCase{"ExactlyOneRead", std::string(253, 'x') + "\n", 1}),
    [](const ::testing::TestParamInfo<ListingCase>& info) { return std::string(info.param.name); });

pid_t startMonitor(const std::string& program, const std::string& outputPath) {
    // Whatever this process has buffered must not be written a second time by the child.
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        FILE* out = std::freopen(outputPath.c_str(), "w", stdout);
        if (out == nullptr) {
            _exit(127);
        }
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

bool pathExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// The program installed at its path for the length of a test, with the monitors started
// from there; everything is stopped and removed again, also when the test fails.
class InstalledMonitor {
  public:
    explicit InstalledMonitor(const std::string& program) : program_(program) {}
    ~InstalledMonitor() {
        for (pid_t pid : running_) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        unlink(program_.c_str());
        for (auto folder = createdFolders_.rbegin(); folder != createdFolders_.rend(); ++folder) {
            rmdir(folder->c_str());
        }
    }

    bool install(const std::string& builtProgram) {
        const std::vector<std::string> folders = {"/opt", "/opt/velmora_systems",
                                                  "/opt/velmora_systems/velmora_tq51m_status"};
        for (const std::string& folder : folders) {
            if (!pathExists(folder)) {
                if (mkdir(folder.c_str(), 0755) != 0) {
                    return false;
                }
                createdFolders_.push_back(folder);
            }
        }
        return runCommand("install -m 0755 '" + builtProgram + "' '" + program_ + "'") == 0;
    }

    pid_t start(const std::string& outputPath) {
        const pid_t pid = startMonitor(program_, outputPath);
        running_.push_back(pid);
        return pid;
    }

    // Monitors listed by ps under the installed path.
    int listed() const { return runCommand("exit $(ps -eo args | grep -c '^" + program_ + "$')"); }

    // Whether a monitor is past its start-up check for good: its main thread waits in poll,
    // which it does only in its event loop. Before that, its check's pipeline briefly lists a
    // forked copy of the monitor under the monitor's path, so a monitor started then would
    // count one too many.
    static bool inEventLoop(pid_t pid) {
        const std::string syscall = readFile("/proc/" + std::to_string(pid) + "/syscall");
        const std::string number = syscall.substr(0, syscall.find(' '));
        return number == std::to_string(SYS_poll) || number == std::to_string(SYS_ppoll);
    }

    // The exit status of a monitor, or -1 when it still runs after the given time.
    int exitStatus(pid_t pid, int timeoutMs) {
        int status = 0;
        const bool ended =
            waitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, timeoutMs);
        if (!ended) {
            return -1;
        }
        running_.erase(std::remove(running_.begin(), running_.end(), pid), running_.end());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    std::string program_;
    std::vector<std::string> createdFolders_;
    std::vector<pid_t> running_;
};

// The real pipeline: two installed monitors may run, a third one refuses to start.
TEST(SingleInstance, ThirdInstalledMonitorExitsWithStatus255) {
    if (getuid() != 0) {
        GTEST_SKIP() << "installing under /opt needs root";
    }
    const std::string program = kInstalledProgramPath;
    if (pathExists(program)) {
        GTEST_SKIP() << "a monitor is installed already; it is left alone";
    }
    InstalledMonitor monitors(program);
    ASSERT_TRUE(monitors.install(MONITOR_PROGRAM));

    TempDir dir;
    const pid_t first = monitors.start(dir.file("first.out"));
    ASSERT_TRUE(waitUntil([&] { return InstalledMonitor::inEventLoop(first); }, 30000));
    const pid_t second = monitors.start(dir.file("second.out"));
    ASSERT_TRUE(waitUntil([&] { return InstalledMonitor::inEventLoop(second); }, 30000));
    ASSERT_EQ(monitors.listed(), 2);
    EXPECT_FALSE(checkDoubleStartApp()) << "two running monitors are allowed";

    const pid_t third = monitors.start(dir.file("third.out"));
    EXPECT_EQ(monitors.exitStatus(third, 30000), 255);
    const std::string printed = readFile(dir.file("third.out"));
    EXPECT_NE(printed.find(program), std::string::npos) << printed;
    EXPECT_EQ(kill(first, 0), 0) << "the first monitor keeps running";
    EXPECT_EQ(kill(second, 0), 0) << "the second monitor keeps running";
}

} // namespace
