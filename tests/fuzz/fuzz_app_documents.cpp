// SPDX-License-Identifier: Apache-2.0
// The printer application's document readers over arbitrary bytes: the EXIF orientation
// parser, the JPEG reader, and the PDF renderer's child processes (pdfinfo and pdftoppm under
// their limits). Input: [1 selector byte][the document].
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "ExifOrientation.h"
#include "JpegReader.h"
#include "PdfRenderer.h"

namespace {

// The document as a file, as the application gets it from PAPPL's spool.
std::string WriteDocument(const uint8_t* data, size_t size) {
    std::string path = "/tmp/tq51m-fuzz-document-" + std::to_string(getpid());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return std::string();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    return path;
}

// A decoded page's pixels must be exactly its size.
void CheckPage(const tq51m::RgbImage& page) {
    if (page.geometry.width <= 0 || page.geometry.height <= 0 ||
        page.pixels.size() != size_t(page.geometry.width) * size_t(page.geometry.height) * 3)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const uint8_t selector = data[0];
    ++data, --size;
    if (selector % 3 == 0) {
        const int orientation = tq51m::ExifOrientation(data, size);
        if (orientation < 1 || orientation > 8)
            __builtin_trap();
        return 0;
    }
    const std::string path = WriteDocument(data, size);
    if (path.empty())
        return 0;
    tq51m::RgbImage page;
    std::string error;
    bool read = false;
    if (selector % 3 == 1) {
        read = tq51m::ReadJpeg(path.c_str(), {2448, 3036, 300, 300}, page, error);
    } else {
        tq51m::PdfRenderer renderer(path, nullptr);
        read = renderer.Open(error) && renderer.Render(1, 75, 75, page, error);
    }
    if (read)
        CheckPage(page);
    else if (error.empty())
        __builtin_trap(); // a failure always says why
    unlink(path.c_str());
    return 0;
}
