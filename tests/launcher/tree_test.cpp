// Both "我的程序" trees built from a real folder of real shortcuts.
#include "launcher_fixture.h"

#include <chrono>
#include <cstdio>

namespace {

const char kNotepad[] = "C:\\windows\\notepad.exe";
const char kRegedit[] = "C:\\windows\\regedit.exe";

// What the trees should look like, from the file system's own listing order:
// a folder's shortcuts, then its subfolders, each entry followed by "-".
std::string ExpectedShape(const std::string& folder)
{
    std::string out;
    auto add = [&out](const std::string& entry) { out += (out.empty() ? "" : ",") + entry + ",-"; };
    for (const std::string& name : Listing(folder + "\\*.lnk"))
        add(name.substr(0, name.size() - 4));
    for (const std::string& name : Listing(folder + "\\*.*", true))
        add("[" + name + "]{" + ExpectedShape(folder + "\\" + name) + "}");
    return out;
}

int ItemsWithImages(MenuItem* menu)
{
    int count = 0;
    for (MenuItem* item : ShortcutItems(menu))
        count += item->ImageIndex() >= 0;
    return count;
}

int Depth(const MenuItem* menu)
{
    int depth = 0;
    for (const MenuItem* item = menu; item->Count() > 0 && !item->Item(0)->OnClick; item = item->Item(0))
        ++depth;
    return depth;
}

TEST_F(LauncherTest, BothTreesMirrorTheFolderShortcutsFirstWithASeparatorAfterEveryEntry)
{
    MakeShortcut("Word.lnk", kNotepad);
    MakeShortcut("Paint.lnk", kRegedit);
    MakeShortcut("a.b.lnk", kNotepad);
    MakeShortcut("hidden.lnk", kNotepad);
    const std::string hidden = ProgramsPath("hidden.lnk");
    ASSERT_TRUE(::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_EQ(::GetFileAttributesA(hidden.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
        static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    MakeShortcut("Games\\Chess.lnk", kNotepad);
    MakeShortcut("Games\\Sub\\deep.lnk", kRegedit);
    MakeShortcut("Tools.lnk\\inside.lnk", kNotepad);
    MakeFolder("Empty");
    WriteFile(ProgramsPath("readme.txt"), "not a shortcut");
    WriteFile(ProgramsPath("Games\\notes.txt"), "not a shortcut");

    const long lookupsBefore = ShellIconLookups();
    TForm1& f = Built();
    const std::string expected = ExpectedShape(Programs());
    EXPECT_EQ(Shape(f.menu_cenxvkuaijie), expected);
    EXPECT_EQ(Shape(f.formmenu_wodecenxv), expected);

    // The rules behind the expectation, spelled out once.
    MenuItem* root = f.menu_cenxvkuaijie;
    ASSERT_EQ(root->Count(), 16); // 5 shortcuts and 3 folders, each with its separator
    for (int i = 0; i < root->Count(); ++i) {
        EXPECT_EQ(root->Item(i)->IsSeparator(), i % 2 == 1) << i;
        if (i % 2 == 0) {
            EXPECT_EQ(static_cast<bool>(root->Item(i)->OnClick), i < 10) << "shortcuts come before folders: " << i;
        }
    }
    for (const char* caption : {"Word", "Paint", "a.b", "hidden", "Tools"})
        EXPECT_NE(FindCaption(root, caption), nullptr) << caption;
    EXPECT_NE(expected.find("[Tools.lnk]{inside,-}"), std::string::npos) << expected;
    EXPECT_NE(expected.find("[Empty]{}"), std::string::npos) << expected;
    EXPECT_EQ(expected.find("readme"), std::string::npos);
    EXPECT_EQ(expected.find("notes"), std::string::npos);

    // One icon per shortcut and tree, the popup tree's first, looked up once.
    const std::vector<MenuItem*> popup = ShortcutItems(f.menu_cenxvkuaijie);
    const std::vector<MenuItem*> bar = ShortcutItems(f.formmenu_wodecenxv);
    const int n = static_cast<int>(popup.size());
    ASSERT_EQ(n, 8);
    ASSERT_EQ(bar.size(), popup.size());
    EXPECT_EQ(f.ImageList1.Count(), 17 + 2 * n);
    EXPECT_EQ(ShellIconLookups() - lookupsBefore, n);
    EXPECT_EQ(ShellIconsHeld(), 0) << "every icon handle is given back after the build";
    for (int k = 0; k < n; ++k) {
        EXPECT_EQ(popup[k]->ImageIndex(), 17 + k) << popup[k]->Caption();
        EXPECT_EQ(bar[k]->ImageIndex(), 17 + n + k) << bar[k]->Caption();
        EXPECT_EQ(ImagePixels(f.ImageList1, 17 + k), ImagePixels(f.ImageList1, 17 + n + k)) << popup[k]->Caption();
    }
    // Folder items show the folder glyph.
    for (int i = 10; i < root->Count(); i += 2)
        EXPECT_EQ(root->Item(i)->ImageIndex(), 0);
    // Each image is the one the single icon step gives for that shortcut.
    const std::pair<const char*, const char*> files[] = {
        {"Word", "Word.lnk"},
        {"Paint", "Paint.lnk"},
        {"a.b", "a.b.lnk"},
        {"hidden", "hidden.lnk"},
        {"Tools", "Tools.lnk"},
        {"Chess", "Games\\Chess.lnk"},
        {"deep", "Games\\Sub\\deep.lnk"},
        {"inside", "Tools.lnk\\inside.lnk"},
    };
    for (const auto& [caption, file] : files) {
        const int index = f.ShortcutMenus1->AppendShellIcon(ProgramsPath(file));
        EXPECT_EQ(ImagePixels(f.ImageList1, index), ImagePixels(f.ImageList1, FindCaption(root, caption)->ImageIndex()))
            << caption;
    }
    // The pixel comparison can tell icons apart: a program's is not a folder's.
    const int word = FindCaption(root, "Word")->ImageIndex();
    const int tools = FindCaption(root, "Tools")->ImageIndex();
    EXPECT_NE(ImagePixels(f.ImageList1, word), ImagePixels(f.ImageList1, tools));
}

TEST_F(LauncherTest, StartUpBuildsThePopupTreeFirstThenTheMenuBarTree)
{
    ASSERT_TRUE(dir.WriteFile("set", "0\r\n0\r\n"));
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", "x"));
    MakeShortcutFile(dir.PathOf("我的程序\\one.lnk"), kNotepad);
    MakeShortcutFile(dir.PathOf("我的程序\\Sub\\two.lnk"), kRegedit);
    TForm1& f = Start();
    EXPECT_EQ(Shape(f.menu_cenxvkuaijie), "one,-,[Sub]{two,-},-");
    EXPECT_EQ(Shape(f.formmenu_wodecenxv), "one,-,[Sub]{two,-},-");
    EXPECT_EQ(ShapeWithImages(f.menu_cenxvkuaijie), "one#17,-,[Sub]{two#18,-},-");
    EXPECT_EQ(ShapeWithImages(f.formmenu_wodecenxv), "one#19,-,[Sub]{two#20,-},-");
    EXPECT_EQ(f.ImageList1.Count(), 21);
    EXPECT_EQ(f.IconList->Count(), 17);
    EXPECT_EQ(f.ShortcutMenus1->LastFolderItem, f.formmenu_wodecenxv->Item(2));
    EXPECT_TRUE(f.ShortcutMenus1->BuildingFormMenu);
}

TEST_F(LauncherTest, AnEmptyOrMissingFolderLeavesBothRootsEmptyWithoutAMessage)
{
    for (bool remove : {false, true}) {
        if (remove) {
            ASSERT_TRUE(::RemoveDirectoryA(Programs().c_str()));
        }
        TForm1& f = Built();
        EXPECT_EQ(f.menu_cenxvkuaijie->Count(), 0) << remove;
        EXPECT_EQ(f.formmenu_wodecenxv->Count(), 0) << remove;
        EXPECT_EQ(f.ImageList1.Count(), 17) << remove;
        EXPECT_TRUE(Calls("MessageBox").empty()) << remove;
    }
}

TEST_F(LauncherTest, EachMenuLevelBreaksIntoColumnsByItsOwnEntryCount)
{
    MakeShortcut("s.lnk", kNotepad);
    char name[32];
    for (int i = 1; i < 45; ++i) {
        std::snprintf(name, sizeof name, "s%02d.lnk", i);
        CopyShortcut("s.lnk", name);
    }
    for (int i = 0; i < 22; ++i) {
        std::snprintf(name, sizeof name, "F\\f%02d.lnk", i);
        CopyShortcut("s.lnk", name);
    }
    TForm1& f = Built();
    for (MenuItem* root : {f.menu_cenxvkuaijie, f.formmenu_wodecenxv}) {
        ASSERT_EQ(root->Count(), 92); // 45 shortcuts and the folder F, each with its separator
        for (int i = 0; i < root->Count(); ++i) {
            const int entry = i / 2 + 1;
            const bool expected = i % 2 == 0 && (entry == 22 || entry == 43);
            EXPECT_EQ(root->Item(i)->Break() == MenuBreak::BarBreak, expected) << i;
            // The real menu carries it too.
            MENUITEMINFOA info {};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE;
            ASSERT_TRUE(::GetMenuItemInfoA(root->Handle(), static_cast<UINT>(i), TRUE, &info));
            EXPECT_EQ((info.fType & MFT_MENUBARBREAK) != 0, expected) << i;
        }
        MenuItem* folder = root->Item(90);
        ASSERT_EQ(folder->Count(), 44);
        for (int i = 0; i < folder->Count(); ++i) {
            EXPECT_EQ(folder->Item(i)->Break() == MenuBreak::BarBreak, i == 42) << i;
        }
    }
}

TEST_F(LauncherTest, FoldersThatLeadBackToAnAncestorAreShownButNotEntered)
{
    MakeShortcut("top.lnk", kNotepad);
    MakeShortcut("A\\inA.lnk", kNotepad);
    MakeFolder("B");
    const std::string back = ProgramsPath("A\\back");
    const std::string toA = ProgramsPath("B\\toA");
    ASSERT_TRUE(MakeDirectoryLink(back, Programs())) << "no directory link could be made";
    ASSERT_TRUE(MakeDirectoryLink(toA, ProgramsPath("A")));
    TForm1& f = Built();
    RemoveDirectoryLink(back);
    RemoveDirectoryLink(toA);

    // A link to an ancestor is an empty folder item; a second way into a
    // folder that is not above it shows that folder's contents.
    const std::string expected = "top,-,[A]{inA,-,[back]{},-},-,[B]{[toA]{inA,-,[back]{},-},-},-";
    EXPECT_EQ(Shape(f.menu_cenxvkuaijie), expected);
    EXPECT_EQ(Shape(f.formmenu_wodecenxv), expected);
    EXPECT_EQ(f.ImageList1.Count(), 17 + 2 * 3);
}

TEST_F(LauncherTest, BadShortcutsAndOddFoldersGiveADefinedTree)
{
    MakeShortcut("good.lnk", kNotepad);
    const char corrupt[] = "\x4c\0\0\0garbage, not a shell link";
    WriteFile(ProgramsPath("corrupt.lnk"), std::string(corrupt, sizeof corrupt - 1));
    WriteFile(ProgramsPath("empty.lnk"), "");
    MakeShortcut("gone.lnk", "C:\\nowhere\\gone.exe");
    MakeDirectoryLink(ProgramsPath("self"), ProgramsPath("self")); // a link to itself
    MakeDirectoryLink(ProgramsPath("dangling"), Root() + "\\nothing-here");
    std::string deep = "D";
    for (int level = 1; level < 100; ++level)
        deep += "\\d";
    MakeShortcut(deep + "\\bottom.lnk", kNotepad);

    TForm1& f = Built();
    RemoveDirectoryLink(ProgramsPath("self"));
    RemoveDirectoryLink(ProgramsPath("dangling"));
    for (MenuItem* root : {f.menu_cenxvkuaijie, f.formmenu_wodecenxv}) {
        for (const char* caption : {"good", "corrupt", "empty", "gone"})
            EXPECT_NE(FindCaption(root, caption), nullptr) << caption;
        EXPECT_NE(FindCaption(root, "bottom"), nullptr);
    }
    // The 100-deep chain is all there.
    MenuItem* chain = nullptr;
    for (int i = 0; i < f.menu_cenxvkuaijie->Count(); ++i)
        if (f.menu_cenxvkuaijie->Item(i)->Caption() == "D")
            chain = f.menu_cenxvkuaijie->Item(i);
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(Depth(chain), 99);
    // Shortcuts without an icon have no image and add none.
    const int withImages = ItemsWithImages(f.menu_cenxvkuaijie);
    EXPECT_EQ(withImages, ItemsWithImages(f.formmenu_wodecenxv));
    EXPECT_EQ(f.ImageList1.Count(), 17 + 2 * withImages);
    EXPECT_EQ(ShapeWithImages(f.menu_cenxvkuaijie).size(), ShapeWithImages(f.formmenu_wodecenxv).size());
}

// Past the column breaks of the first few hundred entries; larger folders are
// the benchmark's business.
TEST_F(LauncherTest, AThousandShortcutsInOneFolderBuildWithTheirColumns)
{
    MakeShortcut("s.lnk", kNotepad);
    char name[32];
    for (int i = 1; i < 1000; ++i) {
        std::snprintf(name, sizeof name, "s%05d.lnk", i);
        CopyShortcut("s.lnk", name);
    }
    const auto start = std::chrono::steady_clock::now();
    TForm1& f = Built();
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ build    ] 1,000 shortcuts in one folder, both trees: %.1f s\n", seconds);
    EXPECT_EQ(f.ImageList1.Count(), 17 + 2000);
    for (MenuItem* root : {f.menu_cenxvkuaijie, f.formmenu_wodecenxv}) {
        ASSERT_EQ(root->Count(), 2000);
        EXPECT_EQ(::GetMenuItemCount(root->Handle()), 2000);
        const std::pair<int, bool> entries[]
            = {{21, false}, {22, true}, {484, true}, {505, false}, {527, true}, {999, false}};
        for (const auto& [entry, breaks] : entries)
            EXPECT_EQ(root->Item(2 * (entry - 1))->Break() == MenuBreak::BarBreak, breaks) << entry;
    }
}

} // namespace
