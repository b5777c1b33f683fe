#include "app/unit1.h"

#include "app/hook_restore.h"
#include "app/map_file.h"
#include "app/settings_file.h"
#include "app/version_name.h"
#include "desktops/desktops.h"
#include "framework/application.h"
#include "framework/dpi.h"
#include "framework/dpi_scale.h"
#include "framework/errors.h"
#include "framework/files.h"
#include "framework/os.h"
#include "framework/scoped.h"
#include "hotkeys/hide_record.h"
#include "launcher/live_tree.h"
#include "launcher/shortcut_menus.h"
#include "launcher/sys_hook_comp.h"
#include "skin/skin_engine.h"
#include "tray/tray_icon.h"

#include "resource_ids.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

TForm1* Form1 = nullptr;

namespace {
const char kSettingsMissing[] = "设置文件不存在,无法读取  ";
const char kErrorCaption[] = "出错";
const char kCannotQuitOnDesk2[] = "你现在在桌面2，无法退出，请转到默认桌面退出！";
const char kLibraryRestoring[] = "文件丢失，SysHookDLL.dll不是病毒文件，现在即刻恢复！\r我为什么要这样设计？ 参见帮助";
const char kPeerNotFound[] = "发送消息目标窗口没找到！";
const char kPeerSearchCaption[] = "boxianlinsi";
const char kPeerWindowClass[] = "tform1";
const char kDesk2IconFile[] = "tubiaodesk2.ico";
const char kDeskSwitchMutex[] = "DeskSwitch";
const char kTrayHint[] = "博闲托盘区开始菜单";
const char kTrayHintDefault[] = "博闲托盘区开始菜单（默认桌面）";
const char kTrayHintDesk2[] = "博闲托盘区开始菜单（桌面2）";

std::string CurrentDirectory()
{
    DWORD needed = ::GetCurrentDirectoryA(0, nullptr);
    if (needed == 0)
        return std::string();
    std::string dir(needed, '\0');
    DWORD length = ::GetCurrentDirectoryA(needed, dir.data());
    dir.resize(length < needed ? length : 0);
    return dir;
}

HICON LoadIconFile(const std::string& path)
{
    HICON icon = static_cast<HICON>(::LoadImageA(nullptr, path.c_str(), IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
        ::GetSystemMetrics(SM_CYICON), LR_LOADFROMFILE));
    if (!icon) {
        DWORD code = ::GetLastError();
        std::string reason = code ? SystemErrorMessage(code) : std::string();
        throw Exception("Cannot open file \"" + path + "\". " + reason);
    }
    return icon;
}
// The menu glyphs at `size` pixels: the strip drawn at that size, else the
// nearest larger one scaled down once (a 16 px strip is never enlarged).
HBITMAP LoadGlyphStrip(HINSTANCE instance, int size)
{
    struct Strip {
        int size;
        int id;
    };
    static const Strip kStrips[] = {{16, IDB_GLYPHS}, {20, IDB_GLYPHS20}, {24, IDB_GLYPHS24}, {32, IDB_GLYPHS32}};
    std::vector<int> sizes;
    for (const Strip& strip : kStrips)
        sizes.push_back(strip.size);
    const int source = SourceSizeFor(size, sizes);
    int id = IDB_GLYPHS;
    for (const Strip& strip : kStrips)
        if (strip.size == source)
            id = strip.id;
    auto bitmap
        = static_cast<HBITMAP>(::LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info {};
    if (!bitmap || source == size || !::GetObject(bitmap, sizeof info, &info))
        return bitmap;
    // Plain pixel dropping keeps the transparent magenta unmixed.
    return static_cast<HBITMAP>(
        ::CopyImage(bitmap, IMAGE_BITMAP, info.bmWidth / source * size, size, LR_CREATEDIBSECTION | LR_COPYDELETEORG));
}
} // namespace

TForm1::TForm1()
    : Form(Application::Instance(), kMainWindowClass, kApplicationTitle, 235, 147, 386, 274)
{
    Form1 = this;
    SetFont("MS Sans Serif", -11);
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    icon_ = static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON, 32, 32, 0));
    SetFormIcon(icon_);

    Panel1 = std::make_unique<Panel>(Handle(), 24, 16, 329, 145);
    Image1 = std::make_unique<Picture>(Panel1->Handle());
    Image1->SetBitmap(static_cast<HBITMAP>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(IDB_IMAGE1), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    Image1->SetHint("请右键单击托盘菜单（任务栏右下角）");

    LoadGlyphs();
    MainMenu1.SetImages(&ImageList1);
    PopupMenu1.SetImages(&ImageList1);
    BuildMainMenu();
    BuildPopupMenu();
    PopupMenu1.OnPopup = [this](PopupMenu* sender) { PopupMenu1Popup(sender); };
    ShortcutMenus1 = std::make_unique<ShortcutMenus>(ImageList1,
        ShortcutMenus::Trees {menu_cenxvkuaijie, formmenu_wodecenxv,
            [this](MenuItem* sender) { menu_cenxvkuaijieClick(sender); },
            [this](MenuItem* sender) { formmenu_cenxvkuaijieClick(sender); }});
    TypeAheadInTrees(true);
    SetMainMenu(&MainMenu1);

    // The icon is in the notification area with its design-time image and
    // tip before start-up runs.
    TrayIcon1 = std::make_unique<TTrayIcon>();
    TrayIcon1->SetAutoHide(true);
    TrayIcon1->SetHint(kTrayHint);
    LoadTrayIcon(ScreenSmallIconSize());
    TrayIcon1->SetPopupMenu(&PopupMenu1);
    TrayIcon1->SetUseAppIcon(false);
    TrayIcon1->OnClick = [this](TTrayIcon* sender, TrayButton button, ShiftState shift, int x, int y) {
        TrayIcon1Click(sender, button, shift, x, y);
    };
    TrayIcon1->Loaded();

    CreateSkinEngine();
    MouseHook1 = std::make_unique<TMouseHook>("MouseHook1");
    MouseHook1->SetHookDLL("SysHookDLL");
    MouseHook1->OnMouseClick
        = [this](TMouseHook* sender, std::uint32_t sourceWindow, int x, int y, HookMouseButton button,
              TMouseButtonMovement movement) { MouseHook1MouseClick(sender, sourceWindow, x, y, button, movement); };
}

