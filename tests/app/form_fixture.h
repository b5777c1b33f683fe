// A main window created in this process, in a scratch folder that is the
// current directory, with outward calls recorded.
#pragma once
#include "app/unit1.h"
#include "framework/application.h"
#include "support/harness.h"
#include "support/os_recorder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class FormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char current[MAX_PATH] = {};
        ::GetCurrentDirectoryA(MAX_PATH, current);
        previousDir_ = current;
        ASSERT_TRUE(::SetCurrentDirectoryA(dir.Path().c_str()));
        Application::Instance().Initialize();
        Application::Instance().SetTitle(kApplicationTitle);
    }

    void TearDown() override
    {
        if (applicationShown_) {
            ::ShowWindow(Application::Instance().Handle(), SW_RESTORE);
            ::ShowWindow(Application::Instance().Handle(), SW_HIDE);
            applicationShown_ = false;
        }
        form.reset();
        ::SetCurrentDirectoryA(previousDir_.c_str());
        // A close ends the application's loop; keep that out of later tests.
        MSG message;
        while (::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) { }
    }

    // The design only: no start-up.
    TForm1& Design()
    {
        form = std::make_unique<TForm1>();
        return *form;
    }

    // The design, then the start-up sequence.
    TForm1& Start()
    {
        Design().RunOnCreate();
        return *form;
    }

    // A silent start-up (settings that ask nothing, a hook library present so
    // none is restored), then the main window shown as the message loop shows
    // it; the application's window is hidden again at tear-down.
    TForm1& StartAndShow()
    {
        EXPECT_TRUE(dir.WriteFile("set", "0\r\n0\r\n"));
        // The program loads its hook library from its own folder only.
        EXPECT_TRUE(
            dir.WriteFile("SysHookDLL.dll", harness::ReadWholeFile(harness::UnixToWindowsPath(TRAYSTART_HOOK_DLL))));
        TForm1& f = Start();
        ::ShowWindow(Application::Instance().Handle(), SW_SHOWNOACTIVATE);
        applicationShown_ = true;
        f.Show();
        return f;
    }

    // The text of every message box shown so far, in order.
    std::vector<std::string> Messages() const { return os.TextsOf("MessageBox"); }

    harness::TempDir dir;
    OsRecorder os;
    std::unique_ptr<TForm1> form;

private:
    std::string previousDir_;
    bool applicationShown_ = false;
};
