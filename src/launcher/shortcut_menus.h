// The "我的程序" shortcut trees of the tray popup and the menu bar: building
// them from the shortcut folder, and the paths and launching of their items.
//
// A build reads the folder and fetches every icon once, at its first step,
// and serves both trees from that reading; the steps keep their order and
// their effects on the image list and the last folder item.
#pragma once
#include "framework/menu.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class ImageList;
class ShellIconCache;
class ShortcutBuild;
struct FolderEntry;

class ShortcutMenus {
public:
    // The two trees' roots and what a click on one of their shortcuts does.
    struct Trees {
        MenuItem* popupRoot;
        MenuItem* formRoot;
        MenuItem::ClickHandler popupClick;
        MenuItem::ClickHandler formClick;
    };
    ShortcutMenus(ImageList& images, Trees trees);
    ~ShortcutMenus();
    ShortcutMenus(const ShortcutMenus&) = delete;
    ShortcutMenus& operator=(const ShortcutMenus&) = delete;

    // What the building steps share: which tree is being built (the menu
    // bar's while true) and the folder item created last.
    bool BuildingFormMenu = false;
    MenuItem* LastFolderItem = nullptr;

    // Clears both roots and builds the popup tree, then the menu bar's, from
    // the shortcut folder, in the steps below.
    void Rebuild(const std::string& programsDir);
    // The first level of the popup tree; starts a build of both trees.
    void AddPopupShortcuts(const std::string& programsDir);
    // The first level of the menu-bar tree, from the running build if any.
    void AddFormShortcuts(const std::string& programsDir);
    // Every folder below `folder` into `parent`, recursively. BuildingFormMenu
    // chooses the handler of shortcuts below the first level.
    void AddFolders(const std::string& folder, MenuItem* parent);
    MenuItem* AddFolderItem(const std::string& folder, MenuItem* parent);
    void AddFolderShortcuts(const std::string& folder, MenuItem* item);
    static void ApplyColumnBreak(MenuItem* item, MenuItem* menu);
    // The next build looks every icon up again instead of keeping those of
    // unchanged shortcuts.
    void ForgetIcons();

    // Appends the file's shell icon: its index, or -1 when it has none.
    int AppendShellIcon(const std::string& path);

    // The shortcut file an item stands for, rebuilt from the captions of its
    // enclosing folder items up to the root of the tree whose handler ran.
    std::string ShortcutPath(const std::string& programsDir, const MenuItem* item, bool formTree) const;
    // The folder that holds an item's shortcut ("\" at its end).
    std::string FolderOf(const std::string& programsDir, const MenuItem* item, bool formTree) const;
    // Opens the item's shortcut target, or says that the shortcut is gone.
    void Launch(HWND owner, const std::string& programsDir, const MenuItem* item, bool formTree) const;

private:
    const MenuItem::ClickHandler& ShortcutClick(bool formTree) const;
    MenuItem* AppendFolderItem(ShortcutBuild& build, const FolderEntry& folder, MenuItem* parent);
    void AppendFolderItems(ShortcutBuild& build, const std::vector<FolderEntry>& folders, MenuItem* parent);

    ImageList& images_;
    Trees trees_;
    // The folder reading and icons that the steps of one build share.
    std::shared_ptr<ShortcutBuild> build_;
    // The icons of the last build, for the next one.
    std::unique_ptr<ShellIconCache> icons_;
};
