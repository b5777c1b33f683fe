// The mouse hook in the main window: started at start-up with the real hook
// library, a real right click on a shortcut of the tray popup's tree opens
// the folder holding it, a left click starts it; stopped at shut-down.
#include "launcher_fixture.h"

#include "launcher/sys_hook_comp.h"
#include "launcher/sys_hook_loader.h"
#include "support/tray_probe.h"

#include <string>
#include <vector>

namespace {

using namespace tray_probe;

const char kTarget[] = "C:\\windows\\notepad.exe";

// Drives the open tray popup from inside its modal loop: opens "我的程序"
// (again after a while, should a click get lost), then clicks its shortcut
// with `button`. Closes the menu after 15 s so a failure cannot hang the test.
int shortcutButton = 0;
std::string typedKeys; // instead of a click, these keys in the open tree
int typedTick = 0;
int menuStep = 0; // attempts to open the tree; -1 once the shortcut was clicked
int ticks = 0;
int lastOpenTick = 0;
std::string seen; // what the driver last saw, for the failure message

std::vector<HWND> OpenMenus()
{
    std::vector<HWND> menus;
    for (HWND w = ::FindWindowExA(nullptr, nullptr, "#32768", nullptr); w;
         w = ::FindWindowExA(nullptr, w, "#32768", nullptr))
        if (::IsWindowVisible(w))
            menus.push_back(w);
    return menus;
}

std::string ItemText(HMENU menu, int position)
{
    char text[256] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

// The centre of the item captioned `caption` in the open menu window `window`.
bool ItemCentre(HWND window, const std::string& caption, POINT& centre)
{
    HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(window, MN_GETHMENU, 0, 0));
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        RECT r {};
        if (ItemText(menu, i) == caption && ::GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &r)) {
            centre = POINT {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            return true;
        }
    }
    return false;
}

std::string Position(POINT at) { return std::to_string(at.x) + " " + std::to_string(at.y); }

void CALLBACK DriveMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    if (++ticks > 150) {
        ::KillTimer(nullptr, id);
        ::EndMenu();
        return;
    }
    const std::vector<HWND> menus = OpenMenus();
    // Keys typed while the pointer was still settling can get lost: typed
    // again while the same menus stay open.
    if (menuStep == -1 && (menus.size() != 2 || ticks - typedTick < 30))
        return;
    POINT at {};
    if (menus.size() == 1 && ticks - lastOpenTick >= 15 && ItemCentre(menus[0], "我的程序", at)) {
        // Hovering opens the submenu after a moment; a click or the Right key
        // on the highlighted item opens it at once.
        static const char* const ways[] = {"", " click 1", " key Right"};
        const int attempt = menuStep++;
        lastOpenTick = ticks;
        at.x += attempt % 3;
        Xdotool("mousemove " + Position(at) + ways[attempt % 3]);
    } else if (menus.size() == 2) {
        for (HWND menu : menus)
            if (ItemCentre(menu, "Tool", at)) {
                menuStep = -1;
                if (!typedKeys.empty()) {
                    // Keys go to the window under the pointer; the menu's top
                    // border selects no item.
                    const RECT r = harness::WindowRect(menu);
                    Xdotool("mousemove " + Position(POINT {(r.left + r.right) / 2, r.top + 1}));
                    harness::PumpFor(100);
                    Xdotool("key " + typedKeys);
                    typedTick = ticks;
                    return;
                }
                ::KillTimer(nullptr, id);
                Xdotool("mousemove " + Position(at));
                harness::PumpFor(100);
                Xdotool("click " + std::to_string(shortcutButton));
                return;
            }
    }
}

class RightClickTest : public LauncherTest {
protected:
    // A full start-up in the scratch folder, with one shortcut in the tree.
    // The hook library in the scratch folder is only a placeholder (present,
    // so not restored); the one beside the test program is the one that loads.
    TForm1& StartWithShortcut()
    {
        MakeShortcutFile(dir.PathOf("我的程序\\Tool.lnk"), kTarget);
        return StartAndShow();
    }

    void TearDown() override
    {
        LauncherTest::TearDown();
        EXPECT_EQ(HookDLLHandle(), nullptr) << "the hook library is still loaded";
    }

    // Opens the tray popup with a right click on the icon and clicks the
    // shortcut with `button`; the shell calls made meanwhile.
    std::vector<RecordedCall> ClickShortcut(int button, const std::string& keys = "")
    {
        shell.calls.clear();
        shortcutButton = button;
        typedKeys = keys;
        menuStep = 0;
        ticks = 0;
        lastOpenTick = -15;
        const UINT_PTR driver = ::SetTimer(nullptr, 0, 100, DriveMenu);
        EXPECT_TRUE(ClickAt(FirstIconPosition(), 3));
        for (int i = 0; i < 400 && Calls("ShellExecute").empty(); ++i)
            harness::PumpFor(50);
        ::KillTimer(nullptr, driver); // a typed launch leaves it running
        EXPECT_EQ(menuStep, -1) << "the popup tree was not reached; " << seen;
        return Calls("ShellExecute");
    }
};

