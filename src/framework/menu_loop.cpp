#include "framework/menu_loop.h"

namespace {
MenuCharHandler g_menuChar;
int g_openLoops = 0;
} // namespace

void SetMenuCharHandler(MenuCharHandler handler) { g_menuChar = std::move(handler); }

bool MenuLoopActive() { return g_openLoops > 0; }

bool HandleMenuLoopMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_ENTERMENULOOP:
        ++g_openLoops;
        return false; // the system's own handling goes on
    case WM_EXITMENULOOP:
        if (g_openLoops > 0)
            --g_openLoops;
        return false;
    case WM_MENUCHAR: {
        // The system menu's keys stay the system's.
        if (!g_menuChar || (HIWORD(wParam) & MF_SYSMENU))
            return false;
        const WORD key = LOWORD(wParam);
        return key < 0x80 && g_menuChar(reinterpret_cast<HMENU>(lParam), static_cast<char>(key), result);
    }
    default:
        return false;
    }
}
