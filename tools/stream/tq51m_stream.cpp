// SPDX-License-Identifier: Apache-2.0
#include "tq51m_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "SheetTable.h"

namespace tq51m {

namespace {

constexpr std::size_t kReadChunk = std::size_t(1) << 20;
constexpr std::size_t kPaletteOffset = 54;
constexpr int kPixelsPerMetre300 = 11811;
constexpr int kPixelsPerMetre600 = 23622;

enum class PayloadKind { None, Digits8, Text12, Bytes16, Plane };

struct KnownCommand {
    const char* group;
    const char* name;
    PayloadKind kind;
};

const KnownCommand kKnownCommands[] = {
    {"CNTRL", "START", PayloadKind::None},           {"CNTRL", "CUTTER", PayloadKind::Digits8},
    {"CNTRL", "OVERCOAT", PayloadKind::Digits8},     {"CNTRL", "BUFFCNTRL", PayloadKind::Digits8},
    {"CNTRL", "PRINTSPEED", PayloadKind::Digits8},   {"CNTRL", "DECURL", PayloadKind::Text12},
    {"CNTRL", "SET_SYS_TIME", PayloadKind::Bytes16}, {"IMAGE", "MULTICUT", PayloadKind::Digits8},
    {"IMAGE", "YPLANE", PayloadKind::Plane},         {"IMAGE", "MPLANE", PayloadKind::Plane},
    {"IMAGE", "CPLANE", PayloadKind::Plane},
};

const KnownCommand* findCommand(const std::string& group, const std::string& name) {
    for (const KnownCommand& known : kKnownCommands) {
        if (group == known.group && name == known.name)
            return &known;
    }
    return nullptr;
}

std::size_t expectedPayload(PayloadKind kind) {
    switch (kind) {
    case PayloadKind::Digits8:
        return 8;
    case PayloadKind::Text12:
        return 12;
    case PayloadKind::Bytes16:
        return 16;
    default:
        return 0;
    }
}

std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

std::string format(const char* fmt, ...) {
    char text[512];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(text, sizeof text, fmt, args);
    va_end(args);
    return text;
}

std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}

std::string printable(const std::uint8_t* data, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] >= 0x20 && data[i] < 0x7F && data[i] != '"' && data[i] != '\\')
            text += char(data[i]);
        else
            text += format("\\x%02X", data[i]);
    }
    return text;
}

// Reads from the source and keeps the stream offset.
class Reader {
  public:
    explicit Reader(ByteSource& source) : m_source(source) {}

    std::uint64_t offset() const { return m_offset; }
    bool failed() const { return m_failed; }

    // Reads up to `size` bytes; fewer only at the end of the stream or on a
    // read error (then failed() is true).
    std::size_t fill(std::uint8_t* out, std::size_t size) {
        std::size_t got = 0;
        while (got < size) {
            long n = m_source.read(out + got, size - got);
            if (n < 0) {
                m_failed = true;
                break;
            }
            if (n == 0)
                break;
            got += std::size_t(n);
        }
        m_offset += got;
        return got;
    }

  private:
    ByteSource& m_source;
    std::uint64_t m_offset = 0;
    bool m_failed = false;
};

class Parser {
  public:
    Parser(ByteSource& source, StreamHandler& handler, ParseError& error)
        : m_reader(source), m_handler(handler), m_error(error) {}

    bool run();

  private:
    bool fail(std::uint64_t offset, const std::string& message) {
        m_error.offset = offset;
        m_error.message = format("byte offset %llu: ", (unsigned long long)offset) + message;
        return false;
    }
    bool failRead(std::uint64_t offset) {
        return fail(offset, format("cannot read the stream: %s", std::strerror(errno)));
    }
    bool readField(const std::uint8_t* field, std::size_t size, std::uint64_t offset,
                   const char* what, std::string& out);
    bool readLength(const std::uint8_t* field, std::uint64_t offset, Command& command);
    bool readShortPayload(Command& command, const KnownCommand& known);
    bool readPlane(Command& command, Plane& plane);
    bool checkBmpHeader(Command& command, const std::uint8_t* bmp, Plane& plane);
    bool handleCommand(Command& command, const KnownCommand& known);
    bool finishSheet(const Command& command);

    Reader m_reader;
    StreamHandler& m_handler;
    ParseError& m_error;
    bool m_inSheet = false;
    Sheet m_sheet;
    bool m_havePlane[3] = {false, false, false};
    int m_sheetCount = 0;
};

