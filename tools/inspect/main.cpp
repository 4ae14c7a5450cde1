// SPDX-License-Identifier: Apache-2.0
// tq51m-inspect: checks a TQ-51M command stream, lists its commands and writes
// a PNG preview of every sheet.
#include "tq51m_stream.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kUsage = "usage: tq51m-inspect STREAM [--png DIR]\n"
                           "  STREAM     command stream file, or - for standard input\n"
                           "  --png DIR  write DIR/sheet-N.png for every sheet\n";

class ListingHandler : public tq51m::StreamHandler {
  public:
    explicit ListingHandler(const std::string& pngDir) : m_pngDir(pngDir) {}

    bool onCommand(const tq51m::Command& command, std::string&) override {
        std::printf("%s\n", tq51m::describeCommand(command).c_str());
        return true;
    }

    bool onSheet(const tq51m::Sheet& sheet, std::string& error) override {
        std::printf("%s\n", tq51m::describeSheet(sheet).c_str());
        if (m_pngDir.empty())
            return true;
        std::string path = m_pngDir + "/sheet-" + std::to_string(sheet.number) + ".png";
        if (!tq51m::writeSheetPng(sheet, path, error))
            return false;
        std::printf("  preview: %s\n", path.c_str());
        return true;
    }

  private:
    std::string m_pngDir;
};

int usage(const char* problem) {
    std::fprintf(stderr, "tq51m-inspect: %s\n%s", problem, kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string stream;
    std::string pngDir;
    bool haveStream = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::printf("%s", kUsage);
            return 0;
        }
        if (arg == "--png") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0')
                return usage("--png needs a folder");
            pngDir = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usage(("unknown option " + arg).c_str());
        } else if (haveStream) {
            return usage("more than one STREAM given");
        } else {
            stream = arg;
            haveStream = true;
        }
    }
    if (!haveStream || stream.empty())
        return usage("no STREAM given");

    if (!pngDir.empty() && ::mkdir(pngDir.c_str(), 0755) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "tq51m-inspect: cannot create %s: %s\n", pngDir.c_str(),
                     std::strerror(errno));
        return 1;
    }
    int fd = stream == "-" ? STDIN_FILENO : ::open(stream.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "tq51m-inspect: cannot open %s: %s\n", stream.c_str(),
                     std::strerror(errno));
        return 1;
    }

    tq51m::FdSource source(fd);
    ListingHandler handler(pngDir);
    tq51m::ParseError error;
    bool ok = tq51m::parseStream(source, handler, error);
    if (fd != STDIN_FILENO)
        ::close(fd);
    std::fflush(stdout);
    if (!ok) {
        std::fprintf(stderr, "tq51m-inspect: %s: %s\n", stream == "-" ? "stdin" : stream.c_str(),
                     error.message.c_str());
        return 1;
    }
    return 0;
}
