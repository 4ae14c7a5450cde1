// SPDX-License-Identifier: Apache-2.0
// The EXIF orientation of a photo (1 to 8: how the camera's pixels must be turned or mirrored
// to stand upright), read from a JPEG's APP1 segment, and applied to decoded pixels.
#ifndef TQ51M_APP_EXIFORIENTATION_H
#define TQ51M_APP_EXIFORIENTATION_H

#include <cstddef>
#include <cstdint>

#include "PageFit.h"

namespace tq51m {

// The orientation tag of an APP1 segment's payload ("Exif\0\0" and a TIFF header); 1 when it
// has none or cannot be read.
int ExifOrientation(const std::uint8_t* data, std::size_t size);

// Turns and mirrors the image so that it stands upright; false when memory runs out.
bool OrientImage(RgbImage& image, int orientation);

} // namespace tq51m

#endif
