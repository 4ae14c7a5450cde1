// SPDX-License-Identifier: Apache-2.0
#include "Common.h"
#include "Handles.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const double kFirmwareVersion = 1.53;

struct FileCloser {
    void operator()(FILE* fp) const { std::fclose(fp); }
};

// Removes every occurrence of the characters of set from text, in place.
void RemoveChars(char* text, const char* set) {
    char* out = text;
    for (const char* in = text; *in != '\0'; ++in) {
        if (std::strchr(set, *in) == nullptr)
            *out++ = *in;
    }
    *out = '\0';
}

} // namespace

ppdfile_s* wrappedPpdOpenFile(const char* path) {
    if (path == nullptr)
        return nullptr;
    auto* ppd = static_cast<ppdfile_s*>(std::calloc(1, sizeof(ppdfile_s)));
    if (ppd == nullptr)
        return nullptr;
    ppd->fp = std::fopen(path, "r");
    return ppd;
}

void wrappedPpdClose(ppdfile_s* ppd) {
    if (ppd == nullptr)
        return;
    if (ppd->fp != nullptr)
        std::fclose(ppd->fp);
    std::free(ppd);
}

char* wrappedPpdFindDefChoice(ppdfile_s* ppd, const char* keyword) {
    if (ppd == nullptr || keyword == nullptr || ppd->fp == nullptr)
        return nullptr;
    std::rewind(ppd->fp);

    // A keyword too long for the prefix buffer cannot name a line the reader would match.
    char prefix[256];
    int prefixLen = std::snprintf(prefix, sizeof(prefix), "*Default%s: ", keyword);
    if (prefixLen < 0 || static_cast<size_t>(prefixLen) >= sizeof(prefix))
        return nullptr;

    char line[256];
    while (std::fgets(line, sizeof(line), ppd->fp) != nullptr) {
        if (std::strncmp(line, prefix, prefixLen) != 0)
            continue;
        // The first word after the prefix: further white space is skipped, the word ends at
        // white space or at the end of the line.
        const char* p = line + prefixLen;
        while (*p != '\0' && std::isspace(static_cast<unsigned char>(*p)))
            ++p;
        char word[256] = {};
        size_t len = 0;
        while (p[len] != '\0' && !std::isspace(static_cast<unsigned char>(p[len])))
            ++len;
        std::memcpy(word, p, len);
        std::memcpy(ppd->defChoice, word, sizeof(ppd->defChoice));
        return ppd->defChoice;
    }
    return nullptr;
}

char* _GetCupsValue(const char* keyword, int numOptions, cups_option_s* options, ppdfile_s* ppd) {
    const char* value = cupsGetOption(keyword, numOptions, options);
    if (value == nullptr && keyword != nullptr && std::strcmp(keyword, "PageSize") == 0)
        value = cupsGetOption("media", numOptions, options);
    if (value != nullptr)
        return const_cast<char*>(value);
    return wrappedPpdFindDefChoice(ppd, keyword);
}

