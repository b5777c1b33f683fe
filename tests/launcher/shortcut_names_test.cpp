// Captions, path splitting and the column-break rule of the shortcut trees.
// GBK texts are written as bytes: this file is also built on the host.
#include "launcher/shortcut_names.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// "淺" is 0x9C 0x5C in GBK: its second byte is the byte of "\".
#define GBK_TRAIL_5C "\x9c\x5c"

std::vector<int> BreakEntries(int entries)
{
    std::vector<int> breaks;
    for (int entry = 1; entry <= entries; ++entry)
        if (StartsNewColumn(2 * entry - 1)) // the entry, after the separators of all earlier ones
            breaks.push_back(entry);
    return breaks;
}

TEST(StartsNewColumn, BreaksEvery21EntriesFrom22ThenShiftsAfter484)
{
    const std::vector<int> expected = {22, 43, 64, 85, 106, 127, 148, 169, 190, 211, 232, 253, 274, 295, 316, 337, 358,
        379, 400, 421, 442, 463, 484, 527, 548, 569, 590, 611, 632, 653, 674, 695};
    EXPECT_EQ(BreakEntries(700), expected);
}

TEST(StartsNewColumn, NeverBreaksAnEmptyOrNegativeCount)
{
    for (int count : {-3, -1, 0})
        EXPECT_FALSE(StartsNewColumn(count)) << count;
}

struct CaptionCase {
    const char* input;
    const char* expected;
};

TEST(ShortcutCaption, DropsTheTextFromTheLastDot)
{
    const CaptionCase cases[] = {
        {"Word.lnk", "Word"}, {"a.b.lnk", "a.b"}, {"Tools.lnk", "Tools"}, {".lnk", ""},
        {"no extension", "no extension"}, {"A & B 100% .lnk", "A & B 100% "}, {GBK_TRAIL_5C ".lnk", GBK_TRAIL_5C},
        {"\xb1\xed\xb8\xf1.lnk", "\xb1\xed\xb8\xf1"}, // 表格
    };
    for (const CaptionCase& c : cases)
        EXPECT_EQ(ShortcutCaption(c.input), c.expected) << c.input;
}

TEST(FolderCaption, IsTheTextAfterTheLastBackslashOrColon)
{
    const CaptionCase cases[] = {
        {"C:\\a\\Games", "Games"}, {"C:\\a\\Games\\", ""}, // a folder found only as "name\"
        {"C:\\a\\x.\\", ""}, {"C:", ""}, {"D:x", "x"}, {"plain", "plain"}, {"", ""},
        {"C:\\a\\" GBK_TRAIL_5C, GBK_TRAIL_5C}, {"C:\\a\\" GBK_TRAIL_5C "b", GBK_TRAIL_5C "b"},
        {"C:\\" GBK_TRAIL_5C "\\" GBK_TRAIL_5C GBK_TRAIL_5C, GBK_TRAIL_5C GBK_TRAIL_5C},
        {"C:\\a\\b\x9c", "b\x9c"}, // a cut-off lead byte at the end stays
    };
    for (const CaptionCase& c : cases)
        EXPECT_EQ(FolderCaption(c.input), c.expected) << c.input;
}

bool NoLeadBytes(unsigned char) { return false; }

TEST(FolderCaption, FollowsTheGivenCodePage)
{
    // In a single-byte code page 0xE9 is a letter of its own.
    EXPECT_EQ(FolderCaption("C:\\a\xe9\\b", NoLeadBytes), "b");
    EXPECT_EQ(FolderCaption("C:\\a\xe9\\b"), "a\xe9\\b");
}

TEST(EndsWithBackslash, LooksAtTheLastCharacterNotTheLastByte)
{
    const struct {
        const char* path;
        bool expected;
    } cases[] = {
        {"C:\\a\\", true},
        {"C:\\a", false},
        {"\\", true},
        {"", false},
        {"C:\\" GBK_TRAIL_5C, false},
        {"C:\\" GBK_TRAIL_5C "\\", true},
        {GBK_TRAIL_5C GBK_TRAIL_5C, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EndsWithBackslash(c.path), c.expected) << c.path;
    EXPECT_TRUE(EndsWithBackslash("C:\\" GBK_TRAIL_5C, NoLeadBytes));
}

TEST(FindLastCharOf, SkipsTrailBytesAndFindsTheLastOfSeveralCharacters)
{
    EXPECT_EQ(FindLastCharOf("a:b\\c", "\\:"), 3u);
    EXPECT_EQ(FindLastCharOf("a\\b:c", "\\:"), 3u);
    EXPECT_EQ(FindLastCharOf(GBK_TRAIL_5C GBK_TRAIL_5C, "\\"), std::string::npos);
    EXPECT_EQ(FindLastCharOf("abc", "\\"), std::string::npos);
}

} // namespace
