// The help and links menus through the recorder: each item's document or
// address and show command, missing documents, and the feedback tool's
// current-directory dance.
#include "app/form_fixture.h"

#include "help/product_info.h"

namespace {

using Handler = void (TForm1::*)(MenuItem*);

struct DocumentItem {
    const char* item;
    Handler handler;
    const char* file; // below ProgramDir\帮助
};

// The help documents as the menus name them ("或" in the caption of N2, "和"
// in its file name).
const DocumentItem kDocuments[] = {
    {"N13", &TForm1::N13Click, "帮助.txt"},
    {"N85", &TForm1::N85Click, "最亮丽的功能.txt"},
    {"N2", &TForm1::N2Click, "如何添加和删除快捷方式.txt"},
    {"N15", &TForm1::N15Click, "个人介绍.txt"},
    {"N75", &TForm1::N75Click, "我为什么要这样设计.txt"},
    {"N1001", &TForm1::N1001Click, "100%杀毒软件.txt"},
    {"N82", &TForm1::N82Click, "主动防御.txt"},
    {"N84", &TForm1::N84Click, "保护你的账号.txt"},
    {"N26", &TForm1::N26Click, "接受定做软件.txt"},
    {"my7", &TForm1::my7Click, "中国网格详情.txt"},
    {"my9", &TForm1::my9Click, "广告位招租.txt"},
};

struct WebItem {
    const char* item;
    Handler handler;
    std::string address;
};

const std::string kHome = "https://www.qinghegongfang.example/";
const std::string kDownload = kHome + "download/traystart.html";

const WebItem kWebItems[] = {
    {"N37", &TForm1::N37Click, kDownload},
    {"mr1", &TForm1::mr1Click, kHome + "products/notes.html"},
    {"mr2", &TForm1::mr2Click, kHome + "products/shredder.html"},
    {"mr3", &TForm1::mr3Click, kHome + "products/shutdown-timer.html"},
    {"mr4", &TForm1::mr4Click, kHome + "products/colour-picker.html"},
    {"mr5", &TForm1::mr5Click, kHome + "products/clipboard.html"},
    {"mr6", &TForm1::mr6Click, kHome + "products/rename.html"},
    {"mr7", &TForm1::mr7Click, kHome + "products/cleaner.html"},
    {"mr8", &TForm1::mr8Click, kHome + "products/feedback.html"},
    {"mr9", &TForm1::mr9Click, kDownload},
    {"mr10", &TForm1::mr10Click, kHome + "products/bookmarks.html"},
    {"my2", &TForm1::my2Click, "https://www.onlinedown.net/"},
    {"my3", &TForm1::my3Click, "https://www.skycn.com/"},
    {"my4", &TForm1::my4Click, "http://www.crsky.com/"},
    {"my5", &TForm1::my5Click, "https://xiazai.zol.com.cn/"},
    {"my10", &TForm1::my10Click, "https://www.greenxf.com/"},
    {"my6", &TForm1::my6Click, "http://www.cnwg.cn/"},
    {"my8", &TForm1::my8Click, "http://www.brsbox.com/"},
};

std::string CurrentDir()
{
    char path[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, path);
    return path;
}

// Passes every call on to the fixture's recorder and notes the current
// directory at the moment of each launch or message.
class DirectoryProbe : public OsInterface {
public:
    explicit DirectoryProbe(OsRecorder& inner)
        : inner_(inner)
    {
        SetOs(this);
    }
    ~DirectoryProbe() override { SetOs(&inner_); }
    int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) override
    {
        dirs.push_back(CurrentDir());
        return inner_.ShowMessageBox(owner, text, caption, type);
    }
    HINSTANCE ShellExecuteFile(
        HWND owner, const std::string& verb, const std::string& file, const std::string& params, int show) override
    {
        dirs.push_back(CurrentDir());
        return inner_.ShellExecuteFile(owner, verb, file, params, show);
    }
    std::vector<std::string> dirs;

private:
    OsRecorder& inner_;
};

class HelpLinksTest : public FormTest {
protected:
    // The main window after start-up in the scratch folder (ProgramDir), with
    // start-up's own messages forgotten.
    TForm1& Started()
    {
        TForm1& f = Start();
        EXPECT_EQ(form->ProgramDir, dir.Path());
        os.calls.clear();
        return f;
    }

    std::string Document(const std::string& file) const { return dir.Path() + "\\帮助\\" + file; }
    std::string FeedbackFolder() const { return dir.Path() + "\\青禾工坊_用户反馈表"; }
    std::string FeedbackTool() const { return FeedbackFolder() + "\\用户反馈表.exe"; }
};

TEST_F(HelpLinksTest, EachDocumentItemOpensItsOwnFileMaximised)
{
    for (const DocumentItem& doc : kDocuments)
        ASSERT_TRUE(dir.WriteFile(std::string("帮助\\") + doc.file, "")) << doc.file; // empty still opens
    TForm1& f = Started();
    for (const DocumentItem& doc : kDocuments) {
        os.calls.clear();
        (f.*doc.handler)(nullptr);
        ASSERT_EQ(os.calls.size(), 1u) << doc.item;
        EXPECT_EQ(os.calls[0].what, "ShellExecute") << doc.item;
        EXPECT_EQ(os.calls[0].text, Document(doc.file)) << doc.item;
        EXPECT_EQ(os.calls[0].detail, "open|") << doc.item;
        EXPECT_EQ(os.calls[0].number, SW_SHOWMAXIMIZED) << doc.item;
    }
}

