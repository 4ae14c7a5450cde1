#include <string>

#include "FilterTestSupport.h"

namespace {

TEST(SetResolution, ModeAndFeedResolution) {
    struct Case {
        const char* options;
        const char* ppd;
        long mode;
        long dpi;
    };
    const Case cases[] = {
        {"Resolution=300x600dpi", "", 1, 600},
        {"Resolution=600x600dpi", "*DefaultResolution: 300x600dpi\n", 2, 600},
        {"", "*DefaultResolution: 300x600dpi\n", 1, 600},
        {"Resolution=300x300dpi", "*DefaultResolution: 600x600dpi\n", 0, 300},
        {"Resolution=600X600dpi", "", 0, 300},
        {"", "", 0, 300},
    };
    for (const Case& c : cases) {
        auto device = MakeDevice();
        ParsedOptions job(c.options, c.ppd);
        EXPECT_EQ(device->SetResolution(job.count(), job.options(), job.ppd()), 1) << c.options;
        EXPECT_EQ(device->m_settings.resolutionMode, c.mode) << c.options;
        EXPECT_EQ(device->m_settings.dpi, c.dpi) << c.options;
    }
}

TEST(SetResolution, RecomputesASetMedia) {
    auto device = MakeDevice();
    ParsedOptions job("PageSize=207x105mm Resolution=300x600dpi");
    ASSERT_EQ(device->SetMediaSize(job.count(), job.options(), job.ppd()), 1);
    EXPECT_EQ(device->m_mediaInfo.paperLength, 1236);
    EXPECT_EQ(device->SetResolution(job.count(), job.options(), job.ppd()), 1);
    EXPECT_EQ(device->m_mediaInfo.paperLength, 2472);
}

TEST(SetBorderAndRotate, OnlyExactEnable) {
    const std::pair<const char*, bool> cases[] = {
        {"ZelBorder=Enable", true},
        {"ZelBorder=enable", false},
        {"ZelBorder=Enabled", false},
        {"", false},
    };
    for (const auto& [options, border] : cases) {
        auto device = MakeDevice();
        device->m_settings.paperRotate = true;
        ParsedOptions job(options);
        device->SetBorder(job.count(), job.options(), job.ppd());
        device->SetPaperRotate(job.count(), job.options(), job.ppd());
        EXPECT_EQ(device->m_settings.border, border) << options;
        EXPECT_FALSE(device->m_settings.paperRotate);
    }
}

using Sender = int (DeviceEntry::*)(int, cups_option_t*, ppdfile_s*);

struct SendCase {
    const char* options;
    const char* ppd;
    const char* payload;
};

void ExpectSent(Sender send, const char* name, const std::vector<SendCase>& cases) {
    for (const SendCase& c : cases) {
        auto device = MakeDevice();
        ParsedOptions job(c.options, c.ppd);
        device->SetMediaSize(job.count(), job.options(), job.ppd());
        OutputCapture capture(*device);
        EXPECT_EQ(((*device).*send)(job.count(), job.options(), job.ppd()), 1) << c.options;
        EXPECT_EQ(capture.Finish(), Frame("CNTRL", name, c.payload)) << name << " " << c.options;
    }
}

TEST(SendCutterMode, TwoInchCutOnlyOnMediaThatAllowsIt) {
    ExpectSent(&DeviceEntry::SendCutterMode, "CUTTER",
               {
                   {"Zel2InchCut=Enable PageSize=214x300mm", "", "00000120"},
                   {"Zel2InchCut=Enable PageSize=207x257mm", "", "00000120"},
                   {"Zel2InchCut=Enable PageSize=207x308mm", "", "00000120"},
                   {"Zel2InchCut=Enable PageSize=207x105mm", "", "00000000"},
                   {"Zel2InchCut=Enable", "", "00000000"},
                   {"Zel2InchCut=ENABLE PageSize=214x300mm", "", "00000000"},
                   {"PageSize=214x300mm", "*DefaultZel2InchCut: Enable\n", "00000120"},
                   {"PageSize=214x300mm", "", "00000000"},
               });
}

TEST(SendCutterMode, CompleteFrameFor120) {
    auto device = MakeDevice();
    ParsedOptions job("Zel2InchCut=Enable media=214x300mm");
    device->SetMediaSize(job.count(), job.options(), job.ppd());
    OutputCapture capture(*device);
    device->SendCutterMode(job.count(), job.options(), job.ppd());
    EXPECT_EQ(capture.Finish(), std::string("\x1bPCNTRL CUTTER          0000000800000120"));
}

TEST(SendOvercoatFinish, FinishNamesToCodes) {
    ExpectSent(&DeviceEntry::SendOvercoatFinish, "OVERCOAT",
               {
                   {"ZelOvercoatFinish=Glossy", "", "00000000"},
                   {"ZelOvercoatFinish=Luster", "", "00000022"},
                   {"ZelOvercoatFinish=Matte", "", "00000001"},
                   {"ZelOvercoatFinish=FineMatte", "", "00000021"},
                   {"ZelOvercoatFinish=matte", "", "00000000"},
                   {"", "*DefaultZelOvercoatFinish: Luster\n", "00000022"},
                   {"ZelOvercoatFinish=Matte", "*DefaultZelOvercoatFinish: Luster\n", "00000001"},
                   {"", "", "00000000"},
               });
}

TEST(SendOvercoatFinish, SelectsTheRow) {
    auto device = MakeDevice();
    ParsedOptions job("ZelOvercoatFinish=FineMatte");
    OutputCapture capture(*device);
    device->SendOvercoatFinish(job.count(), job.options(), job.ppd());
    capture.Finish();
    EXPECT_EQ(device->m_overcoatInfo.key, 21);
    EXPECT_EQ(device->m_overcoatInfo.code, 21);
}

TEST(SendPrintRetry, DisableOnlyTurnsItOff) {
    ExpectSent(&DeviceEntry::SendPrintRetry, "BUFFCNTRL",
               {
                   {"ZelPrintRetry=Disable", "", "00000000"},
                   {"ZelPrintRetry=disable", "", "00000001"},
                   {"ZelPrintRetry=Enable", "", "00000001"},
                   {"", "*DefaultZelPrintRetry: Disable\n", "00000000"},
                   {"", "", "00000001"},
               });
}

TEST(SendPrintSpeed, ResolutionThenSpeedOption) {
    ExpectSent(
        &DeviceEntry::SendPrintSpeed, "PRINTSPEED",
        {
            {"Resolution=300x600dpi ZelPrintSpeed=Enable", "", "00000030"},
            {"Resolution=300x600dpi ZelPrintSpeed=Disable", "", "00000010"},
            {"Resolution=300x600dpi", "", "00000010"},
            {"Resolution=600x600dpi ZelPrintSpeed=Enable", "", "00000000"},
            {"ZelPrintSpeed=Enable", "", "00000000"},
            {"ZelPrintSpeed=Enable", "*DefaultResolution: 300x600dpi\n", "00000030"},
            {"", "*DefaultResolution: 300x600dpi\n*DefaultZelPrintSpeed: Enable\n", "00000030"},
        });
}

} // namespace
