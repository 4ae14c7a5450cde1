#include "PhotoPrinterDevice.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include "Handles.h"

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

int BrightnessFromOption(const char* text) {
    return Scaled(text, 2);
}

int ContrastFromOption(const char* text) {
    return Scaled(text, 10);
}

// A tone setting: the common keyword sets all three channels; without it each channel is read
// from the keyword plus "R", "G" or "B", and a missing channel takes `missing`.
ChannelValues ReadChannels(const char* keyword, int (*convert)(const char*), int missing,
                           int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    const char* common = _GetCupsValue(keyword, numOptions, options, ppd);
    if (common != nullptr) {
        const int value = convert(common);
        return ChannelValues{value, value, value};
    }
    auto channel = [&](const char* suffix) {
        const std::string channelKeyword = std::string(keyword) + suffix;
        const char* value = _GetCupsValue(channelKeyword.c_str(), numOptions, options, ppd);
        return value != nullptr ? convert(value) : missing;
    };
    // Braced initialisation reads the channels in order: R, G, B.
    return ChannelValues{channel("R"), channel("G"), channel("B")};
}

// A command whose payload is one number as eight decimal digits.
int SendNumber(DeviceEntry& device, const char* group, const char* name, long value) {
    char payload[32];
    int len = std::snprintf(payload, sizeof(payload), "%08ld", value);
    return device.SendCmd(group, name, len, payload);
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
    HeapBlock<char> data(static_cast<char*>(std::malloc(static_cast<size_t>(size) + 2)));
    if (!data)
        return 2;
    char* bytes = data.get();
    std::memset(bytes, ' ', size);
    bytes[size] = 0;
    bytes[size + 1] = 0;
    bytes[0] = 0x1B;
    bytes[1] = 0x50;

    if (group == nullptr)
        return 3;
    const size_t groupLen = std::strlen(group);
    if (groupLen > kGroupMax)
        return 3;
    std::memcpy(bytes + 2, group, groupLen);

    if (name == nullptr) {
        if (hasPayload)
            return 3;
    } else {
        const size_t nameLen = std::strlen(name);
        if (nameLen > kNameMax)
            return 3;
        std::memcpy(bytes + 8, name, nameLen);
        if (hasPayload) {
            char length[32];
            std::snprintf(length, sizeof(length), "%08d", payloadLen);
            std::memcpy(bytes + 24, length, 8);
            std::memcpy(bytes + kHeaderSize, payload, payloadLen);
        }
    }
    m_data = data.release();
    m_size = size;
    return 0;
}

DeviceEntry::DeviceEntry() : m_output(nullptr) {
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
    m_settings.paperRotate = false;
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
    return m_output != nullptr && m_output->Write(data, len) ? 1 : 0;
}

int DeviceEntry::SendCmd(const char* group, const char* name, int payloadLen, const void* payload) {
    DeviceCmd cmd = {nullptr, 0};
    cmd.MakeCmd(group, name, payloadLen, payload);
    HeapBlock<char> owner(cmd.m_data);
    if (m_output != nullptr && cmd.m_data != nullptr && cmd.m_size > 0)
        m_output->Write(cmd.m_data, size_t(cmd.m_size));
    return 1;
}

int DeviceEntry::UpdateMediaInfo(DeviceMediaBufferInfo& info) {
    const long dpi = m_settings.dpi;
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
    return SendNumber(*this, "IMAGE", "MULTICUT", info->mediaCode);
}

int DeviceEntry::SetResolution(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    const char* value = _GetCupsValue("Resolution", numOptions, options, ppd);
    if (Equals(value, "300x600dpi")) {
        m_settings.resolutionMode = 1;
        m_settings.dpi = 600;
    } else if (Equals(value, "600x600dpi")) {
        m_settings.resolutionMode = 2;
        m_settings.dpi = 600;
    } else {
        m_settings.resolutionMode = 0;
        m_settings.dpi = 300;
    }
    return UpdateMediaInfo(m_mediaInfo) == 0 ? 1 : 0;
}

void DeviceEntry::SetBorder(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    m_settings.border = Equals(_GetCupsValue("ZelBorder", numOptions, options, ppd), "Enable");
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
    return SendNumber(*this, "CNTRL", "OVERCOAT", m_overcoatInfo.code);
}

int DeviceEntry::SendCutterMode(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    long cut = 0;
    if (Equals(_GetCupsValue("Zel2InchCut", numOptions, options, ppd), "Enable") &&
        m_mediaInfo.twoInchCut != 0)
        cut = 120;
    return SendNumber(*this, "CNTRL", "CUTTER", cut);
}

int DeviceEntry::SendPrintRetry(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    const int retry =
        Equals(_GetCupsValue("ZelPrintRetry", numOptions, options, ppd), "Disable") ? 0 : 1;
    return SendNumber(*this, "CNTRL", "BUFFCNTRL", retry);
}

int DeviceEntry::SendPrintSpeed(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    int speed = 0;
    if (Equals(_GetCupsValue("Resolution", numOptions, options, ppd), "300x600dpi"))
        speed =
            Equals(_GetCupsValue("ZelPrintSpeed", numOptions, options, ppd), "Enable") ? 30 : 10;
    return SendNumber(*this, "CNTRL", "PRINTSPEED", speed);
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
    m_settings.sharpness = 0;
    const char* value = _GetCupsValue("ZelSharpness", numOptions, options, ppd);
    if (value == nullptr)
        return;
    const unsigned int index = static_cast<unsigned int>(ReadNumber(value)) + 2u;
    if (index <= 10u)
        m_settings.sharpness = kSharpnessTable[index];
}

void DeviceEntry::SetGamma(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    m_settings.gamma = ReadChannels("ZelGamma", GammaFromOption, 100, numOptions, options, ppd);
}

void DeviceEntry::SetIntensity(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    m_settings.brightness =
        ReadChannels("ZelBrightness", BrightnessFromOption, 0, numOptions, options, ppd);
}

void DeviceEntry::SetContrast(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    m_settings.contrast =
        ReadChannels("ZelContrast", ContrastFromOption, 0, numOptions, options, ppd);
}

void DeviceEntry::SetSaturation(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    const char* value = _GetCupsValue("ZelChroma", numOptions, options, ppd);
    m_settings.saturation = value != nullptr ? Scaled(value, 10) : 0;
}

void DeviceEntry::SetColorAdjustment(int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    m_settings.colorAdjustment =
        Equals(_GetCupsValue("ZelColorAdjustment", numOptions, options, ppd), "Enable");
}

// The page image pipeline's side of the device: processing a page, placing prints into the
// sheet buffer and sending a sheet.

int DeviceEntry::FreeMediaBuffer() {
    return m_imageBuffer.Free();
}

_tagBITMAPHANDLE* DeviceEntry::MakeImageData(char* pixels, long width, long height, int slot) {
    m_imageBuffer.Alloc(m_mediaInfo);
    m_imageBuffer.m_settings = m_settings;
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
    if (m_imageBuffer.Send(m_output, geometry) != 0)
        return 0;
    SendCmd("CNTRL", "START", 0, nullptr);
    return 1;
}
