#include "framework/application.h"
#include "framework/errors.h"
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

TEST(Errors, SystemErrorCarriesCodeAndSystemText)
{
    SystemError error(ERROR_FILE_NOT_FOUND);
    std::string text = error.what();
    EXPECT_EQ(text.rfind("System Error.  Code: 2.\r\n", 0), 0u) << text;
    EXPECT_GT(text.size(), std::string("System Error.  Code: 2.\r\n").size());
    EXPECT_STREQ(SystemError(0).what(), "A call to an OS function failed");
}
