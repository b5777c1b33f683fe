#include "skin/skin_engine.h"

#include "framework/errors.h"
#include "framework/files.h"
#include "framework/scoped.h"
#include "skin/skin_format.h"
#include "skin/skin_menu.h"
#include "skin/skin_renderer.h"
#include "skin/skin_windows.h"

#include <cstring>

namespace {

// One engine per program: the hook procedures find it here.
TSkinEngine* g_engine = nullptr;

// A window carrying this property with the engine's disable tag is left alone.
const char kTagProperty[] = "Tag";
const char kPopupMenuClass[] = "#32768";
const char kPanelClass[] = "TPanel";

std::string ClassOf(HWND window)
{
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

void SetMenuBackground(HMENU menu, HBRUSH brush)
{
    MENUINFO info {};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    info.hbrBack = brush;
    ::SetMenuInfo(menu, &info);
}

std::string ReadWholeFile(const std::string& path)
{
    // Others may read the skin meanwhile, but not change it under us.
    FileHandle file(::CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    auto fail
        = [&path](DWORD code) { throw Exception("Cannot open file \"" + path + "\". " + SystemErrorMessage(code)); };
    if (!file)
        fail(::GetLastError());
    LARGE_INTEGER size {};
    if (!::GetFileSizeEx(file.Get(), &size))
        fail(::GetLastError());
    // Anything larger is no skin; reading it would only cost memory.
    if (size.QuadPart > static_cast<LONGLONG>(SkinLimits {}.maxArchiveBytes))
        return std::string();
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr))
            fail(::GetLastError());
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

} // namespace

TSkinEngine::TSkinEngine(HWND owner)
    : owner_(owner)
{
    g_engine = this;
    const DWORD thread = ::GetCurrentThreadId();
    cbtHook_.Reset(::SetWindowsHookExA(WH_CBT, &TSkinEngine::CbtHook, nullptr, thread));
    callWndHook_.Reset(::SetWindowsHookExA(WH_CALLWNDPROC, &TSkinEngine::CallWndHook, nullptr, thread));
}

TSkinEngine::~TSkinEngine()
{
    // No new window is taken up while the skin comes off the existing ones.
    cbtHook_.Reset();
    callWndHook_.Reset();
    StopSkinning();
    renderer_.reset();
    if (g_engine == this)
        g_engine = nullptr;
}

void TSkinEngine::SetSkinFile(const std::string& path)
{
    skinFile_ = path;
    const bool wasSkinning = Skinning();
    // Another skin replaces this one: everything goes back first.
    if (wasSkinning)
        StopSkinning();
    renderer_.reset();
    if (!path.empty() && FileExists(path)) {
        SkinReadResult result = ReadSkinArchive(ReadWholeFile(path));
        if (result.skin)
            renderer_ = std::make_unique<SkinRenderer>(std::move(*result.skin));
    }
    if (wasSkinning && Skinning())
        SkinExistingWindows();
}

void TSkinEngine::DpiChanged()
{
    if (renderer_)
        renderer_->MakeFonts();
}

void TSkinEngine::SetActive(bool active)
{
    if (active == active_)
        return;
    active_ = active;
    if (!renderer_)
        return;
    if (active_) {
        SkinExistingWindows();
        return;
    }
    StopSkinning();
}

void TSkinEngine::StopSkinning()
{
    if (menuPainter_ && CurrentMenuPainter() == menuPainter_.get())
        SetMenuPainter(nullptr);
    windows_.reset();
    menuPainter_.reset();
}

bool TSkinEngine::IsSkinned(HWND window) const { return windows_ && windows_->Has(window); }

void TSkinEngine::SkinExistingWindows()
{
    if (!windows_)
        windows_ = std::make_unique<SkinWindows>(*renderer_);
    const bool bar = Wants(SkinElementKind::MainMenuBar);
    const bool popups = Wants(SkinElementKind::PopupMenus);
    if ((bar || popups) && !menuPainter_) {
        menuPainter_ = std::make_unique<SkinMenuPainter>(*renderer_, DisableTag, bar, popups);
        SetMenuPainter(menuPainter_.get());
    }
    struct Walk {
        static BOOL CALLBACK Child(HWND window, LPARAM engine)
        {
            reinterpret_cast<TSkinEngine*>(engine)->Consider(window);
            return TRUE;
        }
        static BOOL CALLBACK TopLevel(HWND window, LPARAM engine)
        {
            reinterpret_cast<TSkinEngine*>(engine)->Consider(window);
            ::EnumChildWindows(window, &Walk::Child, engine);
            return TRUE;
        }
    };
    ::EnumThreadWindows(::GetCurrentThreadId(), &Walk::TopLevel, reinterpret_cast<LPARAM>(this));
    struct Redraw {
        static BOOL CALLBACK TopLevel(HWND window, LPARAM engine)
        {
            auto* self = reinterpret_cast<TSkinEngine*>(engine);
            if (self->IsSkinned(window)) {
                FrameChanged(window);
                self->windows_->Refresh(window);
                if (HMENU bar = ::GetMenu(window)) {
                    // Behind the bar's items, where the system fills it itself.
                    if (HBRUSH brush = self->renderer_->BarBrush())
                        SetMenuBackground(bar, brush);
                    ::DrawMenuBar(window);
                }
            }
            return TRUE;
        }
    };
    ::EnumThreadWindows(::GetCurrentThreadId(), &Redraw::TopLevel, reinterpret_cast<LPARAM>(this));
}

void TSkinEngine::Consider(HWND window)
{
    if (!Skinning() || !windows_ || windows_->Has(window))
        return;
    if (reinterpret_cast<INT_PTR>(::GetPropA(window, kTagProperty)) == DisableTag)
        return;
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    const std::string name = ClassOf(window);
    if (!(style & WS_CHILD)) {
        if ((style & WS_CAPTION) != WS_CAPTION || name == kPopupMenuClass)
            return;
        if (Scope == SkinScope::OwnerOnly && window != owner_)
            return;
        if (windows_->DrawsFrames())
            windows_->Add(window, SkinWindows::Kind::Frame);
        return;
    }
    // Controls are skinned inside skinned windows only.
    HWND root = ::GetAncestor(window, GA_ROOT);
    if (!root || !windows_->Has(root))
        return;
    if (_stricmp(name.c_str(), "Button") == 0) {
        const LONG type = style & BS_TYPEMASK;
        if ((type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) && Wants(SkinElementKind::PushButtons)
            && windows_->DrawsButtons())
            windows_->Add(window, SkinWindows::Kind::Button);
    } else if (name == kPanelClass || ClassMap.count(name)) {
        const SkinElementKind kind = name == kPanelClass ? SkinElementKind::Panels : ClassMap.at(name);
        if (kind == SkinElementKind::Panels && Wants(kind) && windows_->DrawsPanels())
            windows_->Add(window, SkinWindows::Kind::Panel);
    }
}

LRESULT CALLBACK TSkinEngine::CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    TSkinEngine* self = g_engine;
    if (self && code >= 0 && self->Skinning()) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_CREATEWND) {
            self->Consider(window);
        } else if (code == HCBT_ACTIVATE && self->windows_ && !self->windows_->Has(window)) {
            self->Consider(window);
            if (self->windows_->Has(window))
                FrameChanged(window);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TSkinEngine::CallWndHook(int code, WPARAM wParam, LPARAM lParam)
{
    TSkinEngine* self = g_engine;
    if (self && code == HC_ACTION && self->Skinning() && self->menuPainter_) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (message->message == WM_INITMENUPOPUP) {
            // A menu of ours gets the skin's background behind its items
            // (column gaps, the frame's inside); others keep the system's.
            HMENU menu = reinterpret_cast<HMENU>(message->wParam);
            const MenuItem* first = MenuItem::FromMenuPosition(menu, 0);
            const Menu* owner = first ? first->OwnerMenu() : nullptr;
            if (owner && self->menuPainter_->Paints(*owner) && self->renderer_->MenuBrush())
                SetMenuBackground(menu, self->renderer_->MenuBrush());
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
