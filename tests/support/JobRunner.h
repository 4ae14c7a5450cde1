// SPDX-License-Identifier: Apache-2.0
// Runs print jobs for the tests: rastertotq51m as a child process (exit status, output, peak
// memory), or the filter library's job in this process on a raster file or line by line.
#ifndef TQ51M_TESTS_JOBRUNNER_H
#define TQ51M_TESTS_JOBRUNNER_H

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <sys/types.h>

#include "PrintJob.h"

namespace support {

struct FilterRun {
    int exitStatus = -1; // -1 when it did not exit normally
    int termSignal = 0;
    std::string output;
    long maxRssKb = 0;
};

// How the child is started: standard input from stdinPath (/dev/null when empty), PPD set to
// ppd (unset when empty), the address space limited to addressSpace bytes when not 0.
struct FilterInput {
    FilterInput(std::string stdinPathArg = "", std::string ppdArg = "", size_t addressSpaceArg = 0)
        : stdinPath(std::move(stdinPathArg)), ppd(std::move(ppdArg)),
          addressSpace(addressSpaceArg) {}
    std::string stdinPath;
    std::string ppd;
    size_t addressSpace;
};

// Starts rastertotq51m with argv[1..] = args. outFd receives the read end of its standard
// output.
pid_t StartFilter(const std::vector<std::string>& args, const FilterInput& input, int& outFd);
// Reads the filter's output to its end and waits for it.
FilterRun FinishFilter(pid_t pid, int outFd);
FilterRun RunFilter(const std::vector<std::string>& args, const FilterInput& input = {});

// What a job run in this process wrote, and how it ended.
struct JobRun {
    bool started = false;
    PrintJob::Result result = PrintJob::Result::Ok;
    std::string output;
};

// The library's job on a raster file with the given CUPS options (no PPD) and job information
// text ("" for none), as rastertotq51m runs it after its wait.
JobRun RunRasterJob(const std::string& options, const std::string& jobInfo,
                    const std::string& rasterPath, std::function<bool()> canceled = {});

// The same with the job information handed over only when the job asks for it, as the
// printer application does; `asked` counts how often it did.
JobRun RunRasterJobInfoLate(const std::string& options, const std::string& jobInfo,
                            const std::string& rasterPath, int& asked);

// One page fed line by line: `lines` holds its lines top first.
struct LinePage {
    unsigned width = 0;
    unsigned height = 0;
    unsigned copies = 1;
    std::vector<std::string> lines;
};
JobRun RunLineJob(const std::string& options, const std::string& jobInfo,
                  const std::vector<LinePage>& pages, std::function<bool()> canceled = {});

// JobInfo as the filter would read it from a file with this text.
JobInfo JobInfoFromText(const std::string& text);

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

} // namespace support

#endif
