// Which top-level windows "show desktop" minimises when the shell cannot do
// it itself: the windows a taskbar would list and that can be minimised.
#pragma once
#include <string>

struct TopLevelWindowFacts {
    std::string className;
    bool visible = false;
    bool minimized = false;
    bool owned = false; // has an owner window
    bool toolWindow = false; // extended style WS_EX_TOOLWINDOW
    bool appWindow = false; // extended style WS_EX_APPWINDOW
    bool minimizeBox = false; // style WS_MINIMIZEBOX
};

bool ShouldMinimizeForDesktop(const TopLevelWindowFacts& window);
