// The "我的程序" shortcut trees of the tray popup and the menu bar: building
// them from the shortcut folder, launching a chosen shortcut, reload, and
// opening the folder.
//
// A build reads the folder and fetches every icon once, at its first step,
// and serves both trees from that reading; the steps keep their order and
// their effects on ImageList1, LastFolderItem, IconSourcePath and
// LastIconIndex.
#include "app/unit1.h"

#include "framework/application.h"
#include "framework/files.h"
#include "framework/os.h"
#include "launcher/shell_icons.h"
#include "launcher/shell_link.h"
#include "launcher/shortcut_build.h"
#include "launcher/shortcut_scan.h"
#include "launcher/win32_folder_source.h"
#include "launcher/popup_menu_prep.h"
#include "launcher/sys_hook_comp.h"
#include "desktops/desktops.h"

namespace {
const char kPopupRoot[] = "menu_cenxvkuaijie";
const char kFormRoot[] = "formmenu_wodecenxv";
const char kShortcutExtension[] = ".lnk";
const char kFileMissing[] = "文件不存在  ";
const char kReloadSound[] = "重载我的程序.wav";
const char kMyProgramsFolder[] = "我的程序";
const char kExplorer[] = "Explorer.exe";
const char kExplorerNewWindow[] = "/n,";
const char kOpen[] = "open";
const char kMouseHookFailed[] = "鼠标钩子启动失败，请重新启动程序";

using Step = ShortcutBuild::Step;

// The captions of the folder items that enclose `item`, outermost first, up
// to the tree's root (or the top of the menu when the item is in no tree).
std::vector<std::string> EnclosingCaptions(const MenuItem* item, const char* rootName)
{
    std::vector<std::string> captions;
    for (const MenuItem* parent = item->Parent(); parent && parent->Parent() && parent->Name() != rootName;
         parent = parent->Parent())
        captions.insert(captions.begin(), parent->Caption());
    return captions;
}

std::string RelativeFolder(const MenuItem* item, const char* rootName)
{
    std::string folder;
    for (const std::string& caption : EnclosingCaptions(item, rootName))
        folder += caption + "\\";
    return folder;
}

std::string ShortcutPath(const MenuItem* item, const char* rootName)
{
    return MyProgramsDir + "\\" + RelativeFolder(item, rootName) + item->Caption() + kShortcutExtension;
}

bool SameScreenPoint(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
}

// ---- Building -------------------------------------------------------------

namespace {
// Appends one shortcut item and its separator; the icon step's globals get
// what huodekuaijietubiaoClick would have left in them.
void AppendShortcutItem(TForm1& form, ShortcutBuild& build, const ShortcutEntry& shortcut, MenuItem* menu,
                        const MenuItem::ClickHandler& handler)
{
    IconSourcePath = shortcut.path;
    LastIconIndex = build.AppendIcon(form.ImageList1, shortcut);
    MenuItem* item = menu->Add(std::string(), shortcut.caption, LastIconIndex, handler);
    form.ApplyColumnBreak(item, menu);
    menu->AddSeparator();
}

MenuItem::ClickHandler PopupHandler(TForm1& form)
{
    return [&form](MenuItem* sender) { form.menu_cenxvkuaijieClick(sender); };
}

MenuItem::ClickHandler FormHandler(TForm1& form)
{
    return [&form](MenuItem* sender) { form.formmenu_cenxvkuaijieClick(sender); };
}

// The handler of shortcut items below the first level follows the tree
// being built.
MenuItem::ClickHandler NestedHandler(TForm1& form)
{
    return BuildingFormMenu ? FormHandler(form) : PopupHandler(form);
}

void AppendShortcutItems(TForm1& form, ShortcutBuild& build, const std::vector<ShortcutEntry>& shortcuts,
                         MenuItem* menu, const MenuItem::ClickHandler& handler)
{
    for (const ShortcutEntry& shortcut : shortcuts)
        AppendShortcutItem(form, build, shortcut, menu, handler);
}

MenuItem* AppendFolderItem(TForm1& form, ShortcutBuild& build, const FolderEntry& folder, MenuItem* parent)
{
    MenuItem* item = parent->Add(std::string(), folder.caption, 0);
    LastFolderItem = item;
    form.ApplyColumnBreak(item, parent);
    parent->AddSeparator();
    AppendShortcutItems(form, build, folder.shortcuts, item, NestedHandler(form));
    return item;
}

void AppendFolderItems(TForm1& form, ShortcutBuild& build, const std::vector<FolderEntry>& folders,
                       MenuItem* parent)
{
    for (const FolderEntry& folder : folders) {
        MenuItem* item = AppendFolderItem(form, build, folder, parent);
        AppendFolderItems(form, build, folder.folders, item);
    }
}

std::shared_ptr<ShortcutBuild> ReadFolder(FolderEntry tree, Step next, ImageList& images)
{
    auto build = std::make_shared<ShortcutBuild>(std::move(tree), next);
    build->BeginFirstTree(images);
    return build;
}
}

void TForm1::cenxvkuaijiedongtaiClick(MenuItem*)
{
    // The first step of every build reads the whole folder and fetches all
    // icons, for this tree and the menu bar's.
    Win32FolderSource source;
    shortcutBuild_ = ReadFolder(ScanShortcutTree(source, MyProgramsDir), Step::PopupFolders, ImageList1);
    AppendShortcutItems(*this, *shortcutBuild_, shortcutBuild_->Tree().shortcuts, menu_cenxvkuaijie,
                        PopupHandler(*this));
}

void TForm1::formmenuwodecenxvdongtaiClick(MenuItem*)
{
    if (!shortcutBuild_ || shortcutBuild_->Next() != Step::FormShortcuts ||
        shortcutBuild_->Tree().path != MyProgramsDir) {
        // Called outside a build: this tree alone.
        Win32FolderSource source;
        shortcutBuild_ = ReadFolder(ScanShortcutTree(source, MyProgramsDir), Step::FormShortcuts, ImageList1);
    } else {
        shortcutBuild_->BeginNextTree(ImageList1);
    }
    shortcutBuild_->SetNext(Step::FormFolders);
    AppendShortcutItems(*this, *shortcutBuild_, shortcutBuild_->Tree().shortcuts, formmenu_wodecenxv,
                        FormHandler(*this));
}

void TForm1::liecukeyiexelnkzi(const std::string& folder, MenuItem* parent)
{
    const Step step = parent == menu_cenxvkuaijie   ? Step::PopupFolders
                      : parent == formmenu_wodecenxv ? Step::FormFolders
                                                     : Step::Done;
    std::shared_ptr<ShortcutBuild> build = shortcutBuild_;
    if (step == Step::Done || !build || build->Next() != step || build->Tree().path != folder) {
        Win32FolderSource source;
        build = ReadFolder(ScanFolderTree(source, folder), Step::Done, ImageList1);
    } else {
        build->SetNext(step == Step::PopupFolders ? Step::FormShortcuts : Step::Done);
    }
    AppendFolderItems(*this, *build, build->Tree().folders, parent);
    if (shortcutBuild_ && shortcutBuild_->Next() == Step::Done)
        shortcutBuild_.reset();
}

MenuItem* TForm1::AddFolderItem(const std::string& folder, MenuItem* parent)
{
    Win32FolderSource source;
    FolderEntry entry;
    entry.path = folder;
    entry.caption = FolderCaption(folder, source.LeadBytes());
    entry.shortcuts = ScanShortcuts(source, folder);
    std::shared_ptr<ShortcutBuild> build = ReadFolder(std::move(entry), Step::Done, ImageList1);
    return AppendFolderItem(*this, *build, build->Tree(), parent);
}

void TForm1::AddFolderShortcuts(const std::string& folder, MenuItem* item)
{
    Win32FolderSource source;
    FolderEntry entry;
    entry.path = folder;
    entry.shortcuts = ScanShortcuts(source, folder);
    std::shared_ptr<ShortcutBuild> build = ReadFolder(std::move(entry), Step::Done, ImageList1);
    AppendShortcutItems(*this, *build, build->Tree().shortcuts, item, NestedHandler(*this));
}

void TForm1::ApplyColumnBreak(MenuItem* item, MenuItem* menu)
{
    if (item && menu && StartsNewColumn(menu->Count()))
        item->SetBreak(MenuBreak::BarBreak);
}

void TForm1::huodekuaijietubiaoClick(MenuItem*)
{
    HICON icon = FetchShellIcon(IconSourcePath);
    LastIconIndex = icon ? ImageList1.AppendIcon(icon) : -1;
    if (icon)
        ReleaseShellIcon(icon);
}

// ---- Launching ------------------------------------------------------------

namespace {
void LaunchShortcut(HWND owner, const MenuItem* item, const char* rootName)
{
    const std::string shortcut = ShortcutPath(item, rootName);
    const std::string target = ResolveLinkTarget(shortcut);
    // Only the target path is used: the shortcut's arguments, working folder
    // and show command are not passed on.
    if (FileExists(shortcut))
        Os().ShellExecuteFile(owner, kOpen, target, std::string(), SW_SHOWNORMAL);
    else
        Application::Instance().ShowMessage(kFileMissing + shortcut);
}
}

void TForm1::menu_cenxvkuaijieClick(MenuItem* sender)
{
    if (!sender)
        return;
    if (RightClickPending) {
        // The mouse hook saw a right button somewhere; it was on this item if
        // the cursor has not moved since.
        RightClickPending = false;
        POINT cursor{};
        if (::GetCursorPos(&cursor) && SameScreenPoint(cursor, HookClickPoint)) {
            const std::string folder = MyProgramsDir + "\\" + RelativeFolder(sender, kPopupRoot);
            if (DirectoryExists(folder))
                Os().ShellExecuteFile(Handle(), kOpen, kExplorer, kExplorerNewWindow + folder, SW_SHOWMAXIMIZED);
            return;
        }
    }
    LaunchShortcut(Handle(), sender, kPopupRoot);
}

void TForm1::formmenu_cenxvkuaijieClick(MenuItem* sender)
{
    if (sender)
        LaunchShortcut(Handle(), sender, kFormRoot);
}

// ---- Reload and folder commands --------------------------------------------

void TForm1::congzaiwodecenxvClick(MenuItem*)
{
    ImageList1.Clear();
    if (IconList)
        ImageList1.Assign(*IconList);

    menu_cenxvkuaijie->Clear();
    BuildingFormMenu = false;
    cenxvkuaijiedongtaiClick(nullptr);
    LastFolderItem = menu_cenxvkuaijie;
    liecukeyiexelnkzi(MyProgramsDir, menu_cenxvkuaijie);

    formmenu_wodecenxv->Clear();
    BuildingFormMenu = true;
    formmenuwodecenxvdongtaiClick(nullptr);
    LastFolderItem = formmenu_wodecenxv;
    liecukeyiexelnkzi(MyProgramsDir, formmenu_wodecenxv);

    const std::string sound = SoundDir + "\\" + kReloadSound;
    if (FileExists(sound))
        Os().PlaySoundAsync(sound);
}

void TForm1::popup_congzaiwodecenxvClick(MenuItem*) { congzaiwodecenxvClick(nullptr); }

void TForm1::dakaiwodecenxvwenjianjiaClick(MenuItem*)
{
    // Not tested for existence first: Explorer says so itself.
    Os().ShellExecuteFile(Handle(), kOpen, kExplorer, kExplorerNewWindow + ProgramDir + "\\" + kMyProgramsFolder,
                          SW_SHOWMAXIMIZED);
}

void TForm1::N10Click(MenuItem*) { dakaiwodecenxvwenjianjiaClick(nullptr); }

// ---- Mouse hook ---------------------------------------------------------------

void TForm1::StartMouseHook()
{
    // The hook's own reason is not shown; the user is only told to restart.
    std::string error;
    MouseHook1->ActivateHook(error);
    if (!MouseHook1->HookActive()) {
        MouseHook1->DeactivateHook();
        MouseHookStarted = false;
        Application::Instance().ShowMessage(kMouseHookFailed);
    }
}

void TForm1::StopMouseHook() { MouseHook1->DeactivateHook(); }

void TForm1::MouseHook1MouseClick(TMouseHook*, std::uint32_t, int, int, HookMouseButton button,
                                  TMouseButtonMovement)
{
    // Where the cursor is now, not where the event was: the tray tree's click
    // handler compares it with the cursor when the menu command arrives.
    if (button == HookMouseButton::Right) {
        RightClickPending = true;
        ::GetCursorPos(&HookClickPoint);
    }
}

// ---- Tray popup ------------------------------------------------------------

void TForm1::PopupMenu1Popup(PopupMenu*)
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    sijian->SetCaption(SijianCaption(now, LOCALE_USER_DEFAULT));
    const bool onDefault = TheDesktop().CurrentDesktopName() == kDefaultDesktop;
    morenzuomian->SetChecked(onDefault);
    zuomian2->SetChecked(!onDefault);
}

// Choosing the date-and-time item only closes the popup.
void TForm1::sijianClick(MenuItem*) {}
