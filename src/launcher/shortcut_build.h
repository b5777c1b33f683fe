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

    // Appends the shortcut's icon to `images` for the tree being built: its
    // index, or -1 when the shell had no icon for it (nothing is appended).
    int AppendIcon(ImageList& images, const ShortcutEntry& shortcut);

    // Starts the next tree. When the previous tree's icons still end the
    // list, they are copied in one go and this tree uses the copies, which
    // saves adding every icon a second time (about 1.5 ms each under Wine).
    void BeginNextTree(ImageList& images);

private:
    void Used(std::size_t order);

    FolderEntry tree_;
    std::vector<HICON> icons_;
    std::vector<int> usesLeft_;
    std::vector<int> indexes_;  // where each icon went in the tree being built
    bool copied_ = false;       // this tree's images are already in the list
    Step next_;
};
