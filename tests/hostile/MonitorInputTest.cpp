// SPDX-License-Identifier: Apache-2.0
// Hostile status files and device URIs against the status monitor: the offline view or a
// record of what could be read, never a hang, a crash, unbounded memory or a file written
// outside /tmp.
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMap>
#include <QString>

#include <cups/cups.h>
#include <gtest/gtest.h>

#include "HostileSupport.h"
#include "statusdialog.h"
#include "statusmonitor.h"

using namespace hostile;

namespace {

const char kKeyLines[] = "PRINTER_STATUS=\"00000\"\n"
                         "PRINTER_MESSAGE=\"00000\"\n"
                         "PRINTER_VERSION=\"1.53\"\n"
                         "PRINTER_SERIAL_NO=\"VX0001\"\n"
                         "MEDIA_SIZE=\"00500\"\n"
                         "MEDIA_CLASS=\"01\"\n"
                         "MEDIA_INITIAL=\"200\"\n"
                         "MEDIA_REMAIN=\"123\"\n"
                         "MEDIA_REMAIN_HALF=\"3\"\n"
                         "TOTAL_COUNT=\"4567\"\n"
                         "\n\n\n\n\n\n\n";

QMap<QString, QString> offlineRecord() {
    QMap<QString, QString> record;
    for (const char* key : {"PRINTER_VERSION", "PRINTER_SERIAL_NO", "MEDIA_SIZE", "MEDIA_CLASS",
                            "MEDIA_INITIAL", "MEDIA_REMAIN", "MEDIA_REMAIN_HALF", "TOTAL_COUNT"})
        record.insert(key, QString());
    record.insert("PRINTER_STATUS", "99999");
    record.insert("PRINTER_MESSAGE", "00006");
    return record;
}

QMap<QString, QString> poll(const std::string& path) {
    StatusMonitor monitor(QString::fromStdString(path), 60000, nullptr);
    return monitor.getPrinterStatus();
}

long maxRssKb() {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(HostileStatusFile, HundredMegabytesAreNotRead) {
    TempFile status("status.log");
    ASSERT_TRUE(writeFile(status.path(), kKeyLines));
    ASSERT_EQ(truncate(status.path().c_str(), 100 << 20), 0);
    const long before = maxRssKb();
    EXPECT_EQ(poll(status.path()), offlineRecord());
    EXPECT_LT(maxRssKb() - before, 20 * 1024);
}

// Text that is not UTF-8 becomes replacement characters and NUL bytes stay in their value;
// the keys and the other values are read as usual.
TEST(HostileStatusFile, InvalidUtf8AndNulBytes) {
    std::string text = kKeyLines;
    text.replace(text.find("1.53"), 4, std::string("1\xff\xfe\xc3", 4));
    text.replace(text.find("VX0001"), 6,
                 std::string("VX\0\0"
                             "01",
                             6));
    TempFile status("status.log");
    ASSERT_TRUE(writeFile(status.path(), text));
    const QMap<QString, QString> record = poll(status.path());
    ASSERT_EQ(record.size(), 10);
    EXPECT_EQ(record.value("PRINTER_STATUS"), "00000");
    EXPECT_EQ(record.value("PRINTER_VERSION").left(1), "1");
    EXPECT_TRUE(record.value("PRINTER_VERSION").contains(QChar(0xFFFD)));
    EXPECT_EQ(record.value("PRINTER_SERIAL_NO"), QString::fromUtf8("VX\0\0"
                                                                   "01",
                                                                   6));
    EXPECT_EQ(record.value("TOTAL_COUNT"), "4567");
}

TEST(HostileStatusFile, DirectoryGivesTheOfflineView) {
    TempFile status("status.log");
    ASSERT_EQ(mkdir(status.path().c_str(), 0755), 0);
    EXPECT_EQ(poll(status.path()), offlineRecord());
}

// A link is followed like the backend's own file would be: to a status file it reads that
// file, to nothing or to something that is not a regular file it gives the offline view.
TEST(HostileStatusFile, SymbolicLinks) {
    TempFile target("target.log"), link("status.log"), dangling("dangling.log");
    ASSERT_TRUE(writeFile(target.path(), kKeyLines));
    ASSERT_EQ(symlink(target.path().c_str(), link.path().c_str()), 0);
    EXPECT_EQ(poll(link.path()).value("TOTAL_COUNT"), "4567");
    ASSERT_EQ(symlink("/nonexistent/tq51m", dangling.path().c_str()), 0);
    EXPECT_EQ(poll(dangling.path()), offlineRecord());
    unlink(link.path().c_str());
    ASSERT_EQ(symlink("/tmp", link.path().c_str()), 0);
    EXPECT_EQ(poll(link.path()), offlineRecord());
}

// A private scheduler with one queue per hostile device URI.
class HostileDeviceUri : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (getuid() != 0)
            return;
        s_dir = "/tmp/" + uniqueName("cupsd");
        if (run({PRIVATE_CUPSD, "start", s_dir}) != 0) {
            s_dir.clear();
            return;
        }
        std::ifstream env(s_dir + "/env");
        std::string line;
        while (std::getline(env, line)) {
            const std::string prefix = "export ";
            if (line.rfind(prefix, 0) != 0)
                continue;
            const std::string assignment = line.substr(prefix.size());
            const size_t equals = assignment.find('=');
            if (assignment.substr(0, equals) != "HOME")
                setenv(assignment.substr(0, equals).c_str(), assignment.substr(equals + 1).c_str(),
                       1);
        }
        cupsSetServer(nullptr);
    }

