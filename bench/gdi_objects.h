// What the benchmarks count of a process's GDI objects.
#pragma once
#include <windows.h>

// The process's GDI objects. Where GetGuiResources is not implemented (it
// returns 0 under Wine) the handle table is probed instead: every 16-bit
// handle value that names a live object counts.
inline DWORD GdiObjects()
{
    if (const DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
        return count;
    DWORD count = 0;
    for (UINT_PTR value = 1; value < 0x10000; ++value)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0)
            ++count;
    return count;
}
