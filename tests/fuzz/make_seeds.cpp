// SPDX-License-Identifier: Apache-2.0
// tq51m-fuzz-seeds DIR: writes the seed corpus of every fuzz target into DIR/<target>/.
// The committed corpus under tests/fuzz/corpus/ is this program's output.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cups/raster.h>

namespace {

std::string root;

void writeSeed(const char* target, const char* name, const std::string& bytes) {
    const std::string dir = root + "/" + target;
    mkdir(root.c_str(), 0755);
    mkdir(dir.c_str(), 0755);
    FILE* fp = std::fopen((dir + "/" + name).c_str(), "wb");
    if (fp == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), fp) != bytes.size()) {
        std::perror(name);
        std::exit(1);
    }
    std::fclose(fp);
}

// A string literal with its embedded NUL bytes.
template <std::size_t N> std::string raw(const char (&text)[N]) {
    return std::string(text, N - 1);
}

std::string shortField(const std::string& s) {
    return std::string(1, char(s.size())) + s;
}

std::string longField(const std::string& s) {
    return std::string(1, char(s.size() & 0xFF)) + char(s.size() >> 8) + s;
}

struct Page {
    unsigned width, height, copies;
};

// A 24-bit RGB raster job with a gradient on every page, in the given raster format.
std::string rasterJob(const std::vector<Page>& pages, cups_mode_t mode) {
    char path[] = "/tmp/tq51m-seed-XXXXXX";
    int fd = mkstemp(path);
    cups_raster_t* out = cupsRasterOpen(fd, mode);
    for (const Page& page : pages) {
        cups_page_header2_t header;
        std::memset(&header, 0, sizeof(header));
        header.cupsWidth = page.width;
        header.cupsHeight = page.height;
        header.cupsBitsPerColor = 8;
        header.cupsBitsPerPixel = 24;
        header.cupsBytesPerLine = page.width * 3;
        header.cupsColorOrder = CUPS_ORDER_CHUNKED;
        header.cupsColorSpace = CUPS_CSPACE_RGB;
        header.HWResolution[0] = header.HWResolution[1] = 300;
        header.NumCopies = page.copies;
        cupsRasterWriteHeader2(out, &header);
        std::vector<unsigned char> line(header.cupsBytesPerLine);
        for (unsigned y = 0; y < page.height; ++y) {
            for (unsigned x = 0; x < line.size(); ++x)
                line[x] = static_cast<unsigned char>(x * 7 + y * 3);
            cupsRasterWritePixels(out, line.data(), unsigned(line.size()));
        }
    }
    cupsRasterClose(out);
    std::string bytes;
    lseek(fd, 0, SEEK_SET);
    char buf[4096];
    ssize_t n;
    while ((n = read(fd, buf, sizeof(buf))) > 0)
        bytes.append(buf, size_t(n));
    close(fd);
    unlink(path);
    return bytes;
}

std::string frame(const char* group, const char* name, const std::string& payload,
                  bool withPayload) {
    char head[33];
    std::snprintf(head, sizeof(head), "\x1bP%-6s%-16s", group, name);
    std::string out(head, 24);
    if (withPayload) {
        char length[16];
        std::snprintf(length, sizeof(length), "%08zu", payload.size());
        out += length;
        out += payload;
    } else {
        out += std::string(8, ' ');
    }
    return out;
}

const char kStatusFile[] = "PRINTER_STATUS=\"00000\"\n"
                           "PRINTER_MESSAGE=\"00000\"\n"
                           "PRINTER_VERSION=\"1.53\"\n"
                           "PRINTER_SERIAL_NO=\"VX0001\"\n"
                           "MEDIA_SIZE=\"00500\"\n"
                           "MEDIA_CLASS=\"01\"\n"
                           "MEDIA_INITIAL=\"200\"\n"
                           "MEDIA_REMAIN=\"123\"\n"
                           "MEDIA_REMAIN_HALF=\"3\"\n"
                           "TOTAL_COUNT=\"4567\"\n"
                           "A\nB\nC\nD\nE\nF\nG\n";

const char kPpd[] = "*PPD-Adobe: \"4.3\"\n"
                    "*DefaultResolution: 300x600dpi\n"
                    "*DefaultPageSize: 207x130mm\n"
                    "*DefaultZelBorder: Enable\n"
                    "*DefaultZelOvercoatFinish: Matte\n"
                    "*DefaultZel2InchCut: Enable\n"
                    "*DefaultZelSharpness: 3\n"
                    "*DefaultZelGamma: -40\n"
                    "*DefaultZelColorAdjustment: Enable\n";

void filterJobSeeds() {
    const std::string info = "MEDIA_SIZE=\"00500\"\nMEDIA_REMAIN_HALF=\"3\"\n";
    const std::string raster1 = rasterJob({{16, 12, 1}}, CUPS_RASTER_WRITE);
    writeSeed("filter_job", "one-page", shortField("") + longField("") + raster1);
    writeSeed("filter_job", "two-pages-layout",
              shortField(info) + longField("") +
                  rasterJob({{32, 24, 1}, {8, 40, 2}}, CUPS_RASTER_WRITE_COMPRESSED));
    writeSeed("filter_job", "ppd-defaults",
              shortField("MEDIA_SIZE=\"00600\"\n") + longField(kPpd) +
                  rasterJob({{20, 20, 2}}, CUPS_RASTER_WRITE_PWG));
    writeSeed("filter_job", "truncated-page",
              shortField(info) + longField("") + raster1.substr(0, raster1.size() - 100));
}

