// A printer command stream decoded by the project's own stream parser (tools/stream), kept
// whole for the tests to look at.
#ifndef TQ51M_TESTS_STREAMREADING_H
#define TQ51M_TESTS_STREAMREADING_H

#include <string>
#include <vector>

#include "tq51m_stream.h"

namespace support {

struct DecodedStream {
    bool whole = false; // every command well formed, every sheet complete
    std::string error;
    std::vector<tq51m::Command> commands;
    std::vector<tq51m::Sheet> sheets;
    // The control commands in front of each sheet, as "NAME=payload".
    std::vector<std::vector<std::string>> controls;
    // Commands after the last "START" (all commands when there is none) that begin or belong
    // to a sheet: "MULTICUT" and the planes.
    int sheetCommandsAfterLastStart = 0;

    // "GROUP NAME" of every command in order.
    std::vector<std::string> Names() const;
};

DecodedStream DecodeStream(const std::string& bytes);

// A short payload (not a plane) as text.
std::string PayloadText(const tq51m::Command& command);

// The value of a plane at (column, stored row), stored row 0 being the bottom line.
inline unsigned char PlaneAt(const tq51m::Plane& plane, int column, int row) {
    return plane.pixels[size_t(row) * plane.stride + size_t(column)];
}

} // namespace support

#endif
