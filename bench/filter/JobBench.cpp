// SPDX-License-Identifier: Apache-2.0
// The whole filter, run as CUPS runs it, on a generated photo job for every media size at
// 300x300, 300x600 and 600x600 dpi with colour adjustment, border and sharpening on.
//
// Time per page: the filter always waits one second after it has seen the job information
// file, so a run over an empty stream is timed as well and subtracted:
// (time of a two-page job - time of an empty job) / 2. page_cpu_ms is the filter's own CPU
// time per page, computed the same way, which a busy machine disturbs less than the wall
// time. Peak RSS is the filter's maximum resident set on the two-page job.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

namespace {

struct Media {
    const char* pageSize;
    int widthDots;
    int lengthDots;
};

const Media kMedia[] = {{"207x105mm", 2448, 1236}, {"207x130mm", 2448, 1536},
                        {"207x156mm", 2448, 1836}, {"207x206mm", 2448, 2436},
                        {"207x257mm", 2448, 3036}, {"207x308mm", 2448, 3636},
                        {"214x151mm", 2528, 1784}, {"214x300mm", 2528, 3544}};

struct Resolution {
    const char* option;
    int dpiX;
    int dpiY;
};

const Resolution kResolutions[] = {
    {"300x300dpi", 300, 300}, {"300x600dpi", 300, 600}, {"600x600dpi", 600, 600}};

const int kPages = 2;

struct Run {
    double seconds = 0;
    double cpuSeconds = 0;
    long maxRssKb = 0;
    bool ok = false;
};

Run RunFilter(const std::string& jobId, const std::string& options, const std::string& input) {
    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        int in = open(input.c_str(), O_RDONLY);
        int out = open("/dev/null", O_WRONLY);
        dup2(in, 0);
        dup2(out, 1);
        unsetenv("PPD");
        execl(RASTERTOTQ51M_PATH, RASTERTOTQ51M_PATH, jobId.c_str(), "bench", "bench", "1",
              options.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage usage;
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.maxRssKb = usage.ru_maxrss;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

void FilterPerPage(benchmark::State& state, Media media, Resolution resolution) {
    const std::string stem = "/tmp/tq51m-bench-" + std::to_string(getpid());
    const std::string raster = stem + ".ras";
    const std::string jobId = "bench" + std::to_string(getpid());
    const std::string info = "/tmp/Print_" + jobId + ".log";
    const int width = media.widthDots * resolution.dpiX / 300;
    const int height = media.lengthDots * resolution.dpiY / 300;

    char command[512];
    std::snprintf(command, sizeof(command),
                  "%s -o %s --width %.6f --height %.6f --dpi %dx%d --pages %d", SAMPLE_RASTER_PATH,
                  raster.c_str(), media.widthDots / 300.0, media.lengthDots / 300.0,
                  resolution.dpiX, resolution.dpiY, kPages);
    if (std::system(command) != 0) {
        state.SkipWithError("the sample raster could not be written");
        return;
    }
    if (FILE* f = std::fopen(info.c_str(), "w"))
        std::fclose(f);

    const std::string options = std::string("PageSize=") + media.pageSize +
                                " Resolution=" + resolution.option +
                                " ZelBorder=Enable ZelColorAdjustment=Enable ZelGamma=20"
                                " ZelBrightness=10 ZelContrast=10 ZelChroma=20 ZelSharpness=3";
    long maxRssKb = 0;
    double cpuPerPage = 0;
    for (auto _ : state) {
        Run empty = RunFilter(jobId, options, "/dev/null");
        Run job = RunFilter(jobId, options, raster);
        if (!empty.ok || !job.ok) {
            state.SkipWithError("the filter failed");
            break;
        }
        state.SetIterationTime((job.seconds - empty.seconds) / kPages);
        cpuPerPage = (job.cpuSeconds - empty.cpuSeconds) / kPages;
        maxRssKb = job.maxRssKb;
    }
    state.counters["page_cpu_ms"] = cpuPerPage * 1000.0;
    state.counters["peak_RSS_MB"] = double(maxRssKb) / 1024.0;
    state.counters["page_Mpx"] = double(width) * height / 1e6;
    unlink(raster.c_str());
    unlink(info.c_str());
}

} // namespace

int main(int argc, char** argv) {
    for (const Resolution& resolution : kResolutions)
        for (const Media& media : kMedia)
            benchmark::RegisterBenchmark(
                (std::string("FilterPerPage/") + media.pageSize + "/" + resolution.option).c_str(),
                FilterPerPage, media, resolution)
                ->UseManualTime()
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
