#include "hotkeys/tray_hide_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The count comes from the shell's process; 2^31 - 1 would read for hours.
TEST(TrayButtonCount, AHostileCountIsCappedAndANegativeOneIsNone)
{
    EXPECT_EQ(CappedTrayCount(-1), 0);
    EXPECT_EQ(CappedTrayCount(37), 37);
    EXPECT_EQ(CappedTrayCount(0x7FFFFFFF), kMaxTrayButtons);
    EXPECT_EQ(CappedTrayCount(0x80000000LL), kMaxTrayButtons);
}

TEST(TrayProtocolChoice, VersionsBelowFivePointOneReadTabs)
{
    struct Case {
        unsigned major, minor;
        TrayProtocol expected;
    };
    const Case cases[] = {
        {4, 0, TrayProtocol::Tab},
        {4, 10, TrayProtocol::Tab},
        {4, 90, TrayProtocol::Tab},
        {5, 0, TrayProtocol::Tab},
        {5, 1, TrayProtocol::Toolbar},
        {5, 2, TrayProtocol::Toolbar},
        {6, 0, TrayProtocol::Toolbar},
        {6, 1, TrayProtocol::Toolbar},
        {6, 2, TrayProtocol::Toolbar},
        // A textual comparison would put "10.0" before "5.1" and hide nothing.
        {10, 0, TrayProtocol::Toolbar},
        {11, 0, TrayProtocol::Toolbar},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseTrayProtocol(c.major, c.minor), c.expected) << c.major << "." << c.minor;
}

TEST(TrayTextCompare, IgnoresAsciiCaseOnly)
{
    EXPECT_TRUE(TrayTextsEqual("QQ", "qq"));
    EXPECT_TRUE(TrayTextsEqual("Volume 50%", "vOLUME 50%"));
    EXPECT_TRUE(TrayTextsEqual("", ""));
    EXPECT_TRUE(TrayTextsEqual("音量", "音量"));
    EXPECT_FALSE(TrayTextsEqual("音量", "网络"));
    EXPECT_FALSE(TrayTextsEqual("QQ", "QQ "));
    EXPECT_FALSE(TrayTextsEqual("a", ""));
    // Only A-Z fold: '@' and '`' sit next to the letters and stay apart.
    EXPECT_FALSE(TrayTextsEqual("@", "`"));
    EXPECT_FALSE(TrayTextsEqual("[", "{"));
    // Bytes above 0x7F are compared exactly.
    EXPECT_FALSE(TrayTextsEqual("\xC4", "\xE4"));
}

TEST(TrayButtonLookup, FirstMatchCountedFromTheEnd)
{
    const std::vector<std::string> texts = {"Alpha", "QQ", "qq", "音量", "Zeta"};
    EXPECT_EQ(TrayButtonIndexOf(texts, "Alpha"), 4);
    EXPECT_EQ(TrayButtonIndexOf(texts, "qq"), 3);
    EXPECT_EQ(TrayButtonIndexOf(texts, "QQ"), 3);
    EXPECT_EQ(TrayButtonIndexOf(texts, "音量"), 1);
    EXPECT_EQ(TrayButtonIndexOf(texts, "zeta"), 0);
    EXPECT_EQ(TrayButtonIndexOf(texts, "missing"), -1);
    EXPECT_EQ(TrayButtonIndexOf({}, ""), -1);
}

TEST(TrayPassIds, HidingAndRestoringSequences)
{
    const std::vector<std::string> texts = {"Alpha", "QQ", "qq", "音量", "Zeta"};
    EXPECT_EQ(HidingPassIds(texts), (std::vector<int> {5, 4, 4, 3, 4, 3, 2, 1, 1, 0}));
    EXPECT_EQ(RestoringPassIds(texts), (std::vector<int> {4, 3, 3, 1, 0}));
    EXPECT_TRUE(HidingPassIds({}).empty());
    EXPECT_TRUE(RestoringPassIds({}).empty());
}

