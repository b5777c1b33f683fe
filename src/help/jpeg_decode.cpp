#include "help/jpeg_decode.h"

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace {

// The library's default error handler ends the process; ours jumps back to
// the decoder instead. Warnings (a missing end of data, a bad marker) count
// as errors too: the library would go on and hand out grey filler pixels.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void FailDecoding(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void TreatWarningsAsErrors(j_common_ptr info, int level)
{
    if (level < 0)
        FailDecoding(info);
}

void SilenceOutput(j_common_ptr) { }

// Runs the library between setjmp and the jump target. Nothing with a
// destructor lives in this frame, so a jump back skips no cleanup.
bool RunDecoder(
    jpeg_decompress_struct& info, ErrorManager& errors, const unsigned char* data, size_t size, RgbImage& image)
{
    if (setjmp(errors.jump))
        return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > kMaxJpegSide
        || info.image_height > kMaxJpegSide
        || static_cast<long>(info.image_width) * static_cast<long>(info.image_height) > kMaxJpegPixels) {
        std::snprintf(
            errors.message, sizeof errors.message, "picture too large: %ux%u", info.image_width, info.image_height);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3) {
        std::snprintf(
            errors.message, sizeof errors.message, "unexpected colour components: %d", info.output_components);
        return false;
    }
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    const size_t stride = static_cast<size_t>(image.width) * 3;
    image.pixels.resize(stride * static_cast<size_t>(image.height));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.pixels.data() + stride * info.output_scanline;
        if (jpeg_read_scanlines(&info, &row, 1) != 1) {
            std::snprintf(errors.message, sizeof errors.message, "no scan line read");
            return false;
        }
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

bool DecodeJpeg(const unsigned char* data, size_t size, RgbImage& image, std::string* error)
{
    image = RgbImage {};
    if (!data || size == 0) {
        if (error)
            *error = "no data";
        return false;
    }
    jpeg_decompress_struct info {};
    ErrorManager errors {};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = FailDecoding;
    errors.base.emit_message = TreatWarningsAsErrors;
    errors.base.output_message = SilenceOutput;

    const bool ok = RunDecoder(info, errors, data, size, image);
    jpeg_destroy_decompress(&info);
    if (!ok) {
        image = RgbImage {};
        if (error)
            *error = errors.message;
    }
    return ok;
}
