// SPDX-License-Identifier: Apache-2.0
#include "tq51m_stream.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <png.h>
#include <unistd.h>

namespace tq51m {

namespace {

void onPngError(png_structp png, png_const_charp message) {
    auto* error = static_cast<std::string*>(png_get_error_ptr(png));
    *error = message;
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

// Holds no C++ objects with destructors between setjmp and the libpng calls
// that may jump back, so a libpng error unwinds nothing it should not.
bool encode(const Sheet& sheet, std::FILE* file, std::uint8_t* row, std::string& error) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, onPngError, onPngWarning);
    if (!png) {
        error = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        if (error.empty())
            error = "out of memory";
        return false;
    }
    png_init_io(png, file);
    // Previews are large (up to 2560 x 7272); fast compression keeps jobs quick.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, png_uint_32(sheet.width()), png_uint_32(sheet.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_uint_32 pixelsPerMetre = png_uint_32(sheet.y.yPixelsPerMetre);
    png_set_pHYs(png, info, png_uint_32(sheet.y.xPixelsPerMetre), pixelsPerMetre,
                 PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (int y = 0; y < sheet.height(); ++y) {
        sheet.rgbRow(y, row);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool writeSheetPng(const Sheet& sheet, const std::string& path, std::string& error) {
    error.clear();
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) {
        error = path + ": " + std::strerror(errno);
        ::close(fd);
        return false;
    }
    std::vector<std::uint8_t> row(std::size_t(sheet.width()) * 3);
    bool ok = encode(sheet, file, row.data(), error);
    if (std::fclose(file) != 0 && ok) {
        error = std::strerror(errno);
        ok = false;
    }
    if (!ok)
        error = path + ": " + error;
    return ok;
}

} // namespace tq51m
