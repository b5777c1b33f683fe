// A stand-in for the shell's notification area, for the tray-icon hiding
// tests and benchmark. Creates the window chain Shell_TrayWnd > TrayNotifyWnd
// > SysPager > ToolbarWindow32 with a real toolbar (or a tab control), fills
// it with the given texts, answers Shell_NotifyIcon so that icons come and go
// as buttons, and logs every message that reaches it from another thread.
//
//   fake_shell.exe <log file> <texts file> [tab] [no-toolbar] [remove-on-hide] [remove-on-read=N]
//
// The texts file holds one button text per line ('\n'), first button first.
// Command identifiers are positions counted from the end of the toolbar; new
// icons enter at the front, so existing identifiers keep their values.
// Log lines: "ready", "tb <message hex> <wParam> <lParam>",
// "tray copydata <NIM code> <result>", "state <H or . per position>".
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Asks for the hidden flags of all buttons: answered with a "state" log line.
constexpr UINT kStateRequest = WM_APP + 1;

struct Button {
    std::string text;
    HWND owner = nullptr; // null: a button given on the command line
    UINT id = 0;
};

HANDLE logFile = INVALID_HANDLE_VALUE;
HWND toolbar = nullptr;
bool tabMode = false;
bool removeOnHide = false;
int removeOnRead = 0;
int readsSeen = 0;
std::vector<Button> buttons;
std::vector<std::string> keptTexts; // the controls copy, but keep them alive anyway
WNDPROC controlProc = nullptr;
int ownSends = 0; // our own messages to the control are not logged

// A message of ours to the control.
LRESULT Own(UINT message, WPARAM wParam, LPARAM lParam)
{
    ++ownSends;
    const LRESULT result = ::SendMessageA(toolbar, message, wParam, lParam);
    --ownSends;
    return result;
}

