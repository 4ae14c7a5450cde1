// SPDX-License-Identifier: Apache-2.0
#include "MonitorTestSupport.h"
#include "statusmonitor.h"

#include <QCoreApplication>
#include <QTimerEvent>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kKeys[] = {
    "PRINTER_STATUS", "PRINTER_MESSAGE", "PRINTER_VERSION", "PRINTER_SERIAL_NO", "MEDIA_SIZE",
    "MEDIA_CLASS",    "MEDIA_INITIAL",   "MEDIA_REMAIN",    "MEDIA_REMAIN_HALF", "TOTAL_COUNT"};

// The ten key lines of a printer that waits with 8x10in media loaded.
std::string keyLines(const std::string& eol = "\n") {
    return "PRINTER_STATUS=\"00000\"" + eol + "PRINTER_MESSAGE=\"00001\"" + eol +
           "PRINTER_VERSION=\"1.02.3\"" + eol + "PRINTER_SERIAL_NO=\"VS12345\"" + eol +
           "MEDIA_SIZE=\"00500\"" + eol + "MEDIA_CLASS=\"0001\"" + eol + "MEDIA_INITIAL=\"50\"" +
           eol + "MEDIA_REMAIN=\"37\"" + eol + "MEDIA_REMAIN_HALF=\"12\"" + eol +
           "TOTAL_COUNT=\"0001234\"" + eol;
}

// Lines without a known prefix; the backend's file has room for seven of them.
std::string otherLines(int count, const std::string& eol = "\n") {
    std::string lines;
    for (int i = 0; i < count; ++i) {
        lines += "RESERVED_" + std::to_string(i) + "=\"x\"" + eol;
    }
    return lines;
}

const QMap<QString, QString> kFullRecord = record({{"PRINTER_STATUS", "00000"},
                                                   {"PRINTER_MESSAGE", "00001"},
                                                   {"PRINTER_VERSION", "1.02.3"},
                                                   {"PRINTER_SERIAL_NO", "VS12345"},
                                                   {"MEDIA_SIZE", "00500"},
                                                   {"MEDIA_CLASS", "0001"},
                                                   {"MEDIA_INITIAL", "50"},
                                                   {"MEDIA_REMAIN", "37"},
                                                   {"MEDIA_REMAIN_HALF", "12"},
                                                   {"TOTAL_COUNT", "0001234"}});

QMap<QString, QString> offlineRecord() {
    QMap<QString, QString> map;
    for (const char* key : kKeys) {
        map.insert(QLatin1String(key), QString());
    }
    map.insert(QStringLiteral("PRINTER_STATUS"), QStringLiteral("99999"));
    map.insert(QStringLiteral("PRINTER_MESSAGE"), QStringLiteral("00006"));
    return map;
}

struct ReadCase {
    const char* name;
    std::string content;
    bool readable;
    QMap<QString, QString> expected;
};

