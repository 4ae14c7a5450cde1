// SPDX-License-Identifier: Apache-2.0
// The printer application's wait for the backend's job information file, in process: writer
// processes that write the file the way backends do, backends that never write it, and files
// that must not be read.
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "JobInfoWait.h"

using tq51m::JobInfoWatch;
using tq51m::ReadJobInfoFile;
using Outcome = JobInfoWatch::Outcome;

namespace {

const char kJobId[] = "4711";
const std::string kText = "MEDIA_SIZE=\"00510\"\nMEDIA_REMAIN_HALF=\"7\"\n";

void Pause(long milliseconds) {
    timespec wait = {milliseconds / 1000, (milliseconds % 1000) * 1000000};
    while (nanosleep(&wait, &wait) != 0) {
    }
}

bool WriteText(int fd, const std::string& text) {
    return write(fd, text.data(), text.size()) == ssize_t(text.size());
}

class JobInfoWaitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char dir[] = "/tmp/tq51m-jobinfo-wait-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        m_dir = dir;
        m_path = m_dir + "/Print_" + kJobId + ".log";
    }
    void TearDown() override {
        if (m_child > 0) {
            kill(m_child, SIGKILL);
            waitpid(m_child, nullptr, 0);
        }
        ASSERT_EQ(std::system(("rm -rf '" + m_dir + "'").c_str()), 0);
    }

    // Runs writer in a child process, as a backend would; returns a pidfd of it.
    template <typename Writer> int Spawn(Writer writer) {
        m_child = fork();
        if (m_child == 0) {
            writer();
            _exit(0);
        }
        return int(syscall(SYS_pidfd_open, m_child, 0));
    }

    std::string m_dir;
    std::string m_path;
    pid_t m_child = -1;
};

// How a backend puts the file in place, and what the application must make of it.
struct WriterCase {
    const char* name;
    void (*write)(const std::string& dir, const std::string& path);
    bool present;
    const char* mediaSize;
    const char* remainHalf;
};

std::ostream& operator<<(std::ostream& os, const WriterCase& c) {
    return os << c.name;
}

void Renamed(const std::string& dir, const std::string& path) {
    const std::string temp = dir + "/Print_4711.log.tmp";
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (WriteText(fd, kText) && close(fd) == 0)
        rename(temp.c_str(), path.c_str());
}

// In place, a line at a time with pauses: a reader that does not wait for the writer to close
// the file sees the first line alone.
void SlowlyInPlace(const std::string&, const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    WriteText(fd, "MEDIA_SIZE=\"00510\"\n");
    Pause(300);
    WriteText(fd, "MEDIA_REMAIN_");
    Pause(300);
    WriteText(fd, "HALF=\"7\"\n");
    close(fd);
}

void LinkMovedIn(const std::string& dir, const std::string& path) {
    const std::string target = dir + "/elsewhere";
    const std::string link = dir + "/link";
    const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (WriteText(fd, kText) && close(fd) == 0 && symlink(target.c_str(), link.c_str()) == 0)
        rename(link.c_str(), path.c_str());
}

void FifoMovedIn(const std::string& dir, const std::string& path) {
    const std::string fifo = dir + "/fifo";
    if (mkfifo(fifo.c_str(), 0644) == 0)
        rename(fifo.c_str(), path.c_str());
}

// 1 MiB of comment lines, then the values: far larger than any job information file.
void Oversized(const std::string&, const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (int i = 0; i < 16384; ++i)
        WriteText(fd, std::string(63, '#') + "\n");
    WriteText(fd, kText);
    close(fd);
}

class JobInfoWriters : public JobInfoWaitTest, public ::testing::WithParamInterface<WriterCase> {};

TEST_P(JobInfoWriters, FileIsReadWhenItsWriterIsDone) {
    const WriterCase& c = GetParam();
    JobInfoWatch watch(m_dir, kJobId);
    ASSERT_TRUE(watch.byEvent());
    const std::string dir = m_dir, path = m_path;
    const int exitFd = Spawn([&] { c.write(dir, path); });
    ASSERT_GE(exitFd, 0);
    EXPECT_EQ(watch.Wait(exitFd, {}, std::chrono::seconds(120)), Outcome::Written);
    const JobInfo info = ReadJobInfoFile(watch.path());
    EXPECT_EQ(info.present, c.present);
    EXPECT_EQ(info.mediaSize, c.mediaSize);
    EXPECT_EQ(info.remainHalf, c.remainHalf);
    close(exitFd);
}

