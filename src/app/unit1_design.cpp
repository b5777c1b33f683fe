// The main window as designed: its menus, in order, with names, captions,
// glyphs and handlers.
#include "app/unit1.h"

#include "help/help_catalog.h"
#include "help/product_info.h"
#include "resource_ids.h"

MenuItem* TForm1::AddItem(MenuItem* parent, const char* name, const char* caption, int image, Handler handler)
{
    MenuItem* item = parent->Add(name, caption, image);
    if (handler)
        item->OnClick = [this, handler](MenuItem* sender) { (this->*handler)(sender); };
    return item;
}

void TForm1::BuildMainMenu()
{
    MenuItem* bar = &MainMenu1.Items();

    wenjian = AddItem(bar, "wenjian", "  文件  ");
    baocun = AddItem(wenjian, "baocun", "保存设置文件", -1, &TForm1::baocunClick);
    AddItem(wenjian, "N8", "-");
    diaoru = AddItem(wenjian, "diaoru", "调入设置文件", -1, &TForm1::diaoruClick);

    formmenu_wodecenxv = AddItem(bar, "formmenu_wodecenxv", "我的程序  ");

    N6 = AddItem(bar, "N6", "编辑  ");
    AddItem(N6, "congzaiwodecenxv", "更新重载 【我的程序】", -1, &TForm1::congzaiwodecenxvClick);
    AddItem(N6, "N4", "-");
    AddItem(N6, "dakaiwodecenxvwenjianjia", "打开 【我的程序】文件夹 ", -1, &TForm1::dakaiwodecenxvwenjianjiaClick);
    AddItem(N6, "N22", "-");
    AddItem(
        N6, "dakaibencenxvqidongwenjianjia", "打开 本程序启动文件夹", -1, &TForm1::dakaibencenxvqidongwenjianjiaClick);
    AddItem(N6, "N23", "-");
    MenuItem* N24 = AddItem(N6, "N24", "打开 系统特殊文件夹");
    AddItem(N24, "wodewendang", "我的文档", -1, &TForm1::wodewendangClick);
    AddItem(N24, "N61", "-");
    AddItem(N24, "N25", "收藏夹", -1, &TForm1::N25Click);
    AddItem(N24, "N44", "-");
    AddItem(N24, "N45", "当前用户 开始菜单", -1, &TForm1::N45Click);
    AddItem(N24, "N46", "-");
    AddItem(N24, "N47", "所有用户 开始菜单", -1, &TForm1::N47Click);
    AddItem(N24, "N48", "-");
    AddItem(N24, "N49", "发送到", -1, &TForm1::N49Click);
    AddItem(N24, "N62", "-");
    AddItem(N24, "wodediannao", "我的电脑", -1, &TForm1::wodediannaoClick);

    xuanxiang = AddItem(bar, "xuanxiang", "选项  ");
    rejianyincang = AddItem(xuanxiang, "rejianyincang", "用热键一键隐藏托盘程序有效 （Alt+L）【桌面2热键无效】", -1,
        &TForm1::rejianyincangClick);
    qidongyincang = AddItem(xuanxiang, "qidongyincang", "启动时隐藏");
    AddItem(qidongyincang, "xitongtesu", "读取 系统特殊文件夹", -1, &TForm1::xitongtesuClick);
    AddItem(qidongyincang, "cuangtisuofang", "窗体启动缩放", -1, &TForm1::cuangtisuofangClick);
    AddItem(qidongyincang, "cenxvkuaijiedongtai", "popup我的程序动态菜单生成（首层）", -1,
            &TForm1::cenxvkuaijiedongtaiClick);
    // The icon step takes its file as a parameter: its hidden item does nothing.
    AddItem(qidongyincang, "huodekuaijietubiao", "获得快捷方式图标", -1);
    AddItem(qidongyincang, "formmenuwodecenxvdongtai", "formmenu我的程序动态菜单生成（首层）", -1,
        &TForm1::formmenuwodecenxvdongtaiClick);
    AddItem(qidongyincang, "houculi", "后处理", -1, &TForm1::houculiClick);
    AddItem(qidongyincang, "xianglinyigefasongxiaoxi", "向另一个程序发送消息子过程", -1,
        &TForm1::xianglinyigefasongxiaoxiClick);
    AddItem(qidongyincang, "huanpifu", "换皮肤", -1, &TForm1::huanpifuClick);
    AddItem(xuanxiang, "N74", "-");
    yongrejianqiehuanzuomian = AddItem(xuanxiang, "yongrejianqiehuanzuomian",
        "用热键切换桌面有效 （F11）【win7下 F11，ctrl+F11】", -1, &TForm1::yongrejianqiehuanzuomianClick);
    // Both options are on by design; each click flips its own mark first.
    for (MenuItem* option : {rejianyincang, yongrejianqiehuanzuomian}) {
        option->SetChecked(true);
        option->SetAutoCheck(true);
    }

    N12 = AddItem(bar, "N12", "帮助  ");
    AddItem(N12, "N13", "帮助", 7, &TForm1::N13Click);
    AddItem(N12, "N14", "-");
    AddItem(N12, "N85", "最亮丽的功能", 16, &TForm1::N85Click);
    AddItem(N12, "N86", "-");
    AddItem(N12, "N2", "如何添加或删除快捷方式？", -1, &TForm1::N2Click);
    AddItem(N12, "N3", "-");
    AddItem(N12, "N15", "个人介绍", 8, &TForm1::N15Click);
    AddItem(N12, "N16", "-");
    AddItem(N12, "N17", "关于", -1, &TForm1::N17Click);
    AddItem(N12, "N18", "-");
    AddItem(N12, "N19", kFeedbackFolder, -1, &TForm1::N19Click);
    AddItem(N12, "N75", "我为什么要这样设计？", -1, &TForm1::N75Click);
    AddItem(N12, "N20", "-");
    MenuItem* N79 = AddItem(N12, "N79", "★★★ 杀软神器", 10);
    AddItem(N79, "N1001", "100%杀毒软件", -1, &TForm1::N1001Click);
    AddItem(N79, "N81", "-");
    AddItem(N79, "N82", "主动防御", -1, &TForm1::N82Click);
    AddItem(N79, "N83", "-");
    AddItem(N79, "N84", "保护你的账号", -1, &TForm1::N84Click);
    AddItem(N12, "N80", "-");
    AddItem(N12, "N26", "接受定做软件", -1, &TForm1::N26Click);
    AddItem(N12, "N27", "-");
    AddItem(N12, "N21", "欢迎给我来信", -1, &TForm1::N21Click);
    AddItem(N12, "N36", "-");
    AddItem(N12, "N37", "本软升级页面", -1, &TForm1::N37Click);

    youqinlianjie = AddItem(bar, "youqinlianjie", "友情链接");
    MenuItem* my1 = AddItem(youqinlianjie, "my1", kProductSeries, 9);
    static const Handler productHandlers[]
        = {&TForm1::mr1Click, &TForm1::mr2Click, &TForm1::mr3Click, &TForm1::mr4Click, &TForm1::mr5Click,
            &TForm1::mr6Click, &TForm1::mr7Click, &TForm1::mr8Click, &TForm1::mr9Click, &TForm1::mr10Click};
    size_t index = 0;
    for (const MakerProduct& product : MakerProducts()) {
        AddItem(my1, product.item, product.caption, -1, productHandlers[index++]);
        if (product.separator)
            AddItem(my1, product.separator, "-");
    }
    AddItem(youqinlianjie, "N28", "-");
    AddItem(youqinlianjie, "my2", "华军软件园", 11, &TForm1::my2Click);
    AddItem(youqinlianjie, "N38", "-");
    AddItem(youqinlianjie, "my3", "天空软件站", 12, &TForm1::my3Click);
    AddItem(youqinlianjie, "N39", "-");
    AddItem(youqinlianjie, "my4", "非凡软件站", 13, &TForm1::my4Click);
    AddItem(youqinlianjie, "N40", "-");
    AddItem(youqinlianjie, "my5", "中关村在线", 14, &TForm1::my5Click);
    AddItem(youqinlianjie, "N41", "-");
    AddItem(youqinlianjie, "my10", "绿色下载站", 15, &TForm1::my10Click);
    AddItem(youqinlianjie, "N78", "-");
    AddItem(youqinlianjie, "my6", "最好的虚拟主机商_中国网格", -1, &TForm1::my6Click);
    AddItem(youqinlianjie, "my7", "中国网格详情", -1, &TForm1::my7Click);
    AddItem(youqinlianjie, "N42", "-");
    AddItem(youqinlianjie, "my8", "BRSBOX 免费网络硬盘", -1, &TForm1::my8Click);
    AddItem(youqinlianjie, "N43", "-");
    AddItem(youqinlianjie, "my9", "广告位招租", -1, &TForm1::my9Click);
}

