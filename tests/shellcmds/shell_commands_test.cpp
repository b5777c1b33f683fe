// The folder and system commands as the OS interface sees them: exact
// owners, command lines, show commands and the shut-down's privilege steps.
#include "../app/form_fixture.h"

#include "shellcmds/shell_commands.h"

#include <shlobj.h>

namespace {

// Records like OsRecorder and keeps the owner window of each shell call.
class ShellRecorder : public OsRecorder {
public:
    std::vector<HWND> owners;
    HINSTANCE ShellExecuteFile(
        HWND owner, const std::string& verb, const std::string& file, const std::string& params, int show) override
    {
        owners.push_back(owner);
        return OsRecorder::ShellExecuteFile(owner, verb, file, params, show);
    }
};

class ShellCommandsTest : public FormTest {
protected:
    // Clicks the item named `name` in the menu bar or the tray popup.
    void Click(TForm1& f, const char* name)
    {
        MenuItem* item = f.MainMenu1.Find(name);
        if (!item)
            item = f.PopupMenu1.Find(name);
        ASSERT_NE(item, nullptr) << name;
        item->Click();
    }

    // Everything recorded, one line per call, owners left out.
    std::string Log() const
    {
        std::string log;
        for (const RecordedCall& call : shell.calls)
            log += call.what + "|" + call.text + "|" + call.detail + "|" + std::to_string(call.number) + "\n";
        return log;
    }

    void Clear()
    {
        shell.calls.clear();
        shell.owners.clear();
    }

    ShellRecorder shell;
};

TEST_F(ShellCommandsTest, FolderItemsOpenANewMaximisedExplorerWindowOnTheirFolder)
{
    TForm1& f = Design(); // the folders are set below, as start-up would
    struct Case {
        const char* item;
        std::string* folder;
        const char* path;
    } cases[] = {
        {"wodewendang", &f.MyDocumentsDir, "C:\\users\\me\\My Documents"}, // spaces stay unquoted
        {"N25", &f.FavoritesDir, "C:\\users\\me\\Favorites"},
        {"N45", &f.StartMenuDir, "C:\\users\\me\\Start Menu"},
        {"N47", &f.CommonStartMenuDir, "C:\\ProgramData\\Start Menu"},
        {"N49", &f.SendToDir, "C:\\users\\me\\SendTo"},
        {"N49", &f.SendToDir, ""}, // not resolved at start-up: the switch alone
        {"wodewendang", &f.MyDocumentsDir, "C:\\名字 有 空格\\文档"},
    };
    for (const Case& c : cases) {
        *c.folder = c.path;
        Clear();
        Click(f, c.item);
        EXPECT_EQ(Log(), std::string("ShellExecute|C:\\windows\\Explorer.exe|open|/n,") + c.path + "|3\n") << c.item;
        ASSERT_EQ(shell.owners.size(), 1u);
        EXPECT_EQ(shell.owners[0], f.Handle()) << c.item;
    }
}

TEST_F(ShellCommandsTest, StartFolderItemOpensTheFolderCurrentAtStartUpNotTheProgramsOwn)
{
    TForm1& f = Start();
    Clear();
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string exeFolder = exe;
    exeFolder.resize(exeFolder.rfind('\\'));
    ASSERT_NE(exeFolder, dir.Path());

    Click(f, "dakaibencenxvqidongwenjianjia");
    EXPECT_EQ(Log(), "ShellExecute|C:\\windows\\Explorer.exe|open|/n," + dir.Path() + "|3\n");
    EXPECT_EQ(shell.owners, std::vector<HWND> {f.Handle()});
}

// The path the shell gives for special folder `csidl`, as start-up asks for it.
std::string ShellFolderPath(int csidl)
{
    LPITEMIDLIST list = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &list)))
        return "";
    char path[MAX_PATH] = {};
    const bool ok = ::SHGetPathFromIDListA(list, path) != FALSE;
    ::CoTaskMemFree(list);
    return ok ? path : "";
}

TEST_F(ShellCommandsTest, EachSpecialFolderItemOpensItsOwnFolderAsResolvedAtStartUp)
{
    TForm1& f = Start();
    const struct {
        const char* item;
        int csidl;
    } cases[] = {
        {"wodewendang", CSIDL_PERSONAL},
        {"N25", CSIDL_FAVORITES},
        {"N45", CSIDL_STARTMENU},
        {"N47", CSIDL_COMMON_STARTMENU},
        {"N49", CSIDL_SENDTO},
    };
    for (const auto& c : cases) {
        const std::string folder = ShellFolderPath(c.csidl);
        EXPECT_FALSE(folder.empty()) << c.item;
        Clear();
        Click(f, c.item);
        EXPECT_EQ(Log(), "ShellExecute|C:\\windows\\Explorer.exe|open|/n," + folder + "|3\n") << c.item;
    }
}

