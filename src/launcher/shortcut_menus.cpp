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

// Appends one shortcut item and its separator per shortcut, each with the
// image that the icon step would have given it.
template <class ImageOf>
void AppendShortcutItems(const std::vector<ShortcutEntry>& shortcuts, const ImageOf& imageOf, MenuItem* menu,
    const MenuItem::ClickHandler& handler)
{
    for (const ShortcutEntry& shortcut : shortcuts) {
        const int image = imageOf(shortcut);
        MenuItem* item = menu->Add(std::string(), shortcut.caption, image, handler);
        ShortcutMenus::ApplyColumnBreak(item, menu);
        menu->AddSeparator();
    }
}

// The images of a build, added to `images` as its trees ask for them.
auto ImagesOf(ShortcutBuild& build, ImageList& images)
{
    return [&build, &images](const ShortcutEntry& shortcut) { return build.AppendIcon(images, shortcut); };
}

bool IsSeparatorItem(const MenuItem* item) { return item->IsSeparator() && !item->OnClick && item->Count() == 0; }

// Whether `menu` holds exactly the entries a build makes for `folder`: an
// item for each shortcut, then one for each subfolder, each followed by a
// separator. Their positions, and so their column breaks, are then the same.
bool HoldsEntriesOf(const MenuItem* menu, const FolderEntry& folder)
{
    const std::size_t shortcuts = folder.shortcuts.size();
    const std::size_t entries = shortcuts + folder.folders.size();
    if (static_cast<std::size_t>(menu->Count()) != 2 * entries)
        return false;
    for (std::size_t i = 0; i < entries; ++i) {
        const MenuItem* item = menu->Item(static_cast<int>(2 * i));
        const bool shortcut = i < shortcuts;
        const std::string& caption = shortcut ? folder.shortcuts[i].caption : folder.folders[i - shortcuts].caption;
        if (item->Caption() != caption || static_cast<bool>(item->OnClick) != shortcut
            || (shortcut ? item->Count() != 0 : item->ImageIndex() != 0)
            || !IsSeparatorItem(menu->Item(static_cast<int>(2 * i + 1))))
            return false;
    }
    return true;
}

// The folder item a build of the tree below `root` creates last: the last
// folder of the last folder, and so on down.
MenuItem* LastFolderBelow(MenuItem* root)
{
    MenuItem* last = root;
    for (bool deeper = true; deeper;) {
        deeper = false;
        for (int i = last->Count() - 1; i >= 0; --i) {
            MenuItem* item = last->Item(i);
            if (!item->OnClick && !IsSeparatorItem(item)) {
                last = item;
                deeper = true;
                break;
            }
        }
    }
    return last;
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

struct ShortcutMenus::Kept {
    int base = 0; // the images before the trees'
    std::vector<IconRequest> icons; // the shortcuts with an image, in build order
};

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
    const int base = images_.Count();
    BuildingFormMenu = false;
    AddPopupShortcuts(programsDir);
    const std::shared_ptr<ShortcutBuild> build = build_;
    LastFolderItem = trees_.popupRoot;
    AddFolders(programsDir, trees_.popupRoot);
    BuildingFormMenu = true;
    AddFormShortcuts(programsDir);
    LastFolderItem = trees_.formRoot;
    AddFolders(programsDir, trees_.formRoot);

    // What a refresh starts from, when the images came out as laid out.
    auto kept = std::make_unique<Kept>();
    kept->base = base;
    kept->icons = build->ShortcutsWithIcons();
    if (images_.Count() == base + 2 * static_cast<int>(kept->icons.size()))
        kept_ = std::move(kept);
}

bool ShortcutMenus::Refresh(const std::string& programsDir)
{
    if (!kept_ || images_.Count() != kept_->base + 2 * static_cast<int>(kept_->icons.size()))
        return false;
    Win32FolderSource source;
    FolderEntry tree = ScanShortcutTree(source, programsDir);
    const std::vector<IconRequest> shortcuts = NumberedIconRequests(tree);
    const std::vector<int> cached = icons_->Lookup(shortcuts, images_.Width(), images_.Height());

    // Each shortcut's place among those with an image, in build order.
    Kept now;
    now.base = kept_->base;
    std::vector<int> rank(cached.size(), -1);
    std::vector<int> sources;
    for (std::size_t i = 0; i < cached.size(); ++i) {
        if (cached[i] < 0)
            continue;
        rank[i] = static_cast<int>(sources.size());
        sources.push_back(cached[i]);
        now.icons.push_back(shortcuts[i]);
    }
    if (!RefreshImages(sources, now)) {
        kept_.reset();
        return false;
    }
    *kept_ = std::move(now);

    const int count = static_cast<int>(sources.size());
    const int base = kept_->base;
    BuildingFormMenu = false;
    RefreshMenu(trees_.popupRoot, tree,
        [&](const ShortcutEntry& shortcut) { return rank[shortcut.order] < 0 ? -1 : base + rank[shortcut.order]; });
    BuildingFormMenu = true;
    RefreshMenu(trees_.formRoot, tree, [&](const ShortcutEntry& shortcut) {
        return rank[shortcut.order] < 0 ? -1 : base + count + rank[shortcut.order];
    });
    LastFolderItem = LastFolderBelow(trees_.formRoot);
    return true;
}

