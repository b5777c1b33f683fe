#include "framework/dpi.h"

#include "framework/scoped.h"

namespace {
int& CurrentLayoutDpi()
{
    static int dpi = [] {
        WindowDc screen(nullptr);
        const int value = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
        return value > 0 ? value : 96;
    }();
    return dpi;
}
} // namespace

int ScaleForDpi(int designPixels) { return ::MulDiv(designPixels, CurrentLayoutDpi(), 96); }

int LayoutDpi() { return CurrentLayoutDpi(); }

void SetLayoutDpi(int dpi)
{
    if (dpi > 0)
        CurrentLayoutDpi() = dpi;
}
