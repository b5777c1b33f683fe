// What every item of the help and links menus opens: a text in the help
// folder or a fixed web address. Plain data, no window system.
#pragma once
#include <string>
#include <vector>

enum class HelpAction {
    HelpText, // a document in ProgramDir\帮助, opened maximised
    WebPage, // a fixed address, opened normally in the default browser
};

struct HelpEntry {
    const char* item; // the menu item's name
    HelpAction action;
    const char* target; // the document's file name, or the web address
};

// Every help and link item that opens a document or a page, in menu order.
const std::vector<HelpEntry>& HelpEntries();
// The entry of item `item`, or nullptr when the item opens neither.
const HelpEntry* FindHelpEntry(const std::string& item);

// One of the maker's other programs in the links menu's first submenu.
struct MakerProduct {
    const char* item; // "mr1" ... "mr10"
    const char* caption;
    const char* separator; // the separator item after it, or nullptr for the last
};
const std::vector<MakerProduct>& MakerProducts();

// Paths below the program's data folder, joined as written (never normalised).
std::string HelpTextPath(const std::string& programDir, const std::string& fileName);
std::string FeedbackToolFolder(const std::string& programDir);
std::string FeedbackToolPath(const std::string& programDir);

// The message for a document or program that is not there.
std::string MissingFileMessage(const std::string& path);