TEST_F(HelpLinksTest, WithoutTheHelpFolderEachDocumentItemNamesItsOwnFullPath)
{
    TForm1& f = Started();
    for (const DocumentItem& doc : kDocuments) {
        os.calls.clear();
        (f.*doc.handler)(nullptr);
        ASSERT_EQ(os.calls.size(), 1u) << doc.item;
        EXPECT_EQ(os.calls[0].what, "MessageBox") << doc.item;
        EXPECT_EQ(os.calls[0].text, "文件不存在  " + Document(doc.file)) << doc.item;
        EXPECT_EQ(os.calls[0].detail, kApplicationTitle) << doc.item;
        EXPECT_EQ(os.calls[0].number, static_cast<long>(MB_OK)) << doc.item;
    }
    // A document of another item does not stand in for a missing one.
    ASSERT_TRUE(dir.WriteFile("帮助\\帮助.txt", "x"));
    os.calls.clear();
    f.N85Click(nullptr);
    EXPECT_EQ(Messages(), std::vector<std::string> {"文件不存在  " + Document("最亮丽的功能.txt")});
}

TEST_F(HelpLinksTest, EachWebItemOpensItsFixedAddressNormally)
{
    TForm1& f = Started();
    for (const WebItem& web : kWebItems) {
        os.calls.clear();
        (f.*web.handler)(nullptr);
        ASSERT_EQ(os.calls.size(), 1u) << web.item;
        EXPECT_EQ(os.calls[0].what, "ShellExecute") << web.item;
        EXPECT_EQ(os.calls[0].text, web.address) << web.item;
        EXPECT_EQ(os.calls[0].detail, "open|") << web.item;
        EXPECT_EQ(os.calls[0].number, SW_SHOWNORMAL) << web.item;
    }
    // The maker's pages all lie below the one project home.
    EXPECT_EQ(std::string(kProjectHome), kHome);
}

TEST_F(HelpLinksTest, TheInvitationIsASystemBoxAndNothingElse)
{
    TForm1& f = Started();
    f.N21Click(nullptr);
    ASSERT_EQ(os.calls.size(), 1u);
    EXPECT_EQ(os.calls[0].what, "MessageBox");
    EXPECT_EQ(os.calls[0].text, "欢迎给我来信，我一定回复您，请指出问题。万分感谢！");
    EXPECT_EQ(os.calls[0].detail, "欢迎给我来信");
    EXPECT_EQ(os.calls[0].number, 0);
}

TEST_F(HelpLinksTest, TheFeedbackToolStartsFromItsOwnFolderAndTheDirectoryComesBack)
{
    ASSERT_TRUE(dir.WriteFile("青禾工坊_用户反馈表\\用户反馈表.exe", "MZ"));
    TForm1& f = Started();
    DirectoryProbe probe(os);
    f.N19Click(nullptr);
    ASSERT_EQ(os.calls.size(), 1u);
    EXPECT_EQ(os.calls[0].what, "ShellExecute");
    EXPECT_EQ(os.calls[0].text, FeedbackTool());
    EXPECT_EQ(os.calls[0].detail, "open|");
    EXPECT_EQ(os.calls[0].number, SW_SHOWNORMAL);
    ASSERT_EQ(probe.dirs.size(), 1u);
    EXPECT_EQ(probe.dirs[0], FeedbackFolder());
    EXPECT_EQ(CurrentDir(), dir.Path());
}

TEST_F(HelpLinksTest, AMissingFeedbackToolIsReportedFromItsFolderAndTheDirectoryComesBack)
{
    ASSERT_TRUE(dir.MakeDir("青禾工坊_用户反馈表"));
    TForm1& f = Started();
    DirectoryProbe probe(os);
    f.N19Click(nullptr);
    ASSERT_EQ(os.calls.size(), 1u);
    EXPECT_EQ(os.calls[0].what, "MessageBox");
    EXPECT_EQ(os.calls[0].text, "文件不存在  " + FeedbackTool());
    EXPECT_EQ(os.calls[0].detail, kApplicationTitle);
    ASSERT_EQ(probe.dirs.size(), 1u);
    EXPECT_EQ(probe.dirs[0], FeedbackFolder());
    EXPECT_EQ(CurrentDir(), dir.Path());
}

TEST_F(HelpLinksTest, AMissingFeedbackFolderGivesTheErrorBoxAndNeverMovesTheDirectory)
{
    // A file of that name cannot be entered either.
    for (bool asFile : {false, true}) {
        if (asFile) {
            ASSERT_TRUE(dir.WriteFile("青禾工坊_用户反馈表", "not a folder"));
        }
        TForm1& f = form ? *form : Started();
        os.calls.clear();
        DirectoryProbe probe(os);
        f.N19Click(nullptr);
        ASSERT_EQ(os.calls.size(), 1u) << asFile;
        EXPECT_EQ(os.calls[0].what, "MessageBox");
        EXPECT_EQ(os.calls[0].text, "文件夹 青禾工坊_用户反馈表不存在，请手工启动");
        EXPECT_EQ(os.calls[0].detail, "出错");
        EXPECT_EQ(os.calls[0].number, 0);
        ASSERT_EQ(probe.dirs.size(), 1u);
        EXPECT_EQ(probe.dirs[0], dir.Path());
        EXPECT_EQ(CurrentDir(), dir.Path());
    }
}

} // namespace
