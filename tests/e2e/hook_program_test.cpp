// The real program with its hook library installed beside it, as shipped:
// started in its own folder, so the library it loads is the one there.
#include "e2e/desk2_icon.h"
#include "support/harness.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

using namespace harness;

namespace {

const DWORD kWait = 20000;
const char kHookFailed[] = "鼠标钩子启动失败，请重新启动程序";
const char kRestoring[] = "文件丢失，SysHookDLL.dll不是病毒文件，现在即刻恢复！";

class InstalledProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Held here, so the program takes itself for a further instance and
        // starts nothing on "Desk2".
        deskSwitch = ::CreateMutexA(nullptr, FALSE, "DeskSwitch");
        ASSERT_NE(deskSwitch, nullptr);
        ASSERT_TRUE(dir.WriteFile("set", "0\r\n0\r\n"));
        exe = CopyProgramAs("TrayStartMenu.exe", dir.Path());
        ASSERT_FALSE(exe.empty());
    }

    void TearDown() override
    {
        if (program.Running()) {
            if (HWND main = FindTopLevelWindow(program.Id(), "TForm1", kMainWindowTitle))
                ::PostMessageA(main, WM_CLOSE, 0, 0);
            if (!program.WaitForExit(kWait))
                program.Kill();
        }
        ::CloseHandle(deskSwitch);
    }

    // Starts the program; the texts of the message boxes it shows before its
    // window, each answered with OK.
    std::vector<std::string> StartAndAnswer()
    {
        program = Process::Start(exe, dir.Path());
        std::vector<std::string> texts;
        if (!program.Valid())
            return texts;
        for (;;) {
            if (FindTopLevelWindow(program.Id(), "TForm1", kMainWindowTitle, true))
                break;
            std::optional<MessageBoxInfo> box = WaitForMessageBox(program.Id(), 1000);
            if (!box) {
                if (!program.Running())
                    break;
                continue;
            }
            EXPECT_EQ(box->caption, kProgramTitle);
            texts.push_back(box->text.substr(0, box->text.find('\r')));
            EXPECT_TRUE(DismissMessageBox(box->hwnd));
        }
        window = WaitForWindow(program.Id(), "TForm1", kMainWindowTitle, kWait, true);
        EXPECT_NE(window, nullptr);
        return texts;
    }

    // Closes the program through its window; false if it did not end.
    bool CloseProgram()
    {
        ::PostMessageA(window, WM_CLOSE, 0, 0);
        return program.WaitForExit(kWait);
    }

    HANDLE deskSwitch = nullptr;
    TempDir dir;
    std::string exe;
    Process program;
    HWND window = nullptr;
};

TEST_F(InstalledProgram, TheShippedLibraryStartsTheHookSilently)
{
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", ReadWholeFile(UnixToWindowsPath(TRAYSTART_HOOK_DLL))));
    EXPECT_TRUE(StartAndAnswer().empty());
    EXPECT_FALSE(WaitForMessageBox(program.Id(), 500));
    // The hook's listening window is no top-level window: it hears no broadcasts.
    EXPECT_EQ(FindTopLevelWindow(program.Id(), "TSysHookListener"), nullptr);
    // Stopped at the close: no warning about a library left loaded.
    EXPECT_TRUE(CloseProgram());
}

TEST_F(InstalledProgram, AMissingLibraryIsRestoredFromTheShippedBackupAndWorks)
{
    const std::string backup = ReadWholeFile(UnixToWindowsPath(TRAYSTART_HOOK_BACKUP));
    const std::string library = ReadWholeFile(UnixToWindowsPath(TRAYSTART_HOOK_DLL));
    ASSERT_EQ(backup.size(), library.size() + 1);
    ASSERT_EQ(backup.substr(1), library);
    ASSERT_TRUE(dir.WriteFile("copy_Key.dll", backup));
    EXPECT_EQ(StartAndAnswer(), std::vector<std::string> {kRestoring});
    EXPECT_EQ(dir.ReadFile("SysHookDLL.dll"), library);
    EXPECT_FALSE(WaitForMessageBox(program.Id(), 500));
    EXPECT_TRUE(CloseProgram());
}

TEST_F(InstalledProgram, ABadLibraryGivesTheHookMessageAndTheProgramRunsOn)
{
    const std::string otherArch = ReadWholeFile(UnixToWindowsPath(FAKE_HOOK_OTHER_ARCH_DLL));
    ASSERT_FALSE(otherArch.empty());
    const struct {
        const char* what;
        std::string bytes;
        bool fromBackup; // written as a backup, the library itself missing
    } cases[] = {
        {"corrupt", "MZ this is no library", false},
        {"another architecture", otherArch, false},
        {"one-byte backup", "\x01", true},
    };
    for (const auto& c : cases) {
        dir.WriteFile("set", "0\r\n0\r\n");
        ::DeleteFileA(dir.PathOf("SysHookDLL.dll").c_str());
        ASSERT_TRUE(dir.WriteFile(c.fromBackup ? "copy_Key.dll" : "SysHookDLL.dll", c.bytes)) << c.what;
        std::vector<std::string> expected {kHookFailed};
        if (c.fromBackup)
            expected.insert(expected.begin(), kRestoring);
        EXPECT_EQ(StartAndAnswer(), expected) << c.what;
        ASSERT_NE(window, nullptr) << c.what;
        EXPECT_TRUE(::IsWindowVisible(window)) << c.what;
        EXPECT_TRUE(CloseProgram()) << c.what;
        EXPECT_EQ(program.ExitCode(), 0u) << c.what;
        ::DeleteFileA(dir.PathOf("copy_Key.dll").c_str());
    }
}

TEST_F(InstalledProgram, OnTheSecondDesktopTheHookIsNeverStarted)
{
    HDESK desktop = ::CreateDesktopA("Desk2", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    ASSERT_NE(desktop, nullptr);
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", "MZ this is no library"));
    ASSERT_TRUE(WriteDesk2Icon(dir));
    program = Process::Start(exe, dir.Path(), "Desk2");
    ASSERT_TRUE(program.Valid());
    // Window lookups see only the caller's desktop: look from a thread on Desk2.
    bool shown = false, silent = false;
    std::thread worker([&] {
        if (!::SetThreadDesktop(desktop))
            return;
        shown = WaitForWindow(program.Id(), "TForm1", kMainWindowTitle, kWait, true) != nullptr;
        silent = !WaitForMessageBox(program.Id(), 1000);
    });
    worker.join();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(silent) << "the broken library was loaded on Desk2";
    program.Kill();
    ::CloseDesktop(desktop);
}

} // namespace