TForm1::~TForm1()
{
    LiveTree1.reset();
    if (Form1 == this) {
        TypeAheadInTrees(false);
        Form1 = nullptr;
    }
}

void TForm1::LoadGlyphs()
{
    GdiObject<HBITMAP> glyphs(LoadGlyphStrip(::GetModuleHandleA(nullptr), ImageList1.Height()));
    ImageList1.AppendMasked(glyphs.Get(), RGB(255, 0, 255));
}

void TForm1::LoadTrayIcon(int size)
{
    // Drawn at the tray's size from the icon's image of that size.
    trayIcon_.Reset(static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON, size, size, 0)));
    TrayIcon1->SetIcon(trayIcon_ ? trayIcon_.Get() : icon_);
}

void TForm1::SetFormIcon(HICON icon)
{
    SetIcon(icon);
    Application::Instance().SetIcon(icon);
}

std::string TForm1::GetWinVersionName()
{
    OSVERSIONINFOA info {};
    info.dwOSVersionInfoSize = sizeof info;
    ::GetVersionExA(&info);
    return ::GetWinVersionName(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

void TForm1::FormCreate(MenuItem*)
{
    WinVersionName = GetWinVersionName();
    SetCaption(Caption() + "  ");
    TrayIconsHidden = false;
    IconList = std::make_unique<ImageList>();
    IconList->Assign(ImageList1);
    RightClickPending = false;
    qidongyincang->SetVisible(false);
    diaoru->SetVisible(false);

    ProgramDir = CurrentDirectory();
    SoundDir = (ProgramDir + "\\音效").substr(0, 255);
    SettingsPath = ProgramDir + "\\" + "set";
    MyProgramsDir = ProgramDir + "\\" + "我的程序";
    // Before any step that can fail: icons left hidden come back whatever else goes wrong.
    TrayHideRecordPath = HideRecordPath(ProgramDir, TheDesktop().CurrentDesktopName());
    RestoreLeftHidden();

    // Watched from before the first reading, so that no change is missed.
    StartLiveTree();
    ShortcutMenus1->Rebuild(MyProgramsDir);

    xitongtesuClick(nullptr);
    diaoruClick(nullptr);

    if (TheDesktop().CurrentDesktopName() == kDefaultDesktop) {
        InstanceDesktop = kDefaultDesktop;
        morenzuomian->SetChecked(true);
        zuomian2->SetChecked(false);
        MouseHookStarted = true;
        if (rejianyincang->Checked())
            rejianyincangClick(nullptr);
        if (yongrejianqiehuanzuomian->Checked())
            yongrejianqiehuanzuomianClick(nullptr);
    } else {
        InstanceDesktop = kSecondDesktop;
        zuomian2->SetChecked(true);
        morenzuomian->SetChecked(false);
        MouseHookStarted = false;
        desk2Icon_.Reset(LoadIconFile(ProgramDir + "\\" + kDesk2IconFile));
        SetFormIcon(desk2Icon_.Get());
        TrayIcon1->SetUseAppIcon(true);
        if (WinVersionName == "win7" && yongrejianqiehuanzuomian->Checked())
            yongrejianqiehuanzuomianClick(nullptr);
    }

    RestoreHookLibrary();

    if (TheDesktop().CurrentDesktopName() == kDefaultDesktop)
        StartMouseHook();

    char windows[261] = {};
    ::GetWindowsDirectoryA(windows, sizeof windows);
    WindowsDir = windows;

    SharedBlockHandle.Reset();
    OpenSharedBlock(SharedBlock, SharedBlockHandle);
    if (SharedBlock) {
        const RECT bounds = Bounds();
        const INT32 fields[2] = {static_cast<INT32>(bounds.left), static_cast<INT32>(bounds.right - bounds.left)};
        std::memcpy(SharedBlock.Get(), fields, sizeof fields);
    }

    mutex_.Reset(::CreateMutexA(nullptr, FALSE, kDeskSwitchMutex));
    if (::GetLastError() != ERROR_ALREADY_EXISTS)
        LaunchOnDesktop(kSecondDesktop);
    TheDesktop().ClearDesktops();

    huanpifuClick(nullptr);
}

void TForm1::RestoreHookLibrary()
{
    const std::string backup = ProgramDir + "\\" + "copy_Key.dll";
    const std::string library = ProgramDir + "\\" + "SysHookDLL.dll";
    if (FileExists(library))
        return;
    Application::Instance().ShowMessage(kLibraryRestoring);
    RestoreLibraryFromBackup(backup, library);
}

void TForm1::FormShow(MenuItem*)
{
    if (TheDesktop().CurrentDesktopName() == kDefaultDesktop) {
        baocun->SetEnabled(true);
        rejianyincang->SetEnabled(true);
        yongrejianqiehuanzuomian->SetEnabled(true);
    } else {
        baocun->SetEnabled(false);
        rejianyincang->SetEnabled(false);
        // On Windows 7 the second instance keeps its Ctrl+F11 option.
        if (!(WinVersionName == "win7" && InstanceDesktop == kSecondDesktop))
            yongrejianqiehuanzuomian->SetEnabled(false);
    }
    // Null only after the shut-down has freed it.
    if (TrayIcon1)
        TrayIcon1->SetHint(InstanceDesktop == kDefaultDesktop ? kTrayHintDefault : kTrayHintDesk2);
}

void TForm1::FormResize(MenuItem*) { }

void TForm1::FormDpiChanged(WPARAM noticeWParam)
{
    const DpiChange change = PlanDpiChange(noticeWParam, LayoutDpi(), ImageList1.Height());
    if (change.relayout) {
        SetLayoutDpi(change.dpi);
        if (SkinEngine1)
            SkinEngine1->DpiChanged();
    }
    if (change.rebuildIcons) {
        ImageList1.Recreate(change.iconSize, change.iconSize);
        LoadGlyphs();
        // Before start-up there are no trees yet, and IconList copies the
        // glyphs when it is made.
        if (IconList) {
            IconList->Assign(ImageList1);
            // The shell's icons are scaled down once from its large ones, so
            // they are fetched again rather than rescaled from the old ones.
            ShortcutMenus1->ForgetIcons();
            RebuildShortcutTrees();
        }
        // The second desktop's instance shows the application's icon there.
        if (TrayIcon1 && !TrayIcon1->UseAppIcon())
            LoadTrayIcon(change.iconSize);
    }
    if (change.relayout || change.rebuildIcons)
        RemeasureMenus();
}

void TForm1::FormClose(MenuItem*, CloseAction& action)
{
    try {
        if (TheDesktop().CurrentDesktopName() != kDefaultDesktop) {
            Os().ShowMessageBox(Handle(), kCannotQuitOnDesk2, kErrorCaption, MB_OK);
            action = CloseAction::None;
            return;
        }
        if (MouseHookStarted)
            StopMouseHook();
        // Saved before the hotkeys are released below, so the file keeps the user's choices.
        if (InstanceDesktop == kDefaultDesktop)
            baocunClick(nullptr);
        if (TrayIconsHidden)
            huifuClick(nullptr);
        if (TheDesktop().CurrentDesktopName() == kDefaultDesktop) {
            if (rejianyincang->Checked()) {
                rejianyincang->SetChecked(false);
                rejianyincangClick(nullptr);
            }
            if (yongrejianqiehuanzuomian->Checked()) {
                yongrejianqiehuanzuomian->SetChecked(false);
                yongrejianqiehuanzuomianClick(nullptr);
            }
        }
        LiveTree1.reset();
        IconList.reset();
        TrayIcon1.reset();
        if (InstanceDesktop == kDefaultDesktop && SharedBlock)
            CloseSharedBlock(SharedBlock, SharedBlockHandle);
        // Only what this instance started; a further copy on "Default" started nothing.
        DeskLauncher.EndStartedProcesses();
        Application::Instance().Terminate();
    } catch (...) {
        Os().MessageBeep(0);
        // Other programs' icons must not stay hidden after we are gone.
        if (TrayIconsHidden) {
            try {
                huifuClick(nullptr);
            } catch (...) {
            }
        }
        // The instance on "Desk2" refuses every close of its own: left
        // running, only the Task Manager could end it. Its shell stays, as on
        // a normal close.
        try {
            DeskLauncher.EndStartedProcesses();
        } catch (...) {
        }
        Application::Instance().Terminate();
    }
}

void TForm1::N5Click(MenuItem*) { ::SendMessageA(Handle(), WM_CLOSE, 0, 0); }

void TForm1::houculiClick(MenuItem*)
{
    // A temporary icon of the main window: adding and deleting it makes the
    // taskbar lay its icons out afresh without touching the program's own icon.
    NOTIFYICONDATAA data = FirstGenerationIconRecord(Handle(), NIF_ICON);
    data.hIcon = icon_;
    ::Shell_NotifyIconA(NIM_ADD, &data);
    NOTIFYICONDATAA removal = FirstGenerationIconRecord(Handle(), 0);
    ::Shell_NotifyIconA(NIM_DELETE, &removal);
}

std::string TForm1::GetSpecialFolderPath(int csidl)
{
    // SHGetPathFromIDListA writes up to MAX_PATH characters.
    char path[MAX_PATH] = {};
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(Application::Instance().Handle(), csidl, &items)) && items) {
        ::SHGetPathFromIDListA(items, path);
        ::CoTaskMemFree(items);
    }
    return path;
}

