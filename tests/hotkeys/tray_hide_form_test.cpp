// The main window's hiding and restoring items: the flag comes first, and a
// close through the error path still restores.
#include "app/form_fixture.h"
#include "fake_shell_rig.h"
#include "tray/tray_icon.h"

#include <gtest/gtest.h>

namespace {

TEST_F(FormTest, HidingItemsSetTheFlagEvenWithoutAToolbar)
{
    TForm1& f = Design();
    // Wine's own taskbar has no notification toolbar.
    ASSERT_EQ(f.FindTrayToolbar(), nullptr);
    f.kaisiyincangClick(nullptr);
    EXPECT_TRUE(f.TrayIconsHidden);
    EXPECT_TRUE(f.TrayIcon1->Active());
    EXPECT_EQ(f.TrayButtonIndex(), -1);
    f.huifuClick(nullptr);
    EXPECT_FALSE(f.TrayIconsHidden);
    f.LocateTrayButton("anything");
    EXPECT_EQ(f.TrayButtonIndex(), -1);
}

TEST_F(FormTest, AFailedCloseStillRestoresHiddenIcons)
{
    ASSERT_TRUE(dir.WriteFile("set", "1\r\n0\r\n"));
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", "x"));
    TForm1& f = Start();
    f.kaisiyincangClick(nullptr);
    ASSERT_TRUE(f.TrayIconsHidden);
    // The save before the restoring step fails.
    f.SettingsPath = dir.Path() + "\\vanished\\set";
    f.Close();
    EXPECT_EQ(os.Of("Beep").size(), 1u);
    EXPECT_FALSE(f.TrayIconsHidden);
    EXPECT_TRUE(Application::Instance().Terminated());
}

} // namespace

namespace {

// The main window's own items, against the fake shell: its tray icon goes off
// and on around the hiding pass and its refresh icon comes and goes.
TEST_F(FormTest, HidingItemsActOnTheShellsToolbar)
{
    FakeShellRig shell;
    ASSERT_TRUE(shell.Start({{"Alpha", "Beta", "Gamma"}}));
    std::string hiddenState, restoredState;
    FakeShellRig::OnDesktop([&] {
        TForm1& f = Design();
        EXPECT_NE(f.FindTrayToolbar(), nullptr);
        shell.Mark();
        f.kaisiyincangClick(nullptr);
        EXPECT_TRUE(f.TrayIconsHidden);
        EXPECT_TRUE(f.TrayIcon1->Active());
        EXPECT_EQ(f.TrayButtonIndex(), 0);
        f.LocateTrayButton("beta");
        EXPECT_EQ(f.TrayButtonIndex(), 1);
        f.huifuClick(nullptr);
        EXPECT_FALSE(f.TrayIconsHidden);
        // Its windows belong to this thread.
        form.reset();
    });
    const std::vector<ShellEvent> events = shell.Events();
    EXPECT_EQ(HideIds(events, true), (std::vector<int> {3, 2, 2, 1, 1, 0}));
    // The program's icon is back in front (id 3) before the restoring pass.
    EXPECT_EQ(HideIds(events, false), (std::vector<int> {3, 2, 1, 0}));
    int added = 0, deleted = 0;
    for (const ShellEvent& event : events) {
        // Only what the shell accepted: deleting a gone icon changes nothing.
        if (event.kind == ShellEvent::NotifyIcon && event.wParam == 1) {
            added += event.message == 0;
            deleted += event.message == 2;
        }
    }
    // Own icon off and on, 6 + 4 refreshes, and the icon's removal at the end.
    EXPECT_EQ(added, 1 + 10);
    EXPECT_EQ(deleted, 1 + 10 + 1);
}

} // namespace
