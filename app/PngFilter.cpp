// SPDX-License-Identifier: Apache-2.0
#include "PngFilter.h"

#include <new>
#include <string>
#include <vector>

#include <png.h>

#include "Driver.h"
#include "JobOptions.h"

namespace tq51m {

namespace {

bool Abort(pappl_job_t* job, const std::string& message) {
    papplLogJob(job, PAPPL_LOGLEVEL_ERROR, "%s", message.c_str());
    papplJobSetMessage(job, "%s", message.c_str());
    papplJobSetReasons(job, PAPPL_JREASON_DOCUMENT_FORMAT_ERROR, PAPPL_JREASON_NONE);
    return false;
}

// Decodes the whole file with libpng's simplified reader (errors end the reading; alpha is
// laid over white) and prints it through PAPPL's image path, as PAPPL's filter does.
bool PrintPng(pappl_job_t* job, pappl_device_t* device, void*) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, papplJobGetFilename(job)))
        return Abort(job, std::string("The PNG image cannot be read: ") + image.message);
    if (image.width > kMaxImageSide || image.height > kMaxImageSide) {
        const std::string size = std::to_string(image.width) + " x " + std::to_string(image.height);
        png_image_free(&image);
        return Abort(job, "The PNG image of " + size + " pixels is too large to print.");
    }
    const bool color = (image.format & PNG_FORMAT_FLAG_COLOR) != 0;
    image.format = color ? PNG_FORMAT_RGB : PNG_FORMAT_GRAY;
    std::vector<unsigned char> pixels;
    try {
        pixels.resize(PNG_IMAGE_SIZE(image));
    } catch (const std::bad_alloc&) {
        png_image_free(&image);
        return Abort(job, "Out of memory for the PNG image.");
    }

    // The backend starts before the image is decoded.
    pappl_pr_options_t* options = papplJobCreatePrintOptions(job, 1, color);
    bool printed = StartJob(job, options, device);
    png_color white = {255, 255, 255};
    if (printed && !png_image_finish_read(&image, &white, pixels.data(), 0, nullptr)) {
        AbandonJob(job);
        printed = Abort(job, std::string("The PNG image is damaged: ") + image.message);
    }
    if (printed)
        printed = papplJobFilterImage(job, device, options, pixels.data(), int(image.width),
                                      int(image.height), color ? 3 : 1, 0, true);
    papplJobDeletePrintOptions(options);
    return printed;
}

} // namespace

void RegisterPngFilter(pappl_system_t* system) {
    papplSystemAddMIMEFilter(system, "image/png", kCommandStreamFormat, PrintPng, nullptr);
}

} // namespace tq51m