void Log(const std::string& line)
{
    const std::string text = line + "\n";
    DWORD written = 0;
    ::WriteFile(logFile, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

int Count() { return static_cast<int>(buttons.size()); }

void Renumber()
{
    if (tabMode)
        return;
    for (int position = 0; position < Count(); ++position)
        Own(TB_SETCMDID, position, Count() - 1 - position);
}

void InsertControlButton(int position, const std::string& text)
{
    keptTexts.push_back(text);
    if (tabMode) {
        TCITEMA item {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(keptTexts.back().c_str());
        Own(TCM_INSERTITEMA, position, reinterpret_cast<LPARAM>(&item));
        return;
    }
    TBBUTTON button {};
    button.iBitmap = I_IMAGENONE;
    button.idCommand = 0;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON | BTNS_SHOWTEXT;
    button.iString = reinterpret_cast<INT_PTR>(keptTexts.back().c_str());
    Own(TB_INSERTBUTTONA, position, reinterpret_cast<LPARAM>(&button));
}

void AddButton(int position, const Button& button)
{
    InsertControlButton(position, button.text);
    buttons.insert(buttons.begin() + position, button);
    Renumber();
}

void RemoveButton(int position)
{
    if (position < 0 || position >= Count())
        return;
    Own(tabMode ? TCM_DELETEITEM : TB_DELETEBUTTON, position, 0);
    buttons.erase(buttons.begin() + position);
    Renumber();
}

std::string TipText(const COPYDATASTRUCT& data)
{
    // Wine 8's record: window, id, flags, callback (4 bytes each), then WCHAR[128].
    const std::size_t tipOffset = 16;
    if (data.cbData < tipOffset + 2)
        return std::string();
    const wchar_t* tip = reinterpret_cast<const wchar_t*>(static_cast<const char*>(data.lpData) + tipOffset);
    wchar_t copy[129] = {};
    std::memcpy(copy, tip, 128 * sizeof(wchar_t));
    char text[512] = {};
    ::WideCharToMultiByte(CP_ACP, 0, copy, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

LRESULT NotifyIcon(const COPYDATASTRUCT& data)
{
    if (data.cbData < 16)
        return FALSE;
    INT32 fields[4];
    std::memcpy(fields, data.lpData, sizeof fields);
    HWND owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(fields[0]));
    const UINT id = static_cast<UINT>(fields[1]);
    int found = -1;
    for (int i = 0; i < Count(); ++i) {
        if (buttons[i].owner == owner && buttons[i].id == id)
            found = i;
    }
    switch (data.dwData) {
    case NIM_ADD: {
        if (found >= 0)
            return FALSE;
        Button button;
        button.text = TipText(data);
        button.owner = owner;
        button.id = id;
        AddButton(0, button);
        return TRUE;
    }
    case NIM_DELETE:
        if (found < 0)
            return FALSE;
        RemoveButton(found);
        return TRUE;
    default:
        return found >= 0;
    }
}

std::string State()
{
    std::string state;
    for (int position = 0; position < Count(); ++position) {
        bool hidden = false;
        if (!tabMode)
            hidden = Own(TB_ISBUTTONHIDDEN, Count() - 1 - position, 0) != 0;
        state += hidden ? 'H' : '.';
    }
    return state;
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Control messages from other threads only: not the system's own traffic.
    if (ownSends > 0 || !::InSendMessage() || message < WM_USER || message >= WM_APP)
        return ::CallWindowProcA(controlProc, window, message, wParam, lParam);
    char line[128];
    std::snprintf(line, sizeof line, "tb %x %lld %lld", message, static_cast<long long>(static_cast<INT_PTR>(wParam)),
        static_cast<long long>(lParam));
    Log(line);
    if (message == TB_HIDEBUTTON && removeOnHide) {
        removeOnHide = false;
        RemoveButton(0);
    }
    const LRESULT result = ::CallWindowProcA(controlProc, window, message, wParam, lParam);
    if ((message == TB_GETBUTTON || message == TCM_GETITEMA) && removeOnRead > 0 && ++readsSeen == removeOnRead)
        RemoveButton(Count() - 1);
    return result;
}

LRESULT CALLBACK TrayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COPYDATA: {
        const COPYDATASTRUCT& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const LRESULT result = NotifyIcon(data);
        Log("tray copydata " + std::to_string(data.dwData) + " " + std::to_string(result));
        return result;
    }
    case kStateRequest:
        Log("state " + State());
        return Count();
    case WM_CLOSE:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

void Register(const char* className)
{
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = className == std::string("Shell_TrayWnd") ? TrayProc : DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    ::RegisterClassA(&windowClass);
}

// A tab control under the toolbar's class name, for the older shells' protocol.
void RegisterTabAsToolbar()
{
    WNDCLASSA tab {};
    ::GetClassInfoA(nullptr, WC_TABCONTROLA, &tab);
    // Local to this program, so it does not clash with the real toolbar class.
    tab.style &= ~CS_GLOBALCLASS;
    tab.hInstance = ::GetModuleHandleA(nullptr);
    tab.lpszClassName = TOOLBARCLASSNAMEA;
    ::RegisterClassA(&tab);
}

std::vector<std::string> ReadTexts(const char* path)
{
    std::vector<std::string> texts;
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return texts;
    std::string all;
    char block[4096];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        all.append(block, got);
    std::fclose(file);
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string::npos)
            end = all.size();
        texts.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return texts;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    logFile = ::CreateFileA(argv[1], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (logFile == INVALID_HANDLE_VALUE)
        return 3;
    bool withToolbar = true;
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "tab")
            tabMode = true;
        else if (option == "no-toolbar")
            withToolbar = false;
        else if (option == "remove-on-hide")
            removeOnHide = true;
        else if (option.rfind("remove-on-read=", 0) == 0)
            removeOnRead = std::atoi(option.c_str() + 15);
    }
    INITCOMMONCONTROLSEX controls {sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    for (const char* name : {"Shell_TrayWnd", "TrayNotifyWnd", "SysPager"})
        Register(name);
    if (tabMode)
        RegisterTabAsToolbar();

    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    // Topmost, so it is found before the hidden taskbar Wine gives the desktop.
    HWND tray = ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP, 0, 0, 400, 40,
        nullptr, nullptr, instance, nullptr);
    HWND notify = ::CreateWindowExA(0, "TrayNotifyWnd", "", WS_CHILD, 0, 0, 400, 40, tray, nullptr, instance, nullptr);
    HWND pager = ::CreateWindowExA(0, "SysPager", "", WS_CHILD, 0, 0, 400, 40, notify, nullptr, instance, nullptr);
    if (withToolbar) {
        toolbar = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | (tabMode ? 0 : TBSTYLE_LIST), 0, 0, 400, 40,
            pager, nullptr, instance, nullptr);
        if (!toolbar)
            return 4;
        if (!tabMode)
            ::SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        const std::vector<std::string> texts = ReadTexts(argv[2]);
        // Given first to last; each enters at the front, as the shell adds icons.
        for (auto text = texts.rbegin(); text != texts.rend(); ++text) {
            Button button;
            button.text = *text;
            AddButton(0, button);
        }
        controlProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(toolbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc)));
    }
    Log("ready");
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
