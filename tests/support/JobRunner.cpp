// SPDX-License-Identifier: Apache-2.0
#include "JobRunner.h"

#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "OutputCapture.h"

namespace support {

pid_t StartFilter(const std::vector<std::string>& args, const FilterInput& input, int& outFd) {
    int out[2];
    if (pipe(out) != 0)
        return -1;
    pid_t pid = fork();
    if (pid == 0) {
        const std::string stdinPath = input.stdinPath.empty() ? "/dev/null" : input.stdinPath;
        int in = open(stdinPath.c_str(), O_RDONLY);
        if (in < 0 || dup2(in, 0) < 0 || dup2(out[1], 1) < 0)
            _exit(127);
        close(out[0]);
        if (input.ppd.empty())
            unsetenv("PPD");
        else
            setenv("PPD", input.ppd.c_str(), 1);
        if (input.addressSpace != 0) {
            struct rlimit limit = {input.addressSpace, input.addressSpace};
            setrlimit(RLIMIT_AS, &limit);
        }
        std::vector<std::string> words = args;
        std::vector<char*> argv;
        std::string program = RASTERTOTQ51M_PATH;
        argv.push_back(program.data());
        for (std::string& word : words)
            argv.push_back(word.data());
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
    struct rusage usage;
    if (wait4(pid, &status, 0, &usage) == pid) {
        run.maxRssKb = usage.ru_maxrss;
        if (WIFEXITED(status))
            run.exitStatus = WEXITSTATUS(status);
        if (WIFSIGNALED(status))
            run.termSignal = WTERMSIG(status);
    }
    return run;
}

FilterRun RunFilter(const std::vector<std::string>& args, const FilterInput& input) {
    int outFd = -1;
    pid_t pid = StartFilter(args, input, outFd);
    if (pid < 0)
        return FilterRun();
    return FinishFilter(pid, outFd);
}

JobInfo JobInfoFromText(const std::string& text) {
    if (text.empty())
        return JobInfo();
    char dir[] = "/tmp/tq51m-jobinfo-XXXXXX";
    if (mkdtemp(dir) == nullptr)
        return JobInfo();
    const std::string path = std::string(dir) + "/Print_job.log";
    if (FILE* file = std::fopen(path.c_str(), "w")) {
        std::fputs(text.c_str(), file);
        std::fclose(file);
    }
    JobInfo info = ReadJobInfo(dir, "job");
    unlink(path.c_str());
    rmdir(dir);
    return info;
}

namespace {

JobSettings Settings(const std::string& options) {
    return JobSettings::FromCups(options.c_str(), nullptr);
}

} // namespace

namespace {

JobRun RunRaster(PrintJob& job, StringSink& sink, const std::string& rasterPath) {
    JobRun run;
    const int fd = open(rasterPath.c_str(), O_RDONLY);
    if (fd < 0)
        return run;
    cups_raster_t* raster = cupsRasterOpen(fd, CUPS_RASTER_READ);
    run.started = job.Start();
    if (run.started)
        run.result = job.RunRaster(raster);
    cupsRasterClose(raster);
    close(fd);
    run.output = sink.bytes();
    return run;
}

} // namespace

JobRun RunRasterJob(const std::string& options, const std::string& jobInfo,
                    const std::string& rasterPath, std::function<bool()> canceled) {
    StringSink sink;
    PrintJob job(Settings(options), JobInfoFromText(jobInfo), sink, std::move(canceled));
    return RunRaster(job, sink, rasterPath);
}

JobRun RunRasterJobInfoLate(const std::string& options, const std::string& jobInfo,
                            const std::string& rasterPath, int& asked) {
    StringSink sink;
    asked = 0;
    PrintJob job(Settings(options),
                 [&jobInfo, &asked] {
                     ++asked;
                     return JobInfoFromText(jobInfo);
                 },
                 sink, {});
    return RunRaster(job, sink, rasterPath);
}

JobRun RunLineJob(const std::string& options, const std::string& jobInfo,
                  const std::vector<LinePage>& pages, std::function<bool()> canceled) {
    JobRun run;
    StringSink sink;
    PrintJob job(Settings(options), JobInfoFromText(jobInfo), sink, std::move(canceled));
    run.started = job.Start();
    for (const LinePage& page : pages) {
        if (!run.started || run.result == PrintJob::Result::Canceled)
            break;
        run.result = job.BeginPage(page.width, page.height, page.copies);
        for (const std::string& line : page.lines) {
            if (run.result == PrintJob::Result::Canceled)
                break;
            run.result =
                job.WriteLine(reinterpret_cast<const unsigned char*>(line.data()), line.size());
        }
        if (run.result != PrintJob::Result::Canceled)
            run.result = job.EndPage();
    }
    if (run.started && run.result != PrintJob::Result::Canceled)
        job.End();
    run.output = sink.bytes();
    return run;
}

} // namespace support