    static void TearDownTestSuite() {
        if (!s_dir.empty())
            run({PRIVATE_CUPSD, "stop", s_dir});
    }

    void SetUp() override {
        if (s_dir.empty())
            GTEST_SKIP() << "needs root for a private scheduler";
    }

    static int run(const std::vector<std::string>& args) {
        pid_t pid = fork();
        if (pid == 0) {
            int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            std::vector<std::string> words = args;
            std::vector<char*> argv;
            for (std::string& word : words)
                argv.push_back(word.data());
            argv.push_back(nullptr);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static std::string s_dir;
};

std::string HostileDeviceUri::s_dir;

struct UriCase {
    const char* name;
    std::string serial;
    bool polled; // the monitor polls it and creates its request file in /tmp
};

void PrintTo(const UriCase& c, std::ostream* os) {
    *os << c.name;
}

class HostileSerial : public HostileDeviceUri, public ::testing::WithParamInterface<UriCase> {};

// The serial number names files in /tmp. One that stays a plain name there is used as it
// is; one with a slash or too long for the request name gives the offline view and no file.
TEST_P(HostileSerial, StaysInTmpOrIsOffline) {
    const UriCase& c = GetParam();
    const std::string uri = "velmora-zelbackend://VELMORA/TQ-51M?serial=" + c.serial;
    ASSERT_EQ(run({"lpadmin", "-p", "Hostile", "-E", "-v", uri}), 0);
    const std::string util = "/tmp/TQ-51M_" + c.serial + "_UTIL";
    {
        StatusDialog dialog(nullptr);
        EXPECT_EQ(dialog.findChild<StatusMonitor*>() != nullptr, c.polled);
        EXPECT_EQ(access(util.c_str(), F_OK) == 0, c.polled) << util;
        dialog.push_update();
    }
    EXPECT_NE(access(util.c_str(), F_OK), 0);
    const std::string tcUtil = "/tmp/TQ-51M_" + c.serial + "_TC_UTIL";
    EXPECT_EQ(access(tcUtil.c_str(), F_OK) == 0, c.polled) << tcUtil;
    unlink(tcUtil.c_str());
    run({"lpadmin", "-x", "Hostile"});
}

INSTANTIATE_TEST_SUITE_P(
    Uris, HostileSerial,
    ::testing::Values(UriCase{"DotDot", "..", true},
                      UriCase{"DotDotSlash", "../../../etc/tq51m-hostile", false},
                      UriCase{"Slash", "a/b", false}, UriCase{"PercentEscapes", "%25s%25n", true},
                      UriCase{"FiveHundredCharacters", std::string(500, '9'), false}),
    [](const auto& info) { return std::string(info.param.name); });

// CUPS itself refuses a device URI with a line feed or a bare percent sign: no such queue
// ever reaches the monitor.
TEST_F(HostileDeviceUri, LineFeedAndFormatCharactersAreRefusedByCups) {
    for (const char* serial : {"A\nB", "%s%s%n"}) {
        EXPECT_NE(run({"lpadmin", "-p", "HostileRefused", "-E", "-v",
                       std::string("velmora-zelbackend://VELMORA/TQ-51M?serial=") + serial}),
                  0)
            << serial;
        cups_dest_t* dests = nullptr;
        const int count = cupsGetDests(&dests);
        EXPECT_EQ(cupsGetDest("HostileRefused", nullptr, count, dests), nullptr);
        cupsFreeDests(count, dests);
    }
}

// The request file's name is predictable: a directory planted there is left alone (no
// request is made, polling goes on); a regular file of another user is emptied as the
// request and keeps its owner and mode. Planted links
// and special files are covered by the monitor's own tests
// (PrinterSelection.RequestFilesRefuseLinksAndKeepForeignModes).
TEST_F(HostileDeviceUri, RequestPathTakenByADirectoryOrAnotherUsersFile) {
    const std::string serial = uniqueName("req");
    const std::string util = "/tmp/TQ-51M_" + serial + "_UTIL";
    const std::string tcUtil = "/tmp/TQ-51M_" + serial + "_TC_UTIL";
    ASSERT_EQ(run({"lpadmin", "-p", "Planted", "-E", "-v",
                   "velmora-zelbackend://VELMORA/TQ-51M?serial=" + serial}),
              0);
    ASSERT_EQ(mkdir(util.c_str(), 0700), 0);
    ASSERT_TRUE(writeFile(tcUtil, "foreign"));
    ASSERT_EQ(chown(tcUtil.c_str(), 65534, 65534), 0);
    ASSERT_EQ(chmod(tcUtil.c_str(), 0640), 0);
    {
        StatusDialog dialog(nullptr);
        EXPECT_NE(dialog.findChild<StatusMonitor*>(), nullptr);
        dialog.push_update();
    }
    struct stat info;
    ASSERT_EQ(lstat(util.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    ASSERT_EQ(lstat(tcUtil.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(info.st_size, 0);
    rmdir(util.c_str());
    unlink(tcUtil.c_str());
    run({"lpadmin", "-x", "Planted"});
}

} // namespace

int main(int argc, char** argv) {
    // The test discovery runs this program outside ctest's environment, too.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Printer application servers running on this machine must not add to the printer list.
    setenv("TQ51M_APP_SERVER", "/nonexistent/tq51m-printer-app.sock", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
