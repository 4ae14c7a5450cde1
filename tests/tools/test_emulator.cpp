// SPDX-License-Identifier: Apache-2.0
// velmora-zelbackend run as a process, as cupsd runs it: a temporary
// VELMORA_EMULATOR_DIR, the stream on stdin, the job's files under /tmp.
#include "process.h"
#include "stream_builder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <pwd.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>

using namespace streamtest;
namespace fs = std::filesystem;

namespace {

const std::string kBackend = TQ51M_EMULATOR;
constexpr int kBackendFailed = 1;
constexpr int kBackendStop = 4;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find('\n', start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// The value of a key="value" line of the status file.
std::string statusValue(const std::string& text, const std::string& key) {
    for (const std::string& line : lines(text)) {
        if (line.rfind(key + "=\"", 0) == 0)
            return line.substr(key.size() + 2, line.size() - key.size() - 3);
    }
    return "<missing>";
}

bool waitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 200; ++i) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

class Emulator : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/tq51m-emulator-XXXXXX";
        dir = mkdtemp(name);
        serial = "T" + std::to_string(getpid()) + "X" + std::to_string(++s_count);
        jobId = std::to_string(getpid() * 100 + s_count);
        env = {"VELMORA_EMULATOR_DIR=" + dir + "/emu",
               "DEVICE_URI=velmora-zelbackend://VELMORA/TQ-51M?serial=" + serial};
        set({"serial=" + serial});
    }
    void TearDown() override {
        fs::remove_all(dir);
        for (const std::string& path :
             {statusPath(), jobInfoPath(), "/tmp/TQ-51M_" + serial + "_TC_UTIL"})
            unlink(path.c_str());
    }

    Result set(const std::vector<std::string>& assignments) {
        std::vector<std::string> argv = {kBackend};
        for (const std::string& a : assignments) {
            argv.push_back("--set");
            argv.push_back(a);
        }
        Result result = run(argv, env, dir);
        EXPECT_EQ(result.status, 0) << result.err;
        return result;
    }

    Result job(const Bytes& stream, const std::string& copies = "1") {
        return run({kBackend, jobId, "tester", "title", copies, ""}, env, dir,
                   std::string(stream.begin(), stream.end()));
    }

    std::string statusPath() const { return "/tmp/TQ-51M_" + serial + ".log"; }
    std::string jobInfoPath() const { return "/tmp/Print_" + jobId + ".log"; }
    std::string spool() const { return dir + "/emu/jobs/" + jobId; }
    std::string stateText() const { return readFile(dir + "/emu/state"); }
    bool spoolIsEmpty() const { return fs::is_empty(dir + "/emu/jobs"); }

    std::string dir;
    std::string serial;
    std::string jobId;
    std::vector<std::string> env;
    static int s_count;
};

int Emulator::s_count = 0;

TEST_F(Emulator, ReportsOneDeviceWithoutArguments) {
    Result result = run({kBackend}, env, dir);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "direct velmora-zelbackend://VELMORA/TQ-51M?serial=" + serial +
                              " \"Velmora TQ-51M\" \"Velmora TQ-51M (emulator)\" "
                              "\"MFG:Velmora;MDL:TQ-51M;CMD:TQ51M;CLS:PRINTER;SN:" +
                              serial + ";\" \"\"\n");
}

