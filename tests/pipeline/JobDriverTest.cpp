// The job driver on raster jobs written with libcups: the library's job in process for the
// batching, rastertotq51m as a child process for what its front end does.
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "JobRunner.h"
#include "PipelineSupport.h"
#include "StreamReading.h"

using namespace pipeline;
using namespace support;

namespace {

const char* const kOptions = "PageSize=207x105mm";
const std::vector<std::string> kControls = {"CUTTER=00000000", "OVERCOAT=00000000",
                                            "BUFFCNTRL=00000001", "PRINTSPEED=00000000"};

// Small pages, each a distinct grey so that every print can be traced to its page.
const unsigned kWidth = 64, kHeight = 32;
unsigned char PageGrey(int page) {
    return static_cast<unsigned char>(20 * (page + 1));
}

// One sheet as read back: media code and the grey of each slot's print.
struct SheetSeen {
    int mediaCode;
    std::vector<int> greys;
    bool operator==(const SheetSeen& o) const {
        return mediaCode == o.mediaCode && greys == o.greys;
    }
};

std::ostream& operator<<(std::ostream& os, const SheetSeen& s) {
    os << "{" << s.mediaCode << ":";
    for (int g : s.greys)
        os << " " << g;
    return os << "}";
}

DecodedStream ReadSheets(const std::string& stream) {
    DecodedStream decoded = DecodeStream(stream);
    EXPECT_TRUE(decoded.whole) << decoded.error;
    return decoded;
}

// Media 33 prints of 8 x 4 inch: slots of 1236 lines, 30 lines apart; the 64 x 32 print is
// centred in its slot.
std::vector<SheetSeen> Summarise(const std::string& stream) {
    std::vector<SheetSeen> seen;
    const DecodedStream decoded = ReadSheets(stream);
    for (size_t k = 0; k < decoded.sheets.size(); ++k) {
        const tq51m::Sheet& sheet = decoded.sheets[k];
        EXPECT_EQ(decoded.controls[k], kControls);
        const int slots = sheet.mediaCode == 408 ? 1 : (sheet.mediaCode == 13 ? 2 : 3);
        SheetSeen s{sheet.mediaCode, {}};
        for (int i = 0; i < slots; ++i)
            s.greys.push_back(PlaneAt(sheet.c, 1280, 1266 * i + 602 + 16));
        seen.push_back(s);
    }
    return seen;
}

struct BatchCase {
    const char* name;
    std::string jobInfo;
    std::vector<unsigned> copiesPerPage;
    std::vector<SheetSeen> expected;
};

class JobBatches : public ::testing::TestWithParam<BatchCase> {};

TEST_P(JobBatches, SheetsFollowTheLayoutAndParity) {
    const BatchCase& c = GetParam();
    std::vector<RasterPage> pages;
    for (size_t i = 0; i < c.copiesPerPage.size(); ++i) {
        const unsigned char g = PageGrey(int(i));
        pages.push_back(UniformPage(kWidth, kHeight, g, g, g, c.copiesPerPage[i]));
    }
    const std::string raster = TempPath(std::string("batch-") + c.name);
    ASSERT_TRUE(WriteRasterFile(raster, pages));
    const JobRun run = RunRasterJob(kOptions, c.jobInfo, raster);
    unlink(raster.c_str());
    EXPECT_TRUE(run.started);
    EXPECT_EQ(run.result, PrintJob::Result::Ok);
    EXPECT_EQ(Summarise(run.output), c.expected);
}

const std::string k2Up = "MEDIA_SIZE=\"00500\"\n";
const std::string k3Up = "MEDIA_SIZE=\"00510\"\n";

INSTANTIATE_TEST_SUITE_P(
    Driver, JobBatches,
    ::testing::Values(
        BatchCase{"OnePerSheet",
                  "MEDIA_REMAIN_HALF=\"1\"\n",
                  {1, 1, 1},
                  {{408, {20}}, {408, {40}}, {408, {60}}}},
        BatchCase{"TwoUp", k2Up, {1, 1, 1}, {{13, {20, 40}}, {408, {60}}}},
        BatchCase{"TwoUpOddRemain",
                  k2Up + "MEDIA_REMAIN_HALF=\"3\"\n",
                  {1, 1, 1},
                  {{408, {20}}, {13, {40, 60}}}},
        BatchCase{"TwoUpNegativeRemain",
                  k2Up + "MEDIA_REMAIN_HALF=-1\n",
                  {1, 1, 1},
                  {{13, {20, 40}}, {408, {60}}}},
        BatchCase{"TwoUpThreeCopies", k2Up, {3}, {{13, {20, 20}}, {408, {20}}}},
        BatchCase{"ThreeUpOddRemainFourCopies",
                  k3Up + "MEDIA_REMAIN_HALF=1\n",
                  {4},
                  {{408, {20}}, {20, {20, 20, 20}}}},
        BatchCase{"ThreeUpAcrossPages", k3Up, {2, 2, 1}, {{20, {20, 20, 40}}, {13, {40, 60}}}},
        BatchCase{"NoCopies", k2Up, {0}, {}},
        // The first page has no copy, so the odd remainder no longer applies to a first copy.
        BatchCase{
            "NoCopiesFirstOddRemain", k2Up + "MEDIA_REMAIN_HALF=1\n", {0, 1, 1}, {{13, {40, 60}}}}),
    [](const ::testing::TestParamInfo<BatchCase>& info) { return info.param.name; });

TEST(JobDriver, EmptyStreamWritesNothing) {
    JobInfoFile info("");
    FilterRun run = RunFilter({info.id(), "user", "title", "1", kOptions});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output.size(), 0u);
}