void TForm1::xitongtesuClick(MenuItem*)
{
    FavoritesDir = GetSpecialFolderPath(CSIDL_FAVORITES);
    StartMenuDir = GetSpecialFolderPath(CSIDL_STARTMENU);
    CommonStartMenuDir = GetSpecialFolderPath(CSIDL_COMMON_STARTMENU);
    SendToDir = GetSpecialFolderPath(CSIDL_SENDTO);
    MyDocumentsDir = GetSpecialFolderPath(CSIDL_PERSONAL);
}

// Reachable from nowhere: the form-scaling step is not offered.
void TForm1::cuangtisuofangClick(MenuItem*) { }

void TForm1::baocunClick(MenuItem*)
{
    SaveSettingsFile(SettingsPath, rejianyincang->Checked(), yongrejianqiehuanzuomian->Checked());
}

void TForm1::diaoruClick(MenuItem*)
{
    std::optional<SettingsReadResult> settings = LoadSettingsFile(SettingsPath);
    if (!settings) {
        Application::Instance().ShowMessageBox(kSettingsMissing + SettingsPath, kErrorCaption, MB_OK);
        return;
    }
    // Only the marks are set; start-up registers the hotkeys from them later.
    if (settings->firstRead)
        rejianyincang->SetChecked(settings->firstValue);
    if (settings->secondRead)
        yongrejianqiehuanzuomian->SetChecked(settings->secondValue);
    if (settings->errorCode)
        throw InOutError(settings->errorCode, kInvalidNumericInputText);
}

