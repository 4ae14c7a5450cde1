// SPDX-License-Identifier: Apache-2.0
// The files the emulator shares with the filter and the status monitor under
// /tmp, and the emulator's own folder with its state and spool.
#pragma once

#include "EmulatorState.h"

#include <string>
#include <sys/types.h>

// Writes a whole file through a fresh temporary file in the same folder that
// is renamed over `path`: readers never see half a file, and an existing
// symbolic link at `path` is replaced, never followed.
bool writeFileAtomically(const std::string& path, const std::string& content, mode_t mode,
                         std::string& error);

std::string jobInfoPath(const std::string& jobId);
std::string statusFilePath(const std::string& serial);
std::string utilRequestPath(const std::string& serial);
std::string totalCountRequestPath(const std::string& serial);

// What the status file says about a running job.
struct JobProgress {
    bool running = false;
    std::string jobId; // the job that runs, or that this backend run ended
    int sheetsDone = 0;
    int sheetsTotal = 0;
};

// The status file's 17 lines (10 keys in the monitor's order, 7 of our own).
std::string statusFileText(const EmulatorState& state, const JobProgress& job);

// Rewrites the status file; a pending total-count request ("_TC_UTIL") is
// removed afterwards, since the file now carries the current count.
bool writeStatusFile(const EmulatorState& state, const JobProgress& job, std::string& error);

// Answers the monitor's request files outside jobs: when either exists the
// status file is rewritten. True when a request was found.
bool answerRequests(const EmulatorState& state, std::string& error);

// The emulator folder: VELMORA_EMULATOR_DIR or /var/spool/velmora-zelbackend.
class EmulatorDir {
  public:
    EmulatorDir();
    ~EmulatorDir();
    EmulatorDir(const EmulatorDir&) = delete;
    EmulatorDir& operator=(const EmulatorDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string jobsPath() const { return m_path + "/jobs"; }

    // Creates the folder and its jobs folder when missing. Run as root on an
    // existing folder owned by another user (e.g. lp, as whom cupsd runs the
    // backend), it first takes on that user, so that a `--set` by root leaves
    // files the backend can still replace.
    bool open(std::string& error);
    // Holds the state lock until unlock().
    bool lock(std::string& error);
    void unlock();
    // Loads the state, writing it with defaults when missing.
    bool load(EmulatorState& state, std::string& warnings, std::string& error);
    bool save(const EmulatorState& state, std::string& error);

  private:
    bool adoptOwner(std::string& error);

    std::string m_path;
    int m_lockFd = -1;
};

// Holds the state lock for a scope.
class StateLock {
  public:
    StateLock(EmulatorDir& dir, std::string& error) : m_dir(dir), m_locked(dir.lock(error)) {}
    ~StateLock() {
        if (m_locked)
            m_dir.unlock();
    }
    bool locked() const { return m_locked; }

  private:
    EmulatorDir& m_dir;
    bool m_locked;
};
