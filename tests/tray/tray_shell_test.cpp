// The tray icon component against the real notification area of Wine's
// taskbar, with real mouse input.
#include "tray/tray_icon.h"

#include "framework/application.h"
#include "support/harness.h"
#include "support/os_recorder.h"
#include "support/tray_probe.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace tray_probe;

class TrayShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application::Instance().Initialize();
        ASSERT_NE(Taskbar(), nullptr) << "no notification area on this desktop";
        icon = std::make_unique<TTrayIcon>();
        icon->OnClick = [this](TTrayIcon*, TrayButton button, ShiftState, int, int) {
            clicks += "LRM"[static_cast<int>(button)];
        };
    }

    OsRecorder os;
    std::unique_ptr<TTrayIcon> icon;
    std::string clicks;
};

TEST_F(TrayShellTest, TheIconAppearsWithItsShortHintAndGoesWithTheComponent)
{
    icon->SetHint("托盘测试|the long part is never shown");
    icon->SetIcon(::LoadIcon(nullptr, IDI_APPLICATION));
    icon->Loaded();
    ASSERT_TRUE(icon->IconAdded());
    HWND window = icon->NotifyWindow();
    EXPECT_TRUE(IconRegistered(window));
    EXPECT_EQ(TooltipAt(FirstIconPosition()), "托盘测试");

    icon.reset();
    EXPECT_FALSE(IconRegistered(window));
}

TEST_F(TrayShellTest, AnIconWithoutAnImageIsNeverAdded)
{
    icon->SetHint("no image");
    icon->Loaded();
    EXPECT_FALSE(icon->IconAdded());
    EXPECT_FALSE(IconRegistered(icon->NotifyWindow()));
}

TEST_F(TrayShellTest, TheIconComesBackWithItsCurrentTipWhenTheTaskbarIsCreatedAgain)
{
    icon->SetHint("first tip");
    icon->SetIcon(::LoadIcon(nullptr, IDI_APPLICATION));
    icon->SetHint("current tip");
    HWND window = icon->NotifyWindow();
    ASSERT_TRUE(IconRegistered(window));

    // A restarted shell knows no icons and tells every window so.
    ForgetIcon(window);
    ASSERT_FALSE(IconRegistered(window));
    ::SendNotifyMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitForIconRegistered(window, true, 5000));
    EXPECT_EQ(TooltipAt(FirstIconPosition()), "current tip");
}

TEST_F(TrayShellTest, ClicksOnTheIconReachTheComponent)
{
    icon->SetIcon(::LoadIcon(nullptr, IDI_APPLICATION));
    ASSERT_TRUE(IconRegistered(icon->NotifyWindow()));
    ASSERT_TRUE(ClickAt(FirstIconPosition(), 1));
    harness::PumpFor(300);
    EXPECT_EQ(clicks, "L");
    ASSERT_TRUE(ClickAt(FirstIconPosition(), 2));
    harness::PumpFor(300);
    EXPECT_EQ(clicks, "LM");
}

} // namespace
