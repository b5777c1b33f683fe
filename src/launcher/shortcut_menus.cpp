#include "launcher/shortcut_menus.h"

#include "framework/application.h"
#include "framework/files.h"
#include "framework/image_list.h"
#include "launcher/shell_icon_cache.h"
#include "launcher/shell_icons.h"
#include "launcher/shortcut_build.h"
#include "launcher/shortcut_launch.h"
#include "launcher/shortcut_scan.h"
#include "launcher/win32_folder_source.h"

#include <vector>

namespace {
const char kShortcutExtension[] = ".lnk";
const char kFileMissing[] = "文件不存在  ";

using Step = ShortcutBuild::Step;

// The captions of the folder items that enclose `item`, outermost first, up
// to the tree's root (or the top of the menu when the item is in no tree).
std::vector<std::string> EnclosingCaptions(const MenuItem* item, const std::string& rootName)
{
    std::vector<std::string> captions;
    for (const MenuItem* parent = item->Parent(); parent && parent->Parent() && parent->Name() != rootName;
         parent = parent->Parent())
        captions.insert(captions.begin(), parent->Caption());
    return captions;
}

std::string RelativeFolder(const MenuItem* item, const std::string& rootName)
{
    std::string folder;
    for (const std::string& caption : EnclosingCaptions(item, rootName))
        folder += caption + "\\";
    return folder;
}

// Appends one shortcut item and its separator, with the image that the icon
// step would have given it.
void AppendShortcutItem(ImageList& images, ShortcutBuild& build, const ShortcutEntry& shortcut, MenuItem* menu,
    const MenuItem::ClickHandler& handler)
{
    const int image = build.AppendIcon(images, shortcut);
    MenuItem* item = menu->Add(std::string(), shortcut.caption, image, handler);
    ShortcutMenus::ApplyColumnBreak(item, menu);
    menu->AddSeparator();
}

void AppendShortcutItems(ImageList& images, ShortcutBuild& build, const std::vector<ShortcutEntry>& shortcuts,
    MenuItem* menu, const MenuItem::ClickHandler& handler)
{
    for (const ShortcutEntry& shortcut : shortcuts)
        AppendShortcutItem(images, build, shortcut, menu, handler);
}

std::shared_ptr<ShortcutBuild> ReadFolder(
    FolderEntry tree, Step next, ImageList& images, ShellIconCache* cache = nullptr)
{
    auto build = cache ? std::make_shared<ShortcutBuild>(std::move(tree), next, *cache, images)
                       : std::make_shared<ShortcutBuild>(std::move(tree), next);
    build->BeginFirstTree(images);
    return build;
}

// One folder's own shortcuts, and its caption when asked, as a build of its own.
std::shared_ptr<ShortcutBuild> ReadOneFolder(const std::string& folder, bool withCaption, ImageList& images)
{
    Win32FolderSource source;
    FolderEntry entry;
    entry.path = folder;
    if (withCaption)
        entry.caption = FolderCaption(folder, source.LeadBytes());
    entry.shortcuts = ScanShortcuts(source, folder);
    return ReadFolder(std::move(entry), Step::Done, images);
}
} // namespace

ShortcutMenus::ShortcutMenus(ImageList& images, Trees trees)
    : images_(images)
    , trees_(std::move(trees))
    , icons_(std::make_unique<ShellIconCache>())
{
}

ShortcutMenus::~ShortcutMenus() = default;

const MenuItem::ClickHandler& ShortcutMenus::ShortcutClick(bool formTree) const
{
    return formTree ? trees_.formClick : trees_.popupClick;
}

void ShortcutMenus::Rebuild(const std::string& programsDir)
{
    trees_.popupRoot->Clear();
    trees_.formRoot->Clear();
    BuildingFormMenu = false;
    AddPopupShortcuts(programsDir);
    LastFolderItem = trees_.popupRoot;
    AddFolders(programsDir, trees_.popupRoot);
    BuildingFormMenu = true;
    AddFormShortcuts(programsDir);
    LastFolderItem = trees_.formRoot;
    AddFolders(programsDir, trees_.formRoot);
}

void ShortcutMenus::AddPopupShortcuts(const std::string& programsDir)
{
    // The first step of every build reads the whole folder and fetches all
    // icons, for this tree and the menu bar's.
    Win32FolderSource source;
    build_ = ReadFolder(ScanShortcutTree(source, programsDir), Step::PopupFolders, images_, icons_.get());
    AppendShortcutItems(images_, *build_, build_->Tree().shortcuts, trees_.popupRoot, trees_.popupClick);
}

