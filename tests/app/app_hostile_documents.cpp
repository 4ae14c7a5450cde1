// SPDX-License-Identifier: Apache-2.0
// Writes the hostile documents the printer application is given: PWG raster jobs of a good
// page, a hostile page and another good page (the filter's hostile header table, as PWG
// raster), a raster cut off inside a page, a page beyond the 1 GiB page limit, broken JPEG
// and PNG files made from a good one of each, and PDFs that are damaged, endless to render or
// of a page far beyond any sheet.
//
//   app_hostile_documents FOLDER GOOD.JPG GOOD.PNG
//
// Prints one line per document: "NAME FILE FORMAT".
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "HostileSupport.h"

using hostile::RasterPage;

namespace {

cups_page_header2_t SrgbHeader(unsigned width, unsigned height) {
    cups_page_header2_t header = hostile::rgbHeader(width, height);
    header.cupsColorSpace = CUPS_CSPACE_SRGB;
    return header;
}

RasterPage Page(cups_page_header2_t header, unsigned lines, unsigned char fill = 0x55) {
    return RasterPage{header, lines, fill};
}

RasterPage Good(unsigned char fill) {
    return Page(SrgbHeader(64, 32), 32, fill);
}

cups_page_header2_t WithDepth(unsigned bitsPerColor, unsigned bitsPerPixel, cups_cspace_t space) {
    cups_page_header2_t header = SrgbHeader(64, 32);
    header.cupsBitsPerColor = bitsPerColor;
    header.cupsBitsPerPixel = bitsPerPixel;
    header.cupsColorSpace = space;
    header.cupsNumColors = bitsPerPixel / bitsPerColor;
    header.cupsBytesPerLine = (64 * bitsPerPixel + 7) / 8;
    return header;
}

cups_page_header2_t ShortLines() {
    cups_page_header2_t header = SrgbHeader(64, 32);
    header.cupsBytesPerLine = 64 * 3 - 3;
    return header;
}

struct Case {
    const char* name;
    RasterPage page;
};

bool Emit(const std::string& folder, const char* name, const std::string& content,
          const char* format) {
    const std::string path = folder + "/" + name;
    if (!hostile::writeFile(path, content))
        return false;
    printf("%s %s %s\n", name, path.c_str(), format);
    return true;
}

// The JPEG's first frame header (SOF0..SOF2) claims width x height.
std::string ClaimSize(std::string jpeg, unsigned width, unsigned height) {
    for (size_t i = 0; i + 9 < jpeg.size(); ++i) {
        const unsigned char marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && marker >= 0xC0 && marker <= 0xC2) {
            jpeg[i + 5] = char(height >> 8), jpeg[i + 6] = char(height & 0xFF);
            jpeg[i + 7] = char(width >> 8), jpeg[i + 8] = char(width & 0xFF);
            break;
        }
    }
    return jpeg;
}

// Every byte after the first `keep` bytes replaced by a pattern: headers intact, data garbage.
std::string Garble(std::string data, size_t keep) {
    for (size_t i = keep; i < data.size(); ++i)
        data[i] = char((i * 131) ^ 0x5A);
    return data;
}

// A PDF of the given objects (numbered from 1, the first the catalog) with a correct table of
// their offsets.
std::string Pdf(const std::vector<std::string>& objects) {
    std::string out = "%PDF-1.4\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(out.size());
        out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t table = out.size();
    out += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (size_t offset : offsets) {
        char entry[32];
        snprintf(entry, sizeof(entry), "%010zu 00000 n \n", offset);
        out += entry;
    }
    out += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(table) + "\n%%EOF\n";
    return out;
}

std::string Stream(const std::string& dictionary, const std::string& data) {
    return "<< " + dictionary + " /Length " + std::to_string(data.size()) + " >>\nstream\n" + data +
           "\nendstream";
}

// One page of size width x height points drawing `content`, with form objects 5 and on.
std::string OnePagePdf(int width, int height, const std::string& content,
                       const std::string& resources, const std::vector<std::string>& forms) {
    std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(width) + " " +
            std::to_string(height) + "] /Contents 4 0 R /Resources << " + resources + " >> >>",
        Stream("", content),
    };
    objects.insert(objects.end(), forms.begin(), forms.end());
    return Pdf(objects);
}

