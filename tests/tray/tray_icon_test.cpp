// The tray icon component with the shell replaced by a recorder: the record
// it registers, when it adds, modifies and deletes, and what the callbacks
// and the application's minimise do.
#include "tray/tray_icon.h"

#include "framework/application.h"
#include "framework/errors.h"
#include "framework/form.h"
#include "framework/menu.h"
#include "support/harness.h"
#include "support/os_recorder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kGbkWide = "博"; // two bytes in code page 936

// Stands in for the shell: records every call and answers adds as told.
class RecordingTrayIcon : public TTrayIcon {
public:
    struct Call {
        DWORD message;
        NOTIFYICONDATAA data;
    };
    std::vector<Call> calls;
    BOOL addAnswer = TRUE;

    // The calls since the last Take, as "delete add modify".
    std::string Take()
    {
        std::string text;
        for (const Call& call : calls) {
            if (!text.empty())
                text += ' ';
            text += call.message == NIM_ADD ? "add" : call.message == NIM_MODIFY ? "modify" : "delete";
        }
        calls.clear();
        return text;
    }

protected:
    BOOL CallShell(DWORD message, NOTIFYICONDATAA* data) override
    {
        calls.push_back({message, *data});
        return message == NIM_ADD ? addAnswer : TRUE;
    }
};

HICON SystemIcon() { return ::LoadIcon(nullptr, IDI_APPLICATION); }

LRESULT SendCallback(const TTrayIcon& icon, LPARAM mouseMessage)
{
    return ::SendMessageA(icon.NotifyWindow(), TTrayIcon::TrayCallbackMessage(), 0, mouseMessage);
}

// Ends the popup menu once it shows, from inside its modal loop.
struct MenuCloser {
    static bool shown;
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD)
    {
        HWND menu = ::FindWindowA("#32768", nullptr);
        if (!menu || !::IsWindowVisible(menu))
            return;
        shown = true;
        ::KillTimer(nullptr, id);
        ::EndMenu();
    }
    static void Arm()
    {
        shown = false;
        ::SetTimer(nullptr, 0, 50, OnTimer);
    }
};
bool MenuCloser::shown = false;

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application::Instance().Initialize();
        Application::Instance().SetTitle("tray test");
        icon.OnClick = [this](TTrayIcon* sender, TrayButton button, ShiftState, int x, int y) {
            EXPECT_EQ(sender, &icon);
            Log("click", button, x, y);
        };
        icon.OnMouseDown
            = [this](TTrayIcon*, TrayButton button, ShiftState, int x, int y) { Log("down", button, x, y); };
        icon.OnMouseUp = [this](TTrayIcon*, TrayButton button, ShiftState, int x, int y) { Log("up", button, x, y); };
        icon.OnMouseMove = [this](TTrayIcon*, ShiftState, int x, int y) { Log("move", TrayButton::Left, x, y); };
        icon.OnDblClick = [this](TTrayIcon*) { events += events.empty() ? "dbl" : " dbl"; };
    }

    void Log(const char* what, TrayButton button, int x, int y)
    {
        // Positions are the cursor's when the callback was handled.
        POINT cursor {};
        ::GetCursorPos(&cursor);
        EXPECT_EQ(x, cursor.x);
        EXPECT_EQ(y, cursor.y);
        if (!events.empty())
            events += ' ';
        events += what;
        if (std::strcmp(what, "move") != 0)
            events += std::to_string(static_cast<int>(button));
    }

    OsRecorder os;
    RecordingTrayIcon icon;
    std::string events;
};

