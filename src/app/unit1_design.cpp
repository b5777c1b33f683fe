// The main window as designed: both menus as tables of rows (depth, name,
// caption, glyph, handler), built in order.
#include "app/unit1.h"

#include "help/help_catalog.h"
#include "help/product_info.h"
#include "resource_ids.h"

#include <vector>

namespace {
using Rows = std::vector<TForm1::MenuRow>;

void Append(Rows& rows, std::initializer_list<TForm1::MenuRow> more) { rows.insert(rows.end(), more); }

// The maker's products, each with the separator after it.
void AppendProducts(Rows& rows)
{
    static const TForm1::Handler handlers[]
        = {&TForm1::mr1Click, &TForm1::mr2Click, &TForm1::mr3Click, &TForm1::mr4Click, &TForm1::mr5Click,
            &TForm1::mr6Click, &TForm1::mr7Click, &TForm1::mr8Click, &TForm1::mr9Click, &TForm1::mr10Click};
    size_t index = 0;
    for (const MakerProduct& product : MakerProducts()) {
        rows.push_back({2, product.item, product.caption, -1, handlers[index++]});
        if (product.separator)
            rows.push_back({2, product.separator, "-", -1, nullptr});
    }
}
} // namespace

std::vector<TForm1::MenuRow> TForm1::MainMenuDesign()
{
    Rows rows;
    Append(rows,
        {
            {0, "wenjian", "  文件  ", -1, nullptr},
            {1, "baocun", "保存设置文件", -1, &TForm1::baocunClick},
            {1, "N8", "-", -1, nullptr},
            {1, "diaoru", "调入设置文件", -1, &TForm1::diaoruClick},
            {0, "formmenu_wodecenxv", "我的程序  ", -1, nullptr},
            {0, "N6", "编辑  ", -1, nullptr},
            {1, "congzaiwodecenxv", "更新重载 【我的程序】", -1, &TForm1::congzaiwodecenxvClick},
            {1, "N4", "-", -1, nullptr},
            {1, "dakaiwodecenxvwenjianjia", "打开 【我的程序】文件夹 ", -1, &TForm1::dakaiwodecenxvwenjianjiaClick},
            {1, "N22", "-", -1, nullptr},
            {1, "dakaibencenxvqidongwenjianjia", "打开 本程序启动文件夹", -1,
                &TForm1::dakaibencenxvqidongwenjianjiaClick},
            {1, "N23", "-", -1, nullptr},
            {1, "N24", "打开 系统特殊文件夹", -1, nullptr},
            {2, "wodewendang", "我的文档", -1, &TForm1::wodewendangClick},
            {2, "N61", "-", -1, nullptr},
            {2, "N25", "收藏夹", -1, &TForm1::N25Click},
            {2, "N44", "-", -1, nullptr},
            {2, "N45", "当前用户 开始菜单", -1, &TForm1::N45Click},
            {2, "N46", "-", -1, nullptr},
            {2, "N47", "所有用户 开始菜单", -1, &TForm1::N47Click},
            {2, "N48", "-", -1, nullptr},
            {2, "N49", "发送到", -1, &TForm1::N49Click},
            {2, "N62", "-", -1, nullptr},
            {2, "wodediannao", "我的电脑", -1, &TForm1::wodediannaoClick},
            {0, "xuanxiang", "选项  ", -1, nullptr},
            {1, "rejianyincang", "用热键一键隐藏托盘程序有效 （Alt+L）【桌面2热键无效】", -1,
                &TForm1::rejianyincangClick},
            {1, "qidongyincang", "启动时隐藏", -1, nullptr},
            {2, "xitongtesu", "读取 系统特殊文件夹", -1, &TForm1::xitongtesuClick},
            {2, "cuangtisuofang", "窗体启动缩放", -1, &TForm1::cuangtisuofangClick},
            {2, "cenxvkuaijiedongtai", "popup我的程序动态菜单生成（首层）", -1, &TForm1::cenxvkuaijiedongtaiClick},
            {2, "huodekuaijietubiao", "获得快捷方式图标", -1, nullptr}, // the icon step takes a file: nothing to click
            {2, "formmenuwodecenxvdongtai", "formmenu我的程序动态菜单生成（首层）", -1,
                &TForm1::formmenuwodecenxvdongtaiClick},
            {2, "houculi", "后处理", -1, &TForm1::houculiClick},
            {2, "xianglinyigefasongxiaoxi", "向另一个程序发送消息子过程", -1, &TForm1::xianglinyigefasongxiaoxiClick},
            {2, "huanpifu", "换皮肤", -1, &TForm1::huanpifuClick},
            {1, "N74", "-", -1, nullptr},
            {1, "yongrejianqiehuanzuomian", "用热键切换桌面有效 （F11）【win7下 F11，ctrl+F11】", -1,
                &TForm1::yongrejianqiehuanzuomianClick},
            {0, "N12", "帮助  ", -1, nullptr},
            {1, "N13", "帮助", 7, &TForm1::N13Click},
            {1, "N14", "-", -1, nullptr},
            {1, "N85", "最亮丽的功能", 16, &TForm1::N85Click},
            {1, "N86", "-", -1, nullptr},
            {1, "N2", "如何添加或删除快捷方式？", -1, &TForm1::N2Click},
            {1, "N3", "-", -1, nullptr},
            {1, "N15", "个人介绍", 8, &TForm1::N15Click},
            {1, "N16", "-", -1, nullptr},
            {1, "N17", "关于", -1, &TForm1::N17Click},
            {1, "N18", "-", -1, nullptr},
            {1, "N19", kFeedbackFolder, -1, &TForm1::N19Click},
            {1, "N75", "我为什么要这样设计？", -1, &TForm1::N75Click},
            {1, "N20", "-", -1, nullptr},
            {1, "N79", "★★★ 杀软神器", 10, nullptr},
            {2, "N1001", "100%杀毒软件", -1, &TForm1::N1001Click},
            {2, "N81", "-", -1, nullptr},
            {2, "N82", "主动防御", -1, &TForm1::N82Click},
            {2, "N83", "-", -1, nullptr},
            {2, "N84", "保护你的账号", -1, &TForm1::N84Click},
            {1, "N80", "-", -1, nullptr},
            {1, "N26", "接受定做软件", -1, &TForm1::N26Click},
            {1, "N27", "-", -1, nullptr},
            {1, "N21", "欢迎给我来信", -1, &TForm1::N21Click},
            {1, "N36", "-", -1, nullptr},
            {1, "N37", "本软升级页面", -1, &TForm1::N37Click},
            {0, "youqinlianjie", "友情链接", -1, nullptr},
            {1, "my1", kProductSeries, 9, nullptr},
        });
    AppendProducts(rows);
    Append(rows,
        {
            {1, "N28", "-", -1, nullptr},
            {1, "my2", "华军软件园", 11, &TForm1::my2Click},
            {1, "N38", "-", -1, nullptr},
            {1, "my3", "天空软件站", 12, &TForm1::my3Click},
            {1, "N39", "-", -1, nullptr},
            {1, "my4", "非凡软件站", 13, &TForm1::my4Click},
            {1, "N40", "-", -1, nullptr},
            {1, "my5", "中关村在线", 14, &TForm1::my5Click},
            {1, "N41", "-", -1, nullptr},
            {1, "my10", "绿色下载站", 15, &TForm1::my10Click},
            {1, "N78", "-", -1, nullptr},
            {1, "my6", "最好的虚拟主机商_中国网格", -1, &TForm1::my6Click},
            {1, "my7", "中国网格详情", -1, &TForm1::my7Click},
            {1, "N42", "-", -1, nullptr},
            {1, "my8", "BRSBOX 免费网络硬盘", -1, &TForm1::my8Click},
            {1, "N43", "-", -1, nullptr},
            {1, "my9", "广告位招租", -1, &TForm1::my9Click},
        });
    return rows;
}

