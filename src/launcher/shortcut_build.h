// One reading of the shortcut folder with every shortcut's icon, shared by
// the two menu trees of a build, so that each icon is looked up once per
// build instead of once per tree.
#pragma once
#include "launcher/shortcut_scan.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class ImageList;

class ShortcutBuild {
public:
    // The steps of a build, in the order start-up and reload call them.
    enum class Step { PopupShortcuts, PopupFolders, FormShortcuts, FormFolders, Done };

    // Numbers the tree's shortcuts and fetches their icons on worker threads.
    // Each icon is kept until it has been appended `uses` times.
    ShortcutBuild(FolderEntry tree, int uses, Step next);
    ~ShortcutBuild();
    ShortcutBuild(const ShortcutBuild&) = delete;
    ShortcutBuild& operator=(const ShortcutBuild&) = delete;

    const FolderEntry& Tree() const { return tree_; }
    Step Next() const { return next_; }
    void SetNext(Step step) { next_ = step; }

    // Appends the shortcut's icon to `images`: its index, or -1 when the shell
    // had no icon for it (nothing is appended then).
    int AppendIcon(ImageList& images, const ShortcutEntry& shortcut);

private:
    FolderEntry tree_;
    std::vector<HICON> icons_;
    std::vector<int> usesLeft_;
    Step next_;
};
