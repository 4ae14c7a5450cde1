#include <array>
#include <climits>

#include "FilterTestSupport.h"

namespace {

void Apply(DeviceEntry& device, const ParsedOptions& job) {
    device.SetSharpness(job.count(), job.options(), job.ppd());
    device.SetGamma(job.count(), job.options(), job.ppd());
    device.SetIntensity(job.count(), job.options(), job.ppd());
    device.SetContrast(job.count(), job.options(), job.ppd());
    device.SetSaturation(job.count(), job.options(), job.ppd());
    device.SetColorAdjustment(job.count(), job.options(), job.ppd());
}

TEST(SetSharpness, OptionIndexIntoTheTable) {
    const std::pair<const char*, int> cases[] = {
        {"ZelSharpness=-2", -1000},
        {"ZelSharpness=-1", -500},
        {"ZelSharpness=0", 0},
        {"ZelSharpness=1", 650},
        {"ZelSharpness=2", 700},
        {"ZelSharpness=3", 750},
        {"ZelSharpness=4", 800},
        {"ZelSharpness=5", 850},
        {"ZelSharpness=6", 900},
        {"ZelSharpness=7", 950},
        {"ZelSharpness=8", 1000},
        {"ZelSharpness=9", 0},
        {"ZelSharpness=-3", 0},
        {"ZelSharpness=abc", 0},
        {"ZelSharpness=3px", 750},
        {"", 0},
        // Beyond the int range the number must not wrap into the table (2^32 + 1 is not 1).
        {"ZelSharpness=4294967297", 0},
    };
    for (const auto& [options, sharpness] : cases) {
        auto device = MakeDevice();
        ParsedOptions job(options);
        device->SetSharpness(job.count(), job.options(), job.ppd());
        EXPECT_EQ(device->m_settings.sharpness, sharpness) << options;
    }
}

struct ColourCase {
    const char* options;
    const char* ppd;
    std::array<int, 3> gamma, brightness, contrast;
    int saturation;
    bool adjust;
};

TEST(ColourSettings, CommonOptionWinsOverChannels) {
    const ColourCase cases[] = {
        {"", "", {100, 100, 100}, {0, 0, 0}, {0, 0, 0}, 0, false},
        {"ZelGamma=0 ZelGammaR=100", "", {100, 100, 100}, {0, 0, 0}, {0, 0, 0}, 0, false},
        {"ZelGammaG=-100", "", {100, 50, 100}, {0, 0, 0}, {0, 0, 0}, 0, false},
        {"ZelGammaR=-50 ZelGammaB=50", "", {70, 100, 141}, {0, 0, 0}, {0, 0, 0}, 0, false},
        {"ZelGamma=100", "", {200, 200, 200}, {0, 0, 0}, {0, 0, 0}, 0, false},
        {"ZelGamma=-665", "", {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, 0, false},
        {"ZelGamma=abc", "", {100, 100, 100}, {0, 0, 0}, {0, 0, 0}, 0, false},
        {"ZelBrightness=25 ZelBrightnessR=3",
         "",
         {100, 100, 100},
         {50, 50, 50},
         {0, 0, 0},
         0,
         false},
        {"ZelBrightnessR=3 ZelBrightnessB=-7",
         "",
         {100, 100, 100},
         {6, 0, -14},
         {0, 0, 0},
         0,
         false},
        {"ZelContrast=-30", "", {100, 100, 100}, {0, 0, 0}, {-300, -300, -300}, 0, false},
        {"ZelContrastG=4", "", {100, 100, 100}, {0, 0, 0}, {0, 40, 0}, 0, false},
        {"ZelChroma=12 ZelColorAdjustment=Enable",
         "",
         {100, 100, 100},
         {0, 0, 0},
         {0, 0, 0},
         120,
         true},
        {"ZelColorAdjustment=enable", "", {100, 100, 100}, {0, 0, 0}, {0, 0, 0}, 0, false},
        {"ZelColorAdjustment='Enable '", "", {100, 100, 100}, {0, 0, 0}, {0, 0, 0}, 0, false},
        {"ZelChroma=x5",
         "*DefaultZelColorAdjustment: Enable\n*DefaultZelContrast: 2\n",
         {100, 100, 100},
         {0, 0, 0},
         {20, 20, 20},
         0,
         true},
        {"ZelContrast=-1",
         "*DefaultZelContrast: 2\n",
         {100, 100, 100},
         {0, 0, 0},
         {-10, -10, -10},
         0,
         false},
        // Oversized values saturate and are then refused by the library, never wrapped.
        {"ZelContrast=429496730 ZelBrightness=-2147483648 ZelChroma=99999999999 "
         "ZelGamma=10000000",
         "",
         {INT_MAX, INT_MAX, INT_MAX},
         {INT_MIN, INT_MIN, INT_MIN},
         {INT_MAX, INT_MAX, INT_MAX},
         INT_MAX,
         false},
    };
    for (const ColourCase& c : cases) {
        auto device = MakeDevice();
        device->m_settings.colorAdjustment = true;
        ParsedOptions job(c.options, c.ppd);
        Apply(*device, job);
        std::array<int, 3> gamma = {device->m_settings.gamma.r, device->m_settings.gamma.g,
                                    device->m_settings.gamma.b};
        std::array<int, 3> brightness = {device->m_settings.brightness.r,
                                         device->m_settings.brightness.g,
                                         device->m_settings.brightness.b};
        std::array<int, 3> contrast = {device->m_settings.contrast.r, device->m_settings.contrast.g,
                                       device->m_settings.contrast.b};
        EXPECT_EQ(gamma, c.gamma) << c.options;
        EXPECT_EQ(brightness, c.brightness) << c.options;
        EXPECT_EQ(contrast, c.contrast) << c.options;
        EXPECT_EQ(device->m_settings.saturation, c.saturation) << c.options;
        EXPECT_EQ(device->m_settings.colorAdjustment, c.adjust) << c.options;
    }
}

} // namespace
