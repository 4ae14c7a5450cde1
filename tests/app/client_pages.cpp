// SPDX-License-Identifier: Apache-2.0
// Pages as phones and desktops send them, and what the printer made of them.
//
//   app_client_pages page FILE pwg|urf MEDIA WIDTHxHEIGHT DPI
//     writes one raster page of the size, named MEDIA (a PWG name), in the photo pattern:
//     dark red with a blue block over the top-left sixteenth (a quarter of each side).
//   app_client_pages jpeg FILE ORIENTATION WIDTHxHEIGHT
//     writes a phone photo whose upright picture is WIDTH x HEIGHT in the photo pattern, its
//     pixels stored as a camera stores them for the EXIF ORIENTATION (1 to 8) it carries.
//   app_client_pages check STREAM
//     prints one line per sheet of a command stream: its media code, the paper's size in
//     dots, how many rows and columns of the paper are white from edge to edge, and the
//     colour of the paper's top-left and bottom-right corners (blue, red or other).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <cups/raster.h>
#include <fcntl.h>
#include <jpeglib.h>
#include <unistd.h>

#include "SheetTable.h"
#include "tq51m_stream.h"

namespace {

void Pattern(int x, int y, int width, int height, unsigned char* p);

int WritePage(const char* path, const char* format, const char* media, const char* size, int dpi) {
    int width = 0, height = 0;
    if (sscanf(size, "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0)
        return 2;
    cups_page_header2_t header;
    pwg_media_t* pwg = pwgMediaForPWG(media);
    if (pwg == nullptr ||
        !cupsRasterInitPWGHeader(&header, pwg, "srgb_8", dpi, dpi, "one-sided", nullptr))
        return 2;
    // The client's own pixels, which need not be the media's at that resolution.
    header.cupsWidth = unsigned(width);
    header.cupsHeight = unsigned(height);
    header.cupsBytesPerLine = unsigned(width) * 3;
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    cups_raster_t* raster = cupsRasterOpen(fd, strcmp(format, "urf") == 0 ? CUPS_RASTER_WRITE_APPLE
                                                                          : CUPS_RASTER_WRITE_PWG);
    if (raster == nullptr || !cupsRasterWriteHeader2(raster, &header))
        return 1;
    std::vector<unsigned char> row(size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            Pattern(x, y, width, height, &row[size_t(x) * 3]);
        cupsRasterWritePixels(raster, row.data(), unsigned(row.size()));
    }
    cupsRasterClose(raster);
    close(fd);
    return 0;
}

// The photo pattern's pixel at (x, y) of a width x height picture.
void Pattern(int x, int y, int width, int height, unsigned char* p) {
    const bool block = x < width / 4 && y < height / 4;
    p[0] = block ? 30 : 200, p[1] = 40, p[2] = block ? 220 : 40;
}

// An APP1 segment with the EXIF orientation tag only (big-endian TIFF).
std::vector<unsigned char> Exif(int orientation) {
    return {'E',  'x',
            'i',  'f',
            0,    0,
            'M',  'M',
            0,    42,
            0,    0,
            0,    8,
            0,    1,
            0x01, 0x12,
            0,    3,
            0,    0,
            0,    1,
            0,    static_cast<unsigned char>(orientation),
            0,    0,
            0,    0,
            0,    0};
}

int WriteJpeg(const char* path, int orientation, const char* size) {
    int width = 0, height = 0;
    if (sscanf(size, "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0 ||
        orientation < 1 || orientation > 8)
        return 2;
    const bool turned = orientation >= 5;
    const int sw = turned ? height : width, sh = turned ? width : height;
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return 1;
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(sw);
    info.image_height = JDIMENSION(sh);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    jpeg_start_compress(&info, TRUE);
    const std::vector<unsigned char> exif = Exif(orientation);
    jpeg_write_marker(&info, JPEG_APP0 + 1, exif.data(), unsigned(exif.size()));
    std::vector<unsigned char> row(size_t(sw) * 3);
    while (info.next_scanline < info.image_height) {
        const int sy = int(info.next_scanline);
        for (int sx = 0; sx < sw; ++sx) {
            // The upright pixel that this stored pixel shows once the orientation is applied.
            int ux = sx, uy = sy;
            switch (orientation) {
            case 2:
                ux = width - 1 - sx;
                break;
            case 3:
                ux = width - 1 - sx, uy = height - 1 - sy;
                break;
            case 4:
                uy = height - 1 - sy;
                break;
            case 5:
                ux = sy, uy = sx;
                break;
            case 6:
                ux = width - 1 - sy, uy = sx;
                break;
            case 7:
                ux = width - 1 - sy, uy = height - 1 - sx;
                break;
            case 8:
                ux = sy, uy = height - 1 - sx;
                break;
            }
            Pattern(ux, uy, width, height, &row[size_t(sx) * 3]);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
    return 0;
}

const char* ColourName(const unsigned char* p) {
    if (p[2] > p[0] + 60)
        return "blue";
    if (p[0] > p[2] + 60)
        return "red";
    return "other";
}

class SheetReport : public tq51m::StreamHandler {
  public:
    bool onSheet(const tq51m::Sheet& sheet, std::string&) override {
        int count = 1;
        const tq51m::MediaSheet* media = tq51m::FindMediaSheetByMediaCode(sheet.mediaCode, &count);
        if (media == nullptr) {
            printf("sheet %d code %d unknown\n", sheet.number, sheet.mediaCode);
            return true;
        }
        // The paper lies centred across the head; every row of the plane is paper.
        const std::vector<unsigned char> rgb = sheet.rgb();
        const int planeWidth = sheet.width(), rows = sheet.height();
        const int paperWidth = media->widthDots;
        const int left = (planeWidth - paperWidth) / 2;
        auto white = [&](int x, int y) {
            const unsigned char* p = &rgb[(size_t(y) * size_t(planeWidth) + size_t(x)) * 3];
            return p[0] >= 250 && p[1] >= 250 && p[2] >= 250;
        };
        int whiteRows = 0, whiteColumns = 0;
        for (int y = 0; y < rows; ++y) {
            bool all = true;
            for (int x = left; x < left + paperWidth && all; ++x)
                all = white(x, y);
            whiteRows += all;
        }
        for (int x = left; x < left + paperWidth; ++x) {
            bool all = true;
            for (int y = 0; y < rows && all; ++y)
                all = white(x, y);
            whiteColumns += all;
        }
        const unsigned char* topLeft =
            &rgb[(size_t(20) * size_t(planeWidth) + size_t(left + 20)) * 3];
        const unsigned char* bottomRight =
            &rgb[(size_t(rows - 21) * size_t(planeWidth) + size_t(left + paperWidth - 21)) * 3];
        printf("sheet %d code %d paper %dx%d white-rows %d white-columns %d top-left %s "
               "bottom-right %s\n",
               sheet.number, sheet.mediaCode, paperWidth, rows, whiteRows, whiteColumns,
               ColourName(topLeft), ColourName(bottomRight));
        return true;
    }
};

int Check(const char* path) {
    const int fd = open(path, O_RDONLY);
    if (fd < 0)
        return 1;
    tq51m::FdSource source(fd);
    SheetReport report;
    tq51m::ParseError error;
    const bool ok = tq51m::parseStream(source, report, error);
    close(fd);
    if (!ok)
        printf("stream error: %s\n", error.message.c_str());
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 7 && !strcmp(argv[1], "page"))
        return WritePage(argv[2], argv[3], argv[4], argv[5], atoi(argv[6]));
    if (argc == 5 && !strcmp(argv[1], "jpeg"))
        return WriteJpeg(argv[2], atoi(argv[3]), argv[4]);
    if (argc == 3 && !strcmp(argv[1], "check"))
        return Check(argv[2]);
    fprintf(stderr, "usage: app_client_pages page FILE pwg|urf MEDIA WxH DPI | jpeg FILE "
                    "ORIENTATION WxH | check STREAM\n");
    return 2;
}
