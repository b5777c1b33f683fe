// Opens the same menus unskinned and skinned and prints the times side by
// side: a tray-style popup (glyphs, separators, check marks, a submenu) and a
// "我的程序" tree of 1,000 shortcuts with icons and column breaks, shown as
// one popup. Then the process's GDI objects over 100 skinned popups and over
// 100 reloads of the skin.
//
//   wine skin_bench.exe <skin file> [--rounds N] [--tree-rounds N]
#include "gdi_objects.h"

#include "framework/image_list.h"
#include "framework/menu.h"
#include "skin/skin_engine.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const int kShortcuts = 1000;
const int kPerColumn = 40;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (HandleMenuMessage(window, message, wParam, lParam, result))
        return result;
    // The menu is up and drawn: close it at once, the figure is the opening.
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
        ::EndMenu();
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeOwner()
{
    WNDCLASSA wc {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "SkinBenchOwner";
    ::RegisterClassA(&wc);
    HWND window = ::CreateWindowExA(0, wc.lpszClassName, "皮肤基准", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
        nullptr, wc.hInstance, nullptr);
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    return window;
}

void FillImages(ImageList& images)
{
    HICON icons[] = {::LoadIconA(nullptr, IDI_APPLICATION), ::LoadIconA(nullptr, IDI_WARNING),
        ::LoadIconA(nullptr, IDI_INFORMATION), ::LoadIconA(nullptr, IDI_QUESTION)};
    for (HICON icon : icons)
        images.AppendIcon(icon);
}

void BuildTray(PopupMenu& tray, MenuItem*& programs)
{
    MenuItem& root = tray.Items();
    root.Add("sijian", "2026年12月8日 星期二 22:30", 0);
    root.AddSeparator();
    programs = root.Add("menu_cenxvkuaijie", "我的程序", 1);
    for (const char* caption : {"我的文档", "我的电脑", "网上邻居", "控制面板", "收藏夹", "运行..."})
        root.Add("", caption, 2);
    root.AddSeparator();
    root.Add("morenzuomian", "默认桌面", -1)->SetChecked(true);
    root.Add("zuomian2", "桌面2", -1);
    root.AddSeparator();
    for (const char* caption : {"关机", "重启", "注销", "显示桌面", "退出本软件"})
        root.Add("", caption, 3);
    MenuItem* disabled = root.Add("", "已禁用的项", -1);
    disabled->SetEnabled(false);
}

void BuildTree(MenuItem* programs)
{
    for (int i = 0; i < kShortcuts; ++i) {
        MenuItem* item = programs->Add("", "快捷方式 " + std::to_string(i + 1) + " 应用程序", i % 4);
        if (i > 0 && i % kPerColumn == 0)
            item->SetBreak(MenuBreak::Break);
    }
}

// Milliseconds per opening of `menu`, over `rounds` openings.
double TimeOpen(HMENU menu, HWND owner, int rounds)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, 20, 20, 0, owner, nullptr);
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count() / rounds;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: skin_bench <skin file> [--rounds N] [--tree-rounds N]\n");
        return 2;
    }
    const std::string skinFile = argv[1];
    int rounds = 40;
    int treeRounds = 5; // one opening of the big tree takes seconds under Wine
    for (int i = 2; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0)
            rounds = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--tree-rounds") == 0)
            treeRounds = std::max(1, std::atoi(argv[i + 1]));
    }

    HWND owner = MakeOwner();
    ImageList images;
    FillImages(images);
    PopupMenu tray;
    tray.SetImages(&images);
    MenuItem* programs = nullptr;
    BuildTray(tray, programs);
    BuildTree(programs);

    TSkinEngine engine(owner);
    engine.Scope = SkinScope::WholeApplication;
    engine.SkinnedElements = {SkinElementKind::MainMenuBar, SkinElementKind::PopupMenus, SkinElementKind::PushButtons,
        SkinElementKind::Panels};

    // Warm-up: first openings load fonts and menu bitmaps.
    TimeOpen(tray.Handle(), owner, 2);
    TimeOpen(programs->Handle(), owner, 2);
    const double trayPlain = TimeOpen(tray.Handle(), owner, rounds);
    const double treePlain = TimeOpen(programs->Handle(), owner, treeRounds);

    engine.SetSkinFile(skinFile);
    if (!engine.SkinLoaded()) {
        std::fprintf(stderr, "skin_bench: %s is not a skin\n", skinFile.c_str());
        return 1;
    }
    engine.SetActive(true);
    TimeOpen(tray.Handle(), owner, 2);
    TimeOpen(programs->Handle(), owner, 2);
    const double traySkinned = TimeOpen(tray.Handle(), owner, rounds);
    const double treeSkinned = TimeOpen(programs->Handle(), owner, treeRounds);

    std::printf("menu opening (ms each)                  unskinned    skinned    ratio\n");
    std::printf("  tray popup, %2d items, %3d rounds      %8.2f   %8.2f   %5.2fx\n", tray.Items().Count(), rounds,
        trayPlain, traySkinned, traySkinned / trayPlain);
    std::printf("  tree of %d shortcuts, %3d rounds   %8.2f   %8.2f   %5.2fx\n", kShortcuts, treeRounds, treePlain,
        treeSkinned, treeSkinned / treePlain);

    const DWORD beforePopups = GdiObjects();
    // Mostly the tray popup: one opening of the big tree takes seconds under Wine.
    for (int i = 0; i < 100; ++i)
        TimeOpen((i % 10) ? tray.Handle() : programs->Handle(), owner, 1);
    const DWORD afterPopups = GdiObjects();
    for (int i = 0; i < 100; ++i)
        engine.SetSkinFile(skinFile);
    const DWORD afterReloads = GdiObjects();
    std::printf("GDI objects: %lu before, %lu after 100 skinned popups, %lu after 100 reloads\n",
        static_cast<unsigned long>(beforePopups), static_cast<unsigned long>(afterPopups),
        static_cast<unsigned long>(afterReloads));
    ::DestroyWindow(owner);
    return 0;
}