TEST_F(TrayIconTest, TheRecordIsTheFirstGenerationLayoutWithTheCallbackMessage)
{
    // 88 bytes in the shipped 32-bit program; the 64-bit test build's record
    // has the same fields with pointer-sized handles.
    constexpr UINT kFirstGeneration = sizeof(void*) == 4 ? 88u : offsetof(NOTIFYICONDATAA, szTip) + 64;
    static_assert(NOTIFYICONDATAA_V1_SIZE == kFirstGeneration, "first-generation record");
    icon.SetHint("tip");
    icon.Take();
    HICON given = SystemIcon();
    icon.SetIcon(given);
    ASSERT_EQ(icon.Take(), "delete add modify");
    const NOTIFYICONDATAA& data = icon.IconData();
    EXPECT_EQ(data.cbSize, kFirstGeneration);
    EXPECT_EQ(data.hWnd, icon.NotifyWindow());
    EXPECT_EQ(data.uID, 0u);
    EXPECT_EQ(data.uFlags, 0x17u);
    EXPECT_EQ(data.uCallbackMessage, ::RegisterWindowMessageA("TrayIconNotify"));
    EXPECT_STREQ(data.szTip, "tip");
    // The component's own copy of the image.
    ASSERT_NE(icon.Icon(), nullptr);
    EXPECT_NE(icon.Icon(), given);
    EXPECT_EQ(data.hIcon, icon.Icon());
    ICONINFO info {};
    ASSERT_TRUE(::GetIconInfo(icon.Icon(), &info));
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}

TEST_F(TrayIconTest, TheTipHoldsOnlyTheShortHintCutTo63Bytes)
{
    std::string thirtyTwoWide;
    for (int i = 0; i < 32; ++i)
        thirtyTwoWide += kGbkWide;
    const struct {
        std::string hint;
        std::string tip;
    } cases[] = {
        {"short|and a long part that is never shown", "short"},
        {thirtyTwoWide, thirtyTwoWide.substr(0, 63)},
    };
    icon.SetIcon(SystemIcon());
    icon.Take();
    for (const auto& c : cases) {
        icon.SetHint(c.hint);
        ASSERT_EQ(icon.Take(), "modify") << c.hint;
        const NOTIFYICONDATAA& data = icon.IconData();
        EXPECT_EQ(std::string(data.szTip), c.tip) << c.hint;
        // The tip field of the 88-byte layout is 64 bytes: the text and its zero.
        EXPECT_LT(std::strlen(data.szTip), 64u);
    }
}

TEST_F(TrayIconTest, ShellCallsFollowTheStateOfTheIcon)
{
    const struct {
        const char* step;
        std::function<void()> action;
        const char* calls;
        bool added;
    } steps[] = {
        {"loaded without an image", [&] { icon.Loaded(); }, "delete", false},
        {"a hint without an image", [&] { icon.SetHint("a"); }, "delete", false},
        {"the image adds it, and the tip again", [&] { icon.SetIcon(SystemIcon()); }, "delete add modify", true},
        {"the same hint changes nothing", [&] { icon.SetHint("a"); }, "", true},
        {"another hint", [&] { icon.SetHint("b"); }, "modify", true},
        {"another image", [&] { icon.SetIcon(::LoadIcon(nullptr, IDI_WARNING)); }, "modify", true},
        {"no image removes it", [&] { icon.SetIcon(nullptr); }, "delete", false},
        {"an image again", [&] { icon.SetIcon(SystemIcon()); }, "delete add modify", true},
        {"inactive", [&] { icon.SetActive(false); }, "delete", false},
        {"inactive again changes nothing", [&] { icon.SetActive(false); }, "", false},
        {"a change while inactive", [&] { icon.SetHint("c"); }, "", false},
        {"active", [&] { icon.SetActive(true); }, "delete add modify", true},
        {"an empty hint", [&] { icon.SetHint(""); }, "modify", true},
        {"re-added without a tip", [&] { icon.Loaded(); }, "delete add", true},
        {"a hint whose short part is empty", [&] { icon.SetHint("|long"); }, "modify", true},
        {"added with an empty short hint", [&] { icon.Loaded(); }, "delete add", true},
    };
    for (const auto& s : steps) {
        s.action();
        EXPECT_EQ(icon.Take(), s.calls) << s.step;
        EXPECT_EQ(icon.IconAdded(), s.added) << s.step;
    }
}

