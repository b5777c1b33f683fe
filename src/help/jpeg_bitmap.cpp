#include "help/jpeg_bitmap.h"

HBITMAP BitmapFromRgb(const RgbImage& image)
{
    if (image.width <= 0 || image.height <= 0)
        return nullptr;
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // rows top to bottom, like the decoder's
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits)
        return bitmap;
    // DIB rows are blue-green-red and padded to four bytes.
    const size_t stride = (static_cast<size_t>(image.width) * 3 + 3) & ~static_cast<size_t>(3);
    auto* out = static_cast<unsigned char*>(bits);
    for (int y = 0; y < image.height; ++y) {
        const unsigned char* from = image.pixels.data() + static_cast<size_t>(y) * image.width * 3;
        unsigned char* to = out + static_cast<size_t>(y) * stride;
        for (int x = 0; x < image.width; ++x) {
            to[x * 3] = from[x * 3 + 2];
            to[x * 3 + 1] = from[x * 3 + 1];
            to[x * 3 + 2] = from[x * 3];
        }
    }
    ::GdiFlush();
    return bitmap;
}

HBITMAP BitmapFromJpeg(const void* data, size_t size)
{
    RgbImage image;
    if (!DecodeJpeg(static_cast<const unsigned char*>(data), size, image))
        return nullptr;
    return BitmapFromRgb(image);
}

HBITMAP LoadJpegResource(HMODULE module, int id)
{
    HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(id), RT_RCDATA);
    if (!resource)
        return nullptr;
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    const DWORD size = ::SizeofResource(module, resource);
    if (!data || size == 0)
        return nullptr;
    return BitmapFromJpeg(data, size);
}
