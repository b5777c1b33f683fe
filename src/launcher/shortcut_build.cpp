#include "launcher/shortcut_build.h"

#include "framework/image_list.h"
#include "launcher/shell_icons.h"

ShortcutBuild::ShortcutBuild(FolderEntry tree, int uses, Step next) : tree_(std::move(tree)), next_(next)
{
    std::vector<std::string> paths;
    for (const ShortcutEntry* shortcut : NumberShortcuts(tree_))
        paths.push_back(shortcut->path);
    icons_ = FetchShellIcons(paths);
    usesLeft_.assign(icons_.size(), uses);
    indexes_.assign(icons_.size(), -1);
}

ShortcutBuild::~ShortcutBuild() { DestroyIcons(icons_); }

void ShortcutBuild::Used(std::size_t order)
{
    // The list keeps its own copy; the handle goes once the last tree has it.
    if (icons_[order] && --usesLeft_[order] <= 0) {
        ReleaseShellIcon(icons_[order]);
        icons_[order] = nullptr;
    }
}

int ShortcutBuild::AppendIcon(ImageList& images, const ShortcutEntry& shortcut)
{
    if (shortcut.order >= icons_.size())
        return -1;
    if (copied_)
        return indexes_[shortcut.order];
    if (!icons_[shortcut.order])
        return -1;
    indexes_[shortcut.order] = images.AppendIcon(icons_[shortcut.order]);
    Used(shortcut.order);
    return indexes_[shortcut.order];
}

void ShortcutBuild::BeginNextTree(ImageList& images)
{
    std::vector<int> previous(indexes_.size(), -1);
    previous.swap(indexes_);
    copied_ = false;
    // The previous tree's images must be exactly the last ones of the list,
    // one per icon in build order, for a copy to give the same indexes as
    // adding the icons again.
    int first = -1, count = 0;
    for (int index : previous) {
        if (index < 0)
            continue;
        if (first < 0)
            first = index;
        if (index != first + count)
            return;
        ++count;
    }
    if (count == 0 || first + count != images.Count())
        return;
    const int start = images.AppendCopies(first, count);
    if (start < 0)
        return;
    for (std::size_t order = 0; order < previous.size(); ++order) {
        if (previous[order] < 0)
            continue;
        indexes_[order] = previous[order] - first + start;
        Used(order);
    }
    copied_ = true;
}