void ppdSeeds() {
    writeSeed("ppd_lookup", "resolution", shortField("Resolution") + shortField("") + kPpd);
    writeSeed("ppd_lookup", "option-wins",
              shortField("ZelBorder") + shortField("ZelBorder=Disable media=207x156mm") + kPpd);
    writeSeed("ppd_lookup", "pagesize-media",
              shortField("PageSize") + shortField("media=207x206mm") + kPpd);
    writeSeed("ppd_lookup", "nul-and-long",
              shortField("ZelGamma") + shortField("") +
                  std::string("*DefaultZelGamma: \0 -10\n", 24) + std::string(600, 'x') +
                  "\n*DefaultZelGamma:    \t20   trailing\n");
}

void jobInfoSeeds() {
    const std::string lines = "PRINTER_STATUS=\"00000\"\nMEDIA_SIZE=\"00500\"\n"
                              "MEDIA_REMAIN_HALF=3\r\nMEDIA_SIZE=\"00510\"\n";
    writeSeed("job_info", "media-size", shortField("MEDIA_SIZE=") + char(128) + '\0' + lines);
    writeSeed("job_info", "remain-half", shortField("MEDIA_REMAIN_HALF=") + char(8) + '\0' + lines);
    writeSeed("job_info", "too-small", shortField("MEDIA_SIZE=") + char(5) + '\0' + lines);
    writeSeed("job_info", "long-line",
              shortField("KEY=") + char(255) + '\0' + std::string(700, 'v') + "KEY=\"1\"\n");
}

void statusSeeds() {
    std::string crlf;
    for (const char* p = kStatusFile; *p != '\0'; ++p) {
        if (*p == '\n')
            crlf += '\r';
        crlf += *p;
    }
    writeSeed("status_file", "complete", kStatusFile);
    writeSeed("status_file", "crlf", crlf);
    std::string broken = kStatusFile;
    broken.replace(broken.find("1.53"), 4, std::string("\xff\xfe\0\xc3", 4));
    writeSeed("status_file", "invalid-utf8-nul", broken);
    writeSeed("status_file", "out-of-order",
              "PRINTER_MESSAGE=\"00001\"\nPRINTER_STATUS=\"\"\nTOTAL_COUNT=\"1\"\n"
              "TOTAL_COUNT=\"2\"\n\n\n\n\n\n\n\n\n\n\n\n\n\n");
}

void streamSeeds() {
    std::string controls = frame("CNTRL", "CUTTER", "00000000", true) +
                           frame("CNTRL", "OVERCOAT", "00000000", true) +
                           frame("CNTRL", "BUFFCNTRL", "00000001", true) +
                           frame("CNTRL", "PRINTSPEED", "00000000", true);
    writeSeed("stream_parser", "controls", controls);
    // A sheet whose plane is far smaller than its media needs.
    std::string bmp(1088 + 8, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    writeSeed("stream_parser", "short-plane",
              controls + frame("IMAGE", "MULTICUT", "00000408", true) +
                  frame("IMAGE", "YPLANE", bmp, true) + frame("CNTRL", "START", "", false));
    writeSeed("stream_parser", "start-only", frame("CNTRL", "START", "", false));
}

void imglibSeeds() {
    // Mode byte, then the bitmap, then operations (operation byte, record byte, arguments).
    const std::string page24 = raw("\x00\x0f\x0b") + std::string(16 * 12 * 3, '\x5a');
    writeSeed("imglib", "chain",
              page24 + raw("\x00\x00\x20\x10\x00"                 // resample the page to 30 x 14
                           "\x04\x00\x90\x05\x00\xa0"             // saturation, sharpening
                           "\x06\x00\x00\x00\x00"                 // separate into the planes
                           "\x01\x02\x50\x02\x03\x60\x03\x04\x70" // tone curves
                           "\x07\x00\x00\x00\x00"                 // merge
                           "\x08\x05"));                          // release the merge result
    writeSeed("imglib", "palette8",
              raw("\x02\x09\x05") + std::string(12 * 6, '\x33') +
                  raw("\x01\x00\x30\x02\x00\x40\x03\x00\x50"));
    // 1 x 2 pixels, 24 bits, colour order 1, 8 bytes.
    writeSeed("imglib", "arbitrary-create",
              raw("\x01\x01\x00\x00\x00\x02\x00\x00\x00\x04\x01\x08\x00\x00\x00") +
                  std::string(8, '\x7f') + raw("\x04\x00\x80\x00\x01\x05\x06"));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tq51m-fuzz-seeds DIR\n");
        return 2;
    }
    root = argv[1];
    filterJobSeeds();
    ppdSeeds();
    jobInfoSeeds();
    statusSeeds();
    streamSeeds();
    imglibSeeds();
    return 0;
}