bool Parser::readField(const std::uint8_t* field, std::size_t size, std::uint64_t offset,
                       const char* what, std::string& out) {
    std::size_t end = size;
    while (end > 0 && field[end - 1] == ' ')
        --end;
    for (std::size_t i = 0; i < end; ++i) {
        if (field[i] <= 0x20 || field[i] >= 0x7F)
            return fail(offset + i, format("command %s \"%s\" holds byte 0x%02X; expected "
                                           "ASCII letters, left-aligned and padded with spaces",
                                           what, printable(field, size).c_str(), field[i]));
    }
    out.assign(reinterpret_cast<const char*>(field), end);
    return true;
}

bool Parser::readLength(const std::uint8_t* field, std::uint64_t offset, Command& command) {
    if (std::all_of(field, field + 8, [](std::uint8_t b) { return b == ' '; })) {
        command.hasPayload = false;
        command.payloadLength = 0;
        return true;
    }
    std::uint64_t length = 0;
    for (int i = 0; i < 8; ++i) {
        if (field[i] < '0' || field[i] > '9')
            return fail(offset, format("length field \"%s\" of %s %s is neither 8 decimal digits "
                                       "nor 8 spaces",
                                       printable(field, 8).c_str(), command.group.c_str(),
                                       command.name.c_str()));
        length = length * 10 + (field[i] - '0');
    }
    command.hasPayload = true;
    command.payloadLength = length;
    return true;
}

bool Parser::readShortPayload(Command& command, const KnownCommand& known) {
    std::size_t want = expectedPayload(known.kind);
    if (known.kind == PayloadKind::None) {
        if (command.hasPayload)
            return fail(command.offset + 24,
                        format("%s %s takes no payload, but its length field says %llu bytes "
                               "(expected 8 spaces)",
                               known.group, known.name, (unsigned long long)command.payloadLength));
        return true;
    }
    if (!command.hasPayload || command.payloadLength != want)
        return fail(command.offset + 24,
                    format("%s %s needs a payload of %zu bytes, but its length field says %s",
                           known.group, known.name, want,
                           command.hasPayload
                               ? format("%llu", (unsigned long long)command.payloadLength).c_str()
                               : "none"));
    command.payload.resize(want);
    std::uint64_t start = m_reader.offset();
    std::size_t got = m_reader.fill(command.payload.data(), want);
    if (m_reader.failed())
        return failRead(m_reader.offset());
    if (got < want)
        return fail(m_reader.offset(),
                    format("payload of %s %s (command at offset %llu) is cut off: the length "
                           "field claims %zu bytes, the stream ends after %zu",
                           known.group, known.name, (unsigned long long)command.offset, want, got));
    if (known.kind == PayloadKind::Digits8) {
        for (std::size_t i = 0; i < want; ++i) {
            if (command.payload[i] < '0' || command.payload[i] > '9')
                return fail(start + i, format("payload \"%s\" of %s %s is not 8 decimal digits",
                                              printable(command.payload.data(), want).c_str(),
                                              known.group, known.name));
        }
    }
    return true;
}

