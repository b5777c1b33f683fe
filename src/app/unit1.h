// The main window TForm1 and the program-wide state of its unit.
//
// Handlers keep the names of the window design (pinyin of their captions);
// many double as procedures that start-up and other handlers call directly
// with no sender.
#pragma once
#include "desktops/desktop_launcher.h"
#include "framework/controls.h"
#include "framework/form.h"
#include "framework/image_list.h"
#include "framework/menu.h"
#include "framework/scoped.h"
#include "framework/screen_dpi.h"
#include "help/help_links.h"
#include "hotkeys/hotkeys.h"
#include "hotkeys/tray_hider.h"
#include "launcher/hook_notification.h"
#include "shellcmds/shell_commands.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TTrayIcon;
class TSkinEngine;
class ShortcutMenus;
class LiveTree;
class TMouseHook;
enum class TrayButton;
struct ShiftState;

// Texts of the application and its main window.
constexpr char kApplicationTitle[] = "博闲托盘区开始菜单2.1";
constexpr char kMainWindowClass[] = "TForm1";
constexpr char kDefaultDesktop[] = "Default";
constexpr char kSecondDesktop[] = "Desk2";

class TForm1 : public Form {
public:
    TForm1();
    ~TForm1() override;

    // Program-wide state, filled by start-up and read by the handlers; the
    // main window is its one owner.
    std::string ProgramDir; // current directory at start-up: base of every data path
    std::string SoundDir; // ProgramDir + "\音效", at most 255 characters
    std::string SettingsPath; // ProgramDir + "\set"
    std::string MyProgramsDir; // ProgramDir + "\我的程序"
    std::string FavoritesDir, StartMenuDir, CommonStartMenuDir, SendToDir, MyDocumentsDir;
    std::string WindowsDir;
    std::string WinVersionName; // "win7", "winXP", ...
    std::string InstanceDesktop; // "Default" or "Desk2"
    std::unique_ptr<ImageList> IconList; // the design-time glyphs, for the reload
    bool TrayIconsHidden = false;
    bool RightClickPending = false;
    POINT HookClickPoint {};
    bool MouseHookStarted = false;
    MappedView SharedBlock;
    KernelHandle SharedBlockHandle;
    std::string PeerMessageText;

    // Components of the design.
    std::unique_ptr<Panel> Panel1;
    std::unique_ptr<Picture> Image1;
    MainMenu MainMenu1;
    PopupMenu PopupMenu1;
    ImageList ImageList1 {ScreenSmallIconSize(), ScreenSmallIconSize()};
    std::unique_ptr<TTrayIcon> TrayIcon1;
    // The two "我的程序" trees and the state of their building steps.
    std::unique_ptr<ShortcutMenus> ShortcutMenus1;
    // Rebuilds the trees after changes in the folder (started by FormCreate).
    std::unique_ptr<LiveTree> LiveTree1;

    // ---- Help and links: documents, web pages, the feedback tool ----------
    HelpLinks HelpLinks1 {Handle()};
    // ------------------------------------------------------------------------
    // Skin: the engine component, switched off until start-up's last step.
    std::unique_ptr<TSkinEngine> SkinEngine1;

    // The system-wide mouse hook: tells a right click on a tray-tree
    // shortcut from a left one (started on "Default" only).
    std::unique_ptr<TMouseHook> MouseHook1;

    // Menu items that code refers to (all items can also be found by name).
    MenuItem* wenjian = nullptr;
    MenuItem* baocun = nullptr;
    MenuItem* diaoru = nullptr;
    MenuItem* formmenu_wodecenxv = nullptr;
    MenuItem* N6 = nullptr;
    MenuItem* xuanxiang = nullptr;
    MenuItem* rejianyincang = nullptr;
    MenuItem* qidongyincang = nullptr;
    MenuItem* yongrejianqiehuanzuomian = nullptr;
    MenuItem* N12 = nullptr;
    MenuItem* youqinlianjie = nullptr;
    MenuItem* sijian = nullptr;
    MenuItem* menu_cenxvkuaijie = nullptr;
    MenuItem* morenzuomian = nullptr;
    MenuItem* zuomian2 = nullptr;

