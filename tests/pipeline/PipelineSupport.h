// Helpers for the pipeline tests: raster jobs written with libcups, a reader for the
// 32-byte command framing, and running the filter as a child process.
#ifndef PIPELINESUPPORT_H
#define PIPELINESUPPORT_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

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

// One command of the stream.
struct Command {
    size_t offset = 0;
    std::string group;
    std::string name;
    std::string lengthField;
    std::string payload;
};

// Splits a stream into commands; false (with a message) when the framing is broken.
bool ParseStream(const std::string& stream, std::vector<Command>& commands, std::string& error);

// A plane command's payload read as an 8-bit bottom-up BMP: value at (column, stored row).
struct Plane {
    int width = 0;
    int height = 0;
    int stride = 0;
    const unsigned char* rows = nullptr;
    unsigned char At(int column, int row) const { return rows[size_t(row) * stride + column]; }
};
bool ReadPlane(const Command& command, Plane& plane);

// One sheet: the media code and its three planes.
struct Sheet {
    int mediaCode = -1;
    Command y, m, c;
    std::vector<std::string> controls;
};
// Groups the stream into sheets (control commands, MULTICUT, three planes, START).
bool SplitSheets(const std::vector<Command>& commands, std::vector<Sheet>& sheets,
                 std::string& error);

// A job information file /tmp/Print_<id>.log with a unique id, removed on destruction.
class JobInfo {
  public:
    explicit JobInfo(const std::string& contents);
    ~JobInfo();
    const std::string& id() const { return m_id; }
    std::string path() const;

  private:
    std::string m_id;
};

struct FilterRun {
    int exitStatus = -1;
    std::string output;
};

// Starts rastertotq51m with the given arguments (argv[0] added), standard input from
// stdinPath (/dev/null when empty), without PPD, and with the address space limited to
// addressSpace bytes when that is not 0. outFd receives the read end of its standard output.
pid_t StartFilter(const std::vector<std::string>& args, const std::string& stdinPath, int& outFd,
                  size_t addressSpace = 0);
// Reads the filter's output to its end and waits for it.
FilterRun FinishFilter(pid_t pid, int outFd);
FilterRun RunFilter(const std::vector<std::string>& args, const std::string& stdinPath = "",
                    size_t addressSpace = 0);

std::string FilterPath();

// Address-space limits, which the out-of-memory cases use, cannot work under AddressSanitizer.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif
std::string TempPath(const std::string& stem);

} // namespace pipeline

#endif