INSTANTIATE_TEST_SUITE_P(
    Backends, JobInfoWriters,
    ::testing::Values(WriterCase{"Renamed", Renamed, true, "00510", "7"},
                      WriterCase{"SlowlyInPlace", SlowlyInPlace, true, "00510", "7"},
                      WriterCase{"LinkMovedIn", LinkMovedIn, false, "", ""},
                      WriterCase{"FifoMovedIn", FifoMovedIn, false, "", ""},
                      WriterCase{"Oversized", Oversized, false, "", ""}),
    [](const ::testing::TestParamInfo<WriterCase>& info) { return info.param.name; });

// The lines are read as the classic filter reads them: quotes and the key's letters go, a
// carriage return stays, the first line with a key counts.
TEST_F(JobInfoWaitTest, LinesAreReadWithTheFilterRules) {
    const struct {
        const char* text;
        const char* mediaSize;
        const char* remainHalf;
    } cases[] = {
        {"MEDIA_REMAIN_HALF=3\nMEDIA_SIZE=\"00500\"\n", "00500", "3"},
        {"MEDIA_SIZE=\"00500\"\r\n", "00500\r", ""},
        {"x MEDIA_SIZE=\"00600\"\nMEDIA_SIZE=\"00500\"\n", "00600", ""},
        {"MEDIA_SIZE=\"00A50\"\n", "0050", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const int fd = open(m_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_TRUE(WriteText(fd, c.text));
        close(fd);
        const JobInfo info = ReadJobInfoFile(m_path);
        EXPECT_TRUE(info.present) << c.text;
        EXPECT_EQ(info.mediaSize, c.mediaSize) << c.text;
        EXPECT_EQ(info.remainHalf, c.remainHalf) << c.text;
    }
    unlink(m_path.c_str());
    EXPECT_FALSE(ReadJobInfoFile(m_path).present);
}

// A backend that ends without writing the file ends the wait, long before the limit.
TEST_F(JobInfoWaitTest, BackendExitEndsTheWait) {
    JobInfoWatch watch(m_dir, kJobId);
    const int exitFd = Spawn([] {});
    ASSERT_GE(exitFd, 0);
    EXPECT_EQ(watch.Wait(exitFd, {}, std::chrono::seconds(120)), Outcome::BackendExited);
    EXPECT_FALSE(ReadJobInfoFile(watch.path()).present);
    close(exitFd);
}

// A backend that neither writes the file nor ends: the wait ends at its limit.
TEST_F(JobInfoWaitTest, LimitEndsTheWait) {
    JobInfoWatch watch(m_dir, kJobId);
    const int exitFd = Spawn([] { pause(); });
    ASSERT_GE(exitFd, 0);
    EXPECT_EQ(watch.Wait(exitFd, {}, std::chrono::milliseconds(300)), Outcome::TimedOut);
    close(exitFd);
}

// Other files of the folder do not end the wait; a cancelled job and Interrupt() do.
TEST_F(JobInfoWaitTest, StopsWithoutTheFile) {
    JobInfoWatch watch(m_dir, kJobId);
    for (const char* name : {"/Print_47110.log", "/Print_4711.log.tmp", "/TQ-51M_X.log"}) {
        const int fd = open((m_dir + name).c_str(), O_WRONLY | O_CREAT, 0644);
        close(fd);
    }
    int looks = 0;
    EXPECT_EQ(watch.Wait(
                  -1, [&] { return ++looks > 2; }, std::chrono::seconds(120)),
              Outcome::Stopped);
    std::thread interrupter([&] { watch.Interrupt(); });
    EXPECT_EQ(watch.Wait(-1, {}, std::chrono::seconds(120)), Outcome::Stopped);
    interrupter.join();
}

} // namespace
