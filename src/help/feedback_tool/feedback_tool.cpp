// The maker's feedback tool: a window with a text box and a save button.
// Each save appends the text, the date and time and the launcher's version to
// "用户反馈.txt" in the tool's own folder, ready to be mailed to the author.
#include "help/product_info.h"

#include <windows.h>

#include <string>

namespace {

const char kWindowClass[] = "TFeedbackForm";
const char kTitle[] = "青禾工坊_用户反馈表";
const char kPrompt[] = "请写下您的意见和建议，然后点击“保存”：";
const char kSaveCaption[] = "保存";
const char kFeedbackFile[] = "用户反馈.txt";
const char kEmptyText[] = "请先写下您的意见和建议。";
const int kEditId = 100;
const int kSaveId = 101;
const int kStatusId = 102;

HWND edit = nullptr;
HWND status = nullptr;
HFONT font = nullptr;

// The folder the tool lives in, with a trailing backslash.
std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    const size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

std::string FeedbackPath() { return OwnFolder() + kFeedbackFile; }

std::string WindowString(HWND window)
{
    const int length = ::GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = ::GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

std::string Entry(const std::string& text)
{
    SYSTEMTIME now {};
    ::GetLocalTime(&now);
    char stamp[64];
    wsprintfA(
        stamp, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
    return std::string("==== ") + stamp + " ====\r\n" + "版本：" + kProductName + "\r\n" + text + "\r\n\r\n";
}

// True when the whole entry reached the file.
bool AppendToFile(const std::string& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileA(
        path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    const BOOL closed = ::CloseHandle(file);
    return ok && closed && written == bytes.size();
}

void Save(HWND window)
{
    const std::string text = WindowString(edit);
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        ::MessageBoxA(window, kEmptyText, kTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::string path = FeedbackPath();
    if (!AppendToFile(path, Entry(text))) {
        const std::string message = "无法写入反馈文件：\r\n" + path
            + "\r\n\r\n这个文件夹可能是只读的。请把本工具所在的文件夹复制到可以写入的位置再试。";
        ::MessageBoxA(window, message.c_str(), kTitle, MB_OK | MB_ICONERROR);
        return;
    }
    ::SetWindowTextA(edit, "");
    const std::string done = std::string("已保存到 ") + kFeedbackFile + "，谢谢您！";
    ::SetWindowTextA(status, done.c_str());
}

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id)
{
    HWND child = ::CreateWindowExA(cls == std::string("EDIT") ? WS_EX_CLIENTEDGE : 0, cls, text,
        WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        Child(window, "STATIC", kPrompt, SS_LEFT, 10, 10, 400, 20, -1);
        edit = Child(window, "EDIT", "", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 10,
            34, 400, 180, kEditId);
        Child(window, "BUTTON", kSaveCaption, WS_TABSTOP | BS_PUSHBUTTON, 330, 224, 80, 26, kSaveId);
        status = Child(window, "STATIC", "", SS_LEFT, 10, 229, 310, 20, kStatusId);
        return 0;
    case WM_SETFOCUS:
        ::SetFocus(edit);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kSaveId && HIWORD(wParam) == BN_CLICKED) {
            Save(window);
            return 0;
        }
        break;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassA(&windowClass);

    RECT frame {0, 0, 420, 260};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    ::AdjustWindowRect(&frame, style, FALSE);
    HWND window = ::CreateWindowExA(0, kWindowClass, kTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ::ShowWindow(window, show);
    ::UpdateWindow(window);

    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