void ShortcutMenus::AddFormShortcuts(const std::string& programsDir)
{
    if (!build_ || build_->Next() != Step::FormShortcuts || build_->Tree().path != programsDir) {
        // Called outside a build: this tree alone.
        Win32FolderSource source;
        build_ = ReadFolder(ScanShortcutTree(source, programsDir), Step::FormShortcuts, images_);
    } else {
        build_->BeginNextTree(images_);
    }
    build_->SetNext(Step::FormFolders);
    AppendShortcutItems(images_, *build_, build_->Tree().shortcuts, trees_.formRoot, trees_.formClick);
}

void ShortcutMenus::AddFolders(const std::string& folder, MenuItem* parent)
{
    const Step step = parent == trees_.popupRoot ? Step::PopupFolders
        : parent == trees_.formRoot              ? Step::FormFolders
                                                 : Step::Done;
    std::shared_ptr<ShortcutBuild> build = build_;
    if (step == Step::Done || !build || build->Next() != step || build->Tree().path != folder) {
        Win32FolderSource source;
        build = ReadFolder(ScanFolderTree(source, folder), Step::Done, images_);
    } else {
        build->SetNext(step == Step::PopupFolders ? Step::FormShortcuts : Step::Done);
    }
    AppendFolderItems(*build, build->Tree().folders, parent);
    if (build_ && build_->Next() == Step::Done)
        build_.reset();
}

MenuItem* ShortcutMenus::AddFolderItem(const std::string& folder, MenuItem* parent)
{
    std::shared_ptr<ShortcutBuild> build = ReadOneFolder(folder, true, images_);
    return AppendFolderItem(*build, build->Tree(), parent);
}

MenuItem* ShortcutMenus::AppendFolderItem(ShortcutBuild& build, const FolderEntry& folder, MenuItem* parent)
{
    MenuItem* item = parent->Add(std::string(), folder.caption, 0);
    LastFolderItem = item;
    ApplyColumnBreak(item, parent);
    parent->AddSeparator();
    AppendShortcutItems(images_, build, folder.shortcuts, item, ShortcutClick(BuildingFormMenu));
    return item;
}

void ShortcutMenus::AppendFolderItems(ShortcutBuild& build, const std::vector<FolderEntry>& folders, MenuItem* parent)
{
    for (const FolderEntry& folder : folders) {
        MenuItem* item = AppendFolderItem(build, folder, parent);
        AppendFolderItems(build, folder.folders, item);
    }
}

void ShortcutMenus::AddFolderShortcuts(const std::string& folder, MenuItem* item)
{
    std::shared_ptr<ShortcutBuild> build = ReadOneFolder(folder, false, images_);
    AppendShortcutItems(images_, *build, build->Tree().shortcuts, item, ShortcutClick(BuildingFormMenu));
}

void ShortcutMenus::ApplyColumnBreak(MenuItem* item, MenuItem* menu)
{
    if (item && menu && StartsNewColumn(menu->Count()))
        item->SetBreak(MenuBreak::BarBreak);
}

void ShortcutMenus::ForgetIcons() { icons_->Clear(); }

int ShortcutMenus::AppendShellIcon(const std::string& path)
{
    HICON icon = FetchShellIcon(path);
    const int index = icon ? images_.AppendIcon(icon) : -1;
    if (icon)
        ReleaseShellIcon(icon);
    return index;
}

std::string ShortcutMenus::FolderOf(const std::string& programsDir, const MenuItem* item, bool formTree) const
{
    const MenuItem* root = formTree ? trees_.formRoot : trees_.popupRoot;
    return programsDir + "\\" + RelativeFolder(item, root->Name());
}

std::string ShortcutMenus::ShortcutPath(const std::string& programsDir, const MenuItem* item, bool formTree) const
{
    return FolderOf(programsDir, item, formTree) + item->Caption() + kShortcutExtension;
}

void ShortcutMenus::Launch(HWND owner, const std::string& programsDir, const MenuItem* item, bool formTree) const
{
    const std::string shortcut = ShortcutPath(programsDir, item, formTree);
    if (FileExists(shortcut))
        StartShortcut(owner, shortcut);
    else
        Application::Instance().ShowMessage(kFileMissing + shortcut);
}
