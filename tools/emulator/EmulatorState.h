// SPDX-License-Identifier: Apache-2.0
// The emulated printer's state: what it reports and how it counts media.
#pragma once

#include <string>
#include <vector>

struct EmulatorState {
    std::string serial = "ZEL51M0001";
    std::string firmware = "1.53";
    std::string media = "00510";
    std::string mediaClass = "0001";
    long initial = 50;
    long remain = 50;
    long remainHalf = 100;
    long total = 0;
    std::string state = "00000";
    std::string message = "00001";
    long sheetDelayMs = 0;
    long readDelayMs = 0;
};

// Sets one key from its text; false with `error` set for an unknown key or an
// invalid value (the state is then unchanged).
bool setStateValue(EmulatorState& state, const std::string& key, const std::string& value,
                   std::string& error);

// The state as key=value lines, in a fixed order.
std::string formatState(const EmulatorState& state);

// Reads key=value lines; bad lines and values keep their defaults and are
// described in `problems`.
EmulatorState parseState(const std::string& text, std::vector<std::string>& problems);

// A serial number that can safely become part of a file name under /tmp.
bool isSafeSerial(const std::string& serial);

// True for the states in which the printer accepts a job.
bool isReadyState(const std::string& state);
// The message code that goes with a state code.
std::string defaultMessage(const std::string& state);
// The printer-state-reason keyword for a state code, empty when there is none.
std::string stateReason(const std::string& state);
// Every reason keyword stateReason can return.
const std::vector<std::string>& allStateReasons();
// English name of a state code for messages.
std::string stateName(const std::string& state);

// A sheet with one print that the loaded media lays out several to a sheet.
bool isHalfSizePrint(const std::string& media, int mediaCode, int imageCount);

// Uses the media for one printed sheet; false when no media is left (nothing
// changes then).
bool consumeSheet(EmulatorState& state, int mediaCode, int imageCount);