std::vector<TForm1::MenuRow> TForm1::PopupMenuDesign()
{
    return {
        {0, "sijian", "时间", 5, &TForm1::sijianClick},
        {0, "N1", "-", -1, nullptr},
        {0, "menu_cenxvkuaijie", "我的程序", 0, nullptr},
        {0, "MenuItem1", "-", -1, nullptr},
        {0, "N63", "我的文档", -1, &TForm1::N63Click},
        {0, "N64", "-", -1, nullptr},
        {0, "N65", "我的电脑", -1, &TForm1::N65Click},
        {0, "N66", "-", -1, nullptr},
        {0, "popup_congzaiwodecenxv", "更新重载 【我的程序】", 2, &TForm1::popup_congzaiwodecenxvClick},
        {0, "N9", "-", -1, nullptr},
        {0, "N10", "打开 【我的程序】文件夹 ", 3, &TForm1::N10Click},
        {0, "N73", "-", -1, nullptr},
        {0, "N7", "一键隐藏系统托盘程序", 4, nullptr},
        {1, "kaisiyincang", "开始隐藏  （Alt+L）", -1, &TForm1::kaisiyincangClick},
        {1, "N70", "-", -1, nullptr},
        {1, "huifu", "恢复  （Alt+L）", -1, &TForm1::huifuClick},
        {0, "N11", "-", -1, nullptr},
        {0, "N50", "控制面板", -1, &TForm1::N50Click},
        {0, "N51", "-", -1, nullptr},
        {0, "N59", "运行", -1, &TForm1::N59Click},
        {0, "N60", "-", -1, nullptr},
        {0, "N52", "系统关机", -1, nullptr},
        {1, "N54", "关机", -1, &TForm1::N54Click},
        {1, "N55", "-", -1, nullptr},
        {1, "N56", "重启动", -1, &TForm1::N56Click},
        {1, "N57", "-", -1, nullptr},
        {1, "N58", "注销", -1, &TForm1::N58Click},
        {0, "N53", "-", -1, nullptr},
        {0, "N71", "切换桌面", 6, nullptr},
        {1, "morenzuomian", "默认桌面  （F11）【win7下 ctrl+F11】", -1, &TForm1::morenzuomianClick},
        {1, "N72", "-", -1, nullptr},
        {1, "zuomian2", "桌面2  （F11）", -1, &TForm1::zuomian2Click},
        {0, "N69", "-", -1, nullptr},
        {0, "N67", "显示桌面", -1, &TForm1::N67Click},
        {0, "N68", "-", -1, nullptr},
        {0, "N5", "退出本软件", 1, &TForm1::N5Click},
        {0, "lastmenu", "-", -1, nullptr},
    };
}

