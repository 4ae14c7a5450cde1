// SPDX-License-Identifier: Apache-2.0
// Phone photos as the application's JPEG reader sees them: stored sideways or mirrored with an
// EXIF orientation, and far larger than the sheet.
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "JpegReader.h"

namespace {

// An EXIF APP1 payload holding only the orientation tag, in either byte order.
std::vector<unsigned char> ExifPayload(int orientation, bool little) {
    std::vector<unsigned char> d = {'E', 'x', 'i', 'f', 0, 0};
    auto u16 = [&](unsigned v) {
        if (little)
            d.insert(d.end(), {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)});
        else
            d.insert(d.end(), {static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)});
    };
    auto u32 = [&](unsigned v) {
        if (little) {
            u16(v & 0xffff);
            u16(v >> 16);
        } else {
            u16(v >> 16);
            u16(v & 0xffff);
        }
    };
    d.push_back(little ? 'I' : 'M');
    d.push_back(little ? 'I' : 'M');
    u16(42);
    u32(8);
    u16(1);      // one entry
    u16(0x0112); // orientation
    u16(3);      // SHORT
    u32(1);      // one value
    u16(orientation);
    u16(0);
    u32(0); // no next IFD
    return d;
}

// Writes a JPEG of width x height whose pixel (x, y) is pixel(x, y), with an EXIF orientation
// (0: no EXIF segment).
template <typename Pixel>
std::string WriteJpeg(const std::string& path, int width, int height, int orientation, bool little,
                      Pixel pixel) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    if (orientation > 0) {
        const std::vector<unsigned char> exif = ExifPayload(orientation, little);
        jpeg_write_marker(&info, JPEG_APP0 + 1, exif.data(), unsigned(exif.size()));
    }
    std::vector<unsigned char> row(size_t(width) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x)
            pixel(x, int(info.next_scanline), &row[size_t(x) * 3]);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
    return path;
}

std::string TempPath(const char* name) {
    return "/tmp/tq51m-image-reader-" + std::to_string(getpid()) + "-" + name + ".jpg";
}

// The red channel at (x, y) of a decoded image.
int Red(const tq51m::RgbImage& image, int x, int y) {
    return image.pixels[(size_t(y) * size_t(image.geometry.width) + size_t(x)) * 3];
}

TEST(JpegReader, EveryExifOrientationStandsUpright) {
    // The upright photo: 400 x 600 portrait, its top-left 100 x 100 red (255), the rest dark.
    // Each orientation stores it as a camera would, and the reader has to undo that.
    const int W = 400, H = 600;
    struct Row {
        int orientation;
        bool swaps; // stored sideways: W and H exchanged
    };
    const Row rows[] = {{0, false}, {1, false}, {2, false}, {3, false}, {4, false},
                        {5, true},  {6, true},  {7, true},  {8, true}};
    for (const Row& row : rows) {
        for (bool little : {true, false}) {
            SCOPED_TRACE("orientation " + std::to_string(row.orientation) +
                         (little ? " II" : " MM"));
            const int sw = row.swaps ? H : W, sh = row.swaps ? W : H;
            // Stored pixel (sx, sy) shows upright pixel (ux, uy).
            auto upright = [&](int sx, int sy, int& ux, int& uy) {
                switch (row.orientation) {
                case 2:
                    ux = W - 1 - sx, uy = sy;
                    break;
                case 3:
                    ux = W - 1 - sx, uy = H - 1 - sy;
                    break;
                case 4:
                    ux = sx, uy = H - 1 - sy;
                    break;
                case 5:
                    ux = sy, uy = sx;
                    break;
                case 6:
                    ux = W - 1 - sy, uy = sx;
                    break;
                case 7:
                    ux = W - 1 - sy, uy = H - 1 - sx;
                    break;
                case 8:
                    ux = sy, uy = H - 1 - sx;
                    break;
                default:
                    ux = sx, uy = sy;
                    break;
                }
            };
            const std::string path = WriteJpeg(TempPath("exif"), sw, sh, row.orientation, little,
                                               [&](int x, int y, unsigned char* p) {
                                                   int ux = 0, uy = 0;
                                                   upright(x, y, ux, uy);
                                                   const bool corner = ux < 100 && uy < 100;
                                                   p[0] = corner ? 255 : 30, p[1] = 30, p[2] = 30;
                                               });
            tq51m::RgbImage image;
            std::string error;
            ASSERT_TRUE(tq51m::ReadJpeg(path.c_str(), {2448, 3036, 300, 300}, image, error))
                << error;
            unlink(path.c_str());
            ASSERT_EQ(image.geometry.width, W);
            ASSERT_EQ(image.geometry.height, H);
            EXPECT_GT(Red(image, 20, 20), 200);
            EXPECT_LT(Red(image, W - 20, 20), 60);
            EXPECT_LT(Red(image, 20, H - 20), 60);
            EXPECT_LT(Red(image, W - 20, H - 20), 60);
        }
    }
}

TEST(JpegReader, DecodesAtAFractionOnlyWhileTheSheetKeepsAPixelPerDot) {
    struct Row {
        const char* name;
        int width, height;
        tq51m::PageGeometry sheet;
        int decodedWidth, decodedHeight;
    };
    const Row rows[] = {
        // A 12-megapixel phone photo is less than twice the 8 x 10 in sheet: decoded whole.
        {"12 MP on 8x10", 4032, 3024, {2448, 3036, 300, 300}, 4032, 3024},
        // Twice the sheet each way round: half size.
        {"10000 x 7000 on 8x10", 10000, 7000, {2448, 3036, 300, 300}, 5000, 3500},
        // At 600 dpi the same photo is not twice the sheet.
        {"10000 x 7000 on 8x10 at 600 dpi", 10000, 7000, {4896, 6072, 600, 600}, 10000, 7000},
        // Four times the 8 x 4 in sheet: a quarter.
        {"10000 x 5000 on 8x4", 10000, 5000, {2448, 1236, 300, 300}, 2500, 1250},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path =
            WriteJpeg(TempPath("large"), row.width, row.height, 0, true,
                      [](int, int, unsigned char* p) { p[0] = p[1] = p[2] = 90; });
        tq51m::RgbImage image;
        std::string error;
        ASSERT_TRUE(tq51m::ReadJpeg(path.c_str(), row.sheet, image, error)) << error;
        unlink(path.c_str());
        EXPECT_EQ(image.geometry.width, row.decodedWidth);
        EXPECT_EQ(image.geometry.height, row.decodedHeight);
    }
}

TEST(JpegReader, BrokenFilesGiveAReason) {
    const std::string path = TempPath("broken");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fputs("\xff\xd8\xff\xe0 not a JPEG at all", file);
    std::fclose(file);
    tq51m::RgbImage image;
    std::string error;
    EXPECT_FALSE(tq51m::ReadJpeg(path.c_str(), {2448, 3036, 300, 300}, image, error));
    EXPECT_EQ(error.rfind("The JPEG image cannot be read: ", 0), 0u) << error;
    unlink(path.c_str());
}

} // namespace
