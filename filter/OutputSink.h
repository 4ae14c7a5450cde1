// SPDX-License-Identifier: Apache-2.0
// Where the printer command stream goes.
#ifndef TQ51M_OUTPUTSINK_H
#define TQ51M_OUTPUTSINK_H

#include <cstddef>
#include <cstdio>

class OutputSink {
  public:
    virtual ~OutputSink() = default;
    // Writes all len bytes; false when not all of them could be written.
    virtual bool Write(const void* data, size_t len) = 0;
    // Every byte of a sheet has been written: its control commands, media code, planes and
    // start command. A sink that sends a job again can cut its stream here.
    virtual void EndSheet() {}
};

// A stdio stream (the CUPS filter passes its standard output: fully buffered, flushed at exit).
class FileSink : public OutputSink {
  public:
    explicit FileSink(FILE* file) : m_file(file) {}
    bool Write(const void* data, size_t len) override {
        return std::fwrite(data, 1, len, m_file) == len;
    }

  private:
    FILE* m_file;
};

#endif
