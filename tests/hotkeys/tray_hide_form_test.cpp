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

#include "e2e/desk2_icon.h"
#include "hotkeys/hide_record_file.h"

namespace {

// Icons hidden by a run that never restored them (killed, crashed): the
// record written before the first hide message brings them back at the next
// start, however the record was left.
class LeftHidden : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        ASSERT_TRUE(dir.WriteFile("set", "0\r\n0\r\n"));
        ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", "x"));
        // The shell's desktop is not "Default": the form starts as the second instance.
        ASSERT_TRUE(WriteDesk2Icon(dir));
        ASSERT_TRUE(shell.Start({{"Alpha", "Beta", "Gamma"}}));
    }
    // Hides everything and goes away without a close, as a killed program does.
    void HideAndDie()
    {
        FakeShellRig::OnDesktop([&] {
            TForm1& f = Start();
            f.kaisiyincangClick(nullptr);
            form.reset();
        });
    }
    std::string RecordPath() const { return HideRecordPath(dir.Path(), FakeShellRig::DesktopName()); }
    bool RecordLeft() const { return dir.Exists("hidden-" + FakeShellRig::DesktopName()); }
    static bool AnyHidden(const std::string& state) { return state.find('H') != std::string::npos; }

    FakeShellRig shell;
};

TEST_F(LeftHidden, TheNextStartShowsEveryIconWhateverTheRecordHolds)
{
    struct Case {
        const char* what;
        bool replaced;
        std::string bytes;
    };
    const Case records[] = {
        {"as written", false, ""},
        {"empty", true, ""},
        {"truncated", true, "TrayStartMenu hid"},
        {"ids the shell no longer has", true, "TrayStartMenu hidden 1\r\n40 41 -1\r\n"},
        {"huge", true, std::string(200000, '7')},
    };
    for (const auto& [what, replaced, bytes] : records) {
        SCOPED_TRACE(what);
        HideAndDie();
        ASSERT_TRUE(AnyHidden(shell.State()));
        const std::optional<HideRecord> written = LoadHideRecord(RecordPath());
        ASSERT_TRUE(written && written->intact);
        EXPECT_EQ(written->ids, (std::vector<int> {3, 2, 1, 0}));
        if (replaced) {
            ASSERT_TRUE(dir.WriteFile("hidden-" + FakeShellRig::DesktopName(), bytes));
        }

        FakeShellRig::OnDesktop([&] {
            Start();
            form.reset();
        });
        EXPECT_FALSE(AnyHidden(shell.State())) << shell.State();
        EXPECT_FALSE(RecordLeft());
    }
}

TEST_F(LeftHidden, AFolderWithoutRoomForTheRecordStillHidesAndRestores)
{
    FakeShellRig::OnDesktop([&] {
        TForm1& f = Start();
        f.TrayHideRecordPath = dir.Path() + "\\vanished\\hidden";
        f.kaisiyincangClick(nullptr);
        EXPECT_TRUE(AnyHidden(shell.State()));
        f.huifuClick(nullptr);
        EXPECT_FALSE(AnyHidden(shell.State()));
        form.reset();
    });
}

TEST_F(LeftHidden, ANewTaskbarClearsTheHiddenStateAndTheRecord)
{
    FakeShellRig::OnDesktop([&] {
        TForm1& f = Start();
        f.kaisiyincangClick(nullptr);
        ASSERT_TRUE(RecordLeft());
        ::SendMessageA(f.Handle(), TTrayIcon::TaskbarCreatedMessage(), 0, 0);
        EXPECT_FALSE(f.TrayIconsHidden);
        EXPECT_TRUE(f.TrayHider1.HiddenIds().empty());
        EXPECT_FALSE(RecordLeft());
        form.reset();
    });
}

// The real program, started where a killed run left icons hidden.
TEST_F(LeftHidden, TheRealProgramStartedAfterAKillShowsThemAgain)
{
    HideAndDie();
    ASSERT_TRUE(AnyHidden(shell.State()));
    harness::Process program
        = harness::Process::Start(harness::ProgramExePath(), dir.Path(), FakeShellRig::DesktopName().c_str());
    ASSERT_TRUE(program.Valid());
    bool shown = false;
    for (DWORD start = ::GetTickCount(); !shown && ::GetTickCount() - start < 20000; harness::PumpFor(200))
        shown = !AnyHidden(shell.State()) && !RecordLeft();
    EXPECT_TRUE(shown) << shell.State();
    program.Kill();
}

// Two copies started at once where a killed run left its record, with the
// shell too busy to answer at first: one restores, the other finds no record.
TEST_F(LeftHidden, TwoCopiesStartedAtOnceMakeOneRestoringPass)
{
    HideAndDie();
    ASSERT_TRUE(
        dir.WriteFile("皮肤\\兰红_Slate.skn", harness::ReadWholeFile(harness::SourcePath("data/皮肤/兰红_Slate.skn"))));
    shell.Mark();
    DWORD shellThread = 0;
    FakeShellRig::OnDesktop(
        [&] { shellThread = ::GetWindowThreadProcessId(::FindWindowA("Shell_TrayWnd", nullptr), nullptr); });
    KernelHandle busy(::OpenThread(THREAD_SUSPEND_RESUME, FALSE, shellThread));
    ASSERT_NE(::SuspendThread(busy.Get()), static_cast<DWORD>(-1));
    const std::string exe = harness::ProgramExePath(), desktop = FakeShellRig::DesktopName();
    harness::Process copies[] = {harness::Process::Start(exe, dir.Path(), desktop.c_str()),
        harness::Process::Start(exe, dir.Path(), desktop.c_str())};
    harness::PumpFor(3000);
    ::ResumeThread(busy.Get());
    FakeShellRig::OnDesktop([&] {
        for (harness::Process& copy : copies) // past its start-up once its main window shows
            EXPECT_NE(harness::WaitForWindow(copy.Id(), "TForm1", nullptr, 60000, true), nullptr);
    });
    EXPECT_FALSE(AnyHidden(shell.State())) << shell.State();
    EXPECT_FALSE(RecordLeft());
    EXPECT_EQ(ToolbarMessages(shell.Events(), 0x0418).size(), 1u); // a pass counts the buttons once
}

// Alt+L through the main window's hotkey handler: a beep, then the pass.
TEST_F(LeftHidden, AltLBeepsThenHidesAndAgainBeepsThenRestores)
{
    FakeShellRig::OnDesktop([&] {
        TForm1& f = Start();
        for (bool hides : {true, false}) {
            SCOPED_TRACE(hides ? "hide" : "restore");
            os.calls.clear();
            LRESULT result = 0;
            f.HotKeyMessage(0, MAKELPARAM(MOD_ALT, 'L'), result);
            EXPECT_EQ(result, 1);
            ASSERT_EQ(os.Of("Beep").size(), 1u);
            EXPECT_EQ(f.TrayIconsHidden, hides);
            EXPECT_EQ(AnyHidden(shell.State()), hides);
            EXPECT_EQ(RecordLeft(), hides);
        }
        form.reset();
    });
}

} // namespace