TEST_F(TrayIconTest, AFailedAddIsRetriedOnTheNextChangeAndOnTaskbarCreatedSilently)
{
    icon.addAnswer = FALSE;
    icon.SetHint("retry");
    icon.Take();
    icon.SetIcon(SystemIcon());
    EXPECT_EQ(icon.Take(), "delete add");
    EXPECT_FALSE(icon.IconAdded());

    icon.SetHint("retry 2");
    EXPECT_EQ(icon.Take(), "delete add");
    EXPECT_FALSE(icon.IconAdded());

    icon.addAnswer = TRUE;
    ::SendMessageA(icon.NotifyWindow(), TTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(icon.Take(), "delete add modify");
    EXPECT_TRUE(icon.IconAdded());
    // Added with its current tip and image.
    EXPECT_STREQ(icon.IconData().szTip, "retry 2");
    EXPECT_EQ(icon.IconData().hIcon, icon.Icon());
    EXPECT_TRUE(os.calls.empty());
}

TEST_F(TrayIconTest, TaskbarCreatedAddsTheIconAgainOnlyWhenActive)
{
    EXPECT_EQ(TTrayIcon::TaskbarCreatedMessage(), ::RegisterWindowMessageA("TaskbarCreated"));
    icon.SetIcon(SystemIcon());
    icon.Take();
    // The shell broadcasts it to every top-level window.
    ::SendMessageTimeoutA(HWND_BROADCAST, TTrayIcon::TaskbarCreatedMessage(), 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_EQ(icon.Take(), "delete add");
    icon.SetActive(false);
    icon.Take();
    ::SendMessageA(icon.NotifyWindow(), TTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(icon.Take(), "");
    EXPECT_FALSE(icon.IconAdded());
}

TEST_F(TrayIconTest, CallbacksRaiseTheMouseEventsAtTheCursor)
{
    const struct {
        const char* name;
        std::vector<LPARAM> messages;
        const char* events;
    } cases[] = {
        {"left click", {WM_LBUTTONDOWN, WM_LBUTTONUP}, "down0 click0 up0"},
        {"left double click clicks once", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
            "down0 click0 up0 dbl down0 up0"},
        {"middle click", {WM_MBUTTONDOWN, WM_MBUTTONUP}, "down2 click2 up2"},
        {"right click without a menu", {WM_RBUTTONDOWN, WM_RBUTTONUP}, "down1 click1 up1"},
        {"move", {WM_MOUSEMOVE}, "move"},
    };
    icon.SetIcon(SystemIcon());
    for (const auto& c : cases) {
        events.clear();
        for (LPARAM message : c.messages)
            EXPECT_EQ(SendCallback(icon, message), 0);
        EXPECT_EQ(events, c.events) << c.name;
        EXPECT_EQ(icon.MouseDownFlags(), 0u) << c.name;
    }
}

TEST_F(TrayIconTest, PressedButtonsAreClearedWhenTheIconIsAddedOrDeleted)
{
    icon.SetIcon(SystemIcon());
    SendCallback(icon, WM_LBUTTONDOWN);
    SendCallback(icon, WM_RBUTTONDOWN);
    EXPECT_EQ(icon.MouseDownFlags(), kMouseDownLeft | kMouseDownRight);
    icon.Loaded();
    EXPECT_EQ(icon.MouseDownFlags(), 0u);
    SendCallback(icon, WM_MBUTTONDOWN);
    icon.SetActive(false);
    EXPECT_EQ(icon.MouseDownFlags(), 0u);
    events.clear();
    SendCallback(icon, WM_MBUTTONUP);
    EXPECT_EQ(events, "up2");
}

TEST_F(TrayIconTest, ARightClickOpensThePopupAndNeverReachesOnClick)
{
    PopupMenu menu;
    menu.Items().Add("item", "item");
    int prepared = 0;
    menu.OnPopup = [&](PopupMenu*) {
        ++prepared;
        MenuCloser::Arm();
    };
    icon.SetIcon(SystemIcon());
    icon.SetPopupMenu(&menu);
    SendCallback(icon, WM_RBUTTONDOWN);
    SendCallback(icon, WM_RBUTTONUP);
    EXPECT_EQ(prepared, 1);
    EXPECT_TRUE(MenuCloser::shown);
    EXPECT_EQ(events, "down1 up1");

    // Without a popup to show, the right click is an ordinary click.
    const struct {
        const char* name;
        std::function<void()> setUp;
    } noPopup[] = {
        {"automatic popup off", [&] { menu.SetAutoPopup(false); }},
        {"inactive",
            [&] {
                menu.SetAutoPopup(true);
                icon.SetActive(false);
            }},
        {"no menu",
            [&] {
                icon.SetActive(true);
                icon.SetPopupMenu(nullptr);
            }},
    };
    for (const auto& c : noPopup) {
        c.setUp();
        events.clear();
        SendCallback(icon, WM_RBUTTONDOWN);
        SendCallback(icon, WM_RBUTTONUP);
        EXPECT_EQ(events, "down1 click1 up1") << c.name;
        EXPECT_EQ(prepared, 1) << c.name;
    }
}

TEST_F(TrayIconTest, FreeingThePopupMenuClearsTheReference)
{
    auto menu = std::make_unique<PopupMenu>();
    PopupMenu other;
    icon.SetIcon(SystemIcon());
    icon.SetPopupMenu(menu.get());
    menu.reset();
    EXPECT_EQ(icon.GetPopupMenu(), nullptr);
    SendCallback(icon, WM_RBUTTONDOWN);
    SendCallback(icon, WM_RBUTTONUP);
    EXPECT_EQ(events, "down1 click1 up1");

    // Only the menu in use counts.
    auto replaced = std::make_unique<PopupMenu>();
    icon.SetPopupMenu(replaced.get());
    icon.SetPopupMenu(&other);
    replaced.reset();
    EXPECT_EQ(icon.GetPopupMenu(), &other);
}

TEST_F(TrayIconTest, AnErrorInAHandlerGoesToTheErrorBoxAndTheNextCallbackStillWorks)
{
    icon.SetIcon(SystemIcon());
    int clicks = 0;
    icon.OnClick = [&](TTrayIcon*, TrayButton, ShiftState, int, int) {
        ++clicks;
        throw Exception("Broken handler");
    };
    SendCallback(icon, WM_LBUTTONDOWN);
    SendCallback(icon, WM_LBUTTONUP);
    ASSERT_EQ(os.Of("MessageBox").size(), 1u);
    EXPECT_EQ(os.calls[0].text, "Broken handler.");
    EXPECT_EQ(os.calls[0].detail, "tray test");
    EXPECT_EQ(os.calls[0].number, static_cast<long>(MB_OK | MB_ICONSTOP));

    SendCallback(icon, WM_LBUTTONDOWN);
    SendCallback(icon, WM_LBUTTONUP);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(os.Of("MessageBox").size(), 2u);
}

// The pixels of an icon's colour bitmap.
std::vector<char> ColorBits(HICON icon)
{
    ICONINFO info {};
    if (!::GetIconInfo(icon, &info))
        return {};
    BITMAP bitmap {};
    ::GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    std::vector<char> bits(static_cast<size_t>(bitmap.bmWidthBytes) * static_cast<size_t>(bitmap.bmHeight));
    ::GetBitmapBits(info.hbmColor, static_cast<LONG>(bits.size()), bits.data());
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return bits;
}

TEST_F(TrayIconTest, UseAppIconCopiesTheApplicationsIcon)
{
    Application& app = Application::Instance();
    const HICON previous = app.Icon();
    HICON desk2 = static_cast<HICON>(::LoadImageA(
        nullptr, harness::SourcePath("data/tubiaodesk2.ico").c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
    ASSERT_NE(desk2, nullptr);
    icon.SetIcon(SystemIcon());
    icon.Take();
    ASSERT_NE(ColorBits(icon.Icon()), ColorBits(desk2));

    app.SetIcon(desk2);
    icon.SetUseAppIcon(true);
    EXPECT_TRUE(icon.UseAppIcon());
    EXPECT_EQ(icon.Take(), "modify");
    EXPECT_NE(icon.Icon(), desk2);
    EXPECT_EQ(ColorBits(icon.Icon()), ColorBits(desk2));
    EXPECT_EQ(icon.IconData().hIcon, icon.Icon());

    // Switching it off keeps the image.
    icon.SetUseAppIcon(false);
    EXPECT_EQ(icon.Take(), "");
    EXPECT_EQ(ColorBits(icon.Icon()), ColorBits(desk2));

    app.SetIcon(previous);
    ::DestroyIcon(desk2);
}

TEST_F(TrayIconTest, TheShellIsAskedWhetherItShowsBalloons)
{
    // Wine's shell32 carries version 6.
    EXPECT_TRUE(icon.BalloonCapable());
}

// A main form that counts how often it was shown.
class CountingForm : public Form {
public:
    CountingForm()
        : Form(Application::Instance(), "TrayTestForm", "tray test form", 10, 10, 200, 120)
    {
    }
    int shows = 0;

protected:
    void DoShow() override { ++shows; }
};

TEST_F(TrayIconTest, MinimisingTheApplicationHidesItIntoTheTrayWithAutoHide)
{
    Application& app = Application::Instance();
    CountingForm main;
    ASSERT_EQ(app.MainForm(), &main);
    HWND appWindow = app.Handle();
    icon.SetIcon(SystemIcon());

    const struct {
        const char* name;
        bool autoHide;
        bool active;
        WPARAM command;
        bool hidden;
    } cases[] = {
        {"auto hide", true, true, SC_MINIMIZE, true},
        {"auto hide off", false, true, SC_MINIMIZE, false},
        {"inactive icon", true, false, SC_MINIMIZE, false},
        {"not exactly the minimise command", true, true, SC_MINIMIZE | 2, false},
    };
    for (const auto& c : cases) {
        ::ShowWindow(appWindow, SW_SHOWNOACTIVATE);
        main.Show();
        ASSERT_FALSE(::IsIconic(appWindow)) << c.name;
        icon.SetAutoHide(c.autoHide);
        icon.SetActive(c.active);
        ::SendMessageA(appWindow, WM_SYSCOMMAND, c.command, 0);
        // The minimise itself happens in every case.
        EXPECT_TRUE(::IsIconic(appWindow)) << c.name;
        EXPECT_EQ(!::IsWindowVisible(appWindow), c.hidden) << c.name;
        EXPECT_EQ(!main.Visible(), c.hidden) << c.name;

        const int shows = main.shows;
        icon.ShowApplication();
        EXPECT_TRUE(::IsWindowVisible(appWindow)) << c.name;
        EXPECT_FALSE(::IsIconic(appWindow)) << c.name;
        EXPECT_TRUE(::IsWindowVisible(main.Handle())) << c.name;
        EXPECT_EQ(main.shows, shows + (c.hidden ? 1 : 0)) << c.name;
    }
    icon.SetActive(true);

    // Hiding a visible application, as the tray click does.
    icon.HideApplication();
    EXPECT_FALSE(::IsWindowVisible(appWindow));
    EXPECT_FALSE(main.Visible());
    EXPECT_TRUE(::IsIconic(appWindow));
    icon.ShowApplication();
    EXPECT_TRUE(main.Visible());

    ::ShowWindow(appWindow, SW_HIDE);
}

} // namespace
