#include "framework/dpi.h"

#include "framework/scoped.h"

int ScaleForDpi(int designPixels)
{
    static int dpi = [] {
        WindowDc screen(nullptr);
        const int value = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
        return value > 0 ? value : 96;
    }();
    return ::MulDiv(designPixels, dpi, 96);
}