TEST(TrayPassIds, IdsLeftHiddenAfterTheShowMessages)
{
    struct Case {
        std::vector<int> hidden, shown, expected;
    };
    const Case cases[] = {
        // The case-equal neighbour (2) and the identifier past the end (5).
        {{5, 4, 4, 3, 4, 3, 2, 1, 1, 0}, {4, 3, 3, 1, 0}, {5, 2}},
        {{3, 2, 2, 1, 1, 0}, {2, 1, 0}, {3}},
        {{}, {1, 2}, {}},
        {{0, -1, 0, -1}, {}, {0, -1}},
        {{7, 7, 7}, {7}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IdsLeftHidden(c.hidden, c.shown), c.expected);
}

TEST(TrayShellBitness, SixtyFourBitShellUnlessItRunsUnderWow64)
{
    EXPECT_FALSE(ShellIs64Bit(false, false, false)); // 32-bit system
    EXPECT_TRUE(ShellIs64Bit(false, true, false)); // 32-bit program, 64-bit shell
    EXPECT_FALSE(ShellIs64Bit(false, true, true)); // 32-bit shell on a 64-bit system
    EXPECT_TRUE(ShellIs64Bit(true, false, false));
    EXPECT_FALSE(ShellIs64Bit(true, false, true));
}

TEST(TrayBlockLayout, TextNeverOverlapsTheRecord)
{
    for (TrayProtocol protocol : {TrayProtocol::Toolbar, TrayProtocol::Tab}) {
        for (bool shell64 : {false, true}) {
            const TrayBlockLayout layout = TrayBlockLayoutFor(protocol, shell64);
            EXPECT_GE(layout.textOffset, layout.recordSize);
            EXPECT_LE(layout.textOffset + kTrayTextRead, kTrayBlockSize);
            EXPECT_LE(layout.textOffset + layout.textCapacity, kTrayBlockSize);
        }
    }
    EXPECT_EQ(TrayBlockLayoutFor(TrayProtocol::Toolbar, false).recordSize, 20u);
    EXPECT_EQ(TrayBlockLayoutFor(TrayProtocol::Toolbar, false).textOffset, 20u);
    EXPECT_EQ(TrayBlockLayoutFor(TrayProtocol::Toolbar, true).recordSize, 32u);
    EXPECT_EQ(TrayBlockLayoutFor(TrayProtocol::Tab, false).recordSize, 28u);
    EXPECT_EQ(TrayBlockLayoutFor(TrayProtocol::Tab, true).recordSize, 40u);
    EXPECT_EQ(TrayBlockLayoutFor(TrayProtocol::Tab, true).textOffset, 112u);
}

TEST(TrayRecords, CommandIdAndTabItem)
{
    std::vector<unsigned char> button(20, 0);
    button[4] = 0xFE;
    button[5] = 0xFF;
    button[6] = 0xFF;
    button[7] = 0xFF;
    EXPECT_EQ(ButtonRecordCommandId(button), -2);
    button[4] = 7;
    button[5] = 1;
    button[6] = button[7] = 0;
    EXPECT_EQ(ButtonRecordCommandId(button), 263);
    EXPECT_EQ(ButtonRecordCommandId({1, 2, 3}), 0);

    const std::vector<unsigned char> item32 = TabItemRecord(0x12345678u, false);
    ASSERT_EQ(item32.size(), 28u);
    EXPECT_EQ(item32[0], 1);
    EXPECT_EQ((std::vector<unsigned char>(item32.begin() + 12, item32.begin() + 20)),
        (std::vector<unsigned char> {0x78, 0x56, 0x34, 0x12, 0x00, 0x08, 0, 0}));
    const std::vector<unsigned char> item64 = TabItemRecord(0x1122334455667788ull, true);
    ASSERT_EQ(item64.size(), 40u);
    EXPECT_EQ(item64[0], 1);
    EXPECT_EQ((std::vector<unsigned char>(item64.begin() + 16, item64.begin() + 28)),
        (std::vector<unsigned char> {0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11, 0x00, 0x08, 0, 0}));
}

TEST(TrayRecords, TextStopsAtZeroAndAtTheLimit)
{
    std::vector<char> buffer(kTrayTextRead, 'x');
    EXPECT_EQ(TrayTextFromBuffer(buffer), std::string(1024, 'x'));
    buffer[3] = '\0';
    EXPECT_EQ(TrayTextFromBuffer(buffer), "xxx");
    EXPECT_EQ(TrayTextFromBuffer(std::vector<char>(2, 'a')), "aa");
    EXPECT_EQ(TrayTextFromBuffer({}), "");
}

} // namespace
