// The feedback tool as a program of its own: it saves what the user wrote
// into its own folder, and says so plainly when it cannot.
#include "help/product_info.h"
#include "support/harness.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const char kFeedbackFile[] = "用户反馈.txt";

class FeedbackToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tool = dir.PathOf("青禾工坊_用户反馈表\\用户反馈表.exe");
        ASSERT_TRUE(dir.MakeDir("青禾工坊_用户反馈表"));
        ASSERT_TRUE(::CopyFileA(harness::UnixToWindowsPath(FEEDBACK_TOOL_EXE).c_str(), tool.c_str(), FALSE));
    }

    void TearDown() override { process.Kill(); }

    // Starts the tool from its own folder, as the launcher does.
    HWND StartTool()
    {
        process = harness::Process::Start(tool, dir.PathOf("青禾工坊_用户反馈表"));
        HWND window = harness::WaitForWindow(process.Id(), "TFeedbackForm", nullptr, 15000, true);
        EXPECT_NE(window, nullptr);
        return window;
    }

    static HWND ChildOfClass(HWND window, const char* cls, const char* text = nullptr)
    {
        for (HWND child : harness::ChildWindows(window, cls))
            if (!text || harness::WindowText(child) == text)
                return child;
        return nullptr;
    }

    void Save(HWND window, const std::string& text)
    {
        HWND edit = ChildOfClass(window, "Edit");
        HWND save = ChildOfClass(window, "Button", "保存");
        ASSERT_NE(edit, nullptr);
        ASSERT_NE(save, nullptr);
        ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        // Posted: a refusal shows a modal box that would block a sent click.
        ::PostMessageA(
            window, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(save), BN_CLICKED), reinterpret_cast<LPARAM>(save));
    }

    std::string Saved() const
    {
        return dir.ReadFile(std::string("青禾工坊_用户反馈表\\") + kFeedbackFile).value_or("");
    }

    harness::TempDir dir;
    std::string tool;
    harness::Process process;
};

TEST_F(FeedbackToolTest, SavesTheTextWithDateAndVersionInItsOwnFolderAndAppends)
{
    HWND window = StartTool();
    ASSERT_NE(window, nullptr);
    Save(window, "菜单能不能按名字排序？");
    for (int i = 0; i < 100 && Saved().empty(); ++i)
        harness::PumpFor(50);
    std::string saved = Saved();
    EXPECT_NE(saved.find("菜单能不能按名字排序？"), std::string::npos) << saved;
    EXPECT_NE(saved.find(std::string("版本：") + kProductName), std::string::npos) << saved;
    SYSTEMTIME today {};
    ::GetLocalTime(&today);
    char date[16];
    wsprintfA(date, "%04u-%02u-%02u", today.wYear, today.wMonth, today.wDay);
    EXPECT_NE(saved.find(date), std::string::npos) << saved;

    Save(window, "第二条意见");
    for (int i = 0; i < 100 && Saved().find("第二条意见") == std::string::npos; ++i)
        harness::PumpFor(50);
    saved = Saved();
    EXPECT_NE(saved.find("菜单能不能按名字排序？"), std::string::npos);
    EXPECT_GT(saved.find("第二条意见"), saved.find("菜单能不能按名字排序？"));
    EXPECT_FALSE(harness::WaitForMessageBox(process.Id(), 300).has_value());
}

// A folder the user may not write to. The read-only attribute alone does not
// stop writes (Windows ignores it on folders, and Wine run as root ignores it
// on files), so the test takes the file away in the ways that always work:
// another program holding it open without sharing, and a folder of that name.
TEST_F(FeedbackToolTest, AFileThatCannotBeWrittenIsReportedWithItsPath)
{
    const std::string file = std::string("青禾工坊_用户反馈表\\") + kFeedbackFile;
    ASSERT_TRUE(dir.WriteFile(file, "旧的反馈\r\n"));
    HWND window = StartTool();
    ASSERT_NE(window, nullptr);

    for (bool heldOpen : {true, false}) {
        HANDLE held = INVALID_HANDLE_VALUE;
        if (heldOpen) {
            held = ::CreateFileA(dir.PathOf(file).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        } else {
            ASSERT_TRUE(harness::RemoveTree(dir.PathOf(file)));
            ASSERT_TRUE(dir.MakeDir(file));
        }
        Save(window, "写不进去");
        const auto box = harness::WaitForMessageBox(process.Id(), 10000);
        if (held != INVALID_HANDLE_VALUE)
            ::CloseHandle(held);
        ASSERT_TRUE(box.has_value()) << heldOpen;
        EXPECT_EQ(box->caption, "青禾工坊_用户反馈表");
        EXPECT_NE(box->text.find("无法写入"), std::string::npos) << box->text;
        EXPECT_NE(box->text.find(dir.PathOf(file)), std::string::npos) << box->text;
        EXPECT_TRUE(harness::DismissMessageBox(box->hwnd));
        if (heldOpen) {
            EXPECT_EQ(Saved(), "旧的反馈\r\n");
        }
    }
    // The text stays in the box for another try.
    HWND edit = ChildOfClass(window, "Edit");
    EXPECT_EQ(harness::WindowText(edit), "写不进去");
}

} // namespace
