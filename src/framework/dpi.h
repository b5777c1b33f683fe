// Design-time pixel sizes scaled to the DPI the program lays out at.
#pragma once

// Scales a design-time pixel size to the layout DPI, as a scaled form does.
int ScaleForDpi(int designPixels);

// The DPI ScaleForDpi scales to: the screen's at start-up, then that of the
// monitor the main window was last moved to.
int LayoutDpi();
void SetLayoutDpi(int dpi);
