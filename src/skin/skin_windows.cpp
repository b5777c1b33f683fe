#include "skin/skin_windows.h"

#include "framework/dpi.h"
#include "skin/skin_renderer.h"

#include <algorithm>
#include <string>

namespace {

RECT Offset(RECT r, int dx, int dy)
{
    ::OffsetRect(&r, dx, dy);
    return r;
}

bool Inside(const RECT& r, POINT p) { return ::PtInRect(&r, p) != FALSE; }

// The caption-button frame of a strip: normal, hover, pressed, disabled.
int ButtonFrame(bool disabled, bool pressed, bool hot) { return disabled ? 3 : pressed ? 2 : hot ? 1 : 0; }

} // namespace

void FrameChanged(HWND window)
{
    ::SetWindowPos(
        window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

struct SkinWindows::Layout {
    RECT window {}; // window coordinates: (0,0) is the window's top-left
    RECT client {};
    RECT caption {};
    RECT bar {}; // empty without a menu bar
    int count = 0;
    RECT buttons[3] {};
    int codes[3] {};
    bool disabled[3] {};
};

SkinWindows::SkinWindows(const SkinRenderer& renderer)
    : renderer_(renderer)
{
}

SkinWindows::~SkinWindows()
{
    while (!states_.empty())
        Remove(states_.begin()->first);
}

bool SkinWindows::DrawsFrames() const
{
    return renderer_.Part(SkinPart::Caption).Described() || renderer_.Part(SkinPart::Border).Described();
}
bool SkinWindows::DrawsButtons() const { return renderer_.Part(SkinPart::Button).Described(); }
bool SkinWindows::DrawsPanels() const { return renderer_.Part(SkinPart::Panel).Described(); }

bool SkinWindows::Add(HWND window, Kind kind)
{
    if (!::IsWindow(window) || Has(window))
        return false;
    State& state = states_[window];
    state.kind = kind;
    state.active = kind != Kind::Frame || ::GetForegroundWindow() == window || ::GetActiveWindow() == window;
    if (!state.subclass.Install(window, [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
            return Message(hwnd, message, wParam, lParam);
        })) {
        states_.erase(window);
        return false;
    }
    return true;
}

void SkinWindows::Remove(HWND window)
{
    auto it = states_.find(window);
    if (it == states_.end())
        return;
    const Kind kind = it->second.kind;
    states_.erase(it);
    if (::IsWindow(window)) {
        if (kind == Kind::Frame)
            FrameChanged(window);
        ::InvalidateRect(window, nullptr, TRUE);
    }
}

void SkinWindows::Refresh(HWND window)
{
    auto it = states_.find(window);
    if (it == states_.end())
        return;
    if (it->second.kind == Kind::Frame) {
        it->second.active = ::GetActiveWindow() == window;
        PaintFrame(window, it->second);
    }
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT SkinWindows::Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto it = states_.find(window);
    if (it == states_.end())
        return WindowSubclass::CallNext(window, message, wParam, lParam);
    State& state = it->second;
    if (message == WM_NCDESTROY) {
        states_.erase(it);
        return WindowSubclass::CallNext(window, message, wParam, lParam);
    }
    switch (state.kind) {
    case Kind::Frame:
        return FrameMessage(window, state, message, wParam, lParam);
    case Kind::Button:
        return ButtonMessage(window, state, message, wParam, lParam);
    case Kind::Panel:
        return PanelMessage(window, message, wParam, lParam);
    }
    return WindowSubclass::CallNext(window, message, wParam, lParam);
}

SkinWindows::Layout SkinWindows::FrameLayout(HWND window) const
{
    Layout l;
    RECT w, c;
    ::GetWindowRect(window, &w);
    ::GetClientRect(window, &c);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&c), 2);
    l.window = Offset(w, -w.left, -w.top);
    l.client = Offset(c, -w.left, -w.top);
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongA(window, GWL_EXSTYLE);
    const int border = std::max<int>(0, l.client.left);
    const bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
    const int captionHeight = ::GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION);
    const int captionBottom = std::min<int>(border + captionHeight, l.client.top);
    l.caption = RECT {border, border, l.window.right - border, captionBottom};
    if (::GetMenu(window) && captionBottom < l.client.top)
        l.bar = RECT {l.client.left, captionBottom, l.client.right, l.client.top};

    const SkinCaptionButtons& b = renderer_.Skin().buttons;
    const int height = l.caption.bottom - l.caption.top;
    const int bh = std::min(b.height ? ScaleForDpi(b.height) : height - 4, height);
    const int bw = b.width ? ScaleForDpi(b.width) : bh + 2;
    const int gap = ScaleForDpi(b.spacing);
    int right = l.caption.right - ScaleForDpi(b.rightMargin) - 2;
    const int top = l.caption.top + (height - bh) / 2;
    auto add = [&](int code, bool disabled) {
        l.buttons[l.count] = RECT {right - bw, top, right, top + bh};
        l.codes[l.count] = code;
        l.disabled[l.count] = disabled;
        ++l.count;
        right -= bw + gap;
    };
    if (style & WS_SYSMENU) {
        HMENU system = ::GetSystemMenu(window, FALSE);
        const UINT closeState = system ? ::GetMenuState(system, SC_CLOSE, MF_BYCOMMAND) : 0;
        add(HTCLOSE, closeState != static_cast<UINT>(-1) && (closeState & (MF_GRAYED | MF_DISABLED)) != 0);
        if (!tool && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
            add(HTMAXBUTTON, !(style & WS_MAXIMIZEBOX));
            add(HTMINBUTTON, !(style & WS_MINIMIZEBOX));
        }
    }
    return l;
}

