// SPDX-License-Identifier: Apache-2.0
// The backend's status file "/tmp/TQ-51M_<serial>.log", read and split by the shared status
// library (status/) and turned into what the printer reports over IPP. The mapping is a pure
// function of the file's text, so that it can be tested and fuzzed without a server.
#ifndef TQ51M_APP_PRINTERSTATUS_H
#define TQ51M_APP_PRINTERSTATUS_H

#include <string>

#include <pappl/printer.h>

namespace tq51m {

struct PrinterStatus {
    bool online = false;
    int stateCode = 99999;
    pappl_preason_t reasons = PAPPL_PREASON_OFFLINE;
    int supplyLevel = -1;             // ribbon and paper set, percent; -1 unknown
    const char* readyMedia = nullptr; // PWG name of the loaded sheet, null when unknown
    std::string stateText;            // the monitor's English state, "Door open"
    std::string message;              // the monitor's English message for the user

    // The status file's values as they stand, for the web page's copy of the monitor's view;
    // empty when the file is missing, unreadable or lacks the key.
    std::string messageValue, firmware, serial, mediaSize, mediaClass, mediaInitial, mediaRemain,
        mediaRemainHalf, totalCount;
};

// The reasons this unit owns; the rest belong to PAPPL.
constexpr pappl_preason_t kStatusReasons =
    PAPPL_PREASON_OFFLINE | PAPPL_PREASON_OTHER | PAPPL_PREASON_DOOR_OPEN |
    PAPPL_PREASON_COVER_OPEN | PAPPL_PREASON_MEDIA_EMPTY | PAPPL_PREASON_MARKER_SUPPLY_EMPTY |
    PAPPL_PREASON_MEDIA_JAM | PAPPL_PREASON_MEDIA_NEEDED | PAPPL_PREASON_MEDIA_LOW |
    PAPPL_PREASON_MARKER_SUPPLY_LOW;

// A decimal number as the monitor reads a status value: optional sign and digits; anything
// else, and anything beyond an int, is 0.
int StatusNumber(const std::string& text);

// The status of a missing or unreadable file.
PrinterStatus OfflineStatus();

// The status file's whole text; a file of the wrong shape counts as unreadable.
PrinterStatus ParseStatusText(const std::string& text);

// True while the printer reports a state in which it takes no job: door open, paper or ribbon
// end, jam, no scrap box, a ribbon, paper size or system error. A missing status file is none
// of these: the backend writes it on its first job.
bool CannotPrint(const PrinterStatus& status);

// The sheets of backend job `jobId` that the printer finished, as the backend's lines
// "JOB_ID=" and "JOB_SHEETS_DONE=" in the status file's text say; -1 when the text names
// another job or no count.
int SheetsFinished(const std::string& text, const std::string& jobId);

// Reads the file: a regular file only (no link, FIFO or device), of at most 1 MiB.
// False when it is missing or unreadable.
bool ReadStatusFile(const std::string& path, std::string& text);

// "/tmp/TQ-51M_<serial>.log" for a device URI "...?serial=SERIAL"; empty when the URI
// carries no usable serial.
std::string StatusFilePath(const std::string& deviceUri);

} // namespace tq51m

#endif
