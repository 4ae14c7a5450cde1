#include <climits>
#include <cstring>
#include <ctime>
#include <string>

#include "FilterTestSupport.h"

namespace {

std::string Bytes(const DeviceCmd& cmd) {
    return std::string(cmd.m_data, cmd.m_size);
}

TEST(CommandFrame, StartIsA32ByteFrameWithoutPayload) {
    DeviceCmd cmd = {nullptr, 0};
    ASSERT_EQ(cmd.MakeCmd("CNTRL", "START", -1, nullptr), 0);
    ASSERT_EQ(cmd.m_size, 32);
    EXPECT_EQ(Bytes(cmd), std::string("\x1bP") + "CNTRL " + "START           " + "        ");
    EXPECT_EQ(cmd.m_data[32], 0);
    EXPECT_EQ(cmd.m_data[33], 0);
    std::free(cmd.m_data);
}

TEST(CommandFrame, MulticutWithAnEightDigitPayloadIs40Bytes) {
    DeviceCmd cmd = {nullptr, 0};
    ASSERT_EQ(cmd.MakeCmd("IMAGE", "MULTICUT", 8, "00000408"), 0);
    ASSERT_EQ(cmd.m_size, 40);
    EXPECT_EQ(Bytes(cmd), std::string("\x1bPIMAGE MULTICUT        0000000800000408"));
    std::free(cmd.m_data);
}

TEST(CommandFrame, RefusalsLeaveNoBuffer) {
    struct Case {
        const char* group;
        const char* name;
        int length;
        const char* payload;
    };
    const Case cases[] = {
        {"CNTRLXY", "START", 0, nullptr},             // group of 7 characters
        {"CNTRL", "ABCDEFGHIJKLMNOPQ", 0, nullptr},   // name of 17 characters
        {"CNTRL", nullptr, 8, "00000001"},            // payload without a name
        {nullptr, "START", 0, nullptr},               // no group at all
        {"IMAGE", "YPLANE", 100000000, "0123456789"}, // length needs nine digits
    };
    for (const Case& c : cases) {
        DeviceCmd cmd = {nullptr, 0};
        EXPECT_EQ(cmd.MakeCmd("CNTRL", "START", 0, nullptr), 0);
        EXPECT_EQ(cmd.MakeCmd(c.group, c.name, c.length, c.payload), 3) << c.length;
        EXPECT_EQ(cmd.m_data, nullptr);
        EXPECT_EQ(cmd.m_size, 0);
    }
}

TEST(CommandFrame, EdgesOfNameAndPayload) {
    DeviceCmd cmd = {nullptr, 0};
    ASSERT_EQ(cmd.MakeCmd("CNTRL", nullptr, 0, nullptr), 0);
    EXPECT_EQ(Bytes(cmd), std::string("\x1bPCNTRL ") + std::string(24, ' '));
    ASSERT_EQ(cmd.MakeCmd("IMAGE", "YPLANE", 5, nullptr), 0);
    EXPECT_EQ(Bytes(cmd), Frame("IMAGE", "YPLANE", ""));
    ASSERT_EQ(cmd.MakeCmd("ABCDEF", "ABCDEFGHIJKLMNOP", 2, "xy"), 0);
    EXPECT_EQ(Bytes(cmd), std::string("\x1bPABCDEFABCDEFGHIJKLMNOP00000002xy"));
    std::free(cmd.m_data);
}

TEST(SetCommand, WritesTheBlockOrNothing) {
    auto device = MakeDevice();
    char block[] = "\x1b\x00plane";
    OutputCapture capture(*device);
    EXPECT_EQ(device->SetCommand(block, 0), 0);
    EXPECT_EQ(device->SetCommand(nullptr, 7), 0);
    EXPECT_EQ(device->SetCommand(block, 7), 1);
    EXPECT_EQ(capture.Finish(), std::string(block, 7));
}

TEST(SetCommand, ReportsAFailedWrite) {
    auto device = MakeDevice();
    std::string plane(1 << 20, 'p');
    FILE* full = std::fopen("/dev/full", "w");
    if (full == nullptr)
        GTEST_SKIP() << "no /dev/full";
    FileSink sink(full);
    device->SetOutput(&sink);
    int result = device->SetCommand(plane.data(), plane.size());
    std::fclose(full);
    EXPECT_EQ(result, 0);
}

TEST(SendMediaSize, SendsTheMediaCode) {
    auto device = MakeDevice();
    DeviceMediaBufferInfo info = {};
    info.mediaCode = 13;
    OutputCapture capture(*device);
    EXPECT_EQ(device->SendMediaSize(&info), 1);
    EXPECT_EQ(capture.Finish(), "\x1bPIMAGE MULTICUT        0000000800000013");
}

// A model with both optional commands, to see what the base class sends for them.
class FullModel : public DeviceEntry_TQ51M {
  public:
    bool isSupportDecurl() override { return true; }
    bool isSupportSysTime() override { return true; }
};

std::string ClockText(time_t when) {
    char text[32];
    std::strftime(text, sizeof(text), "%Y%m%d%H%M%S", std::localtime(&when));
    return text;
}

TEST(SendSysTime, SendsLocalTimeWithCarriageReturnAndZero) {
    FullModel device;
    std::string before, after, out;
    do {
        before = ClockText(std::time(nullptr));
        OutputCapture capture(device);
        EXPECT_EQ(device.SendSysTime(), 1);
        out = capture.Finish();
        after = ClockText(std::time(nullptr));
    } while (before != after);
    EXPECT_EQ(out, Frame("CNTRL", "SET_SYS_TIME", before + std::string("\r\0", 2)));
    EXPECT_EQ(out.substr(24, 8), "00000016");
}

TEST(SendSysTime, ThisModelSendsNoClockAndNoDecurl) {
    auto device = MakeDevice();
    ParsedOptions job("ZelDecurl=Enable");
    OutputCapture capture(*device);
    EXPECT_EQ(device->SendSysTime(), 0);
    EXPECT_EQ(device->SendDecurl(job.count(), job.options(), job.ppd()), 0);
    EXPECT_EQ(capture.Finish(), "");
}

TEST(SendDecurl, MapsTheOptionWhenSupported) {
    const std::pair<const char*, const char*> cases[] = {
        {"ZelDecurl=Enable", "010000000000"},
        {"ZelDecurl=Disable", "000000000000"},
        {"ZelDecurl=enable", "020000000000"},
        {"", "020000000000"},
    };
    for (const auto& [options, payload] : cases) {
        FullModel device;
        ParsedOptions job(options);
        OutputCapture capture(device);
        EXPECT_EQ(device.SendDecurl(job.count(), job.options(), job.ppd()), 1);
        EXPECT_EQ(capture.Finish(), Frame("CNTRL", "DECURL", payload)) << options;
    }
}

TEST(DeviceEntry, StartsWithTheDocumentedSettings) {
    auto device = MakeDevice();
    EXPECT_EQ(device->m_mediaInfo.mediaId, -1);
    EXPECT_EQ(device->m_mediaInfo.mediaCode, 0);
    EXPECT_EQ(device->m_mediaInfo.headWidth, 0);
    EXPECT_EQ(device->m_overcoatInfo.key, -1);
    EXPECT_EQ(device->m_settings.dpi, 300);
    EXPECT_EQ(device->m_settings.resolutionMode, 0);
    EXPECT_FALSE(device->m_settings.border);
    EXPECT_FALSE(device->m_settings.paperRotate);
    EXPECT_FALSE(device->m_settings.colorAdjustment);
    EXPECT_EQ(device->m_settings.sharpness, 0);
    EXPECT_EQ(device->m_settings.gamma.r, 0);
    EXPECT_EQ(device->m_settings.saturation, 0);
    EXPECT_EQ(device->GetRemainHalf("no-such-job"), 0);
}

} // namespace
