#include "PipelineSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pipeline {

RasterPage UniformPage(unsigned width, unsigned height, unsigned char r, unsigned char g,
                       unsigned char b, unsigned copies) {
    RasterPage page;
    page.width = width;
    page.height = height;
    page.copies = copies;
    page.pixel = [r, g, b](unsigned, unsigned, unsigned char rgb[3]) {
        rgb[0] = r;
        rgb[1] = g;
        rgb[2] = b;
    };
    return page;
}

bool WriteRaster(int fd, const std::vector<RasterPage>& pages) {
    cups_raster_t* raster = cupsRasterOpen(fd, CUPS_RASTER_WRITE);
    if (raster == nullptr)
        return false;
    bool ok = true;
    for (const RasterPage& page : pages) {
        cups_page_header2_t header;
        std::memset(&header, 0, sizeof(header));
        header.HWResolution[0] = 300;
        header.HWResolution[1] = 300;
        header.NumCopies = page.copies;
        header.cupsWidth = page.width;
        header.cupsHeight = page.height;
        header.cupsBitsPerColor = 8;
        header.cupsColorOrder = CUPS_ORDER_CHUNKED;
        if (page.greyLines) {
            header.cupsBitsPerPixel = 8;
            header.cupsColorSpace = CUPS_CSPACE_W;
            header.cupsNumColors = 1;
            header.cupsBytesPerLine = page.width;
        } else {
            header.cupsBitsPerPixel = 24;
            header.cupsColorSpace = CUPS_CSPACE_RGB;
            header.cupsNumColors = 3;
            header.cupsBytesPerLine = page.width * 3;
        }
        if (!cupsRasterWriteHeader2(raster, &header)) {
            ok = false;
            break;
        }
        std::vector<unsigned char> line(header.cupsBytesPerLine);
        const unsigned lines = page.linesWritten < 0 ? page.height : unsigned(page.linesWritten);
        const bool grey = header.cupsNumColors == 1;
        for (unsigned y = 0; y < lines && ok; ++y) {
            unsigned char rgb[3];
            for (unsigned x = 0; x < page.width; ++x) {
                page.pixel(x, y, rgb);
                if (grey)
                    line[x] = rgb[0];
                else
                    std::memcpy(&line[size_t(x) * 3], rgb, 3);
            }
            ok = cupsRasterWritePixels(raster, line.data(), unsigned(line.size())) != 0;
        }
        if (!ok)
            break;
    }
    cupsRasterClose(raster);
    return ok;
}

bool WriteRasterFile(const std::string& path, const std::vector<RasterPage>& pages) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    bool ok = WriteRaster(fd, pages);
    return close(fd) == 0 && ok;
}

bool ParseStream(const std::string& stream, std::vector<Command>& commands, std::string& error) {
    commands.clear();
    size_t pos = 0;
    while (pos < stream.size()) {
        if (stream.size() - pos < 32 || stream[pos] != 0x1B || stream[pos + 1] != 'P') {
            error = "no framed command at offset " + std::to_string(pos);
            return false;
        }
        Command command;
        command.offset = pos;
        auto trimmed = [&](size_t at, size_t n) {
            std::string field = stream.substr(pos + at, n);
            return field.substr(0, field.find_last_not_of(' ') + 1);
        };
        command.group = trimmed(2, 6);
        command.name = trimmed(8, 16);
        command.lengthField = stream.substr(pos + 24, 8);
        size_t length = 0;
        if (command.lengthField != "        ") {
            for (char c : command.lengthField) {
                if (c < '0' || c > '9') {
                    error = "bad length field at offset " + std::to_string(pos + 24);
                    return false;
                }
                length = length * 10 + size_t(c - '0');
            }
        }
        if (stream.size() - pos - 32 < length) {
            error = "payload cut off at offset " + std::to_string(pos + 32);
            return false;
        }
        command.payload = stream.substr(pos + 32, length);
        commands.push_back(command);
        pos += 32 + length;
    }
    return true;
}

namespace {
int32_t Le4(const std::string& s, size_t at) {
    return int32_t(uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 |
                   uint32_t(uint8_t(s[at + 2])) << 16 | uint32_t(uint8_t(s[at + 3])) << 24);
}
} // namespace

