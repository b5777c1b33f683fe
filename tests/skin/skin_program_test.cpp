// The real program with and without its skin, read back from the screen:
// sampled pixels of the caption, the menu bar, popups and message boxes are
// compared with the shipped skin's colours; caption buttons are clicked.
#include "support/harness.h"
#include "support/shortcut_file.h"
#include "support/tray_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace harness;
using namespace tray_probe;

namespace {

const DWORD kWait = 20000;
const char kSkinRelative[] = "皮肤\\兰红_Slate.skn";

// Colours of the shipped skin (tools/make_skin.py).
const COLORREF kSlate = RGB(0x3B, 0x4F, 0x6B);
const COLORREF kSlateDark = RGB(0x2C, 0x3A, 0x50);
const COLORREF kMenuBar = RGB(0x34, 0x49, 0x5E);
const COLORREF kMenu = RGB(0x2F, 0x3E, 0x52);
const COLORREF kRed = RGB(0xC0, 0x39, 0x2B);
const COLORREF kPaper = RGB(0xE9, 0xED, 0xF2);

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = ::GetDC(nullptr);
    const COLORREF color = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return color;
}

std::string Hex(COLORREF c)
{
    char text[16];
    wsprintfA(text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// Whether `c` lies between the two colours, channel by channel (a gradient).
bool Between(COLORREF c, COLORREF a, COLORREF b)
{
    auto in = [](int v, int x, int y) { return v >= std::min(x, y) - 2 && v <= std::max(x, y) + 2; };
    return in(GetRValue(c), GetRValue(a), GetRValue(b)) && in(GetGValue(c), GetGValue(a), GetGValue(b))
        && in(GetBValue(c), GetBValue(a), GetBValue(b));
}

// Share of a rectangle's pixels (sampled every 2 px) equal to `color`.
double Share(const RECT& r, COLORREF color)
{
    HDC screen = ::GetDC(nullptr);
    int hits = 0, all = 0;
    for (int y = r.top; y < r.bottom; y += 2)
        for (int x = r.left; x < r.right; x += 2) {
            ++all;
            hits += ::GetPixel(screen, x, y) == color;
        }
    ::ReleaseDC(nullptr, screen);
    return all ? static_cast<double>(hits) / all : 0.0;
}

RECT ClientOnScreen(HWND window)
{
    RECT r;
    ::GetClientRect(window, &r);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Places of the window's parts, as the skin draws them.
struct FrameGeometry {
    RECT window, client;
    int border, captionTop, captionBottom;
    POINT captionMiddle;
    POINT borderPoint;
    POINT barTail; // menu bar, right of the last item
    POINT closeCorner; // inside the close button, away from its glyph
    POINT closeCentre;
    POINT minimizeCentre;
};

FrameGeometry Geometry(HWND window)
{
    FrameGeometry g;
    g.window = WindowRect(window);
    g.client = ClientOnScreen(window);
    g.border = g.client.left - g.window.left;
    g.captionTop = g.window.top + g.border;
    g.captionBottom = g.captionTop + ::GetSystemMetrics(SM_CYCAPTION);
    const int captionHeight = g.captionBottom - g.captionTop;
    g.captionMiddle = {(g.window.left + g.window.right) / 2, g.captionTop + captionHeight / 2};
    g.borderPoint = {g.window.left + g.border / 2 + 1, (g.client.top + g.client.bottom) / 2};
    g.barTail = {g.client.right - 4, (g.captionBottom + g.client.top) / 2};
    // The skin's buttons: height caption-4, width one more pair of pixels,
    // right-aligned 2 px inside, 2 px apart.
    const int bh = captionHeight - 4, bw = bh + 2;
    const int closeRight = g.window.right - g.border - 2;
    const int top = g.captionTop + 2;
    g.closeCorner = {closeRight - 3, top + 2};
    g.closeCentre = {closeRight - bw / 2, top + bh / 2};
    const int minRight = closeRight - 2 * (bw + 2);
    g.minimizeCentre = {minRight - bw / 2, top + bh / 2};
    return g;
}

std::vector<HWND> OpenMenus(DWORD pid)
{
    std::vector<HWND> menus;
    for (HWND w : TopLevelWindows(pid, true))
        if (ClassName(w) == "#32768")
            menus.push_back(w);
    return menus;
}

class SkinProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.WriteFile("set", "0\r\n0\r\n"));
        ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", ReadWholeFile(UnixToWindowsPath(TRAYSTART_HOOK_DLL))));
    }
    void TearDown() override
    {
        if (program.Running() && window)
            ::PostMessageA(window, WM_CLOSE, 0, 0);
        if (!program.WaitForExit(kWait))
            program.Kill();
    }

    void InstallShippedSkin()
    {
        const std::string skin = ReadWholeFile(SourcePath(std::string("data\\") + kSkinRelative));
        ASSERT_FALSE(skin.empty());
        ASSERT_TRUE(dir.WriteFile(kSkinRelative, skin));
    }

    void Start()
    {
        program = Process::Start(ProgramExePath(), dir.Path());
        ASSERT_TRUE(program.Valid());
        window = WaitForWindow(program.Id(), "TForm1", kMainWindowTitle, kWait, true);
        ASSERT_NE(window, nullptr);
        // Away from the caption buttons, so none is hot.
        Xdotool("mousemove 5 5");
        PumpFor(1500);
    }

    TempDir dir;
    Process program;
    HWND window = nullptr;
};

