// SPDX-License-Identifier: Apache-2.0
// The shared status library: which files in /tmp it reads, how it splits the file, and the
// two readings of the serial number in a device URI.
#include <DeviceSerial.h>
#include <StatusFile.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kUri = "velmora-zelbackend://VELMORA/TQ-51M?serial=";

class StatusFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/tq51m-status-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
    std::string write(const std::string& name, const std::string& content) {
        std::string path = dir + "/" + name;
        FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(content.data(), 1, content.size(), file);
        std::fclose(file);
        return path;
    }
    std::string dir;
};

TEST_F(StatusFolder, OnlyRegularFilesOfAtMostOneMebibyteAreRead) {
    const std::string regular = write("regular", "PRINTER_STATUS=\"00000\"\n");
    const std::size_t mebibyte = std::size_t{1024} * 1024;
    const std::string limit = write("limit", std::string(mebibyte, 'x'));
    const std::string above = write("above", std::string(mebibyte + 1, 'x'));
    const std::string fifo = dir + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string linkToFile = dir + "/link-to-file";
    const std::string linkToZero = dir + "/link-to-zero";
    ASSERT_EQ(symlink(regular.c_str(), linkToFile.c_str()), 0);
    ASSERT_EQ(symlink("/dev/zero", linkToZero.c_str()), 0);

    struct Row {
        std::string path;
        bool followed;
        bool refused;
    } const rows[] = {
        {regular, true, true},      {limit, true, true},
        {above, false, false},      {fifo, false, false},
        {dir, false, false},        {linkToFile, true, false},
        {linkToZero, false, false}, {dir + "/missing", false, false},
    };
    for (const Row& row : rows) {
        std::string text = "left over";
        EXPECT_EQ(tq51m::ReadStatusFile(row.path, tq51m::StatusLinks::Follow, text), row.followed)
            << row.path;
        EXPECT_EQ(text.empty(), !row.followed) << row.path;
        EXPECT_EQ(tq51m::ReadStatusFile(row.path, tq51m::StatusLinks::Refuse, text), row.refused)
            << row.path;
    }
}

TEST(StatusFields, KeysCountOnlyInTheirOrderAndTheLastTotalCountWins) {
    // 17 lines: MESSAGE before STATUS is never seen, a line without quotes holds the empty
    // text, text after the closing quote and a carriage return are ignored.
    const std::string text = "PRINTER_MESSAGE=\"00100\"\n"
                             "PRINTER_STATUS=\"01000\"\r\n"
                             "PRINTER_VERSION=\n"
                             "PRINTER_SERIAL_NO=\"VS1\"\n"
                             "MEDIA_SIZE=\"00500\"tail\n"
                             "MEDIA_CLASS=\"1\"\n"
                             "MEDIA_INITIAL=\"50\"\n"
                             "MEDIA_REMAIN=\"37\"\n"
                             "MEDIA_REMAIN_HALF=\"12\"\n"
                             "TOTAL_COUNT=\"7\"\n"
                             "TOTAL_COUNT=\"8\"\n"
                             "A\nB\nC\nD\nE\nF\n";
    tq51m::StatusFields fields;
    ASSERT_TRUE(tq51m::ParseStatusFields(text, fields));
    EXPECT_EQ(fields.value[tq51m::kPrinterStatus], "01000");
    EXPECT_FALSE(fields.found[tq51m::kPrinterMessage]);
    EXPECT_FALSE(fields.found[tq51m::kPrinterVersion]);
    EXPECT_FALSE(fields.found[tq51m::kTotalCount]);

    // With the message in its place every later key is found.
    std::string ordered = text;
    ordered.replace(0, ordered.find('\n') + 1, "X\n");
    ordered.replace(ordered.find("PRINTER_VERSION"), 0, "PRINTER_MESSAGE=\"00100\"\n");
    ordered.erase(ordered.rfind("F\n"));
    ASSERT_TRUE(tq51m::ParseStatusFields(ordered, fields));
    EXPECT_EQ(fields.value[tq51m::kPrinterMessage], "00100");
    EXPECT_TRUE(fields.found[tq51m::kPrinterVersion]);
    EXPECT_EQ(fields.value[tq51m::kPrinterVersion], "");
    EXPECT_EQ(fields.value[tq51m::kMediaSize], "00500");
    EXPECT_EQ(fields.value[tq51m::kTotalCount], "8");

    // 19 parts and 17 parts are not a status file.
    EXPECT_FALSE(tq51m::ParseStatusFields(ordered + "\n", fields));
    EXPECT_FALSE(fields.found[tq51m::kPrinterStatus]);
    EXPECT_FALSE(tq51m::ParseStatusFields(ordered.substr(0, ordered.rfind("E\n")), fields));
}

TEST(DeviceSerial, MonitorAndApplicationReadTheirOwnRule) {
    struct Row {
        std::string uri;
        bool tagged;
        std::string afterTag;
        bool staysInTmp;
        std::string plain;
    } const rows[] = {
        {kUri + "ZEL51M0001", true, "ZEL51M0001", true, "ZEL51M0001"},
        {kUri + "A1&port=2", true, "A1&port=2", true, "A1"},
        {kUri + "A1#x", true, "A1#x", true, "A1"},
        {kUri + "..", true, "..", true, ""},
        {kUri + "a/b", true, "a/b", false, ""},
        {kUri + "a%2Fb", true, "a%2Fb", true, ""},
        {kUri + "a b", true, "a b", true, ""},
        {kUri + std::string(64, 'S'), true, std::string(64, 'S'), true, std::string(64, 'S')},
        {kUri + std::string(65, 'S'), true, std::string(65, 'S'), true, ""},
        {kUri, true, "", false, ""},
        {"velmora-zelbackend://VELMORA/TQ-51M", false, "", false, ""},
    };
    for (const Row& row : rows) {
        std::string serial = "left over";
        EXPECT_EQ(tq51m::SerialAfterTag(row.uri, serial), row.tagged) << row.uri;
        EXPECT_EQ(serial, row.afterTag) << row.uri;
        EXPECT_EQ(tq51m::SerialStaysInTmp(serial), row.staysInTmp) << row.uri;
        EXPECT_EQ(tq51m::PlainSerialOf(row.uri), row.plain) << row.uri;
    }
    EXPECT_EQ(tq51m::StatusFilePathOf("ZEL51M0001"), "/tmp/TQ-51M_ZEL51M0001.log");
}

} // namespace
