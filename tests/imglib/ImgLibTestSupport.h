// SPDX-License-Identifier: Apache-2.0
// Bitmaps over test-owned memory for the image library tests.
#ifndef IMGLIB_TEST_SUPPORT_H
#define IMGLIB_TEST_SUPPORT_H

#include "PvkImgLib.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

inline int64_t Stride(int64_t width, int64_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// A 24-bit or 8-bit bitmap described over a vector the test owns. Whatever the library
// attaches to the record later is released on destruction.
class TestBitmap {
  public:
    TestBitmap(int width, int height, int bitsPerPixel = 24, uint32_t colorOrder = 1)
        : m_pixels(size_t(Stride(width, bitsPerPixel) * height), 0) {
        std::memset(&m_record, 0, sizeof(m_record));
        if (bitsPerPixel == 8) {
            m_palette.resize(1024);
            for (int i = 0; i < 256; ++i) {
                m_palette[i * 4 + 0] = m_palette[i * 4 + 1] = m_palette[i * 4 + 2] =
                    static_cast<unsigned char>(i);
                m_palette[i * 4 + 3] = 0xAB;
            }
            colorOrder = 2;
        }
        const int result = IL_CreateBitmap(&m_record, 440, 2, uint32_t(width), uint32_t(height),
                                           uint32_t(bitsPerPixel), colorOrder,
                                           m_palette.empty() ? nullptr : m_palette.data(), 4,
                                           m_pixels.data(), int64_t(m_pixels.size()));
        EXPECT_EQ(result, IL_OK);
    }
    ~TestBitmap() { IL_FreeBitmap(&m_record); }
    TestBitmap(const TestBitmap&) = delete;
    TestBitmap& operator=(const TestBitmap&) = delete;

    _tagBITMAPHANDLE* get() { return &m_record; }
    _tagBITMAPHANDLE& record() { return m_record; }

    // Byte b of pixel (x, stored row y), through whatever pixels the record holds now.
    unsigned char& at(int x, int y, int b = 0) {
        const int bytes = m_record.bitsPerPixel / 8;
        return m_record.data[size_t(y) * Stride(m_record.width, m_record.bitsPerPixel) +
                             size_t(x) * bytes + b];
    }

    void fillRandom(uint32_t seed) {
        std::mt19937 random(seed);
        for (int y = 0; y < m_record.height; ++y)
            for (int x = 0; x < m_record.width * m_record.bitsPerPixel / 8; ++x)
                m_record.data[y * Stride(m_record.width, m_record.bitsPerPixel) + x] =
                    static_cast<unsigned char>(random() & 0xFF);
    }

    // The visible bytes of every row, without padding.
    std::vector<unsigned char> rows() const {
        std::vector<unsigned char> out;
        const int64_t stride = Stride(m_record.width, m_record.bitsPerPixel);
        const int64_t used = int64_t(m_record.width) * m_record.bitsPerPixel / 8;
        for (int y = 0; y < m_record.height; ++y)
            out.insert(out.end(), m_record.data + y * stride, m_record.data + y * stride + used);
        return out;
    }

    std::vector<unsigned char>& callerPixels() { return m_pixels; }
    std::vector<unsigned char>& callerPalette() { return m_palette; }

  private:
    std::vector<unsigned char> m_pixels;
    std::vector<unsigned char> m_palette;
    _tagBITMAPHANDLE m_record;
};

// Byte for byte: a refused call must not write to the record at all. The tests zero-fill
// their records before use, so the padding compares equal as well.
inline bool SameRecord(const _tagBITMAPHANDLE& a, const _tagBITMAPHANDLE& b) {
    return std::memcmp(&a, &b, sizeof(a)) == 0; // NOLINT(bugprone-suspicious-memory-comparison)
}

// A record that claims a huge bitmap over a small buffer: operations that must allocate
// for it fail before they read a pixel.
inline _tagBITMAPHANDLE HugeRecord(unsigned char* smallBuffer, int bitsPerPixel, int width,
                                   int height) {
    _tagBITMAPHANDLE record;
    std::memset(&record, 0, sizeof(record));
    record.data = smallBuffer;
    record.width = width;
    record.height = height;
    record.bitsPerPixel = bitsPerPixel;
    record.bytesPerLine = int32_t(Stride(width, bitsPerPixel));
    record.dataSize = Stride(width, bitsPerPixel) * height;
    record.rowOrigin = 4;
    record.colorOrder = bitsPerPixel == 24 ? 1 : 0;
    record.colorCount = bitsPerPixel == 8 ? 256 : 0;
    record.palette = bitsPerPixel == 8 ? smallBuffer : nullptr;
    return record;
}

#endif