// Each time another program has the keyboard when the tray icon is clicked,
// as when the user last typed elsewhere: the open menu must take the keys.
TEST_F(RightClickTest, ALetterTypedInTheOpenTrayTreeStartsTheShortcutItChooses)
{
    const char* const targets[] = {"C:\\windows\\regedit.exe", "C:\\windows\\explorer.exe",
        "C:\\windows\\system32\\winecfg.exe", "C:\\windows\\hh.exe"};
    const char* const names[] = {"记事本", "计算器", "画图", "Zeta"};
    for (int i = 0; i < 4; ++i)
        MakeShortcutFile(dir.PathOf(std::string("我的程序\\") + names[i] + ".lnk"), targets[i]);
    TForm1& f = StartWithShortcut();
    // The j entries in menu order: the second j moves on to the later one.
    std::string laterJ;
    for (MenuItem* item : ShortcutItems(f.menu_cenxvkuaijie))
        if (item->Caption() == names[0] || item->Caption() == names[1])
            laterJ = targets[item->Caption() == names[0] ? 0 : 1];
    const struct {
        const char* keys;
        std::string target;
    } cases[] = {{"h", targets[2]}, {"Z", targets[3]}, {"j j Return", laterJ}};
    for (const auto& c : cases) {
        ASSERT_TRUE(KeyboardToTaskbar());
        const std::vector<RecordedCall> calls = ClickShortcut(1, c.keys);
        ASSERT_EQ(calls.size(), 1u) << c.keys;
        EXPECT_EQ(calls[0].text, c.target) << c.keys;
    }
}

TEST_F(RightClickTest, ARightClickOnATrayTreeShortcutOpensItsFolderALeftClickStartsIt)
{
    StartWithShortcut();
    ASSERT_TRUE(Messages().empty());

    std::vector<RecordedCall> calls = ClickShortcut(3);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "C:\\windows\\Explorer.exe");
    EXPECT_EQ(calls[0].detail, "open|/n," + dir.PathOf("我的程序") + "\\");
    EXPECT_EQ(calls[0].number, SW_SHOWMAXIMIZED);
    EXPECT_FALSE(form->RightClickPending);

    calls = ClickShortcut(1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, kTarget);
    EXPECT_EQ(calls[0].number, SW_SHOWNORMAL);
}

TEST_F(RightClickTest, WithoutTheHookARightClickOnATrayTreeShortcutStartsIt)
{
    // As after a failed hook start, or on the second desktop.
    TForm1& f = StartWithShortcut();
    f.StopMouseHook();
    ASSERT_FALSE(f.MouseHook1->HookActive());

    const std::vector<RecordedCall> calls = ClickShortcut(3);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, kTarget);
    EXPECT_EQ(calls[0].number, SW_SHOWNORMAL);
}

TEST_F(RightClickTest, RightButtonEventsSetThePendingClickAtTheCursorOthersChangeNothing)
{
    TForm1& f = StartWithShortcut();
    ASSERT_TRUE(f.MouseHook1->HookActive());
    HWND listener = f.MouseHook1->ListeningWindow();
    POINT cursor {};
    ::GetCursorPos(&cursor);
    const struct {
        int code;
        bool sets;
    } cases[] = {
        {4, true}, {5, true}, {6, true}, // right down, up, double click
        {1, false}, {2, false}, {3, false}, // left
        {7, false}, {8, false}, {9, false}, // middle
        {0, false}, // a move
    };
    for (const auto& c : cases) {
        form->RightClickPending = false;
        form->HookClickPoint = POINT {-5, -5};
        // The event's own position is not the one kept.
        ::SendMessageA(listener, WM_USER + c.code, MAKEWPARAM(1, 2), 0);
        EXPECT_EQ(form->RightClickPending, c.sets) << c.code;
        if (c.sets) {
            EXPECT_EQ(form->HookClickPoint.x, cursor.x) << c.code;
            EXPECT_EQ(form->HookClickPoint.y, cursor.y) << c.code;
        }
    }
    // A pending right click survives other buttons.
    form->RightClickPending = true;
    form->HookClickPoint = POINT {3, 4};
    ::SendMessageA(listener, WM_USER + 1, 0, 0);
    ::SendMessageA(listener, WM_USER + 8, 0, 0);
    EXPECT_TRUE(form->RightClickPending);
    EXPECT_EQ(form->HookClickPoint.x, 3);
}

// Last: a popup opened after a close in the same process did not open its
// submenu under Wine.
TEST_F(RightClickTest, OnTheDefaultDesktopTheHookStartsSilentlyAndStopsAtClose)
{
    TForm1& f = StartWithShortcut();
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(form->MouseHookStarted);
    ASSERT_TRUE(f.MouseHook1->HookActive());
    EXPECT_EQ(f.MouseHook1->HookDLL(), "SysHookDLL");
    EXPECT_EQ(f.MouseHook1->DisplayName(), "MouseHook1");
    EXPECT_EQ(HookDLLLoadCount(), 1);
    HWND listener = f.MouseHook1->ListeningWindow();
    EXPECT_TRUE(::IsWindow(listener));

    f.N5Click(nullptr);
    EXPECT_FALSE(f.MouseHook1->HookActive());
    EXPECT_FALSE(::IsWindow(listener));
    EXPECT_EQ(HookDLLHandle(), nullptr);
}

} // namespace
