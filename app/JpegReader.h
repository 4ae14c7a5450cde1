// SPDX-License-Identifier: Apache-2.0
// JPEG documents, decoded by the application with libjpeg-turbo: upright by their EXIF
// orientation, and decoded at a half, a quarter or an eighth of their size when the sheet
// still gets at least one photo pixel per dot. No PAPPL here.
#ifndef TQ51M_APP_JPEGREADER_H
#define TQ51M_APP_JPEGREADER_H

#include <string>

#include "JobOptions.h"
#include "PageFit.h"

namespace tq51m {

// Decodes the file into an upright RGB image for the sheet (its dots, either way round);
// false with a reason for the user when it cannot.
bool ReadJpeg(const char* path, const PageGeometry& sheet, RgbImage& image, std::string& error);

} // namespace tq51m

#endif
