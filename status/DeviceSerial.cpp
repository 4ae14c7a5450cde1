// SPDX-License-Identifier: Apache-2.0
#include "DeviceSerial.h"

namespace tq51m {

namespace {

constexpr char kSerialTag[] = "serial=";
constexpr char kSerialParameter[] = "?serial=";
constexpr std::size_t kMaxPlainSerial = 64;

bool IsPlainCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
}

} // namespace

bool SerialAfterTag(const std::string& uri, std::string& serial) {
    serial.clear();
    const std::size_t at = uri.find(kSerialTag);
    if (at == std::string::npos)
        return false;
    serial = uri.substr(at + sizeof(kSerialTag) - 1);
    return true;
}

bool SerialStaysInTmp(const std::string& serial) {
    return !serial.empty() && serial.find('/') == std::string::npos;
}

std::string PlainSerialOf(const std::string& uri) {
    const std::size_t at = uri.find(kSerialParameter);
    if (at == std::string::npos)
        return std::string();
    std::string serial = uri.substr(at + sizeof(kSerialParameter) - 1);
    const std::size_t end = serial.find_first_of("&#");
    if (end != std::string::npos)
        serial.erase(end);
    if (serial.empty() || serial.size() > kMaxPlainSerial || serial.find("..") != std::string::npos)
        return std::string();
    for (const char c : serial) {
        if (!IsPlainCharacter(c))
            return std::string();
    }
    return serial;
}

std::string StatusFilePathOf(const std::string& serial) {
    return "/tmp/TQ-51M_" + serial + ".log";
}

} // namespace tq51m