TEST_F(SkinProgram, TheMainWindowsCaptionBordersAndMenuBarAreDrawnFromTheSkin)
{
    InstallShippedSkin();
    Start();
    EXPECT_FALSE(WaitForMessageBox(program.Id(), 500)) << "the skin loads without a message";
    const FrameGeometry g = Geometry(window);
    const COLORREF caption = ScreenPixel(g.captionMiddle.x, g.captionMiddle.y);
    EXPECT_TRUE(Between(caption, kSlate, kSlateDark)) << Hex(caption);
    const COLORREF border = ScreenPixel(g.borderPoint.x, g.borderPoint.y);
    EXPECT_TRUE(border == kSlateDark || border == RGB(0x5D, 0x6D, 0x7E)) << Hex(border);
    EXPECT_EQ(Hex(ScreenPixel(g.barTail.x, g.barTail.y)), Hex(kMenuBar));
    EXPECT_EQ(Hex(ScreenPixel(g.closeCorner.x, g.closeCorner.y)), Hex(kSlate));

    // Hovering the close button lights it red; the system's button is not drawn over it.
    ASSERT_TRUE(Xdotool("mousemove " + std::to_string(g.closeCentre.x) + " " + std::to_string(g.closeCentre.y)));
    PumpFor(700);
    EXPECT_EQ(Hex(ScreenPixel(g.closeCorner.x, g.closeCorner.y)), Hex(kRed));
    Xdotool("mousemove 5 5");
}

TEST_F(SkinProgram, WithoutTheSkinFileTheWindowKeepsTheSystemsLookAndNothingIsSaid)
{
    Start();
    EXPECT_FALSE(WaitForMessageBox(program.Id(), 500));
    const FrameGeometry g = Geometry(window);
    const COLORREF caption = ScreenPixel(g.captionMiddle.x, g.captionMiddle.y);
    EXPECT_FALSE(Between(caption, kSlate, kSlateDark)) << Hex(caption);
    const COLORREF bar = ScreenPixel(g.barTail.x, g.barTail.y);
    EXPECT_TRUE(bar == ::GetSysColor(COLOR_MENU) || bar == ::GetSysColor(COLOR_MENUBAR)) << Hex(bar);
}

TEST_F(SkinProgram, AFileThatIsNotASkinChangesNothingAndSaysNothing)
{
    ASSERT_TRUE(dir.WriteFile(kSkinRelative, "PK\x03\x04 this is not really an archive"));
    Start();
    EXPECT_FALSE(WaitForMessageBox(program.Id(), 500));
    const FrameGeometry g = Geometry(window);
    EXPECT_NE(Hex(ScreenPixel(g.barTail.x, g.barTail.y)), Hex(kMenuBar));
}

TEST_F(SkinProgram, ASkinFileThatCannotBeReadIsReportedWithItsPathAndTheProgramRunsUnskinned)
{
    InstallShippedSkin();
    const std::string path = dir.PathOf(kSkinRelative);
    // Another program holds the file open and lets nobody read it.
    HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    program = Process::Start(ProgramExePath(), dir.Path());
    ASSERT_TRUE(program.Valid());
    std::optional<MessageBoxInfo> box = WaitForMessageBox(program.Id(), kWait);
    ::CloseHandle(held);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, kProgramTitle);
    EXPECT_EQ(box->text.rfind("Cannot open file \"" + path + "\". ", 0), 0u) << box->text;
    EXPECT_GT(box->text.size(), path.size() + 22) << "the system's reason is missing";
    EXPECT_EQ(box->text.back(), '.');
    EXPECT_EQ(box->icon, MessageBoxIcon::Stop);
    EXPECT_TRUE(DismissMessageBox(box->hwnd));

    window = WaitForWindow(program.Id(), "TForm1", kMainWindowTitle, kWait, true);
    ASSERT_NE(window, nullptr);
    PumpFor(1000);
    const FrameGeometry g = Geometry(window);
    EXPECT_NE(Hex(ScreenPixel(g.barTail.x, g.barTail.y)), Hex(kMenuBar));
}

TEST_F(SkinProgram, TheTrayPopupIsDrawnFromTheSkin)
{
    ASSERT_NE(Taskbar(), nullptr);
    InstallShippedSkin();
    Start();
    ASSERT_TRUE(ClickAt(FirstIconPosition(), 3));
    HWND menu = WaitForWindow(program.Id(), "#32768", nullptr, kWait, true);
    ASSERT_NE(menu, nullptr) << "the tray menu did not open";
    PumpFor(700);
    const RECT r = WindowRect(menu);
    // Items fill the popup: most of it is the skin's menu colour, and the
    // light text is there on it.
    const RECT inner {r.left + 4, r.top + 4, r.right - 4, r.bottom - 4};
    EXPECT_GT(Share(inner, kMenu), 0.5) << Hex(ScreenPixel(r.left + 20, r.top + 30));
    // Keys reach the window under the pointer: the menu closes from there,
    // and the program can then close and take its icon with it.
    Xdotool("mousemove " + std::to_string((r.left + r.right) / 2) + " " + std::to_string(r.top + 1));
    PumpFor(300);
    Xdotool("key Escape");
}