void PrintTo(const ReadCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class StatusFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(StatusFileRead, RecordFromFile) {
    TempDir dir;
    const std::string path = dir.file("TQ-51M_VS12345.log");
    writeFile(path, GetParam().content);
    StatusMonitor monitor(QString::fromStdString(path), 60000, nullptr);
    QMap<QString, QString> map = record({{"STALE", "1"}});
    EXPECT_EQ(monitor.createStatusMap(map), GetParam().readable);
    EXPECT_EQ(map, GetParam().expected);
    EXPECT_EQ(monitor.getPrinterStatus(), GetParam().expected);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, StatusFileRead,
    ::testing::Values(
        ReadCase{"SeventeenLinesEachEndingInLineFeed", keyLines() + otherLines(7), true,
                 kFullRecord},
        ReadCase{"EighteenLinesWithoutFinalLineFeed",
                 keyLines() + otherLines(7) + "RESERVED_LAST=\"x\"", true, kFullRecord},
        ReadCase{"NineteenPartsIsRefused", keyLines() + otherLines(7) + "\n", false, {}},
        ReadCase{"SeventeenPartsIsRefused", keyLines() + otherLines(6), false, {}},
        ReadCase{"CarriageReturnsAreIgnored", keyLines("\r\n") + otherLines(7, "\r\n"), true,
                 kFullRecord},
        ReadCase{"MessageBeforeStatusStopsTheKeys",
                 "PRINTER_MESSAGE=\"00100\"\n" + otherLines(1) + "PRINTER_STATUS=\"01000\"\n" +
                     otherLines(14),
                 true, record({{"PRINTER_STATUS", "01000"}})},
        ReadCase{"EmptyStatusAndVersion",
                 replaced(replaced(keyLines(), "\"00000\"", "\"\""), "\"1.02.3\"", "\"\"") +
                     otherLines(7),
                 true,
                 [] {
                     QMap<QString, QString> map = kFullRecord;
                     map[QStringLiteral("PRINTER_STATUS")] = QStringLiteral("99999");
                     map[QStringLiteral("PRINTER_VERSION")] = QString();
                     return map;
                 }()},
        ReadCase{"TextAfterClosingQuoteIsIgnored",
                 replaced(keyLines(), "MEDIA_SIZE=\"00500\"", "MEDIA_SIZE=\"00500\" trailing") +
                     otherLines(7),
                 true, kFullRecord},
        ReadCase{"LaterTotalCountWins", keyLines() + "TOTAL_COUNT=\"0009999\"\n" + otherLines(6),
                 true,
                 [] {
                     QMap<QString, QString> map = kFullRecord;
                     map[QStringLiteral("TOTAL_COUNT")] = QStringLiteral("0009999");
                     return map;
                 }()}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(StatusFile, MissingFileGivesOfflineRecord) {
    TempDir dir;
    StatusMonitor monitor(QString::fromStdString(dir.file("TQ-51M_NONE.log")), 60000, nullptr);
    QMap<QString, QString> map;
    EXPECT_FALSE(monitor.createStatusMap(map));
    EXPECT_EQ(map, offlineRecord());
    EXPECT_EQ(monitor.getPrinterStatus(), offlineRecord());
}

// The status file's name in /tmp is predictable: what is planted there instead of a
// regular file is treated as unreadable, without blocking and without reading it all.
TEST(StatusFile, OnlyRegularFilesOfSaneSizeAreRead) {
    TempDir dir;
    const std::string fifo = dir.file("TQ-51M_FIFO.log");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string endless = dir.file("TQ-51M_ZERO.log");
    ASSERT_EQ(symlink("/dev/zero", endless.c_str()), 0);
    const std::string huge = dir.file("TQ-51M_HUGE.log");
    writeFile(huge, keyLines() + otherLines(6) + std::string(2 * 1024 * 1024, 'x'));
    for (const std::string& path : {fifo, endless, huge}) {
        StatusMonitor monitor(QString::fromStdString(path), 60000, nullptr);
        EXPECT_EQ(monitor.getPrinterStatus(), offlineRecord()) << path;
    }
}

TEST(StatusFile, FileAppearingBeforeTheRetryIsRead) {
    TempDir dir;
    const std::string path = dir.file("TQ-51M_LATE.log");
    StatusMonitor monitor(QString::fromStdString(path), 60000, nullptr);
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        writeFile(path + ".part", keyLines() + otherLines(7));
        std::rename((path + ".part").c_str(), path.c_str());
    });
    const QMap<QString, QString> map = monitor.getPrinterStatus();
    writer.join();
    EXPECT_EQ(map, kFullRecord);
}

TEST(StatusFile, OwnTickEmitsAndForeignTimerIsIgnored) {
    TempDir dir;
    const std::string path = dir.file("TQ-51M_TICK.log");
    writeFile(path, keyLines() + otherLines(7));

    StatusMonitor idle(QString::fromStdString(path), 60000, nullptr);
    int foreignEmissions = 0;
    QObject::connect(&idle, &StatusMonitor::statusNotification,
                     [&](const QMap<QString, QString>&) { ++foreignEmissions; });
    QObject other;
    const int otherTimer = other.startTimer(60000);
    QTimerEvent foreign(otherTimer);
    QCoreApplication::sendEvent(&idle, &foreign);
    EXPECT_EQ(foreignEmissions, 0);

    StatusMonitor ticking(QString::fromStdString(path), 20, nullptr);
    QList<QMap<QString, QString>> received;
    QObject::connect(&ticking, &StatusMonitor::statusNotification,
                     [&](const QMap<QString, QString>& map) { received.append(map); });
    ASSERT_TRUE(waitUntil([&] { return !received.isEmpty(); }));
    EXPECT_EQ(received.first(), kFullRecord);
}

} // namespace
