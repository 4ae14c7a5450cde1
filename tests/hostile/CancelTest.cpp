// SIGTERM at random moments of a multi-page job: the filter always exits with 0 and what it
// wrote parses into whole commands, with no sheet begun after the last "START".
#include <chrono>
#include <csignal>
#include <fstream>
#include <future>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "HostileSupport.h"

using namespace hostile;

namespace {

using Clock = std::chrono::steady_clock;

// True once the process has a handler for SIGTERM (bit 15 of SigCgt in /proc).
bool catchesSigterm(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1;
    }
    return false;
}

struct Trial {
    FilterRun run;
    StreamSummary stream;
    bool handlerSeen = false;
};

// Starts the job, waits until its handler is in place, lets it run for `delay`, sends
// SIGTERM and collects what it wrote.
Trial runTrial(const std::string& jobId, const std::string& raster,
               std::chrono::microseconds delay) {
    Trial trial;
    int outFd = -1;
    const pid_t pid =
        StartFilter({jobId, "user", "title", "1", "PageSize=207x105mm"}, {raster}, outFd);
    if (pid < 0)
        return trial;
    std::thread killer([&] {
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (!catchesSigterm(pid) && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        trial.handlerSeen = catchesSigterm(pid);
        std::this_thread::sleep_for(delay);
        kill(pid, SIGTERM);
    });
    trial.run = FinishFilter(pid, outFd);
    killer.join();
    trial.stream = parseOutput(trial.run.output);
    trial.run.output.clear();
    return trial;
}

TEST(Cancel, SigtermAtRandomMomentsLeavesWholeSheets) {
    // Five pages of which two have two copies, two prints a sheet: seven prints, four sheets,
    // the last one with a single print sent at the end of the stream.
    TempFile raster("raster");
    ASSERT_TRUE(writeRaster(raster.path(),
                            {fullPage(64, 32, 10), fullPage(64, 32, 20, 2), fullPage(64, 32, 30),
                             fullPage(64, 32, 40, 2), fullPage(64, 32, 50)}));
    JobInfoFile info("MEDIA_SIZE=\"00500\"\n");

    // How long the job takes uncancelled; the moments are spread over that time.
    const auto start = Clock::now();
    const FilterRun full =
        RunFilter({info.id(), "user", "title", "1", "PageSize=207x105mm"}, {raster.path()});
    const auto jobTime =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    ASSERT_EQ(full.exitStatus, 0);
    ASSERT_EQ(parseOutput(full.output).mediaCodes, (std::vector<int>{13, 13, 13, 408}));

    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> moment(0, jobTime.count());

    const int kTrials = 100, kParallel = 10;
    int cutShort = 0;
    for (int round = 0; round < kTrials / kParallel; ++round) {
        std::vector<std::chrono::microseconds> delays;
        std::vector<std::future<Trial>> trials;
        for (int i = 0; i < kParallel; ++i) {
            delays.emplace_back(moment(random));
            trials.push_back(
                std::async(std::launch::async, runTrial, info.id(), raster.path(), delays.back()));
        }
        for (int i = 0; i < kParallel; ++i) {
            const Trial trial = trials[i].get();
            SCOPED_TRACE("SIGTERM after " + std::to_string(delays[i].count()) + " us");
            EXPECT_TRUE(trial.handlerSeen);
            EXPECT_EQ(trial.run.termSignal, 0);
            EXPECT_EQ(trial.run.exitStatus, 0);
            EXPECT_TRUE(trial.stream.whole) << trial.stream.error;
            EXPECT_EQ(trial.stream.sheetCommandsAfterLastStart, 0);
            EXPECT_LE(trial.stream.mediaCodes.size(), 4u);
            if (trial.stream.mediaCodes.size() < 4)
                ++cutShort;
        }
    }
    // The moments are spread over the whole job: most trials stop it early.
    EXPECT_GT(cutShort, kTrials / 2);
}

} // namespace
