// SPDX-License-Identifier: Apache-2.0
// Hostile raster, job ids, PPDs and job information files through rastertotq51m: the job
// always ends with exit status 0 and a stream of whole sheets, in bounded memory.
#include <climits>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "HostileSupport.h"

using namespace hostile;

namespace {

const char kOptions[] = "PageSize=207x105mm";
const int kSingle = 408; // media code of one 8 x 4 inch print
const int kTwoUp = 13;   // two 8 x 4 inch prints on one sheet
// A normal page needs the sheet's planes and the colour chain: well below this.
const long kMemoryBoundKb = 400L * 1024;

struct RasterCase {
    const char* name;
    RasterPage page;
    std::vector<int> sheets; // media codes of the sheets of page A, the case's page, page B
};

void PrintTo(const RasterCase& c, std::ostream* os) {
    *os << c.name;
}

RasterPage headerOnly(cups_page_header2_t header, unsigned lines = 0) {
    return RasterPage{header, lines, 0x55};
}

cups_page_header2_t withDepth(unsigned width, unsigned height, unsigned bitsPerColor,
                              unsigned bitsPerPixel, cups_cspace_t space) {
    cups_page_header2_t header = rgbHeader(width, height);
    header.cupsBitsPerColor = bitsPerColor;
    header.cupsBitsPerPixel = bitsPerPixel;
    header.cupsColorSpace = space;
    header.cupsNumColors = bitsPerPixel / bitsPerColor;
    header.cupsBytesPerLine = (width * bitsPerPixel + 7) / 8;
    return header;
}

cups_page_header2_t shortLines(unsigned width, unsigned height) {
    cups_page_header2_t header = rgbHeader(width, height);
    header.cupsBytesPerLine = width * 3 - 3;
    return header;
}

std::vector<RasterCase> rasterCases() {
    return {
        // libcups refuses a header without lines or pixels: the stream ends there.
        {"Width0", headerOnly(rgbHeader(0, 32)), {kSingle}},
        {"Height0", headerOnly(rgbHeader(64, 0)), {kSingle}},
        {"Width1", fullPage(1, 32, 0x40), {kSingle, kSingle, kSingle}},
        {"Height1", fullPage(64, 1, 0x40), {kSingle, kSingle, kSingle}},
        {"Width2To31Minus1", headerOnly(rgbHeader(INT_MAX, 1)), {kSingle}},
        // Skipped as too large; its missing rows are looked for up to the end of the stream.
        {"Height2To31Minus1", headerOnly(rgbHeader(64, INT_MAX), 4), {kSingle}},
        // Lines shorter than three bytes a pixel fill the start of their rows; the rest of
        // each row stays zero.
        {"BytesPerLineBelowWidthTimes3",
         headerOnly(shortLines(64, 32), 32),
         {kSingle, kSingle, kSingle}},
        // Other depths are taken byte for byte as three bytes a pixel: a print of
        // nonsense colours, but a print like any other.
        {"Depth1",
         headerOnly(withDepth(64, 32, 1, 1, CUPS_CSPACE_K), 32),
         {kSingle, kSingle, kSingle}},
        {"Depth8",
         headerOnly(withDepth(64, 32, 8, 8, CUPS_CSPACE_W), 32),
         {kSingle, kSingle, kSingle}},
        {"Depth16",
         headerOnly(withDepth(64, 32, 16, 16, CUPS_CSPACE_W), 32),
         {kSingle, kSingle, kSingle}},
        {"Depth48",
         headerOnly(withDepth(64, 32, 16, 48, CUPS_CSPACE_RGB), 32),
         {kSingle, kSingle, kSingle}},
    };
}

class HostileRaster : public ::testing::TestWithParam<RasterCase> {};

TEST_P(HostileRaster, JobEndsCleanlyWithWholeSheets) {
    const RasterCase& c = GetParam();
    TempFile raster("raster");
    ASSERT_TRUE(writeRaster(raster.path(), {fullPage(64, 32, 100), c.page, fullPage(48, 24, 200)}));
    JobInfoFile info("");
    const FilterRun run = RunFilter({info.id(), "user", "title", "1", kOptions}, {raster.path()});
    EXPECT_EQ(run.exitStatus, 0);
    const StreamSummary stream = parseOutput(run.output);
    EXPECT_TRUE(stream.whole) << stream.error;
    EXPECT_EQ(stream.mediaCodes, c.sheets);
    EXPECT_LT(run.maxRssKb, kMemoryBoundKb);
}

INSTANTIATE_TEST_SUITE_P(Headers, HostileRaster, ::testing::ValuesIn(rasterCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostileRasterStream, TruncatedHeaderEndsTheJobAfterThePagesBefore) {
    TempFile whole("whole"), cut("cut");
    ASSERT_TRUE(writeRaster(whole.path(), {fullPage(64, 32, 100)}, CUPS_RASTER_WRITE));
    const size_t onePage = readFile(whole.path()).size();
    ASSERT_TRUE(writeRaster(whole.path(), {fullPage(64, 32, 100), fullPage(64, 32, 100)},
                            CUPS_RASTER_WRITE));
    // The second header (1796 bytes) is cut after 100 of them.
    ASSERT_TRUE(writeFile(cut.path(), readFile(whole.path()).substr(0, onePage + 100)));
    JobInfoFile info("");
    const FilterRun run = RunFilter({info.id(), "user", "title", "1", kOptions}, {cut.path()});
    EXPECT_EQ(run.exitStatus, 0);
    const StreamSummary stream = parseOutput(run.output);
    EXPECT_TRUE(stream.whole) << stream.error;
    EXPECT_EQ(stream.mediaCodes, (std::vector<int>{kSingle}));
}

TEST(HostileRasterStream, TruncatedPageIsPrintedWithTheRowsRead) {
    TempFile whole("whole"), cut("cut");
    ASSERT_TRUE(writeRaster(whole.path(), {fullPage(64, 32, 100), fullPage(64, 32, 100)},
                            CUPS_RASTER_WRITE));
    const std::string bytes = readFile(whole.path());
    ASSERT_TRUE(writeFile(cut.path(), bytes.substr(0, bytes.size() - size_t{64} * 3 * 10)));
    JobInfoFile info("");
    const FilterRun run = RunFilter({info.id(), "user", "title", "1", kOptions}, {cut.path()});
    EXPECT_EQ(run.exitStatus, 0);
    const StreamSummary stream = parseOutput(run.output);
    EXPECT_TRUE(stream.whole) << stream.error;
    EXPECT_EQ(stream.mediaCodes, (std::vector<int>{kSingle, kSingle}));
}

// 20000 x 18000 pixels need a page buffer of 1.08 GB: the page is read past and dropped,
// the job goes on with the next page, and the filter never holds such a buffer.
TEST(HostileRasterStream, PageAboveOneGibibyteIsSkipped) {
    TempFile raster("big");
    ASSERT_TRUE(writeRaster(
        raster.path(), {fullPage(64, 32, 100), fullPage(20000, 18000, 7), fullPage(48, 24, 200)}));
    JobInfoFile info("");
    const FilterRun run = RunFilter({info.id(), "user", "title", "1", kOptions}, {raster.path()});
    EXPECT_EQ(run.exitStatus, 0);
    const StreamSummary stream = parseOutput(run.output);
    EXPECT_TRUE(stream.whole) << stream.error;
    EXPECT_EQ(stream.mediaCodes, (std::vector<int>{kSingle, kSingle}));
    EXPECT_LT(run.maxRssKb, kMemoryBoundKb);
}

// A job id too long for the job information path: the filter neither waits for nor reads a
// shortened name (here one holding a two-up layout) and runs the job without job
// information, one print per sheet.
TEST(HostileJob, JobIdOfTenThousandCharacters) {
    const std::string id(10000, '7');
    const std::string shortened = ("/tmp/Print_" + id).substr(0, 127);
    ASSERT_TRUE(writeFile(shortened, "MEDIA_SIZE=\"00500\"\n"));
    TempFile raster("raster");
    ASSERT_TRUE(writeRaster(raster.path(), {fullPage(64, 32, 100), fullPage(64, 32, 120)}));
    const FilterRun run = RunFilter({id, "user", "title", "1", kOptions}, {raster.path()});
    unlink(shortened.c_str());
    EXPECT_EQ(run.exitStatus, 0);
    const StreamSummary stream = parseOutput(run.output);
    EXPECT_TRUE(stream.whole) << stream.error;
    EXPECT_EQ(stream.mediaCodes, (std::vector<int>{kSingle, kSingle}));
}

// A line is read in pieces of 255 bytes and a NUL byte ends what the reader compares: the
// page size after a 100 kB line is found, a resolution behind a NUL byte is not (300 dpi).
TEST(HostileJob, PpdWithNulBytesAndLongLines) {
    TempFile ppd("ppd");
    const std::string text = std::string("*PPD-Adobe: \"4.3\"\n") + std::string(100000, 'x') +
                             "\n*DefaultPageSize: 207x105mm\n" + "*DefaultResolution: " + '\0' +
                             "600x600dpi\n" + std::string(3000, '\0') +
                             "\n*DefaultZelBorder: " + std::string(5000, 'E') + "\n";
    ASSERT_TRUE(writeFile(ppd.path(), text));
    TempFile raster("raster");
    ASSERT_TRUE(writeRaster(raster.path(), {fullPage(64, 32, 100)}));
    JobInfoFile info("");
    const FilterRun run =
        RunFilter({info.id(), "user", "title", "1", ""}, {raster.path(), ppd.path()});
    EXPECT_EQ(run.exitStatus, 0);
    const StreamSummary stream = parseOutput(run.output);
    EXPECT_TRUE(stream.whole) << stream.error;
    EXPECT_EQ(stream.mediaCodes, (std::vector<int>{kSingle}));
    EXPECT_EQ(stream.dpiY, (std::vector<int>{300}));
}

struct JobInfoCase {
    const char* name;
    std::string content;
    std::vector<int> sheets; // for two single-copy pages
};

void PrintTo(const JobInfoCase& c, std::ostream* os) {
    *os << c.name;
}

class HostileJobInfo : public ::testing::TestWithParam<JobInfoCase> {};

TEST_P(HostileJobInfo, LayoutFromWhatCanBeRead) {
    JobInfoFile info(GetParam().content);
    TempFile raster("raster");
    ASSERT_TRUE(writeRaster(raster.path(), {fullPage(64, 32, 100), fullPage(64, 32, 120)}));
    const FilterRun run = RunFilter({info.id(), "user", "title", "1", kOptions}, {raster.path()});
    EXPECT_EQ(run.exitStatus, 0);
    const StreamSummary stream = parseOutput(run.output);
    EXPECT_TRUE(stream.whole) << stream.error;
    EXPECT_EQ(stream.mediaCodes, GetParam().sheets);
}

std::string millionLines() {
    std::string text;
    text.reserve(6000000);
    for (int i = 0; i < 1000000; ++i)
        text += "X=\"1\"\n";
    return text + "MEDIA_SIZE=\"00500\"\n";
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileJobInfo,
    ::testing::Values(
        // The key on the last of a million lines is still found: two prints per sheet.
        JobInfoCase{"MillionLines", millionLines(), {kTwoUp}},
        // Without line feeds nothing matches: one print per sheet.
        JobInfoCase{"NoLineFeeds", std::string(1 << 20, 'z'), {kSingle, kSingle}},
        // The key in one line of 1 MB: its value is far too long for the reader's buffer.
        JobInfoCase{"KeyInAHugeLine",
                    "MEDIA_SIZE=\"00500" + std::string(1 << 20, '0'),
                    {kSingle, kSingle}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
