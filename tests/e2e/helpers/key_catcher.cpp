// A window of "another program" for the hotkey tests: appends the virtual key
// of every key it is given to the file named on its command line, one number
// a line, and runs until it is terminated.
#include <windows.h>

#include <cstdio>

namespace {
// Open for the whole run and shared, so a test reading it never costs a key.
HANDLE out = INVALID_HANDLE_VALUE;

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        char line[16];
        const int length = std::snprintf(line, sizeof line, "%u\n", static_cast<unsigned>(wParam));
        DWORD written = 0;
        ::WriteFile(out, line, static_cast<DWORD>(length), &written, nullptr);
    }
    // Alt+L or F10 left to the default handling would enter menu mode and
    // keep the keyboard from later presses.
    if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR)
        return 0;
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    out = ::CreateFileA(commandLine, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return 1;
    WNDCLASSA cls {};
    cls.lpfnWndProc = Proc;
    cls.hInstance = instance;
    cls.lpszClassName = "TsKeyCatcher";
    cls.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    ::RegisterClassA(&cls);
    HWND window = ::CreateWindowExA(
        0, "TsKeyCatcher", "keys", WS_POPUP | WS_VISIBLE, 20, 20, 240, 160, nullptr, nullptr, instance, nullptr);
    ::SetForegroundWindow(window);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
