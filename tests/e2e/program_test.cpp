// The real program, started in a scratch folder and watched from outside.
#include "support/harness.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace harness;

namespace {

const DWORD kWait = 20000;
const char kRestoreMessage[] = "文件丢失，SysHookDLL.dll不是病毒文件，现在即刻恢复！\r我为什么要这样设计？ 参见帮助";

// Expects the next message box of `program`, checks it and presses OK.
MessageBoxInfo Answer(const Process& program, const char* caption)
{
    std::optional<MessageBoxInfo> box = WaitForMessageBox(program.Id(), kWait);
    if (!box) {
        ADD_FAILURE() << "no message box with caption " << caption;
        return {};
    }
    EXPECT_EQ(box->caption, caption);
    EXPECT_TRUE(DismissMessageBox(box->hwnd));
    return *box;
}

TEST(Program, FirstStartInAnEmptyFolderThenCloseWritesTheSettings)
{
    TempDir dir;
    Process program = Process::Start(ProgramExePath(), dir.Path());
    ASSERT_TRUE(program.Valid());

    EXPECT_EQ(Answer(program, "出错").text, "设置文件不存在,无法读取  " + dir.Path() + "\\set");
    // Message boxes render "\r" as a line break; the text keeps it.
    std::string restore = Answer(program, kProgramTitle).text;
    EXPECT_EQ(restore.substr(0, restore.find('\r')), std::string(kRestoreMessage).substr(0, restore.find('\r')));
    MessageBoxInfo error = Answer(program, kProgramTitle);
    EXPECT_FALSE(error.text.empty());
    EXPECT_EQ(error.text.back(), '.');
    EXPECT_NE(error.icon, MessageBoxIcon::None);

    HWND window = WaitForWindow(program.Id(), "TForm1", kMainWindowTitle, kWait, true);
    ASSERT_NE(window, nullptr);
    RECT r = WindowRect(window);
    int screenWidth = ::GetSystemMetrics(SM_CXSCREEN), screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR((r.left + r.right) / 2, screenWidth / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, screenHeight / 2, 1);
    // The taskbar button belongs to the application window, titled without the blanks.
    EXPECT_NE(FindTopLevelWindow(program.Id(), "TApplication", kProgramTitle, true), nullptr);

    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(kWait));
    EXPECT_EQ(dir.ReadFile("set"), std::string("1\r\n1\r\n"));
    EXPECT_FALSE(dir.Exists("SysHookDLL.dll"));
}

TEST(Program, DataPathsFollowTheStartFolderAndTheLibraryIsRestored)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteFile("set", "0\r\n1\r\n"));
    const std::string library = ReadWholeFile(UnixToWindowsPath(TRAYSTART_HOOK_DLL));
    ASSERT_TRUE(dir.WriteFile("copy_Key.dll", "\x01" + library));
    Process program = Process::Start(ProgramExePath(), dir.Path());
    ASSERT_TRUE(program.Valid());

    Answer(program, kProgramTitle);
    HWND window = WaitForWindow(program.Id(), "TForm1", kMainWindowTitle, kWait, true);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(WaitForMessageBox(program.Id(), 500));
    EXPECT_EQ(dir.ReadFile("SysHookDLL.dll"), library);

    // The shared block holds the window's left edge and width as they stood
    // before it was first shown (and centred).
    HANDLE mapping = ::OpenFileMappingA(FILE_MAP_READ, FALSE, "XIANDESK");
    ASSERT_NE(mapping, nullptr);
    const void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 8);
    ASSERT_NE(view, nullptr);
    INT32 fields[2];
    std::memcpy(fields, view, sizeof fields);
    RECT r = WindowRect(window);
    EXPECT_EQ(fields[0], 235);
    EXPECT_EQ(fields[1], r.right - r.left);
    ::UnmapViewOfFile(view);
    ::CloseHandle(mapping);

    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(kWait));
    EXPECT_EQ(dir.ReadFile("set"), std::string("0\r\n1\r\n"));
}

TEST(Program, ABadSettingsFileIsReportedAndNotOverwrittenAtClose)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteFile("set", "yes\r\nno\r\n"));
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", ReadWholeFile(UnixToWindowsPath(TRAYSTART_HOOK_DLL))));
    Process program = Process::Start(ProgramExePath(), dir.Path());
    ASSERT_TRUE(program.Valid());
    EXPECT_EQ(Answer(program, kProgramTitle).text, "Invalid numeric input.");
    HWND window = WaitForWindow(program.Id(), "TForm1", kMainWindowTitle, kWait, true);
    ASSERT_NE(window, nullptr);
    // Start-up stopped before the instance took its role, so the close does
    // not save over the file the user has to mend.
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(kWait));
    EXPECT_EQ(dir.ReadFile("set"), std::string("yes\r\nno\r\n"));
}

TEST(Program, AReservedSharedBlockOfAnotherProcessDoesNotStopTheStart)
{
    // Created first by someone else: reserved pages, none committed.
    HANDLE reserved
        = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_RESERVE, 0, 65536, "XIANDESK");
    ASSERT_NE(reserved, nullptr);
    ASSERT_NE(::GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    TempDir dir;
    ASSERT_TRUE(dir.WriteFile("set", "0\r\n0\r\n"));
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", ReadWholeFile(UnixToWindowsPath(TRAYSTART_HOOK_DLL))));
    Process program = Process::Start(ProgramExePath(), dir.Path());
    ASSERT_TRUE(program.Valid());
    HWND window = WaitForWindow(program.Id(), "TForm1", kMainWindowTitle, kWait, true);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(WaitForMessageBox(program.Id(), 1000));
    EXPECT_TRUE(program.Running());
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(kWait));
    EXPECT_EQ(program.ExitCode(), 0u);
    ::CloseHandle(reserved);
}

// Sets the system DPI for programs started from now on, and puts it back.
class ScopedDpi {
public:
    explicit ScopedDpi(DWORD dpi)
    {
        ::RegCreateKeyExA(
            HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_, nullptr);
        ::RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~ScopedDpi()
    {
        ::RegDeleteValueA(key_, "LogPixels");
        ::RegCloseKey(key_);
    }
    ScopedDpi(const ScopedDpi&) = delete;
    ScopedDpi& operator=(const ScopedDpi&) = delete;

private:
    HKEY key_ = nullptr;
};

TEST(Program, TheWindowIsScaledToTheSystemDpi)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteFile("set", "1\r\n1\r\n"));
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", ReadWholeFile(UnixToWindowsPath(TRAYSTART_HOOK_DLL))));
    RECT r {};
    {
        ScopedDpi dpi(144);
        Process program = Process::Start(ProgramExePath(), dir.Path());
        ASSERT_TRUE(program.Valid());
        HWND window = WaitForWindow(program.Id(), "TForm1", kMainWindowTitle, kWait, true);
        ASSERT_NE(window, nullptr);
        r = WindowRect(window);
        program.Kill();
    }
    // 386 x 274 design pixels at 144 dpi.
    EXPECT_EQ(r.right - r.left, 579);
    EXPECT_EQ(r.bottom - r.top, 411);
}

} // namespace
