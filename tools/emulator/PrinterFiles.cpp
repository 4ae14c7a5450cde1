// SPDX-License-Identifier: Apache-2.0
#include "PrinterFiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <grp.h>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const kDefaultDir = "/var/spool/velmora-zelbackend";

std::string systemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

bool writeAll(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

bool makeDir(const std::string& path, std::string& error) {
    if (::mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) {
        struct stat info;
        if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            return true;
        error = path + " is not a folder";
        return false;
    }
    error = systemError("cannot create " + path);
    return false;
}

bool readWholeFile(const std::string& path, std::string& text, bool& missing) {
    missing = false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        missing = errno == ENOENT;
        return false;
    }
    char buffer[4096];
    text.clear();
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        // A state file is a dozen short lines; anything far larger is not one.
        if (text.size() > 65536)
            break;
        text.append(buffer, std::size_t(n));
    }
    ::close(fd);
    return true;
}

bool isRegularFile(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

bool writeFileAtomically(const std::string& path, const std::string& content, mode_t mode,
                         std::string& error) {
    std::vector<char> name(path.begin(), path.end());
    const char suffix[] = ".XXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix);
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        error = systemError("cannot create a temporary file for " + path);
        return false;
    }
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, content);
    if (!ok)
        error = systemError("cannot write " + std::string(name.data()));
    if (::close(fd) != 0 && ok) {
        error = systemError("cannot write " + std::string(name.data()));
        ok = false;
    }
    if (ok && ::rename(name.data(), path.c_str()) != 0) {
        error = systemError("cannot replace " + path);
        ok = false;
    }
    if (!ok)
        ::unlink(name.data());
    return ok;
}

std::string jobInfoPath(const std::string& jobId) {
    return "/tmp/Print_" + jobId + ".log";
}

std::string statusFilePath(const std::string& serial) {
    return "/tmp/TQ-51M_" + serial + ".log";
}

std::string utilRequestPath(const std::string& serial) {
    return "/tmp/TQ-51M_" + serial + "_UTIL";
}

std::string totalCountRequestPath(const std::string& serial) {
    return "/tmp/TQ-51M_" + serial + "_TC_UTIL";
}

std::string statusFileText(const EmulatorState& state, const JobProgress& job) {
    bool printing = job.running && isReadyState(state.state);
    std::ostringstream out;
    out << "PRINTER_STATUS=\"" << (printing ? "00001" : state.state) << "\"\n"
        << "PRINTER_MESSAGE=\"" << (printing ? "00001" : state.message) << "\"\n"
        << "PRINTER_VERSION=\"" << state.firmware << "\"\n"
        << "PRINTER_SERIAL_NO=\"" << state.serial << "\"\n"
        << "MEDIA_SIZE=\"" << state.media << "\"\n"
        << "MEDIA_CLASS=\"" << state.mediaClass << "\"\n"
        << "MEDIA_INITIAL=\"" << state.initial << "\"\n"
        << "MEDIA_REMAIN=\"" << state.remain << "\"\n"
        << "MEDIA_REMAIN_HALF=\"" << state.remainHalf << "\"\n"
        << "TOTAL_COUNT=\"" << state.total << "\"\n"
        << "PRINTER_MODEL=\"TQ-51M\"\n"
        << "BACKEND=\"velmora-zelbackend\"\n"
        << "JOB_ID=\"" << job.jobId << "\"\n"
        << "JOB_SHEETS_DONE=\"" << job.sheetsDone << "\"\n"
        << "JOB_SHEETS_TOTAL=\"" << job.sheetsTotal << "\"\n"
        << "UPDATED=\"" << static_cast<long long>(std::time(nullptr)) << "\"\n"
        << "EMULATOR=\"yes\"\n";
    return out.str();
}

bool writeStatusFile(const EmulatorState& state, const JobProgress& job, std::string& error) {
    if (!writeFileAtomically(statusFilePath(state.serial), statusFileText(state, job), 0644, error))
        return false;
    // The file now holds the current total count: a pending count request is answered.
    std::string request = totalCountRequestPath(state.serial);
    if (isRegularFile(request) && ::unlink(request.c_str()) != 0 && errno != ENOENT) {
        error = systemError("cannot remove " + request);
        return false;
    }
    return true;
}

bool answerRequests(const EmulatorState& state, std::string& error) {
    if (!isRegularFile(utilRequestPath(state.serial)) &&
        !isRegularFile(totalCountRequestPath(state.serial)))
        return false;
    writeStatusFile(state, JobProgress(), error);
    return true;
}

EmulatorDir::EmulatorDir() {
    const char* dir = std::getenv("VELMORA_EMULATOR_DIR");
    m_path = dir && dir[0] ? dir : kDefaultDir;
    while (m_path.size() > 1 && m_path.back() == '/')
        m_path.pop_back();
}

EmulatorDir::~EmulatorDir() {
    unlock();
}

bool EmulatorDir::adoptOwner(std::string& error) {
    struct stat info;
    if (::geteuid() != 0 || ::stat(m_path.c_str(), &info) != 0 || info.st_uid == 0)
        return true;
    if (::setgroups(0, nullptr) != 0 || ::setgid(info.st_gid) != 0 || ::setuid(info.st_uid) != 0) {
        error = systemError("cannot switch to the owner of " + m_path);
        return false;
    }
    return true;
}

bool EmulatorDir::open(std::string& error) {
    if (!adoptOwner(error))
        return false;
    std::string partial;
    std::size_t slash = 0;
    while ((slash = m_path.find('/', slash + 1)) != std::string::npos) {
        partial = m_path.substr(0, slash);
        struct stat info;
        if (::stat(partial.c_str(), &info) == 0)
            continue;
        if (errno != ENOENT) {
            error = systemError("cannot reach " + partial);
            return false;
        }
        if (!makeDir(partial, error))
            return false;
    }
    return makeDir(m_path, error) && makeDir(jobsPath(), error);
}

bool EmulatorDir::lock(std::string& error) {
    if (m_lockFd < 0) {
        std::string path = m_path + "/lock";
        m_lockFd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (m_lockFd < 0) {
            error = systemError("cannot open " + path);
            return false;
        }
    }
    while (::flock(m_lockFd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            error = systemError("cannot lock " + m_path + "/lock");
            return false;
        }
    }
    return true;
}

void EmulatorDir::unlock() {
    if (m_lockFd >= 0) {
        ::flock(m_lockFd, LOCK_UN);
        ::close(m_lockFd);
        m_lockFd = -1;
    }
}

bool EmulatorDir::load(EmulatorState& state, std::string& warnings, std::string& error) {
    std::string text;
    bool missing = false;
    std::string path = m_path + "/state";
    if (!readWholeFile(path, text, missing)) {
        if (!missing) {
            error = systemError("cannot read " + path);
            return false;
        }
        state = EmulatorState();
        return save(state, error);
    }
    std::vector<std::string> problems;
    state = parseState(text, problems);
    warnings.clear();
    for (const std::string& problem : problems)
        warnings += (warnings.empty() ? "" : "; ") + problem;
    return true;
}

bool EmulatorDir::save(const EmulatorState& state, std::string& error) {
    return writeFileAtomically(m_path + "/state", formatState(state), 0644, error);
}