TEST(JobDriver, WrongArgumentCountsExitWithOne) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"1", "user", "title", "1"},
          std::vector<std::string>{"1", "user", "title", "1", "", "/dev/null", "extra"}}) {
        FilterRun run = RunFilter(args);
        EXPECT_EQ(run.exitStatus, 1) << args.size() + 1 << " arguments";
        EXPECT_EQ(run.output.size(), 0u);
    }
}

TEST(JobDriver, MissingInputFileExitsWithOne) {
    FilterRun run = RunFilter({"1", "user", "title", "1", "", TempPath("does-not-exist")});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.output.size(), 0u);
}

// The C plane of a stream that holds exactly one single-print sheet.
tq51m::Plane OnlyCyanPlane(const std::string& stream) {
    const DecodedStream decoded = ReadSheets(stream);
    EXPECT_EQ(decoded.sheets.size(), 1u);
    if (decoded.sheets.size() != 1)
        return tq51m::Plane();
    EXPECT_EQ(decoded.sheets[0].mediaCode, 408);
    return decoded.sheets[0].c;
}

TEST(JobDriver, PageCutOffMidwayIsSentWithZeroRows) {
    RasterPage page = UniformPage(kWidth, 100, 200, 200, 200);
    page.linesWritten = 40;
    const std::string raster = TempPath("cut");
    ASSERT_TRUE(WriteRasterFile(raster, {page}));
    JobInfoFile info("");
    FilterRun run = RunFilter({info.id(), "user", "title", "1", kOptions}, {raster});
    unlink(raster.c_str());
    EXPECT_EQ(run.exitStatus, 0);
    const tq51m::Plane plane = OnlyCyanPlane(run.output);
    ASSERT_FALSE(plane.pixels.empty());
    // The print's stored row r is plane row 568 + r; raster line y is stored row 99 - y.
    for (int row = 568; row < 668; ++row) {
        const int expected = row < 628 ? 0 : 200;
        for (int x : {1248, 1280, 1311})
            ASSERT_EQ(PlaneAt(plane, x, row), expected) << x << "," << row;
    }
    EXPECT_EQ(PlaneAt(plane, 1247, 600), 255);
    EXPECT_EQ(PlaneAt(plane, 1312, 600), 255);
}

TEST(JobDriver, LinesShorterThanThreeBytesPerPixelFillOnlyTheirBytes) {
    RasterPage page = UniformPage(kWidth, 10, 77, 0, 0);
    page.greyLines = true;
    const std::string raster = TempPath("grey");
    ASSERT_TRUE(WriteRasterFile(raster, {page}));
    JobInfoFile info("");
    FilterRun run = RunFilter({info.id(), "user", "title", "1", kOptions}, {raster});
    unlink(raster.c_str());
    EXPECT_EQ(run.exitStatus, 0);
    const tq51m::Plane plane = OnlyCyanPlane(run.output);
    ASSERT_FALSE(plane.pixels.empty());
    // The 10-line print starts at plane row 613. 64 bytes a line fill the red byte of the
    // first 22 pixels; the rest of the row stays zero.
    for (int x = 0; x < 64; ++x)
        ASSERT_EQ(PlaneAt(plane, 1248 + x, 613 + 5), x < 22 ? 77 : 0) << x;
}

TEST(JobDriver, PageThatCannotBeAllocatedIsSkipped) {
    if (kAddressSanitizer)
        GTEST_SKIP() << "address-space limits do not work under AddressSanitizer";
    const std::string raster = TempPath("huge");
    ASSERT_TRUE(WriteRasterFile(
        raster, {UniformPage(3000, 3000, 9, 9, 9), UniformPage(kWidth, kHeight, 50, 50, 50)}));
    JobInfoFile info("");
    FilterRun run = RunFilter({info.id(), "user", "title", "1", kOptions}, {raster, "", 40u << 20});
    unlink(raster.c_str());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(Summarise(run.output), (std::vector<SheetSeen>{{408, {50}}}));
}