bool ShortcutMenus::RefreshImages(const std::vector<int>& sources, const Kept& now)
{
    // An image stays where the same shortcut file (same modification time)
    // had it; from the first that differs on, the list is laid out again.
    const std::vector<IconRequest>& was = kept_->icons;
    std::size_t same = 0;
    while (same < was.size() && same < now.icons.size() && now.icons[same].modified
        && was[same].path == now.icons[same].path && was[same].modified == now.icons[same].modified)
        ++same;
    if (same == was.size() && same == now.icons.size())
        return true;
    const int base = now.base;
    images_.Truncate(base + static_cast<int>(same));
    if (images_.Count() != base + static_cast<int>(same))
        return false;
    // The rest of the popup tree's images, then the menu bar's tree's (the
    // same again), copied from the cache's images in one strip.
    std::vector<int> strip(sources.begin() + static_cast<std::ptrdiff_t>(same), sources.end());
    strip.insert(strip.end(), sources.begin(), sources.end());
    return strip.empty() || images_.AppendCopiesOf(icons_->Images(), strip) == base + static_cast<int>(same);
}

void ShortcutMenus::RefreshMenu(MenuItem* menu, const FolderEntry& folder, const ImageOf& imageOf)
{
    if (!HoldsEntriesOf(menu, folder)) {
        menu->Clear();
        AppendShortcutItems(folder.shortcuts, imageOf, menu, ShortcutClick(BuildingFormMenu));
        AppendFolderItems(folder.folders, menu, imageOf);
        return;
    }
    const std::size_t shortcuts = folder.shortcuts.size();
    for (std::size_t i = 0; i < shortcuts; ++i)
        menu->Item(static_cast<int>(2 * i))->SetImageIndex(imageOf(folder.shortcuts[i]));
    for (std::size_t i = 0; i < folder.folders.size(); ++i)
        RefreshMenu(menu->Item(static_cast<int>(2 * (shortcuts + i))), folder.folders[i], imageOf);
}

void ShortcutMenus::AddPopupShortcuts(const std::string& programsDir)
{
    kept_.reset();
    // The first step of every build reads the whole folder and fetches all
    // icons, for this tree and the menu bar's.
    Win32FolderSource source;
    build_ = ReadFolder(ScanShortcutTree(source, programsDir), Step::PopupFolders, images_, icons_.get());
    AppendShortcutItems(build_->Tree().shortcuts, ImagesOf(*build_, images_), trees_.popupRoot, trees_.popupClick);
}

void ShortcutMenus::AddFormShortcuts(const std::string& programsDir)
{
    kept_.reset();
    if (!build_ || build_->Next() != Step::FormShortcuts || build_->Tree().path != programsDir) {
        // Called outside a build: this tree alone.
        Win32FolderSource source;
        build_ = ReadFolder(ScanShortcutTree(source, programsDir), Step::FormShortcuts, images_);
    } else {
        build_->BeginNextTree(images_);
    }
    build_->SetNext(Step::FormFolders);
    AppendShortcutItems(build_->Tree().shortcuts, ImagesOf(*build_, images_), trees_.formRoot, trees_.formClick);
}

void ShortcutMenus::AddFolders(const std::string& folder, MenuItem* parent)
{
    kept_.reset();
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
    AppendFolderItems(build->Tree().folders, parent, ImagesOf(*build, images_));
    if (build_ && build_->Next() == Step::Done)
        build_.reset();
}

MenuItem* ShortcutMenus::AddFolderItem(const std::string& folder, MenuItem* parent)
{
    kept_.reset();
    std::shared_ptr<ShortcutBuild> build = ReadOneFolder(folder, true, images_);
    return AppendFolderItem(build->Tree(), parent, ImagesOf(*build, images_));
}

MenuItem* ShortcutMenus::AppendFolderItem(const FolderEntry& folder, MenuItem* parent, const ImageOf& imageOf)
{
    MenuItem* item = parent->Add(std::string(), folder.caption, 0);
    LastFolderItem = item;
    ApplyColumnBreak(item, parent);
    parent->AddSeparator();
    AppendShortcutItems(folder.shortcuts, imageOf, item, ShortcutClick(BuildingFormMenu));
    return item;
}

void ShortcutMenus::AppendFolderItems(const std::vector<FolderEntry>& folders, MenuItem* parent, const ImageOf& imageOf)
{
    for (const FolderEntry& folder : folders) {
        MenuItem* item = AppendFolderItem(folder, parent, imageOf);
        AppendFolderItems(folder.folders, item, imageOf);
    }
}

void ShortcutMenus::AddFolderShortcuts(const std::string& folder, MenuItem* item)
{
    kept_.reset();
    std::shared_ptr<ShortcutBuild> build = ReadOneFolder(folder, false, images_);
    AppendShortcutItems(build->Tree().shortcuts, ImagesOf(*build, images_), item, ShortcutClick(BuildingFormMenu));
}

void ShortcutMenus::ApplyColumnBreak(MenuItem* item, MenuItem* menu)
{
    if (item && menu && StartsNewColumn(menu->Count()))
        item->SetBreak(MenuBreak::BarBreak);
}

void ShortcutMenus::ForgetIcons()
{
    icons_->Clear();
    kept_.reset();
}

int ShortcutMenus::AppendShellIcon(const std::string& path)
{
    kept_.reset();
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