bool Parser::checkBmpHeader(Command& command, const std::uint8_t* bmp, Plane& plane) {
    const std::uint64_t base = command.offset + kFrameSize;
    const char* name = command.name.c_str();
    auto field = [&](std::size_t at, std::uint32_t value, std::uint32_t expected,
                     const char* what) {
        if (value == expected)
            return true;
        return fail(base + at, format("%s is not the expected 8-bit BMP: %s is %u, expected %u",
                                      name, what, value, expected));
    };
    if (bmp[0] != 'B' || bmp[1] != 'M')
        return fail(base, format("%s is not a BMP file: it starts with 0x%02X 0x%02X instead of "
                                 "\"BM\"",
                                 name, bmp[0], bmp[1]));
    if (le32(bmp + 2) != command.payloadLength)
        return fail(base + 2,
                    format("%s: BMP file size %u does not match the payload length %llu", name,
                           le32(bmp + 2), (unsigned long long)command.payloadLength));
    if (!field(6, le32(bmp + 6), 0, "the reserved field") ||
        !field(10, le32(bmp + 10), kBmpPixelOffset, "the pixel offset") ||
        !field(14, le32(bmp + 14), 40, "the information header size") ||
        !field(26, le16(bmp + 26), 1, "the number of colour planes") ||
        !field(28, le16(bmp + 28), 8, "the bits per pixel") ||
        !field(30, le32(bmp + 30), 0, "the compression") ||
        !field(46, le32(bmp + 46), 256, "the number of colours used") ||
        !field(50, le32(bmp + 50), 256, "the number of important colours") ||
        !field(18, le32(bmp + 18), kHeadWidth, "the width (the print head is 2560 dots wide)") ||
        !field(38, le32(bmp + 38), kPixelsPerMetre300, "the horizontal resolution"))
        return false;
    std::int32_t height = std::int32_t(le32(bmp + 22));
    if (height <= 0)
        return fail(base + 22, format("%s is not the expected 8-bit BMP: the height is %d, "
                                      "expected a positive number of bottom-up rows",
                                      name, height));
    std::uint32_t yRes = le32(bmp + 42);
    if (yRes != kPixelsPerMetre300 && yRes != kPixelsPerMetre600)
        return fail(base + 42, format("%s is not the expected 8-bit BMP: the vertical resolution "
                                      "is %u pixels per metre, expected %d (300 dpi) or %d (600 "
                                      "dpi)",
                                      name, yRes, kPixelsPerMetre300, kPixelsPerMetre600));
    for (std::size_t i = 0; i < 256 * 4; ++i) {
        std::uint8_t expected = (i % 4 == 3) ? 0 : std::uint8_t(i / 4);
        if (bmp[kPaletteOffset + i] != expected)
            return fail(base + kPaletteOffset + i,
                        format("%s: palette entry %zu is not the grey ramp (%zu, %zu, %zu, 0)",
                               name, i / 4, i / 4, i / 4, i / 4));
    }
    for (std::size_t i = kPaletteOffset + 1024; i < kBmpPixelOffset; ++i) {
        if (bmp[i] != 0)
            return fail(base + i, format("%s: byte %zu between the palette and the pixel rows is "
                                         "0x%02X, expected zero",
                                         name, i, bmp[i]));
    }

    plane.offset = command.offset;
    plane.width = kHeadWidth;
    plane.height = height;
    plane.xPixelsPerMetre = kPixelsPerMetre300;
    plane.yPixelsPerMetre = int(yRes);
    plane.stride = (std::size_t(kHeadWidth) + 3) / 4 * 4;
    std::uint64_t imageSize = std::uint64_t(plane.stride) * std::uint64_t(height);
    if (le32(bmp + 34) != imageSize)
        return fail(base + 34, format("%s: BMP image size %u does not match %zu bytes per row "
                                      "times %d rows",
                                      name, le32(bmp + 34), plane.stride, height));

    // The three planes of a sheet must agree; the first one must fit the sheet
    // length of the media code.
    for (const Plane* other : {&m_sheet.y, &m_sheet.m, &m_sheet.c}) {
        if (other->height != 0 &&
            (other->height != height || other->yPixelsPerMetre != plane.yPixelsPerMetre))
            return fail(base + 22,
                        format("%s is %d x %d at %u pixels per metre, but the plane at offset "
                               "%llu of the same sheet is %d x %d at %d",
                               name, kHeadWidth, height, yRes, (unsigned long long)other->offset,
                               other->width, other->height, other->yPixelsPerMetre));
    }
    int dpiY = yRes == kPixelsPerMetre600 ? 600 : 300;
    int expectedLines = m_sheet.layout->paperLengthDots * dpiY / 300;
    if (height != expectedLines)
        return fail(base + 22, format("%s has %d rows, but media code %d (%s) at %d dpi needs "
                                      "%d",
                                      name, height, m_sheet.mediaCode, m_sheet.layout->name, dpiY,
                                      expectedLines));
    if (command.payloadLength != kBmpPixelOffset + imageSize)
        return fail(command.offset + 24,
                    format("%s: the length field says %llu bytes, but the BMP header describes "
                           "%llu",
                           name, (unsigned long long)command.payloadLength,
                           (unsigned long long)kBmpPixelOffset + imageSize));
    m_sheet.dpiY = dpiY;
    command.detail = format("%d x %d 8-bit grey BMP, 300 x %d dpi", kHeadWidth, height, dpiY);
    return true;
}

