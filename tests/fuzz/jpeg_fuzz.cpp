// Feeds arbitrary bytes to the JPEG decoder: it must return (never end the
// process or touch memory it does not own), and what it accepts must be a
// whole picture within the limits.
#include "help/jpeg_decode.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RgbImage image;
    std::string error;
    const bool ok = DecodeJpeg(data, size, image, &error);
    if (ok) {
        if (image.width <= 0 || image.height <= 0 || image.width > kMaxJpegSide || image.height > kMaxJpegSide
            || image.pixels.size() != static_cast<size_t>(image.width) * image.height * 3)
            std::abort();
    } else if (!image.pixels.empty() || image.width != 0 || error.empty()) {
        std::abort();
    }
    return 0;
}
