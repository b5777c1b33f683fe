// The main window's tray icon in the notification area of Wine's taskbar,
// clicked with real mouse input: its hint, its popup menu as prepared at
// opening, and the toggle of the main window.
#include "app/form_fixture.h"

#include "launcher/popup_menu_prep.h"
#include "support/tray_probe.h"
#include "tray/tray_icon.h"

#include <string>
#include <thread>
#include <vector>

namespace {

using namespace tray_probe;

const char* const kWeekdays[] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};

// What the open popup menu showed, read from inside its modal loop.
struct OpenMenu {
    std::vector<std::string> texts; // top-level items, separators as ""
    std::vector<UINT> switchStates; // the desktop submenu's item states
};

OpenMenu openMenu;
bool menuRead = false;

std::string ItemText(HMENU menu, int position)
{
    char text[256] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND window = ::FindWindowA("#32768", nullptr);
    if (!window || !::IsWindowVisible(window))
        return;
    ::KillTimer(nullptr, id);
    HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(window, MN_GETHMENU, 0, 0));
    openMenu = {};
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        openMenu.texts.push_back(ItemText(menu, i));
        if (openMenu.texts.back() == "切换桌面") {
            HMENU sub = ::GetSubMenu(menu, i);
            for (int j = 0; j < ::GetMenuItemCount(sub); ++j)
                openMenu.switchStates.push_back(::GetMenuState(sub, static_cast<UINT>(j), MF_BYPOSITION));
        }
    }
    menuRead = true;
    ::EndMenu();
}

class TrayFormTest : public FormTest {
protected:
    static bool ClickIcon(int button) { return ClickAt(FirstIconPosition(), button); }
};

TEST_F(TrayFormTest, TheIconIsThereBeforeStartUpAndTakesTheDesktopHintWhenShown)
{
    TForm1& f = Design();
    ASSERT_NE(f.TrayIcon1, nullptr);
    HWND window = f.TrayIcon1->NotifyWindow();
    EXPECT_TRUE(IconRegistered(window));
    EXPECT_EQ(f.TrayIcon1->Hint(), "博闲托盘区开始菜单");
    EXPECT_TRUE(f.TrayIcon1->AutoHide());
    EXPECT_FALSE(f.TrayIcon1->UseAppIcon());
    EXPECT_EQ(f.TrayIcon1->GetPopupMenu(), &f.PopupMenu1);

    f.RunOnCreate();
    EXPECT_EQ(f.TrayIcon1->Hint(), "博闲托盘区开始菜单");
    f.Show();
    EXPECT_EQ(f.TrayIcon1->Hint(), "博闲托盘区开始菜单（默认桌面）");
    EXPECT_STREQ(f.TrayIcon1->IconData().szTip, "博闲托盘区开始菜单（默认桌面）");
}

TEST_F(TrayFormTest, ARightClickOpensTheTrayMenuWithTodaysDateAndTheDesktopMark)
{
    TForm1& f = StartAndShow();
    // Opening the menu sets the marks from the desktop, whatever they were.
    f.morenzuomian->SetChecked(false);
    f.zuomian2->SetChecked(true);
    int clicks = 0;
    f.TrayIcon1->OnClick = [&](TTrayIcon*, TrayButton, ShiftState, int, int) { ++clicks; };

    menuRead = false;
    ::SetTimer(nullptr, 0, 50, ReadOpenMenu);
    ASSERT_TRUE(ClickIcon(3));
    for (int i = 0; i < 100 && !menuRead; ++i)
        harness::PumpFor(50);
    ASSERT_TRUE(menuRead) << "the popup menu did not open";
    EXPECT_EQ(clicks, 0);

    ASSERT_EQ(openMenu.texts.size(), 26u);
    EXPECT_EQ(openMenu.texts[2], "我的程序");
    EXPECT_EQ(openMenu.texts[24], "退出本软件");
    SYSTEMTIME today {};
    ::GetLocalTime(&today);
    char date[64] = {};
    ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &today, nullptr, date, sizeof date);
    const std::string caption = openMenu.texts[0];
    EXPECT_EQ(caption, f.sijian->Caption());
    EXPECT_EQ(caption.rfind(date, 0), 0u) << caption;
    const std::string weekday = kWeekdays[today.wDayOfWeek];
    ASSERT_GE(caption.size(), weekday.size());
    EXPECT_EQ(caption.substr(caption.size() - weekday.size()), weekday) << caption;

    ASSERT_EQ(openMenu.switchStates.size(), 3u);
    EXPECT_TRUE(openMenu.switchStates[0] & MF_CHECKED);
    EXPECT_FALSE(openMenu.switchStates[2] & MF_CHECKED);
}

