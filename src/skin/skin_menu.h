// Draws the framework's menus (menu bar and popups) from the skin: owner-drawn
// items keep their captions, glyphs, check marks, column breaks and submenus.
#pragma once
#include "framework/menu.h"

class SkinRenderer;

class SkinMenuPainter : public MenuPainter {
public:
    SkinMenuPainter(const SkinRenderer& renderer, int disableTag, bool bar, bool popups)
        : renderer_(renderer)
        , disableTag_(disableTag)
        , bar_(bar)
        , popups_(popups)
    {
    }
    bool Paints(const Menu& menu) const override;
    void Measure(const MenuItem& item, bool inBar, MEASUREITEMSTRUCT& measure) override;
    void Draw(const MenuItem& item, bool inBar, const DRAWITEMSTRUCT& draw) override;

private:
    void DrawBarItem(const MenuItem& item, const DRAWITEMSTRUCT& draw);
    void DrawPopupItem(const MenuItem& item, const DRAWITEMSTRUCT& draw);
    const SkinRenderer& renderer_;
    int disableTag_;
    bool bar_;
    bool popups_;
};
