// SPDX-License-Identifier: Apache-2.0
// PNG documents, decoded by the application instead of by PAPPL 1.3.1, whose decoder jumps
// back to the start of the reading on every libpng error and so retries a broken or cut-off
// file for ever, keeping the printer busy. No PAPPL here.
#ifndef TQ51M_APP_PNGREADER_H
#define TQ51M_APP_PNGREADER_H

#include <string>

#include "PageFit.h"

namespace tq51m {

// Decodes the whole file with libpng's simplified reader (errors end the reading; alpha is
// laid over white) into RGB; false with a reason for the user when it cannot.
bool ReadPng(const char* path, RgbImage& image, std::string& error);

} // namespace tq51m

#endif