TEST_F(TrayFormTest, OnAnotherDesktopThePopupMarksTheSecondDesktop)
{
    TForm1& f = Design();
    f.morenzuomian->SetChecked(true);
    f.zuomian2->SetChecked(false);
    // The marks follow the desktop of the thread that opens the popup.
    HDESK other = ::CreateDesktopA("TrayTestDesktop", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    ASSERT_NE(other, nullptr);
    bool ran = false;
    std::thread opener([&] {
        if (!::SetThreadDesktop(other))
            return;
        f.PopupMenu1Popup(&f.PopupMenu1);
        ran = true;
    });
    opener.join();
    ::CloseDesktop(other);
    ASSERT_TRUE(ran);
    EXPECT_FALSE(f.morenzuomian->Checked());
    EXPECT_TRUE(f.zuomian2->Checked());
    EXPECT_NE(f.sijian->Caption(), "时间");

    f.PopupMenu1Popup(&f.PopupMenu1);
    EXPECT_TRUE(f.morenzuomian->Checked());
    EXPECT_FALSE(f.zuomian2->Checked());
}

TEST_F(TrayFormTest, LeftClicksHideTheMainWindowAndShowItAgainRunningFormShow)
{
    TForm1& f = StartAndShow();
    HWND appWindow = Application::Instance().Handle();
    ASSERT_TRUE(ClickIcon(1));
    harness::PumpFor(300);
    EXPECT_FALSE(::IsWindowVisible(f.Handle()));
    EXPECT_FALSE(::IsWindowVisible(appWindow));

    // FormShow enables it again.
    f.baocun->SetEnabled(false);
    ASSERT_TRUE(ClickIcon(1));
    harness::PumpFor(300);
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    EXPECT_TRUE(::IsWindowVisible(appWindow));
    EXPECT_FALSE(::IsIconic(appWindow));
    EXPECT_TRUE(f.baocun->Enabled());
}

TEST_F(TrayFormTest, ClosingRemovesTheIconAfterTheImageListIsFreed)
{
    TForm1& f = StartAndShow();
    HWND window = f.TrayIcon1->NotifyWindow();
    f.N5Click(nullptr);
    EXPECT_EQ(f.TrayIcon1, nullptr);
    EXPECT_EQ(form->IconList, nullptr);
    EXPECT_FALSE(IconRegistered(window));
}

TEST(SijianCaption, FormatsTheMomentInTheGivenLocale)
{
    // Locales whose formats are the same on every Windows (and on Wine).
    const LCID english = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
    const struct {
        LCID locale;
        SYSTEMTIME when; // year, month, day of week (0 = Sunday), day, hour, minute, second, ms
        const char* caption;
    } cases[] = {
        {LOCALE_INVARIANT, {2024, 3, 0, 3, 13, 5, 9, 0}, "03/03/2024 13:05:09 星期日"},
        {LOCALE_INVARIANT, {2024, 3, 6, 9, 0, 0, 0, 0}, "03/09/2024 星期六"},
        {LOCALE_INVARIANT, {2024, 3, 6, 9, 0, 0, 1, 0}, "03/09/2024 00:00:01 星期六"},
        {english, {2024, 3, 6, 9, 21, 30, 0, 0}, "3/9/2024 9:30:00 PM 星期六"},
        {english, {2024, 3, 0, 10, 0, 0, 0, 0}, "3/10/2024 星期日"},
        {english, {2024, 3, 0, 10, 12, 0, 0, 0}, "3/10/2024 12:00:00 PM 星期日"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SijianCaption(c.when, c.locale), c.caption);
}

} // namespace
