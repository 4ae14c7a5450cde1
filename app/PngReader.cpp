// SPDX-License-Identifier: Apache-2.0
#include "PngReader.h"

#include <new>

#include <png.h>

#include "JobOptions.h"

namespace tq51m {

bool ReadPng(const char* path, RgbImage& image, std::string& error) {
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path)) {
        error = std::string("The PNG image cannot be read: ") + png.message;
        return false;
    }
    if (png.width > png_uint_32(kMaxImageSide) || png.height > png_uint_32(kMaxImageSide)) {
        error = "The PNG image of " + std::to_string(png.width) + " x " +
                std::to_string(png.height) + " pixels is too large to print.";
        png_image_free(&png);
        return false;
    }
    png.format = PNG_FORMAT_RGB;
    try {
        image.pixels.resize(PNG_IMAGE_SIZE(png));
    } catch (const std::bad_alloc&) {
        png_image_free(&png);
        error = "Out of memory for the PNG image.";
        return false;
    }
    png_color white = {255, 255, 255};
    if (!png_image_finish_read(&png, &white, image.pixels.data(), 0, nullptr)) {
        error = std::string("The PNG image is damaged: ") + png.message;
        return false;
    }
    image.geometry.width = int(png.width);
    image.geometry.height = int(png.height);
    return true;
}

} // namespace tq51m
