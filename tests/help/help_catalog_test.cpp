// The table behind the help and links menus: the rules its entries keep,
// whatever the addresses are changed to.
#include "help/help_catalog.h"
#include "help/product_info.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

TEST(HelpCatalog, EveryItemHasOneEntryAndTheMakersPagesLieBelowTheProjectHome)
{
    std::set<std::string> items;
    for (const HelpEntry& entry : HelpEntries()) {
        EXPECT_TRUE(items.insert(entry.item).second) << entry.item;
        EXPECT_EQ(FindHelpEntry(entry.item), &entry);
        const std::string item = entry.item;
        const std::string target = entry.target;
        if (entry.action == HelpAction::HelpText) {
            EXPECT_TRUE(target.size() > 4 && target.substr(target.size() - 4) == ".txt") << item;
            EXPECT_EQ(target.find('\\'), std::string::npos) << item;
        } else {
            EXPECT_TRUE(StartsWith(target, "http://") || StartsWith(target, "https://")) << item;
            // Our own pages (the download page and the maker's products) are
            // below the one home address; the public sites are not.
            const bool ours = item == "N37" || StartsWith(item, "mr");
            EXPECT_EQ(StartsWith(target, kProjectHome), ours) << item;
        }
    }
    EXPECT_EQ(FindHelpEntry("N17"), nullptr); // the about box, not a document
    EXPECT_EQ(FindHelpEntry("N19"), nullptr); // the feedback tool
    EXPECT_EQ(FindHelpEntry("N21"), nullptr); // the invitation
    EXPECT_EQ(FindHelpEntry("n13"), nullptr); // names are compared exactly
}

TEST(HelpCatalog, PathsAreJoinedAsWritten)
{
    EXPECT_EQ(HelpTextPath("C:\\a b", "帮助.txt"), "C:\\a b\\帮助\\帮助.txt");
    EXPECT_EQ(HelpTextPath("C:\\", "x.txt"), "C:\\\\帮助\\x.txt"); // never normalised
    EXPECT_EQ(FeedbackToolFolder("D:\\p"), "D:\\p\\青禾工坊_用户反馈表");
    EXPECT_EQ(FeedbackToolPath("D:\\p"), "D:\\p\\青禾工坊_用户反馈表\\用户反馈表.exe");
    EXPECT_EQ(MissingFileMessage("D:\\p\\x"), "文件不存在  D:\\p\\x");
}

} // namespace