TEST(JobDriver, PageBeyondThirtyTwoBitSizesIsSkipped) {
    RasterPage page = UniformPage(50000, 30000, 1, 2, 3);
    page.linesWritten = 2;
    const std::string raster = TempPath("overflow");
    ASSERT_TRUE(WriteRasterFile(raster, {page}));
    JobInfoFile info("");
    FilterRun run = RunFilter({info.id(), "user", "title", "1", kOptions}, {raster});
    unlink(raster.c_str());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output.size(), 0u);
}

TEST(JobDriver, WaitsForTheJobInformationFile) {
    const std::string raster = TempPath("late");
    ASSERT_TRUE(WriteRasterFile(raster, {UniformPage(kWidth, kHeight, 20, 20, 20),
                                         UniformPage(kWidth, kHeight, 40, 40, 40)}));
    const std::string id = "pl" + std::to_string(getpid()) + "late";
    const std::string path = "/tmp/Print_" + id + ".log";
    unlink(path.c_str());
    int outFd = -1;
    pid_t pid = StartFilter({id, "user", "title", "1", kOptions}, {raster}, outFd);
    ASSERT_GT(pid, 0);
    sleep(2);
    FILE* f = fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    fputs(k2Up.c_str(), f);
    fclose(f);
    FilterRun run = FinishFilter(pid, outFd);
    unlink(path.c_str());
    unlink(raster.c_str());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(Summarise(run.output), (std::vector<SheetSeen>{{13, {20, 40}}}));
}

// The filter reads its job from a FIFO that the test writes while it runs.
class CancelledJob : public ::testing::Test {
  protected:
    void SetUp() override {
        signal(SIGPIPE, SIG_IGN);
        m_fifo = TempPath("fifo");
        unlink(m_fifo.c_str());
        ASSERT_EQ(mkfifo(m_fifo.c_str(), 0600), 0);
        m_pid = StartFilter({m_info.id(), "user", "title", "1", kOptions}, {m_fifo}, m_outFd);
        ASSERT_GT(m_pid, 0);
        m_fd = open(m_fifo.c_str(), O_WRONLY);
        ASSERT_GE(m_fd, 0);
        m_raster = cupsRasterOpen(m_fd, CUPS_RASTER_WRITE);
        ASSERT_NE(m_raster, nullptr);
    }
    void TearDown() override {
        if (m_raster != nullptr)
            cupsRasterClose(m_raster);
        if (m_fd >= 0)
            close(m_fd);
        unlink(m_fifo.c_str());
    }

    void WriteHeader(unsigned height) {
        cups_page_header2_t header = {};
        header.HWResolution[0] = header.HWResolution[1] = 300;
        header.NumCopies = 1;
        header.cupsWidth = kWidth;
        header.cupsHeight = height;
        header.cupsBitsPerColor = 8;
        header.cupsBitsPerPixel = 24;
        header.cupsBytesPerLine = kWidth * 3;
        header.cupsColorSpace = CUPS_CSPACE_RGB;
        header.cupsNumColors = 3;
        ASSERT_TRUE(cupsRasterWriteHeader2(m_raster, &header));
    }
    void WriteLines(unsigned count) {
        std::vector<unsigned char> line(kWidth * 3, 100);
        for (unsigned i = 0; i < count; ++i)
            cupsRasterWritePixels(m_raster, line.data(), unsigned(line.size()));
    }
    // Waits until the filter has taken everything written so far and settled in its next read.
    void WaitUntilRead() {
        for (int i = 0; i < 100; ++i) {
            int pending = 0;
            ASSERT_EQ(ioctl(m_fd, FIONREAD, &pending), 0);
            if (pending == 0)
                break;
            usleep(50000);
        }
        usleep(300000);
    }
    FilterRun Finish() {
        cupsRasterClose(m_raster);
        m_raster = nullptr;
        close(m_fd);
        m_fd = -1;
        return FinishFilter(m_pid, m_outFd);
    }

    JobInfoFile m_info{k2Up};
    std::string m_fifo;
    pid_t m_pid = -1;
    int m_outFd = -1;
    int m_fd = -1;
    cups_raster_t* m_raster = nullptr;
};

TEST_F(CancelledJob, WhileRowsAreRead) {
    WriteHeader(kHeight);
    WriteLines(kHeight);
    WriteHeader(100);
    WriteLines(10);
    WaitUntilRead();
    kill(m_pid, SIGTERM);
    WriteLines(90);
    FilterRun run = Finish();
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output.size(), 0u);
}

TEST_F(CancelledJob, BetweenPagesWithAPrintPending) {
    WriteHeader(kHeight);
    WriteLines(kHeight);
    WaitUntilRead();
    kill(m_pid, SIGTERM);
    WriteHeader(kHeight);
    WriteLines(kHeight);
    FilterRun run = Finish();
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output.size(), 0u);
}

TEST_F(CancelledJob, AtTheEndOfTheStreamWithAPrintPending) {
    WriteHeader(kHeight);
    WriteLines(kHeight);
    WaitUntilRead();
    kill(m_pid, SIGTERM);
    FilterRun run = Finish();
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output.size(), 0u);
}

} // namespace
