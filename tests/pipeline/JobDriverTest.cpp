// SPDX-License-Identifier: Apache-2.0
// The job driver on raster jobs written with libcups: the library's job in process for the
// batching, rastertotq51m as a child process for what its front end does.
#include <algorithm>
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
#include "OutputCapture.h"
#include "PipelineSupport.h"
#include "RasterHeader.h"
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
    // Given only when the first print is placed, the job information lays out the same sheets;
    // a job that places no print never asks for it.
    int asked = 0;
    const JobRun late = RunRasterJobInfoLate(kOptions, c.jobInfo, raster, asked);
    unlink(raster.c_str());
    EXPECT_TRUE(run.started);
    EXPECT_EQ(run.result, PrintJob::Result::Ok);
    EXPECT_EQ(Summarise(run.output), c.expected);
    EXPECT_EQ(late.result, PrintJob::Result::Ok);
    EXPECT_EQ(Summarise(late.output), c.expected);
    EXPECT_EQ(asked, c.expected.empty() ? 0 : 1);
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
        cups_page_header2_t header = tq51m::test::RgbPageHeader(kWidth, height);
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

// The library's job, fed from raster or line by line, with its cancel check and its sink.

// The lines of a raster page as a caller that decodes its own input would feed them.
LinePage LinesOf(const RasterPage& page) {
    LinePage lines{page.width, page.height, page.copies, {}};
    const unsigned bytesPerPixel = page.greyLines ? 1 : 3;
    for (unsigned y = 0; y < page.height; ++y) {
        std::string line(size_t(page.width) * bytesPerPixel, '\0');
        for (unsigned x = 0; x < page.width; ++x) {
            unsigned char rgb[3];
            page.pixel(x, y, rgb);
            line.replace(size_t(x) * bytesPerPixel, bytesPerPixel,
                         reinterpret_cast<const char*>(rgb), bytesPerPixel);
        }
        lines.lines.push_back(line);
    }
    return lines;
}

RasterPage PatternPage(unsigned width, unsigned height, unsigned copies) {
    RasterPage page;
    page.width = width;
    page.height = height;
    page.copies = copies;
    page.pixel = [](unsigned x, unsigned y, unsigned char rgb[3]) {
        rgb[0] = static_cast<unsigned char>(x * 7 + y);
        rgb[1] = static_cast<unsigned char>(y * 5);
        rgb[2] = static_cast<unsigned char>(x ^ y);
    };
    return page;
}

struct LineCase {
    const char* name;
    const char* options;
    std::string jobInfo;
    std::vector<RasterPage> pages;
};

class LineByLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineByLine, GivesTheBytesOfTheSameRasterJob) {
    const LineCase& c = GetParam();
    const std::string raster = TempPath(std::string("lines-") + c.name);
    ASSERT_TRUE(WriteRasterFile(raster, c.pages));
    const JobRun fromRaster = RunRasterJob(c.options, c.jobInfo, raster);
    unlink(raster.c_str());
    std::vector<LinePage> lines;
    for (const RasterPage& page : c.pages)
        lines.push_back(LinesOf(page));
    const JobRun fromLines = RunLineJob(c.options, c.jobInfo, lines);
    EXPECT_TRUE(DecodeStream(fromRaster.output).whole);
    EXPECT_FALSE(fromRaster.output.empty());
    EXPECT_TRUE(fromLines.output == fromRaster.output)
        << fromLines.output.size() << " bytes from lines, " << fromRaster.output.size()
        << " from raster";
}

RasterPage GreyLines(RasterPage page) {
    page.greyLines = true;
    return page;
}

