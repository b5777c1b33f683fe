#include "framework/application.h"
#include "framework/errors.h"
#include "framework/subclass.h"
#include "support/os_recorder.h"

#include <gtest/gtest.h>

TEST(Application, ErrorBoxShowsTheMessageWithTitleAndStopIcon)
{
    OsRecorder os;
    Application& app = Application::Instance();
    app.Initialize();
    app.SetTitle("Title");
    app.HandleException(Exception("Disk full"));
    app.HandleException(Exception("Stop!"));
    ASSERT_EQ(os.calls.size(), 2u);
    EXPECT_EQ(os.calls[0].text, "Disk full.");
    EXPECT_EQ(os.calls[0].detail, "Title");
    EXPECT_EQ(os.calls[0].number, static_cast<long>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(os.calls[1].text, "Stop!");
}

TEST(Application, GuardTurnsAnExceptionIntoTheErrorBoxAndGoesOn)
{
    OsRecorder os;
    bool after = false;
    Application::Instance().Guard([] { throw InOutError(106); });
    after = true;
    EXPECT_TRUE(after);
    ASSERT_EQ(os.Of("MessageBox").size(), 1u);
    EXPECT_EQ(os.calls[0].text, "Invalid numeric input.");
}

TEST(Application, SubclassesComeOffInAnyOrderAndTheirErrorsGoToTheErrorBox)
{
    OsRecorder os;
    Application::Instance().Initialize();
    HWND button = ::CreateWindowExA(
        0, "BUTTON", "b", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    std::string seen;
    auto tagging = [&seen](char tag) {
        return [&seen, tag](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_USER)
                seen += tag;
            return WindowSubclass::CallNext(window, message, wParam, lParam);
        };
    };
    WindowSubclass first, second, third;
    ASSERT_TRUE(first.Install(button, tagging('1')));
    ASSERT_TRUE(second.Install(button, tagging('2')));
    ASSERT_TRUE(third.Install(button, tagging('3')));
    ::SendMessageA(button, WM_USER, 0, 0);
    EXPECT_EQ(seen, "321");
    second.Remove();
    first.Remove();
    seen.clear();
    ::SendMessageA(button, WM_USER, 0, 0);
    EXPECT_EQ(seen, "3");
    third.Remove();
    ::SendMessageA(button, BM_SETSTATE, TRUE, 0);
    EXPECT_NE(::SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << "the button's own procedure is lost";

    third.Install(button, [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_USER)
            throw Exception("Subclass failed");
        return WindowSubclass::CallNext(window, message, wParam, lParam);
    });
    EXPECT_EQ(::SendMessageA(button, WM_USER, 0, 0), 0);
    ASSERT_EQ(os.Of("MessageBox").size(), 1u);
    EXPECT_EQ(os.calls[0].text, "Subclass failed.");
    ::DestroyWindow(button);
    EXPECT_EQ(third.Window(), nullptr) << "the subclass stays on a destroyed window";
}

TEST(Errors, SystemErrorCarriesCodeAndSystemText)
{
    SystemError error(ERROR_FILE_NOT_FOUND);
    std::string text = error.what();
    EXPECT_EQ(text.rfind("System Error.  Code: 2.\r\n", 0), 0u) << text;
    EXPECT_GT(text.size(), std::string("System Error.  Code: 2.\r\n").size());
    EXPECT_STREQ(SystemError(0).what(), "A call to an OS function failed");
}
