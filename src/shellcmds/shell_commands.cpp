#include "shellcmds/shell_commands.h"

#include "framework/os.h"
#include "framework/scoped.h"
#include "framework/system_paths.h"
#include "shellcmds/desktop_windows.h"

#include <oleauto.h>
#include <shldisp.h>

#include <utility>
#include <vector>

namespace {
const char kOpen[] = "open";
const char kExplorer[] = "Explorer.exe";
const char kExplorerLower[] = "explorer.exe";
const char kNewWindowSwitch[] = "/n,";
const char kMyComputer[] = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const char kRunDll[] = "RunDLL32.exe";
const char kControlPanelArguments[] = " Shell32.DLL,Control_RunDLL";
const char kShutdownTool[] = "shutdown.exe";
const char kRestartArguments[] = " -r -t 2";
const char kLogOffArguments[] = " -l -t 2";
const char kShutdownPrivilege[] = "SeShutdownPrivilege";
const char kRunDialogTitle[] = "运行";
const wchar_t kMinimizeAll[] = L"MinimizeAll";

constexpr int kRaiseLooks = 11;
constexpr DWORD kRaiseLookInterval = 500;
// shell32's Run dialog, exported by ordinal only.
constexpr WORD kRunFileDialogOrdinal = 61;

// The system's tools by full path: a bare name is looked for in the current
// folder first, where anyone who can write there could plant a stand-in.
std::string SystemTool(const char* name) { return "\"" + PathIn(SystemFolder(), name) + "\""; }
std::string WindowsProgram(const char* name) { return PathIn(SystemWindowsFolder(), name); }

// Sleeps `ms` on this thread while still painting and answering messages
// sent from other threads; posted messages and input stay queued, as they
// would during a plain sleep. False when a quit message came in (it is
// posted again for the message loop).
bool WaitKeepingWindowsAlive(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= ms)
            return true;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_PAINT | QS_SENDMESSAGE);
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) {
            if (message.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(message.wParam));
                return false;
            }
            ::DispatchMessageA(&message);
        }
    }
}

using RunFileDialogProc = void(WINAPI*)(
    HWND owner, HICON icon, const void* directory, const void* title, const void* description, UINT flags);

DWORD WINAPI RunFileDialogThread(void*)
{
    ComApartment apartment;
    const ModuleHandle shell32(::LoadLibraryA("shell32.dll"));
    if (!shell32)
        return 1;
    auto proc = reinterpret_cast<RunFileDialogProc>(
        reinterpret_cast<void*>(::GetProcAddress(shell32.Get(), MAKEINTRESOURCEA(kRunFileDialogOrdinal))));
    if (!proc)
        return 1;
    // Null texts: the dialog's own title and prompt, as the shell shows them.
    proc(nullptr, nullptr, nullptr, nullptr, nullptr, 0);
    return 0;
}

// The shell's Run dialog without the automation object: shell32 shows it
// modally, so on a thread of its own, and the caller goes on at once as it
// does after FileRun.
bool StartRunFileDialog()
{
    DWORD id = 0;
    const KernelHandle thread(::CreateThread(nullptr, 0, RunFileDialogThread, nullptr, 0, &id));
    return thread.Valid();
}

TopLevelWindowFacts FactsOf(HWND window)
{
    TopLevelWindowFacts facts;
    char className[256] = {};
    ::GetClassNameA(window, className, sizeof className);
    facts.className = className;
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    facts.visible = ::IsWindowVisible(window) != FALSE;
    facts.minimized = ::IsIconic(window) != FALSE;
    facts.owned = ::GetWindow(window, GW_OWNER) != nullptr;
    facts.toolWindow = (exStyle & WS_EX_TOOLWINDOW) != 0;
    facts.appWindow = (exStyle & WS_EX_APPWINDOW) != 0;
    facts.minimizeBox = (style & WS_MINIMIZEBOX) != 0;
    return facts;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// What the shell's MinimizeAll does, for a shell that lacks it.
void MinimizeDesktopWindows()
{
    std::vector<HWND> windows;
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows)
        if (ShouldMinimizeForDesktop(FactsOf(window)))
            ::ShowWindowAsync(window, SW_MINIMIZE); // a hung program must not hang us
}

