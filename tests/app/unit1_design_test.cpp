// The main window's menus as designed: names, captions, order, glyphs, marks.
#include "form_fixture.h"
#include "framework/dpi.h"
#include "framework/screen_dpi.h"
#include "support/shortcut_file.h"

#include <cstdlib>
#include <set>
#include <sstream>

namespace {

// One line per item, two spaces of indent per level: "name caption".
std::string Outline(const MenuItem& parent, int depth = 0)
{
    std::ostringstream out;
    for (int i = 0; i < parent.Count(); ++i) {
        const MenuItem* item = parent.Item(i);
        out << std::string(static_cast<size_t>(depth) * 2, ' ') << item->Name() << ' ' << item->Caption();
        if (item->ImageIndex() >= 0)
            out << " #" << item->ImageIndex();
        if (item->Checked())
            out << " [x]";
        out << '\n' << Outline(*item, depth + 1);
    }
    return out.str();
}

const char kPopupDesign[] = "sijian 时间 #5\n"
                            "N1 -\n"
                            "menu_cenxvkuaijie 我的程序 #0\n"
                            "MenuItem1 -\n"
                            "N63 我的文档\n"
                            "N64 -\n"
                            "N65 我的电脑\n"
                            "N66 -\n"
                            "popup_congzaiwodecenxv 更新重载 【我的程序】 #2\n"
                            "N9 -\n"
                            "N10 打开 【我的程序】文件夹  #3\n"
                            "N73 -\n"
                            "N7 一键隐藏系统托盘程序 #4\n"
                            "  kaisiyincang 开始隐藏  （Alt+L）\n"
                            "  N70 -\n"
                            "  huifu 恢复  （Alt+L）\n"
                            "N11 -\n"
                            "N50 控制面板\n"
                            "N51 -\n"
                            "N59 运行\n"
                            "N60 -\n"
                            "N52 系统关机\n"
                            "  N54 关机\n"
                            "  N55 -\n"
                            "  N56 重启动\n"
                            "  N57 -\n"
                            "  N58 注销\n"
                            "N53 -\n"
                            "N71 切换桌面 #6\n"
                            "  morenzuomian 默认桌面  （F11）【win7下 ctrl+F11】 [x]\n"
                            "  N72 -\n"
                            "  zuomian2 桌面2  （F11）\n"
                            "N69 -\n"
                            "N67 显示桌面\n"
                            "N68 -\n"
                            "N5 退出本软件 #1\n"
                            "lastmenu -\n";

const char kMainMenuDesign[] = "wenjian   文件  \n"
                               "  baocun 保存设置文件\n"
                               "  N8 -\n"
                               "  diaoru 调入设置文件\n"
                               "formmenu_wodecenxv 我的程序  \n"
                               "N6 编辑  \n"
                               "  congzaiwodecenxv 更新重载 【我的程序】\n"
                               "  N4 -\n"
                               "  dakaiwodecenxvwenjianjia 打开 【我的程序】文件夹 \n"
                               "  N22 -\n"
                               "  dakaibencenxvqidongwenjianjia 打开 本程序启动文件夹\n"
                               "  N23 -\n"
                               "  N24 打开 系统特殊文件夹\n"
                               "    wodewendang 我的文档\n"
                               "    N61 -\n"
                               "    N25 收藏夹\n"
                               "    N44 -\n"
                               "    N45 当前用户 开始菜单\n"
                               "    N46 -\n"
                               "    N47 所有用户 开始菜单\n"
                               "    N48 -\n"
                               "    N49 发送到\n"
                               "    N62 -\n"
                               "    wodediannao 我的电脑\n"
                               "xuanxiang 选项  \n"
                               "  rejianyincang 用热键一键隐藏托盘程序有效 （Alt+L）【桌面2热键无效】 [x]\n"
                               "  qidongyincang 启动时隐藏\n"
                               "    xitongtesu 读取 系统特殊文件夹\n"
                               "    cuangtisuofang 窗体启动缩放\n"
                               "    cenxvkuaijiedongtai popup我的程序动态菜单生成（首层）\n"
                               "    huodekuaijietubiao 获得快捷方式图标\n"
                               "    formmenuwodecenxvdongtai formmenu我的程序动态菜单生成（首层）\n"
                               "    houculi 后处理\n"
                               "    xianglinyigefasongxiaoxi 向另一个程序发送消息子过程\n"
                               "    huanpifu 换皮肤\n"
                               "  N74 -\n"
                               "  yongrejianqiehuanzuomian 用热键切换桌面有效 （F11）【win7下 F11，ctrl+F11】 [x]\n"
                               "N12 帮助  \n"
                               "  N13 帮助 #7\n"
                               "  N14 -\n"
                               "  N85 最亮丽的功能 #16\n"
                               "  N86 -\n"
                               "  N2 如何添加或删除快捷方式？\n"
                               "  N3 -\n"
                               "  N15 个人介绍 #8\n"
                               "  N16 -\n"
                               "  N17 关于\n"
                               "  N18 -\n"
                               "  N19 青禾工坊_用户反馈表\n"
                               "  N75 我为什么要这样设计？\n"
                               "  N20 -\n"
                               "  N79 ★★★ 杀软神器 #10\n"
                               "    N1001 100%杀毒软件\n"
                               "    N81 -\n"
                               "    N82 主动防御\n"
                               "    N83 -\n"
                               "    N84 保护你的账号\n"
                               "  N80 -\n"
                               "  N26 接受定做软件\n"
                               "  N27 -\n"
                               "  N21 欢迎给我来信\n"
                               "  N36 -\n"
                               "  N37 本软升级页面\n"
                               "youqinlianjie 友情链接\n";

// The links menu: fixed rows, with the maker's product names left open.
const char* const kLinksRows[] = {"N28 -", "my2 华军软件园 #11", "N38 -", "my3 天空软件站 #12", "N39 -",
    "my4 非凡软件站 #13", "N40 -", "my5 中关村在线 #14", "N41 -", "my10 绿色下载站 #15", "N78 -",
    "my6 最好的虚拟主机商_中国网格", "my7 中国网格详情", "N42 -", "my8 BRSBOX 免费网络硬盘", "N43 -", "my9 广告位招租"};

TEST_F(FormTest, BothMenusFollowTheDesign)
{
    TForm1& f = Design();
    EXPECT_EQ(Outline(f.PopupMenu1.Items()), kPopupDesign);

    std::string main = Outline(f.MainMenu1.Items());
    std::string upToLinks = main.substr(0, main.find("  my1 "));
    EXPECT_EQ(upToLinks, kMainMenuDesign);

    MenuItem* links = f.MainMenu1.Find("youqinlianjie");
    ASSERT_NE(links, nullptr);
    ASSERT_EQ(links->Count(), 1 + static_cast<int>(std::size(kLinksRows)));
    MenuItem* my1 = links->Item(0);
    EXPECT_EQ(my1->Name(), "my1");
    EXPECT_EQ(my1->ImageIndex(), 9);
    for (size_t i = 0; i < std::size(kLinksRows); ++i) {
        const MenuItem* item = links->Item(static_cast<int>(i) + 1);
        std::string line = item->Name() + " " + item->Caption()
            + (item->ImageIndex() >= 0 ? " #" + std::to_string(item->ImageIndex()) : "");
        EXPECT_EQ(line, kLinksRows[i]);
    }
    const char* const products[] = {"mr1", "N29", "mr2", "N30", "mr3", "N31", "mr4", "N32", "mr5", "N33", "mr6", "N34",
        "mr7", "N35", "mr8", "N76", "mr9", "N77", "mr10"};
    ASSERT_EQ(my1->Count(), static_cast<int>(std::size(products)));
    for (size_t i = 0; i < std::size(products); ++i)
        EXPECT_EQ(my1->Item(static_cast<int>(i))->Name(), products[i]);
    EXPECT_EQ(f.MainMenu1.Find("mr8")->Caption(), "青禾工坊_用户反馈表");
    EXPECT_EQ(f.MainMenu1.Find("mr9")->Caption(), "博闲托盘区开始菜单");
}

TEST_F(FormTest, TheMenuBarIsTheWindowsRealMenuWithItsGlyphList)
{
    TForm1& f = Design();
    HMENU bar = ::GetMenu(f.Handle());
    ASSERT_EQ(bar, f.MainMenu1.Handle());
    ASSERT_EQ(::GetMenuItemCount(bar), 6);
    char text[64] = {};
    ::GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "  文件  ");
    EXPECT_EQ(f.ImageList1.Count(), 17);
    EXPECT_EQ(f.MainMenu1.Images(), &f.ImageList1);
    EXPECT_EQ(f.PopupMenu1.Images(), &f.ImageList1);
    char className[32] = {};
    ::GetClassNameA(f.Handle(), className, sizeof className);
    EXPECT_STREQ(className, "TForm1");
    EXPECT_EQ(f.Caption(), "博闲托盘区开始菜单2.1");
}

