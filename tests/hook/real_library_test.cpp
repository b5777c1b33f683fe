// The real hook library, loaded into the test: its exports and result codes,
// and real mouse input from xdotool arriving as notifications.
#include "support/harness.h"
#include "support/tray_probe.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

using namespace harness;

namespace {

using AttachProc = int(WINAPI*)(BYTE, HWND, BOOLEAN);
using DetachProc = int(WINAPI*)(HWND);
using LastErrorProc = int(WINAPI*)();

struct Notification {
    HWND receiver;
    int code;
    int x, y;
    HWND source;
};
std::vector<Notification> received;

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER && message < WM_USER + 16) {
        received.push_back({window, static_cast<int>(message - WM_USER), static_cast<int>(LOWORD(wParam)),
            static_cast<int>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam)});
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

const char kReceiverClass[] = "HookTestReceiver";

HWND MakeReceiver(bool visible = false, RECT at = RECT {})
{
    WNDCLASSA wc {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kReceiverClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassA(&wc);
    HWND window = ::CreateWindowExA(visible ? WS_EX_TOPMOST : 0, kReceiverClass, "receiver", WS_POPUP, at.left, at.top,
        at.right - at.left, at.bottom - at.top, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (visible) {
        ::ShowWindow(window, SW_SHOWNOACTIVATE);
        ::UpdateWindow(window);
    }
    return window;
}

// The button codes (moves left out) that `receiver` got.
std::vector<int> ButtonCodes(HWND receiver)
{
    std::vector<int> codes;
    for (const Notification& n : received)
        if (n.receiver == receiver && n.code != 0)
            codes.push_back(n.code);
    return codes;
}

// Pumps until `receiver` has `count` button codes, or a few seconds passed.
std::vector<int> WaitForButtonCodes(HWND receiver, size_t count)
{
    for (int i = 0; i < 100 && ButtonCodes(receiver).size() < count; ++i)
        PumpFor(50);
    PumpFor(200); // and nothing more comes
    return ButtonCodes(receiver);
}

bool MovedTo(HWND receiver, int x, int y)
{
    for (const Notification& n : received)
        if (n.receiver == receiver && n.code == 0 && n.x == x && n.y == y)
            return true;
    return false;
}

bool WaitForMove(HWND receiver, int x, int y)
{
    for (int i = 0; i < 100 && !MovedTo(receiver, x, y); ++i)
        PumpFor(50);
    return MovedTo(receiver, x, y);
}

class RealHookLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        received.clear();
        library = ::LoadLibraryA(UnixToWindowsPath(TRAYSTART_HOOK_DLL).c_str());
        ASSERT_NE(library, nullptr);
        attach = reinterpret_cast<AttachProc>(reinterpret_cast<void*>(::GetProcAddress(library, "AttachReceiver")));
        detach = reinterpret_cast<DetachProc>(reinterpret_cast<void*>(::GetProcAddress(library, "DetachReceiver")));
        lastError = reinterpret_cast<LastErrorProc>(reinterpret_cast<void*>(::GetProcAddress(library, "LastError")));
        ASSERT_NE(attach, nullptr);
        ASSERT_NE(detach, nullptr);
        ASSERT_NE(lastError, nullptr);
    }
    void TearDown() override
    {
        for (HWND window : windows)
            if (::IsWindow(window)) {
                detach(window);
                ::DestroyWindow(window);
            }
        if (library)
            ::FreeLibrary(library);
    }

    HWND Receiver(bool visible = false, RECT at = RECT {})
    {
        windows.push_back(MakeReceiver(visible, at));
        return windows.back();
    }

    HMODULE library = nullptr;
    AttachProc attach = nullptr;
    DetachProc detach = nullptr;
    LastErrorProc lastError = nullptr;
    std::vector<HWND> windows;
};

