// The main window's hiding and restoring items: the flag comes first, and a
// close through the error path still restores.
#include "app/form_fixture.h"
#include "tray/tray_icon.h"

#include <gtest/gtest.h>

namespace {

TEST_F(FormTest, HidingItemsSetTheFlagEvenWithoutAToolbar)
{
    TForm1& f = Design();
    // Wine's own taskbar has no notification toolbar.
    ASSERT_EQ(f.FindTrayToolbar(), nullptr);
    f.kaisiyincangClick(nullptr);
    EXPECT_TRUE(TrayIconsHidden);
    EXPECT_TRUE(f.TrayIcon1->Active());
    EXPECT_EQ(f.TrayButtonIndex, -1);
    f.huifuClick(nullptr);
    EXPECT_FALSE(TrayIconsHidden);
    f.LocateTrayButton("anything");
    EXPECT_EQ(f.TrayButtonIndex, -1);
}

TEST_F(FormTest, AFailedCloseStillRestoresHiddenIcons)
{
    ASSERT_TRUE(dir.WriteFile("set", "1\r\n0\r\n"));
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", "x"));
    TForm1& f = Start();
    f.kaisiyincangClick(nullptr);
    ASSERT_TRUE(TrayIconsHidden);
    // The save before the restoring step fails.
    SettingsPath = dir.Path() + "\\vanished\\set";
    f.Close();
    EXPECT_EQ(os.Of("Beep").size(), 1u);
    EXPECT_FALSE(TrayIconsHidden);
    EXPECT_TRUE(Application::Instance().Terminated());
}

} // namespace
