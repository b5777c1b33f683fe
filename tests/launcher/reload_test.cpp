// Reload of both trees, the folder commands and the single icon step.
#include "launcher_fixture.h"

#include "launcher/live_tree.h"

#include <functional>
#include <iterator>
#include <tuple>
#include <vector>

namespace {

const char kNotepad[] = "C:\\windows\\notepad.exe";

TEST_F(LauncherTest, AReloadResetsTheImagesAndReplacesEveryItem)
{
    MakeShortcut("one.lnk", kNotepad);
    MakeShortcut("two.lnk", kNotepad);
    MakeShortcut("F\\three.lnk", kNotepad);
    TForm1& f = Built();
    ASSERT_EQ(f.ImageList1.Count(), 17 + 6);
    // Marked, since a freed item's address may be taken by a new one.
    FindCaption(f.menu_cenxvkuaijie, "one")->SetCaption("stale 1");
    FindCaption(f.formmenu_wodecenxv, "three")->SetCaption("stale 2");
    f.menu_cenxvkuaijie->Item(4)->SetCaption("stale 3");

    ASSERT_TRUE(::DeleteFileA(ProgramsPath("two.lnk").c_str()));
    MakeShortcut("F\\G\\four.lnk", kNotepad);
    f.ShortcutMenus1->AppendShellIcon(ProgramsPath("one.lnk")); // stray images from before are dropped too
    for (int reload = 0; reload < 3; ++reload)
        f.popup_congzaiwodecenxvClick(nullptr);

    const std::string expected = "one,-,[F]{three,-,[G]{four,-},-},-";
    EXPECT_EQ(Shape(f.menu_cenxvkuaijie), expected);
    EXPECT_EQ(Shape(f.formmenu_wodecenxv), expected);
    EXPECT_EQ(ShapeWithImages(f.menu_cenxvkuaijie), "one#17,-,[F]{three#18,-,[G]{four#19,-},-},-");
    EXPECT_EQ(ShapeWithImages(f.formmenu_wodecenxv), "one#20,-,[F]{three#21,-,[G]{four#22,-},-},-");
    EXPECT_EQ(f.ImageList1.Count(), 17 + 6);
    // The design-time glyphs are back in front.
    EXPECT_EQ(ImagePixels(f.ImageList1, 0), ImagePixels(*f.IconList, 0));
    EXPECT_EQ(ImagePixels(f.ImageList1, 16), ImagePixels(*f.IconList, 16));
}

TEST_F(LauncherTest, AReloadPlaysItsSoundOnceAfterBothTreesOnlyIfTheFileExists)
{
    MakeShortcut("one.lnk", kNotepad);
    for (bool present : {false, true}) {
        SCOPED_TRACE(present);
        shell.calls.clear();
        TForm1& f = Prepared();
        const std::string sound = f.SoundDir + "\\重载我的程序.wav";
        if (present)
            WriteFile(sound, "RIFF");
        std::string barAtSound;
        shell.onSound = [&] { barAtSound = Shape(f.formmenu_wodecenxv); };
        f.congzaiwodecenxvClick(nullptr);
        shell.onSound = nullptr;
        const std::vector<RecordedCall> sounds = Calls("PlaySound");
        ASSERT_EQ(sounds.size(), present ? 1u : 0u);
        if (present) {
            EXPECT_EQ(sounds[0].text, sound);
            EXPECT_EQ(barAtSound, "one,-");
        }
        EXPECT_TRUE(Calls("MessageBox").empty());
    }
}

TEST_F(LauncherTest, TheFolderCommandsOpenTheShortcutFolderMaximisedWhetherOrNotItExists)
{
    TForm1& f = Prepared();
    f.ProgramDir = Root() + "\\elsewhere"; // the command names the folder, it does not look for it
    f.dakaiwodecenxvwenjianjiaClick(nullptr);
    f.N10Click(nullptr);
    f.PopupMenu1.Find("N10")->Click();
    f.MainMenu1.Find("dakaiwodecenxvwenjianjia")->Click();
    const std::vector<RecordedCall> launches = Calls("ShellExecute");
    ASSERT_EQ(launches.size(), 4u);
    for (size_t i = 0; i < launches.size(); ++i) {
        EXPECT_EQ(launches[i].text, "C:\\windows\\Explorer.exe");
        EXPECT_EQ(launches[i].detail, "open|/n," + Root() + "\\elsewhere\\我的程序");
        EXPECT_EQ(launches[i].number, SW_SHOWMAXIMIZED);
        EXPECT_EQ(shell.owners[i], f.Handle());
    }
}

TEST_F(LauncherTest, TheIconStepAppendsOneIconOrReportsMinusOne)
{
    MakeShortcut("one.lnk", kNotepad);
    WriteFile(ProgramsPath("corrupt.lnk"), "not a link");
    TForm1& f = Prepared();
    const struct {
        std::string path;
        int index;
        int count;
    } cases[] = {
        {ProgramsPath("one.lnk"), 17, 18},
        {ProgramsPath("missing.lnk"), -1, 18},
        {Root() + "\\no folder\\x.lnk", -1, 18},
        {ProgramsPath("one.lnk"), 18, 19},
    };
    for (const auto& c : cases) {
        const long before = ShellIconLookups();
        EXPECT_EQ(f.ShortcutMenus1->AppendShellIcon(c.path), c.index) << c.path;
        EXPECT_EQ(f.ImageList1.Count(), c.count) << c.path;
        EXPECT_EQ(ShellIconLookups() - before, 1);
    }
}

TEST_F(LauncherTest, AnImageAddedBetweenTheTreesMakesTheMenuBarTreeAddItsOwnIcons)
{
    MakeShortcut("one.lnk", kNotepad);
    // A folder named like a shortcut: its icon differs from a shortcut's.
    MakeFolder("F\\Tools.lnk");
    TForm1& f = Prepared();
    ShortcutMenus& trees = *f.ShortcutMenus1;
    trees.BuildingFormMenu = false;
    f.cenxvkuaijiedongtaiClick(nullptr);
    trees.AddFolders(f.MyProgramsDir, f.menu_cenxvkuaijie);
    // Something else appends an image: the popup tree's images no longer end
    // the list, so they cannot be copied as one strip.
    f.ShortcutMenus1->AppendShellIcon(ProgramsPath("one.lnk"));
    trees.BuildingFormMenu = true;
    f.formmenuwodecenxvdongtaiClick(nullptr);
    trees.AddFolders(f.MyProgramsDir, f.formmenu_wodecenxv);

    EXPECT_EQ(ShapeWithImages(f.menu_cenxvkuaijie), "one#17,-,[F]{Tools#18,-,[Tools.lnk]{},-},-");
    EXPECT_EQ(ShapeWithImages(f.formmenu_wodecenxv), "one#20,-,[F]{Tools#21,-,[Tools.lnk]{},-},-");
    ASSERT_EQ(f.ImageList1.Count(), 22);
    EXPECT_EQ(ImagePixels(f.ImageList1, 17), ImagePixels(f.ImageList1, 20));
    EXPECT_EQ(ImagePixels(f.ImageList1, 18), ImagePixels(f.ImageList1, 21));
    EXPECT_NE(ImagePixels(f.ImageList1, 17), ImagePixels(f.ImageList1, 18));
    EXPECT_EQ(ShellIconsHeld(), 0) << "every icon handle is given back after the build";
}

TEST_F(LauncherTest, TheStepsCalledAloneWorkOnTheFolderTheyAreGiven)
{
    MakeShortcut("Top\\a.lnk", kNotepad);
    MakeShortcut("Top\\Sub\\b.lnk", kNotepad);
    TForm1& f = Prepared();
    MenuItem* holder = f.PopupMenu1.Find("N7");
    const int before = holder->Count();

    ShortcutMenus& trees = *f.ShortcutMenus1;
    trees.BuildingFormMenu = true;
    MenuItem* folder = trees.AddFolderItem(ProgramsPath("Top"), holder);
    EXPECT_EQ(folder, trees.LastFolderItem);
    EXPECT_EQ(folder->Caption(), "Top");
    EXPECT_EQ(folder->ImageIndex(), 0);
    EXPECT_EQ(Shape(folder), "a,-");
    EXPECT_TRUE(holder->Item(before + 1)->IsSeparator());
    // Below the first level the handler follows BuildingFormMenu: the menu
    // bar's ignores a pending right click.
    f.RightClickPending = true;
    ::GetCursorPos(&f.HookClickPoint);
    folder->Item(0)->Click();
    EXPECT_TRUE(f.RightClickPending);

    trees.AddFolderShortcuts(ProgramsPath("Top\\Sub"), folder);
    EXPECT_EQ(Shape(folder), "a,-,b,-");

    MenuItem* scan = f.PopupMenu1.Find("N52");
    const int scanBefore = scan->Count();
    trees.AddFolders(Programs(), scan);
    EXPECT_EQ(scan->Count(), scanBefore + 2);
    EXPECT_EQ(Shape(scan->Item(scanBefore)), "a,-,[Sub]{b,-},-");
    EXPECT_EQ(f.ImageList1.Count(), 17 + 4);
}

// ---- The tree following the folder by itself -------------------------------

class LiveTreeTest : public LauncherTest {
protected:
    TForm1& Watched()
    {
        TForm1& f = Built();
        f.StartLiveTree();
        EXPECT_TRUE(f.LiveTree1->Watching());
        return f;
    }
    // Pumps messages until the popup tree shows `count` shortcuts, `caption`
    // among them; false after `timeoutMs`.
    static bool WaitForTree(TForm1& f, size_t count, const std::string& caption, DWORD timeoutMs = 3000)
    {
        const DWORD start = ::GetTickCount();
        while (ShortcutItems(f.menu_cenxvkuaijie).size() != count || !FindCaption(f.menu_cenxvkuaijie, caption)) {
            if (::GetTickCount() - start > timeoutMs)
                return false;
            harness::PumpFor(20);
        }
        return true;
    }
};

TEST_F(LiveTreeTest, ACopiedShortcutShowsInBothTreesWithinSecondsSilentlyLookingUpOnlyItsIcon)
{
    MakeShortcut("one.lnk", kNotepad);
    MakeShortcut("F\\two.lnk", kNotepad);
    TForm1& f = Watched();
    shell.calls.clear();
    const long lookups = ShellIconLookups();
    CopyShortcut("one.lnk", "F\\G\\three.lnk");
    EXPECT_TRUE(WaitForTree(f, 3, "three")) << Shape(f.menu_cenxvkuaijie);
    EXPECT_EQ(Shape(f.menu_cenxvkuaijie), "one,-,[F]{two,-,[G]{three,-},-},-");
    EXPECT_EQ(ShapeWithImages(f.formmenu_wodecenxv), "one#20,-,[F]{two#21,-,[G]{three#22,-},-},-");
    EXPECT_EQ(ImagePixels(f.ImageList1, 17), ImagePixels(f.ImageList1, 22));
    EXPECT_EQ(ShellIconLookups() - lookups, 1) << "only the new shortcut's icon is looked up";
    EXPECT_EQ(ShellIconsHeld(), 0);
    EXPECT_TRUE(Calls("PlaySound").empty());
    EXPECT_EQ(f.LiveTree1->Rebuilds(), 1);
}

TEST_F(LiveTreeTest, AfterEachChangeTheRebuildLeavesWhatAFullBuildWouldKeepingUntouchedMenus)
{
    MakeShortcut("top.lnk", kNotepad);
    MakeShortcut("gone.lnk", kNotepad);
    for (int i = 0; i < 24; ++i) // a second column
        CopyShortcut("top.lnk", "A\\s" + std::to_string(i) + ".lnk");
    MakeShortcut("A\\Sub\\deep.lnk", kNotepad);
    MakeShortcut("B\\b.lnk", "C:\\windows");
    TForm1& f = Built();
    const auto state = [&f] {
        std::vector<std::vector<COLORREF>> images;
        for (int i = 0; i < f.ImageList1.Count(); ++i)
            images.push_back(ImagePixels(f.ImageList1, i));
        return std::make_tuple(ShapeWithImages(f.menu_cenxvkuaijie), ShapeWithImages(f.formmenu_wodecenxv), images,
            f.ShortcutMenus1->LastFolderItem->Caption());
    };
    const std::function<void()> changes[] = {
        [&] { CopyShortcut("top.lnk", "A\\added.lnk"); }, [&] { ::DeleteFileA(ProgramsPath("gone.lnk").c_str()); },
        [&] { ::MoveFileA(ProgramsPath("B").c_str(), ProgramsPath("C").c_str()); },
        [&] { MakeShortcut("A\\Sub\\New\\new.lnk", "C:\\windows"); },
        [&] { MakeShortcut("top.lnk", "C:\\windows"); }, // rewritten, with another icon
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        SCOPED_TRACE(i);
        const HMENU untouched = FindCaption(f.menu_cenxvkuaijie, "b")->Parent()->Handle();
        changes[i]();
        f.RebuildShortcutTrees();
        if (i == 0) { // a change in A leaves B's menu as it was
            EXPECT_EQ(FindCaption(f.menu_cenxvkuaijie, "b")->Parent()->Handle(), untouched);
        }
        const auto refreshed = state();
        f.congzaiwodecenxvClick(nullptr);
        EXPECT_EQ(refreshed, state());
    }
    for (const char* caption : {"added", "new", "b"})
        EXPECT_NE(FindCaption(f.menu_cenxvkuaijie, caption), nullptr) << caption;
    EXPECT_EQ(FindCaption(f.menu_cenxvkuaijie, "gone"), nullptr);
}

TEST_F(LiveTreeTest, TwoHundredShortcutsCopiedAtOnceGiveAtMostTwoRebuilds)
{
    MakeShortcut("one.lnk", kNotepad);
    TForm1& f = Watched();
    for (int i = 0; i < 200; ++i)
        CopyShortcut("one.lnk", "F\\s" + std::to_string(1000 + i) + ".lnk");
    EXPECT_TRUE(WaitForTree(f, 201, "s1199", 20000));
    harness::PumpFor(1500); // nothing more comes
    EXPECT_EQ(ShortcutItems(f.menu_cenxvkuaijie).size(), 201u);
    EXPECT_GE(f.LiveTree1->Rebuilds(), 1);
    EXPECT_LE(f.LiveTree1->Rebuilds(), 2);
}

TEST_F(LiveTreeTest, AnOpenMenuPutsTheRebuildOffUntilItCloses)
{
    MakeShortcut("one.lnk", kNotepad);
    TForm1& f = Watched();
    HWND owner = Application::Instance().PopupOwner();
    ::SendMessageA(owner, WM_ENTERMENULOOP, TRUE, 0);
    CopyShortcut("one.lnk", "two.lnk");
    harness::PumpFor(2000);
    EXPECT_EQ(Shape(f.menu_cenxvkuaijie), "one,-") << "rebuilt under an open menu";
    ::SendMessageA(owner, WM_EXITMENULOOP, TRUE, 0);
    EXPECT_TRUE(WaitForTree(f, 2, "two", 1500)) << Shape(f.menu_cenxvkuaijie);
}

TEST_F(LiveTreeTest, AFolderThatGoesOrBecomesAFileKeepsTheTreesAndIsWatchedAgainWhenBack)
{
    MakeShortcut("one.lnk", kNotepad);
    TForm1& f = Watched();
    // Gone at once, as with a drive taken away.
    ASSERT_TRUE(::MoveFileA(Programs().c_str(), (Root() + "\\away").c_str()));
    harness::PumpFor(1500);
    WriteFile(Programs(), "a file in the folder's place");
    harness::PumpFor(1500);
    EXPECT_EQ(Shape(f.menu_cenxvkuaijie), "one,-") << "the last good trees stay";
    ASSERT_TRUE(::DeleteFileA(Programs().c_str()));
    MakeShortcut("back.lnk", kNotepad);
    EXPECT_TRUE(WaitForTree(f, 1, "back")) << Shape(f.menu_cenxvkuaijie);
    MakeShortcut("again.lnk", kNotepad);
    EXPECT_TRUE(WaitForTree(f, 2, "again")) << Shape(f.menu_cenxvkuaijie);
}

} // namespace