TEST_F(SkinProgram, TheMyProgramsTreeWithItsIconsIsDrawnFromTheSkin)
{
    ASSERT_NE(Taskbar(), nullptr);
    ::CoInitialize(nullptr);
    ASSERT_TRUE(dir.MakeDir("我的程序"));
    for (const char* name : {"记事本", "注册表", "资源管理器"})
        ASSERT_TRUE(SaveShortcut(dir.PathOf(std::string("我的程序\\") + name + ".lnk"), "C:\\windows\\notepad.exe"));
    ::CoUninitialize();
    InstallShippedSkin();
    Start();
    ASSERT_TRUE(ClickAt(FirstIconPosition(), 3));
    HWND popup = WaitForWindow(program.Id(), "#32768", nullptr, kWait, true);
    ASSERT_NE(popup, nullptr);
    PumpFor(500);
    // Keys reach the window under the pointer: onto the popup's top border,
    // then down to "我的程序" (separators are skipped) and into its tree.
    const RECT r = WindowRect(popup);
    ASSERT_TRUE(Xdotool("mousemove " + std::to_string((r.left + r.right) / 2) + " " + std::to_string(r.top + 1)));
    PumpFor(300);
    ASSERT_TRUE(Xdotool("key Down Down Right"));
    const DWORD start = ::GetTickCount();
    while (OpenMenus(program.Id()).size() < 2 && ::GetTickCount() - start < kWait)
        PumpFor(100);
    const std::vector<HWND> menus = OpenMenus(program.Id());
    ASSERT_EQ(menus.size(), 2u) << "the tree did not open";
    PumpFor(700);
    for (HWND menu : menus) {
        const RECT m = WindowRect(menu);
        const RECT inner {m.left + 4, m.top + 4, m.right - 4, m.bottom - 4};
        EXPECT_GT(Share(inner, kMenu) + Share(inner, kRed), 0.4) << ClassName(menu);
    }
    Xdotool("key Escape Escape");
}

TEST_F(SkinProgram, MessageBoxesOpenedLaterAreSkinned)
{
    InstallShippedSkin();
    Start();
    // "保存设置文件" over a read-only settings file: the error box comes up
    // while the skin is on. The menu is opened from the keyboard (keys reach
    // the window under the pointer).
    const std::string set = dir.PathOf("set");
    ASSERT_TRUE(::SetFileAttributesA(set.c_str(), FILE_ATTRIBUTE_READONLY));
    const FrameGeometry main = Geometry(window);
    ASSERT_TRUE(Xdotool("mousemove " + std::to_string((main.client.left + main.client.right) / 2) + " "
        + std::to_string(main.client.bottom - 10)));
    PumpFor(300);
    ASSERT_TRUE(Xdotool("key F10"));
    PumpFor(300);
    ASSERT_TRUE(Xdotool("key Down"));
    PumpFor(300);
    ASSERT_TRUE(Xdotool("key Return"));
    std::optional<MessageBoxInfo> box = WaitForMessageBox(program.Id(), kWait);
    ASSERT_TRUE(box);
    PumpFor(700);
    const FrameGeometry g = Geometry(box->hwnd);
    const COLORREF caption = ScreenPixel(g.captionMiddle.x, g.captionMiddle.y);
    EXPECT_TRUE(Between(caption, kSlate, kSlateDark)) << Hex(caption);
    EXPECT_EQ(Hex(ScreenPixel(g.client.left + 2, g.client.bottom - 3)), Hex(kPaper));
    EXPECT_TRUE(DismissMessageBox(box->hwnd));
    ::SetFileAttributesA(set.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SkinProgram, TheSkinnedMinimiseButtonSendsTheWindowToTheTrayAndCloseAsksTheCloseHandler)
{
    InstallShippedSkin();
    Start();
    FrameGeometry g = Geometry(window);
    ASSERT_TRUE(ClickAt(g.minimizeCentre, 1));
    const DWORD start = ::GetTickCount();
    while (::IsWindowVisible(window) && ::GetTickCount() - start < kWait)
        PumpFor(50);
    EXPECT_FALSE(::IsWindowVisible(window)) << "minimise did not hide the window to the tray";

    // Back from the tray, then the close button: the close handler saves and ends.
    ASSERT_TRUE(ClickAt(FirstIconPosition(), 1));
    while (!::IsWindowVisible(window) && ::GetTickCount() - start < 2 * kWait)
        PumpFor(50);
    ASSERT_TRUE(::IsWindowVisible(window));
    PumpFor(700);
    g = Geometry(window);
    ASSERT_TRUE(ClickAt(g.closeCentre, 1));
    EXPECT_TRUE(program.WaitForExit(kWait));
    EXPECT_EQ(dir.ReadFile("set"), std::string("0\r\n0\r\n"));
}

} // namespace
