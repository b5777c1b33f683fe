// Turns a JPEG into a bitmap the window system can draw.
#pragma once
#include "help/jpeg_decode.h"

#include <windows.h>

// A 24-bit top-down DIB section holding `image`, or nullptr for an empty image.
HBITMAP BitmapFromRgb(const RgbImage& image);
// `size` bytes of JPEG decoded into a bitmap; nullptr when they do not decode.
HBITMAP BitmapFromJpeg(const void* data, size_t size);
// The JPEG stored as raw data resource `id` of `module`, decoded; nullptr when
// the resource is missing or does not decode.
HBITMAP LoadJpegResource(HMODULE module, int id);