void SkinWindows::PaintCaptionButton(
    HDC dc, const RECT& r, int code, bool disabled, const State& state, bool zoomed) const
{
    const SkinCaptionButtons& b = renderer_.Skin().buttons;
    const SkinGrid& grid = code == HTCLOSE ? b.close
        : code == HTMINBUTTON              ? b.minimize
        : zoomed                           ? b.restore
                                           : b.maximize;
    const bool pressed = state.pressed == code && state.inside;
    const bool hot = state.hot == code || pressed;
    if (renderer_.DrawGrid(dc, grid, ButtonFrame(disabled, pressed, hot), r))
        return;
    const SkinElement& e = renderer_.Part(SkinPart::CaptionButtons);
    if (!e.Described()) {
        // Not in the skin: the system's own button.
        UINT kind = code == HTCLOSE ? DFCS_CAPTIONCLOSE
            : code == HTMINBUTTON   ? DFCS_CAPTIONMIN
            : zoomed                ? DFCS_CAPTIONRESTORE
                                    : DFCS_CAPTIONMAX;
        RECT copy = r;
        ::DrawFrameControl(dc, &copy, DFC_CAPTION, kind | (pressed ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));
        return;
    }
    const COLORREF face = hot ? ColorOr(e.hotFace, ColorOr(e.face, ::GetSysColor(COLOR_BTNFACE)))
                              : ColorOr(e.face, ::GetSysColor(COLOR_BTNFACE));
    SkinRenderer::Fill(dc, r, face);
    if (e.border)
        SkinRenderer::Frame(dc, r, ToColorRef(*e.border));
    const COLORREF ink = disabled ? ColorOr(e.disabledText, ::GetSysColor(COLOR_GRAYTEXT))
        : hot                     ? ColorOr(e.hotText, ColorOr(e.text, RGB(255, 255, 255)))
                                  : ColorOr(e.text, RGB(255, 255, 255));
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int s = std::max(3, std::min(w, h) / 4);
    const int cx = r.left + w / 2 + (pressed ? 1 : 0), cy = r.top + h / 2 + (pressed ? 1 : 0);
    for (int d = 0; d < std::max(1, ScaleForDpi(2) - 1) + 1; ++d) {
        if (code == HTCLOSE) {
            SkinRenderer::Line(dc, cx - s + d, cy - s, cx + s + d, cy + s, ink);
            SkinRenderer::Line(dc, cx + s - 1 + d, cy - s, cx - s - 1 + d, cy + s, ink);
        } else if (code == HTMINBUTTON) {
            SkinRenderer::Line(dc, cx - s, cy + s - 1 - d, cx + s, cy + s - 1 - d, ink);
        } else {
            RECT box {cx - s, cy - s + d, cx + s, cy + s};
            SkinRenderer::Frame(dc, box, ink);
        }
    }
}

