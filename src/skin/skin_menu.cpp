#include "skin/skin_menu.h"

#include "framework/dpi.h"
#include "framework/image_list.h"
#include "skin/skin_renderer.h"

#include <algorithm>

namespace {

struct Colors {
    COLORREF face, text, hotFace, hotText, disabled, line;
};

Colors ColorsOf(const SkinElement& e)
{
    Colors c;
    c.face = ColorOr(e.face, ::GetSysColor(COLOR_MENU));
    c.text = ColorOr(e.text, ::GetSysColor(COLOR_MENUTEXT));
    c.hotFace = ColorOr(e.hotFace, ::GetSysColor(COLOR_HIGHLIGHT));
    c.hotText = ColorOr(e.hotText, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    c.disabled = ColorOr(e.disabledText, ::GetSysColor(COLOR_GRAYTEXT));
    c.line = ColorOr(e.line, c.text);
    return c;
}

// A caption's shortcut text after a tab is drawn flush right.
void SplitCaption(const std::string& caption, std::string& text, std::string& shortcut)
{
    const size_t tab = caption.find('\t');
    text = caption.substr(0, tab);
    shortcut = tab == std::string::npos ? std::string() : caption.substr(tab + 1);
}

SIZE TextSize(HDC dc, HFONT font, const std::string& text)
{
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size {0, 0};
    ::GetTextExtentPoint32A(
        dc, text.empty() ? " " : text.c_str(), text.empty() ? 1 : static_cast<int>(text.size()), &size);
    if (text.empty())
        size.cx = 0;
    ::SelectObject(dc, old);
    return size;
}

void DrawCheck(HDC dc, const RECT& box, COLORREF color)
{
    // A tick two pixels thick, scaled with the box.
    const int w = box.right - box.left, h = box.bottom - box.top;
    const int x0 = box.left + w / 4, y0 = box.top + h / 2;
    const int x1 = box.left + w * 5 / 12, y1 = box.top + h * 2 / 3;
    const int x2 = box.left + w * 3 / 4, y2 = box.top + h / 3;
    for (int d = 0; d < std::max(2, ScaleForDpi(2)); ++d) {
        SkinRenderer::Line(dc, x0, y0 + d, x1, y1 + d, color);
        SkinRenderer::Line(dc, x1, y1 + d, x2 + 1, y2 + d - 1, color);
    }
}

} // namespace

bool SkinMenuPainter::Paints(const Menu& menu) const
{
    if (menu.Tag == disableTag_)
        return false;
    return dynamic_cast<const MainMenu*>(&menu) ? bar_ || popups_ : popups_;
}

void SkinMenuPainter::Measure(const MenuItem& item, bool inBar, MEASUREITEMSTRUCT& measure)
{
    HDC dc = renderer_.MeasureDc();
    std::string text, shortcut;
    SplitCaption(item.Caption(), text, shortcut);
    const SIZE size = TextSize(dc, renderer_.MenuFont(), text);
    if (inBar) {
        // The system adds the bar's own spacing around it.
        measure.itemWidth = static_cast<UINT>(size.cx);
        measure.itemHeight = static_cast<UINT>(std::max<int>(size.cy + ScaleForDpi(4), ::GetSystemMetrics(SM_CYMENU)));
        return;
    }
    if (item.IsSeparator()) {
        measure.itemWidth = 1;
        measure.itemHeight = static_cast<UINT>(ScaleForDpi(7));
        return;
    }
    const Menu* menu = item.OwnerMenu();
    const ImageList* images = menu ? menu->Images() : nullptr;
    const int glyph = images ? images->Height() : 16;
    int height = std::max<int>(size.cy + ScaleForDpi(6), glyph + ScaleForDpi(4));
    if (renderer_.Skin().menuItemHeight > 0)
        height = std::max(height, ScaleForDpi(renderer_.Skin().menuItemHeight));
    int width = ScaleForDpi(28) + size.cx + ScaleForDpi(20);
    if (!shortcut.empty())
        width += TextSize(dc, renderer_.MenuFont(), shortcut).cx + ScaleForDpi(16);
    measure.itemWidth = static_cast<UINT>(width);
    measure.itemHeight = static_cast<UINT>(height);
}

void SkinMenuPainter::Draw(const MenuItem& item, bool inBar, const DRAWITEMSTRUCT& draw)
{
    if (inBar)
        DrawBarItem(item, draw);
    else
        DrawPopupItem(item, draw);
}

void SkinMenuPainter::DrawBarItem(const MenuItem& item, const DRAWITEMSTRUCT& draw)
{
    const SkinElement& e = renderer_.Part(SkinPart::MenuBar);
    const Colors c = ColorsOf(e);
    const bool hot = (draw.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    const bool disabled = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0 || !item.Enabled();
    HDC dc = draw.hDC;
    const RECT& r = draw.rcItem;
    if (hot) {
        if (!renderer_.DrawGrid(dc, e.hotGrid, 0, r))
            SkinRenderer::Fill(dc, r, c.hotFace);
    } else if (!renderer_.DrawGrid(dc, e.grid, 0, r)) {
        SkinRenderer::Fill(dc, r, c.face);
    }
    HGDIOBJ oldFont = ::SelectObject(dc, renderer_.MenuFont());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(dc, disabled ? c.disabled : hot ? c.hotText : c.text);
    RECT text = r;
    ::DrawTextA(dc, item.Caption().c_str(), static_cast<int>(item.Caption().size()), &text,
        DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    ::SetTextColor(dc, oldColor);
    ::SetBkMode(dc, oldMode);
    ::SelectObject(dc, oldFont);
}

void SkinMenuPainter::DrawPopupItem(const MenuItem& item, const DRAWITEMSTRUCT& draw)
{
    const SkinElement& e = renderer_.Part(SkinPart::Menu);
    const Colors c = ColorsOf(e);
    HDC dc = draw.hDC;
    const RECT& r = draw.rcItem;
    const bool selected = (draw.itemState & ODS_SELECTED) != 0 && !item.IsSeparator();
    const bool disabled = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0 || !item.Enabled();

    if (!renderer_.DrawGrid(dc, e.grid, 0, r))
        SkinRenderer::Fill(dc, r, c.face);
    if (item.IsSeparator()) {
        const int y = (r.top + r.bottom) / 2;
        SkinRenderer::Line(dc, r.left + ScaleForDpi(4), y, r.right - ScaleForDpi(4), y, c.line);
        return;
    }
    if (selected && !renderer_.DrawGrid(dc, e.hotGrid, 0, r))
        SkinRenderer::Fill(dc, r, c.hotFace);

    const Menu* menu = item.OwnerMenu();
    ImageList* images = menu ? menu->Images() : nullptr;
    const int gutter = ScaleForDpi(28);
    const int glyphSize = images ? images->Height() : 16;
    RECT box {r.left + (gutter - glyphSize) / 2, r.top + (r.bottom - r.top - glyphSize) / 2, 0, 0};
    box.right = box.left + glyphSize;
    box.bottom = box.top + glyphSize;
    if (images && item.ImageIndex() >= 0) {
        if (item.Checked()) {
            RECT frame {box.left - 2, box.top - 2, box.right + 2, box.bottom + 2};
            SkinRenderer::Frame(dc, frame, c.line);
        }
        images->Draw(dc, item.ImageIndex(), box.left, box.top, !disabled);
    } else if (item.Checked()) {
        DrawCheck(dc, box, selected ? c.hotText : c.line);
    }

    std::string text, shortcut;
    SplitCaption(item.Caption(), text, shortcut);
    HGDIOBJ oldFont = ::SelectObject(dc, renderer_.MenuFont());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF textColor = disabled ? c.disabled : selected ? c.hotText : c.text;
    const COLORREF oldColor = ::SetTextColor(dc, textColor);
    RECT textRect {r.left + gutter, r.top, r.right - ScaleForDpi(16), r.bottom};
    const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, flags | DT_LEFT);
    if (!shortcut.empty())
        ::DrawTextA(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &textRect, flags | DT_RIGHT);
    ::SelectObject(dc, oldFont);
    ::SetBkMode(dc, oldMode);

    if (item.Count() > 0) {
        // The system draws the submenu arrow over an owner-drawn item itself,
        // from a monochrome bitmap in the DC's colours: leave them to match.
        ::SetTextColor(dc, selected ? c.hotText : disabled ? c.disabled : c.line);
        ::SetBkColor(dc, selected ? c.hotFace : c.face);
        return;
    }
    ::SetTextColor(dc, oldColor);
}
