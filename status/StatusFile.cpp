// SPDX-License-Identifier: Apache-2.0
#include "StatusFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tq51m {

namespace {

// 17 lines, each ending in a line feed.
constexpr std::size_t kStatusFileParts = 18;

const char* const kKeyNames[kStatusKeyCount] = {
    "PRINTER_STATUS", "PRINTER_MESSAGE", "PRINTER_VERSION", "PRINTER_SERIAL_NO", "MEDIA_SIZE",
    "MEDIA_CLASS",    "MEDIA_INITIAL",   "MEDIA_REMAIN",    "MEDIA_REMAIN_HALF", "TOTAL_COUNT",
};

bool HasPrefix(std::string_view line, StatusKey key) {
    const std::string_view name = kKeyNames[key];
    return line.size() > name.size() && line.compare(0, name.size(), name) == 0 &&
           line[name.size()] == '=';
}

std::string QuotedValue(std::string_view line) {
    const std::size_t open = line.find('"');
    if (open == std::string_view::npos)
        return std::string();
    const std::size_t close = line.find('"', open + 1);
    return std::string(
        line.substr(open + 1, close == std::string_view::npos ? close : close - open - 1));
}

} // namespace

const char* StatusKeyName(StatusKey key) {
    return kKeyNames[key];
}

bool ReadStatusFile(const std::string& path, StatusLinks links, std::string& text) {
    text.clear();
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
    if (links == StatusLinks::Refuse)
        flags |= O_NOFOLLOW;
    const int fd = open(path.c_str(), flags);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              std::size_t(info.st_size) <= kMaxStatusFileSize;
    // The size is checked again while reading: the backend may still be writing.
    char buffer[4096];
    while (ok) {
        const ssize_t n = read(fd, buffer, sizeof(buffer));
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        text.append(buffer, std::size_t(n));
        ok = text.size() <= kMaxStatusFileSize;
    }
    close(fd);
    if (!ok)
        text.clear();
    return ok;
}

bool ParseStatusFields(std::string_view text, StatusFields& fields) {
    fields = StatusFields();
    std::size_t parts = 1;
    for (const char c : text)
        parts += c == '\n' ? 1 : 0;
    if (parts != kStatusFileParts)
        return false;

    int cursor = kPrinterStatus;
    std::size_t start = 0;
    for (std::size_t part = 0; part < kStatusFileParts; ++part) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line =
            text.substr(start, end == std::string_view::npos ? end : end - start);
        start = end + 1;
        if (!HasPrefix(line, StatusKey(cursor)))
            continue;
        fields.value[cursor] = QuotedValue(line);
        fields.found[cursor] = true;
        if (cursor < kTotalCount)
            ++cursor;
    }
    return true;
}

} // namespace tq51m