TEST_F(RealHookLibrary, ResultCodesOfAttachAndDetach)
{
    HWND a = Receiver();
    EXPECT_EQ(lastError(), 0);
    EXPECT_EQ(attach(1, a, FALSE), ERROR_INVALID_PARAMETER); // only the mouse hook (2) exists
    EXPECT_EQ(lastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(attach(2, reinterpret_cast<HWND>(0x7FF0), FALSE), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(attach(2, nullptr, FALSE), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(lastError(), ERROR_INVALID_WINDOW_HANDLE);

    EXPECT_EQ(attach(2, a, FALSE), 0);
    EXPECT_EQ(attach(2, a, FALSE), -2);
    EXPECT_EQ(attach(2, a, TRUE), -2);

    // Another thread cannot share the low-level hook that runs on this one.
    int fromOtherThread = 0;
    std::thread other([&] {
        HWND b = MakeReceiver();
        fromOtherThread = attach(2, b, FALSE);
        ::DestroyWindow(b);
    });
    other.join();
    EXPECT_EQ(fromOtherThread, -5);

    EXPECT_EQ(detach(a), 0);
    EXPECT_EQ(detach(a), -3);
    EXPECT_EQ(detach(nullptr), -3);

    // Sixteen receivers, then no more.
    std::vector<HWND> many;
    for (int i = 0; i < 16; ++i) {
        many.push_back(Receiver());
        EXPECT_EQ(attach(2, many.back(), FALSE), 0) << i;
    }
    HWND extra = Receiver();
    EXPECT_EQ(attach(2, extra, FALSE), -4);
    // A receiver whose window is gone frees its place.
    ::DestroyWindow(many[3]);
    EXPECT_EQ(attach(2, extra, FALSE), 0);
    for (HWND window : many)
        detach(window);
    EXPECT_EQ(detach(extra), 0);
}

TEST_F(RealHookLibrary, MovesAndClicksArriveWithCodesCoordinatesAndTheWindowUnderTheMouse)
{
    HWND target = Receiver(true, RECT {200, 150, 500, 400});
    ASSERT_EQ(attach(2, target, FALSE), 0);

    ASSERT_TRUE(tray_probe::Xdotool("mousemove 310 220"));
    ASSERT_TRUE(WaitForMove(target, 310, 220));
    ASSERT_TRUE(tray_probe::Xdotool("mousemove 320 230"));
    ASSERT_TRUE(WaitForMove(target, 320, 230));
    for (const Notification& n : received) {
        if (n.code == 0 && n.x == 320 && n.y == 230) {
            EXPECT_EQ(n.source, target);
        }
    }

    const struct {
        int button;
        int times;
        std::vector<int> codes;
    } cases[] = {
        {1, 1, {1, 2}}, // left down, up
        {3, 1, {4, 5}}, // right down, up
        {2, 1, {7, 8}}, // middle down, up
        {1, 2, {1, 2, 3, 2}}, // a double click: its second down is reported as such
        {3, 2, {4, 5, 6, 5}},
    };
    for (const auto& c : cases) {
        received.clear();
        ASSERT_TRUE(tray_probe::ClickAt(POINT {330, 240}, c.button, c.times));
        EXPECT_EQ(WaitForButtonCodes(target, c.codes.size()), c.codes) << "button " << c.button << " x" << c.times;
        for (const Notification& n : received)
            if (n.code != 0) {
                EXPECT_EQ(n.x, 330);
                EXPECT_EQ(n.y, 240);
                EXPECT_EQ(n.source, target);
            }
    }
}

TEST_F(RealHookLibrary, AReceiverDestroyedWithoutDetachingIsDroppedAndTheOthersGoOn)
{
    HWND gone = Receiver();
    HWND stays = Receiver();
    ASSERT_EQ(attach(2, gone, FALSE), 0);
    ASSERT_EQ(attach(2, stays, FALSE), 0);
    ::DestroyWindow(gone);

    const DWORD start = ::GetTickCount();
    ASSERT_TRUE(tray_probe::Xdotool("mousemove 140 160"));
    ASSERT_TRUE(WaitForMove(stays, 140, 160));
    ASSERT_TRUE(tray_probe::Xdotool("mousemove 150 170"));
    ASSERT_TRUE(WaitForMove(stays, 150, 170));
    // Figures for the log; a stall would show as seconds here.
    std::printf("two moves delivered after %lu ms\n", static_cast<unsigned long>(::GetTickCount() - start));
    EXPECT_EQ(detach(gone), -3) << "the gone receiver was not dropped";
    EXPECT_EQ(detach(stays), 0);
}

TEST_F(RealHookLibrary, FreedWhileHookedTheLibraryTakesItsHookAlong)
{
    HWND receiver = Receiver();
    ASSERT_EQ(attach(2, receiver, FALSE), 0);
    // As the program does: the window goes, then the library, never detached.
    ::DestroyWindow(receiver);
    ::FreeLibrary(library);
    library = nullptr;
    ASSERT_EQ(::GetModuleHandleA(UnixToWindowsPath(TRAYSTART_HOOK_DLL).c_str()), nullptr);
    // A hook left behind would call into freed code here.
    ASSERT_TRUE(tray_probe::Xdotool("mousemove 160 180"));
    PumpFor(300);
    ASSERT_TRUE(tray_probe::Xdotool("mousemove 170 190 click 1"));
    PumpFor(300);
    POINT cursor {};
    ::GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 170);
    EXPECT_EQ(cursor.y, 190);
}

TEST_F(RealHookLibrary, TheOptionFlagStillReportsThroughThisProcesssOwnHook)
{
    HWND target = Receiver(true, RECT {600, 150, 900, 400});
    ASSERT_EQ(attach(2, target, TRUE), 0);
    ASSERT_TRUE(tray_probe::ClickAt(POINT {700, 250}, 3));
    EXPECT_EQ(WaitForButtonCodes(target, 2), (std::vector<int> {4, 5}));
    for (const Notification& n : received)
        if (n.code == 4) {
            EXPECT_EQ(n.x, 700);
            EXPECT_EQ(n.y, 250);
            EXPECT_EQ(n.source, target);
        }
    EXPECT_EQ(detach(target), 0);
    EXPECT_EQ(detach(target), -3);
}

} // namespace
