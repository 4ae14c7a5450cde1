// SPDX-License-Identifier: Apache-2.0
// Reader of the TQ-51M printer command stream.
//
// A stream is a sequence of framed commands: ESC 'P', a 6-character group, a
// 16-character name, an 8-digit payload length (or 8 spaces without payload)
// and the payload. A sheet is "IMAGE" "MULTICUT" with its media code, the
// "YPLANE", "MPLANE" and "CPLANE" images (8-bit bottom-up BMP files with a grey
// palette) and "CNTRL" "START". The parser checks every byte it relies on and
// stops at the first fault with a message that names the byte offset.
//
// Memory stays bounded whatever the stream claims: payloads are read in chunks
// as the bytes arrive, and a plane is only accepted when its size matches the
// sheet geometry of its media code (at most one 2560 x 7272 plane).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tq51m {

constexpr int kHeadWidth = 2560;
constexpr std::size_t kFrameSize = 32;
// Bytes of the BMP file before its pixel rows: file and information header,
// the 256-entry palette and ten zero bytes.
constexpr std::size_t kBmpPixelOffset = 1088;

struct Command {
    std::uint64_t offset = 0; // offset of the ESC byte in the stream
    std::string group;        // without its padding
    std::string name;         // without its padding
    bool hasPayload = false;  // false when the length field is all spaces
    std::uint64_t payloadLength = 0;
    std::vector<std::uint8_t> payload; // kept for short payloads only (not planes)
    std::string detail;                // what a plane's BMP header describes
};

// One media layout the printer knows, keyed by the code of "IMAGE" "MULTICUT".
struct MediaLayout {
    int code;
    const char* name;
    int paperLengthDots; // sheet length at 300 lines per inch
    int imageCount;      // prints on the sheet
};

// The layout for a media code, or null for a code the printer does not know.
const MediaLayout* findMediaLayout(int code);

struct Plane {
    std::uint64_t offset = 0; // offset of the plane command
    int width = 0;
    int height = 0;
    int xPixelsPerMetre = 0;
    int yPixelsPerMetre = 0;
    std::size_t stride = 0;           // row length: width rounded up to 4 bytes
    std::vector<std::uint8_t> pixels; // height rows of stride bytes, bottom row first
};

struct Sheet {
    int number = 0;           // 1 for the first sheet of the stream
    std::uint64_t offset = 0; // offset of its "MULTICUT" command
    int mediaCode = 0;
    const MediaLayout* layout = nullptr;
    int dpiY = 300; // feed-direction resolution, 300 or 600
    Plane y, m, c;

    int width() const { return y.width; }
    int height() const { return y.height; }
    // Picture row `row` (0 = top of the print as it leaves the printer) as RGB
    // bytes: red from the C plane, green from M, blue from Y; 255 is white paper.
    void rgbRow(int row, std::uint8_t* out) const;
    // The whole picture, top row first, width() * 3 bytes per row.
    std::vector<std::uint8_t> rgb() const;
};

struct ParseError {
    std::uint64_t offset = 0;
    std::string message; // names the offset, e.g. "byte offset 24: ..."
};

// Receives the parts of the stream in order. Returning false stops the parse,
// which then reports failure with the handler's own message.
class StreamHandler {
  public:
    virtual ~StreamHandler() = default;
    virtual bool onCommand(const Command& command, std::string& error);
    virtual bool onSheet(const Sheet& sheet, std::string& error);
};

// Source of stream bytes: a file descriptor (file or pipe) or memory.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes into `out`; 0 at the end of the stream, -1 on error.
    virtual long read(std::uint8_t* out, std::size_t size) = 0;
};

class FdSource : public ByteSource {
  public:
    explicit FdSource(int fd) : m_fd(fd) {}
    long read(std::uint8_t* out, std::size_t size) override;

  private:
    int m_fd;
};

class MemorySource : public ByteSource {
  public:
    MemorySource(const void* data, std::size_t size)
        : m_data(static_cast<const std::uint8_t*>(data)), m_size(size) {}
    long read(std::uint8_t* out, std::size_t size) override;

  private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Parses the whole stream. True when every command is well formed and every
// sheet complete; otherwise false with `error` set. Sheets are handed to the
// handler one at a time and released afterwards.
bool parseStream(ByteSource& source, StreamHandler& handler, ParseError& error);

// One listing line for a command (offset, group, name, payload text or length).
std::string describeCommand(const Command& command);
// One listing line for a decoded sheet.
std::string describeSheet(const Sheet& sheet);

// Writes the sheet's picture as an 8-bit RGB PNG. False with `error` set when
// the file cannot be written.
bool writeSheetPng(const Sheet& sheet, const std::string& path, std::string& error);

} // namespace tq51m
