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
class ShellIconCache;
struct IconRequest;

// Numbers the tree's shortcuts (NumberShortcuts) and gives each one's path
// and modification time, in that order: what the icon cache is asked for.
std::vector<IconRequest> NumberedIconRequests(FolderEntry& tree);

class ShortcutBuild {
public:
    // The steps of a build still to come, in the order start-up and reload
    // call them (the popup tree's shortcuts come first and start the build).
    enum class Step { PopupFolders, FormShortcuts, FormFolders, Done };

    // Numbers the tree's shortcuts and fetches their icons, once each. With
    // a cache, only the icons it does not hold (for the same modification
    // time) are looked up, at images of `images`' size.
    ShortcutBuild(FolderEntry tree, Step next);
    ShortcutBuild(FolderEntry tree, Step next, ShellIconCache& cache, const ImageList& images);
    ~ShortcutBuild();
    ShortcutBuild(const ShortcutBuild&) = delete;
    ShortcutBuild& operator=(const ShortcutBuild&) = delete;

    const FolderEntry& Tree() const { return tree_; }
    // Whether the shell had an icon for the shortcut numbered `order`.
    bool HasIcon(std::size_t order) const { return order < iconOf_.size() && iconOf_[order] >= 0; }
    // The shortcuts the shell had an icon for, in build order.
    std::vector<IconRequest> ShortcutsWithIcons();
    Step Next() const { return next_; }
    void SetNext(Step step) { next_ = step; }

    // Appends the shortcut's icon to `images` for the tree being built: its
    // index, or -1 when the shell had no icon for it (nothing is appended).
    int AppendIcon(ImageList& images, const ShortcutEntry& shortcut);

    // Starts the first tree: every image it needs is added at once, each
    // distinct icon converted only once (about 1.5 ms an icon under Wine).
    // Without it, images are added one by one as the tree asks for them.
    void BeginFirstTree(ImageList& images);

    // Starts the next tree. When the previous tree's icons still end the
    // list, they are copied in one go and this tree uses the copies, which
    // saves adding every icon a second time (about 1.5 ms each under Wine).
    void BeginNextTree(ImageList& images);

private:
    std::vector<std::string> NumberedPaths();

    FolderEntry tree_;
    std::vector<HICON> icons_; // the distinct icons
    const ImageList* cached_ = nullptr; // instead, the cache's images of them
    std::vector<int> iconOf_; // each shortcut's icon in icons_ (or cached_), or -1
    std::vector<int> indexes_; // where each shortcut's image went in the tree being built
    bool copied_ = false; // this tree's images are already in the list
    Step next_;
};
