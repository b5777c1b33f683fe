// The "我的程序" shortcut trees of the tray popup and the menu bar: building
// them from the shortcut folder, and the paths and launching of their items.
//
// A build reads the folder and fetches every icon once, at its first step,
// and serves both trees from that reading; the steps keep their order and
// their effects on the image list and the last folder item. After a change
// in the folder, a refresh leaves both trees and the image list exactly as a
// build would, doing only what the change needs.
#pragma once
#include "framework/menu.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class ImageList;
class ShellIconCache;
class ShortcutBuild;
struct FolderEntry;
struct ShortcutEntry;

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
    // The trees and images as Rebuild would leave them, after a change in the
    // folder: only the menus whose own entries changed are made again, and
    // the images only from the first shortcut whose icon changed. False, with
    // nothing changed, unless the trees and images are still as the last
    // Rebuild or Refresh left them (then the caller builds them anew).
    bool Refresh(const std::string& programsDir);
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
    // unchanged shortcuts (and the next Refresh declines).
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
    // The image index of a shortcut item about to be added.
    using ImageOf = std::function<int(const ShortcutEntry& shortcut)>;
    // What the last Rebuild or Refresh left in the image list: the images
    // before the trees', then the popup tree's, then the same for the menu bar's.
    struct Kept;

    const MenuItem::ClickHandler& ShortcutClick(bool formTree) const;
    MenuItem* AppendFolderItem(const FolderEntry& folder, MenuItem* parent, const ImageOf& imageOf);
    void AppendFolderItems(const std::vector<FolderEntry>& folders, MenuItem* parent, const ImageOf& imageOf);
    // Lays out the image list for `icons` (the shortcuts with an image, in
    // build order; `sources` their images in the icon cache).
    bool RefreshImages(const std::vector<int>& sources, const Kept& now);
    // Makes `menu` hold `folder`'s entries: kept as they are when they are,
    // made anew otherwise.
    void RefreshMenu(MenuItem* menu, const FolderEntry& folder, const ImageOf& imageOf);

    ImageList& images_;
    Trees trees_;
    // The folder reading and icons that the steps of one build share.
    std::shared_ptr<ShortcutBuild> build_;
    // The icons of the last build, for the next one.
    std::unique_ptr<ShellIconCache> icons_;
    std::unique_ptr<Kept> kept_; // none: the next Refresh declines
};