    // Application core.
    void FormCreate(MenuItem* sender);
    void FormShow(MenuItem* sender);
    void FormResize(MenuItem* sender);
    void FormClose(MenuItem* sender, CloseAction& action);
    // Moved to a monitor of another DPI: glyphs, shortcut icons, the tray
    // icon, menu item heights and the skin's fonts are made again for it.
    void FormDpiChanged(WPARAM noticeWParam);
    void N5Click(MenuItem* sender);
    void houculiClick(MenuItem* sender);
    void xitongtesuClick(MenuItem* sender);
    void cuangtisuofangClick(MenuItem* sender);
    std::string GetSpecialFolderPath(int csidl);
    std::string GetWinVersionName();
    void baocunClick(MenuItem* sender);
    void diaoruClick(MenuItem* sender);
    void xianglinyigefasongxiaoxiClick(MenuItem* sender);
    // Start-up step: brings SysHookDLL.dll back from copy_Key.dll when it is missing.
    void RestoreHookLibrary();

    // Tray icon.
    void TrayIcon1Click(TTrayIcon* sender, TrayButton button, ShiftState shift, int x, int y);

    // Launcher menus.
    void cenxvkuaijiedongtaiClick(MenuItem* sender);
    void formmenuwodecenxvdongtaiClick(MenuItem* sender);
    void menu_cenxvkuaijieClick(MenuItem* sender);
    void formmenu_cenxvkuaijieClick(MenuItem* sender);
    void congzaiwodecenxvClick(MenuItem* sender);
    // Both trees as the folder is now: the reload without its sound (built
    // anew only when the icons were forgotten, else brought up to date).
    void RebuildShortcutTrees();
    void StartLiveTree();
    // Letters typed in the trees' open menus choose entries (on while the window lives).
    void TypeAheadInTrees(bool on);
    void popup_congzaiwodecenxvClick(MenuItem* sender);
    void dakaiwodecenxvwenjianjiaClick(MenuItem* sender);
    void N10Click(MenuItem* sender);
    void PopupMenu1Popup(PopupMenu* sender);
    void sijianClick(MenuItem* sender);
    void StartMouseHook();
    void StopMouseHook();
    void MouseHook1MouseClick(TMouseHook* sender, std::uint32_t sourceWindow, int x, int y, HookMouseButton button,
        TMouseButtonMovement movement);

    // Hotkeys and tray-icon hiding.
    void rejianyincangClick(MenuItem* sender);
    void yongrejianqiehuanzuomianClick(MenuItem* sender);
    void HotKeyMessage(WPARAM wParam, LPARAM lParam, LRESULT& result);
    void kaisiyincangClick(MenuItem* sender);
    void huifuClick(MenuItem* sender);
    // Start-up step: shows what a run that ended without restoring left hidden.
    void RestoreLeftHidden();
    // The shell's "TaskbarCreated": its new notification area shows every icon.
    void TaskbarRecreated();
    // Which ids the hiding passes hid, kept beside "set" until they are shown
    // again (ProgramDir + "\hidden-" + this desktop's name; empty before start-up).
    std::string TrayHideRecordPath;

    // ---- Tray-icon hiding: the component and its lookup ----
    TrayHider TrayHider1;
    // The shell's notification toolbar on this desktop, or null.
    HWND FindTrayToolbar();
    // Settles TrayButtonIndex() on the first button with `text`, counted from the end; -1 if none.
    void LocateTrayButton(const std::string& text);
    // The button the last pass or lookup settled on; -1 before any.
    int TrayButtonIndex() const { return TrayHider1.TrayButtonIndex(); }
    // ---- end of tray-icon hiding ----

    // Second desktop.
    void LaunchOnDesktop(const std::string& desktopName);
    void morenzuomianClick(MenuItem* sender);
    void zuomian2Click(MenuItem* sender);

