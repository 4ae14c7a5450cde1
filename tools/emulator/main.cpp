// SPDX-License-Identifier: Apache-2.0
// velmora-zelbackend: a CUPS backend that emulates the TQ-51M printer for
// tests and demos (see README.md). Without arguments it reports its device,
// with the six or seven CUPS backend arguments it takes a job, and with
// --set, --status or --watch it changes or shows the emulated printer.
#include "EmulatorState.h"
#include "Job.h"
#include "PrinterFiles.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/stat.h>
#include <cups/backend.h>
#include <string>
#include <vector>

namespace {

const char* const kUsage =
    "usage: velmora-zelbackend                       (report the emulated device)\n"
    "       velmora-zelbackend job user title copies options [file]\n"
    "       velmora-zelbackend --set KEY=VALUE [--set KEY=VALUE ...]\n"
    "       velmora-zelbackend --status\n"
    "       velmora-zelbackend --watch\n"
    "State keys: serial firmware media media_class initial remain remain_half total state\n"
    "            message sheet_delay_ms read_delay_ms (folder: VELMORA_EMULATOR_DIR)\n";

int usage(const char* problem) {
    std::fprintf(stderr, "velmora-zelbackend: %s\n%s", problem, kUsage);
    return CUPS_BACKEND_FAILED;
}

bool loadState(EmulatorDir& dir, EmulatorState& state, std::string& error) {
    StateLock lock(dir, error);
    std::string warnings;
    if (!lock.locked() || !dir.load(state, warnings, error))
        return false;
    if (!warnings.empty())
        std::fprintf(stderr, "velmora-zelbackend: state file: %s\n", warnings.c_str());
    return true;
}

int discover() {
    EmulatorDir dir;
    EmulatorState state;
    std::string error;
    if (!dir.open(error) || !loadState(dir, state, error))
        std::fprintf(stderr, "DEBUG: %s; reporting the default device\n", error.c_str());
    else if (answerRequests(state, error) && !error.empty())
        std::fprintf(stderr, "DEBUG: %s\n", error.c_str());
    std::printf("direct velmora-zelbackend://VELMORA/TQ-51M?serial=%s \"Velmora TQ-51M\" "
                "\"Velmora TQ-51M (emulator)\" "
                "\"MFG:Velmora;MDL:TQ-51M;CMD:TQ51M;CLS:PRINTER;SN:%s;\" \"\"\n",
                state.serial.c_str(), state.serial.c_str());
    return CUPS_BACKEND_OK;
}

int setValues(const std::vector<std::string>& assignments) {
    EmulatorDir dir;
    EmulatorState state;
    std::string error;
    if (!dir.open(error)) {
        std::fprintf(stderr, "velmora-zelbackend: %s\n", error.c_str());
        return CUPS_BACKEND_FAILED;
    }
    {
        StateLock lock(dir, error);
        std::string warnings;
        if (!lock.locked() || !dir.load(state, warnings, error)) {
            std::fprintf(stderr, "velmora-zelbackend: %s\n", error.c_str());
            return CUPS_BACKEND_FAILED;
        }
        bool messageGiven = false;
        bool stateGiven = false;
        for (const std::string& assignment : assignments) {
            std::size_t eq = assignment.find('=');
            std::string key = assignment.substr(0, eq);
            if (eq == std::string::npos ||
                !setStateValue(state, key, assignment.substr(eq + 1), error)) {
                std::fprintf(stderr, "velmora-zelbackend: --set %s: %s\n", assignment.c_str(),
                             eq == std::string::npos ? "expected KEY=VALUE" : error.c_str());
                return CUPS_BACKEND_FAILED;
            }
            messageGiven = messageGiven || key == "message";
            stateGiven = stateGiven || key == "state";
        }
        if (stateGiven && !messageGiven)
            state.message = defaultMessage(state.state);
        if (!dir.save(state, error)) {
            std::fprintf(stderr, "velmora-zelbackend: %s\n", error.c_str());
            return CUPS_BACKEND_FAILED;
        }
    }
    if (!writeStatusFile(state, JobProgress(), error))
        std::fprintf(stderr, "velmora-zelbackend: %s\n", error.c_str());
    return CUPS_BACKEND_OK;
}

int showStatus() {
    EmulatorDir dir;
    EmulatorState state;
    std::string error;
    if (!dir.open(error) || !loadState(dir, state, error)) {
        std::fprintf(stderr, "velmora-zelbackend: %s\n", error.c_str());
        return CUPS_BACKEND_FAILED;
    }
    std::printf("%s", formatState(state).c_str());
    if (!writeStatusFile(state, JobProgress(), error))
        std::fprintf(stderr, "velmora-zelbackend: %s\n", error.c_str());
    return CUPS_BACKEND_OK;
}

int watch() {
    installStopHandler();
    EmulatorDir dir;
    std::string error;
    if (!dir.open(error)) {
        std::fprintf(stderr, "velmora-zelbackend: %s\n", error.c_str());
        return CUPS_BACKEND_FAILED;
    }
    while (!stopRequested()) {
        EmulatorState state;
        if (!loadState(dir, state, error)) {
            std::fprintf(stderr, "velmora-zelbackend: %s\n", error.c_str());
            return CUPS_BACKEND_FAILED;
        }
        error.clear();
        if (answerRequests(state, error) && !error.empty())
            std::fprintf(stderr, "velmora-zelbackend: %s\n", error.c_str());
        struct timespec wait = {0, 500000000L};
        nanosleep(&wait, nullptr);
    }
    return CUPS_BACKEND_OK;
}

} // namespace

int main(int argc, char** argv) {
    // cupsd starts backends with umask 077; the spool and the /tmp files are
    // meant to be read by others (the filter's and the monitor's users).
    ::umask(022);
    if (argc == 1)
        return discover();
    if (std::strncmp(argv[1], "--", 2) == 0) {
        std::string command = argv[1];
        if (command == "--help") {
            std::printf("%s", kUsage);
            return CUPS_BACKEND_OK;
        }
        if (command == "--status" && argc == 2)
            return showStatus();
        if (command == "--watch" && argc == 2)
            return watch();
        if (command == "--set") {
            std::vector<std::string> assignments;
            for (int i = 1; i < argc; i += 2) {
                if (std::strcmp(argv[i], "--set") != 0 || i + 1 >= argc)
                    return usage("expected --set KEY=VALUE pairs");
                assignments.push_back(argv[i + 1]);
            }
            return setValues(assignments);
        }
        return usage(("unknown command " + command).c_str());
    }
    if (argc != 6 && argc != 7)
        return usage("wrong number of arguments");
    installStopHandler();
    return runJob(argc, argv);
}
