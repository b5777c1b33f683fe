// Letters typed in an open menu of the "我的程序" trees: the typed letter
// selects or starts an entry by its caption's first letter or pinyin initial.
#pragma once
#include "framework/menu.h"

#include <windows.h>

// The WM_MENUCHAR answer for `menu` when it is the root or a folder of one of
// the trees below `roots` (null entries ignored): true with the result when
// an entry matches; false leaves the key to the system.
bool TreeMenuChar(HMENU menu, char key, const MenuItem* const (&roots)[2], LRESULT& result);
