// SPDX-License-Identifier: Apache-2.0
// The plain forms of the image library's optimised operations, kept as the reference the
// tests compare the operations with byte for byte. Each takes the same arguments, makes the
// same checks and returns the same codes as its IL_ operation, and computes the obvious way:
// resampling through a whole-page intermediate with the weights worked out per sample,
// sharpening from a whole work copy with the double expression per byte, saturation through
// RGBtoHSL and HSLtoRGB per pixel. None of them uses worker threads.
#ifndef PVKIMGLIBPLAIN_H
#define PVKIMGLIBPLAIN_H

#include "PvkImgLib.h"

int PlainSizeBitmap(_tagBITMAPHANDLE* bitmap, int width, int height, int method);
int PlainSharpenBitmap(_tagBITMAPHANDLE* bitmap, int value);
int PlainChangeBitmapSaturation(_tagBITMAPHANDLE* bitmap, int value);

#endif
