// Sinks for tests that look at the command stream a device or a job writes.
#ifndef TQ51M_TESTS_OUTPUTCAPTURE_H
#define TQ51M_TESTS_OUTPUTCAPTURE_H

#include <cstddef>
#include <string>

#include "OutputSink.h"
#include "PhotoPrinterDevice.h"

// Keeps every byte written to it. With a capacity it behaves like a full disk: a write that
// does not fit keeps the bytes that fit and reports failure.
class StringSink : public OutputSink {
  public:
    explicit StringSink(size_t capacity = std::string::npos) : m_capacity(capacity) {}
    bool Write(const void* data, size_t len) override {
        const size_t room = m_capacity - m_bytes.size();
        const size_t kept = len < room ? len : room;
        m_bytes.append(static_cast<const char*>(data), kept);
        return kept == len;
    }
    const std::string& bytes() const { return m_bytes; }

  private:
    size_t m_capacity;
    std::string m_bytes;
};

// Points a device at a StringSink for the lifetime of the object.
class OutputCapture {
  public:
    explicit OutputCapture(DeviceEntry& device) : m_device(device) { device.SetOutput(&m_sink); }
    ~OutputCapture() { m_device.SetOutput(nullptr); }
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;
    // Everything the device wrote so far.
    std::string Finish() const { return m_sink.bytes(); }

  private:
    DeviceEntry& m_device;
    StringSink m_sink;
};

#endif