void SkinWindows::PaintFrame(HWND window, const State& state)
{
    if (::IsIconic(window) || !::IsWindowVisible(window))
        return;
    const Layout l = FrameLayout(window);
    HDC dc = ::GetWindowDC(window);
    if (!dc)
        return;
    ::ExcludeClipRect(dc, l.client.left, l.client.top, l.client.right, l.client.bottom);

    // Borders: everything outside the caption, the menu bar and the client.
    const SkinElement& border = renderer_.Part(SkinPart::Border);
    const COLORREF borderFace = state.active
        ? ColorOr(border.face, ::GetSysColor(COLOR_ACTIVEBORDER))
        : ColorOr(border.inactiveFace, ColorOr(border.face, ::GetSysColor(COLOR_INACTIVEBORDER)));
    {
        const int saved = ::SaveDC(dc);
        ::ExcludeClipRect(dc, l.caption.left, l.caption.top, l.caption.right, l.caption.bottom);
        if (l.bar.bottom > l.bar.top)
            ::ExcludeClipRect(dc, l.bar.left, l.bar.top, l.bar.right, l.bar.bottom);
        if (!renderer_.DrawGrid(dc,
                state.active ? border.grid : (border.inactiveGrid.image >= 0 ? border.inactiveGrid : border.grid), 0,
                l.window))
            SkinRenderer::Fill(dc, l.window, borderFace);
        if (border.border)
            SkinRenderer::Frame(dc, l.window, ToColorRef(*border.border));
        ::RestoreDC(dc, saved);
    }

    // The caption bar with icon, title and buttons.
    const SkinElement& caption = renderer_.Part(SkinPart::Caption);
    const bool drawn = state.active
        ? renderer_.DrawFace(dc, caption.grid, 0, caption.face, l.caption)
        : renderer_.DrawFace(dc, caption.inactiveGrid.image >= 0 ? caption.inactiveGrid : caption.grid, 0,
            caption.inactiveFace ? caption.inactiveFace : caption.face, l.caption);
    if (!drawn)
        SkinRenderer::Fill(dc, l.caption, ::GetSysColor(state.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    int textLeft = l.caption.left + ScaleForDpi(4);
    const int height = l.caption.bottom - l.caption.top;
    HICON icon = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(::GetClassLongPtrA(window, GCLP_HICONSM));
    if (!icon)
        icon = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    if (icon && (style & WS_SYSMENU) && !(::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME)) {
        const int size = std::min(::GetSystemMetrics(SM_CXSMICON), height - 2);
        ::DrawIconEx(dc, textLeft, l.caption.top + (height - size) / 2, icon, size, size, 0, nullptr, DI_NORMAL);
        textLeft += size + ScaleForDpi(4);
    }
    char title[512];
    const int length = ::GetWindowTextA(window, title, sizeof title);
    RECT textRect {
        textLeft, l.caption.top, (l.count ? l.buttons[l.count - 1].left : l.caption.right) - 4, l.caption.bottom};
    HGDIOBJ oldFont = ::SelectObject(dc, renderer_.CaptionFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc,
        state.active ? ColorOr(caption.text, ::GetSysColor(COLOR_CAPTIONTEXT))
                     : ColorOr(caption.inactiveText, ColorOr(caption.text, ::GetSysColor(COLOR_INACTIVECAPTIONTEXT))));
    ::DrawTextA(dc, title, length, &textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    ::SelectObject(dc, oldFont);
    const bool zoomed = ::IsZoomed(window) != FALSE;
    for (int i = 0; i < l.count; ++i)
        PaintCaptionButton(dc, l.buttons[i], l.codes[i], l.disabled[i], state, zoomed);

    // The menu bar's background beside its items; the items draw themselves.
    if (l.bar.bottom > l.bar.top) {
        const SkinElement& bar = renderer_.Part(SkinPart::MenuBar);
        RECT w;
        ::GetWindowRect(window, &w);
        HMENU menu = ::GetMenu(window);
        const int count = ::GetMenuItemCount(menu);
        int rowsBottom = l.bar.top;
        for (int i = 0; i < count; ++i) {
            RECT item, next;
            if (!::GetMenuItemRect(window, menu, static_cast<UINT>(i), &item))
                continue;
            item = Offset(item, -w.left, -w.top);
            rowsBottom = std::max<int>(rowsBottom, item.bottom);
            // The end of a row: the next item starts lower, or there is none.
            const bool rowEnd = i + 1 == count || !::GetMenuItemRect(window, menu, static_cast<UINT>(i + 1), &next)
                || next.top - w.top >= item.bottom;
            if (rowEnd) {
                RECT tail {item.right, item.top, l.bar.right, item.bottom};
                if (!renderer_.DrawFace(dc, bar.grid, 0, bar.face, tail))
                    SkinRenderer::Fill(dc, tail, ::GetSysColor(COLOR_MENU));
            }
        }
        RECT below {l.bar.left, rowsBottom, l.bar.right, l.bar.bottom};
        if (below.bottom > below.top && !renderer_.DrawFace(dc, bar.grid, 0, bar.face, below))
            SkinRenderer::Fill(dc, below, ::GetSysColor(COLOR_MENU));
    }
    ::ReleaseDC(window, dc);
}

LRESULT SkinWindows::FrameMessage(HWND window, State& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto callOriginal = [&] { return WindowSubclass::CallNext(window, message, wParam, lParam); };
    switch (message) {
    case WM_NCPAINT: {
        // The menu bar's items are drawn by the system (owner-drawn through
        // the skin's menu painter): let it paint the bar only, then the rest.
        const Layout l = FrameLayout(window);
        if (l.bar.bottom > l.bar.top) {
            RECT w;
            ::GetWindowRect(window, &w);
            const RECT bar = Offset(l.bar, w.left, w.top);
            HRGN region = ::CreateRectRgnIndirect(&bar);
            WindowSubclass::CallNext(window, WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
            ::DeleteObject(region);
        }
        PaintFrame(window, state);
        return 0;
    }
    case WM_NCACTIVATE:
        state.active = wParam != FALSE;
        [[fallthrough]];
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_STYLECHANGED:
    case WM_SIZE: {
        const LRESULT result = callOriginal();
        // Looked up again: the call may have ended the window.
        auto it = states_.find(window);
        if (it != states_.end())
            PaintFrame(window, it->second);
        return result;
    }
    case WM_NCHITTEST: {
        const LRESULT hit = callOriginal();
        RECT w;
        ::GetWindowRect(window, &w);
        const POINT p {static_cast<short>(LOWORD(lParam)) - w.left, static_cast<short>(HIWORD(lParam)) - w.top};
        const Layout l = FrameLayout(window);
        for (int i = 0; i < l.count; ++i)
            if (Inside(l.buttons[i], p))
                return l.codes[i];
        // The system's buttons sit elsewhere: their places are caption now.
        if (hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTCLOSE || hit == HTHELP)
            return HTCAPTION;
        return hit;
    }
    case WM_NCMOUSEMOVE: {
        const int hot
            = (wParam == HTCLOSE || wParam == HTMINBUTTON || wParam == HTMAXBUTTON) ? static_cast<int>(wParam) : 0;
        if (hot != state.hot) {
            state.hot = hot;
            PaintFrame(window, state);
        }
        if (hot && !state.tracking) {
            TRACKMOUSEEVENT track {sizeof track, TME_LEAVE | TME_NONCLIENT, window, 0};
            state.tracking = ::TrackMouseEvent(&track) != FALSE;
        }
        return callOriginal();
    }
    case WM_NCMOUSELEAVE:
        state.tracking = false;
        if (state.hot) {
            state.hot = 0;
            PaintFrame(window, state);
        }
        return callOriginal();
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCLOSE || wParam == HTMINBUTTON || wParam == HTMAXBUTTON) {
            const Layout l = FrameLayout(window);
            for (int i = 0; i < l.count; ++i) {
                if (l.codes[i] == static_cast<int>(wParam) && !l.disabled[i]) {
                    // Our own press tracking: the system's would draw its own button.
                    state.pressed = l.codes[i];
                    state.inside = true;
                    ::SetCapture(window);
                    PaintFrame(window, state);
                }
            }
            return 0;
        }
        return callOriginal();
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        if (state.pressed) {
            POINT p {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ::ClientToScreen(window, &p);
            RECT w;
            ::GetWindowRect(window, &w);
            const POINT local {p.x - w.left, p.y - w.top};
            const Layout l = FrameLayout(window);
            bool inside = false;
            for (int i = 0; i < l.count; ++i)
                if (l.codes[i] == state.pressed)
                    inside = Inside(l.buttons[i], local);
            if (message == WM_MOUSEMOVE) {
                if (inside != state.inside) {
                    state.inside = inside;
                    PaintFrame(window, state);
                }
                return 0;
            }
            const int code = state.pressed;
            state.pressed = 0;
            state.inside = false;
            ::ReleaseCapture();
            PaintFrame(window, state);
            if (inside) {
                const WPARAM command = code == HTCLOSE ? SC_CLOSE
                    : code == HTMINBUTTON              ? SC_MINIMIZE
                    : ::IsZoomed(window)               ? SC_RESTORE
                                                       : SC_MAXIMIZE;
                ::SendMessageA(window, WM_SYSCOMMAND, command, MAKELPARAM(p.x, p.y));
            }
            return 0;
        }
        return callOriginal();
    case WM_CAPTURECHANGED:
        if (state.pressed && reinterpret_cast<HWND>(lParam) != window) {
            state.pressed = 0;
            state.inside = false;
            PaintFrame(window, state);
        }
        return callOriginal();
    case WM_ERASEBKGND:
        if (HBRUSH brush = renderer_.WindowBrush()) {
            RECT r;
            ::GetClientRect(window, &r);
            ::FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
            return 1;
        }
        return callOriginal();
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (HBRUSH brush = renderer_.WindowBrush()) {
            const SkinElement& e = renderer_.Part(SkinPart::Window);
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, ColorOr(e.text, ::GetSysColor(COLOR_WINDOWTEXT)));
            ::SetBkColor(dc, ToColorRef(*e.face));
            ::SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(brush);
        }
        return callOriginal();
    default:
        return callOriginal();
    }
}

void SkinWindows::PaintButton(HWND window, HDC dc, const State& state) const
{
    RECT r;
    ::GetClientRect(window, &r);
    const SkinElement& e = renderer_.Part(SkinPart::Button);
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    const bool disabled = !::IsWindowEnabled(window);
    const bool pressed = (::SendMessageA(window, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    // Frames of the strip: normal, hover, pressed, default, disabled.
    const int frame = disabled ? 4 : pressed ? 2 : state.hover ? 1 : isDefault ? 3 : 0;
    if (!renderer_.DrawGrid(dc, e.grid, frame, r)) {
        const COLORREF face = (pressed || state.hover)
            ? ColorOr(e.hotFace, ColorOr(e.face, ::GetSysColor(COLOR_BTNFACE)))
            : ColorOr(e.face, ::GetSysColor(COLOR_BTNFACE));
        SkinRenderer::Fill(dc, r, face);
        const COLORREF edge = ColorOr(e.border, ::GetSysColor(COLOR_BTNSHADOW));
        SkinRenderer::Frame(dc, r, edge);
        if (isDefault) {
            RECT inner {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
            SkinRenderer::Frame(dc, inner, edge);
        }
    }
    char text[256];
    const int length = ::GetWindowTextA(window, text, sizeof text);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc,
        disabled                       ? ColorOr(e.disabledText, ::GetSysColor(COLOR_GRAYTEXT))
            : (pressed || state.hover) ? ColorOr(e.hotText, ColorOr(e.text, ::GetSysColor(COLOR_BTNTEXT)))
                                       : ColorOr(e.text, ::GetSysColor(COLOR_BTNTEXT)));
    RECT textRect = r;
    if (pressed)
        ::OffsetRect(&textRect, 1, 1);
    ::DrawTextA(dc, text, length, &textRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    ::SelectObject(dc, oldFont);
    if (::GetFocus() == window) {
        RECT focus {r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
        ::DrawFocusRect(dc, &focus);
    }
}

LRESULT SkinWindows::ButtonMessage(HWND window, State& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window, &ps);
        PaintButton(window, dc, state);
        ::EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        if (!state.hover) {
            state.hover = true;
            TRACKMOUSEEVENT track {sizeof track, TME_LEAVE, window, 0};
            ::TrackMouseEvent(&track);
            ::InvalidateRect(window, nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        state.hover = false;
        ::InvalidateRect(window, nullptr, FALSE);
        break;
    default:
        break;
    }
    const LRESULT result = WindowSubclass::CallNext(window, message, wParam, lParam);
    switch (message) {
    // The system's button draws these changes at once, outside WM_PAINT.
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
        if (::IsWindow(window) && ::IsWindowVisible(window)) {
            HDC dc = ::GetDC(window);
            PaintButton(window, dc, state);
            ::ReleaseDC(window, dc);
        }
        break;
    default:
        break;
    }
    return result;
}

void SkinWindows::PaintPanel(HWND window, HDC dc) const
{
    RECT r;
    ::GetClientRect(window, &r);
    const SkinElement& e = renderer_.Part(SkinPart::Panel);
    if (!renderer_.DrawFace(dc, e.grid, 0, e.face, r))
        SkinRenderer::Fill(dc, r, ::GetSysColor(COLOR_BTNFACE));
    if (e.border)
        SkinRenderer::Frame(dc, r, ToColorRef(*e.border));
}

LRESULT SkinWindows::PanelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window, &ps);
        PaintPanel(window, dc);
        ::EndPaint(window, &ps);
        return 0;
    }
    if (message == WM_CTLCOLORSTATIC && renderer_.PanelBrush()) {
        // Labels on the panel take its colour instead of the system's.
        const SkinElement& e = renderer_.Part(SkinPart::Panel);
        const SkinElement& w = renderer_.Part(SkinPart::Window);
        ::SetTextColor(
            reinterpret_cast<HDC>(wParam), ColorOr(e.text, ColorOr(w.text, ::GetSysColor(COLOR_WINDOWTEXT))));
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(renderer_.PanelBrush());
    }
    return WindowSubclass::CallNext(window, message, wParam, lParam);
}
