// The main window's hotkey handling: registration from the option items and
// the dispatch of WM_HOTKEY, with outward calls recorded.
#include "form_fixture.h"

#include "desktops/desktops.h"
#include "framework/errors.h"

#include <utility>

namespace {

class HotKeyForm : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        // The switch target must exist to be opened.
        desk2_ = ::CreateDesktopA("Desk2", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        ASSERT_NE(desk2_, nullptr);
    }
    void TearDown() override
    {
        FormTest::TearDown();
        ::CloseDesktop(desk2_);
    }

    // Sends WM_HOTKEY as the window manager does and returns the result.
    LRESULT Press(unsigned modifiers, unsigned key, LRESULT before = 0)
    {
        LRESULT result = before;
        form->HotKeyMessage(0, MAKELPARAM(modifiers, key), result);
        return result;
    }
    std::vector<std::string> Calls() const
    {
        std::vector<std::string> kinds;
        for (const RecordedCall& call : os.calls)
            kinds.push_back(call.what == "SwitchDesktop" ? call.what + ":" + call.text : call.what);
        return kinds;
    }

    HDESK desk2_ = nullptr;
};

using Kinds = std::vector<std::string>;

TEST_F(HotKeyForm, F11OffWindowsSevenTogglesByTheMarksAndMovesThem)
{
    TForm1& f = Design();
    f.WinVersionName = "winXP";
    f.InstanceDesktop = "Default";
    EXPECT_EQ(Press(0, VK_F11), 1);
    EXPECT_EQ(Calls(), (Kinds {"Beep", "SwitchDesktop:Desk2"}));
    EXPECT_EQ(os.calls[0].number, 0);
    EXPECT_TRUE(f.zuomian2->Checked());
    EXPECT_FALSE(f.morenzuomian->Checked());

    // Ctrl+F11 is taken like F11: back to Default.
    os.calls.clear();
    EXPECT_EQ(Press(MOD_CONTROL, VK_F11), 1);
    EXPECT_EQ(Calls(), (Kinds {"Beep", "SwitchDesktop:Default"}));
    EXPECT_TRUE(f.morenzuomian->Checked());
    EXPECT_FALSE(f.zuomian2->Checked());
}

TEST_F(HotKeyForm, OnWindowsSevenF11TargetsTheOtherDesktopOfTheInstanceAndLeavesTheMarks)
{
    TForm1& f = Design();
    f.WinVersionName = "win7";
    f.InstanceDesktop = "Default";
    f.morenzuomian->SetChecked(false);
    f.zuomian2->SetChecked(true);
    for (int press = 0; press < 2; ++press) {
        os.calls.clear();
        EXPECT_EQ(Press(0, VK_F11), 1);
        EXPECT_EQ(Calls(), (Kinds {"Beep", "SwitchDesktop:Desk2"})) << press;
    }
    EXPECT_FALSE(f.morenzuomian->Checked());
    EXPECT_TRUE(f.zuomian2->Checked());
}

TEST_F(HotKeyForm, OtherCombinationsLeaveTheResultAndDoNothing)
{
    TForm1& f = Design();
    f.WinVersionName = "winXP";
    for (auto [modifiers, key] :
        {std::pair<unsigned, unsigned> {0, 'L'}, {MOD_ALT | MOD_SHIFT, 'L'}, {MOD_ALT, VK_F12}, {0, VK_F10}}) {
        EXPECT_EQ(Press(modifiers, key, 42), 42) << modifiers << "+" << key;
    }
    EXPECT_TRUE(os.calls.empty());
    EXPECT_FALSE(f.TrayIconsHidden);
    EXPECT_TRUE(f.morenzuomian->Checked());
}

TEST_F(HotKeyForm, ASwitchToAMissingDesktopRaisesAfterTheMarksMoved)
{
    TForm1& f = Design();
    f.WinVersionName = "winXP";
    ::CloseDesktop(std::exchange(desk2_, nullptr));
    HDESK still = ::OpenDesktopA("Desk2", 0, FALSE, GENERIC_ALL);
    if (still) {
        ::CloseDesktop(still);
        GTEST_SKIP() << "another process keeps Desk2";
    }
    LRESULT result = 0;
    EXPECT_THROW(f.HotKeyMessage(0, MAKELPARAM(0, VK_F11), result), SystemError);
    EXPECT_EQ(Calls(), Kinds {"Beep"});
    EXPECT_TRUE(f.zuomian2->Checked());
}

bool Free(unsigned modifiers, unsigned key)
{
    HWND other = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const bool free = ::RegisterHotKey(other, 0x3001, modifiers, key) != FALSE;
    ::DestroyWindow(other);
    return free;
}

TEST_F(HotKeyForm, StartUpRegistersBothAndTheOptionItemsUnregisterAndRegisterUnderTheSameIdentifier)
{
    ASSERT_TRUE(dir.WriteFile("set", "1\r\n1\r\n"));
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", "x"));
    TForm1& f = Start();
    ASSERT_EQ(f.InstanceDesktop, "Default");
    EXPECT_FALSE(Free(MOD_ALT, 'L'));
    EXPECT_FALSE(Free(0, VK_F11));
    const int hideId = f.HotKeys.Id(HotKey::Hide), switchId = f.HotKeys.Id(HotKey::Switch);
    EXPECT_EQ(hideId, ::GlobalFindAtomA("UserDefineHotKey") - 0xC000);
    // The table gives a freed slot to whoever adds next, another process
    // included; a reference of our own keeps both names in it while the items
    // release and add theirs.
    const ATOM heldHide = ::GlobalAddAtomA("UserDefineHotKey"),
               heldSwitch = ::GlobalAddAtomA("UserqiehuanzuomianHotKey");

    // The items flip their own marks before their handlers run.
    f.rejianyincang->Click();
    f.yongrejianqiehuanzuomian->Click();
    EXPECT_FALSE(f.rejianyincang->Checked());
    EXPECT_TRUE(Free(MOD_ALT, 'L'));
    EXPECT_TRUE(Free(0, VK_F11));
    f.rejianyincang->Click();
    f.yongrejianqiehuanzuomian->Click();
    EXPECT_FALSE(Free(MOD_ALT, 'L'));
    EXPECT_FALSE(Free(0, VK_F11));
    EXPECT_EQ(f.HotKeys.Id(HotKey::Hide), hideId);
    EXPECT_EQ(f.HotKeys.Id(HotKey::Switch), switchId);

    // Shut-down saves the marks first, then gives both keys back.
    CloseAction action = CloseAction::Free;
    f.FormClose(nullptr, action);
    EXPECT_EQ(dir.ReadFile("set"), std::string("1\r\n1\r\n"));
    EXPECT_TRUE(Free(MOD_ALT, 'L'));
    EXPECT_TRUE(Free(0, VK_F11));
    // The program gave back every reference it took.
    ::GlobalDeleteAtom(heldHide);
    ::GlobalDeleteAtom(heldSwitch);
    EXPECT_EQ(::GlobalFindAtomA("UserDefineHotKey"), 0);
    EXPECT_EQ(::GlobalFindAtomA("UserqiehuanzuomianHotKey"), 0);
}

} // namespace