// The screen's DPI is read when a process starts, so the check runs in a
// second copy of this program started with the prefix's LogPixels at 144.
TEST_F(FormTest, AtOneHundredFortyFourDpiThePopupsGlyphCellIsTwentyFourPixels)
{
    if (std::getenv("TRAYSTART_DPI_CHILD")) {
        ASSERT_EQ(ScreenDpi(), 144);
        TForm1& f = Design();
        EXPECT_EQ(f.ImageList1.Width(), 24);
        EXPECT_EQ(f.ImageList1.Count(), 17);
        MEASUREITEMSTRUCT measure {};
        measure.CtlType = ODT_MENU;
        measure.itemData = reinterpret_cast<ULONG_PTR>(f.menu_cenxvkuaijie);
        LRESULT result = 0;
        ASSERT_TRUE(HandleMenuMessage(f.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), result));
        EXPECT_EQ(measure.itemWidth, 24u);
        EXPECT_EQ(measure.itemHeight, 24u);
        return;
    }
    HKEY desktop = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &desktop, nullptr),
        ERROR_SUCCESS);
    DWORD old = 0, size = sizeof old;
    const bool had = ::RegQueryValueExA(desktop, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old), &size)
        == ERROR_SUCCESS;
    const DWORD dpi = 144;
    ::RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    ::SetEnvironmentVariableA("TRAYSTART_DPI_CHILD", "1");
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    DWORD exitCode = STILL_ACTIVE;
    {
        harness::Process child = harness::Process::Start(
            self, "", nullptr, "--gtest_filter=FormTest.AtOneHundredFortyFourDpiThePopupsGlyphCellIsTwentyFourPixels");
        if (child.WaitForExit(60000))
            exitCode = child.ExitCode();
    }
    ::SetEnvironmentVariableA("TRAYSTART_DPI_CHILD", nullptr);
    if (had)
        ::RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old), sizeof old);
    else
        ::RegDeleteValueA(desktop, "LogPixels");
    ::RegCloseKey(desktop);
    EXPECT_EQ(exitCode, 0u) << "the copy at 144 dpi failed (its output is above)";
}

