#include "PhotoPrinterDevice.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

namespace {

const int kHeaderSize = 32;
const size_t kGroupMax = 6;
const size_t kNameMax = 16;
// The length field holds exactly eight digits.
const int kPayloadMax = 99999999;

bool Equals(const char* value, const char* expected) {
    return value != nullptr && std::strcmp(value, expected) == 0;
}

int SaturateToInt(long long value) {
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// The base-10 number at the start of text (0 when there is none), limited to the int range so
// that an oversized option cannot wrap around into an accepted value.
int ReadNumber(const char* text) {
    return SaturateToInt(std::strtoll(text, nullptr, 10));
}

int GammaFromOption(const char* text) {
    double gamma = std::trunc(std::pow(2.0, ReadNumber(text) / 100.0) * 100.0);
    if (gamma >= static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(gamma);
}

int Scaled(const char* text, int factor) {
    return SaturateToInt(static_cast<long long>(ReadNumber(text)) * factor);
}

// Sharpening values for the option values -2 to 8.
const int kSharpnessTable[] = {-1000, -500, 0, 650, 700, 750, 800, 850, 900, 950, 1000};

} // namespace

int DeviceCmd::MakeCmd(const char* group, const char* name, int payloadLen, const void* payload) {
    std::free(m_data);
    m_data = nullptr;
    m_size = 0;

    const bool hasPayload = payloadLen > 0 && payload != nullptr;
    if (hasPayload && payloadLen > kPayloadMax)
        return 3;
    const int size = hasPayload ? payloadLen + kHeaderSize : kHeaderSize;
    auto* data = static_cast<char*>(std::malloc(static_cast<size_t>(size) + 2));
    if (data == nullptr)
        return 2;
    std::memset(data, ' ', size);
    data[size] = 0;
    data[size + 1] = 0;
    data[0] = 0x1B;
    data[1] = 0x50;

    auto fail = [&]() {
        std::free(data);
        return 3;
    };
    if (group == nullptr)
        return fail();
    const size_t groupLen = std::strlen(group);
    if (groupLen > kGroupMax)
        return fail();
    std::memcpy(data + 2, group, groupLen);

    if (name == nullptr) {
        if (hasPayload)
            return fail();
    } else {
        const size_t nameLen = std::strlen(name);
        if (nameLen > kNameMax)
            return fail();
        std::memcpy(data + 8, name, nameLen);
        if (hasPayload) {
            char length[32];
            std::snprintf(length, sizeof(length), "%08d", payloadLen);
            std::memcpy(data + 24, length, 8);
            std::memcpy(data + kHeaderSize, payload, payloadLen);
        }
    }
    m_data = data;
    m_size = size;
    return 0;
}

DeviceEntry::DeviceEntry()
    : m_dpi(300), m_resolutionMode(0), m_paperRotate(false), m_border(false), m_sharpness(0),
      m_colorAdjustment(false), m_gammaR(0), m_gammaG(0), m_gammaB(0), m_brightnessR(0),
      m_brightnessG(0), m_brightnessB(0), m_contrastR(0), m_contrastG(0), m_contrastB(0),
      m_saturation(0), m_output(nullptr) {
    std::memset(&m_mediaInfo, 0, sizeof(m_mediaInfo));
    m_mediaInfo.mediaId = -1;
    std::memset(&m_overcoatInfo, 0, sizeof(m_overcoatInfo));
    m_overcoatInfo.key = -1;
}

DeviceEntry::~DeviceEntry() {
    FreeMediaBuffer();
}

void* DeviceEntry::operator new(std::size_t size) noexcept {
    return std::calloc(1, size);
}

void DeviceEntry::operator delete(void* p) noexcept {
    std::free(p);
}

void DeviceEntry::SetPaperRotate(int, cups_option_s*, ppdfile_s*) {
    m_paperRotate = false;
}

int DeviceEntry::GetRemainHalf(const char*) {
    return 0;
}

int DeviceEntry::GetRemainHalf(const JobInfo&) {
    return 0;
}

int DeviceEntry::SetCommand(char* data, unsigned long len) {
    if (data == nullptr || len == 0)
        return 0;
    // A short write is reported, so that no start command follows an incomplete plane.
    if (m_output == nullptr)
        return std::fwrite(data, 1, len, stdout) == len ? 1 : 0;
    return m_output->Write(data, len) ? 1 : 0;
}

int DeviceEntry::SendCmd(const char* group, const char* name, int payloadLen, const void* payload) {
    DeviceCmd cmd = {nullptr, 0};
    cmd.MakeCmd(group, name, payloadLen, payload);
    std::unique_ptr<char, decltype(&std::free)> owner(cmd.m_data, &std::free);
    if (cmd.m_data != nullptr && cmd.m_size > 0) {
        if (m_output == nullptr)
            std::fwrite(cmd.m_data, 1, cmd.m_size, stdout);
        else
            m_output->Write(cmd.m_data, size_t(cmd.m_size));
    }
    return 1;
}

int DeviceEntry::UpdateMediaInfo(DeviceMediaBufferInfo& info) {
    const long dpi = m_dpi;
    if (dpi != 300 && dpi != 600)
        return 3;
    if (info.mediaId == -1)
        return 0;
    // A record without a base resolution has no geometry to derive.
    if (info.baseDpi <= 0)
        return 3;
    const int32_t r = static_cast<int32_t>(dpi);
    info.dpiX = 300;
    info.dpiY = r;
    info.paperWidth = 300 * info.paperWidthDots / info.baseDpi;
    info.paperLength = r * info.paperLengthDots / info.baseDpi;
    info.headWidth = GetHeadWidth();
    info.imageWidth = 300 * info.imageWidthDots / info.baseDpi;
    info.imageLength = r * info.imageLengthDots / info.baseDpi;
    info.imageGapDots = r * info.imageGap / info.baseDpi;
    info.imagesPerMedia = info.imageCount;
    return 0;
}

int DeviceEntry::SendMediaSize(DeviceMediaBufferInfo* info) {
    if (info == nullptr)
        return 0;
    char payload[32];
    int len = std::snprintf(payload, sizeof(payload), "%08d", info->mediaCode);
    return SendCmd("IMAGE", "MULTICUT", len, payload);
}

int DeviceEntry::SetResolution(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    const char* value = _GetCupsValue("Resolution", numOptions, options, ppd);
    if (Equals(value, "300x600dpi")) {
        m_resolutionMode = 1;
        m_dpi = 600;
    } else if (Equals(value, "600x600dpi")) {
        m_resolutionMode = 2;
        m_dpi = 600;
    } else {
        m_resolutionMode = 0;
        m_dpi = 300;
    }
    return UpdateMediaInfo(m_mediaInfo) == 0 ? 1 : 0;
}

void DeviceEntry::SetBorder(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    m_border = Equals(_GetCupsValue("ZelBorder", numOptions, options, ppd), "Enable");
}

int DeviceEntry::SendOvercoatFinish(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    double firmware = 0.0;
    if (_GetFirmwVersion(0, &firmware) != 0)
        return 0;
    const char* value = _GetCupsValue("ZelOvercoatFinish", numOptions, options, ppd);
    unsigned long finish = 0;
    if (Equals(value, "Luster"))
        finish = 22;
    else if (Equals(value, "Matte"))
        finish = 1;
    else if (Equals(value, "FineMatte"))
        finish = 21;
    if (SetOvercoatFinish(finish, firmware) != 0)
        return 0;
    char payload[32];
    int len = std::snprintf(payload, sizeof(payload), "%08d", m_overcoatInfo.code);
    return SendCmd("CNTRL", "OVERCOAT", len, payload);
}

int DeviceEntry::SendCutterMode(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    long cut = 0;
    if (Equals(_GetCupsValue("Zel2InchCut", numOptions, options, ppd), "Enable") &&
        m_mediaInfo.twoInchCut != 0)
        cut = 120;
    char payload[32];
    int len = std::snprintf(payload, sizeof(payload), "%08ld", cut);
    return SendCmd("CNTRL", "CUTTER", len, payload);
}

int DeviceEntry::SendPrintRetry(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    const int retry =
        Equals(_GetCupsValue("ZelPrintRetry", numOptions, options, ppd), "Disable") ? 0 : 1;
    char payload[32];
    int len = std::snprintf(payload, sizeof(payload), "%08d", retry);
    return SendCmd("CNTRL", "BUFFCNTRL", len, payload);
}

int DeviceEntry::SendPrintSpeed(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    int speed = 0;
    if (Equals(_GetCupsValue("Resolution", numOptions, options, ppd), "300x600dpi"))
        speed =
            Equals(_GetCupsValue("ZelPrintSpeed", numOptions, options, ppd), "Enable") ? 30 : 10;
    char payload[32];
    int len = std::snprintf(payload, sizeof(payload), "%08d", speed);
    return SendCmd("CNTRL", "PRINTSPEED", len, payload);
}

int DeviceEntry::SendDecurl(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    if (!isSupportDecurl())
        return 0;
    const char* value = _GetCupsValue("ZelDecurl", numOptions, options, ppd);
    int decurl = 2;
    if (Equals(value, "Enable"))
        decurl = 1;
    else if (Equals(value, "Disable"))
        decurl = 0;
    char payload[32];
    int len = std::snprintf(payload, sizeof(payload), "%02d0000000000", decurl);
    return SendCmd("CNTRL", "DECURL", len, payload);
}

int DeviceEntry::SendSysTime() {
    if (!isSupportSysTime())
        return 0;
    const time_t now = std::time(nullptr);
    const struct tm* local = std::localtime(&now);
    if (local == nullptr)
        return 0;
    char payload[256] = {};
    int len = std::snprintf(payload, sizeof(payload), "%04d%02d%02d%02d%02d%02d",
                            local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                            local->tm_hour, local->tm_min, local->tm_sec);
    // Only a four-digit year fits the printer's 14-digit clock text.
    if (len != 14)
        return 0;
    payload[len] = '\r';
    return SendCmd("CNTRL", "SET_SYS_TIME", len + 2, payload);
}

void DeviceEntry::SetSharpness(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    m_sharpness = 0;
    const char* value = _GetCupsValue("ZelSharpness", numOptions, options, ppd);
    if (value == nullptr)
        return;
    const unsigned int index = static_cast<unsigned int>(ReadNumber(value)) + 2u;
    if (index <= 10u)
        m_sharpness = kSharpnessTable[index];
}

void DeviceEntry::SetGamma(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    const char* common = _GetCupsValue("ZelGamma", numOptions, options, ppd);
    if (common != nullptr) {
        m_gammaR = m_gammaG = m_gammaB = GammaFromOption(common);
        return;
    }
    auto channel = [&](const char* keyword) {
        const char* value = _GetCupsValue(keyword, numOptions, options, ppd);
        return value != nullptr ? GammaFromOption(value) : 100;
    };
    m_gammaR = channel("ZelGammaR");
    m_gammaG = channel("ZelGammaG");
    m_gammaB = channel("ZelGammaB");
}

void DeviceEntry::SetIntensity(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    const char* common = _GetCupsValue("ZelBrightness", numOptions, options, ppd);
    if (common != nullptr) {
        m_brightnessR = m_brightnessG = m_brightnessB = Scaled(common, 2);
        return;
    }
    auto channel = [&](const char* keyword) {
        const char* value = _GetCupsValue(keyword, numOptions, options, ppd);
        return value != nullptr ? Scaled(value, 2) : 0;
    };
    m_brightnessR = channel("ZelBrightnessR");
    m_brightnessG = channel("ZelBrightnessG");
    m_brightnessB = channel("ZelBrightnessB");
}

void DeviceEntry::SetContrast(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    const char* common = _GetCupsValue("ZelContrast", numOptions, options, ppd);
    if (common != nullptr) {
        m_contrastR = m_contrastG = m_contrastB = Scaled(common, 10);
        return;
    }
    auto channel = [&](const char* keyword) {
        const char* value = _GetCupsValue(keyword, numOptions, options, ppd);
        return value != nullptr ? Scaled(value, 10) : 0;
    };
    m_contrastR = channel("ZelContrastR");
    m_contrastG = channel("ZelContrastG");
    m_contrastB = channel("ZelContrastB");
}

void DeviceEntry::SetSaturation(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    const char* value = _GetCupsValue("ZelChroma", numOptions, options, ppd);
    m_saturation = value != nullptr ? Scaled(value, 10) : 0;
}

void DeviceEntry::SetColorAdjustment(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    m_colorAdjustment = false;
    if (Equals(_GetCupsValue("ZelColorAdjustment", numOptions, options, ppd), "Enable"))
        m_colorAdjustment = true;
}

// The page image pipeline's side of the device: processing a page, placing prints into the
// sheet buffer and sending a sheet.

int DeviceEntry::FreeMediaBuffer() {
    return m_imageBuffer.Free();
}

_tagBITMAPHANDLE* DeviceEntry::MakeImageData(char* pixels, long width, long height, int slot) {
    m_imageBuffer.Alloc(m_mediaInfo);
    m_imageBuffer.m_dpi = m_dpi;
    m_imageBuffer.m_resolutionMode = m_resolutionMode;
    m_imageBuffer.m_paperRotate = m_paperRotate;
    m_imageBuffer.m_border = m_border;
    m_imageBuffer.m_sharpness = m_sharpness;
    m_imageBuffer.m_colorAdjustment = m_colorAdjustment;
    m_imageBuffer.m_gammaR = m_gammaR;
    m_imageBuffer.m_gammaG = m_gammaG;
    m_imageBuffer.m_gammaB = m_gammaB;
    m_imageBuffer.m_brightnessR = m_brightnessR;
    m_imageBuffer.m_brightnessG = m_brightnessG;
    m_imageBuffer.m_brightnessB = m_brightnessB;
    m_imageBuffer.m_contrastR = m_contrastR;
    m_imageBuffer.m_contrastG = m_contrastG;
    m_imageBuffer.m_contrastB = m_contrastB;
    m_imageBuffer.m_saturation = m_saturation;
    return m_imageBuffer.ColorProcess(pixels, width, height, slot);
}

int DeviceEntry::SetImageData(int slot, _tagBITMAPHANDLE* page) {
    return m_imageBuffer.SetImageData(slot, page);
}

int DeviceEntry::SendImageData(int count) {
    DeviceMediaBufferInfo geometry =
        count <= 1 ? m_mediaInfo : GetMultiMediaInfo(&m_mediaInfo, count);
    if (PrintImageData(&geometry) != 1)
        return 0;
    m_imageBuffer.Clear();
    return 1;
}

int DeviceEntry::PrintImageData(DeviceMediaBufferInfo* geometry) {
    SendMediaSize(geometry);
    if (m_imageBuffer.Send(this, geometry) != 0)
        return 0;
    SendCmd("CNTRL", "START", 0, nullptr);
    return 1;
}
