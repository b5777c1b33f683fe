/* Resource ids shared by the program and res/app.rc (C, C++ and rc). */
#ifndef TRAYSTART_RESOURCE_IDS_H
#define TRAYSTART_RESOURCE_IDS_H

/* 1 and the first icon: the shell shows it as the program's icon. */
#define IDI_MAINICON 1

/* Main window picture, 340x150, 256 colours. */
#define IDB_IMAGE1 101

/* The 17 menu glyphs, 16x16 each in one strip; magenta is transparent. */
#define IDB_GLYPHS 102
/* The same strip drawn at 20, 24 and 32 pixels, for higher DPI. */
#define IDB_GLYPHS20 104
#define IDB_GLYPHS24 105
#define IDB_GLYPHS32 106

/* The about box's picture: a 144x90 JPEG, raw data. */
#define IDR_ABOUTPICTURE 103

#endif
