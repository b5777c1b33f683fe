// Choosing a shortcut in either tree: launching its target, the missing-file
// message, unresolvable shortcuts and the right-click branch of the popup.
#include "launcher_fixture.h"

#include "launcher/link_file.h"
#include "launcher/shell_link.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

const char kNotepad[] = "C:\\windows\\notepad.exe";
const char kRegedit[] = "C:\\windows\\regedit.exe";

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Sets what Wine's link object does not write: the show command and the
// run-as flag, at their places in the shortcut header.
void PatchShortcut(const std::string& path, int show, bool runAs)
{
    std::string bytes = ReadAll(path);
    ASSERT_GE(bytes.size(), 0x4Cu);
    bytes[0x3C] = static_cast<char>(show);
    if (runAs)
        bytes[0x15] = static_cast<char>(bytes[0x15] | 0x20);
    std::ofstream(path, std::ios::binary) << bytes;
}

void MakeMyComputerShortcut(const std::string& path)
{
    ComPtr<IShellLinkA> link;
    ASSERT_TRUE(
        SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())));
    LPITEMIDLIST items = nullptr;
    ASSERT_TRUE(SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &items)));
    link->SetIDList(items);
    ::CoTaskMemFree(items);
    ComPtr<IPersistFile> file;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.PutVoid())));
    std::wstring wide(MAX_PATH, L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), MAX_PATH) - 1));
    ASSERT_TRUE(SUCCEEDED(file->Save(wide.c_str(), TRUE)));
}

POINT Cursor()
{
    POINT point {};
    ::GetCursorPos(&point);
    return point;
}

class LaunchTest : public LauncherTest {
protected:
    TForm1& BuildSample()
    {
        MakeShortcut("Word.lnk", kNotepad, "--word", "C:\\windows\\system32");
        MakeShortcut("Games\\Chess.lnk", kRegedit);
        MakeShortcut("Games\\Sub\\deep.lnk", kNotepad);
        return Built();
    }

    // The shortcut item `caption` of the popup tree (or of the menu bar's).
    MenuItem* Item(TForm1& f, const std::string& caption, bool menuBar = false)
    {
        MenuItem* item = FindCaption(menuBar ? f.formmenu_wodecenxv : f.menu_cenxvkuaijie, caption);
        EXPECT_NE(item, nullptr) << caption;
        return item;
    }
};

TEST_F(LaunchTest, EitherTreeStartsTheTargetWithTheShortcutsSettingsAndTheMainWindowAsOwner)
{
    TForm1& f = BuildSample();
    const struct {
        const char* caption;
        bool menuBar;
        const char* target;
        const char* detail;
        const char* directory;
    } cases[] = {
        {"Word", false, kNotepad, "open|--word", "C:\\windows\\system32"},
        {"Word", true, kNotepad, "open|--word", "C:\\windows\\system32"},
        {"Chess", false, kRegedit, "open|", ""},
        {"Chess", true, kRegedit, "open|", ""},
        {"deep", false, kNotepad, "open|", ""},
        {"deep", true, kNotepad, "open|", ""},
    };
    for (const auto& c : cases) {
        shell.calls.clear();
        shell.owners.clear();
        MenuItem* item = Item(f, c.caption, c.menuBar);
        ASSERT_NE(item, nullptr);
        item->Click();
        const std::vector<RecordedCall> launches = Calls("ShellExecute");
        ASSERT_EQ(launches.size(), 1u) << c.caption << c.menuBar;
        EXPECT_EQ(launches[0].text, c.target);
        EXPECT_EQ(launches[0].detail, c.detail);
        EXPECT_EQ(launches[0].directory, c.directory);
        EXPECT_EQ(launches[0].number, SW_SHOWNORMAL);
        EXPECT_EQ(shell.owners[0], f.Handle());
        EXPECT_TRUE(Calls("MessageBox").empty());
    }
}