void TForm1::xianglinyigefasongxiaoxiClick(MenuItem*)
{
    const std::string saved = Caption();
    // Renamed first, so the search cannot find the sender itself.
    SetCaption(kPeerSearchCaption);
    std::vector<char> buffer(PeerMessageText.begin(), PeerMessageText.end());
    buffer.push_back('\0');
    COPYDATASTRUCT record {};
    record.dwData = 0;
    record.cbData = static_cast<DWORD>(buffer.size());
    record.lpData = buffer.data();
    if (HWND peer = ::FindWindowA(kPeerWindowClass, saved.c_str()))
        ::SendMessageA(peer, WM_COPYDATA, reinterpret_cast<WPARAM>(Handle()), reinterpret_cast<LPARAM>(&record));
    else
        Application::Instance().ShowMessage(kPeerNotFound);
    SetCaption(saved);
}

bool TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COPYDATA:
    case WM_DRAWCLIPBOARD:
        // Peers may send these; nothing is done with them.
        result = 0;
        return true;
    case WM_HOTKEY:
        HotKeyMessage(wParam, lParam, result);
        return true;
    default:
        // A registered message, so not a case label; the tray icon answers it too.
        if (message == TTrayIcon::TaskbarCreatedMessage())
            TaskbarRecreated();
        return false;
    }
}
