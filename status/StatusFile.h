// SPDX-License-Identifier: Apache-2.0
// The backend's status file "/tmp/TQ-51M_<serial>.log": reading it safely and splitting it
// into the values of its ten keys. Shared by the status monitor and the printer application;
// free of Qt and PAPPL so that both front ends, the tests and the fuzz targets can use it.
#ifndef TQ51M_STATUS_STATUSFILE_H
#define TQ51M_STATUS_STATUSFILE_H

#include <cstddef>
#include <string>
#include <string_view>

namespace tq51m {

// The keys in the order in which they must appear in the file.
enum StatusKey {
    kPrinterStatus,
    kPrinterMessage,
    kPrinterVersion,
    kPrinterSerialNo,
    kMediaSize,
    kMediaClass,
    kMediaInitial,
    kMediaRemain,
    kMediaRemainHalf,
    kTotalCount,
    kStatusKeyCount
};

// "PRINTER_STATUS" ... "TOTAL_COUNT": the key without its equals sign.
const char* StatusKeyName(StatusKey key);

// The backend's file is well under a kilobyte; anything far larger is not a status file.
constexpr std::size_t kMaxStatusFileSize = std::size_t{1024} * 1024;

// The values found in one status file. A key that was not found has no value; a key line
// without a double quote holds the empty text.
struct StatusFields {
    bool found[kStatusKeyCount] = {};
    std::string value[kStatusKeyCount];
};

// Whether a symbolic link at the file's place is followed to its target.
enum class StatusLinks { Follow, Refuse };

// Reads the whole file into `text`. The name in /tmp is predictable, so only a regular file
// of at most kMaxStatusFileSize bytes is read, and opening never blocks: a FIFO planted there
// or a link to an endless device gives false, as does a missing or unreadable file.
bool ReadStatusFile(const std::string& path, StatusLinks links, std::string& text);

// Splits the file's text at every line feed; it must give exactly 18 parts (17 lines that
// each end in a line feed), else the result is false and `fields` stays empty. A key line is
// recognised only after the line of the key in front of it; its value is the text between
// the first and the second double quote. Lines of no expected key are skipped, and every
// later "TOTAL_COUNT=" line replaces the total count.
bool ParseStatusFields(std::string_view text, StatusFields& fields);

} // namespace tq51m

#endif
