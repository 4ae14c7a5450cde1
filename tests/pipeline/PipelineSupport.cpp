// SPDX-License-Identifier: Apache-2.0
#include "PipelineSupport.h"
#include "RasterHeader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
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
        cups_page_header2_t header =
            tq51m::test::RgbPageHeader(page.width, page.height, page.copies);
        if (page.greyLines) {
            header.cupsBitsPerPixel = 8;
            header.cupsColorSpace = CUPS_CSPACE_W;
            header.cupsNumColors = 1;
            header.cupsBytesPerLine = page.width;
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

namespace {
int gJobCounter = 0;
}

JobInfoFile::JobInfoFile(const std::string& contents)
    : m_id("pl" + std::to_string(getpid()) + "x" + std::to_string(++gJobCounter)) {
    FILE* f = std::fopen(path().c_str(), "w");
    if (f != nullptr) {
        std::fputs(contents.c_str(), f);
        std::fclose(f);
    }
}

JobInfoFile::~JobInfoFile() {
    unlink(path().c_str());
}

std::string JobInfoFile::path() const {
    return "/tmp/Print_" + m_id + ".log";
}

std::string TempPath(const std::string& stem) {
    return "/tmp/pipeline-test-" + std::to_string(getpid()) + "-" + stem;
}

} // namespace pipeline
