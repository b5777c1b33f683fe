// The DPI the program draws at, read from the system.
#pragma once
#include <windows.h>

// The screen's DPI at log-on, the one a system-aware program lays out at.
int ScreenDpi();

// The side of small icons (menu glyphs, shortcut icons, the tray icon) at
// the screen's DPI.
int ScreenSmallIconSize();
