// Helpers for the hostile-input tests: raster jobs with any header libcups will write and the
// filter's output read back by the stream parser. The filter itself runs through the shared
// job runner (tests/support/JobRunner.h), which also reports its peak memory.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <sys/types.h>

#include <cups/raster.h>

#include "JobRunner.h"

namespace hostile {

// A unique name for files of this test process.
std::string uniqueName(const std::string& tag);

// A file under /tmp removed on destruction (whatever it has become by then).
class TempFile {
  public:
    explicit TempFile(const std::string& tag) : m_path("/tmp/" + uniqueName(tag)) {}
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return m_path; }

  private:
    std::string m_path;
};

bool writeFile(const std::string& path, const std::string& content);

// The backend's job information file /tmp/Print_<id>.log, there from construction to
// destruction, so that the filter starts its job at once.
class JobInfoFile {
  public:
    explicit JobInfoFile(const std::string& content, const std::string& id = "");
    ~JobInfoFile();
    const std::string& id() const { return m_id; }
    std::string path() const { return "/tmp/Print_" + m_id + ".log"; }

  private:
    std::string m_id;
};

// An 8-bit RGB page header as CUPS writes it for the filter.
cups_page_header2_t rgbHeader(unsigned width, unsigned height, unsigned copies = 1);

// A page: its header and how many lines of bytesPerLine bytes (all `fill`) follow it.
struct RasterPage {
    cups_page_header2_t header;
    unsigned linesWritten;
    unsigned char fill;
};
RasterPage fullPage(unsigned width, unsigned height, unsigned char fill, unsigned copies = 1);

bool writeRaster(const std::string& path, const std::vector<RasterPage>& pages,
                 cups_mode_t mode = CUPS_RASTER_WRITE_COMPRESSED);
std::string readFile(const std::string& path);

// The filter is run by the shared job runner.
using support::FilterInput;
using support::FilterRun;
using support::FinishFilter;
using support::RunFilter;
using support::StartFilter;

// What the stream parser makes of a filter's output.
struct StreamSummary {
    bool whole = false; // every command well formed, every sheet complete
    std::string error;
    std::vector<int> mediaCodes; // one per sheet
    std::vector<int> dpiY;       // feed-direction resolution, one per sheet
    // Commands after the last "START" (all commands when there is none) that begin or
    // belong to a sheet: "MULTICUT" and the planes.
    int sheetCommandsAfterLastStart = 0;
};
StreamSummary parseOutput(const std::string& output);

} // namespace hostile