// Forms nested `depth` deep, each drawing the next one `fanOut` times: fanOut^depth small
// rectangles, far more than any renderer gets through in minutes.
std::string EndlessPdf(int depth, int fanOut) {
    std::vector<std::string> forms;
    for (int level = 0; level < depth; ++level) {
        const int object = 5 + level;
        std::string draw;
        std::string resources;
        if (level + 1 < depth) {
            for (int i = 0; i < fanOut; ++i)
                draw += "/F Do ";
            resources = "/Resources << /XObject << /F " + std::to_string(object + 1) + " 0 R >> >>";
        } else {
            draw = "0.5 0 0 rg 0 0 1 1 re f";
        }
        forms.push_back(
            Stream("/Type /XObject /Subtype /Form /BBox [0 0 576 720] " + resources, draw));
    }
    return OnePagePdf(576, 720, "/F Do", "/XObject << /F 5 0 R >>", forms);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        fprintf(stderr, "usage: app_hostile_documents FOLDER GOOD.JPG GOOD.PNG\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::vector<Case> cases = {
        {"width-0", Page(SrgbHeader(0, 32), 0)},
        {"height-0", Page(SrgbHeader(64, 0), 0)},
        {"width-1", Page(SrgbHeader(1, 32), 32)},
        {"height-1", Page(SrgbHeader(64, 1), 1)},
        {"width-2to31-minus-1", Page(SrgbHeader(INT_MAX, 1), 0)},
        {"height-2to31-minus-1", Page(SrgbHeader(64, INT_MAX), 4)},
        {"bytes-per-line-below-width-times-3", Page(ShortLines(), 32)},
        {"depth-1", Page(WithDepth(1, 1, CUPS_CSPACE_K), 32)},
        {"depth-8-sgray", Page(WithDepth(8, 8, CUPS_CSPACE_SW), 32)},
        {"depth-16", Page(WithDepth(16, 16, CUPS_CSPACE_SW), 32)},
        {"depth-48", Page(WithDepth(16, 48, CUPS_CSPACE_SRGB), 32)},
        // 20000 x 18000 pixels of 3 bytes: beyond the driver's 1 GiB page buffer. Equal lines
        // compress to a few kilobytes.
        {"page-above-1-gib", Page(SrgbHeader(20000, 18000), 18000)},
    };
    bool ok = true;
    for (const Case& c : cases) {
        const std::string path = folder + "/" + c.name + ".pwg";
        ok =
            ok && hostile::writeRaster(path, {Good(100), c.page, Good(200)}, CUPS_RASTER_WRITE_PWG);
        printf("%s %s image/pwg-raster\n", c.name, path.c_str());
    }
    const std::string whole = folder + "/whole.pwg";
    ok = ok && hostile::writeRaster(whole, {Good(100), Good(200)}, CUPS_RASTER_WRITE_PWG);
    const std::string raster = hostile::readFile(whole);
    ok = ok && Emit(folder, "cut-inside-the-second-page", raster.substr(0, raster.size() - 40),
                    "image/pwg-raster");
    ok = ok &&
         Emit(folder, "cut-inside-the-first-header", raster.substr(0, 900), "image/pwg-raster");

    const std::string jpeg = hostile::readFile(argv[2]);
    const std::string png = hostile::readFile(argv[3]);
    ok = ok && !jpeg.empty() && !png.empty();
    ok = ok && Emit(folder, "jpeg-cut-in-half", jpeg.substr(0, jpeg.size() / 2), "image/jpeg");
    ok = ok && Emit(folder, "jpeg-garbage-after-the-headers", Garble(jpeg, 700), "image/jpeg");
    ok = ok &&
         Emit(folder, "jpeg-claiming-60000x60000", ClaimSize(jpeg, 60000, 60000), "image/jpeg");
    ok = ok && Emit(folder, "png-cut-in-half", png.substr(0, png.size() / 2), "image/png");
    ok = ok && Emit(folder, "png-garbage-after-the-header", Garble(png, 33), "image/png");

    const std::string pdf = OnePagePdf(576, 720, "0 0 1 rg 0 0 576 720 re f", "", {});
    ok = ok && Emit(folder, "pdf-good", pdf, "application/pdf");
    ok = ok && Emit(folder, "pdf-cut-in-half", pdf.substr(0, pdf.size() / 2), "application/pdf");
    ok = ok && Emit(folder, "pdf-garbage-after-the-header", Garble(pdf, 9), "application/pdf");
    ok = ok &&
         Emit(folder, "pdf-page-of-200-x-200-in",
              OnePagePdf(14400, 14400, "0 0 1 rg 0 0 14400 14400 re f", "", {}), "application/pdf");
    ok = ok && Emit(folder, "pdf-endless", EndlessPdf(9, 20), "application/pdf");
    return ok ? 0 : 1;
}
