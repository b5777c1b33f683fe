// Typing a letter in a shortcut menu: the pinyin initials of GBK characters
// and the choice of the entry. GBK texts are written as bytes: this file is
// also built on the host.
#include "launcher/type_ahead.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

LetterSet Letters(const char* letters)
{
    LetterSet set = 0;
    for (const char* p = letters; *p; ++p)
        set |= LetterOf(*p);
    return set;
}

LetterSet InitialsOf(const char* text) { return TypingInitials(text, std::strlen(text)); }

TEST(TypingInitials, ChineseCharactersGiveTheirReadingsInitials)
{
    EXPECT_EQ(InitialsOf("\xbc\xc7\xca\xc2\xb1\xbe"), Letters("j")); // 记事本 (level 1)
    EXPECT_EQ(InitialsOf("\xbc\xc6\xcb\xe3\xc6\xf7"), Letters("j")); // 计算器
    EXPECT_EQ(InitialsOf("\xbb\xad\xcd\xbc"), Letters("h")); // 画图
    EXPECT_EQ(InitialsOf("\xd8\xa1"), Letters("c")); // 亍 (level 2, chù)
    EXPECT_EQ(InitialsOf("\x81\x40"), Letters("k")); // 丂 (beyond GB2312, kǎo)
    EXPECT_EQ(InitialsOf("\xd6\xd8"), Letters("zc")); // 重: zhòng and chóng
    EXPECT_EQ(InitialsOf("\xd0\xd0"), Letters("xh")); // 行: xíng and háng
}

TEST(TypingInitials, LettersMatchEitherCaseAndOtherTextNothing)
{
    EXPECT_EQ(InitialsOf("Zeta"), Letters("z"));
    EXPECT_EQ(InitialsOf("zeta"), Letters("z"));
    EXPECT_EQ(InitialsOf("7-Zip"), 0u);
    EXPECT_EQ(InitialsOf("\xa1\xa1x"), 0u); // an ideographic space is no character with a reading
    EXPECT_EQ(InitialsOf("\x80"), 0u); // no lead byte of GBK
    EXPECT_EQ(TypingInitials("\xbc\xc7", 1), 0u); // the trail byte cut off
    EXPECT_EQ(InitialsOf("\xbc\x7f"), 0u); // 0x7F is never a trail byte
    EXPECT_EQ(TypingInitials(nullptr, 0), 0u);
    EXPECT_EQ(LetterOf('5'), 0u);
}

struct ChoiceCase {
    const char* name;
    std::vector<LetterSet> entries;
    int selected;
    char key;
    int index;
    bool execute;
};

TEST(ChooseTypeAhead, SelectsTheNextMatchStartsAUniqueOneAndKeepsTheSelectionOtherwise)
{
    const LetterSet j = Letters("j"), h = Letters("h"), z = Letters("z"), jz = Letters("jz");
    const std::vector<ChoiceCase> cases = {
        {"first match from no selection", {h, 0, j, 0, j, 0}, -1, 'j', 2, false},
        {"the same letter moves on", {h, 0, j, 0, j, 0}, 2, 'j', 4, false},
        {"wraps around after the last match", {h, 0, j, 0, j, 0}, 4, 'J', 2, false},
        {"a polyphonic entry matches each initial", {jz, 0, z, 0}, 2, 'j', 0, true},
        {"a unique match starts even when selected", {h, 0, j, 0}, 2, 'j', 2, true},
        {"a unique match starts", {h, 0, j, 0, j, 0}, 4, 'h', 0, true},
        {"no match keeps the selection", {h, 0, j, 0}, 2, 'q', -1, false},
        {"a key that is no letter", {h, 0, j, 0}, 0, '1', -1, false},
        {"an empty menu", {}, -1, 'a', -1, false},
    };
    for (const ChoiceCase& c : cases) {
        const TypeAheadChoice choice = ChooseTypeAhead(c.entries, c.selected, c.key);
        EXPECT_EQ(choice.index, c.index) << c.name;
        EXPECT_EQ(choice.execute, c.execute) << c.name;
    }
}

} // namespace