INSTANTIATE_TEST_SUITE_P(
    Driver, LineByLine,
    ::testing::Values(
        LineCase{"Plain", kOptions, "", {PatternPage(70, 40, 1)}},
        LineCase{"TwoUpOddRemainCopies",
                 "PageSize=207x130mm ZelOvercoatFinish=Matte",
                 k2Up + "MEDIA_REMAIN_HALF=1\n",
                 {PatternPage(61, 33, 3), PatternPage(40, 50, 1)}},
        LineCase{"AllAdjustments600",
                 "Resolution=600x600dpi PageSize=207x156mm ZelBorder=Enable ZelSharpness=3 "
                 "ZelGamma=50 ZelBrightness=20 ZelContrast=30 ZelChroma=30 "
                 "ZelColorAdjustment=Enable",
                 k3Up,
                 {PatternPage(90, 45, 2), PatternPage(33, 90, 1)}},
        LineCase{"FeedResolution300x600",
                 "Resolution=300x600dpi ZelPrintSpeed=Enable",
                 "",
                 {PatternPage(50, 20, 1)}},
        LineCase{"ShortLines", kOptions, "", {GreyLines(PatternPage(64, 10, 1))}}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST(LineByLine, PageAboveTheLimitIsDropped) {
    LinePage huge{50000, 30000, 1, {std::string(150000, '\x01'), std::string(150000, '\x02')}};
    const LinePage page = LinesOf(UniformPage(kWidth, kHeight, 50, 50, 50));
    const JobRun run = RunLineJob(kOptions, "", {huge, page});
    EXPECT_EQ(run.result, PrintJob::Result::Ok);
    EXPECT_EQ(Summarise(run.output), (std::vector<SheetSeen>{{408, {50}}}));
}

// The cancel check is polled after each page header, after each row but the last, after the
// rows and at the end of the job: for a page of 32 rows that is 33 polls, the end is one more.
struct CancelCase {
    const char* name;
    std::string jobInfo;
    unsigned pages;
    int cancelAtPoll; // 0: never
    PrintJob::Result result;
    size_t sheets;
};

class CancelCheck : public ::testing::TestWithParam<CancelCase> {};

TEST_P(CancelCheck, StopsTheJobWithoutAPendingBatch) {
    const CancelCase& c = GetParam();
    std::vector<RasterPage> pages;
    for (unsigned i = 0; i < c.pages; ++i)
        pages.push_back(UniformPage(kWidth, kHeight, 90, 90, 90));
    const std::string raster = TempPath(std::string("cancel-") + c.name);
    ASSERT_TRUE(WriteRasterFile(raster, pages));
    int polls = 0;
    const JobRun run =
        RunRasterJob(kOptions, c.jobInfo, raster, [&] { return ++polls == c.cancelAtPoll; });
    unlink(raster.c_str());
    EXPECT_EQ(run.result, c.result);
    const DecodedStream stream = DecodeStream(run.output);
    EXPECT_TRUE(stream.whole) << stream.error;
    EXPECT_EQ(stream.sheets.size(), c.sheets);
    EXPECT_EQ(stream.sheetCommandsAfterLastStart, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Driver, CancelCheck,
    ::testing::Values(CancelCase{"Never", k2Up, 2, 0, PrintJob::Result::Ok, 1},
                      CancelCase{"FirstHeader", k2Up, 2, 1, PrintJob::Result::Canceled, 0},
                      CancelCase{"AfterTenRows", k2Up, 2, 11, PrintJob::Result::Canceled, 0},
                      CancelCase{"AfterTheRows", k2Up, 2, 33, PrintJob::Result::Canceled, 0},
                      CancelCase{"SecondHeader", k2Up, 2, 34, PrintJob::Result::Canceled, 0},
                      CancelCase{"SecondPageRows", k2Up, 2, 50, PrintJob::Result::Canceled, 0},
                      CancelCase{"EndWithAPrintPending", k2Up, 1, 34, PrintJob::Result::Canceled,
                                 0},
                      CancelCase{"EndUncancelled", k2Up, 1, 0, PrintJob::Result::Ok, 1},
                      CancelCase{"AfterAFullSheet", "", 2, 40, PrintJob::Result::Canceled, 1}),
    [](const ::testing::TestParamInfo<CancelCase>& info) { return info.param.name; });

// The sink gets the sheet as its bytes; a write that fails stops the sheet before "START", as
// a short write of standard output does. One 8 x 4 inch sheet: four 40-byte control commands,
// the 40-byte MULTICUT, three planes of 1120 + 2560 x 1236 bytes and the 32-byte START.
const size_t kPlaneBytes = 1120 + 2560 * 1236;
const size_t kSheetBytes = 4 * 40 + 40 + 3 * kPlaneBytes + 32;

class SinkCapacity : public ::testing::TestWithParam<size_t> {};

TEST_P(SinkCapacity, TakesTheBytesThatFitAndNoStartAfterAFailedPlane) {
    const std::string raster = TempPath("sink");
    ASSERT_TRUE(WriteRasterFile(raster, {UniformPage(kWidth, kHeight, 60, 60, 60)}));
    const JobInfo info = JobInfoFromText("");
    StringSink sink(GetParam());
    const int fd = open(raster.c_str(), O_RDONLY);
    cups_raster_t* stream = cupsRasterOpen(fd, CUPS_RASTER_READ);
    {
        PrintJob job(JobSettings::FromCups(kOptions, nullptr), info, sink, {});
        ASSERT_TRUE(job.Start());
        EXPECT_EQ(job.RunRaster(stream), PrintJob::Result::Ok);
    }
    cupsRasterClose(stream);
    close(fd);
    unlink(raster.c_str());
    const std::string& bytes = sink.bytes();
    EXPECT_EQ(bytes.size(), std::min(GetParam(), kSheetBytes));
    const bool started =
        bytes.size() == kSheetBytes &&
        bytes.compare(kSheetBytes - 32, 32, "\x1bPCNTRL START" + std::string(19, ' ')) == 0;
    EXPECT_EQ(started, GetParam() >= kSheetBytes);
}

INSTANTIATE_TEST_SUITE_P(Driver, SinkCapacity,
                         ::testing::Values(std::string::npos, kSheetBytes, kSheetBytes - 1,
                                           200 + 2 * kPlaneBytes + 10, 200 + 1000, 50));

} // namespace
