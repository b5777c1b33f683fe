#include "skin/skin_format.h"

#include "zip_builder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

TEST(SkinIni, ValuesColoursAndNumbersWithFallbacks)
{
    const SkinIni ini = SkinIni::Parse("\xEF\xBB\xBF; comment\r\n"
                                       "key=outside any section\r\n"
                                       "[Menu]\r\n"
                                       "  Color = #3A4F6B  \r\n"
                                       "TEXTCOLOR=255, 0 ,16\r\n"
                                       "HotColor=#12345\r\n"
                                       "BorderColor=256,0,0\r\n"
                                       "ItemHeight=22\r\n"
                                       "FontSize=9999999999\r\n"
                                       "Margins=1,2,3,4\r\n"
                                       "Bad=1,2,x,4\r\n"
                                       "SomethingNew=whatever\r\n"
                                       "[menu]\r\n"
                                       "LineColor=0,0,0\r\n");
    EXPECT_EQ(ini.Color("menu", "color"), (SkinRgb {0x3A, 0x4F, 0x6B}));
    EXPECT_EQ(ini.Color("Menu", "TextColor"), (SkinRgb {255, 0, 16}));
    EXPECT_EQ(ini.Color("Menu", "LineColor"), (SkinRgb {0, 0, 0}));
    EXPECT_FALSE(ini.Color("Menu", "HotColor")); // five digits
    EXPECT_FALSE(ini.Color("Menu", "BorderColor")); // out of range
    EXPECT_FALSE(ini.Color("Menu", "Missing"));
    EXPECT_FALSE(ini.Value("", "key"));
    EXPECT_EQ(ini.Number("Menu", "ItemHeight", 12, 64), 22);
    EXPECT_FALSE(ini.Number("Menu", "ItemHeight", 30, 64));
    EXPECT_FALSE(ini.Number("Menu", "FontSize", 0, 100)); // too many digits
    EXPECT_EQ(ini.Numbers("Menu", "Margins", 4, 10), (std::vector<int> {1, 2, 3, 4}));
    EXPECT_FALSE(ini.Numbers("Menu", "Margins", 4, 3));
    EXPECT_FALSE(ini.Numbers("Menu", "Bad", 4, 10));
    ASSERT_NE(ini.Value("Menu", "SomethingNew"), nullptr);
}

struct BmpCase {
    const char* name;
    std::string bytes;
    bool decodes;
};

std::string WithByte(std::string bmp, size_t at, char value)
{
    bmp.replace(at, 1, 1, value);
    return bmp;
}

TEST(SkinBmp, DecodesOnlyWellFormedUncompressedImages)
{
    const std::string good = SolidBmp(3, 2, 0x10, 0x20, 0x30);
    const BmpCase cases[] = {
        {"24-bit bottom-up", good, true},
        {"not BM", WithByte(good, 0, 'X'), false},
        {"truncated pixels", good.substr(0, good.size() - 1), false},
        {"header only", good.substr(0, 30), false},
        {"8 bits per pixel", WithByte(good, 28, 8), false},
        {"RLE compressed", WithByte(good, 30, 1), false},
        {"zero width", WithByte(WithByte(good, 18, 0), 19, 0), false},
        {"huge width", WithByte(good, 21, 0x7F), false},
        {"pixel offset past the end", WithByte(good, 13, 0x10), false},
        {"info header too large", WithByte(good, 16, 0x10), false},
    };
    for (const BmpCase& c : cases) {
        auto image = DecodeBmp(c.bytes);
        EXPECT_EQ(image.has_value(), c.decodes) << c.name;
        if (image && c.decodes) {
            EXPECT_EQ(image->width, 3);
            EXPECT_EQ(image->height, 2);
            for (uint32_t px : image->pixels)
                EXPECT_EQ(px, 0xFF102030u);
        }
    }
}

