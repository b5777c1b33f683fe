// Choosing a shortcut in either tree: launching its target, the missing-file
// message, unresolvable shortcuts and the right-click branch of the popup.
#include "launcher_fixture.h"

#include "launcher/shell_link.h"

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
        MakeShortcut("Word.lnk", kNotepad, "--not-passed", "C:\\windows\\system32");
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

TEST_F(LaunchTest, EitherTreeOpensTheTargetAloneWithTheMainWindowAsOwner)
{
    TForm1& f = BuildSample();
    const struct {
        const char* caption;
        bool menuBar;
        const char* target;
    } cases[] = {
        {"Word", false, kNotepad},
        {"Word", true, kNotepad},
        {"Chess", false, kRegedit},
        {"Chess", true, kRegedit},
        {"deep", false, kNotepad},
        {"deep", true, kNotepad},
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
        EXPECT_EQ(launches[0].detail, "open|"); // no parameters: the shortcut's own are dropped
        EXPECT_EQ(launches[0].number, SW_SHOWNORMAL);
        EXPECT_EQ(shell.owners[0], f.Handle());
        EXPECT_TRUE(Calls("MessageBox").empty());
    }
}

TEST_F(LaunchTest, AStartedProgramGetsNoArgumentsAndTheLaunchersCurrentFolder)
{
    const std::string program = Root() + "\\程序 目录\\记录 启动.exe";
    ::CreateDirectoryA((Root() + "\\程序 目录").c_str(), nullptr);
    ASSERT_TRUE(::CopyFileA(harness::UnixToWindowsPath(RECORD_LAUNCH_EXE).c_str(), program.c_str(), FALSE));
    MakeShortcut("记录.lnk", program, "--from-shortcut", "C:\\windows");
    const std::string record = Root() + "\\record.txt";
    ASSERT_TRUE(::SetEnvironmentVariableA("RECORD_LAUNCH_TO", record.c_str()));
    TForm1& f = Built();
    shell.execute = true;
    Item(f, "记录")->Click();
    for (int i = 0; i < 150 && ::GetFileAttributesA(record.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        harness::PumpFor(100);
    ::SetEnvironmentVariableA("RECORD_LAUNCH_TO", nullptr);

    std::istringstream lines(ReadAll(record));
    std::string commandLine, current;
    std::getline(lines, commandLine);
    std::getline(lines, current);
    ASSERT_FALSE(commandLine.empty()) << "the program did not start";
    EXPECT_NE(commandLine.find("记录 启动.exe"), std::string::npos) << commandLine;
    EXPECT_EQ(commandLine.find("--from-shortcut"), std::string::npos) << commandLine;
    EXPECT_EQ(current, dir.Path());
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
