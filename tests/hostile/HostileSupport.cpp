// SPDX-License-Identifier: Apache-2.0
#include "HostileSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "RasterHeader.h"
#include "tq51m_stream.h"

namespace hostile {

std::string uniqueName(const std::string& tag) {
    static int counter = 0;
    return "hostile-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + "-" + tag;
}

TempFile::~TempFile() {
    if (unlink(m_path.c_str()) != 0)
        rmdir(m_path.c_str());
}

bool writeFile(const std::string& path, const std::string& content) {
    FILE* fp = std::fopen(path.c_str(), "wb");
    if (fp == nullptr)
        return false;
    const bool ok = std::fwrite(content.data(), 1, content.size(), fp) == content.size();
    return std::fclose(fp) == 0 && ok;
}

std::string readFile(const std::string& path) {
    std::string content;
    FILE* fp = std::fopen(path.c_str(), "rb");
    if (fp == nullptr)
        return content;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), fp)) > 0)
        content.append(buffer, n);
    std::fclose(fp);
    return content;
}

JobInfoFile::JobInfoFile(const std::string& content, const std::string& id)
    : m_id(id.empty() ? uniqueName("job") : id) {
    writeFile(path(), content);
}

JobInfoFile::~JobInfoFile() {
    unlink(path().c_str());
}

cups_page_header2_t rgbHeader(unsigned width, unsigned height, unsigned copies) {
    return tq51m::test::RgbPageHeader(width, height, copies);
}

RasterPage fullPage(unsigned width, unsigned height, unsigned char fill, unsigned copies) {
    return RasterPage{rgbHeader(width, height, copies), height, fill};
}

bool writeRaster(const std::string& path, const std::vector<RasterPage>& pages, cups_mode_t mode) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    cups_raster_t* raster = cupsRasterOpen(fd, mode);
    bool ok = raster != nullptr;
    for (size_t p = 0; ok && p < pages.size(); ++p) {
        cups_page_header2_t header = pages[p].header;
        ok = cupsRasterWriteHeader2(raster, &header) != 0;
        std::vector<unsigned char> line(pages[p].linesWritten ? header.cupsBytesPerLine : 0,
                                        pages[p].fill);
        for (unsigned y = 0; ok && y < pages[p].linesWritten; ++y)
            ok = cupsRasterWritePixels(raster, line.data(), unsigned(line.size())) != 0;
    }
    if (raster != nullptr)
        cupsRasterClose(raster);
    return close(fd) == 0 && ok;
}

namespace {

class SummaryHandler : public tq51m::StreamHandler {
  public:
    explicit SummaryHandler(StreamSummary& summary) : m_summary(summary) {}
    bool onCommand(const tq51m::Command& command, std::string&) override {
        if (command.group == "CNTRL" && command.name == "START")
            m_summary.sheetCommandsAfterLastStart = 0;
        else if (command.group == "IMAGE")
            ++m_summary.sheetCommandsAfterLastStart;
        return true;
    }
    bool onSheet(const tq51m::Sheet& sheet, std::string&) override {
        m_summary.mediaCodes.push_back(sheet.mediaCode);
        m_summary.dpiY.push_back(sheet.dpiY);
        return true;
    }

  private:
    StreamSummary& m_summary;
};

} // namespace

StreamSummary parseOutput(const std::string& output) {
    StreamSummary summary;
    tq51m::MemorySource source(output.data(), output.size());
    SummaryHandler handler(summary);
    tq51m::ParseError error;
    summary.whole = tq51m::parseStream(source, handler, error);
    summary.error = error.message;
    return summary;
}

} // namespace hostile
