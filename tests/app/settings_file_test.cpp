// The settings file on disk, through the main window's load and save.
#include "form_fixture.h"

#include "app/settings_file.h"
#include "framework/errors.h"

namespace {

TEST_F(FormTest, LoadSetsOnlyTheMarksFromTheFile)
{
    struct Case {
        const char* content;
        bool first, second;
    } cases[] = {
        {"", false, false},
        {"2\r\n-1\r\n", true, true},
        {"1\r\n", true, false},
        {" $1F\r\n0x0\r\n", true, false},
        {"+0\r\n1\r\n", false, true},
        {"0\r\n1\r\n9\r\nxyz", false, true},
    };
    TForm1& f = Design();
    form->SettingsPath = dir.Path() + "\\set";
    for (const Case& c : cases) {
        f.rejianyincang->SetChecked(!c.first);
        f.yongrejianqiehuanzuomian->SetChecked(!c.second);
        ASSERT_TRUE(dir.WriteFile("set", c.content));
        f.diaoruClick(nullptr);
        EXPECT_EQ(f.rejianyincang->Checked(), c.first) << c.content;
        EXPECT_EQ(f.yongrejianqiehuanzuomian->Checked(), c.second) << c.content;
    }
    EXPECT_TRUE(os.calls.empty());
}

TEST_F(FormTest, ReadErrorsCarryTheClassicMessage)
{
    TForm1& f = Design();
    form->SettingsPath = dir.Path() + "\\set";
    ASSERT_TRUE(dir.WriteFile("set", "1" + std::string(32, '0') + "\r\n1\r\n"));
    try {
        f.diaoruClick(nullptr);
        FAIL() << "33 digits must not read as a number";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.Code(), 106);
        EXPECT_STREQ(error.what(), "Invalid numeric input");
    }
    // The file was closed at once: it can be replaced straight away.
    EXPECT_TRUE(::DeleteFileA(form->SettingsPath.c_str()));
}

TEST_F(FormTest, AnUnreadableFileIsAnErrorNotAMissingFile)
{
    TForm1& f = Design();
    form->SettingsPath = dir.Path() + "\\set";
    ASSERT_TRUE(dir.WriteFile("set", "0\r\n0\r\n"));
    // Another program holds the file open without sharing it.
    HANDLE locked = ::CreateFileA(form->SettingsPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_THROW(f.diaoruClick(nullptr), InOutError);
    ::CloseHandle(locked);
    EXPECT_TRUE(os.calls.empty());
    EXPECT_TRUE(f.rejianyincang->Checked());
    EXPECT_EQ(dir.ReadFile("set"), std::string("0\r\n0\r\n"));
}

TEST_F(FormTest, SaveWritesExactlyTwoLinesAndRoundTrips)
{
    TForm1& f = Design();
    form->SettingsPath = dir.Path() + "\\set";
    for (bool first : {false, true})
        for (bool second : {false, true}) {
            f.rejianyincang->SetChecked(first);
            f.yongrejianqiehuanzuomian->SetChecked(second);
            f.baocunClick(nullptr);
            EXPECT_EQ(dir.ReadFile("set"), std::string(first ? "1" : "0") + "\r\n" + (second ? "1" : "0") + "\r\n");
            f.rejianyincang->SetChecked(!first);
            f.yongrejianqiehuanzuomian->SetChecked(!second);
            f.diaoruClick(nullptr);
            EXPECT_EQ(f.rejianyincang->Checked(), first);
            EXPECT_EQ(f.yongrejianqiehuanzuomian->Checked(), second);
        }
    EXPECT_FALSE(dir.Exists("set.new"));
}

TEST_F(FormTest, AFailedSaveKeepsTheOldFileAndReportsTheError)
{
    ASSERT_TRUE(dir.WriteFile("keep/set", "0\r\n1\r\n"));
    const std::string keptPath = dir.PathOf("keep\\set");

    // The file itself cannot be replaced (read-only).
    ASSERT_TRUE(::SetFileAttributesA(keptPath.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(SaveSettingsFile(keptPath, true, true), InOutError);
    EXPECT_EQ(dir.ReadFile("keep/set"), std::string("0\r\n1\r\n"));
    EXPECT_FALSE(dir.Exists("keep/set.new"));
    ::SetFileAttributesA(keptPath.c_str(), FILE_ATTRIBUTE_NORMAL);

    // The folder has vanished.
    EXPECT_THROW(SaveSettingsFile(dir.PathOf("gone\\set"), true, true), InOutError);
    EXPECT_FALSE(dir.Exists("gone"));
}

TEST_F(FormTest, AMissingFileIsReportedAndTheDesignMarksStay)
{
    TForm1& f = Design();
    form->SettingsPath = dir.Path() + "\\set";
    f.diaoruClick(nullptr);
    ASSERT_EQ(os.Of("MessageBox").size(), 1u);
    EXPECT_EQ(os.calls[0].text, "设置文件不存在,无法读取  " + form->SettingsPath);
    EXPECT_EQ(os.calls[0].detail, "出错");
    EXPECT_TRUE(f.rejianyincang->Checked());
    EXPECT_TRUE(f.yongrejianqiehuanzuomian->Checked());
}

} // namespace
