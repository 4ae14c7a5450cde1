// SPDX-License-Identifier: Apache-2.0
// The printer's serial number in a device URI "velmora-zelbackend://VELMORA/TQ-51M?serial=...",
// and the status file it names. The serial becomes part of file names in /tmp, which any
// local user can write, so each front end checks it before it names a file with it.
#ifndef TQ51M_STATUS_DEVICESERIAL_H
#define TQ51M_STATUS_DEVICESERIAL_H

#include <string>

namespace tq51m {

// The status monitor's reading: everything after the first "serial=", further query
// parameters included. False when the URI has no "serial=" at all; an empty `serial` when it
// ends right after it.
bool SerialAfterTag(const std::string& uri, std::string& serial);

// A serial that names a file inside /tmp: not empty and without a slash.
bool SerialStaysInTmp(const std::string& serial);

// The printer application's reading: the "serial" query parameter up to the next '&' or '#',
// accepted only as 1 to 64 letters, digits, '-', '_' and '.' without "..". Empty otherwise.
std::string PlainSerialOf(const std::string& uri);

// "/tmp/TQ-51M_<serial>.log".
std::string StatusFilePathOf(const std::string& serial);

} // namespace tq51m

#endif