bool Parser::readPlane(Command& command, Plane& plane) {
    const char* name = command.name.c_str();
    if (!m_inSheet)
        return fail(command.offset,
                    format("%s without a media code: no IMAGE MULTICUT opened a sheet", name));
    if (!command.hasPayload || command.payloadLength < kBmpPixelOffset)
        return fail(command.offset + 24,
                    format("%s needs a BMP payload of at least %zu bytes, but its length field "
                           "says %s",
                           name, kBmpPixelOffset,
                           command.hasPayload
                               ? format("%llu", (unsigned long long)command.payloadLength).c_str()
                               : "none"));
    std::uint8_t bmp[kBmpPixelOffset];
    std::size_t got = m_reader.fill(bmp, sizeof bmp);
    if (m_reader.failed())
        return failRead(m_reader.offset());
    if (got < sizeof bmp)
        return fail(m_reader.offset(),
                    format("payload of IMAGE %s (command at offset %llu) is cut off: the length "
                           "field claims %llu bytes, the stream ends after %zu",
                           name, (unsigned long long)command.offset,
                           (unsigned long long)command.payloadLength, got));
    if (!checkBmpHeader(command, bmp, plane))
        return false;

    // The header now bounds the size; still grow the buffer only as bytes arrive.
    std::size_t total = std::size_t(command.payloadLength - kBmpPixelOffset);
    std::size_t have = 0;
    plane.pixels.clear();
    while (have < total) {
        std::size_t step = std::min(kReadChunk, total - have);
        plane.pixels.resize(have + step);
        std::size_t n = m_reader.fill(plane.pixels.data() + have, step);
        have += n;
        if (m_reader.failed())
            return failRead(m_reader.offset());
        if (n < step)
            return fail(m_reader.offset(),
                        format("payload of IMAGE %s (command at offset %llu) is cut off: the "
                               "length field claims %llu bytes, the stream ends after %zu",
                               name, (unsigned long long)command.offset,
                               (unsigned long long)command.payloadLength, kBmpPixelOffset + have));
    }
    command.payload.clear();
    return true;
}

bool Parser::finishSheet(const Command& command) {
    if (!m_inSheet)
        return fail(command.offset, "CNTRL START without a sheet: no IMAGE MULTICUT before it");
    static const char* const kPlaneNames[3] = {"YPLANE", "MPLANE", "CPLANE"};
    for (int i = 0; i < 3; ++i) {
        if (!m_havePlane[i])
            return fail(command.offset,
                        format("CNTRL START before the %s of the sheet begun at offset %llu",
                               kPlaneNames[i], (unsigned long long)m_sheet.offset));
    }
    m_sheet.number = ++m_sheetCount;
    std::string message;
    if (!m_handler.onSheet(m_sheet, message))
        return fail(command.offset, message);
    m_sheet = Sheet();
    m_inSheet = false;
    std::fill(std::begin(m_havePlane), std::end(m_havePlane), false);
    return true;
}

bool Parser::handleCommand(Command& command, const KnownCommand& known) {
    std::string message;
    if (known.kind != PayloadKind::Plane) {
        if (!readShortPayload(command, known))
            return false;
        if (command.name == "MULTICUT") {
            if (m_inSheet)
                return fail(command.offset,
                            format("second IMAGE MULTICUT before CNTRL START of the sheet begun "
                                   "at offset %llu",
                                   (unsigned long long)m_sheet.offset));
            int code =
                std::atoi(std::string(command.payload.begin(), command.payload.end()).c_str());
            const MediaLayout* layout = findMediaLayout(code);
            if (!layout)
                return fail(command.offset + kFrameSize,
                            format("unknown media code %d in IMAGE MULTICUT", code));
            m_inSheet = true;
            m_sheet.offset = command.offset;
            m_sheet.mediaCode = code;
            m_sheet.layout = layout;
        }
        if (!m_handler.onCommand(command, message))
            return fail(command.offset, message);
        if (command.name == "START")
            return finishSheet(command);
        return true;
    }

    int index = command.name == "YPLANE" ? 0 : command.name == "MPLANE" ? 1 : 2;
    Plane* target = index == 0 ? &m_sheet.y : index == 1 ? &m_sheet.m : &m_sheet.c;
    if (m_inSheet && m_havePlane[index])
        return fail(command.offset,
                    format("second IMAGE %s in the sheet begun at offset %llu",
                           command.name.c_str(), (unsigned long long)m_sheet.offset));
    Plane plane;
    if (!readPlane(command, plane))
        return false;
    *target = std::move(plane);
    m_havePlane[index] = true;
    if (!m_handler.onCommand(command, message))
        return fail(command.offset, message);
    return true;
}

bool Parser::run() {
    for (;;) {
        std::uint8_t frame[kFrameSize];
        Command command;
        command.offset = m_reader.offset();
        std::size_t got = m_reader.fill(frame, kFrameSize);
        if (m_reader.failed())
            return failRead(m_reader.offset());
        if (got == 0)
            break;
        if (got < kFrameSize)
            return fail(command.offset, format("command header cut off: the stream ends after %zu "
                                               "of its 32 bytes",
                                               got));
        if (frame[0] != 0x1B || frame[1] != 'P')
            return fail(command.offset, format("expected ESC P (0x1B 0x50) at the start of a "
                                               "command, found 0x%02X 0x%02X",
                                               frame[0], frame[1]));
        if (!readField(frame + 2, 6, command.offset + 2, "group", command.group) ||
            !readField(frame + 8, 16, command.offset + 8, "name", command.name) ||
            !readLength(frame + 24, command.offset + 24, command))
            return false;
        const KnownCommand* known = findCommand(command.group, command.name);
        if (!known)
            return fail(command.offset, format("unknown command: group \"%s\", name \"%s\"",
                                               command.group.c_str(), command.name.c_str()));
        if (!handleCommand(command, *known))
            return false;
    }
    if (m_inSheet)
        return fail(m_reader.offset(),
                    format("the stream ends inside the sheet begun at offset %llu: no CNTRL START",
                           (unsigned long long)m_sheet.offset));
    return true;
}

} // namespace

