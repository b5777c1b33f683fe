#pragma once
#define IDI_MAINICON 1
#define IDB_IMAGE1 101
#define IDB_GLYPHS 102