void TForm1::BuildPopupMenu()
{
    MenuItem* popup = &PopupMenu1.Items();
    sijian = AddItem(popup, "sijian", "时间", 5, &TForm1::sijianClick);
    AddItem(popup, "N1", "-");
    menu_cenxvkuaijie = AddItem(popup, "menu_cenxvkuaijie", "我的程序", 0);
    AddItem(popup, "MenuItem1", "-");
    AddItem(popup, "N63", "我的文档", -1, &TForm1::N63Click);
    AddItem(popup, "N64", "-");
    AddItem(popup, "N65", "我的电脑", -1, &TForm1::N65Click);
    AddItem(popup, "N66", "-");
    AddItem(popup, "popup_congzaiwodecenxv", "更新重载 【我的程序】", 2, &TForm1::popup_congzaiwodecenxvClick);
    AddItem(popup, "N9", "-");
    AddItem(popup, "N10", "打开 【我的程序】文件夹 ", 3, &TForm1::N10Click);
    AddItem(popup, "N73", "-");
    MenuItem* N7 = AddItem(popup, "N7", "一键隐藏系统托盘程序", 4);
    AddItem(N7, "kaisiyincang", "开始隐藏  （Alt+L）", -1, &TForm1::kaisiyincangClick);
    AddItem(N7, "N70", "-");
    AddItem(N7, "huifu", "恢复  （Alt+L）", -1, &TForm1::huifuClick);
    AddItem(popup, "N11", "-");
    AddItem(popup, "N50", "控制面板", -1, &TForm1::N50Click);
    AddItem(popup, "N51", "-");
    AddItem(popup, "N59", "运行", -1, &TForm1::N59Click);
    AddItem(popup, "N60", "-");
    MenuItem* N52 = AddItem(popup, "N52", "系统关机");
    AddItem(N52, "N54", "关机", -1, &TForm1::N54Click);
    AddItem(N52, "N55", "-");
    AddItem(N52, "N56", "重启动", -1, &TForm1::N56Click);
    AddItem(N52, "N57", "-");
    AddItem(N52, "N58", "注销", -1, &TForm1::N58Click);
    AddItem(popup, "N53", "-");
    MenuItem* N71 = AddItem(popup, "N71", "切换桌面", 6);
    morenzuomian = AddItem(N71, "morenzuomian", "默认桌面  （F11）【win7下 ctrl+F11】", -1, &TForm1::morenzuomianClick);
    morenzuomian->SetChecked(true);
    AddItem(N71, "N72", "-");
    zuomian2 = AddItem(N71, "zuomian2", "桌面2  （F11）", -1, &TForm1::zuomian2Click);
    AddItem(popup, "N69", "-");
    AddItem(popup, "N67", "显示桌面", -1, &TForm1::N67Click);
    AddItem(popup, "N68", "-");
    AddItem(popup, "N5", "退出本软件", 1, &TForm1::N5Click);
    AddItem(popup, "lastmenu", "-");
}