TEST(SkinBmp, RowOrderFollowsTheSignOfTheHeight)
{
    // Two rows: the first stored row is red, the second blue.
    std::string bmp = SolidBmp(1, 2, 0, 0, 0);
    bmp[54 + 2] = static_cast<char>(0xFF); // stored row 0: red
    bmp[54 + 4 + 0] = static_cast<char>(0xFF); // stored row 1: blue
    auto bottomUp = DecodeBmp(bmp);
    ASSERT_TRUE(bottomUp);
    EXPECT_EQ(bottomUp->pixels[0], 0xFF0000FFu); // top row is the last stored
    EXPECT_EQ(bottomUp->pixels[1], 0xFFFF0000u);
    bmp[22] = static_cast<char>(0xFE); // height -2
    for (int i = 23; i < 26; ++i)
        bmp[static_cast<size_t>(i)] = static_cast<char>(0xFF);
    auto topDown = DecodeBmp(bmp);
    ASSERT_TRUE(topDown);
    EXPECT_EQ(topDown->pixels[0], 0xFFFF0000u);
}

TEST(SkinBuild, MissingBrokenOrAbsurdEntriesFallBackPerElement)
{
    const std::map<std::string, std::string> files = {
        {"caption.bmp", SolidBmp(12, 8, 1, 2, 3)},
        {"button.bmp", SolidBmp(50, 20, 4, 5, 6)}, // five frames of 10
        {"odd.bmp", SolidBmp(7, 4, 0, 0, 0)}, // not divisible into 4 frames
        {"broken.bmp", "BMnonsense"},
    };
    const SkinIni ini
        = SkinIni::Parse("[Skin]\nName=Test\n"
                         "[Caption]\nImage=CAPTION.BMP\nMargins=2,2,2,2\nColor=#102030\n"
                         "[Button]\nImage=button.bmp\nMargins=3,3,3,3\n"
                         "[Panel]\nImage=caption.bmp\nMargins=10,0,10,0\n"
                         "[Window]\nImage=broken.bmp\n"
                         "[Menu]\nImage=absent.bmp\nItemHeight=5000\nFont=A very long face name that cannot fit\n"
                         "[CaptionButtons]\nCloseImage=odd.bmp\nMinimizeImage=caption.bmp\nWidth=1000\n");
    const SkinPackage skin = BuildSkin(ini, files, 2048);
    EXPECT_EQ(skin.name, "Test");
    const SkinElement& caption = skin.Part(SkinPart::Caption);
    ASSERT_NE(skin.Image(caption.grid), nullptr);
    EXPECT_EQ(caption.grid.left, 2);
    EXPECT_EQ(caption.face, (SkinRgb {0x10, 0x20, 0x30}));
    EXPECT_EQ(skin.Part(SkinPart::Button).grid.states, 5);
    // The panel's margins are wider than its image: no nine-grid.
    EXPECT_EQ(skin.Image(skin.Part(SkinPart::Panel).grid), nullptr);
    EXPECT_EQ(skin.Image(skin.Part(SkinPart::Window).grid), nullptr);
    EXPECT_EQ(skin.Image(skin.Part(SkinPart::Menu).grid), nullptr);
    EXPECT_EQ(skin.menuItemHeight, 0);
    EXPECT_TRUE(skin.menuFont.empty());
    EXPECT_EQ(skin.buttons.width, 0);
    // Twelve pixels split into four caption-button frames.
    EXPECT_NE(skin.Image(skin.buttons.minimize), nullptr);
    EXPECT_EQ(skin.Image(skin.buttons.close), nullptr);
    // caption.bmp, named three times, is decoded and held once; the broken
    // and the absent file are held not at all.
    EXPECT_EQ(skin.images.size(), 3u);
    EXPECT_FALSE(skin.Part(SkinPart::MenuBar).Described());
}

TEST(SkinNames, OnlyPlainRelativeNamesAreSafe)
{
    const std::pair<const char*, bool> cases[] = {
        {"skin.ini", true},
        {"img/caption.bmp", true},
        {"a..b.bmp", true},
        {"../skin.ini", false},
        {"img/../../x", false},
        {"img\\..\\x", false},
        {"/etc/passwd", false},
        {"\\windows\\x", false},
        {"C:evil.bmp", false},
        {"", false},
        {"..", false},
    };
    for (const auto& [name, safe] : cases)
        EXPECT_EQ(IsSafeEntryName(name), safe) << name;
}

} // namespace
