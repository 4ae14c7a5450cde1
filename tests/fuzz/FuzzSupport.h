// SPDX-License-Identifier: Apache-2.0
// Helpers shared by the fuzz targets: a reader that splits one fuzz input into fields, and
// small file helpers for the parsers that read from a path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace fuzz {

// Takes fields from the front of a fuzz input. An exhausted input yields zero bytes, so every
// input, however short, describes one complete run.
class Reader {
  public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }

    uint8_t byte() { return empty() ? 0 : m_data[m_pos++]; }

    uint16_t u16() {
        uint16_t low = byte();
        return uint16_t(low | (uint16_t(byte()) << 8));
    }

    uint32_t u32() {
        uint32_t low = u16();
        return low | (uint32_t(u16()) << 16);
    }

    // Up to n bytes (fewer at the end of the input).
    std::string bytes(size_t n) {
        size_t take = n < m_size - m_pos ? n : m_size - m_pos;
        if (empty())
            take = 0;
        std::string out(reinterpret_cast<const char*>(m_data + m_pos), take);
        m_pos += take;
        return out;
    }

    // A field whose length is given by the byte in front of it.
    std::string shortField() { return bytes(byte()); }

    // A field whose length is given by the two bytes (little-endian) in front of it.
    std::string longField() { return bytes(u16()); }

    std::string rest() { return bytes(m_size); }

  private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// Replaces the file at path with the given bytes; false when it cannot be written.
inline bool writeFile(const std::string& path, const std::string& content) {
    FILE* fp = std::fopen(path.c_str(), "wb");
    if (fp == nullptr)
        return false;
    bool ok = std::fwrite(content.data(), 1, content.size(), fp) == content.size();
    return std::fclose(fp) == 0 && ok;
}

// A file name under /tmp that no other process of the fuzz run uses.
inline std::string privateTmpName(const char* stem) {
    return std::string("/tmp/") + stem + "-" + std::to_string(getpid());
}

} // namespace fuzz