// The method's own error from a DISP_E_EXCEPTION, and its description; the
// strings of `info` are freed.
std::pair<HRESULT, std::string> TakeException(EXCEPINFO& info)
{
    if (info.pfnDeferredFillIn)
        info.pfnDeferredFillIn(&info);
    HRESULT code = info.scode ? info.scode : DISP_E_EXCEPTION;
    std::string description;
    if (info.bstrDescription) {
        const int length = ::SysStringLen(info.bstrDescription);
        const int bytes = ::WideCharToMultiByte(CP_ACP, 0, info.bstrDescription, length, nullptr, 0, nullptr, nullptr);
        description.resize(static_cast<size_t>(bytes));
        ::WideCharToMultiByte(CP_ACP, 0, info.bstrDescription, length, description.data(), bytes, nullptr, nullptr);
    }
    ::SysFreeString(info.bstrSource);
    ::SysFreeString(info.bstrDescription);
    ::SysFreeString(info.bstrHelpFile);
    info = EXCEPINFO {};
    return {code, description};
}
} // namespace

ShellCommands::ShellCommands(const CLSID& shellClassId, std::wstring showDesktopProgId)
    : shell1_(shellClassId)
    , showDesktopProgId_(std::move(showDesktopProgId))
{
}

void ShellCommands::OpenFolder(HWND owner, const std::string& path)
{
    Os().ShellExecuteFile(owner, kOpen, WindowsProgram(kExplorer), kNewWindowSwitch + path, SW_SHOWMAXIMIZED);
}

void ShellCommands::OpenMyComputer(HWND owner)
{
    Os().ShellExecuteFile(owner, kOpen, WindowsProgram(kExplorerLower), kMyComputer, SW_SHOWMAXIMIZED);
}

void ShellCommands::OpenControlPanel() { Os().WinExec(SystemTool(kRunDll) + kControlPanelArguments, SW_SHOWNORMAL); }

void ShellCommands::ShowRunDialog()
{
    IShellDispatch* shell = shell1_.DefaultInterface();
    const HRESULT result = shell->FileRun();
    // Some shells (Wine's) have the object but not this method; their Run
    // dialog is still there in shell32.
    if (result == E_NOTIMPL) {
        if (!StartRunFileDialog())
            throw OleError(result);
    } else if (FAILED(result)) {
        throw OleError(result);
    }
    WaitAndRaiseWindow(kRunDialogTitle);
}

void ShellCommands::ShutDown()
{
    HANDLE token = nullptr;
    if (!Os().OpenProcessToken(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token))
        return;
    TOKEN_PRIVILEGES privileges {};
    privileges.PrivilegeCount = 1;
    Os().LookupPrivilegeValue(kShutdownPrivilege, privileges.Privileges[0].Luid);
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // Not checked: the shut-down is tried whatever the privilege calls say.
    Os().AdjustTokenPrivileges(token, privileges, sizeof privileges);
    Os().CloseToken(token);
    Os().ExitSystem(EWX_SHUTDOWN | EWX_FORCE, 0);
}

void ShellCommands::Restart() { Os().WinExec(SystemTool(kShutdownTool) + kRestartArguments, SW_SHOW); }

void ShellCommands::LogOff() { Os().WinExec(SystemTool(kShutdownTool) + kLogOffArguments, SW_SHOW); }

void ShellCommands::ShowDesktop() const
{
    CLSID classId {};
    HRESULT result = ::CLSIDFromProgID(showDesktopProgId_.c_str(), &classId);
    if (FAILED(result))
        throw OleError(result);
    ComPtr<IDispatch> shell;
    result = ::CoCreateInstance(
        classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch, shell.PutVoid());
    if (FAILED(result))
        throw OleError(result);

    DISPID method = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(kMinimizeAll)};
    result = shell->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &method);
    if (FAILED(result))
        throw OleError(result);
    DISPPARAMS noArguments {};
    VARIANT ignored;
    ::VariantInit(&ignored);
    EXCEPINFO exception {};
    result = shell->Invoke(
        method, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &noArguments, &ignored, &exception, nullptr);
    ::VariantClear(&ignored);
    if (result == DISP_E_EXCEPTION) {
        const auto [code, description] = TakeException(exception);
        // Wine's shell object has the method but not its work.
        if (code != E_NOTIMPL)
            throw OleError(code, description);
        MinimizeDesktopWindows();
    } else if (FAILED(result)) {
        throw OleError(result);
    }
}

void WaitAndRaiseWindow(const std::string& title)
{
    HWND found = nullptr;
    for (int looks = kRaiseLooks; looks > 0 && !found; --looks) {
        if (!WaitKeepingWindowsAlive(kRaiseLookInterval))
            return;
        found = ::FindWindowA(nullptr, title.c_str());
    }
    if (found)
        ::BringWindowToTop(found);
}