bool ReadPlane(const Command& command, Plane& plane) {
    const std::string& p = command.payload;
    if (p.size() < 1088 || p[0] != 'B' || p[1] != 'M' || Le4(p, 10) != 1088)
        return false;
    plane.width = Le4(p, 18);
    plane.height = Le4(p, 22);
    plane.stride = (plane.width + 3) & ~3;
    if (p.size() != 1088 + size_t(plane.stride) * size_t(plane.height))
        return false;
    plane.rows = reinterpret_cast<const unsigned char*>(p.data()) + 1088;
    return true;
}

bool SplitSheets(const std::vector<Command>& commands, std::vector<Sheet>& sheets,
                 std::string& error) {
    sheets.clear();
    Sheet sheet;
    size_t i = 0;
    while (i < commands.size()) {
        const Command& c = commands[i];
        if (c.group == "CNTRL" && c.name != "START") {
            sheet.controls.push_back(c.name + "=" + c.payload);
            ++i;
            continue;
        }
        if (c.group != "IMAGE" || c.name != "MULTICUT" || i + 4 >= commands.size() ||
            commands[i + 1].name != "YPLANE" || commands[i + 2].name != "MPLANE" ||
            commands[i + 3].name != "CPLANE" || commands[i + 4].name != "START") {
            error = "unexpected command " + c.group + " " + c.name + " at offset " +
                    std::to_string(c.offset);
            return false;
        }
        sheet.mediaCode = std::atoi(c.payload.c_str());
        sheet.y = commands[i + 1];
        sheet.m = commands[i + 2];
        sheet.c = commands[i + 3];
        sheets.push_back(sheet);
        sheet = Sheet();
        i += 5;
    }
    if (!sheet.controls.empty()) {
        error = "control commands without a sheet at the end";
        return false;
    }
    return true;
}

namespace {
int gJobCounter = 0;
}

JobInfo::JobInfo(const std::string& contents)
    : m_id("pl" + std::to_string(getpid()) + "x" + std::to_string(++gJobCounter)) {
    FILE* f = std::fopen(path().c_str(), "w");
    if (f != nullptr) {
        std::fputs(contents.c_str(), f);
        std::fclose(f);
    }
}

JobInfo::~JobInfo() {
    unlink(path().c_str());
}

std::string JobInfo::path() const {
    return "/tmp/Print_" + m_id + ".log";
}

std::string FilterPath() {
    return RASTERTOTQ51M_PATH;
}

std::string TempPath(const std::string& stem) {
    return "/tmp/pipeline-test-" + std::to_string(getpid()) + "-" + stem;
}

pid_t StartFilter(const std::vector<std::string>& args, const std::string& stdinPath, int& outFd,
                  size_t addressSpace) {
    int out[2];
    if (pipe(out) != 0)
        return -1;
    pid_t pid = fork();
    if (pid == 0) {
        int in = open(stdinPath.empty() ? "/dev/null" : stdinPath.c_str(), O_RDONLY);
        dup2(in, 0);
        dup2(out[1], 1);
        close(out[0]);
        unsetenv("PPD");
        if (addressSpace != 0) {
            struct rlimit limit = {addressSpace, addressSpace};
            setrlimit(RLIMIT_AS, &limit);
        }
        std::vector<char*> argv;
        std::string program = FilterPath();
        argv.push_back(program.data());
        std::vector<std::string> copy = args;
        for (std::string& a : copy)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    outFd = out[0];
    return pid;
}

FilterRun FinishFilter(pid_t pid, int outFd) {
    FilterRun run;
    char buffer[65536];
    ssize_t n;
    while ((n = read(outFd, buffer, sizeof(buffer))) > 0)
        run.output.append(buffer, size_t(n));
    close(outFd);
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

FilterRun RunFilter(const std::vector<std::string>& args, const std::string& stdinPath,
                    size_t addressSpace) {
    int outFd = -1;
    pid_t pid = StartFilter(args, stdinPath, outFd, addressSpace);
    if (pid < 0)
        return FilterRun();
    return FinishFilter(pid, outFd);
}

} // namespace pipeline
