// Registers a window class of this module once.
#pragma once
#include <windows.h>

// Arrow cursor and the button-face background: the look of every window here.
void EnsureWindowClass(const char* name, WNDPROC procedure, UINT style = 0);
