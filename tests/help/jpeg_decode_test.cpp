// The JPEG decoder: pictures come out as the pixels that went in, and broken
// data is refused without ending the process.
#include "help/jpeg_decode.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <jpeglib.h>

#ifdef _WIN32
#include "support/harness.h"
#endif

namespace {

using Bytes = std::vector<unsigned char>;

struct Colour {
    int r, g, b;
};

// A test picture in four flat quadrants; `components` 3 = colour, 1 = grey.
Bytes Encode(int width, int height, int components, const std::vector<Colour>& quadrants)
{
    std::vector<unsigned char> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Colour& c = quadrants[(y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1)];
            if (components == 3) {
                pixels.push_back(static_cast<unsigned char>(c.r));
                pixels.push_back(static_cast<unsigned char>(c.g));
                pixels.push_back(static_cast<unsigned char>(c.b));
            } else {
                pixels.push_back(static_cast<unsigned char>(c.r));
            }
        }
    jpeg_compress_struct info {};
    jpeg_error_mgr errors {};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = pixels.data() + static_cast<size_t>(info.next_scanline) * width * components;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    Bytes bytes(out, out + outSize);
    jpeg_destroy_compress(&info);
    std::free(out);
    return bytes;
}

const std::vector<Colour> kQuadrants = {{200, 40, 40}, {40, 200, 40}, {40, 40, 200}, {230, 230, 60}};

void ExpectNear(const RgbImage& image, int x, int y, Colour want, int tolerance = 12)
{
    const unsigned char* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 3;
    EXPECT_NEAR(p[0], want.r, tolerance) << "red at " << x << "," << y;
    EXPECT_NEAR(p[1], want.g, tolerance) << "green at " << x << "," << y;
    EXPECT_NEAR(p[2], want.b, tolerance) << "blue at " << x << "," << y;
}

bool Decodes(const Bytes& bytes, RgbImage& image, std::string* error = nullptr)
{
    return DecodeJpeg(bytes.data(), bytes.size(), image, error);
}

// The offset of the first byte after the start-of-scan segment.
size_t ScanDataStart(const Bytes& jpeg)
{
    for (size_t i = 2; i + 3 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA)
            return i + 2 + (static_cast<size_t>(jpeg[i + 2]) << 8 | jpeg[i + 3]);
    return 0;
}

// The offset of the start-of-frame segment's marker.
size_t FrameStart(const Bytes& jpeg)
{
    for (size_t i = 2; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2))
            return i;
    return 0;
}

