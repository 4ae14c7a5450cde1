// SPDX-License-Identifier: Apache-2.0
#include "JobThumbnails.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tq51m_stream.h"

namespace tq51m {

namespace {

std::string FileName(int printerId, int jobId, int sheet) {
    char name[64];
    snprintf(name, sizeof(name), "p%d-j%d-s%d.png", printerId, jobId, sheet);
    return name;
}

std::string DetailsName(int printerId, int jobId) {
    char name[64];
    snprintf(name, sizeof(name), "p%d-j%d-details.txt", printerId, jobId);
    return name;
}

std::string ExistingFile(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return std::string();
    const std::string path = folder + "/" + name;
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) ? path : std::string();
}

// A plane shrunk by averaging each block of source pixels; rows stay bottom first.
Plane Shrink(const Plane& plane, int width, int height) {
    Plane small;
    small.width = width;
    small.height = height;
    small.stride = (size_t(width) + 3) & ~size_t(3);
    small.pixels.assign(small.stride * size_t(height), 255);
    for (int row = 0; row < height; ++row) {
        const int top = int(long(row) * plane.height / height);
        const int bottom = std::max(top + 1, int(long(row + 1) * plane.height / height));
        for (int column = 0; column < width; ++column) {
            const int left = int(long(column) * plane.width / width);
            const int right = std::max(left + 1, int(long(column + 1) * plane.width / width));
            unsigned long sum = 0;
            for (int y = top; y < bottom; ++y) {
                const uint8_t* source = plane.pixels.data() + size_t(y) * plane.stride;
                for (int x = left; x < right; ++x)
                    sum += source[x];
            }
            small.pixels[size_t(row) * small.stride + size_t(column)] =
                uint8_t(sum / (unsigned long)((bottom - top) * (right - left)));
        }
    }
    return small;
}

// Writes each decoded sheet as a thumbnail, up to the limit per job.
class ThumbnailWriter : public StreamHandler {
  public:
    ThumbnailWriter(std::string folder, int printerId, int jobId)
        : m_folder(std::move(folder)), m_printerId(printerId), m_jobId(jobId) {}

    bool onSheet(const Sheet& sheet, std::string& error) override {
        if (m_written >= kMaxThumbnailsPerJob || sheet.width() <= 0 || sheet.height() <= 0)
            return true;
        // Rows are 300 or 600 to the inch along the feed, columns always 300: the thumbnail
        // keeps the sheet's shape.
        const int feedDpi = sheet.dpiY > 0 ? sheet.dpiY : 300;
        const int length = int(long(sheet.height()) * 300 / feedDpi);
        const int longest = std::max(sheet.width(), length);
        const int scale = std::max(1, (longest + kThumbnailSize - 1) / kThumbnailSize);
        const int width = std::max(1, sheet.width() / scale);
        const int height = std::max(1, length / scale);
        Sheet small;
        small.number = sheet.number;
        small.y = Shrink(sheet.y, width, height);
        small.m = Shrink(sheet.m, width, height);
        small.c = Shrink(sheet.c, width, height);
        // Written under a temporary name, so that the page never serves half a file.
        const std::string path = m_folder + "/" + FileName(m_printerId, m_jobId, m_written + 1);
        if (!writeSheetPng(small, path + ".tmp", error) ||
            rename((path + ".tmp").c_str(), path.c_str()) != 0)
            return false;
        ++m_written;
        return true;
    }

    int written() const { return m_written; }

  private:
    std::string m_folder;
    int m_printerId;
    int m_jobId;
    int m_written = 0;
};

} // namespace

SheetRecorder::~SheetRecorder() {
    Finish();
}

bool SheetRecorder::Start(pappl_job_t* job) {
    pappl_printer_t* printer = papplJobGetPrinter(job);
    const std::string folder = ThumbnailFolder(job);
    if (folder.empty() || (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST))
        return false;
    m_folder = folder;
    m_printerId = papplPrinterGetID(printer);
    m_jobId = papplJobGetID(job);
    return true;
}

