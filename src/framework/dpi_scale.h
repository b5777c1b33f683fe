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
