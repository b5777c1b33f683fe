// Start-up and shut-down of the main window in a scratch folder.
#include "form_fixture.h"

#include "app/map_file.h"
#include "e2e/desk2_icon.h"
#include "framework/errors.h"
#include "tray/tray_icon.h"

#include <atomic>
#include <cstring>
#include <thread>

namespace {

const char kRestoreMessage[] = "文件丢失，SysHookDLL.dll不是病毒文件，现在即刻恢复！\r我为什么要这样设计？ 参见帮助";

std::string Backup(size_t librarySize)
{
    std::string bytes(1, '\x7F'); // the guard byte
    for (size_t i = 0; i < librarySize; ++i)
        bytes += static_cast<char>('A' + i % 26);
    return bytes;
}

TEST_F(FormTest, AnEmptyFolderGivesTheSettingsMessageThenTheRestoreMessageThenTheErrorBox)
{
    TForm1& f = Start();
    const std::vector<std::string> messages = Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], "设置文件不存在,无法读取  " + dir.Path() + "\\set");
    EXPECT_EQ(os.calls[0].detail, "出错");
    EXPECT_EQ(messages[1], kRestoreMessage);
    EXPECT_EQ(os.calls[1].detail, kApplicationTitle);
    EXPECT_EQ(os.calls[1].number, static_cast<long>(MB_OK));
    // The missing backup ends start-up in the standard error box.
    EXPECT_EQ(os.calls[2].detail, kApplicationTitle);
    EXPECT_EQ(os.calls[2].number, static_cast<long>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(messages[2].back(), '.');

    // Steps after the failed restore never ran.
    EXPECT_EQ(form->SharedBlock.Get(), nullptr);
    EXPECT_TRUE(form->WindowsDir.empty());
    EXPECT_FALSE(dir.Exists("SysHookDLL.dll"));

    // Steps before it did.
    EXPECT_EQ(f.Caption(), "博闲托盘区开始菜单2.1  ");
    EXPECT_EQ(form->ProgramDir, dir.Path());
    EXPECT_EQ(form->SettingsPath, dir.Path() + "\\set");
    EXPECT_EQ(form->MyProgramsDir, dir.Path() + "\\我的程序");
    EXPECT_EQ(form->SoundDir, dir.Path() + "\\音效");
    EXPECT_EQ(form->InstanceDesktop, "Default");
    EXPECT_TRUE(form->MouseHookStarted);
    ASSERT_NE(form->IconList, nullptr);
    EXPECT_EQ(form->IconList->Count(), 17);
    EXPECT_FALSE(f.MainMenu1.Find("qidongyincang")->Visible());
    EXPECT_FALSE(f.diaoru->Visible());
    EXPECT_TRUE(f.rejianyincang->Checked());
    EXPECT_TRUE(f.yongrejianqiehuanzuomian->Checked());
    EXPECT_TRUE(f.morenzuomian->Checked());
    EXPECT_FALSE(f.zuomian2->Checked());
}

TEST_F(FormTest, AFullStartRestoresTheLibraryAndPublishesTheWindowInTheSharedBlock)
{
    ASSERT_TRUE(dir.WriteFile("set", "0\r\n1\r\n"));
    // The program loads the library from its own folder: the backup holds
    // the real one.
    const std::string library = harness::ReadWholeFile(harness::UnixToWindowsPath(TRAYSTART_HOOK_DLL));
    ASSERT_TRUE(dir.WriteFile("copy_Key.dll", '\x7F' + library));
    TForm1& f = Start();

    EXPECT_EQ(Messages(), std::vector<std::string> {kRestoreMessage});
    EXPECT_EQ(dir.ReadFile("SysHookDLL.dll"), library);
    EXPECT_FALSE(f.rejianyincang->Checked());
    EXPECT_TRUE(f.yongrejianqiehuanzuomian->Checked());
    EXPECT_FALSE(form->WindowsDir.empty());

    ASSERT_NE(form->SharedBlock.Get(), nullptr);
    INT32 fields[2];
    std::memcpy(fields, form->SharedBlock.Get(), sizeof fields);
    EXPECT_EQ(fields[0], 235);
    EXPECT_EQ(fields[1], f.Width());
}

TEST_F(FormTest, APresentLibraryIsLeftAloneAndStartUpIsSilent)
{
    ASSERT_TRUE(dir.WriteFile("set", "1\r\n1\r\n"));
    const std::string existing = harness::ReadWholeFile(harness::UnixToWindowsPath(TRAYSTART_HOOK_DLL));
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", existing));
    ASSERT_TRUE(dir.WriteFile("copy_Key.dll", Backup(1234)));
    Start();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(dir.ReadFile("SysHookDLL.dll"), existing);
}

