// Raster bytes through the whole job driver of the filter library, in process, with the job
// information file and the PPD taken from the input too. The command stream the driver writes is
// parsed back and must consist of whole commands and complete sheets. Input: [1-byte length][job
// information file][2-byte length][PPD text][raster stream].
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include <cups/raster.h>

#include "FuzzSupport.h"
#include "OutputCapture.h"
#include "PrintJob.h"
#include "tq51m_stream.h"

namespace {

// Pages above these limits are legal but only make a run slow; the hostile-input tests
// cover large pages.
const unsigned kMaxPages = 2;
const unsigned kMaxSide = 320;
const unsigned kMaxBytesPerLine = 4096;
const unsigned kMaxCopies = 2;

struct Memory {
    const std::string& bytes;
    size_t pos = 0;
};

ssize_t readMemory(void* ctx, unsigned char* buffer, size_t length) {
    auto* memory = static_cast<Memory*>(ctx);
    size_t left = memory->bytes.size() - memory->pos;
    size_t n = length < left ? length : left;
    std::memcpy(buffer, memory->bytes.data() + memory->pos, n);
    memory->pos += n;
    return ssize_t(n);
}

// Reads the raster the way the driver does and tells whether every page is within limits.
bool withinLimits(const std::string& raster) {
    Memory memory{raster};
    cups_raster_t* stream = cupsRasterOpenIO(readMemory, &memory, CUPS_RASTER_READ);
    if (stream == nullptr)
        return true;
    bool ok = true;
    unsigned pages = 0;
    cups_page_header2_t header;
    std::vector<unsigned char> line;
    while (ok && cupsRasterReadHeader2(stream, &header)) {
        ok = ++pages <= kMaxPages && header.cupsWidth <= kMaxSide &&
             header.cupsHeight <= kMaxSide && header.cupsBytesPerLine <= kMaxBytesPerLine &&
             header.NumCopies <= kMaxCopies;
        line.resize(header.cupsBytesPerLine + 1);
        for (unsigned y = 0; ok && y < header.cupsHeight; ++y) {
            if (cupsRasterReadPixels(stream, line.data(), header.cupsBytesPerLine) == 0)
                break;
        }
    }
    cupsRasterClose(stream);
    return ok;
}

struct Paths {
    std::string jobId = "fuzzjob" + std::to_string(getpid());
    std::string info = "/tmp/Print_" + jobId + ".log";
    std::string ppd = fuzz::privateTmpName("fuzz-job-ppd");
};

const Paths& paths() {
    static const Paths p;
    return p;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit([] {
        unlink(paths().info.c_str());
        unlink(paths().ppd.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Reader in(data, size);
    const std::string info = in.shortField();
    const std::string ppd = in.longField();
    const std::string raster = in.rest();
    if (!withinLimits(raster))
        return -1;
    if (!fuzz::writeFile(paths().info, info) || !fuzz::writeFile(paths().ppd, ppd))
        return 0;

    // What rastertotq51m does after its wait, with its six arguments and empty options.
    StringSink output;
    Memory memory{raster};
    cups_raster_t* stream = cupsRasterOpenIO(readMemory, &memory, CUPS_RASTER_READ);
    bool started = false;
    {
        PrintJob job(JobSettings::FromCups("", paths().ppd.c_str()),
                     ReadJobInfo("/tmp", paths().jobId.c_str()), output, {});
        started = job.Start();
        if (started)
            job.RunRaster(stream);
    }
    cupsRasterClose(stream);

    tq51m::MemorySource source(output.bytes().data(), output.bytes().size());
    tq51m::StreamHandler handler;
    tq51m::ParseError error;
    const bool whole = tq51m::parseStream(source, handler, error);
    if (!started || !whole) {
        std::fprintf(stderr, "started %d, stream: %s\n", int(started), error.message.c_str());
        std::abort();
    }
    return 0;
}
