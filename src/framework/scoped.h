// Owners for the OS objects the program holds: each closes its object when it
// goes out of scope, moving transfers ownership, copying is not allowed.
#pragma once
#include <windows.h>

#include <objbase.h>
#include <shtypes.h>

#include <utility>

// A handle with the close call and failure value of its kind.
template <class Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle)
        : handle_(handle)
    {
    }
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(other.Release())
    {
    }
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    bool Valid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return Valid(); }
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    // Closes the held object; true when there was none or its close succeeded.
    bool Reset(Handle handle = Traits::Invalid())
    {
        const Handle old = std::exchange(handle_, handle);
        return old == Traits::Invalid() || Traits::Close(old);
    }

private:
    Handle handle_ = Traits::Invalid();
};

namespace handle_traits {
// Kernel objects whose failure value is NULL (processes, threads, mappings, mutexes).
struct Kernel {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return ::CloseHandle(h) != FALSE; }
};
// Files, whose failure value is INVALID_HANDLE_VALUE.
struct File {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(Handle h) { return ::CloseHandle(h) != FALSE; }
};
struct Find {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(Handle h) { return ::FindClose(h) != FALSE; }
};
struct Desktop {
    using Handle = HDESK;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return ::CloseDesktop(h) != FALSE; }
};
struct MappedView {
    using Handle = void*;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return ::UnmapViewOfFile(h) != FALSE; }
};
struct GdiObject {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return ::DeleteObject(h) != FALSE; }
};
struct MemoryDc {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return ::DeleteDC(h) != FALSE; }
};
struct Icon {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return ::DestroyIcon(h) != FALSE; }
};
struct Module {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return ::FreeLibrary(h) != FALSE; }
};
// Item lists that the shell hands out from the task allocator.
struct ShellItems {
    using Handle = LPITEMIDLIST;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h)
    {
        ::CoTaskMemFree(h);
        return true;
    }
};
struct WindowsHook {
    using Handle = HHOOK;
    static Handle Invalid() { return nullptr; }
    static bool Close(Handle h) { return ::UnhookWindowsHookEx(h) != FALSE; }
};
} // namespace handle_traits

using KernelHandle = UniqueHandle<handle_traits::Kernel>;
using FileHandle = UniqueHandle<handle_traits::File>;
using FindHandle = UniqueHandle<handle_traits::Find>;
using DesktopHandle = UniqueHandle<handle_traits::Desktop>;
using MappedView = UniqueHandle<handle_traits::MappedView>;
using MemoryDc = UniqueHandle<handle_traits::MemoryDc>;
using IconHandle = UniqueHandle<handle_traits::Icon>;
using ModuleHandle = UniqueHandle<handle_traits::Module>;
using ShellItemList = UniqueHandle<handle_traits::ShellItems>;
using HookHandle = UniqueHandle<handle_traits::WindowsHook>;

// A GDI object (bitmap, font, brush, pen) of a known type.
template <class T> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(T object)
        : object_(object)
    {
    }
    T Get() const { return static_cast<T>(object_.Get()); }
    bool Valid() const { return object_.Valid(); }
    explicit operator bool() const { return Valid(); }
    T Release() { return static_cast<T>(object_.Release()); }
    void Reset(T object = nullptr) { object_.Reset(object); }

private:
    UniqueHandle<handle_traits::GdiObject> object_;
};

// A window's (or the screen's) device context, released at the end of scope.
class WindowDc {
public:
    explicit WindowDc(HWND window)
        : window_(window)
        , dc_(::GetDC(window))
    {
    }
    ~WindowDc()
    {
        if (dc_)
            ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context until the end of scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc)
        , old_(::SelectObject(dc, object))
    {
    }
    ~SelectedObject()
    {
        if (old_ && old_ != HGDI_ERROR)
            ::SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A counted COM reference.
template <class T> class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(ComPtr&& other) noexcept
        : object_(std::exchange(other.object_, nullptr))
    {
    }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* Get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // For the out parameter of a creating call; drops what was held.
    T** Put()
    {
        Reset();
        return &object_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    void Reset()
    {
        if (object_)
            std::exchange(object_, nullptr)->Release();
    }

private:
    T* object_ = nullptr;
};

// COM initialised (single-threaded apartment) on this thread for the scope.
class ComApartment {
public:
    ComApartment()
        : ok_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
    {
    }
    ~ComApartment()
    {
        if (ok_)
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool Ok() const { return ok_; }

private:
    bool ok_;
};
