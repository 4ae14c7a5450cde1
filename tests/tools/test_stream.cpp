// SPDX-License-Identifier: Apache-2.0
// The stream parser and tq51m-inspect on streams built from the documented
// byte layout: good sheets, their decoded colours, and each kind of fault.
#include "process.h"
#include "stream_builder.h"
#include "tq51m_stream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <png.h>
#include <random>

using namespace streamtest;

namespace {

// Offsets in the stream of `sheet(408, 1236, ...)`: four 40-byte control
// commands, the media code, then three planes of 32 + 1088 + 2560 x 1236 bytes.
constexpr std::size_t kMulticut = 160;
constexpr std::size_t kYPlane = 200;
constexpr std::size_t kPlaneCommand = 32 + 1088 + 2560 * 1236;
constexpr std::size_t kMPlane = kYPlane + kPlaneCommand;
constexpr std::size_t kCPlane = kMPlane + kPlaneCommand;
constexpr std::size_t kStart = kCPlane + kPlaneCommand;

class Collect : public tq51m::StreamHandler {
  public:
    bool onCommand(const tq51m::Command& command, std::string&) override {
        commands.push_back(command);
        return true;
    }
    bool onSheet(const tq51m::Sheet& sheet, std::string&) override {
        sheets.push_back(sheet);
        return true;
    }
    std::vector<tq51m::Command> commands;
    std::vector<tq51m::Sheet> sheets;
};

bool parse(const Bytes& stream, Collect& collect, tq51m::ParseError& error) {
    tq51m::MemorySource source(stream.data(), stream.size());
    return tq51m::parseStream(source, collect, error);
}

class TempDir {
  public:
    TempDir() {
        char name[] = "/tmp/tq51m-tools-XXXXXX";
        path = mkdtemp(name);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    void write(const std::string& file, const Bytes& bytes) const {
        FILE* out = std::fopen((path + "/" + file).c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
    std::string path;
};

TEST(StreamParser, ListsEveryCommandOfAGoodSheet) {
    Bytes stream = sheet(408, 1236, 10, 20, 30);
    Collect collect;
    tq51m::ParseError error;
    ASSERT_TRUE(parse(stream, collect, error)) << error.message;
    ASSERT_EQ(collect.commands.size(), 9u);
    const char* names[] = {"CUTTER", "OVERCOAT", "BUFFCNTRL", "PRINTSPEED", "MULTICUT",
                           "YPLANE", "MPLANE",   "CPLANE",    "START"};
    const std::size_t offsets[] = {0, 40, 80, 120, kMulticut, kYPlane, kMPlane, kCPlane, kStart};
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(collect.commands[i].name, names[i]);
        EXPECT_EQ(collect.commands[i].offset, offsets[i]);
    }
    EXPECT_EQ(collect.commands[4].group, "IMAGE");
    EXPECT_EQ(tq51m::describeCommand(collect.commands[4]),
              "0000000160  IMAGE  MULTICUT         \"00000408\"");
    EXPECT_EQ(collect.commands[5].payloadLength, 1088u + 2560u * 1236u);
    EXPECT_FALSE(collect.commands[8].hasPayload);
    EXPECT_EQ(tq51m::describeCommand(collect.commands[8]), "0009496040  CNTRL  START            -");

    ASSERT_EQ(collect.sheets.size(), 1u);
    const tq51m::Sheet& decoded = collect.sheets[0];
    EXPECT_EQ(decoded.mediaCode, 408);
    EXPECT_EQ(decoded.width(), 2560);
    EXPECT_EQ(decoded.height(), 1236);
    EXPECT_EQ(decoded.dpiY, 300);
}

TEST(StreamParser, EmptyStreamIsWellFormed) {
    Collect collect;
    tq51m::ParseError error;
    EXPECT_TRUE(parse(Bytes(), collect, error));
    EXPECT_TRUE(collect.commands.empty());
}

TEST(StreamParser, MediaCodesAndResolutionsSetThePlaneLength) {
    struct Case {
        int code;
        int lines;
        int dpiY;
        int prints;
    };
    const Case cases[] = {{13, 2502, 300, 2},
                          {20, 3768, 300, 3},
                          {409, 3072, 600, 1},
                          {35, 3598, 300, 2},
                          {7, 7272, 600, 1}};
    for (const Case& c : cases) {
        Bytes stream = sheet(c.code, c.lines, 255, 255, 255, c.dpiY);
        Collect collect;
        tq51m::ParseError error;
        ASSERT_TRUE(parse(stream, collect, error)) << c.code << ": " << error.message;
        ASSERT_EQ(collect.sheets.size(), 1u);
        EXPECT_EQ(collect.sheets[0].height(), c.lines);
        EXPECT_EQ(collect.sheets[0].dpiY, c.dpiY);
        EXPECT_EQ(collect.sheets[0].layout->imageCount, c.prints);
    }
}

// C plane to red, M to green, Y to blue; the last stored row (BMP rows are
// bottom-up) is the top of the picture.
TEST(StreamParser, DecodesPlanesIntoPrinterColours) {
    Bytes stream = command("IMAGE", "MULTICUT", "00000408");
    append(stream,
           plane("YPLANE", 2560, 1236, 300, [](int x, int) { return std::uint8_t(x % 7); }));
    append(stream, flatPlane("MPLANE", 1236, 200));
    append(stream, plane("CPLANE", 2560, 1236, 300,
                         [](int, int row) { return std::uint8_t(row == 1235 ? 0 : 255); }));
    append(stream, command("CNTRL", "START"));
    Collect collect;
    tq51m::ParseError error;
    ASSERT_TRUE(parse(stream, collect, error)) << error.message;
    ASSERT_EQ(collect.sheets.size(), 1u);
    std::vector<std::uint8_t> rgb = collect.sheets[0].rgb();
    ASSERT_EQ(rgb.size(), 2560u * 3 * 1236);
    EXPECT_EQ(rgb[0], 0);               // top row: C plane value of stored row 1235
    EXPECT_EQ(rgb[1], 200);             // M plane
    EXPECT_EQ(rgb[3 * 10 + 2], 10 % 7); // Y plane at x = 10
    std::size_t bottom = std::size_t(1235) * 2560 * 3;
    EXPECT_EQ(rgb[bottom], 255);
    EXPECT_EQ(rgb[bottom + 1], 200);
}

Bytes goodSheet() {
    return sheet(408, 1236, 10, 20, 30);
}

Bytes withByte(std::size_t at, std::uint8_t value) {
    Bytes stream = goodSheet();
    stream[at] = value;
    return stream;
}

Bytes cutAt(std::size_t size) {
    Bytes stream = goodSheet();
    stream.resize(size);
    return stream;
}

Bytes withText(std::size_t at, const std::string& text) {
    Bytes stream = goodSheet();
    std::memcpy(&stream[at], text.data(), text.size());
    return stream;
}

Bytes replaceMPlane(const Bytes& replacement) {
    Bytes stream = goodSheet();
    Bytes out(stream.begin(), stream.begin() + kMPlane);
    append(out, replacement);
    out.insert(out.end(), stream.begin() + kCPlane, stream.end());
    return out;
}

struct Malformed {
    const char* what;
    Bytes stream;
    std::size_t offset;
    const char* text;
};

std::vector<Malformed> malformedStreams() {
    Bytes noMedia = flatPlane("YPLANE", 1236, 0);
    Bytes startFirst = command("IMAGE", "MULTICUT", "00000408");
    append(startFirst, flatPlane("YPLANE", 1236, 0));
    append(startFirst, command("CNTRL", "START"));
    Bytes hugeClaim = command("CNTRL", "CUTTER");
    std::memcpy(&hugeClaim[24], "99999999", 8);
    Bytes hugePlane = command("IMAGE", "MULTICUT", "00000408");
    Bytes planeHeader = command("IMAGE", "YPLANE");
    std::memcpy(&planeHeader[24], "99999999", 8);
    append(hugePlane, planeHeader);
    Bytes bmp = flatPlane("YPLANE", 1236, 0);
    hugePlane.insert(hugePlane.end(), bmp.begin() + 32, bmp.begin() + 32 + 1088);
    putLe32(hugePlane, 40 + 32 + 2, 99999999);
    return {
        {"no ESC P", withByte(0, 'X'), 0, "ESC P"},
        {"no ESC P after a command", withByte(40, 0x00), 40, "ESC P"},
        {"bad length field", withText(40 + 24, "0000x008"), 64, "length field"},
        {"length field half spaces", withText(40 + 24, "    0008"), 64, "length field"},
        {"wrong control payload length", withText(24, "00000009"), 24, "needs a payload of 8"},
        {"control payload not digits", withText(32 + 3, "a"), 35, "not 8 decimal digits"},
        {"header cut off", cutAt(kYPlane + 10), kYPlane, "header cut off"},
        {"payload cut off in BMP header", cutAt(kYPlane + 32 + 500), kYPlane + 532, "cut off"},
        {"payload cut off in the pixels", cutAt(kMPlane - 7), kMPlane - 7, "cut off"},
        {"short control payload", cutAt(75), 75, "cut off"},
        {"length claims 99999999 for a control", hugeClaim, 24, "needs a payload of 8"},
        {"length claims 99999999 for a plane", hugePlane, 64, "the BMP header describes"},
        {"plane not a BMP", withByte(kYPlane + 32, 'X'), kYPlane + 32, "not a BMP"},
        {"plane of 24 bits", withByte(kYPlane + 32 + 28, 24), kYPlane + 60, "bits per pixel"},
        {"plane compressed", withByte(kYPlane + 32 + 30, 1), kYPlane + 62, "compression"},
        {"plane width not the head", withByte(kYPlane + 32 + 19, 0x09), kYPlane + 50, "width"},
        {"palette not grey", withByte(kYPlane + 32 + 54 + 4 * 10 + 1, 7), kYPlane + 32 + 95,
         "palette entry 10"},
        {"pixel offset moved", withByte(kYPlane + 32 + 10, 0x41), kYPlane + 42, "pixel offset"},
        {"plane sizes disagree", replaceMPlane(flatPlane("MPLANE", 2472, 0, 600)), kMPlane + 54,
         "same sheet"},
        {"plane length not the media's", replaceMPlane(flatPlane("MPLANE", 1536, 0)), kMPlane + 54,
         "same sheet"},
        {"unknown media code", withText(kMulticut + 32, "00000999"), kMulticut + 32,
         "unknown media code"},
        {"unknown command", withText(40 + 8, "OVERCOAX"), 40, "unknown command"},
        {"plane without media code", noMedia, 0, "without a media code"},
        {"START before the planes", startFirst, 40 + kPlaneCommand, "before the MPLANE"},
        {"stream ends inside a sheet", cutAt(kStart), kStart, "no CNTRL START"},
        {"second plane of a kind", replaceMPlane(flatPlane("YPLANE", 1236, 0)), kMPlane,
         "second IMAGE YPLANE"},
    };
}

TEST(StreamParser, MalformedStreamsNameTheByteOffset) {
    for (const Malformed& m : malformedStreams()) {
        Collect collect;
        tq51m::ParseError error;
        EXPECT_FALSE(parse(m.stream, collect, error)) << m.what;
        EXPECT_EQ(error.offset, m.offset) << m.what << ": " << error.message;
        EXPECT_NE(error.message.find("byte offset " + std::to_string(m.offset) + ":"),
                  std::string::npos)
            << m.what << ": " << error.message;
        EXPECT_NE(error.message.find(m.text), std::string::npos) << m.what << ": " << error.message;
        EXPECT_TRUE(collect.sheets.empty()) << m.what;
    }
}

// Hostile input: random bytes in the headers and random cuts never crash the
// parser, and every refusal names an offset inside the stream.
TEST(StreamParser, SurvivesRandomDamage) {
    const Bytes good = goodSheet();
    const std::size_t headers[] = {0, 40, kMulticut, kYPlane, kMPlane, kCPlane, kStart};
    std::mt19937 random(51);
    for (int round = 0; round < 300; ++round) {
        Bytes stream = good;
        for (int hits = 1 + int(random() % 4); hits > 0; --hits) {
            std::size_t at = headers[random() % 7] + random() % 1120;
            if (at < stream.size())
                stream[at] = std::uint8_t(random());
        }
        if (random() % 3 == 0)
            stream.resize(random() % stream.size());
        Collect collect;
        tq51m::ParseError error;
        if (!parse(stream, collect, error)) {
            EXPECT_LE(error.offset, stream.size()) << error.message;
            EXPECT_EQ(error.message.rfind("byte offset " + std::to_string(error.offset) + ": ", 0),
                      0u)
                << error.message;
        }
    }
}

TEST(StreamParser, FirstPlaneMustFitTheMediaCode) {
    Bytes stream = command("IMAGE", "MULTICUT", "00000013");
    append(stream, flatPlane("YPLANE", 1236, 0));
    Collect collect;
    tq51m::ParseError error;
    EXPECT_FALSE(parse(stream, collect, error));
    EXPECT_EQ(error.offset, 40u + 32 + 22);
    EXPECT_NE(error.message.find("media code 13"), std::string::npos) << error.message;
}

const std::string kInspect = TQ51M_INSPECT;

TEST(Inspect, ListsAStreamFromStdinAndWritesPreviews) {
    TempDir dir;
    Bytes stream = goodSheet();
    append(stream, sheet(13, 2502, 255, 0, 128));
    Result result = run({kInspect, "-", "--png", dir.path + "/png"}, {}, dir.path,
                        std::string(stream.begin(), stream.end()));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("0000000160  IMAGE  MULTICUT         \"00000408\""),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("sheet 2 (from offset "), std::string::npos) << result.out;
    ASSERT_TRUE(std::filesystem::exists(dir.path + "/png/sheet-1.png"));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, (dir.path + "/png/sheet-2.png").c_str()));
    EXPECT_EQ(image.width, 2560u);
    EXPECT_EQ(image.height, 2502u);
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    // Y 255, M 0, C 128: red from C, green from M, blue from Y.
    EXPECT_EQ(pixels[0], 128);
    EXPECT_EQ(pixels[1], 0);
    EXPECT_EQ(pixels[2], 255);
}

TEST(Inspect, MalformedStreamFailsWithTheOffset) {
    TempDir dir;
    for (const Malformed& m : malformedStreams()) {
        dir.write("bad.bin", m.stream);
        Result result = run({kInspect, dir.path + "/bad.bin"}, {}, dir.path);
        EXPECT_EQ(result.status, 1) << m.what;
        EXPECT_NE(result.err.find("byte offset " + std::to_string(m.offset) + ":"),
                  std::string::npos)
            << m.what << ": " << result.err;
    }
}

TEST(Inspect, UsageErrors) {
    TempDir dir;
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* text;
    };
    const Case cases[] = {
        {{}, 2, "no STREAM given"},
        {{"a", "b"}, 2, "more than one STREAM"},
        {{"a", "--png"}, 2, "--png needs a folder"},
        {{"--frobnicate", "a"}, 2, "unknown option"},
        {{dir.path + "/missing.bin"}, 1, "cannot open"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv = {kInspect};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        Result result = run(argv, {}, dir.path);
        EXPECT_EQ(result.status, c.status) << c.text;
        EXPECT_NE(result.err.find(c.text), std::string::npos) << result.err;
    }
}

} // namespace
