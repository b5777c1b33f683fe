// The real program's about box: made once at start-up, right after the main
// window, and kept hidden until the help menu's "关于" shows it (the showing
// itself is tested in process, in tests/help).
#include "support/harness.h"

#include <gtest/gtest.h>

using namespace harness;

namespace {

const DWORD kWait = 20000;

TEST(About, OneHiddenBoxExistsFromStartUp)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteFile("set", "0\r\n0\r\n"));
    Process program = Process::Start(ProgramExePath(), dir.Path());
    ASSERT_TRUE(program.Valid());
    // Whatever start-up has to say in a bare folder is answered; then the
    // main window shows.
    HWND window = nullptr;
    for (int i = 0; i < 6 && !window; ++i) {
        if (auto box = WaitForMessageBox(program.Id(), 3000))
            DismissMessageBox(box->hwnd);
        window = FindTopLevelWindow(program.Id(), "TForm1", nullptr, true);
    }
    if (!window)
        window = WaitForWindow(program.Id(), "TForm1", nullptr, kWait, true);
    ASSERT_NE(window, nullptr);

    HWND about = FindTopLevelWindow(program.Id(), "TAboutBox", "About");
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(::IsWindowVisible(about));

    int boxes = 0;
    for (HWND top : TopLevelWindows(program.Id()))
        boxes += ClassName(top) == "TAboutBox" ? 1 : 0;
    EXPECT_EQ(boxes, 1);
    RECT client {};
    ::GetClientRect(about, &client);
    EXPECT_EQ(client.right, 369);
    EXPECT_EQ(client.bottom, 265);

    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(kWait));
}

} // namespace
