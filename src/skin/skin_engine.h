// The skin engine: loads a skin archive and, while active, draws the
// program's top-level windows (caption, borders, caption buttons, menu bar),
// its popup menus, push buttons and panels from it. Windows are found through
// thread-local window hooks installed when the engine is created.
#pragma once
#include "framework/scoped.h"

#include <windows.h>

#include <map>
#include <memory>
#include <set>
#include <string>

enum class SkinScope { OwnerOnly, WholeApplication };

// Kinds of element the engine can be asked to draw.
enum class SkinElementKind {
    MainMenuBar,
    PopupMenus,
    ToolBars,
    ControlBars,
    ComboBoxes,
    CheckBoxes,
    RadioButtons,
    ProgressBars,
    ScrollBars,
    EditBoxes,
    PushButtons,
    BitmapButtons,
    SpeedButtons,
    SpinButtons,
    Panels,
    GroupBoxes,
    StatusBars,
    TabControls,
    TrackBars,
    SystemMenu,
    OwnerDrawnMenuItems,
    ReportPreviews
};

enum class SkinOption {
    Preview,
    ToolbarBackground,
    CaptionButtonHints,
    MdiScrollBars,
    MenuMerging,
    Transparency,
    ParentBackground,
    NoFocusRect,
    ToolbarButtons,
    MdiChildBorder,
    MenuBackground,
    FormScrollBars
};

class SkinRenderer;

class TSkinEngine {
public:
    // `owner`: the window the component sits on; the hooks belong to the
    // calling (main) thread.
    explicit TSkinEngine(HWND owner);
    ~TSkinEngine();
    TSkinEngine(const TSkinEngine&) = delete;
    TSkinEngine& operator=(const TSkinEngine&) = delete;

    // Remembers the path; if a file is there, reads it whole (others may read
    // it meanwhile, not write) and loads the skin from it. A file that is not
    // a skin leaves no skin loaded; a file that cannot be opened raises an
    // Exception naming the path and the system's reason. No message here.
    void SetSkinFile(const std::string& path);
    const std::string& SkinFile() const { return skinFile_; }
    bool SkinLoaded() const { return renderer_ != nullptr; }
    // The layout DPI changed: the skin's fonts follow (its metrics are
    // scaled as they are used).
    void DpiChanged();

    // Switching on with a skin loaded skins every window of the thread now
    // and as they appear; the same value again does nothing.
    void SetActive(bool active);
    bool Active() const { return active_; }

    // Settings of the component.
    SkinScope Scope = SkinScope::OwnerOnly;
    std::set<SkinElementKind> SkinnedElements;
    int DisableTag = 99;
    std::map<std::string, SkinElementKind> ClassMap;
    // Accepted and ignored, so that the program can set them as designed:
    // this engine has no preview, toolbars, hints, MDI, transparency or focus
    // rectangles of its own, rebuilds menus as they change (MenuUpdate) and
    // merges none (MenuMerge), and loads skins from files only (EmbeddedSkin).
    std::set<SkinOption> Options;
    bool MenuUpdate = false;
    bool MenuMerge = false;
    std::string EmbeddedSkin;

    // Whether a window is drawn by the engine right now (tests, diagnostics).
    bool IsSkinned(HWND window) const;

private:
    bool Skinning() const { return active_ && renderer_ != nullptr; }
    bool Wants(SkinElementKind kind) const { return SkinnedElements.count(kind) != 0; }
    void SkinExistingWindows();
    // Gives every skinned window and menu its own look back; the skin stays loaded.
    void StopSkinning();
    void Consider(HWND window);

    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndHook(int code, WPARAM wParam, LPARAM lParam);

    friend class SkinWindows;
    HWND owner_;
    HookHandle cbtHook_;
    HookHandle callWndHook_;
    std::string skinFile_;
    bool active_ = false;
    std::unique_ptr<SkinRenderer> renderer_;
    std::unique_ptr<class SkinWindows> windows_;
    std::unique_ptr<class SkinMenuPainter> menuPainter_;
};
