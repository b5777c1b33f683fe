#include "launcher/shortcut_scan.h"

#include <utility>

namespace {
const char kShortcutPattern[] = "*.lnk";
const char kAnyPattern[] = "*.*";

// The folders from the root down to the one being listed; their identities
// are asked for the first time a link below them needs them.
struct Ancestor {
    explicit Ancestor(std::string folder)
        : path(std::move(folder))
    {
    }
    std::string path;
    bool asked = false;
    std::optional<FolderId> id;
};

bool LeadsBack(FolderSource& source, const std::string& link, std::vector<Ancestor>& ancestors)
{
    const std::optional<FolderId> id = source.Identity(link);
    if (!id)
        return false;
    for (Ancestor& ancestor : ancestors) {
        if (!ancestor.asked) {
            ancestor.id = source.Identity(ancestor.path);
            ancestor.asked = true;
        }
        if (ancestor.id == id)
            return true;
    }
    return false;
}

// The path under which a listed directory is reached: the plain form first,
// then the forms ending in "\" that Windows also accepts for odd names.
std::optional<std::string> FolderPath(FolderSource& source, const std::string& base)
{
    for (const char* suffix : {"", ".\\", "..\\", "\\"})
        if (source.DirectoryExists(base + suffix))
            return base + suffix;
    return std::nullopt;
}

std::vector<FolderEntry> ScanLevel(
    FolderSource& source, const std::string& folder, std::vector<Ancestor>& ancestors, int depth)
{
    std::vector<FolderEntry> folders;
    if (depth >= kMaxFolderDepth)
        return folders;
    const LeadBytePredicate isLead = source.LeadBytes();
    const std::string sep = EndsWithBackslash(folder, isLead) ? "" : "\\";
    for (const FoundEntry& found : source.List(folder + sep + kAnyPattern)) {
        // Files were listed by the shortcut enumeration already.
        if (!found.directory)
            continue;
        const std::string base = folder + sep + found.name;
        if (source.FileExists(base))
            continue;
        const std::optional<std::string> path = FolderPath(source, base);
        if (!path || found.name == "." || found.name == "..")
            continue;
        FolderEntry entry;
        entry.path = *path;
        entry.caption = FolderCaption(entry.path, isLead);
        if (found.link && LeadsBack(source, entry.path, ancestors)) {
            entry.leadsBack = true;
        } else {
            entry.shortcuts = ScanShortcuts(source, entry.path);
            ancestors.emplace_back(entry.path);
            entry.folders = ScanLevel(source, entry.path, ancestors, depth + 1);
            ancestors.pop_back();
        }
        folders.push_back(std::move(entry));
    }
    return folders;
}

void Number(FolderEntry& folder, std::vector<ShortcutEntry*>& order)
{
    for (ShortcutEntry& shortcut : folder.shortcuts) {
        shortcut.order = order.size();
        order.push_back(&shortcut);
    }
    for (FolderEntry& sub : folder.folders)
        Number(sub, order);
}
} // namespace

std::vector<ShortcutEntry> ScanShortcuts(FolderSource& source, const std::string& folder)
{
    std::vector<ShortcutEntry> shortcuts;
    const LeadBytePredicate isLead = source.LeadBytes();
    for (const FoundEntry& found : source.List(folder + "\\" + kShortcutPattern)) {
        ShortcutEntry entry;
        entry.caption = ShortcutCaption(found.name, isLead);
        entry.path = folder + "\\" + found.name;
        entry.modified = found.modified;
        shortcuts.push_back(std::move(entry));
    }
    return shortcuts;
}

FolderEntry ScanShortcutTree(FolderSource& source, const std::string& root)
{
    FolderEntry tree = ScanFolderTree(source, root);
    tree.shortcuts = ScanShortcuts(source, root);
    return tree;
}

FolderEntry ScanFolderTree(FolderSource& source, const std::string& folder)
{
    FolderEntry tree;
    tree.path = folder;
    tree.caption = FolderCaption(folder, source.LeadBytes());
    std::vector<Ancestor> ancestors {Ancestor(folder)};
    tree.folders = ScanLevel(source, folder, ancestors, 0);
    return tree;
}

std::vector<ShortcutEntry*> NumberShortcuts(FolderEntry& root)
{
    std::vector<ShortcutEntry*> order;
    Number(root, order);
    return order;
}
