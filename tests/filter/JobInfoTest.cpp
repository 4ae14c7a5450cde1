// SPDX-License-Identifier: Apache-2.0
#include <cstring>
#include <string>

#include "FilterTestSupport.h"

namespace {

struct Case {
    const char* text;
    const char* key;
    const char* value; // what the reader leaves in the buffer
};

TEST(JobInfoReader, ValuesOfTheFirstMatchingLine) {
    const Case cases[] = {
        {"MEDIA_REMAIN_HALF=\"3\"\n", "MEDIA_REMAIN_HALF=", "3"},
        {"MEDIA_REMAIN_HALF=3\n", "MEDIA_REMAIN_HALF=", "3"},
        {"PRINTER=1\nMEDIA_SIZE=\"00500\"\n", "MEDIA_SIZE=", "00500"},
        {"MEDIA_SIZE=\"00500\"\r\n", "MEDIA_SIZE=", "00500\r"},
        {"MEDIA_SIZE=\"0A5B0\"\n", "MEDIA_SIZE=", "05B0"},
        {"MEDIA_SIZE=00600", "MEDIA_SIZE=", "00600"},
        {"  x MEDIA_SIZE= \"00510\"\n", "MEDIA_SIZE=", " 00510"},
        {"MEDIA_SIZE=\"00500\"\nMEDIA_SIZE=\"00600\"\n", "MEDIA_SIZE=", "00500"},
        {"MEDIA_REMAIN_HALF=\"3\"\n", "MEDIA_SIZE=", ""},
    };
    for (const Case& c : cases) {
        JobInfoFile info(c.text);
        char buf[128] = {};
        EXPECT_EQ(_GetValuePrInfoFile(c.key, info.JobId(), buf, sizeof(buf)), 0);
        EXPECT_STREQ(buf, c.value) << c.text;
    }
}

TEST(JobInfoReader, ValueTooLongForTheBufferLeavesItUnchanged) {
    JobInfoFile info("MEDIA_SIZE=\"0050012345\"\nMEDIA_SIZE=\"00500\"\n");
    char buf[8] = "keep";
    _GetValuePrInfoFile("MEDIA_SIZE=", info.JobId(), buf, sizeof(buf));
    EXPECT_STREQ(buf, "keep");
    char exact[11] = {};
    _GetValuePrInfoFile("MEDIA_SIZE=", info.JobId(), exact, 10);
    EXPECT_STREQ(exact, "");
    _GetValuePrInfoFile("MEDIA_SIZE=", info.JobId(), exact, 11);
    EXPECT_STREQ(exact, "0050012345");
}

TEST(JobInfoReader, MissingFileAndUnusableJobIds) {
    char buf[128] = "keep";
    _GetValuePrInfoFile("MEDIA_SIZE=", "no-such-job", buf, sizeof(buf));
    _GetValuePrInfoFile("MEDIA_SIZE=", nullptr, buf, sizeof(buf));
    _GetValuePrInfoFile(nullptr, "1", buf, sizeof(buf));
    // A job id far longer than any path must neither overrun a buffer nor find a file.
    const std::string longId(10000, '4');
    EXPECT_EQ(_GetValuePrInfoFile("MEDIA_SIZE=", longId.c_str(), buf, sizeof(buf)), 0);
    EXPECT_STREQ(buf, "keep");
}

TEST(FirmwareVersion, FixedVersion) {
    double version = 0.0;
    EXPECT_EQ(_GetFirmwVersion(0, &version), 0);
    EXPECT_EQ(version, 1.53);
    EXPECT_EQ(_GetFirmwVersion(0, nullptr), 3);
}

} // namespace
