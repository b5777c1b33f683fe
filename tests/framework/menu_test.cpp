// Menu items over real menus: what the user sees must follow the items.
#include "framework/application.h"
#include "framework/image_list.h"
#include "framework/menu.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

std::string MenuString(HMENU menu, int position)
{
    char text[512] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

MENUITEMINFOA MenuInfo(HMENU menu, int position)
{
    MENUITEMINFOA info {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_DATA | MIIM_BITMAP;
    EXPECT_TRUE(::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info));
    return info;
}

TEST(Menu, CaptionsShowLiterallyAndStatesReachTheRealMenu)
{
    PopupMenu popup;
    MenuItem* plain = popup.Items().Add("a", "Save & Exit");
    MenuItem* sep = popup.Items().AddSeparator("s");
    MenuItem* option = popup.Items().Add("b", "Option");
    option->SetChecked(true);
    option->SetEnabled(false);

    HMENU menu = popup.Handle();
    ASSERT_EQ(::GetMenuItemCount(menu), 3);
    // "&" is doubled so that no mnemonic underline eats it.
    EXPECT_EQ(MenuString(menu, 0), "Save && Exit");
    EXPECT_TRUE(MenuInfo(menu, 1).fType & MFT_SEPARATOR);
    EXPECT_TRUE(MenuInfo(menu, 2).fState & MFS_CHECKED);
    EXPECT_TRUE(MenuInfo(menu, 2).fState & MFS_DISABLED);

    plain->SetCaption("Renamed");
    EXPECT_EQ(MenuString(menu, 0), "Renamed");
    EXPECT_EQ(MenuItem::FromMenuPosition(menu, 1), sep);
    EXPECT_EQ(MenuItem::FromMenuPosition(menu, 2), option);
}

TEST(Menu, HiddenItemsLeaveTheRealMenuAndComeBackInPlace)
{
    PopupMenu popup;
    MenuItem* a = popup.Items().Add("a", "A");
    MenuItem* b = popup.Items().Add("b", "B");
    MenuItem* c = popup.Items().Add("c", "C");
    HMENU menu = popup.Handle();

    b->SetVisible(false);
    ASSERT_EQ(::GetMenuItemCount(menu), 2);
    EXPECT_EQ(MenuItem::FromMenuPosition(menu, 1), c);
    // A change to a hidden item must not land on its neighbour.
    b->SetCaption("B2");
    EXPECT_EQ(MenuString(menu, 1), "C");

    a->SetVisible(false);
    b->SetVisible(true);
    ASSERT_EQ(::GetMenuItemCount(menu), 2);
    EXPECT_EQ(MenuString(menu, 0), "B2");
    EXPECT_EQ(MenuString(menu, 1), "C");
    a->SetVisible(true);
    EXPECT_EQ(MenuString(menu, 0), "A");
    EXPECT_EQ(MenuItem::FromMenuPosition(menu, 0), a);
}

TEST(Menu, SubmenusBreaksAndGlyphs)
{
    ImageList images;
    PopupMenu popup;
    popup.SetImages(&images);
    MenuItem* folder = popup.Items().Add("folder", "Folder", 0);
    MenuItem* child = folder->Add("child", "Child");
    child->SetBreak(MenuBreak::BarBreak);

    MENUITEMINFOA folderInfo = MenuInfo(popup.Handle(), 0);
    ASSERT_EQ(folderInfo.hSubMenu, folder->Handle());
    EXPECT_EQ(folderInfo.hbmpItem, HBMMENU_CALLBACK);
    EXPECT_TRUE(MenuInfo(folder->Handle(), 0).fType & MFT_MENUBARBREAK);
    EXPECT_EQ(MenuInfo(folder->Handle(), 0).hbmpItem, nullptr);

    // Emptied, a folder item is a plain item again.
    folder->Clear();
    EXPECT_EQ(folder->Handle(), nullptr);
    EXPECT_EQ(MenuInfo(popup.Handle(), 0).hSubMenu, nullptr);
}

TEST(Menu, MoreItemsThanCommandIdentifiersCanNumberAreChosenAfterAReload)
{
    // 70 folders of 1,000 items: more live items than 16-bit command
    // identifiers could tell apart, built twice as a reload does.
    PopupMenu popup;
    MenuItem* root = popup.Items().Add("root", "Root");
    std::string clicked;
    for (int reload = 0; reload < 2; ++reload) {
        root->Clear();
        for (int f = 0; f < 70; ++f) {
            MenuItem* folder = root->Add("", "Folder " + std::to_string(f));
            for (int i = 0; i < 1000; ++i) {
                std::string caption = std::to_string(f) + "/" + std::to_string(i);
                folder->Add("", caption, -1, [&clicked](MenuItem* s) { clicked = s->Caption(); });
            }
        }
    }
    MenuItem* lastFolder = root->Item(69);
    HMENU menu = lastFolder->Handle();
    ASSERT_EQ(::GetMenuItemCount(menu), 1000);
    MenuItem* last = MenuItem::FromMenuPosition(menu, 999);
    ASSERT_NE(last, nullptr);

    LRESULT result = 0;
    ASSERT_TRUE(HandleMenuMessage(nullptr, WM_MENUCOMMAND, 999, reinterpret_cast<LPARAM>(menu), result));
    EXPECT_EQ(clicked, "69/999");
    ASSERT_TRUE(
        HandleMenuMessage(nullptr, WM_MENUCOMMAND, 0, reinterpret_cast<LPARAM>(root->Item(0)->Handle()), result));
    EXPECT_EQ(clicked, "0/0");

    // A notification that arrives after the items were freed finds nothing.
    root->Clear();
    EXPECT_FALSE(MenuItem::IsLive(last));
    EXPECT_FALSE(HandleMenuMessage(nullptr, WM_MENUCOMMAND, 999, reinterpret_cast<LPARAM>(menu), result));
}

TEST(Menu, OptionItemsFlipTheirMarkBeforeTheHandlerRuns)
{
    PopupMenu popup;
    MenuItem* option = popup.Items().Add("o", "Option");
    option->SetAutoCheck(true);
    bool seen = false;
    option->OnClick = [&seen](MenuItem* sender) { seen = sender->Checked(); };
    option->Click();
    EXPECT_TRUE(seen);
    option->Click();
    EXPECT_FALSE(seen);
}

TEST(Menu, AChoiceInARealPopupReachesTheItem)
{
    Application::Instance().Initialize();
    PopupMenu popup;
    int popups = 0;
    popup.OnPopup = [&popups](PopupMenu*) { ++popups; };
    std::string chosen;
    popup.Items().Add("first", "First", -1, [&chosen](MenuItem* s) { chosen = s->Name(); });
    popup.Items().AddSeparator();
    popup.Items().Add("second", "Second", -1, [&chosen](MenuItem* s) { chosen = s->Name(); });

    // The menu loop runs on this thread; another thread presses Down, Down, Enter.
    std::atomic<bool> pressed {false};
    std::thread keys([&pressed] {
        for (int i = 0; i < 100 && !pressed; ++i) {
            ::Sleep(50);
            if (HWND menuWindow = ::FindWindowA("#32768", nullptr)) {
                for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
                    ::PostMessageA(menuWindow, WM_KEYDOWN, key, 0);
                    ::Sleep(50);
                }
                pressed = true;
            }
        }
    });
    ::SetForegroundWindow(Application::Instance().PopupOwner());
    popup.Popup(100, 100, Application::Instance().PopupOwner());
    keys.join();
    Application::Instance().ProcessMessages();
    ASSERT_TRUE(pressed);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(chosen, "second");
}

} // namespace
