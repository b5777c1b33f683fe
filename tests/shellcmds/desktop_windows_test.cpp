#include "shellcmds/desktop_windows.h"

#include <gtest/gtest.h>

namespace {

// A plain application window: what "show desktop" is for.
TopLevelWindowFacts AppWindow()
{
    TopLevelWindowFacts facts;
    facts.className = "Notepad";
    facts.visible = true;
    facts.minimizeBox = true;
    return facts;
}

TEST(DesktopWindows, OnlyVisibleTaskbarWindowsThatCanMinimiseAreChosen)
{
    struct Case {
        const char* what;
        void (*change)(TopLevelWindowFacts&);
        bool chosen;
    } cases[] = {
        {"plain application window", [](TopLevelWindowFacts&) {}, true},
        {"hidden", [](TopLevelWindowFacts& w) { w.visible = false; }, false},
        {"already minimised", [](TopLevelWindowFacts& w) { w.minimized = true; }, false},
        {"no minimise box (a dialog)", [](TopLevelWindowFacts& w) { w.minimizeBox = false; }, false},
        {"owned (a tool palette, a dialog)", [](TopLevelWindowFacts& w) { w.owned = true; }, false},
        {"owned but asks for a taskbar button", [](TopLevelWindowFacts& w) { w.owned = w.appWindow = true; }, true},
        {"tool window", [](TopLevelWindowFacts& w) { w.toolWindow = true; }, false},
        {"tool window with a taskbar button", [](TopLevelWindowFacts& w) { w.toolWindow = w.appWindow = true; }, true},
        {"the taskbar", [](TopLevelWindowFacts& w) { w.className = "Shell_TrayWnd"; }, false},
        {"the shell's desktop", [](TopLevelWindowFacts& w) { w.className = "Progman"; }, false},
        {"a class merely containing a shell name", [](TopLevelWindowFacts& w) { w.className = "ProgmanX"; }, true},
    };
    for (const Case& c : cases) {
        TopLevelWindowFacts facts = AppWindow();
        c.change(facts);
        EXPECT_EQ(ShouldMinimizeForDesktop(facts), c.chosen) << c.what;
    }
}

} // namespace