// The job information file must exist, readable by others, before the backend
// reads any of the stream: the filter waits for it before it writes.
TEST_F(Emulator, JobWritesJobInfoThenPrintsAndCounts) {
    set({"media=00500", "remain=10", "remain_half=20", "total=100", "initial=50"});
    Process process({kBackend, jobId, "tester", "title", "1", ""}, env, dir);
    ASSERT_TRUE(waitFor([&] { return fs::exists(jobInfoPath()); }));
    struct stat info;
    ASSERT_EQ(lstat(jobInfoPath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    EXPECT_EQ(readFile(jobInfoPath()), "MEDIA_SIZE=\"00500\"\nMEDIA_REMAIN_HALF=\"20\"\n");
    ASSERT_TRUE(
        waitFor([&] { return statusValue(readFile(statusPath()), "PRINTER_STATUS") == "00001"; }));

    // A full sheet of two prints, then one half-size 8x4 print on 8x10 media.
    Bytes stream = sheet(13, 2502, 255, 0, 128);
    append(stream, sheet(408, 1236, 0, 0, 0));
    ASSERT_TRUE(process.write(stream.data(), stream.size()));
    EXPECT_EQ(process.wait(), 0) << process.err();

    std::string status = readFile(statusPath());
    std::vector<std::string> parts = lines(status);
    ASSERT_EQ(parts.size(), 18u) << status;
    const char* keys[] = {
        "PRINTER_STATUS", "PRINTER_MESSAGE", "PRINTER_VERSION", "PRINTER_SERIAL_NO", "MEDIA_SIZE",
        "MEDIA_CLASS",    "MEDIA_INITIAL",   "MEDIA_REMAIN",    "MEDIA_REMAIN_HALF", "TOTAL_COUNT"};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(parts[i].rfind(std::string(keys[i]) + "=\"", 0), 0u) << parts[i];
    EXPECT_EQ(statusValue(status, "PRINTER_STATUS"), "00000");
    EXPECT_EQ(statusValue(status, "PRINTER_SERIAL_NO"), serial);
    EXPECT_EQ(statusValue(status, "MEDIA_SIZE"), "00500");
    EXPECT_EQ(statusValue(status, "MEDIA_INITIAL"), "50");
    EXPECT_EQ(statusValue(status, "MEDIA_REMAIN"), "8");
    EXPECT_EQ(statusValue(status, "MEDIA_REMAIN_HALF"), "17");
    EXPECT_EQ(statusValue(status, "TOTAL_COUNT"), "102");
    ASSERT_EQ(lstat(statusPath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);

    EXPECT_EQ(readFile(spool() + "/stream.bin"), std::string(stream.begin(), stream.end()));
    std::string listing = readFile(spool() + "/listing.txt");
    EXPECT_NE(listing.find("IMAGE  MULTICUT         \"00000013\""), std::string::npos) << listing;
    EXPECT_NE(listing.find("IMAGE  MULTICUT         \"00000408\""), std::string::npos) << listing;
    EXPECT_TRUE(fs::exists(spool() + "/sheet-1.png"));
    EXPECT_TRUE(fs::exists(spool() + "/sheet-2.png"));
    EXPECT_NE(process.err().find(" marker-levels=16 "), std::string::npos) << process.err();
    EXPECT_FALSE(fs::exists(jobInfoPath()));
}

// cupsd cancels a job with SIGTERM: nothing half-received may stay behind.
TEST_F(Emulator, CancelledJobLeavesNothingBehind) {
    Process process({kBackend, jobId, "tester", "title", "1", ""}, env, dir);
    ASSERT_TRUE(
        waitFor([&] { return statusValue(readFile(statusPath()), "PRINTER_STATUS") == "00001"; }));
    Bytes stream = sheet(408, 1236, 0, 0, 0);
    ASSERT_TRUE(process.write(stream.data(), stream.size() / 2));
    ASSERT_TRUE(waitFor([&] {
        for (const auto& entry : fs::recursive_directory_iterator(dir + "/emu/jobs")) {
            if (entry.path().filename() == "stream.bin" && entry.file_size() > 0)
                return true;
        }
        return false;
    }));
    kill(process.pid(), SIGTERM);
    EXPECT_EQ(process.wait(), 0) << process.err();
    EXPECT_TRUE(spoolIsEmpty());
    EXPECT_FALSE(fs::exists(jobInfoPath()));
    EXPECT_EQ(statusValue(readFile(statusPath()), "PRINTER_STATUS"), "00000");
    EXPECT_EQ(statusValue(readFile(statusPath()), "TOTAL_COUNT"), "0");
}

TEST_F(Emulator, HalfSizePrintUsesTheLeftOverHalfFirst) {
    set({"media=00510", "remain=5", "remain_half=11"});
    Result result = job(sheet(409, 1536, 0, 0, 0));
    ASSERT_EQ(result.status, 0) << result.err;
    std::string status = readFile(statusPath());
    EXPECT_EQ(statusValue(status, "MEDIA_REMAIN"), "5");
    EXPECT_EQ(statusValue(status, "MEDIA_REMAIN_HALF"), "10");
    EXPECT_EQ(statusValue(status, "TOTAL_COUNT"), "1");
}

TEST_F(Emulator, CopiesOfAPrintFileArePrintedEachTime) {
    Bytes stream = sheet(11, 2436, 0, 0, 0);
    std::string file = dir + "/job.bin";
    FILE* out = std::fopen(file.c_str(), "wb");
    std::fwrite(stream.data(), 1, stream.size(), out);
    std::fclose(out);
    Result result = run({kBackend, jobId, "tester", "title", "3", "", file}, env, dir);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(statusValue(readFile(statusPath()), "TOTAL_COUNT"), "3");
}

TEST_F(Emulator, MalformedStreamIsRejectedAndNotStored) {
    set({"remain=10", "total=7"});
    std::string before = stateText();
    Bytes stream = sheet(408, 1236, 0, 0, 0);
    stream.resize(stream.size() - 32); // no START
    Result result = job(stream);
    EXPECT_EQ(result.status, kBackendFailed);
    EXPECT_NE(result.err.find("ERROR: Malformed command stream: byte offset " +
                              std::to_string(stream.size()) + ":"),
              std::string::npos)
        << result.err;
    EXPECT_TRUE(spoolIsEmpty());
    EXPECT_EQ(stateText(), before);
    std::string status = readFile(statusPath());
    EXPECT_EQ(statusValue(status, "PRINTER_STATUS"), "00000");
    EXPECT_EQ(statusValue(status, "TOTAL_COUNT"), "7");

    Bytes garbage(100, 'x');
    result = job(garbage);
    EXPECT_EQ(result.status, kBackendFailed);
    EXPECT_NE(result.err.find("byte offset 0: expected ESC P"), std::string::npos) << result.err;
    EXPECT_TRUE(spoolIsEmpty());
}

TEST_F(Emulator, PrinterErrorStopsTheQueueWithItsReason) {
    struct Case {
        const char* state;
        const char* reason;
        const char* message;
    };
    const Case cases[] = {{"01000", "door-open-error", "00100"},
                          {"01100", "media-empty-error", "00102"},
                          {"01200", "marker-supply-empty-error", "00103"},
                          {"01300", "media-jam-error", "00104"},
                          {"02100", "com.velmora-system-error", "00107"}};
    for (const Case& c : cases) {
        set({std::string("state=") + c.state});
        // The filter has its whole stream to write: it must not hit a closed pipe.
        Process process({kBackend, jobId, "tester", "title", "1", ""}, env, dir);
        ASSERT_TRUE(waitFor([&] { return fs::exists(jobInfoPath()); }));
        Bytes stream = sheet(408, 1236, 0, 0, 0);
        EXPECT_TRUE(process.write(stream.data(), stream.size())) << c.state;
        EXPECT_EQ(process.wait(), kBackendStop) << c.state;
        std::string err = process.err();
        EXPECT_NE(err.find(std::string("STATE: +") + c.reason + "\n"), std::string::npos) << err;
        EXPECT_NE(err.find("ERROR: Printer error: "), std::string::npos) << err;
        std::string status = readFile(statusPath());
        EXPECT_EQ(statusValue(status, "PRINTER_STATUS"), c.state);
        EXPECT_EQ(statusValue(status, "PRINTER_MESSAGE"), c.message);
        EXPECT_TRUE(spoolIsEmpty());
    }
}

TEST_F(Emulator, RunningOutOfMediaStopsWithPaperEnd) {
    set({"remain=1", "remain_half=2", "total=0"});
    Bytes stream = sheet(11, 2436, 0, 0, 0);
    append(stream, sheet(11, 2436, 0, 0, 0));
    Result result = job(stream);
    EXPECT_EQ(result.status, kBackendStop);
    EXPECT_NE(result.err.find("STATE: +media-empty-error"), std::string::npos) << result.err;
    std::string state = stateText();
    EXPECT_NE(state.find("state=01100\n"), std::string::npos) << state;
    EXPECT_NE(state.find("total=1\n"), std::string::npos) << state;
    EXPECT_NE(state.find("remain=0\n"), std::string::npos) << state;
}

TEST_F(Emulator, HostileSerialsAndJobIdsAreRefused) {
    const std::string hostile[] = {"../../etc/passwd",    "a/b",  "..",  "a..b",
                                   "%2e%2e%2fetc",        "a\nb", "a b", std::string(65, 'A'),
                                   "q\"PRINTER_STATUS=1", ""};
    for (const std::string& bad : hostile) {
        std::vector<std::string> badEnv = {
            "VELMORA_EMULATOR_DIR=" + dir + "/emu",
            "DEVICE_URI=velmora-zelbackend://VELMORA/TQ-51M?serial=" + bad};
        Result result = run({kBackend, jobId, "u", "t", "1", ""}, badEnv, dir, "x");
        EXPECT_EQ(result.status, kBackendFailed) << bad;
        // libcups itself already refuses URIs with spaces or line feeds.
        EXPECT_TRUE(result.err.find("ERROR: Refusing the serial number") != std::string::npos ||
                    result.err.find("ERROR: Bad device-uri") != std::string::npos)
            << result.err;
        EXPECT_FALSE(fs::exists(jobInfoPath())) << bad;
        Result setResult = run({kBackend, "--set", "serial=" + bad}, env, dir);
        EXPECT_EQ(setResult.status, 1) << bad;
    }
    EXPECT_FALSE(fs::exists("/tmp/TQ-51M_a..b.log"));
    EXPECT_NE(stateText().find("serial=" + serial + "\n"), std::string::npos);

    Result result = run({kBackend, "../1", "u", "t", "1", ""}, env, dir, "x");
    EXPECT_EQ(result.status, kBackendFailed);
    EXPECT_NE(result.err.find("ERROR: Invalid job id"), std::string::npos);
    EXPECT_FALSE(fs::exists("/tmp/Print_../1.log"));

    std::vector<std::string> otherPrinter = env;
    otherPrinter[1] += "OTHER";
    result = run({kBackend, jobId, "u", "t", "1", ""}, otherPrinter, dir, "x");
    EXPECT_EQ(result.status, kBackendFailed);
    EXPECT_NE(result.err.find("is not connected"), std::string::npos) << result.err;
}

// Symbolic links planted at the /tmp names are replaced, never written through.
TEST_F(Emulator, DoesNotFollowSymlinksInTmp) {
    std::string victim = dir + "/victim";
    {
        FILE* out = std::fopen(victim.c_str(), "w");
        std::fputs("keep", out);
        std::fclose(out);
    }
    unlink(statusPath().c_str());
    ASSERT_EQ(symlink(victim.c_str(), jobInfoPath().c_str()), 0);
    ASSERT_EQ(symlink(victim.c_str(), statusPath().c_str()), 0);
    Result result = job(sheet(408, 1236, 0, 0, 0));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile(victim), "keep");
    struct stat info;
    ASSERT_EQ(lstat(statusPath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
}

TEST_F(Emulator, AnswersTheTotalCountRequest) {
    set({"total=41"});
    std::string request = "/tmp/TQ-51M_" + serial + "_TC_UTIL";
    struct Case {
        const char* what;
        std::vector<std::string> argv;
        const char* total;
    };
    const Case cases[] = {{"discovery", {kBackend}, "41"},
                          {"job", {kBackend, jobId, "u", "t", "1", ""}, "42"}};
    for (const Case& c : cases) {
        unlink(statusPath().c_str());
        std::fclose(std::fopen(request.c_str(), "w"));
        Bytes stream = sheet(11, 2436, 0, 0, 0);
        Result result = run(c.argv, env, dir, std::string(stream.begin(), stream.end()));
        EXPECT_EQ(result.status, 0) << c.what << result.err;
        EXPECT_EQ(statusValue(readFile(statusPath()), "TOTAL_COUNT"), c.total) << c.what;
        EXPECT_FALSE(fs::exists(request)) << c.what;
    }
}

// cupsd runs the backend as lp; a --set by root must leave files lp can replace.
TEST_F(Emulator, RootTakesOnTheOwnerOfTheFolder) {
    struct passwd* lp = getpwnam("lp");
    if (geteuid() != 0 || !lp)
        GTEST_SKIP() << "needs root and the user lp";
    std::string folder = dir + "/lp-owned";
    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    ASSERT_EQ(chown(folder.c_str(), lp->pw_uid, lp->pw_gid), 0);
    std::vector<std::string> lpEnv = env;
    lpEnv[0] = "VELMORA_EMULATOR_DIR=" + folder;
    unlink(statusPath().c_str());
    Result result = run({kBackend, "--set", "serial=" + serial}, lpEnv, dir);
    ASSERT_EQ(result.status, 0) << result.err;
    for (const std::string& path : {folder + "/state", folder + "/jobs", statusPath()}) {
        struct stat info;
        ASSERT_EQ(stat(path.c_str(), &info), 0) << path;
        EXPECT_EQ(info.st_uid, lp->pw_uid) << path;
    }
}

TEST_F(Emulator, SetRefusesBadValuesAndKeepsTheState) {
    std::string before = stateText();
    const char* bad[] = {"media=510",     "remain=-1",  "remain=1000000000",
                         "state=abcde",   "colour=red", "sheet_delay_ms=60001",
                         "firmware=1\"2", "noequals"};
    for (const char* assignment : bad) {
        Result result = run({kBackend, "--set", "remain=3", "--set", assignment}, env, dir);
        EXPECT_EQ(result.status, 1) << assignment;
        EXPECT_EQ(stateText(), before) << assignment;
    }
    set({"state=01300"});
    Result status = run({kBackend, "--status"}, env, dir);
    EXPECT_NE(status.out.find("state=01300\nmessage=00104\n"), std::string::npos) << status.out;
}

} // namespace
