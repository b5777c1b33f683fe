// The windows the skin draws: top-level frames (caption, borders, caption
// buttons, menu-bar background, client background), push buttons and panels,
// each subclassed once and given back its own procedure when the skin goes.
#pragma once
#include "framework/subclass.h"

#include <windows.h>

#include <unordered_map>

class SkinRenderer;

// Has the system measure the window's frame again (it changes owner or look).
void FrameChanged(HWND window);

class SkinWindows {
public:
    explicit SkinWindows(const SkinRenderer& renderer);
    ~SkinWindows();
    SkinWindows(const SkinWindows&) = delete;
    SkinWindows& operator=(const SkinWindows&) = delete;

    enum class Kind { Frame, Button, Panel };
    // Subclasses the window; false when it already is or cannot be.
    bool Add(HWND window, Kind kind);
    bool Has(HWND window) const { return states_.count(window) != 0; }
    // Draws a frame again now (after activation or a change of state).
    void Refresh(HWND window);

    // What the skin describes, so undescribed kinds keep the system's look.
    bool DrawsFrames() const;
    bool DrawsButtons() const;
    bool DrawsPanels() const;

private:
    struct State {
        Kind kind = Kind::Frame;
        WindowSubclass subclass;
        bool active = true;
        int hot = 0; // caption button under the mouse (hit-test code)
        int pressed = 0; // caption button held down
        bool inside = false;
        bool tracking = false;
        bool hover = false; // push buttons
    };
    struct Layout;

    LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT FrameMessage(HWND window, State& state, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ButtonMessage(HWND window, State& state, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT PanelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    Layout FrameLayout(HWND window) const;
    void PaintFrame(HWND window, const State& state);
    void PaintCaptionButton(HDC dc, const RECT& r, int code, bool disabled, const State& state, bool zoomed) const;
    void PaintButton(HWND window, HDC dc, const State& state) const;
    void PaintPanel(HWND window, HDC dc) const;
    void Remove(HWND window);

    const SkinRenderer& renderer_;
    std::unordered_map<HWND, State> states_;
};
