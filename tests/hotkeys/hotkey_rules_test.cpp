// The hotkey table, identifiers from atoms, and what a WM_HOTKEY does.
#include "hotkeys/hotkey_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(HotKeyRules, TheThreeHotKeysAndTheirAtoms)
{
    const struct {
        HotKey hotKey;
        const char* atom;
        unsigned modifiers, key;
    } cases[] = {
        {HotKey::Hide, "UserDefineHotKey", 1, 0x4C},
        {HotKey::Switch, "UserqiehuanzuomianHotKey", 0, 0x7A},
        {HotKey::SwitchCtrl, "UserqiehuanzuomianHotKey", 2, 0x7A},
    };
    for (const auto& c : cases) {
        const HotKeySpec keyDef = HotKeySpecOf(c.hotKey);
        EXPECT_STREQ(keyDef.atomName, c.atom);
        EXPECT_EQ(keyDef.modifiers, c.modifiers);
        EXPECT_EQ(keyDef.key, c.key);
    }
}

TEST(HotKeyRules, IdentifiersAreTheAtomsOffsetInTheStringAtomRange)
{
    const struct {
        std::uint16_t atom;
        int id;
    } cases[] = {{0xC000, 0}, {0xC001, 1}, {0xC123, 0x123}, {0xFFFF, 0x3FFF}};
    for (const auto& c : cases) {
        EXPECT_EQ(HotKeyIdFromAtom(c.atom), c.id);
        EXPECT_EQ(AtomFromHotKeyId(c.id), c.atom);
    }
}

TEST(HotKeyRules, OnlyTheWindowsSevenInstanceOnDesk2UsesCtrlF11)
{
    EXPECT_EQ(SwitchHotKeyFor("win7", "Desk2"), HotKey::SwitchCtrl);
    EXPECT_EQ(SwitchHotKeyFor("win7", "Default"), HotKey::Switch);
    EXPECT_EQ(SwitchHotKeyFor("winXP", "Desk2"), HotKey::Switch);
    EXPECT_EQ(SwitchHotKeyFor("winVista", "Desk2"), HotKey::Switch);
    EXPECT_EQ(SwitchHotKeyFor("Win7", "Desk2"), HotKey::Switch);
    EXPECT_EQ(SwitchHotKeyFor("win7", "desk2"), HotKey::Switch);
}

HotKeyState State(bool hidden, const char* version, const char* own, bool defaultChecked)
{
    HotKeyState s;
    s.trayIconsHidden = hidden;
    s.winVersionName = version;
    s.ownDesktopName = own;
    s.defaultDesktopChecked = defaultChecked;
    return s;
}

TEST(HotKeyRules, DispatchByModifiersKeyVersionOwnDesktopAndMarks)
{
    using A = HotKeyAction;
    const struct {
        unsigned modifiers, key;
        HotKeyState state;
        HotKeyAction expected;
    } cases[] = {
        // Alt+L toggles the hiding.
        {1, 0x4C, State(false, "winXP", "Default", true), A::HideTrayIcons},
        {1, 0x4C, State(true, "winXP", "Default", true), A::RestoreTrayIcons},
        {1, 0x4C, State(true, "win7", "Desk2", false), A::RestoreTrayIcons},
        // Only Alt exactly.
        {3, 0x4C, State(false, "winXP", "Default", true), A::None},
        {0, 0x4C, State(false, "winXP", "Default", true), A::None},
        {1, 0x4D, State(false, "winXP", "Default", true), A::None},
        // F11 off Windows 7 follows the marks, whatever the own desktop.
        {0, 0x7A, State(false, "winXP", "Default", true), A::SwitchToDesk2},
        {0, 0x7A, State(false, "winXP", "Default", false), A::SwitchToDefault},
        {0, 0x7A, State(false, "winVista", "Desk2", true), A::SwitchToDesk2},
        // Ctrl+F11 (or any modifiers) is taken like F11.
        {2, 0x7A, State(false, "winXP", "Default", false), A::SwitchToDefault},
        {2, 0x7A, State(false, "winXP", "Default", true), A::SwitchToDesk2},
        {7, 0x7A, State(false, "winXP", "Default", true), A::SwitchToDesk2},
        // On Windows 7 always to the other desktop, marks ignored.
        {0, 0x7A, State(false, "win7", "Default", false), A::SwitchToDesk2},
        {0, 0x7A, State(false, "win7", "Default", true), A::SwitchToDesk2},
        {2, 0x7A, State(false, "win7", "Desk2", true), A::SwitchToDefault},
        {2, 0x7A, State(false, "win7", "Desk2", false), A::SwitchToDefault},
        {2, 0x7A, State(false, "win7", "default", true), A::SwitchToDefault},
        // Nothing else.
        {0, 0x7B, State(false, "winXP", "Default", true), A::None},
        {1, 0x7B, State(false, "win7", "Default", true), A::None},
        {0, 0, State(false, "winXP", "Default", true), A::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HotKeyActionFor(c.modifiers, c.key, c.state), c.expected)
            << "modifiers " << c.modifiers << " key " << c.key << " " << c.state.winVersionName << " "
            << c.state.ownDesktopName;
}

} // namespace
