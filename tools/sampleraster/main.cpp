// SPDX-License-Identifier: Apache-2.0
// tq51m-sample-raster: writes a CUPS raster job (24-bit RGB) with a photo-like picture made up
// here: a sky with a sun, hills against a sharp horizon, a skin-toned face, a strip of colour
// patches and a grey ramp. For demos, benchmarks and trying the filter by hand.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include <cups/raster.h>

namespace {

struct Options {
    std::string output;
    double widthInch = 8.0;
    double heightInch = 10.0;
    unsigned dpiX = 300;
    unsigned dpiY = 300;
    unsigned copies = 1;
    unsigned pages = 1;
    bool pwg = false; // PWG raster (sRGB), as IPP Everywhere printers take it
    bool ppm = false; // the first page as a binary PPM, for making JPEG or PNG copies
};

void Usage() {
    std::fprintf(stderr, "usage: tq51m-sample-raster -o FILE [--width INCH] [--height INCH]\n"
                         "                           [--dpi N|NxM] [--copies N] [--pages N]\n"
                         "                           [--format cups|pwg|ppm]\n"
                         "Writes a CUPS raster job (8-bit RGB) with a generated photo; FILE - is\n"
                         "standard output. Defaults: 8 x 10 inch, 300 dpi, 1 copy, 1 page.\n"
                         "--format pwg writes PWG raster (sRGB) with the same pixels, ppm the\n"
                         "first page as a binary PPM.\n");
}

bool ParseUnsigned(const char* text, unsigned& value) {
    char* end = nullptr;
    unsigned long v = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0' || v == 0 || v > 100000)
        return false;
    value = unsigned(v);
    return true;
}

bool ParseInch(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && value > 0 && value <= 100;
}

bool ParseDpi(const char* text, unsigned& x, unsigned& y) {
    std::string s(text);
    size_t sep = s.find('x');
    if (sep == std::string::npos)
        return ParseUnsigned(text, x) && ParseUnsigned(text, y);
    return ParseUnsigned(s.substr(0, sep).c_str(), x) &&
           ParseUnsigned(s.substr(sep + 1).c_str(), y);
}

bool ParseArgs(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc)
            return false;
        const char* value = argv[++i];
        bool ok = true;
        if (arg == "-o")
            o.output = value;
        else if (arg == "--width")
            ok = ParseInch(value, o.widthInch);
        else if (arg == "--height")
            ok = ParseInch(value, o.heightInch);
        else if (arg == "--dpi")
            ok = ParseDpi(value, o.dpiX, o.dpiY);
        else if (arg == "--copies")
            ok = ParseUnsigned(value, o.copies);
        else if (arg == "--pages")
            ok = ParseUnsigned(value, o.pages);
        else if (arg == "--format")
            ok = (o.pwg = !std::strcmp(value, "pwg")) || (o.ppm = !std::strcmp(value, "ppm")) ||
                 !std::strcmp(value, "cups");
        else
            ok = false;
        if (!ok)
            return false;
    }
    return !o.output.empty();
}

