// Registration of the global hotkeys against the real window manager.
#include "hotkeys/hotkeys.h"

#include <gtest/gtest.h>

namespace {

class Window {
public:
    Window()
        : hwnd_(::CreateWindowExA(0, "STATIC", "hotkey test", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr))
    {
    }
    ~Window() { ::DestroyWindow(hwnd_); }
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_;
};

// Whether another window can take the combination now (and gives it back).
bool Free(unsigned modifiers, unsigned key)
{
    Window other;
    if (!::RegisterHotKey(other.Get(), 0x3000, modifiers, key))
        return false;
    ::UnregisterHotKey(other.Get(), 0x3000);
    return true;
}

TEST(GlobalHotKeys, EachHotKeyIsHeldUnderItsAtomsIdentifierAndGivenBackWithTheAtom)
{
    const struct {
        HotKey hotKey;
        const char* atom;
        unsigned modifiers, key;
    } cases[] = {
        {HotKey::Hide, "UserDefineHotKey", MOD_ALT, 'L'},
        {HotKey::Switch, "UserqiehuanzuomianHotKey", 0, VK_F11},
        {HotKey::SwitchCtrl, "UserqiehuanzuomianHotKey", MOD_CONTROL, VK_F11},
    };
    for (const auto& c : cases) {
        Window window;
        GlobalHotKeys hotKeys;
        ASSERT_TRUE(Free(c.modifiers, c.key)) << c.atom << " is held by another program";
        if (::GlobalFindAtomA(c.atom))
            GTEST_SKIP() << c.atom << " is an atom of another program";
        hotKeys.Register(window.Get(), c.hotKey);
        const ATOM atom = ::GlobalFindAtomA(c.atom);
        ASSERT_NE(atom, 0) << c.atom;
        EXPECT_EQ(hotKeys.Id(c.hotKey), atom - 0xC000);
        EXPECT_FALSE(Free(c.modifiers, c.key)) << c.atom;

        hotKeys.Unregister(window.Get(), c.hotKey);
        EXPECT_TRUE(Free(c.modifiers, c.key)) << c.atom;
        EXPECT_EQ(::GlobalFindAtomA(c.atom), 0) << c.atom << " was not released";

        // Again: the same identifier.
        const int id = hotKeys.Id(c.hotKey);
        hotKeys.Register(window.Get(), c.hotKey);
        EXPECT_EQ(hotKeys.Id(c.hotKey), id);
        EXPECT_FALSE(Free(c.modifiers, c.key));
        hotKeys.Unregister(window.Get(), c.hotKey);
    }
}

TEST(GlobalHotKeys, ACombinationAnotherProgramHoldsStaysTheirsAndNothingBreaks)
{
    if (::GlobalFindAtomA("UserDefineHotKey"))
        GTEST_SKIP() << "the atom belongs to another program";
    Window theirs, ours;
    ASSERT_TRUE(::RegisterHotKey(theirs.Get(), 0x3001, MOD_ALT, 'L'));
    {
        GlobalHotKeys hotKeys;
        hotKeys.Register(ours.Get(), HotKey::Hide);
        // Their registration is untouched; ours failed without a word.
        EXPECT_TRUE(::UnregisterHotKey(theirs.Get(), 0x3001));
        EXPECT_TRUE(Free(MOD_ALT, 'L')) << "the failed registration was retried or kept";
        hotKeys.Unregister(ours.Get(), HotKey::Hide);
        EXPECT_EQ(::GlobalFindAtomA("UserDefineHotKey"), 0) << "the atom was not released";
        // Free again, it is ours the next time.
        hotKeys.Register(ours.Get(), HotKey::Hide);
        EXPECT_FALSE(Free(MOD_ALT, 'L'));
        hotKeys.Unregister(ours.Get(), HotKey::Hide);
    }
}

TEST(GlobalHotKeys, UnregisteringWhatWasNeverRegisteredReleasesNobodysAtom)
{
    Window window;
    if (::GlobalFindAtomA("UserDefineHotKey"))
        GTEST_SKIP() << "the atom belongs to another program";
    // Another holder of the same name, as a second copy of the program would be.
    const ATOM theirs = ::GlobalAddAtomA("UserDefineHotKey");
    ASSERT_NE(theirs, 0);
    {
        GlobalHotKeys hotKeys;
        hotKeys.Unregister(window.Get(), HotKey::Hide);
        hotKeys.Unregister(window.Get(), HotKey::Switch);
        // Registered twice, given back once: one reference was taken.
        hotKeys.Register(window.Get(), HotKey::Hide);
        hotKeys.Register(window.Get(), HotKey::Hide);
        hotKeys.Unregister(window.Get(), HotKey::Hide);
        hotKeys.Unregister(window.Get(), HotKey::Hide);
    }
    EXPECT_EQ(::GlobalFindAtomA("UserDefineHotKey"), theirs);
    ::GlobalDeleteAtom(theirs);
    EXPECT_EQ(::GlobalFindAtomA("UserDefineHotKey"), 0);
}

TEST(GlobalHotKeys, AnAtomStillHeldIsGivenBackWhenTheComponentGoes)
{
    if (::GlobalFindAtomA("UserqiehuanzuomianHotKey"))
        GTEST_SKIP() << "the atom belongs to another program";
    {
        Window window;
        GlobalHotKeys hotKeys;
        hotKeys.Register(window.Get(), HotKey::Switch);
        ASSERT_NE(::GlobalFindAtomA("UserqiehuanzuomianHotKey"), 0);
    }
    EXPECT_EQ(::GlobalFindAtomA("UserqiehuanzuomianHotKey"), 0);
}

} // namespace
