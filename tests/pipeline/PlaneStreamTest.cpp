// The plane stream of a sheet: PhotoImageBuffer::Send through DeviceEntry's PrintImageData and
// SendImageData, with the device's output captured in-process.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "OutputCapture.h"
#include "PhotoPrinterDeviceTQ51M.h"
#include "PipelineSupport.h"
#include "StreamReading.h"

using namespace pipeline;
using namespace support;

namespace {

using PixelFn = std::function<void(int x, int row, unsigned char rgb[3])>;

// A 24-bit print over memory of the test's own.
struct Print {
    std::vector<unsigned char> pixels;
    _tagBITMAPHANDLE record;
    Print(int width, int height, const PixelFn& pixel) {
        const int stride = ((width * 24 + 31) >> 5) * 4;
        pixels.assign(size_t(stride) * height, 0);
        for (int row = 0; row < height; ++row)
            for (int x = 0; x < width; ++x)
                pixel(x, row, &pixels[size_t(row) * stride + size_t(x) * 3]);
        std::memset(&record, 0, sizeof(record));
        IL_CreateBitmap(&record, IL_BITMAPHANDLE_SIZE, IL_MEMORY_USER, uint32_t(width),
                        uint32_t(height), 24, IL_COLORORDER_RGB, nullptr, IL_ROWORIGIN_BOTTOM,
                        pixels.data(), int64_t(pixels.size()));
    }
};

PixelFn Solid(unsigned char r, unsigned char g, unsigned char b) {
    return [=](int, int, unsigned char rgb[3]) {
        rgb[0] = r;
        rgb[1] = g;
        rgb[2] = b;
    };
}

std::unique_ptr<DeviceEntry> MakeDevice(int mediaId, long dpi = 300) {
    std::unique_ptr<DeviceEntry> device(new DeviceEntry_TQ51M);
    device->m_settings.dpi = dpi;
    device->SetMediaInfo(device->m_mediaInfo, mediaId, 1.53);
    // What MakeImageData does before every page: the buffer learns the single-print geometry.
    device->m_imageBuffer.Alloc(device->m_mediaInfo);
    return device;
}

DecodedStream Parse(const std::string& stream) {
    DecodedStream decoded = DecodeStream(stream);
    EXPECT_TRUE(decoded.whole) << decoded.error;
    return decoded;
}

// Plane p of the stream's first sheet, in the order of the stream: 0 Y, 1 M, 2 C.
const tq51m::Plane& PlaneOf(const DecodedStream& decoded, int p) {
    const tq51m::Sheet& sheet = decoded.sheets.at(0);
    return p == 0 ? sheet.y : (p == 1 ? sheet.m : sheet.c);
}

uint32_t Le4(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 |
           uint32_t(uint8_t(s[at + 2])) << 16 | uint32_t(uint8_t(s[at + 3])) << 24;
}

const std::vector<std::string> kSheet = {"IMAGE MULTICUT", "IMAGE YPLANE", "IMAGE MPLANE",
                                         "IMAGE CPLANE", "CNTRL START"};

TEST(PlaneStream, HeaderOfAnEightBySixSheet) {
    auto device = MakeDevice(35);
    Print print(2448, 1836, Solid(10, 20, 30));
    device->SetImageData(0, &print.record);
    OutputCapture capture(*device);
    EXPECT_EQ(device->PrintImageData(&device->m_mediaInfo), 1);
    const std::string stream = capture.Finish();
    const DecodedStream decoded = Parse(stream);
    ASSERT_EQ(decoded.Names(), kSheet);
    const auto& commands = decoded.commands;
    EXPECT_EQ(PayloadText(commands[0]), "00000410");

    const std::string y = stream.substr(commands[1].offset, 1120 + 2560 * 1836);
    EXPECT_EQ(y.substr(0, 32), std::string("\x1bPIMAGE YPLANE          04701248"));
    EXPECT_EQ(y.substr(32, 2), "BM");
    const std::vector<uint32_t> expected = {4701248, 0,       1088,  40,    2560, 1836, 0x80001,
                                            0,       4700160, 11811, 11811, 256,  256};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(Le4(y, 34 + 4 * i), expected[i]) << "header field at byte " << 34 + 4 * i;
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(Le4(y, 86 + 4 * size_t(i)), uint32_t(i * 0x010101)) << "palette entry " << i;
    EXPECT_EQ(y.substr(1110, 10), std::string(10, '\0'));
    EXPECT_EQ(commands[4].payloadLength, 0u);
    EXPECT_EQ(stream.size() - commands[4].offset, 32u);
}

TEST(PlaneStream, SixHundredLinesPerInchInTheHeader) {
    auto device = MakeDevice(33, 600);
    OutputCapture capture(*device);
    device->PrintImageData(&device->m_mediaInfo);
    const std::string stream = capture.Finish();
    const DecodedStream decoded = Parse(stream);
    ASSERT_EQ(decoded.Names(), kSheet);
    const std::string file = stream.substr(decoded.commands[1].offset + 32, 1088);
    EXPECT_EQ(Le4(file, 22), 2472u);
    EXPECT_EQ(Le4(file, 38), 11811u);
    EXPECT_EQ(Le4(file, 42), 23622u);
}

TEST(PlaneStream, PlanesCarryCyanFromRedAndAreCentredAcrossTheHead) {
    auto device = MakeDevice(33);
    Print print(2448, 1236, Solid(10, 20, 30));
    device->SetImageData(0, &print.record);
    OutputCapture capture(*device);
    device->PrintImageData(&device->m_mediaInfo);
    const DecodedStream decoded = Parse(capture.Finish());
    ASSERT_EQ(decoded.Names(), kSheet);
    const int values[3] = {30, 20, 10};
    for (int p = 0; p < 3; ++p) {
        const tq51m::Plane& plane = PlaneOf(decoded, p);
        for (int row : {0, 617, 1235}) {
            EXPECT_EQ(PlaneAt(plane, 55, row), 255);
            EXPECT_EQ(PlaneAt(plane, 56, row), values[p]);
            EXPECT_EQ(PlaneAt(plane, 2503, row), values[p]);
            EXPECT_EQ(PlaneAt(plane, 2504, row), 255);
        }
    }
}

TEST(PlaneStream, BorderedPrintSitsInsideItsSlot) {
    auto device = MakeDevice(33);
    device->m_settings.border = true;
    device->m_settings.gamma.r = device->m_settings.gamma.g = device->m_settings.gamma.b = 100;
    const int width = 2448, height = 1236, stride = ((width * 24 + 31) >> 5) * 4;
    char* page = static_cast<char*>(std::malloc(size_t(stride) * height));
    std::memset(page, 40, size_t(stride) * height);
    _tagBITMAPHANDLE* image = device->MakeImageData(page, width, height, 0);
    ASSERT_EQ(image->width, 2234);
    ASSERT_EQ(image->height, 1128);
    device->SetImageData(0, image);
    IL_FreeBitmap(image);
    std::free(image);

    OutputCapture capture(*device);
    device->PrintImageData(&device->m_mediaInfo);
    const DecodedStream decoded = Parse(capture.Finish());
    ASSERT_EQ(decoded.Names(), kSheet);
    const tq51m::Plane& plane = PlaneOf(decoded, 2);
    EXPECT_EQ(PlaneAt(plane, 162, 600), 255);
    EXPECT_EQ(PlaneAt(plane, 163, 600), 40);
    EXPECT_EQ(PlaneAt(plane, 2396, 600), 40);
    EXPECT_EQ(PlaneAt(plane, 2397, 600), 255);
    EXPECT_EQ(PlaneAt(plane, 1000, 53), 255);
    EXPECT_EQ(PlaneAt(plane, 1000, 54), 40);
    EXPECT_EQ(PlaneAt(plane, 1000, 1180), 40);
    // The bordered page's top line was left white by the bands.
    EXPECT_EQ(PlaneAt(plane, 1000, 1181), 255);
    EXPECT_EQ(PlaneAt(plane, 1000, 1235), 255);
}

TEST(PlaneStream, TwoEightByFourPrintsOnOneSheet) {
    auto device = MakeDevice(33);
    Print first(2448, 1236, Solid(11, 11, 11));
    Print second(2448, 1236, Solid(22, 22, 22));
    device->SetImageData(0, &first.record);
    device->SetImageData(1, &second.record);
    OutputCapture capture(*device);
    EXPECT_EQ(device->SendImageData(2), 1);
    const DecodedStream decoded = Parse(capture.Finish());
    ASSERT_EQ(decoded.Names(), kSheet);
    EXPECT_EQ(PayloadText(decoded.commands[0]), "00000013");
    const tq51m::Plane& plane = PlaneOf(decoded, 1);
    ASSERT_EQ(plane.height, 2502);
    for (int row = 0; row < plane.height; ++row) {
        const int expected = row <= 1235 ? 11 : (row >= 1266 ? 22 : 255);
        ASSERT_EQ(PlaneAt(plane, 1280, row), expected) << row;
    }
    // A sheet that went out empties the buffer.
    EXPECT_EQ(device->m_imageBuffer.m_planes[0][0].data, nullptr);
    EXPECT_EQ(device->m_imageBuffer.m_planes[1][2].data, nullptr);
}

TEST(PlaneStream, OversizedPrintKeepsItsBottomAndLeftPart) {
    auto device = MakeDevice(33);
    Print print(2600, 1300, [](int x, int row, unsigned char rgb[3]) {
        rgb[0] = static_cast<unsigned char>(x);
        rgb[1] = static_cast<unsigned char>(row);
        rgb[2] = 0;
    });
    device->SetImageData(0, &print.record);
    OutputCapture capture(*device);
    device->PrintImageData(&device->m_mediaInfo);
    const DecodedStream decoded = Parse(capture.Finish());
    ASSERT_EQ(decoded.Names(), kSheet);
    const tq51m::Plane& c = PlaneOf(decoded, 2);
    const tq51m::Plane& m = PlaneOf(decoded, 1);
    for (int row : {0, 700, 1235})
        for (int x : {0, 1000, 2559}) {
            EXPECT_EQ(PlaneAt(c, x, row), x & 255);
            EXPECT_EQ(PlaneAt(m, x, row), row & 255);
        }
}

// A buffered stdio stream whose one write carrying the Y plane header fails; everything
// else is accepted, so whatever the sender tries after the failure shows up.
struct OneFailedWrite {
    std::string written;
    bool failed = false;
    static ssize_t Write(void* cookie, const char* data, size_t size) {
        auto* self = static_cast<OneFailedWrite*>(cookie);
        static const char header[] = "\x1bPIMAGE YPLANE";
        if (!self->failed && memmem(data, size, header, sizeof(header) - 1) != nullptr) {
            self->failed = true;
            return -1;
        }
        self->written.append(data, size);
        return ssize_t(size);
    }
};

TEST(PlaneStream, FailedYPlaneWriteSendsNothingMore) {
    auto device = MakeDevice(33);
    Print print(2448, 1236, Solid(1, 2, 3));
    device->SetImageData(0, &print.record);

    OneFailedWrite output;
    cookie_io_functions_t io = {nullptr, &OneFailedWrite::Write, nullptr, nullptr};
    FILE* failing = fopencookie(&output, "w", io);
    ASSERT_NE(failing, nullptr);
    FileSink sink(failing);
    device->SetOutput(&sink);
    const int sent = device->SendImageData(1);
    device->SetOutput(nullptr);
    std::fclose(failing);

    EXPECT_EQ(sent, 0);
    EXPECT_TRUE(output.failed);
    // The failed write took the buffered MULTICUT with it; no plane or START followed.
    EXPECT_EQ(output.written.size(), 0u);
    // The print stays in the buffer until the slot gets its next print.
    EXPECT_NE(device->m_imageBuffer.m_planes[0][PhotoImageBuffer::kPlaneY].data, nullptr);
    Print next(2448, 1236, Solid(7, 8, 9));
    device->SetImageData(0, &next.record);
    OutputCapture capture(*device);
    EXPECT_EQ(device->SendImageData(1), 1);
    const DecodedStream resent = Parse(capture.Finish());
    ASSERT_EQ(resent.Names(), kSheet);
    const tq51m::Plane& plane = PlaneOf(resent, 0);
    EXPECT_EQ(PlaneAt(plane, 1280, 600), 9);
}

} // namespace
