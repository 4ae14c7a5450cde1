// Helpers for the pipeline tests: raster jobs written with libcups and job information files.
// Running jobs and reading their streams is shared support (JobRunner.h, StreamReading.h).
#ifndef PIPELINESUPPORT_H
#define PIPELINESUPPORT_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <cups/raster.h>

namespace pipeline {

// One raster page: its size, copies and a pixel source giving R, G, B for (x, y), y = 0 being
// the first raster line.
struct RasterPage {
    unsigned width = 0;
    unsigned height = 0;
    unsigned copies = 1;
    std::function<void(unsigned x, unsigned y, unsigned char rgb[3])> pixel;
    // Lines actually written; fewer than height cuts the stream off mid-page.
    int linesWritten = -1;
    // One byte per pixel (8-bit grey, the first component): lines shorter than the filter's
    // three bytes per pixel.
    bool greyLines = false;
};

RasterPage UniformPage(unsigned width, unsigned height, unsigned char r, unsigned char g,
                       unsigned char b, unsigned copies = 1);

// Writes the pages as a raster stream to fd with cupsRasterOpen(fd, CUPS_RASTER_WRITE).
bool WriteRaster(int fd, const std::vector<RasterPage>& pages);
bool WriteRasterFile(const std::string& path, const std::vector<RasterPage>& pages);

// A job information file /tmp/Print_<id>.log with a unique id, removed on destruction.
class JobInfoFile {
  public:
    explicit JobInfoFile(const std::string& contents);
    ~JobInfoFile();
    const std::string& id() const { return m_id; }
    std::string path() const;

  private:
    std::string m_id;
};

std::string TempPath(const std::string& stem);

} // namespace pipeline

#endif
