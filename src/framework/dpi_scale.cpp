#include "framework/dpi_scale.h"

int SmallIconSize(int dpi)
{
    if (dpi <= kDesignDpi)
        return 16;
    // Rounded to the nearest pixel, as the system scales its own metrics.
    return (16 * dpi + kDesignDpi / 2) / kDesignDpi;
}

int SourceSizeFor(int wanted, const std::vector<int>& available)
{
    int larger = 0;
    int largest = 0;
    for (int size : available) {
        if (size == wanted)
            return size;
        if (size > wanted && (larger == 0 || size < larger))
            larger = size;
        if (size > largest)
            largest = size;
    }
    // A smaller source would be blown up, and a 16 px glyph stretched looks
    // blurred; only when nothing larger exists is the largest used.
    return larger ? larger : largest;
}

DpiChange PlanDpiChange(unsigned long noticeWParam, int currentDpi, int currentIconSize)
{
    DpiChange change {};
    const int announced = static_cast<int>(noticeWParam & 0xFFFF);
    change.dpi = announced > 0 ? announced : kDesignDpi;
    change.iconSize = SmallIconSize(change.dpi);
    change.relayout = change.dpi != currentDpi;
    change.rebuildIcons = change.iconSize != currentIconSize;
    return change;
}
