#include "help/help_catalog.h"

#include "help/product_info.h"

namespace {

// Pages of the maker's own programs, all below the project's home.
#define PRODUCT_PAGE(name) TRAYSTART_PROJECT_HOME "products/" name ".html"

const HelpAction kText = HelpAction::HelpText;
const HelpAction kWeb = HelpAction::WebPage;

} // namespace

const std::vector<HelpEntry>& HelpEntries()
{
    static const std::vector<HelpEntry> entries = {
        // The help menu.
        {"N13", kText, "帮助.txt"},
        {"N85", kText, "最亮丽的功能.txt"},
        // The caption asks "添加或删除"; the document has always been named "和".
        {"N2", kText, "如何添加和删除快捷方式.txt"},
        {"N15", kText, "个人介绍.txt"},
        {"N75", kText, "我为什么要这样设计.txt"},
        {"N1001", kText, "100%杀毒软件.txt"},
        {"N82", kText, "主动防御.txt"},
        {"N84", kText, "保护你的账号.txt"},
        {"N26", kText, "接受定做软件.txt"},
        {"N37", kWeb, kDownloadPage},
        // The maker's other programs.
        {"mr1", kWeb, PRODUCT_PAGE("notes")},
        {"mr2", kWeb, PRODUCT_PAGE("shredder")},
        {"mr3", kWeb, PRODUCT_PAGE("shutdown-timer")},
        {"mr4", kWeb, PRODUCT_PAGE("colour-picker")},
        {"mr5", kWeb, PRODUCT_PAGE("clipboard")},
        {"mr6", kWeb, PRODUCT_PAGE("rename")},
        {"mr7", kWeb, PRODUCT_PAGE("cleaner")},
        {"mr8", kWeb, PRODUCT_PAGE("feedback")},
        {"mr9", kWeb, kDownloadPage},
        {"mr10", kWeb, PRODUCT_PAGE("bookmarks")},
        // Public sites: their home pages (the portal's download section).
        {"my2", kWeb, "https://www.onlinedown.net/"},
        {"my3", kWeb, "https://www.skycn.com/"},
        {"my4", kWeb, "http://www.crsky.com/"},
        {"my5", kWeb, "https://xiazai.zol.com.cn/"},
        {"my10", kWeb, "https://www.greenxf.com/"},
        {"my6", kWeb, "http://www.cnwg.cn/"},
        {"my7", kText, "中国网格详情.txt"},
        {"my8", kWeb, "http://www.brsbox.com/"},
        {"my9", kText, "广告位招租.txt"},
    };
    return entries;
}

const HelpEntry* FindHelpEntry(const std::string& item)
{
    for (const HelpEntry& entry : HelpEntries())
        if (item == entry.item)
            return &entry;
    return nullptr;
}

const std::vector<MakerProduct>& MakerProducts()
{
    static const std::vector<MakerProduct> products = {
        {"mr1", "青禾桌面便签", "N29"},
        {"mr2", "青禾文件粉碎机", "N30"},
        {"mr3", "青禾定时关机", "N31"},
        {"mr4", "青禾屏幕取色器", "N32"},
        {"mr5", "青禾剪贴板助手", "N33"},
        {"mr6", "青禾批量改名", "N34"},
        {"mr7", "青禾系统清理", "N35"},
        {"mr8", kFeedbackFolder, "N76"}, // the feedback tool, captioned as in the help menu
        {"mr9", "博闲托盘区开始菜单", "N77"},
        {"mr10", "青禾网址收藏夹", nullptr},
    };
    return products;
}

std::string HelpTextPath(const std::string& programDir, const std::string& fileName)
{
    return programDir + "\\" + "帮助\\" + fileName;
}

std::string FeedbackToolFolder(const std::string& programDir) { return programDir + "\\" + kFeedbackFolder; }

std::string FeedbackToolPath(const std::string& programDir)
{
    return FeedbackToolFolder(programDir) + "\\" + kFeedbackExe;
}

std::string MissingFileMessage(const std::string& path) { return "文件不存在  " + path; }
