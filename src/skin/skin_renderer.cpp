#include "skin/skin_renderer.h"

#include "framework/dpi.h"
#include "framework/screen_dpi.h"

#include <algorithm>
#include <cstddef>

COLORREF ToColorRef(const SkinRgb& rgb) { return RGB(rgb.r, rgb.g, rgb.b); }

COLORREF ColorOr(const std::optional<SkinRgb>& color, COLORREF fallback)
{
    return color ? ToColorRef(*color) : fallback;
}

namespace {

HBITMAP MakeBitmap(const SkinImage& image)
{
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // top-down, as decoded
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits)
        std::copy(image.pixels.begin(), image.pixels.end(), static_cast<uint32_t*>(bits));
    return bitmap;
}

HFONT MakeFont(const LOGFONTA& base, const std::string& face, int points)
{
    LOGFONTA font = base;
    if (!face.empty()) {
        std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), '\0');
        std::copy(face.begin(), face.end(), font.lfFaceName);
    }
    if (points > 0)
        font.lfHeight = -::MulDiv(points, ScaleForDpi(96), 72);
    else // the system's font comes at the screen's DPI, not the monitor's
        font.lfHeight = ::MulDiv(font.lfHeight, LayoutDpi(), ScreenDpi());
    return ::CreateFontIndirectA(&font);
}

} // namespace

SkinRenderer::SkinRenderer(SkinPackage package)
    : skin_(std::move(package))
    , imageDc_(::CreateCompatibleDC(nullptr))
    , measureDc_(::CreateCompatibleDC(nullptr))
{
    for (SkinImage& image : skin_.images) {
        bitmaps_.emplace_back(MakeBitmap(image));
        sizes_.push_back(SIZE {image.width, image.height});
        // The pixels now live in the bitmap.
        std::vector<uint32_t>().swap(image.pixels);
    }

    MakeFonts();
    if (const auto& face = skin_.Part(SkinPart::Menu).face)
        menuBrush_.Reset(::CreateSolidBrush(ToColorRef(*face)));
    if (const auto& face = skin_.Part(SkinPart::MenuBar).face)
        barBrush_.Reset(::CreateSolidBrush(ToColorRef(*face)));
    if (const auto& face = skin_.Part(SkinPart::Window).face)
        windowBrush_.Reset(::CreateSolidBrush(ToColorRef(*face)));
    if (const auto& face = skin_.Part(SkinPart::Panel).face)
        panelBrush_.Reset(::CreateSolidBrush(ToColorRef(*face)));
}

void SkinRenderer::MakeFonts()
{
    NONCLIENTMETRICSA metrics {};
    // The size without Vista's extra field, so every system fills it.
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    menuFont_.Reset(MakeFont(metrics.lfMenuFont, skin_.menuFont, skin_.menuFontSize));
    captionFont_.Reset(MakeFont(metrics.lfCaptionFont, std::string(), skin_.captionFontSize));
}

bool SkinRenderer::DrawGrid(HDC dc, const SkinGrid& grid, int state, const RECT& r) const
{
    if (grid.image < 0 || static_cast<size_t>(grid.image) >= bitmaps_.size())
        return false;
    HBITMAP bitmap = bitmaps_[static_cast<size_t>(grid.image)].Get();
    if (!bitmap)
        return false;
    const SIZE size = sizes_[static_cast<size_t>(grid.image)];
    const int frameWidth = size.cx / grid.states;
    const int sx = frameWidth * std::clamp(state, 0, grid.states - 1);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return true;
    HDC source = imageDc_.Get();
    SelectedObject selected(source, bitmap);
    const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    // Destination margins follow the DPI, but never more than half the target.
    const int l = std::min(ScaleForDpi(grid.left), w / 2), rt = std::min(ScaleForDpi(grid.right), w - l);
    const int t = std::min(ScaleForDpi(grid.top), h / 2), b = std::min(ScaleForDpi(grid.bottom), h - t);
    const int srcX[3] = {sx, sx + grid.left, sx + frameWidth - grid.right};
    const int srcW[3] = {grid.left, frameWidth - grid.left - grid.right, grid.right};
    const int srcY[3] = {0, grid.top, size.cy - grid.bottom};
    const int srcH[3] = {grid.top, size.cy - grid.top - grid.bottom, grid.bottom};
    const int dstX[3] = {r.left, r.left + l, r.right - rt};
    const int dstW[3] = {l, w - l - rt, rt};
    const int dstY[3] = {r.top, r.top + t, r.bottom - b};
    const int dstH[3] = {t, h - t - b, b};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            if (srcW[col] > 0 && srcH[row] > 0 && dstW[col] > 0 && dstH[row] > 0)
                ::StretchBlt(dc, dstX[col], dstY[row], dstW[col], dstH[row], source, srcX[col], srcY[row], srcW[col],
                    srcH[row], SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
    return true;
}

bool SkinRenderer::DrawFace(
    HDC dc, const SkinGrid& grid, int state, const std::optional<SkinRgb>& color, const RECT& r) const
{
    if (DrawGrid(dc, grid, state, r))
        return true;
    if (!color)
        return false;
    Fill(dc, r, ToColorRef(*color));
    return true;
}

void SkinRenderer::Fill(HDC dc, const RECT& r, COLORREF color)
{
    const COLORREF old = ::SetDCBrushColor(dc, color);
    ::FillRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    ::SetDCBrushColor(dc, old);
}

void SkinRenderer::Frame(HDC dc, const RECT& r, COLORREF color)
{
    const COLORREF old = ::SetDCBrushColor(dc, color);
    ::FrameRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    ::SetDCBrushColor(dc, old);
}

void SkinRenderer::Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color)
{
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(DC_PEN));
    const COLORREF old = ::SetDCPenColor(dc, color);
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
    ::SetDCPenColor(dc, old);
    ::SelectObject(dc, oldPen);
}
