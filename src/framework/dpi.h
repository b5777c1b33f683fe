// Design-time pixel sizes scaled to the system DPI.
#pragma once

// Scales a design-time pixel size to the system DPI, as a scaled form does.
int ScaleForDpi(int designPixels);