const MediaLayout* findMediaLayout(int code) {
    // Every layout of the sheet table: each sheet alone, then two or three of it on one sheet.
    static const std::vector<MediaLayout> layouts = [] {
        std::vector<MediaLayout> list;
        for (const MediaSheet& sheet : kMediaSheets) {
            list.push_back({sheet.mediaCode, sheet.pageSize, sheet.lengthDots, 1});
            for (const SheetLayout* multi : {&sheet.twoUp, &sheet.threeUp}) {
                if (multi->mediaId == 0)
                    continue;
                const int count = multi == &sheet.twoUp ? 2 : 3;
                list.push_back(
                    {multi->mediaCode, multi->name, SheetLengthDots(sheet, count), count});
            }
        }
        return list;
    }();
    for (const MediaLayout& layout : layouts) {
        if (layout.code == code)
            return &layout;
    }
    return nullptr;
}

bool StreamHandler::onCommand(const Command&, std::string&) {
    return true;
}

bool StreamHandler::onSheet(const Sheet&, std::string&) {
    return true;
}

long FdSource::read(std::uint8_t* out, std::size_t size) {
    for (;;) {
        ssize_t n = ::read(m_fd, out, size);
        if (n >= 0 || errno != EINTR)
            return long(n);
    }
}

long MemorySource::read(std::uint8_t* out, std::size_t size) {
    std::size_t n = std::min(size, m_size - m_pos);
    if (n == 0)
        return 0;
    std::memcpy(out, m_data + m_pos, n);
    m_pos += n;
    return long(n);
}

void Sheet::rgbRow(int row, std::uint8_t* out) const {
    std::size_t stored = std::size_t(height() - 1 - row) * y.stride;
    const std::uint8_t* cRow = c.pixels.data() + stored;
    const std::uint8_t* mRow = m.pixels.data() + stored;
    const std::uint8_t* yRow = y.pixels.data() + stored;
    for (int x = 0; x < width(); ++x) {
        out[3 * x] = cRow[x];
        out[3 * x + 1] = mRow[x];
        out[3 * x + 2] = yRow[x];
    }
}

std::vector<std::uint8_t> Sheet::rgb() const {
    std::vector<std::uint8_t> picture(std::size_t(width()) * 3 * std::size_t(height()));
    for (int row = 0; row < height(); ++row)
        rgbRow(row, picture.data() + std::size_t(row) * width() * 3);
    return picture;
}

bool parseStream(ByteSource& source, StreamHandler& handler, ParseError& error) {
    error = ParseError();
    Parser parser(source, handler, error);
    return parser.run();
}

std::string describeCommand(const Command& command) {
    std::string line = format("%010llu  %-6s %-16s ", (unsigned long long)command.offset,
                              command.group.c_str(), command.name.c_str());
    if (!command.hasPayload)
        return line + "-";
    if (command.name == "YPLANE" || command.name == "MPLANE" || command.name == "CPLANE")
        return line + format("%llu bytes: %s", (unsigned long long)command.payloadLength,
                             command.detail.c_str());
    bool text = std::all_of(command.payload.begin(), command.payload.end(),
                            [](std::uint8_t b) { return b >= 0x20 && b < 0x7F; });
    if (text)
        return line + "\"" + printable(command.payload.data(), command.payload.size()) + "\"";
    line += format("%zu bytes:", command.payload.size());
    for (std::uint8_t b : command.payload)
        line += format(" %02X", b);
    return line;
}

std::string describeSheet(const Sheet& sheet) {
    return format("sheet %d (from offset %llu): media code %d, %s, %d print%s, %d x %d dots at "
                  "300 x %d dpi",
                  sheet.number, (unsigned long long)sheet.offset, sheet.mediaCode,
                  sheet.layout ? sheet.layout->name : "?",
                  sheet.layout ? sheet.layout->imageCount : 0,
                  sheet.layout && sheet.layout->imageCount == 1 ? "" : "s", sheet.width(),
                  sheet.height(), sheet.dpiY);
}

} // namespace tq51m