TEST_F(LaunchTest, AStartedProgramGetsTheShortcutsArgumentsAndStartInFolder)
{
    const std::string program = Root() + "\\程序 目录\\记录 启动.exe";
    ::CreateDirectoryA((Root() + "\\程序 目录").c_str(), nullptr);
    ASSERT_TRUE(::CopyFileA(harness::UnixToWindowsPath(RECORD_LAUNCH_EXE).c_str(), program.c_str(), FALSE));
    const std::string gbkFolder = Root() + "\\启动 目录";
    ::CreateDirectoryA(gbkFolder.c_str(), nullptr);
    char windows[MAX_PATH] = {};
    ::GetEnvironmentVariableA("SystemRoot", windows, MAX_PATH);
    const struct {
        const char* caption;
        std::string arguments, startIn, current;
    } cases[] = {
        // No start-in folder: the launcher's own current folder, as before.
        {"空格", "--from-shortcut \"带 空格 的参数\" 'single' x", "", dir.Path()},
        {"长参数", "\"" + std::string(1000, 'a') + "\" 中文参数 表", gbkFolder, gbkFolder},
        {"环境", "-e", "%SystemRoot%", windows},
    };
    for (const auto& c : cases)
        MakeShortcut(std::string(c.caption) + ".lnk", program, c.arguments, c.startIn);
    const std::string record = Root() + "\\record.txt";
    ASSERT_TRUE(::SetEnvironmentVariableA("RECORD_LAUNCH_TO", record.c_str()));
    TForm1& f = Built();
    shell.execute = true;
    for (const auto& c : cases) {
        ::DeleteFileA(record.c_str());
        Item(f, c.caption)->Click();
        for (int i = 0; i < 150 && ::GetFileAttributesA(record.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
            harness::PumpFor(100);
        std::istringstream lines(ReadAll(record));
        std::string commandLine, current;
        std::getline(lines, commandLine);
        std::getline(lines, current);
        ASSERT_FALSE(commandLine.empty()) << c.caption << ": the program did not start";
        EXPECT_NE(commandLine.find("记录 启动.exe"), std::string::npos) << commandLine;
        const std::string tail
            = commandLine.substr(commandLine.size() - std::min(commandLine.size(), c.arguments.size()));
        EXPECT_EQ(tail, c.arguments) << c.caption;
        EXPECT_EQ(_stricmp(current.c_str(), c.current.c_str()), 0) << current << " / " << c.current;
    }
    ::SetEnvironmentVariableA("RECORD_LAUNCH_TO", nullptr);
}

TEST_F(LaunchTest, ShowCommandsRunAsShellItemsAndGoneTargetsReachTheShellAsExplorerWould)
{
    MakeShortcut("最小化.lnk", kNotepad);
    PatchShortcut(ProgramsPath("最小化.lnk"), SW_SHOWMINNOACTIVE, false);
    MakeShortcut("最大化.lnk", kNotepad);
    PatchShortcut(ProgramsPath("最大化.lnk"), SW_SHOWMAXIMIZED, false);
    MakeShortcut("管理员.lnk", kRegedit, "/s x.reg");
    PatchShortcut(ProgramsPath("管理员.lnk"), SW_SHOWNORMAL, true);
    MakeShortcut("无此目录.lnk", kNotepad, "", Root() + "\\不存在的目录");
    MakeMyComputerShortcut(ProgramsPath("我的电脑.lnk"));
    // A path kept as "%SystemRoot%\..." wins over the one written beside it.
    MakeShortcut("环境变量.lnk", Root() + "\\elsewhere.exe");
    const std::string withVariables
        = WithExpandablePath(ReadAll(ProgramsPath("环境变量.lnk")), "%SystemRoot%\\notepad.exe");
    ASSERT_FALSE(withVariables.empty());
    WriteFile(ProgramsPath("环境变量.lnk"), withVariables);
    const std::string gone = Root() + "\\gone.exe";
    WriteFile(gone, "MZ");
    MakeShortcut("目标已删除.lnk", gone);
    ASSERT_TRUE(::DeleteFileA(gone.c_str()));
    TForm1& f = Built();

    const struct {
        const char* caption;
        std::string text, detail;
        long show;
    } cases[] = {
        {"最小化", kNotepad, "open|", SW_SHOWMINNOACTIVE},
        {"最大化", kNotepad, "open|", SW_SHOWMAXIMIZED},
        {"管理员", kRegedit, "runas|/s x.reg", SW_SHOWNORMAL},
        {"无此目录", kNotepad, "open|", SW_SHOWNORMAL}, // the shell's own answer
        {"我的电脑", "items:::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "open|", SW_SHOWNORMAL},
        {"环境变量", kNotepad, "open|", SW_SHOWNORMAL},
    };
    for (bool menuBar : {false, true}) {
        for (const auto& c : cases) {
            shell.calls.clear();
            Item(f, c.caption, menuBar)->Click();
            const std::vector<RecordedCall> launches = Calls("ShellExecute");
            ASSERT_EQ(launches.size(), 1u) << c.caption;
            EXPECT_EQ(_stricmp(launches[0].text.c_str(), c.text.c_str()), 0) << launches[0].text;
            EXPECT_EQ(launches[0].detail, c.detail) << c.caption;
            EXPECT_EQ(launches[0].number, c.show) << c.caption;
            EXPECT_TRUE(Calls("MessageBox").empty()) << c.caption;
        }
        shell.calls.clear();
        Item(f, "目标已删除", menuBar)->Click();
        const std::vector<RecordedCall> boxes = Calls("MessageBox");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "快捷方式的目标不存在  " + gone + "\r\n快捷方式  " + ProgramsPath("目标已删除.lnk"));
        EXPECT_TRUE(Calls("ShellExecute").empty());
    }
}

// Closes the top-level window titled `title`; false when none came up.
bool CloseWindowTitled(const char* title)
{
    HWND window = nullptr;
    for (int i = 0; i < 100 && !(window = ::FindWindowA(nullptr, title)); ++i)
        harness::PumpFor(100);
    if (!window)
        return false;
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    harness::WaitForWindowGone(window, 5000);
    return true;
}

TEST_F(LaunchTest, UnderWineFolderCommandsOpenWindowsOnTheirFolders)
{
    if (!OsInterface().RunsUnderWine())
        GTEST_SKIP() << "Wine's explorer only";
    MakeShortcut("Word.lnk", kNotepad);
    MakeMyComputerShortcut(ProgramsPath("我的电脑.lnk"));
    TForm1& f = Built();
    shell.wine = true;
    shell.execute = true;

    f.RightClickPending = true;
    f.HookClickPoint = Cursor();
    Item(f, "Word")->Click();
    ASSERT_EQ(Calls("ShellExecute").size(), 1u);
    EXPECT_EQ(Calls("ShellExecute")[0].detail, "open|/root,\"" + Programs() + "\\\"");
    EXPECT_TRUE(CloseWindowTitled("我的程序")) << "no window on the shortcut's folder";
    f.dakaiwodecenxvwenjianjiaClick(nullptr);
    EXPECT_TRUE(CloseWindowTitled("我的程序")) << "no window on the shortcut folder";
    // A shell folder kept only as an item list: Wine's explorer shows it
    // selected in its parent, the desktop.
    shell.calls.clear();
    Item(f, "我的电脑")->Click();
    ASSERT_EQ(Calls("ShellExecute").size(), 1u);
    const std::string select = Calls("ShellExecute")[0].detail;
    EXPECT_EQ(_stricmp(select.c_str(), "open|/select,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"), 0) << select;
    EXPECT_TRUE(CloseWindowTitled("桌面")) << "no window on My Computer's folder";
}

// Run by scripts/wow64-test.sh: the 32-bit build in a 64-bit prefix, with a
// program placed only in the 64-bit System32.
TEST_F(LaunchTest, AProgramOnlyIn64BitSystem32StartsFromThe32BitProgram)
{
    char program[MAX_PATH] = {};
    BOOL wow64 = FALSE;
    if (!::GetEnvironmentVariableA("WOW64_ONLY_PROGRAM", program, MAX_PATH)
        || !::IsWow64Process(::GetCurrentProcess(), &wow64) || !wow64)
        GTEST_SKIP() << "needs the 32-bit build on 64-bit Windows and WOW64_ONLY_PROGRAM (scripts/wow64-test.sh)";
    ASSERT_EQ(::GetFileAttributesA(program), INVALID_FILE_ATTRIBUTES) << "the 32-bit view must not see it";
    MakeShortcut("64位.lnk", program, "", "C:\\windows\\system32");
    const std::string record = Root() + "\\record64.txt";
    ASSERT_TRUE(::SetEnvironmentVariableA("RECORD_LAUNCH_TO", record.c_str()));
    TForm1& f = Built();
    shell.execute = true;
    Item(f, "64位")->Click();
    for (int i = 0; i < 150 && ::GetFileAttributesA(record.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        harness::PumpFor(100);
    ::SetEnvironmentVariableA("RECORD_LAUNCH_TO", nullptr);
    EXPECT_NE(ReadAll(record).find("record_wow64.exe"), std::string::npos) << "the 64-bit program did not start";
    EXPECT_TRUE(Calls("MessageBox").empty());
}

TEST_F(LaunchTest, AShortcutGoneSinceTheBuildIsReportedWithItsFullPath)
{
    TForm1& f = BuildSample();
    MakeShortcut("Tools.lnk\\inside.lnk", kNotepad);
    f.congzaiwodecenxvClick(nullptr);
    ASSERT_TRUE(::DeleteFileA(ProgramsPath("Word.lnk").c_str()));
    ASSERT_TRUE(::DeleteFileA(ProgramsPath("Games\\Sub\\deep.lnk").c_str()));
    const struct {
        const char* caption;
        bool menuBar;
        std::string path;
    } cases[] = {
        {"Word", false, ProgramsPath("Word.lnk")},
        {"Word", true, ProgramsPath("Word.lnk")},
        {"deep", false, ProgramsPath("Games\\Sub\\deep.lnk")},
        {"deep", true, ProgramsPath("Games\\Sub\\deep.lnk")},
        // A directory named like a shortcut is no shortcut file.
        {"Tools", false, ProgramsPath("Tools.lnk")},
    };
    for (const auto& c : cases) {
        shell.calls.clear();
        Item(f, c.caption, c.menuBar)->Click();
        const std::vector<RecordedCall> boxes = Calls("MessageBox");
        ASSERT_EQ(boxes.size(), 1u) << c.caption;
        EXPECT_EQ(boxes[0].text, "文件不存在  " + c.path);
        EXPECT_EQ(boxes[0].detail, kApplicationTitle);
        EXPECT_EQ(boxes[0].number, static_cast<long>(MB_OK));
        EXPECT_TRUE(Calls("ShellExecute").empty());
    }
}

TEST_F(LaunchTest, AnUnresolvableShortcutHandsTheFailureTextToTheShellAndNoShortcutIsRewritten)
{
    const char corrupt[] = "\x4c\0\0\0not a shell link at all";
    WriteFile(ProgramsPath("corrupt.lnk"), std::string(corrupt, sizeof corrupt - 1));
    WriteFile(ProgramsPath("empty.lnk"), "");
    // A shortcut whose target is gone: the shell may look for it, but the
    // file stays as it was.
    const std::string target = Root() + "\\moved.exe";
    WriteFile(target, "MZ");
    MakeShortcut("moved.lnk", target);
    ASSERT_TRUE(::DeleteFileA(target.c_str()));
    const std::string before = ReadAll(ProgramsPath("moved.lnk"));
    TForm1& f = Built();

    for (const char* caption : {"corrupt", "empty"}) {
        shell.calls.clear();
        Item(f, caption)->Click();
        const std::vector<RecordedCall> launches = Calls("ShellExecute");
        ASSERT_EQ(launches.size(), 1u) << caption;
        EXPECT_EQ(launches[0].text, kUnresolvedLink) << caption;
        EXPECT_EQ(launches[0].number, SW_SHOWNORMAL);
    }
    EXPECT_EQ(ResolveLinkTarget(ProgramsPath("corrupt.lnk")), kUnresolvedLink);
    EXPECT_EQ(ResolveLinkTarget(ProgramsPath("nonexistent.lnk")), kUnresolvedLink);
    EXPECT_EQ(ResolveLinkTarget(ProgramsPath("empty.lnk")), kUnresolvedLink);
    Item(f, "moved")->Click();
    EXPECT_EQ(ReadAll(ProgramsPath("moved.lnk")), before);
    EXPECT_EQ(ReadAll(ProgramsPath("corrupt.lnk")), std::string(corrupt, sizeof corrupt - 1));
}

TEST_F(LaunchTest, ARightClickAtTheSamePlaceOpensTheFolderHoldingThePopupShortcut)
{
    TForm1& f = BuildSample();
    const struct {
        const char* caption;
        std::string folder;
    } cases[] = {
        {"Word", Programs() + "\\"},
        {"Chess", Programs() + "\\Games\\"},
        {"deep", Programs() + "\\Games\\Sub\\"},
    };
    for (const auto& c : cases) {
        shell.calls.clear();
        shell.owners.clear();
        f.RightClickPending = true;
        f.HookClickPoint = Cursor();
        Item(f, c.caption)->Click();
        EXPECT_FALSE(f.RightClickPending);
        const std::vector<RecordedCall> launches = Calls("ShellExecute");
        ASSERT_EQ(launches.size(), 1u) << c.caption;
        EXPECT_EQ(launches[0].text, "C:\\windows\\Explorer.exe");
        EXPECT_EQ(launches[0].detail, "open|/n," + c.folder);
        EXPECT_EQ(launches[0].number, SW_SHOWMAXIMIZED);
        EXPECT_EQ(shell.owners[0], f.Handle());
    }
}

TEST_F(LaunchTest, ARightClickElsewhereOrInTheMenuBarTreeLaunchesInstead)
{
    TForm1& f = BuildSample();
    const struct {
        const char* caption;
        bool menuBar;
        int dx, dy;
        bool stillPending;
    } cases[] = {
        {"Word", false, 1, 0, false}, // the cursor moved: the pending click is dropped
        {"deep", false, 0, -1, false},
        {"Word", true, 0, 0, true}, // the menu bar's tree never looks at it
        {"deep", true, 0, 0, true},
    };
    for (const auto& c : cases) {
        shell.calls.clear();
        f.RightClickPending = true;
        const POINT cursor = Cursor();
        f.HookClickPoint = {cursor.x + c.dx, cursor.y + c.dy};
        Item(f, c.caption, c.menuBar)->Click();
        EXPECT_EQ(f.RightClickPending, c.stillPending) << c.caption;
        const std::vector<RecordedCall> launches = Calls("ShellExecute");
        ASSERT_EQ(launches.size(), 1u) << c.caption;
        EXPECT_EQ(launches[0].text, kNotepad) << c.caption;
        EXPECT_EQ(launches[0].number, SW_SHOWNORMAL);
    }
}

TEST_F(LaunchTest, ARightClickOnAShortcutWhoseFolderIsGoneDoesNothing)
{
    TForm1& f = BuildSample();
    ASSERT_TRUE(harness::RemoveTree(ProgramsPath("Games\\Sub")));
    f.RightClickPending = true;
    f.HookClickPoint = Cursor();
    Item(f, "deep")->Click();
    EXPECT_FALSE(f.RightClickPending);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(LaunchTest, OddCaptionsAreShownExactlyAndLaunchTheirOwnShortcut)
{
    const std::string names[] = {
        "A & B", "100% sure %PATH%", "  spaced  name ",
        "淺擻", // both characters end in the byte 0x5C
        "表格 v1.2", std::string(100, 'x') + " " + std::string(99, 'y'), // 200 characters
    };
    for (size_t i = 0; i < std::size(names); ++i) {
        const std::string target = Root() + "\\t" + std::to_string(i) + ".txt";
        WriteFile(target, "x");
        MakeShortcut(names[i] + ".lnk", target);
    }
    MakeShortcut("淺\\inner.lnk", kNotepad);
    MakeShortcut("淺\\Inner\\lower.lnk", kRegedit);
    TForm1& f = Built();

    // A folder whose name ends in 0x5C is still read as a folder of its own.
    for (MenuItem* root : {f.menu_cenxvkuaijie, f.formmenu_wodecenxv})
        EXPECT_NE(Shape(root).find("[淺]{inner,-,[Inner]{lower,-},-}"), std::string::npos) << Shape(root);

    for (bool menuBar : {false, true}) {
        for (size_t i = 0; i < std::size(names); ++i) {
            shell.calls.clear();
            MenuItem* item = Item(f, names[i], menuBar);
            ASSERT_NE(item, nullptr);
            // The real menu shows the caption as written ("&&" draws one "&").
            std::string shown(512, '\0');
            const int length
                = ::GetMenuStringA(item->Parent()->Handle(), static_cast<UINT>(item->Parent()->IndexOf(item)),
                    shown.data(), static_cast<int>(shown.size()), MF_BYPOSITION);
            shown.resize(static_cast<size_t>(length > 0 ? length : 0));
            std::string expected;
            for (char c : names[i])
                expected += c == '&' ? std::string("&&") : std::string(1, c);
            EXPECT_EQ(shown, expected);
            item->Click();
            const std::vector<RecordedCall> launches = Calls("ShellExecute");
            ASSERT_EQ(launches.size(), 1u) << names[i];
            EXPECT_EQ(launches[0].text, Root() + "\\t" + std::to_string(i) + ".txt") << names[i];
        }
        shell.calls.clear();
        Item(f, "lower", menuBar)->Click();
        ASSERT_EQ(Calls("ShellExecute").size(), 1u);
        EXPECT_EQ(Calls("ShellExecute")[0].text, kRegedit);
    }
    // The right click finds the folder too.
    shell.calls.clear();
    f.RightClickPending = true;
    f.HookClickPoint = Cursor();
    Item(f, "lower")->Click();
    ASSERT_EQ(Calls("ShellExecute").size(), 1u);
    EXPECT_EQ(Calls("ShellExecute")[0].detail, "open|/n," + Programs() + "\\淺\\Inner\\");
}

TEST_F(LaunchTest, ClicksFromCodeWithoutAnItemDoNothing)
{
    TForm1& f = BuildSample();
    f.RightClickPending = true;
    f.menu_cenxvkuaijieClick(nullptr);
    f.formmenu_cenxvkuaijieClick(nullptr);
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_TRUE(f.RightClickPending);
}

} // namespace
