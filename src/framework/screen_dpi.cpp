#include "framework/screen_dpi.h"

#include "framework/dpi_scale.h"
#include "framework/scoped.h"

int ScreenDpi()
{
    WindowDc screen(nullptr);
    const int dpi = screen.Get() ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

int ScreenSmallIconSize() { return SmallIconSize(ScreenDpi()); }
