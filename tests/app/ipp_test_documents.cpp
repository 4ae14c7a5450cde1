// SPDX-License-Identifier: Apache-2.0
// Writes the documents that CUPS's ipp-everywhere.test names (ipptool needs every one of them
// to exist, even those it skips): PWG raster pages of the named size, resolution and colour
// space, in horizontal colour bands, plus color.jpg, gray.jpg and the document-*.pdf/.ps files
// are left to ImageMagick and Ghostscript by the caller.
//
//   ipp_test_documents DIR
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <sys/stat.h>

#include <fcntl.h>
#include <unistd.h>

#include <cups/raster.h>

namespace {

struct ColorType {
    const char* name;
    cups_cspace_t space;
    unsigned bitsPerColor, colors;
};

struct Document {
    const char* name;
    double widthInch, heightInch;
    unsigned pages;
};

bool WriteDocument(const std::string& path, const Document& doc, const ColorType& type,
                   unsigned dpi) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    cups_raster_t* raster = cupsRasterOpen(fd, CUPS_RASTER_WRITE_PWG);
    bool ok = raster != nullptr;
    for (unsigned page = 0; ok && page < doc.pages; ++page) {
        cups_page_header2_t header;
        memset(&header, 0, sizeof(header));
        header.HWResolution[0] = header.HWResolution[1] = dpi;
        header.PageSize[0] = unsigned(doc.widthInch * 72 + 0.5);
        header.PageSize[1] = unsigned(doc.heightInch * 72 + 0.5);
        header.cupsWidth = unsigned(doc.widthInch * dpi + 0.5);
        header.cupsHeight = unsigned(doc.heightInch * dpi + 0.5);
        header.cupsBitsPerColor = type.bitsPerColor;
        header.cupsBitsPerPixel = type.bitsPerColor * type.colors;
        header.cupsBytesPerLine = (header.cupsWidth * header.cupsBitsPerPixel + 7) / 8;
        header.cupsColorOrder = CUPS_ORDER_CHUNKED;
        header.cupsColorSpace = type.space;
        header.cupsNumColors = type.colors;
        header.NumCopies = 1;
        header.cupsInteger[0] = doc.pages; // TotalPageCount
        snprintf(header.cupsPageSizeName, sizeof(header.cupsPageSizeName), "%s",
                 doc.widthInch < 8.4 && doc.heightInch < 7 ? "na_index-4x6_4x6in"
                 : doc.widthInch < 8.4                     ? "iso_a4_210x297mm"
                                                           : "na_letter_8.5x11in");
        if (!cupsRasterWriteHeader2(raster, &header)) {
            ok = false;
            break;
        }
        std::vector<unsigned char> line(header.cupsBytesPerLine);
        for (unsigned y = 0; ok && y < header.cupsHeight; ++y) {
            // Eight bands of different values, each row uniform.
            const unsigned char value =
                (unsigned char)(32 * ((y * 8 / header.cupsHeight + page) % 8));
            memset(line.data(), value, line.size());
            ok = cupsRasterWritePixels(raster, line.data(), header.cupsBytesPerLine) != 0;
        }
    }
    if (raster != nullptr)
        cupsRasterClose(raster);
    close(fd);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: ipp_test_documents DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const unsigned resolutions[] = {150, 180, 300, 360, 600, 720};
    const ColorType types[] = {
        {"black-1", CUPS_CSPACE_K, 1, 1},     {"cmyk-8", CUPS_CSPACE_CMYK, 8, 4},
        {"sgray-8", CUPS_CSPACE_SW, 8, 1},    {"srgb-8", CUPS_CSPACE_SRGB, 8, 3},
        {"srgb-16", CUPS_CSPACE_SRGB, 16, 3},
    };
    const Document documents[] = {
        {"color.jpg-4x6", 4, 6, 1},      {"gray.jpg-4x6", 4, 6, 1},
        {"document-a4", 8.27, 11.69, 2}, {"document-letter", 8.5, 11, 2},
        {"onepage-a4", 8.27, 11.69, 1},  {"onepage-letter", 8.5, 11, 1},
    };
    for (unsigned dpi : resolutions) {
        const std::string resDir = dir + "/pwg-raster-samples-" + std::to_string(dpi) + "dpi";
        mkdir(resDir.c_str(), 0755);
        for (const ColorType& type : types) {
            const std::string typeDir = resDir + "/" + type.name;
            mkdir(typeDir.c_str(), 0755);
            for (const Document& doc : documents) {
                // The test names only the 4x6 photos in 16 bits.
                if (type.bitsPerColor == 16 && strcmp(doc.name, "color.jpg-4x6") != 0)
                    continue;
                const std::string path = typeDir + "/" + doc.name + "-" + type.name + "-" +
                                         std::to_string(dpi) + "dpi.pwg";
                if (!WriteDocument(path, doc, type, dpi)) {
                    fprintf(stderr, "ipp_test_documents: cannot write %s\n", path.c_str());
                    return 1;
                }
            }
        }
    }
    return 0;
}
