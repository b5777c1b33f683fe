// The loaded skin's drawing resources, each held once for the engine's life:
// one bitmap per image of the archive, one memory DC to draw them from, the
// menu font and the menu background brush. Drawing never creates GDI objects
// per item: colours go through the DC brush and pen.
#pragma once
#include <windows.h>

#include "framework/scoped.h"
#include "skin/skin_format.h"

#include <memory>
#include <vector>

COLORREF ToColorRef(const SkinRgb& rgb);
// The skin's colour when it gives one, else `fallback`.
COLORREF ColorOr(const std::optional<SkinRgb>& color, COLORREF fallback);

class SkinRenderer {
public:
    explicit SkinRenderer(SkinPackage package);
    SkinRenderer(const SkinRenderer&) = delete;
    SkinRenderer& operator=(const SkinRenderer&) = delete;

    const SkinPackage& Skin() const { return skin_; }
    const SkinElement& Part(SkinPart part) const { return skin_.Part(part); }

    // Frame `state` of the grid stretched over `r`; false when the grid has no image.
    bool DrawGrid(HDC dc, const SkinGrid& grid, int state, const RECT& r) const;
    // Grid if there is one, else the colour if there is one; false when neither.
    bool DrawFace(HDC dc, const SkinGrid& grid, int state, const std::optional<SkinRgb>& color, const RECT& r) const;
    static void Fill(HDC dc, const RECT& r, COLORREF color);
    static void Frame(HDC dc, const RECT& r, COLORREF color);
    static void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color);

    HFONT MenuFont() const { return menuFont_.Get(); }
    HFONT CaptionFont() const { return captionFont_.Get(); }
    // Null when the skin gives the menu no background colour.
    HBRUSH MenuBrush() const { return menuBrush_.Get(); }
    // Null when the skin gives the menu bar no colour.
    HBRUSH BarBrush() const { return barBrush_.Get(); }
    // Null when the skin gives windows no background colour.
    HBRUSH WindowBrush() const { return windowBrush_.Get(); }
    // Null when the skin gives panels no colour.
    HBRUSH PanelBrush() const { return panelBrush_.Get(); }
    // A memory DC for measuring text.
    HDC MeasureDc() const { return measureDc_.Get(); }
    // The fonts again at the layout DPI (it changed).
    void MakeFonts();

private:
    SkinPackage skin_;
    std::vector<GdiObject<HBITMAP>> bitmaps_; // index = image index of the package
    std::vector<SIZE> sizes_;
    MemoryDc imageDc_;
    MemoryDc measureDc_;
    GdiObject<HFONT> menuFont_;
    GdiObject<HFONT> captionFont_;
    GdiObject<HBRUSH> menuBrush_;
    GdiObject<HBRUSH> windowBrush_;
    GdiObject<HBRUSH> panelBrush_;
    GdiObject<HBRUSH> barBrush_;
};