void _StoreLE2(void* p, int value) {
    auto* bytes = static_cast<unsigned char*>(p);
    bytes[0] = static_cast<unsigned char>(value & 0xFF);
    bytes[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

void _StoreLE4(void* p, int value) {
    auto* bytes = static_cast<unsigned char*>(p);
    auto v = static_cast<unsigned int>(value);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
}

namespace {

// The value buffer the model's readers pass: a longer value counts as missing.
const int kInfoValueSize = 128;
// The path buffer of the wait for the job information file.
const size_t kWaitPathSize = 128;

// Takes the value of the first line of fp that holds key, as _GetValuePrInfoFile describes.
void ReadInfoValueFrom(FILE* fp, const char* key, char* buf, int bufSize) {
    char line[256];
    while (std::fgets(line, sizeof(line), fp) != nullptr) {
        char* value = std::strstr(line, key);
        if (value == nullptr)
            continue;
        RemoveChars(value, key);
        RemoveChars(value, "\"");
        RemoveChars(value, "\n");
        if (buf != nullptr && std::strlen(value) < static_cast<size_t>(bufSize < 0 ? 0 : bufSize))
            std::memcpy(buf, value, std::strlen(value) + 1);
        break;
    }
}

void ReadInfoValue(const char* dir, const char* key, const char* jobId, char* buf, int bufSize) {
    if (key == nullptr || jobId == nullptr)
        return;

    // The path is formatted with a bound; one that does not fit counts as a missing file.
    size_t pathSize = std::strlen(dir) + std::strlen(jobId) + 16;
    HeapBlock<char> path(static_cast<char*>(std::malloc(pathSize)));
    if (!path)
        return;
    int pathLen = std::snprintf(path.get(), pathSize, "%s/Print_%s.log", dir, jobId);
    if (pathLen < 0 || static_cast<size_t>(pathLen) >= pathSize)
        return;

    std::unique_ptr<FILE, FileCloser> fp(std::fopen(path.get(), "r"));
    path.reset();
    if (!fp)
        return;
    ReadInfoValueFrom(fp.get(), key, buf, bufSize);
}

std::string InfoValue(const char* dir, const char* key, const char* jobId) {
    char value[kInfoValueSize] = {};
    ReadInfoValue(dir, key, jobId, value, sizeof(value));
    return value;
}

// The same value from the file's text held in memory.
std::string InfoValueFromText(const std::string& text, const char* key) {
    char value[kInfoValueSize] = {};
    if (text.empty())
        return value;
    std::unique_ptr<FILE, FileCloser> fp(
        fmemopen(const_cast<char*>(text.data()), text.size(), "r"));
    if (fp)
        ReadInfoValueFrom(fp.get(), key, value, sizeof(value));
    return value;
}

} // namespace

int _GetValuePrInfoFile(const char* key, const char* jobId, char* buf, int bufSize) {
    ReadInfoValue(kJobInfoDir, key, jobId, buf, bufSize);
    return 0;
}

const char kJobInfoDir[] = "/tmp";

std::string JobInfoPath(const char* dir, const char* jobId) {
    return std::string(dir) + "/Print_" + jobId + ".log";
}

JobInfo ReadJobInfo(const char* dir, const char* jobId) {
    JobInfo info;
    if (dir == nullptr || jobId == nullptr)
        return info;
    const std::string path = JobInfoPath(dir, jobId);
    struct stat status;
    info.present = stat(path.c_str(), &status) == 0;
    info.mediaSize = InfoValue(dir, "MEDIA_SIZE=", jobId);
    info.remainHalf = InfoValue(dir, "MEDIA_REMAIN_HALF=", jobId);
    return info;
}

JobInfo ParseJobInfo(const std::string& text) {
    JobInfo info;
    info.present = true;
    info.mediaSize = InfoValueFromText(text, "MEDIA_SIZE=");
    info.remainHalf = InfoValueFromText(text, "MEDIA_REMAIN_HALF=");
    return info;
}

bool WaitForJobInfo(const char* dir, const char* jobId, const std::function<bool()>& canceled,
                    unsigned (*sleepSeconds)(unsigned)) {
    if (sleepSeconds == nullptr)
        sleepSeconds = sleep;
    char path[kWaitPathSize];
    const int length = std::snprintf(path, sizeof(path), "%s/Print_%s.log", dir, jobId);
    // A job id too long for the path names no file the backend could write: waiting would
    // only delay the job by two minutes, and a shortened name could be another job's file.
    if (length < 0 || static_cast<size_t>(length) >= sizeof(path))
        return false;
    for (int tries = 0; tries < 120; ++tries) {
        if (canceled && canceled())
            return false;
        struct stat info;
        if (stat(path, &info) == 0) {
            sleepSeconds(1);
            return true;
        }
        sleepSeconds(1);
    }
    return false;
}

int _GetFirmwVersion(long, double* version) {
    if (version == nullptr)
        return 3;
    *version = kFirmwareVersion;
    return 0;
}