TEST_F(FormTest, MalformedSettingsStopStartUpAtTheBadLine)
{
    struct Case {
        const char* content;
        bool first, second;
    } cases[] = {
        {"abc\r\n0\r\n", true, true}, // bad first line: nothing changes
        {"0\r\nabc\r\n", false, true}, // bad second line: only the first mark is set
    };
    for (const Case& c : cases) {
        os.calls.clear();
        form.reset();
        ASSERT_TRUE(dir.WriteFile("set", c.content));
        TForm1& f = Start();
        EXPECT_EQ(f.rejianyincang->Checked(), c.first) << c.content;
        EXPECT_EQ(f.yongrejianqiehuanzuomian->Checked(), c.second) << c.content;
        EXPECT_EQ(Messages(), std::vector<std::string> {"Invalid numeric input."}) << c.content;
        EXPECT_TRUE(form->InstanceDesktop.empty()) << "start-up went on past the settings";
    }
}

TEST_F(FormTest, ClosingSavesTheOptionsFirstThenReleasesThem)
{
    ASSERT_TRUE(dir.WriteFile("set", "1\r\n1\r\n"));
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", "x"));
    TForm1& f = Start();
    f.N5Click(nullptr);
    EXPECT_EQ(dir.ReadFile("set"), std::string("1\r\n1\r\n"));
    EXPECT_FALSE(f.rejianyincang->Checked());
    EXPECT_FALSE(f.yongrejianqiehuanzuomian->Checked());
    EXPECT_EQ(form->IconList, nullptr);
    EXPECT_EQ(form->SharedBlock.Get(), nullptr);
    EXPECT_TRUE(Application::Instance().Terminated());
    EXPECT_TRUE(os.Of("Beep").empty());
}

TEST_F(FormTest, AFailedSaveAtCloseBeepsAndEndsWithoutTheRemainingSteps)
{
    ASSERT_TRUE(dir.WriteFile("set", "1\r\n0\r\n"));
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", "x"));
    TForm1& f = Start();
    form->SettingsPath = dir.Path() + "\\vanished\\set";
    f.Close();
    ASSERT_EQ(os.Of("Beep").size(), 1u);
    EXPECT_EQ(os.Of("Beep")[0].number, 0);
    EXPECT_TRUE(Application::Instance().Terminated());
    // The steps after the save were skipped.
    EXPECT_TRUE(f.rejianyincang->Checked());
    EXPECT_NE(form->IconList, nullptr);
    EXPECT_EQ(dir.ReadFile("set"), std::string("1\r\n0\r\n"));
}

TEST_F(FormTest, ShowingEnablesTheOptionsOnTheDefaultDesktop)
{
    ASSERT_TRUE(dir.WriteFile("set", "1\r\n1\r\n"));
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", "x"));
    TForm1& f = Start();
    f.baocun->SetEnabled(false);
    f.rejianyincang->SetEnabled(false);
    f.yongrejianqiehuanzuomian->SetEnabled(false);
    f.FormShow(nullptr);
    EXPECT_TRUE(f.baocun->Enabled());
    EXPECT_TRUE(f.rejianyincang->Enabled());
    EXPECT_TRUE(f.yongrejianqiehuanzuomian->Enabled());
}

// The instance on "Desk2" offers neither the save nor Alt+L, keeps its
// Ctrl+F11 option only on Windows 7, and says where it runs in its tip.
TEST_F(FormTest, ShowingOnDesk2DisablesTheSaveAndTheHotkeyOptions)
{
    ASSERT_TRUE(dir.WriteFile("set", "1\r\n1\r\n"));
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", "x"));
    ASSERT_TRUE(WriteDesk2Icon(dir));
    // Any desktop but "Default" makes the second instance. One of its own, kept
    // open to the end: Wine gives it a desktop window that later tests'
    // "Desk2" must not inherit.
    const std::string name = "FormShow" + std::to_string(::GetCurrentProcessId());
    static HDESK desktop = ::CreateDesktopA(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    ASSERT_NE(desktop, nullptr);
    std::atomic<bool> done {false};
    std::thread worker([&] {
        HDESK own = ::OpenDesktopA(name.c_str(), 0, FALSE, GENERIC_ALL);
        if (!own || !::SetThreadDesktop(own)) {
            ADD_FAILURE() << "cannot run on " << name;
            done = true;
            return;
        }
        TForm1& f = Start();
        EXPECT_EQ(f.InstanceDesktop, "Desk2");
        for (const char* version : {"winXP", "win7"}) {
            SCOPED_TRACE(version);
            f.WinVersionName = version;
            f.yongrejianqiehuanzuomian->SetEnabled(true);
            f.FormShow(nullptr);
            EXPECT_FALSE(f.baocun->Enabled());
            EXPECT_FALSE(f.rejianyincang->Enabled());
            EXPECT_EQ(f.yongrejianqiehuanzuomian->Enabled(), std::string(version) == "win7");
            EXPECT_EQ(f.TrayIcon1->Hint(), "博闲托盘区开始菜单（桌面2）");
        }
        // Its windows belong to this thread.
        form.reset();
        done = true;
    });
    // Its windows send to the application's window, which lives on this thread.
    while (!done)
        harness::PumpFor(5);
    worker.join();
}

} // namespace
