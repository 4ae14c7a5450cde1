#ifndef TQ51M_FILTER_TEST_SUPPORT_H
#define TQ51M_FILTER_TEST_SUPPORT_H

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <fcntl.h>
#include <unistd.h>

#include <cups/cups.h>
#include <gtest/gtest.h>

#include "Common.h"
#include "OutputCapture.h"
#include "PhotoPrinterDeviceTQ51M.h"

// A real file with the given text, removed again at the end of the test.
class TempFile {
  public:
    explicit TempFile(const std::string& text, std::string path = "") : m_path(std::move(path)) {
        if (m_path.empty()) {
            char name[] = "/tmp/tq51m-test-XXXXXX";
            close(mkstemp(name));
            m_path = name;
        }
        std::ofstream(m_path, std::ios::binary) << text;
    }
    ~TempFile() { unlink(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

  private:
    std::string m_path;
};

// The backend's job information file of a job id unique to this test process.
class JobInfoFile {
  public:
    explicit JobInfoFile(const std::string& text)
        : m_jobId("gtest" + std::to_string(getpid())),
          m_file(text, "/tmp/Print_" + m_jobId + ".log") {}
    const char* JobId() const { return m_jobId.c_str(); }

  private:
    std::string m_jobId;
    TempFile m_file;
};

// Job options parsed the way the filter parses argv[5], plus an optional PPD.
class ParsedOptions {
  public:
    explicit ParsedOptions(const char* options, const std::string& ppdText = "")
        : m_ppdFile(ppdText) {
        m_count = cupsParseOptions(options, 0, &m_options);
        m_ppd = wrappedPpdOpenFile(m_ppdFile.Path().c_str());
    }
    ~ParsedOptions() {
        wrappedPpdClose(m_ppd);
        cupsFreeOptions(m_count, m_options);
    }
    int count() const { return m_count; }
    cups_option_t* options() const { return m_options; }
    ppdfile_s* ppd() const { return m_ppd; }

  private:
    TempFile m_ppdFile;
    int m_count = 0;
    cups_option_t* m_options = nullptr;
    ppdfile_s* m_ppd = nullptr;
};

// The framing of one command: ESC, "P", group (6), name (16), length field (8), payload.
inline std::string Frame(const std::string& group, const std::string& name,
                         const std::string& payload) {
    std::string frame = "\x1bP";
    frame += group + std::string(6 - group.size(), ' ');
    frame += name + std::string(16 - name.size(), ' ');
    if (payload.empty())
        return frame + std::string(8, ' ');
    char length[32];
    std::snprintf(length, sizeof(length), "%08zu", payload.size());
    return frame + length + payload;
}

inline std::unique_ptr<DeviceEntry> MakeDevice() {
    return std::unique_ptr<DeviceEntry>(new DeviceEntry_TQ51M);
}

#endif
