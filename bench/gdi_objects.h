// What the benchmarks count of a process's GDI and USER objects and kernel
// handles. Where the system's own counts are not implemented (under Wine
// GetGuiResources returns 0 and GetProcessHandleCount gives nothing) the
// handle tables are probed instead.
#pragma once
#include <windows.h>

// The process's GDI objects; the probe counts every 16-bit handle value that
// names a live object.
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

// The process's USER objects. The probe counts its windows, menus, icons and
// cursors: Wine numbers them from 0x20 in steps of 2 below 0x10000, and a
// handle whose high word is 0xffff names whichever object holds that slot.
inline DWORD UserObjects()
{
    if (const DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS))
        return count;
    const DWORD self = ::GetCurrentProcessId();
    DWORD count = 0;
    for (UINT_PTR slot = 0x20; slot < 0x10000; slot += 2) {
        const UINT_PTR value = slot | 0xffff0000u;
        DWORD owner = 0;
        if (::IsWindow(reinterpret_cast<HWND>(value))) {
            ::GetWindowThreadProcessId(reinterpret_cast<HWND>(value), &owner);
            count += owner == self;
        } else if (::IsMenu(reinterpret_cast<HMENU>(value))) {
            ++count;
        } else {
            ICONINFO info {};
            if (::GetIconInfo(reinterpret_cast<HICON>(value), &info)) {
                ++count;
                // The call made copies of the icon's bitmaps for us.
                if (info.hbmMask)
                    ::DeleteObject(info.hbmMask);
                if (info.hbmColor)
                    ::DeleteObject(info.hbmColor);
            }
        }
    }
    return count;
}

// The process's kernel handles; the probe counts every multiple of 4 that
// names a handle of the process's table.
inline DWORD KernelHandles()
{
    DWORD count = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &count) && count)
        return count;
    count = 0;
    for (UINT_PTR value = 4; value < 0x40000; value += 4) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    }
    return count;
}
