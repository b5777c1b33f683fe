// The engine in this process: loading, switching on, which windows and menus
// it takes over and which it leaves alone.
#include "framework/controls.h"
#include "framework/errors.h"
#include "framework/image_list.h"
#include "framework/menu.h"
#include "skin/skin_engine.h"
#include "support/harness.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace harness;

namespace {

HWND MakeWindow(const char* title, DWORD style = WS_OVERLAPPEDWINDOW)
{
    static const char* kClass = [] {
        WNDCLASSA wc {};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "SkinEngineTestWindow";
        ::RegisterClassA(&wc);
        return "SkinEngineTestWindow";
    }();
    return ::CreateWindowExA(
        0, kClass, title, style, 50, 50, 200, 150, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

UINT ItemType(HMENU menu, int position)
{
    MENUITEMINFOA info {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return info.fType;
}

std::string ItemText(HMENU menu, int position)
{
    char text[128] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

class SkinEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin = dir.PathOf("皮肤\\兰红_Slate.skn");
        ASSERT_TRUE(dir.WriteFile("皮肤\\兰红_Slate.skn", ReadWholeFile(SourcePath("data\\皮肤\\兰红_Slate.skn"))));
        owner = MakeWindow("owner");
        engine = std::make_unique<TSkinEngine>(owner);
        engine->Scope = SkinScope::WholeApplication;
        engine->SkinnedElements = {SkinElementKind::MainMenuBar, SkinElementKind::PopupMenus,
            SkinElementKind::PushButtons, SkinElementKind::Panels};
    }
    void TearDown() override
    {
        engine.reset();
        ::DestroyWindow(owner);
    }

    TempDir dir;
    std::string skin;
    HWND owner = nullptr;
    std::unique_ptr<TSkinEngine> engine;
};

TEST_F(SkinEngineTest, SettingTheFileLoadsOnlyARealSkinAndSaysNothing)
{
    struct Case {
        const char* name;
        const char* content; // nullptr: no file at all
        bool loads;
    };
    const Case cases[] = {
        {"missing", nullptr, false},
        {"not an archive", "hello", false},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        const std::string path = dir.PathOf(std::string(c.name) + ".skn");
        if (c.content) {
            ASSERT_TRUE(dir.WriteFile(std::string(c.name) + ".skn", c.content));
        }
        EXPECT_NO_THROW(engine->SetSkinFile(path)) << c.name;
        EXPECT_EQ(engine->SkinLoaded(), c.loads) << c.name;
        EXPECT_EQ(engine->SkinFile(), path);
    }
    engine->SetSkinFile(skin);
    EXPECT_TRUE(engine->SkinLoaded());
    // Replaced by a file that is no skin: nothing stays loaded.
    engine->SetSkinFile(dir.PathOf("missing.skn"));
    EXPECT_FALSE(engine->SkinLoaded());
}

TEST_F(SkinEngineTest, AFileHeldWithoutReadSharingRaisesAnErrorNamingThePath)
{
    HANDLE held = ::CreateFileA(skin.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    try {
        engine->SetSkinFile(skin);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        const std::string text = e.what();
        EXPECT_EQ(text.rfind("Cannot open file \"" + skin + "\". ", 0), 0u) << text;
        EXPECT_GT(text.size(), skin.size() + 20) << text;
    }
    ::CloseHandle(held);
    EXPECT_FALSE(engine->SkinLoaded());
    EXPECT_FALSE(engine->Active());
}

TEST_F(SkinEngineTest, SwitchingOnSkinsWindowsNowAndLaterButNotTag99OrCaptionlessOnes)
{
    HWND before = MakeWindow("before");
    HWND tagged = MakeWindow("tagged");
    ::SetPropA(tagged, "Tag", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(99)));
    engine->SetSkinFile(skin);
    EXPECT_FALSE(engine->IsSkinned(before)) << "nothing before it is switched on";
    engine->SetActive(true);
    EXPECT_TRUE(engine->IsSkinned(owner));
    EXPECT_TRUE(engine->IsSkinned(before));
    EXPECT_FALSE(engine->IsSkinned(tagged));

    HWND later = MakeWindow("later");
    HWND popup = MakeWindow("", WS_POPUP);
    EXPECT_TRUE(engine->IsSkinned(later));
    EXPECT_FALSE(engine->IsSkinned(popup));
    // The same value again changes nothing.
    engine->SetActive(true);
    EXPECT_TRUE(engine->IsSkinned(later));
    for (HWND w : {before, tagged, later, popup})
        ::DestroyWindow(w);
}

// The colour on the screen at `x`, `y` of `window`'s client area.
COLORREF PixelOf(HWND window, int x, int y)
{
    POINT at {x, y};
    ::ClientToScreen(window, &at);
    HDC screen = ::GetDC(nullptr);
    const COLORREF color = ::GetPixel(screen, at.x, at.y);
    ::ReleaseDC(nullptr, screen);
    return color;
}

TEST_F(SkinEngineTest, ALabelOnASkinnedPanelIsDrawnOnThePanelsColour)
{
    engine->SetSkinFile(skin);
    engine->SetActive(true);
    HWND host = MakeWindow("host");
    auto panel = std::make_unique<Panel>(host, 4, 4, 160, 90);
    auto label = std::make_unique<Label>(panel->Handle(), 10, 10, 120, 24, "标签");
    ::ShowWindow(host, SW_SHOWNOACTIVATE);
    ::UpdateWindow(host);
    PumpFor(300);
    const COLORREF panelColour = PixelOf(panel->Handle(), 150, 80);
    EXPECT_NE(panelColour, ::GetSysColor(COLOR_BTNFACE)) << "the panel is not skinned";
    // The label's corner right of its short caption: background only.
    EXPECT_EQ(PixelOf(label->Handle(), 110, 2), panelColour);
    label.reset();
    panel.reset();
    ::DestroyWindow(host);
}

// A subclass of the program's own on top of the skin's, as the framework's
// push buttons have: it passes everything to the procedure it replaced.
WNDPROC belowOurs = nullptr;
LRESULT CALLBACK OnTop(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcA(belowOurs, window, message, wParam, lParam);
}

TEST_F(SkinEngineTest, AButtonSubclassedAfterTheSkinKeepsItsOwnBehaviourWhenTheSkinGoesAndComes)
{
    engine->SetSkinFile(skin);
    engine->SetActive(true);
    HWND button = ::CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 60, 24, owner,
        nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(engine->IsSkinned(button));
    belowOurs
        = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OnTop)));
    // Only the system's button keeps a pushed state.
    auto pushedKept = [button] {
        ::SendMessageA(button, BM_SETSTATE, TRUE, 0);
        const bool kept = (::SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
        ::SendMessageA(button, BM_SETSTATE, FALSE, 0);
        return kept;
    };
    EXPECT_TRUE(pushedKept());
    engine->SetActive(false);
    EXPECT_FALSE(engine->IsSkinned(button));
    EXPECT_TRUE(pushedKept()) << "the button lost its own procedure with the skin";
    engine->SetActive(true);
    EXPECT_TRUE(engine->IsSkinned(button));
    EXPECT_TRUE(pushedKept());
    engine.reset();
    EXPECT_TRUE(pushedKept()) << "the button lost its own procedure with the engine";
    ::DestroyWindow(button);
}

TEST_F(SkinEngineTest, OnlyTheOwnerWhenTheScopeIsTheOwner)
{
    engine->Scope = SkinScope::OwnerOnly;
    engine->SetSkinFile(skin);
    engine->SetActive(true);
    HWND other = MakeWindow("other");
    EXPECT_TRUE(engine->IsSkinned(owner));
    EXPECT_FALSE(engine->IsSkinned(other));
    ::DestroyWindow(other);
}

TEST_F(SkinEngineTest, WithoutASkinSwitchingOnChangesNothing)
{
    PopupMenu menu;
    menu.Items().Add("a", "甲");
    engine->SetSkinFile(dir.PathOf("missing.skn"));
    engine->SetActive(true);
    EXPECT_TRUE(engine->Active());
    EXPECT_FALSE(engine->IsSkinned(owner));
    EXPECT_EQ(ItemType(menu.Handle(), 0) & MFT_OWNERDRAW, 0u);
}

TEST_F(SkinEngineTest, MenusBeforeAndAfterAreOwnerDrawnWithCaptionsKeptExceptTag99)
{
    ImageList images;
    PopupMenu early;
    early.SetImages(&images);
    early.Items().Add("a", "我的程序 & 工具", 0);
    early.Items().AddSeparator();
    PopupMenu tagged;
    tagged.Tag = 99;
    tagged.Items().Add("b", "乙");
    engine->SetSkinFile(skin);
    engine->SetActive(true);

    EXPECT_NE(ItemType(early.Handle(), 0) & MFT_OWNERDRAW, 0u);
    EXPECT_NE(ItemType(early.Handle(), 1) & MFT_SEPARATOR, 0u);
    EXPECT_EQ(ItemText(early.Handle(), 0), "我的程序 && 工具");
    EXPECT_EQ(ItemType(tagged.Handle(), 0) & MFT_OWNERDRAW, 0u);

    // Items added at run time, with column breaks, are owner-drawn as well.
    MenuItem* late = early.Items().Add("c", "丙", 0);
    late->SetBreak(MenuBreak::Break);
    EXPECT_EQ(ItemType(early.Handle(), 2) & (MFT_OWNERDRAW | MFT_MENUBREAK), UINT(MFT_OWNERDRAW | MFT_MENUBREAK));
    EXPECT_EQ(ItemText(early.Handle(), 2), "丙");

    // Measured and drawn by the skin through the owner's menu messages.
    MEASUREITEMSTRUCT measure {};
    measure.CtlType = ODT_MENU;
    measure.itemData = reinterpret_cast<ULONG_PTR>(late);
    LRESULT result = 0;
    ASSERT_TRUE(HandleMenuMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), result));
    EXPECT_GE(static_cast<int>(measure.itemHeight), 22) << "the skin's item height";
    EXPECT_GT(measure.itemWidth, 16u);
}

TEST_F(SkinEngineTest, DestroyingTheEngineGivesMenusAndWindowsBack)
{
    PopupMenu menu;
    menu.Items().Add("a", "甲");
    engine->SetSkinFile(skin);
    engine->SetActive(true);
    HWND window = MakeWindow("w");
    const LONG_PTR skinned = ::GetWindowLongPtrA(window, GWLP_WNDPROC);
    engine.reset();
    EXPECT_EQ(ItemType(menu.Handle(), 0) & MFT_OWNERDRAW, 0u);
    EXPECT_EQ(CurrentMenuPainter(), nullptr);
    EXPECT_NE(::GetWindowLongPtrA(window, GWLP_WNDPROC), skinned);
    ::DestroyWindow(window);
}

} // namespace