void TForm1::BuildMenu(MenuItem& root, const std::vector<MenuRow>& rows)
{
    // The item that rows of each depth go into: the last item one level up.
    std::vector<MenuItem*> parents {&root};
    for (const MenuRow& row : rows) {
        parents.resize(static_cast<size_t>(row.depth) + 1);
        MenuItem* item = parents.back()->Add(row.name, row.caption, row.glyph);
        if (Handler handler = row.handler)
            item->OnClick = [this, handler](MenuItem* sender) { (this->*handler)(sender); };
        parents.push_back(item);
    }
}

void TForm1::BuildMainMenu()
{
    BuildMenu(MainMenu1.Items(), MainMenuDesign());
    for (auto [field, name] : {std::pair {&wenjian, "wenjian"}, {&baocun, "baocun"}, {&diaoru, "diaoru"},
             {&formmenu_wodecenxv, "formmenu_wodecenxv"}, {&N6, "N6"}, {&xuanxiang, "xuanxiang"},
             {&rejianyincang, "rejianyincang"}, {&qidongyincang, "qidongyincang"},
             {&yongrejianqiehuanzuomian, "yongrejianqiehuanzuomian"}, {&N12, "N12"}, {&youqinlianjie, "youqinlianjie"}})
        *field = MainMenu1.Find(name);
    // Both options are on by design; each click flips its own mark first.
    for (MenuItem* option : {rejianyincang, yongrejianqiehuanzuomian}) {
        option->SetChecked(true);
        option->SetAutoCheck(true);
    }
}

void TForm1::BuildPopupMenu()
{
    BuildMenu(PopupMenu1.Items(), PopupMenuDesign());
    for (auto [field, name] : {std::pair {&sijian, "sijian"}, {&menu_cenxvkuaijie, "menu_cenxvkuaijie"},
             {&morenzuomian, "morenzuomian"}, {&zuomian2, "zuomian2"}})
        *field = PopupMenu1.Find(name);
    morenzuomian->SetChecked(true);
}
