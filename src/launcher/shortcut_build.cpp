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
}

ShortcutBuild::~ShortcutBuild() { DestroyIcons(icons_); }

int ShortcutBuild::AppendIcon(ImageList& images, const ShortcutEntry& shortcut)
{
    if (shortcut.order >= icons_.size())
        return -1;
    HICON& icon = icons_[shortcut.order];
    if (!icon)
        return -1;
    const int index = images.AppendIcon(icon);
    // The list keeps its own copy; the handle goes as soon as the last tree has it.
    if (--usesLeft_[shortcut.order] <= 0) {
        ::DestroyIcon(icon);
        icon = nullptr;
    }
    return index;
}
