// The instance started on the second desktop "Desk2".
#include "e2e/desk2_icon.h"
#include "support/harness.h"

#include <gtest/gtest.h>

#include <thread>

using namespace harness;

namespace {

const DWORD kWait = 20000;

// Runs `check` on a thread of the desktop `name`: window lookups only see
// the caller's own desktop.
template <class F> void OnDesktop(const char* name, F check)
{
    std::thread worker([&] {
        HDESK desktop = ::OpenDesktopA(name, 0, FALSE, GENERIC_ALL);
        ASSERT_NE(desktop, nullptr);
        ASSERT_TRUE(::SetThreadDesktop(desktop));
        check();
        ::CloseDesktop(desktop);
    });
    worker.join();
}

class Desk2 : public ::testing::Test {
protected:
    void SetUp() override
    {
        desktop_ = ::CreateDesktopA("Desk2", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        ASSERT_NE(desktop_, nullptr);
        ASSERT_TRUE(dir.WriteFile("set", "1\r\n1\r\n"));
        ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", ReadWholeFile(UnixToWindowsPath(TRAYSTART_HOOK_DLL))));
    }
    void TearDown() override
    {
        program.Kill();
        if (desktop_)
            ::CloseDesktop(desktop_);
    }

    TempDir dir;
    Process program;
    HDESK desktop_ = nullptr;
};

TEST_F(Desk2, TheSecondInstanceRefusesToCloseFromItsOwnDesktop)
{
    ASSERT_TRUE(WriteDesk2Icon(dir));
    program = Process::Start(ProgramExePath(), dir.Path(), "Desk2");
    ASSERT_TRUE(program.Valid());
    OnDesktop("Desk2", [&] {
        HWND window = WaitForWindow(program.Id(), "TForm1", kMainWindowTitle, kWait, true);
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(WaitForMessageBox(program.Id(), 500)) << "start-up on Desk2 was not silent";

        ::PostMessageA(window, WM_CLOSE, 0, 0);
        std::optional<MessageBoxInfo> refusal = WaitForMessageBox(program.Id(), kWait);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->caption, "出错");
        EXPECT_EQ(refusal->text, "你现在在桌面2，无法退出，请转到默认桌面退出！");
        EXPECT_TRUE(DismissMessageBox(refusal->hwnd));
        EXPECT_FALSE(program.WaitForExit(1000));
        EXPECT_TRUE(::IsWindowVisible(window));
    });
    // Nothing was torn down: the settings file was not written by this instance.
    EXPECT_EQ(dir.ReadFile("set"), std::string("1\r\n1\r\n"));
}

TEST_F(Desk2, AMissingIconIsReportedAndTheWindowStillComesUp)
{
    program = Process::Start(ProgramExePath(), dir.Path(), "Desk2");
    ASSERT_TRUE(program.Valid());
    OnDesktop("Desk2", [&] {
        std::optional<MessageBoxInfo> error = WaitForMessageBox(program.Id(), kWait);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->caption, kProgramTitle);
        EXPECT_NE(error->text.find(dir.Path() + "\\tubiaodesk2.ico"), std::string::npos) << error->text;
        EXPECT_TRUE(DismissMessageBox(error->hwnd));
        EXPECT_NE(WaitForWindow(program.Id(), "TForm1", kMainWindowTitle, kWait, true), nullptr);
    });
}

} // namespace