void SheetRecorder::Record(const std::string& path) {
    if (m_folder.empty() || m_thread.joinable())
        return;
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    try {
        m_thread = std::thread([this, fd] {
            ThumbnailWriter writer(m_folder, m_printerId, m_jobId);
            FdSource source(fd);
            ParseError error;
            parseStream(source, writer, error);
            close(fd);
            m_sheets = writer.written();
        });
    } catch (const std::system_error&) {
        close(fd);
    }
}

int SheetRecorder::Finish() {
    if (m_thread.joinable())
        m_thread.join();
    return m_sheets;
}

void SheetRecorder::SetDetails(const std::string& media, const std::string& finish) {
    if (m_folder.empty())
        return;
    const std::string path = m_folder + "/" + DetailsName(m_printerId, m_jobId);
    if (FILE* file = fopen(path.c_str(), "we")) {
        fprintf(file, "%s\n%s\n", media.c_str(), finish.c_str());
        fclose(file);
    }
}

std::string ThumbnailFolder(pappl_job_t* job) {
    // PAPPL 1.3 has no getter for the spool folder; the name it gives a job's files starts
    // with it ("SPOOL/p00001j000000003-name.ext") and is filled in even when no file exists.
    char name[1024] = "";
    const int fd = papplJobOpenFile(job, name, sizeof(name), nullptr, "none", "r");
    if (fd >= 0)
        close(fd);
    const char* slash = strrchr(name, '/');
    return slash ? std::string(name, size_t(slash - name)) + "/thumbnails" : std::string();
}

bool ReadDetails(const std::string& folder, int printerId, int jobId, std::string& media,
                 std::string& finish) {
    const std::string path = ExistingFile(folder, DetailsName(printerId, jobId));
    FILE* file = path.empty() ? nullptr : fopen(path.c_str(), "re");
    if (file == nullptr)
        return false;
    char lines[2][256] = {};
    for (char* line : lines)
        if (fgets(line, sizeof(lines[0]), file))
            line[strcspn(line, "\n")] = '\0';
    fclose(file);
    media = lines[0];
    finish = lines[1];
    return true;
}

std::string ThumbnailPath(const std::string& folder, int printerId, int jobId, int sheet) {
    if (sheet < 1 || sheet > kMaxThumbnailsPerJob)
        return std::string();
    return ExistingFile(folder, FileName(printerId, jobId, sheet));
}

int ThumbnailCount(const std::string& folder, int printerId, int jobId) {
    int count = 0;
    while (count < kMaxThumbnailsPerJob &&
           !ThumbnailPath(folder, printerId, jobId, count + 1).empty())
        ++count;
    return count;
}

void PruneThumbnails(pappl_job_t* job) {
    const std::string folder = ThumbnailFolder(job);
    DIR* dir = folder.empty() ? nullptr : opendir(folder.c_str());
    if (dir == nullptr)
        return;
    pappl_printer_t* printer = papplJobGetPrinter(job);
    pappl_system_t* system = papplPrinterGetSystem(printer);
    const int printerId = papplPrinterGetID(printer);
    std::vector<std::string> doomed;
    while (const dirent* entry = readdir(dir)) {
        int filePrinter = 0, jobId = 0;
        if (sscanf(entry->d_name, "p%d-j%d-", &filePrinter, &jobId) != 2)
            continue;
        const bool kept =
            filePrinter == printerId
                ? papplPrinterFindJob(printer, jobId) != nullptr
                : papplSystemFindPrinter(system, nullptr, filePrinter, nullptr) != nullptr;
        if (!kept)
            doomed.push_back(folder + "/" + entry->d_name);
    }
    closedir(dir);
    for (const std::string& path : doomed)
        unlink(path.c_str());
}

} // namespace tq51m