// A move to a 144 dpi monitor: glyphs, their copy for the reload and the
// shortcut icons are made at 24 px, and the popup's glyph cell measures 24.
TEST_F(FormTest, MovedToAOneHundredFortyFourDpiMonitorTheMenusAreRebuiltAtTwentyFourPixels)
{
    ASSERT_TRUE(::CreateDirectoryA((dir.Path() + "\\我的程序").c_str(), nullptr));
    ASSERT_TRUE(SaveShortcut(dir.Path() + "\\我的程序\\记事本.lnk", "C:\\windows\\notepad.exe"));
    TForm1& f = Start();
    const int images = f.ImageList1.Count();
    ASSERT_GT(images, 17);
    RECT proposed = f.Bounds();
    ::SendMessageA(f.Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(f.ImageList1.Width(), 24);
    EXPECT_EQ(f.ImageList1.Count(), images); // the glyphs and the tree's icons, fetched again
    EXPECT_EQ(f.IconList->Height(), 24);
    EXPECT_EQ(f.IconList->Count(), 17);
    MEASUREITEMSTRUCT measure {};
    measure.CtlType = ODT_MENU;
    measure.itemData = reinterpret_cast<ULONG_PTR>(f.menu_cenxvkuaijie->Item(0));
    LRESULT result = 0;
    EXPECT_TRUE(HandleMenuMessage(f.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), result));
    EXPECT_EQ(measure.itemHeight, 24u);
    // Back on a 96 dpi monitor, so that later tests lay out as designed.
    ::SendMessageA(f.Handle(), 0x02E0, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(f.ImageList1.Width(), 16);
    EXPECT_EQ(LayoutDpi(), 96);
}

} // namespace

namespace {

// The design tables themselves: what any edit of them must keep.
TEST(MenuDesign, RowsAreWellFormedUniqueAndEveryCommandHasAHandler)
{
    // Items that are clicked but act only through their children or at run time.
    const std::set<std::string> noHandler = {"menu_cenxvkuaijie", "formmenu_wodecenxv", "huodekuaijietubiao"};
    std::set<std::string> names;
    for (const auto& rows : {TForm1::MainMenuDesign(), TForm1::PopupMenuDesign()}) {
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.front().depth, 0);
        for (size_t i = 0; i < rows.size(); ++i) {
            const TForm1::MenuRow& row = rows[i];
            SCOPED_TRACE(row.name);
            EXPECT_TRUE(names.insert(row.name).second) << "names are unique across both menus";
            ASSERT_NE(row.caption, nullptr);
            EXPECT_STRNE(row.caption, "");
            const bool hasChildren = i + 1 < rows.size() && rows[i + 1].depth > row.depth;
            if (i + 1 < rows.size()) {
                EXPECT_LE(rows[i + 1].depth, row.depth + 1) << "a row goes at most one level deeper";
            }
            EXPECT_GE(row.glyph, -1);
            EXPECT_LT(row.glyph, 17);
            if (std::string(row.caption) == "-") {
                EXPECT_EQ(row.handler, nullptr);
                EXPECT_FALSE(hasChildren);
            } else if (hasChildren || noHandler.count(row.name)) {
                EXPECT_EQ(row.handler, nullptr) << "a submenu's own click does nothing";
            } else {
                EXPECT_NE(row.handler, nullptr) << "every command item has its handler";
            }
        }
    }
}

} // namespace