    // Shell commands.
    void dakaibencenxvqidongwenjianjiaClick(MenuItem* sender);
    void wodewendangClick(MenuItem* sender);
    void N25Click(MenuItem* sender);
    void N45Click(MenuItem* sender);
    void N47Click(MenuItem* sender);
    void N49Click(MenuItem* sender);
    void wodediannaoClick(MenuItem* sender);
    void N63Click(MenuItem* sender);
    void N65Click(MenuItem* sender);
    void N50Click(MenuItem* sender);
    void N59Click(MenuItem* sender);
    void N54Click(MenuItem* sender);
    void N56Click(MenuItem* sender);
    void N58Click(MenuItem* sender);
    void N67Click(MenuItem* sender);

    // Help and links.
    void N13Click(MenuItem* sender);
    void N85Click(MenuItem* sender);
    void N2Click(MenuItem* sender);
    void N15Click(MenuItem* sender);
    void N17Click(MenuItem* sender);
    void N19Click(MenuItem* sender);
    void N75Click(MenuItem* sender);
    void N1001Click(MenuItem* sender);
    void N82Click(MenuItem* sender);
    void N84Click(MenuItem* sender);
    void N26Click(MenuItem* sender);
    void N21Click(MenuItem* sender);
    void N37Click(MenuItem* sender);
    void mr1Click(MenuItem* sender);
    void mr2Click(MenuItem* sender);
    void mr3Click(MenuItem* sender);
    void mr4Click(MenuItem* sender);
    void mr5Click(MenuItem* sender);
    void mr6Click(MenuItem* sender);
    void mr7Click(MenuItem* sender);
    void mr8Click(MenuItem* sender);
    void mr9Click(MenuItem* sender);
    void mr10Click(MenuItem* sender);
    void my2Click(MenuItem* sender);
    void my3Click(MenuItem* sender);
    void my4Click(MenuItem* sender);
    void my5Click(MenuItem* sender);
    void my10Click(MenuItem* sender);
    void my6Click(MenuItem* sender);
    void my7Click(MenuItem* sender);
    void my8Click(MenuItem* sender);
    void my9Click(MenuItem* sender);

    // Skin.
    void huanpifuClick(MenuItem* sender);
    void CreateSkinEngine();

    HICON FormIcon() const { return icon_; }

    // The menus as designed: one row per item in order, `depth` 0 directly in
    // the menu, each deeper row inside the last row one level up.
    using Handler = void (TForm1::*)(MenuItem*);
    struct MenuRow {
        int depth;
        const char* name;
        const char* caption; // "-" for a separator
        int glyph; // index in ImageList1, or -1
        Handler handler; // nullptr: a separator, a submenu or a run-time tree's root
    };
    static std::vector<MenuRow> MainMenuDesign();
    static std::vector<MenuRow> PopupMenuDesign();

    // ---- Shell commands component ------------------------------------------
    // Holds Shell1, the shell's automation object, from the first Run until
    // the window goes away.
    ShellCommands ShellCommands1;

protected:
    void DoCreate() override { FormCreate(nullptr); }
    void DoShow() override { FormShow(nullptr); }
    void DoResize() override { FormResize(nullptr); }
    void DoClose(CloseAction& action) override { FormClose(nullptr, action); }
    void DoDpiChanged(WPARAM wParam) override { FormDpiChanged(wParam); }
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void BuildMainMenu();
    void BuildPopupMenu();
    void BuildMenu(MenuItem& root, const std::vector<MenuRow>& rows);
    void SetFormIcon(HICON icon);
    // ImageList1's design glyphs at the list's size (appended to it).
    void LoadGlyphs();
    void LoadTrayIcon(int size);

    HICON icon_ = nullptr; // design-time icon (a resource, never destroyed)
    IconHandle desk2Icon_; // loaded from file by the second instance
    IconHandle trayIcon_; // the design-time icon at the tray's size
    KernelHandle mutex_; // "DeskSwitch", open until the process ends

public:
    // ---- Second desktop and global hotkeys --------------------------------
    // The processes this instance started on "Desk2" (DeskInstanceProcess,
    // CtfmonProcess), ended at shut-down.
    DesktopLauncher DeskLauncher;
    // Alt+L, F11 and Ctrl+F11 with their identifiers.
    GlobalHotKeys HotKeys;
};

extern TForm1* Form1;
