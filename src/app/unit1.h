// The main window TForm1 and the program-wide state of its unit.
//
// Handlers keep the names of the window design (pinyin of their captions);
// many double as procedures that start-up and other handlers call directly
// with no sender.
#pragma once
#include "framework/controls.h"
#include "framework/form.h"
#include "framework/image_list.h"
#include "framework/menu.h"
#include "launcher/hook_notification.h"

#include <windows.h>

#include <memory>
#include <string>

class TTrayIcon;
class TMouseHook;
class ShortcutBuild;
enum class TrayButton;
struct ShiftState;

// Program-wide state, filled by start-up and read by every subsystem.
extern std::string ProgramDir;      // current directory at start-up: base of every data path
extern std::string SoundDir;        // ProgramDir + "\音效", at most 255 characters
extern std::string SettingsPath;    // ProgramDir + "\set"
extern std::string MyProgramsDir;   // ProgramDir + "\我的程序"
extern std::string FavoritesDir, StartMenuDir, CommonStartMenuDir, SendToDir, MyDocumentsDir;
extern std::string WindowsDir;
extern std::string WinVersionName;  // "win7", "winXP", ...
extern std::string InstanceDesktop; // "Default" or "Desk2"
extern std::unique_ptr<ImageList> IconList;  // the design-time glyphs, for the reload
extern bool BuildingFormMenu;
extern bool TrayIconsHidden;
extern bool RightClickPending;
extern POINT HookClickPoint;
extern MenuItem* LastFolderItem;
extern bool MouseHookStarted;
extern void* SharedBlock;
extern HANDLE SharedBlockHandle;
extern HANDLE DeskInstanceProcess;
extern HANDLE CtfmonProcess;
extern std::string PeerMessageText;
extern std::string IconSourcePath;
extern int LastIconIndex;

// Texts of the application and its main window.
constexpr char kApplicationTitle[] = "博闲托盘区开始菜单2.1";
constexpr char kMainWindowClass[] = "TForm1";
constexpr char kDefaultDesktop[] = "Default";
constexpr char kSecondDesktop[] = "Desk2";

// Puts the program-wide state back to its state before start-up.
void ResetProgramState();

class TForm1 : public Form {
public:
    TForm1();
    ~TForm1() override;

    // Components of the design.
    std::unique_ptr<Panel> Panel1;
    std::unique_ptr<Picture> Image1;
    MainMenu MainMenu1;
    PopupMenu PopupMenu1;
    ImageList ImageList1;
    std::unique_ptr<TTrayIcon> TrayIcon1;

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
    void liecukeyiexelnkzi(const std::string& folder, MenuItem* parent);
    MenuItem* AddFolderItem(const std::string& folder, MenuItem* parent);
    void AddFolderShortcuts(const std::string& folder, MenuItem* item);
    void ApplyColumnBreak(MenuItem* item, MenuItem* menu);
    void huodekuaijietubiaoClick(MenuItem* sender);
    void menu_cenxvkuaijieClick(MenuItem* sender);
    void formmenu_cenxvkuaijieClick(MenuItem* sender);
    void congzaiwodecenxvClick(MenuItem* sender);
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

    // Help and links: every item of the help and links menus.
    void HelpItemClick(MenuItem* sender);

    // Skin.
    void huanpifuClick(MenuItem* sender);

    HICON FormIcon() const { return icon_; }

protected:
    void DoCreate() override { FormCreate(nullptr); }
    void DoShow() override { FormShow(nullptr); }
    void DoResize() override { FormResize(nullptr); }
    void DoClose(CloseAction& action) override { FormClose(nullptr, action); }
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void BuildMainMenu();
    void BuildPopupMenu();
    using Handler = void (TForm1::*)(MenuItem*);
    MenuItem* AddItem(MenuItem* parent, const char* name, const char* caption, int image = -1,
                      Handler handler = nullptr);
    void SetFormIcon(HICON icon);

    HICON icon_ = nullptr;      // design-time icon (a resource, never destroyed)
    HICON desk2Icon_ = nullptr; // loaded from file by the second instance
    HANDLE mutex_ = nullptr;    // "DeskSwitch", open until the process ends
    // The folder reading and icons that the steps of one build share.
    std::shared_ptr<ShortcutBuild> shortcutBuild_;

public:
    // Hotkey identifiers, written when registered, read when unregistered.
    int HideHotKeyId = 0;
    int SwitchHotKeyId = 0;
    int SwitchCtrlHotKeyId = 0;
};

extern TForm1* Form1;