double Clamp01(double v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

double Smooth(double edge0, double edge1, double x) {
    double t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// The picture at (u, v): u across 0..1 from the left, v down 0..1 from the top.
Rgb Picture(double u, double v, double aspect, unsigned page) {
    const double shift = 0.07 * page;
    // Colour patches and a grey ramp along the bottom, with hard edges.
    if (v > 0.9) {
        if (v > 0.95)
            return {u, u, u};
        static const Rgb patches[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 1, 1},
                                      {1, 0, 1}, {1, 1, 0}, {0, 0, 0}, {1, 1, 1}};
        return patches[int(u * 8) % 8];
    }
    // Sky: deep blue overhead to pale at the horizon, with a sun and its glow.
    const double horizon = 0.55 + 0.06 * std::sin(u * 7.0 + shift * 10);
    Rgb color = Mix({0.15, 0.35, 0.75}, {0.75, 0.85, 0.95}, Smooth(0.0, horizon, v));
    const double sunX = 0.78 - shift, sunY = 0.18;
    const double sunDist = std::hypot((u - sunX) * aspect, v - sunY);
    color = Mix(color, {1.0, 0.95, 0.7}, 0.6 * std::exp(-sunDist * 9));
    if (sunDist < 0.05)
        color = {1.0, 0.98, 0.85};
    // Hills below a sharp horizon, darker towards the front.
    if (v > horizon)
        color = Mix({0.35, 0.6, 0.2}, {0.1, 0.3, 0.08}, Smooth(horizon, 0.9, v));
    // A face: skin tones lit from the upper right, with a soft shadow and a hard outline.
    const double fx = (u - 0.35) * aspect / 0.16, fy = (v - 0.5) / 0.22;
    const double face = fx * fx + fy * fy;
    if (face < 1.0) {
        const double light = Clamp01(0.75 + 0.25 * (fx * 0.6 - fy * 0.5));
        color = Mix({0.55, 0.36, 0.28}, {0.96, 0.78, 0.66}, light);
        const double ex = std::fabs(fx) - 0.38, ey = fy + 0.15;
        if (ex * ex + ey * ey * 4 < 0.012)
            color = {0.2, 0.12, 0.1};
        if (fy > 0.4 && fy < 0.48 && std::fabs(fx) < 0.3)
            color = {0.7, 0.3, 0.3};
    } else if (face < 1.04) {
        color = {0.25, 0.15, 0.1};
    }
    return color;
}

unsigned char Byte(double v) {
    return static_cast<unsigned char>(std::lround(Clamp01(v) * 255));
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseArgs(argc, argv, o)) {
        Usage();
        return 2;
    }
    const unsigned width = unsigned(std::lround(o.widthInch * o.dpiX));
    const unsigned height = unsigned(std::lround(o.heightInch * o.dpiY));

    int fd = o.output == "-" ? 1 : open(o.output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
        std::perror(o.output.c_str());
        return 1;
    }
    FILE* ppm = o.ppm ? fdopen(fd, "wb") : nullptr;
    cups_raster_t* raster =
        o.ppm ? nullptr : cupsRasterOpen(fd, o.pwg ? CUPS_RASTER_WRITE_PWG : CUPS_RASTER_WRITE);
    if (o.ppm ? ppm == nullptr : raster == nullptr) {
        std::fprintf(stderr, "tq51m-sample-raster: cannot start the raster stream\n");
        return 1;
    }

    std::vector<unsigned char> line(size_t(width) * 3);
    const double aspect = o.widthInch / o.heightInch;
    int status = 0;
    if (ppm != nullptr) {
        o.pages = 1;
        std::fprintf(ppm, "P6\n%u %u\n255\n", width, height);
    }
    for (unsigned page = 0; page < o.pages && status == 0; ++page) {
        cups_page_header2_t header;
        std::memset(&header, 0, sizeof(header));
        header.HWResolution[0] = o.dpiX;
        header.HWResolution[1] = o.dpiY;
        header.PageSize[0] = unsigned(std::lround(o.widthInch * 72));
        header.PageSize[1] = unsigned(std::lround(o.heightInch * 72));
        header.NumCopies = o.copies;
        header.cupsWidth = width;
        header.cupsHeight = height;
        header.cupsBitsPerColor = 8;
        header.cupsBitsPerPixel = 24;
        header.cupsBytesPerLine = width * 3;
        header.cupsColorOrder = CUPS_ORDER_CHUNKED;
        header.cupsColorSpace = o.pwg ? CUPS_CSPACE_SRGB : CUPS_CSPACE_RGB;
        header.cupsNumColors = 3;
        if (ppm == nullptr && !cupsRasterWriteHeader2(raster, &header)) {
            status = 1;
            break;
        }
        for (unsigned y = 0; y < height; ++y) {
            const double v = (y + 0.5) / height;
            for (unsigned x = 0; x < width; ++x) {
                Rgb c = Picture((x + 0.5) / width, v, aspect, page);
                line[x * 3] = Byte(c.r);
                line[x * 3 + 1] = Byte(c.g);
                line[x * 3 + 2] = Byte(c.b);
            }
            const bool written =
                ppm != nullptr
                    ? std::fwrite(line.data(), 1, line.size(), ppm) == line.size()
                    : cupsRasterWritePixels(raster, line.data(), unsigned(line.size())) != 0;
            if (!written) {
                status = 1;
                break;
            }
        }
    }
    if (ppm != nullptr) {
        if (std::fclose(ppm) != 0)
            status = 1;
    } else {
        cupsRasterClose(raster);
        if (fd != 1)
            close(fd);
    }
    if (status != 0)
        std::fprintf(stderr, "tq51m-sample-raster: writing %s failed\n", o.output.c_str());
    return status;
}
