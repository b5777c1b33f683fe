#include "skin/skin_format.h"

#include "zip_builder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

const char kIni[] = "[Skin]\nName=Slate\n[Menu]\nColor=#34495E\nSelectedColor=#C0392B\nImage=menu.bmp\nFuture=1\n";

std::vector<ZipMember> GoodMembers()
{
    return {{"skin.ini", kIni}, {"menu.bmp", SolidBmp(4, 4, 0x34, 0x49, 0x5E), false}};
}

TEST(SkinArchive, ReadsAGoodArchiveWithStoredAndDeflatedMembers)
{
    const SkinReadResult result = ReadSkinArchive(BuildZip(GoodMembers()));
    ASSERT_TRUE(result.skin) << static_cast<int>(result.error);
    EXPECT_EQ(result.skin->name, "Slate");
    const SkinElement& menu = result.skin->Part(SkinPart::Menu);
    EXPECT_EQ(menu.face, (SkinRgb {0x34, 0x49, 0x5E}));
    const SkinImage* image = result.skin->Image(menu.grid);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixels[0], 0xFF34495Eu);
    EXPECT_FALSE(result.skin->Part(SkinPart::Caption).Described());
}

struct RefusedCase {
    const char* name;
    std::string archive;
    SkinError error;
};

TEST(SkinArchive, RefusesWhatIsNotASafeSkin)
{
    const std::string good = BuildZip(GoodMembers());
    std::string bomb(5u << 20, 'A'); // compresses to a few kilobytes
    std::string corrupt = good;
    corrupt[40] = static_cast<char>(corrupt[40] ^ 0x55); // inside the deflated description

    const RefusedCase cases[] = {
        {"empty file", "", SkinError::NotAnArchive},
        {"plain text", "[Skin]\nName=not zipped\n", SkinError::NotAnArchive},
        {"truncated archive", good.substr(0, good.size() - 30), SkinError::NotAnArchive},
        {"no description", BuildZip({{"menu.bmp", SolidBmp(1, 1, 0, 0, 0)}}), SkinError::NoDescription},
        {"climbing name", BuildZip({{"skin.ini", kIni}, {"../evil.bmp", "x"}}), SkinError::BadEntry},
        {"absolute name", BuildZip({{"/evil", "x"}, {"skin.ini", kIni}}), SkinError::BadEntry},
        {"encrypted member", BuildZip({{"skin.ini", kIni, true, 0, 1}}), SkinError::BadEntry},
        {"huge claimed size", BuildZip({{"skin.ini", kIni, true, 0xFFFFFFF0u}}), SkinError::TooLarge},
        {"zip bomb", BuildZip({{"skin.ini", kIni}, {"bomb.bmp", bomb}}), SkinError::TooLarge},
        {"damaged member", corrupt, SkinError::BadEntry},
    };
    for (const RefusedCase& c : cases) {
        const SkinReadResult result = ReadSkinArchive(c.archive);
        EXPECT_FALSE(result.skin) << c.name;
        EXPECT_EQ(result.error, c.error) << c.name;
    }
}

TEST(SkinArchive, LimitsBoundEntriesAndTotals)
{
    std::vector<ZipMember> many = GoodMembers();
    for (int i = 0; i < 5; ++i)
        many.push_back({"extra" + std::to_string(i) + ".txt", std::string(1000, 'x')});
    SkinLimits limits;
    limits.maxEntries = 4;
    EXPECT_EQ(ReadSkinArchive(BuildZip(many), limits).error, SkinError::TooLarge);
    limits = SkinLimits {};
    limits.maxTotalBytes = 3000;
    EXPECT_EQ(ReadSkinArchive(BuildZip(many), limits).error, SkinError::TooLarge);
    limits.maxTotalBytes = 1u << 20;
    EXPECT_TRUE(ReadSkinArchive(BuildZip(many), limits).skin);
    limits.maxArchiveBytes = 100;
    EXPECT_EQ(ReadSkinArchive(BuildZip(many), limits).error, SkinError::TooLarge);
}

TEST(SkinArchive, ABadBitmapOnlyLosesItsElement)
{
    std::vector<ZipMember> members = GoodMembers();
    members[1].content = "BM" + std::string(60, '\x7F');
    const SkinReadResult result = ReadSkinArchive(BuildZip(members));
    ASSERT_TRUE(result.skin);
    EXPECT_EQ(result.skin->Image(result.skin->Part(SkinPart::Menu).grid), nullptr);
    EXPECT_TRUE(result.skin->Part(SkinPart::Menu).face);
}

TEST(SkinArchive, TheShippedSkinDescribesEveryElementItDraws)
{
    std::ifstream file(TRAYSTART_SOURCE_DIR "/data/皮肤/兰红_Slate.skn", std::ios::binary);
    ASSERT_TRUE(file) << "the shipped skin is missing";
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const SkinReadResult result = ReadSkinArchive(bytes);
    ASSERT_TRUE(result.skin) << static_cast<int>(result.error);
    const SkinPackage& skin = *result.skin;
    for (SkinPart part : {SkinPart::Caption, SkinPart::Border, SkinPart::CaptionButtons, SkinPart::MenuBar,
             SkinPart::Menu, SkinPart::Button, SkinPart::Panel, SkinPart::Window})
        EXPECT_TRUE(skin.Part(part).Described()) << SkinPartSection(part);
    // Every image it names decodes: none falls back to the system's look.
    EXPECT_NE(skin.Image(skin.Part(SkinPart::Caption).grid), nullptr);
    EXPECT_NE(skin.Image(skin.Part(SkinPart::MenuBar).grid), nullptr);
    EXPECT_NE(skin.Image(skin.Part(SkinPart::Menu).hotGrid), nullptr);
    EXPECT_EQ(skin.Part(SkinPart::Button).grid.states, 5);
    // The colours the end-to-end tests look for on the screen.
    EXPECT_EQ(skin.Part(SkinPart::Menu).face, (SkinRgb {0x2F, 0x3E, 0x52}));
    EXPECT_EQ(skin.Part(SkinPart::MenuBar).face, (SkinRgb {0x34, 0x49, 0x5E}));
    EXPECT_EQ(skin.Part(SkinPart::Window).face, (SkinRgb {0xE9, 0xED, 0xF2}));
}

} // namespace
