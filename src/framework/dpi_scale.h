// Sizes that follow the screen's DPI, as plain arithmetic.
#pragma once

#include <vector>

// The DPI the layout is designed at (100 %).
constexpr int kDesignDpi = 96;

// The side of a small icon (menu glyph, shortcut icon, tray icon) at `dpi`:
// 16 at 96, 20 at 120, 24 at 144, 32 at 192; never below 16.
int SmallIconSize(int dpi);

// Of the image sizes a source offers, the one to draw an image of side
// `wanted` from: the same size, else the nearest larger one (scaled down
// once), else the largest. 0 when `available` is empty.
int SourceSizeFor(int wanted, const std::vector<int>& available);

// What a window moved to a monitor of another DPI must redo.
struct DpiChange {
    int dpi; // the new DPI (the design DPI when the notice carries none)
    int iconSize; // small icons at that DPI
    bool relayout; // scaled metrics and fonts change
    bool rebuildIcons; // image lists and icons must be made at `iconSize`
};
// From the DPI-change notice's wParam (the new DPI in both words; the low
// one is read) and what the program draws at now.
DpiChange PlanDpiChange(unsigned long noticeWParam, int currentDpi, int currentIconSize);
