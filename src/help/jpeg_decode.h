// Decodes a JPEG held in memory into plain RGB pixels. Portable: no window
// system, so the host build tests and fuzzes it.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    // Three bytes (red, green, blue) per pixel, rows top to bottom, no padding.
    std::vector<unsigned char> pixels;
};

// Largest picture accepted, per side and in pixels: the program only shows a
// small picture, and a forged header must not make it reserve gigabytes.
constexpr int kMaxJpegSide = 4096;
constexpr long kMaxJpegPixels = 4L * 1024 * 1024;

// True with `image` filled when `data` is a complete JPEG the library can turn
// into RGB. Truncated or corrupt data, even data the library would only warn
// about, gives false, an empty `image` and a reason in `error` (if given).
bool DecodeJpeg(const unsigned char* data, size_t size, RgbImage& image, std::string* error = nullptr);