TEST_F(ShellCommandsTest, MyComputerOpensTheNamespaceObjectWithoutTheNewWindowSwitch)
{
    TForm1& f = Design();
    Click(f, "wodediannao");
    EXPECT_EQ(Log(), "ShellExecute|C:\\windows\\explorer.exe|open|::{20D04FE0-3AEA-1069-A2D8-08002B30309D}|3\n");
    ASSERT_EQ(shell.owners.size(), 1u);
    EXPECT_EQ(shell.owners[0], f.Handle());
}

TEST_F(ShellCommandsTest, PopupItemsGiveTheSameCommandsAsTheMenuBarItems)
{
    TForm1& f = Design();
    f.MyDocumentsDir = "C:\\Docs Folder";
    const struct {
        const char* popup;
        const char* menuBar;
    } pairs[] = {{"N63", "wodewendang"}, {"N65", "wodediannao"}};
    for (const auto& pair : pairs) {
        Clear();
        Click(f, pair.menuBar);
        const std::string fromMenuBar = Log();
        const std::vector<HWND> ownersFromMenuBar = shell.owners;
        Clear();
        Click(f, pair.popup);
        EXPECT_EQ(Log(), fromMenuBar) << pair.popup;
        EXPECT_EQ(shell.owners, ownersFromMenuBar) << pair.popup;
        EXPECT_FALSE(fromMenuBar.empty());
    }
}

TEST_F(ShellCommandsTest, ControlPanelRestartAndLogOffRunTheirCommandLines)
{
    TForm1& f = Design();
    const struct {
        const char* item;
        const char* log;
    } cases[] = {
        {"N50", "WinExec|\"C:\\windows\\system32\\RunDLL32.exe\" Shell32.DLL,Control_RunDLL||1\n"},
        {"N56", "WinExec|\"C:\\windows\\system32\\shutdown.exe\" -r -t 2||5\n"}, // no privilege change for these two
        {"N58", "WinExec|\"C:\\windows\\system32\\shutdown.exe\" -l -t 2||5\n"},
    };
    for (const auto& c : cases) {
        Clear();
        Click(f, c.item);
        EXPECT_EQ(Log(), c.log) << c.item;
    }
}

TEST_F(ShellCommandsTest, ShutDownEnablesThePrivilegeThenForcesTheShutDownOnlyWhenTheTokenOpens)
{
    TForm1& f = Design();
    const std::string token = HandleText(OsRecorder::FakeToken());
    const std::string luid
        = std::to_string(OsRecorder::kShutdownLuid.HighPart) + ":" + std::to_string(OsRecorder::kShutdownLuid.LowPart);
    const struct {
        bool tokenOpens;
        std::string log;
    } cases[] = {
        {true,
            "OpenToken|||40\n" // adjust privileges + query
            "LookupPrivilege|SeShutdownPrivilege||0\n"
            "AdjustPrivileges|"
                + token + "|count=1 luid=" + luid + " attributes=2|16\n" + "CloseToken|" + token + "||0\n"
                + "ExitWindows||0|5\n"}, // shut down + force, reason 0
        {false, "OpenToken|||40\n"}, // nothing else, and nothing shown
    };
    for (const auto& c : cases) {
        Clear();
        shell.tokenOpens = c.tokenOpens;
        Click(f, "N54");
        EXPECT_EQ(Log(), c.log) << c.tokenOpens;
    }
}

// A shell object that cannot be reached, as on a system without it.
const CLSID kNoSuchClass = {0x5ca1ab1e, 0x0bad, 0x4c0d, {0x9e, 0x11, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}};

TEST_F(ShellCommandsTest, FailingAutomationObjectsGiveTheErrorBoxAndTheProgramGoesOn)
{
    Design();
    ShellCommands commands(kNoSuchClass, L"TrayStart.NoSuchObject");
    for (int click = 0; click < 2; ++click) {
        Application::Instance().Guard([&] { commands.ShowRunDialog(); });
        Application::Instance().Guard([&] { commands.ShowDesktop(); });
    }
    const std::vector<RecordedCall> boxes = shell.Of("MessageBox");
    ASSERT_EQ(boxes.size(), 4u) << Log();
    for (const RecordedCall& box : boxes) {
        EXPECT_FALSE(box.text.empty());
        EXPECT_EQ(box.detail, kApplicationTitle);
        EXPECT_EQ(box.number, static_cast<long>(MB_OK | MB_ICONSTOP));
    }
    EXPECT_FALSE(commands.Shell1().Connected());
    EXPECT_EQ(shell.calls.size(), boxes.size()); // nothing else was started
}

} // namespace
