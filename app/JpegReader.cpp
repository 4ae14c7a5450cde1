// SPDX-License-Identifier: Apache-2.0
#include "JpegReader.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <new>
#include <vector>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "ExifOrientation.h"

namespace tq51m {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings are not shown, except that data ending early (a broken upload, a cut-off file) is
// an error: libjpeg would fill the rest of the picture with grey, and the sheet be wasted.
void Warning(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        ErrorExit(info);
}

// The denominator of the DCT scaling: the largest of 8, 4 and 2 that leaves the image at least
// as large as the sheet along both sides; the sheet may be turned, so sides are compared by
// length.
unsigned ScaleDenominator(int width, int height, const PageGeometry& sheet) {
    const int longSide = std::max(width, height), shortSide = std::min(width, height);
    const int sheetLong = std::max(sheet.width, sheet.height);
    const int sheetShort = std::min(sheet.width, sheet.height);
    for (unsigned d : {8u, 4u, 2u})
        if (longSide / int(d) >= sheetLong && shortSide / int(d) >= sheetShort)
            return d;
    return 1;
}

// Decodes inside the setjmp frame; no C++ object with a destructor lives across a longjmp.
bool Decode(std::FILE* file, const PageGeometry& sheet, RgbImage& image, int& orientation,
            std::string& error) {
    jpeg_decompress_struct info;
    ErrorManager manager;
    info.err = jpeg_std_error(&manager.pub);
    manager.pub.error_exit = ErrorExit;
    manager.pub.emit_message = Warning;
    std::vector<std::uint8_t> cmykRow;
    JSAMPROW rows[1];
    if (setjmp(manager.jump)) {
        error = std::string("The JPEG image cannot be read: ") + manager.message;
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xffff);
    jpeg_read_header(&info, TRUE);
    if (info.image_width > unsigned(kMaxImageSide) || info.image_height > unsigned(kMaxImageSide)) {
        error = "The JPEG image of " + std::to_string(info.image_width) + " x " +
                std::to_string(info.image_height) + " pixels is too large to print.";
        jpeg_destroy_decompress(&info);
        return false;
    }
    orientation = 1;
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker; marker = marker->next)
        if (marker->marker == JPEG_APP0 + 1 && orientation == 1)
            orientation = ExifOrientation(marker->data, marker->data_length);

    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = ScaleDenominator(int(info.image_width), int(info.image_height), sheet);
    jpeg_start_decompress(&info);

    const int width = int(info.output_width), height = int(info.output_height);
    image.geometry.width = width;
    image.geometry.height = height;
    try {
        image.pixels.resize(std::size_t(width) * std::size_t(height) * 3);
        cmykRow.resize(cmyk ? std::size_t(width) * 4 : 0);
    } catch (const std::bad_alloc&) {
        error = "Out of memory for the JPEG image.";
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        std::uint8_t* out =
            &image.pixels[std::size_t(info.output_scanline) * std::size_t(width) * 3];
        if (!cmyk) {
            rows[0] = out;
            jpeg_read_scanlines(&info, rows, 1);
            continue;
        }
        rows[0] = cmykRow.data();
        jpeg_read_scanlines(&info, rows, 1);
        // Adobe's CMYK JPEGs store the inks inverted: 255 is no ink.
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &cmykRow[std::size_t(x) * 4];
            int c = p[0], m = p[1], y = p[2], k = p[3];
            if (!info.saw_Adobe_marker)
                c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
            out[x * 3] = std::uint8_t(c * k / 255);
            out[x * 3 + 1] = std::uint8_t(m * k / 255);
            out[x * 3 + 2] = std::uint8_t(y * k / 255);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

bool ReadJpeg(const char* path, const PageGeometry& sheet, RgbImage& image, std::string& error) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        error = "The JPEG image cannot be opened.";
        return false;
    }
    int orientation = 1;
    bool ok = Decode(file, sheet, image, orientation, error);
    std::fclose(file);
    if (ok && !OrientImage(image, orientation)) {
        error = "Out of memory for the JPEG image.";
        ok = false;
    }
    return ok;
}

} // namespace tq51m