std::string ReadRepositoryFile(const std::string& relative)
{
#ifdef _WIN32
    const std::string path = harness::SourcePath(relative);
#else
    const std::string path = std::string(TRAYSTART_SOURCE_DIR) + "/" + relative;
#endif
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(JpegDecode, ColourAndGreyPicturesComeOutAsRgbRowsTopDown)
{
    RgbImage image;
    ASSERT_TRUE(Decodes(Encode(48, 32, 3, kQuadrants), image));
    EXPECT_EQ(image.width, 48);
    EXPECT_EQ(image.height, 32);
    ASSERT_EQ(image.pixels.size(), 48u * 32u * 3u);
    ExpectNear(image, 6, 6, kQuadrants[0]);
    ExpectNear(image, 42, 6, kQuadrants[1]);
    ExpectNear(image, 6, 26, kQuadrants[2]);
    ExpectNear(image, 42, 26, kQuadrants[3]);

    const std::vector<Colour> greys = {{30, 30, 30}, {90, 90, 90}, {160, 160, 160}, {240, 240, 240}};
    ASSERT_TRUE(Decodes(Encode(17, 9, 1, greys), image)); // odd sizes: no padding in the rows
    EXPECT_EQ(image.width, 17);
    EXPECT_EQ(image.height, 9);
    ASSERT_EQ(image.pixels.size(), 17u * 9u * 3u);
    ExpectNear(image, 1, 1, greys[0], 16);
    ExpectNear(image, 16, 8, greys[3], 16);
}

TEST(JpegDecode, TheAboutPictureIsTheLandscapeOfTheDrawing)
{
    const std::string file = ReadRepositoryFile("res/about.jpg");
    ASSERT_FALSE(file.empty());
    RgbImage image;
    ASSERT_TRUE(DecodeJpeg(reinterpret_cast<const unsigned char*>(file.data()), file.size(), image));
    EXPECT_EQ(image.width, 144);
    EXPECT_EQ(image.height, 90);
    // The flat areas of tools/draw_about_picture.py: sky, sun, hills, field.
    ExpectNear(image, 20, 10, {0x8C, 0xC8, 0xF0}, 16);
    ExpectNear(image, 112, 22, {0xFF, 0xD2, 0x3C}, 16);
    ExpectNear(image, 70, 50, {0x5A, 0x78, 0x96}, 16);
    ExpectNear(image, 79, 75, {0x3C, 0x9A, 0x3C}, 24);
}

TEST(JpegDecode, EveryTruncationIsRefusedWithAnEmptyImage)
{
    const Bytes whole = Encode(40, 24, 3, kQuadrants);
    RgbImage image;
    ASSERT_TRUE(Decodes(whole, image));
    // Cutting anywhere, even just the closing marker, must not hand out the
    // library's grey filler as a picture.
    for (size_t length = 0; length + 2 <= whole.size(); ++length) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        std::string error;
        EXPECT_FALSE(Decodes(cut, image, &error)) << "length " << length;
        EXPECT_TRUE(image.pixels.empty() && image.width == 0 && image.height == 0) << "length " << length;
        EXPECT_FALSE(error.empty()) << "length " << length;
    }
}

TEST(JpegDecode, CorruptHeadersAndDataAreRefused)
{
    const Bytes good = Encode(40, 24, 3, kQuadrants);
    const size_t frame = FrameStart(good);
    const size_t scan = ScanDataStart(good);
    ASSERT_GT(frame, 0u);
    ASSERT_GT(scan, 0u);

    struct Case {
        const char* what;
        void (*change)(Bytes&, size_t frame, size_t scan);
    };
    const Case cases[] = {
        {"not a JPEG at all",
            [](Bytes& b, size_t, size_t) {
                b[0] = 'G';
                b[1] = 'I';
            }},
        {"zero height",
            [](Bytes& b, size_t f, size_t) {
                b[f + 5] = 0;
                b[f + 6] = 0;
            }},
        {"larger than the limit",
            [](Bytes& b, size_t f, size_t) {
                b[f + 5] = 0xFF;
                b[f + 6] = 0xF0;
                b[f + 7] = 0xFF;
                b[f + 8] = 0xF0;
            }},
        {"unknown component count", [](Bytes& b, size_t f, size_t) { b[f + 9] = 7; }},
        {"end marker inside the scan",
            [](Bytes& b, size_t, size_t s) {
                b[s + 4] = 0xFF;
                b[s + 5] = 0xD9;
            }},
        {"restart marker out of place",
            [](Bytes& b, size_t, size_t s) {
                b[s + 3] = 0xFF;
                b[s + 4] = 0xD3;
            }},
        {"segment length past the end",
            [](Bytes& b, size_t f, size_t) {
                b[f + 2] = 0xFF;
                b[f + 3] = 0xFF;
            }},
    };
    for (const Case& c : cases) {
        Bytes bytes = good;
        c.change(bytes, frame, scan);
        RgbImage image;
        std::string error;
        EXPECT_FALSE(Decodes(bytes, image, &error)) << c.what;
        EXPECT_TRUE(image.pixels.empty()) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }

    RgbImage image;
    EXPECT_FALSE(DecodeJpeg(nullptr, 0, image));
    const Bytes noise(300, 0xA5);
    EXPECT_FALSE(Decodes(noise, image));
}

} // namespace
