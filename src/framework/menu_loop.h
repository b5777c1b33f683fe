// What happens while one of the program's menus is open: whether one is, and
// who answers keys that no item of the open menu claims.
#pragma once
#include <windows.h>

#include <functional>

// Answers WM_MENUCHAR for `menu` (the open menu): true with the message's
// result (MNC_SELECT / MNC_EXECUTE and a position) when it takes the key.
using MenuCharHandler = std::function<bool(HMENU menu, char key, LRESULT& result)>;
void SetMenuCharHandler(MenuCharHandler handler);

// Whether a menu of this thread is open now (a popup being tracked or a menu
// bar entered), between WM_ENTERMENULOOP and WM_EXITMENULOOP.
bool MenuLoopActive();

// The menu-loop and WM_MENUCHAR part of HandleMenuMessage.
bool HandleMenuLoopMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
