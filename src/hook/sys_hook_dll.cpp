// SysHookDLL.dll: reports the mouse events of the whole desktop to receiver
// windows. Each event is posted at once as WM_USER + code, where code counts
// the mouse messages from WM_MOUSEMOVE (move, left down, up, double click,
// right ..., middle ...), with x and y in the low and high words of wParam and
// the window under the mouse in lParam.
//
// A low-level mouse hook is installed on the thread that registers the first
// receiver; that thread's message loop runs the hook. All state is this
// process's own: nothing is shared with other processes that load the file,
// so no other account or integrity level can rewrite the receivers or the
// hook handle. A system without the low-level hook (9x/ME, NT 4 before SP3)
// gets the system's error code from AttachReceiver.
//
// Exports (stdcall): AttachReceiver(kind, window, option), DetachReceiver(window),
// LastError(). The option flag is accepted and changes nothing: the hook it
// once chose ran in every process and needed a writable shared section.
#include <windows.h>

namespace {

constexpr BYTE kMouseHookKind = 2;
constexpr int kMaxReceivers = 16;

constexpr int kAlreadyRegistered = -2;
constexpr int kNotRegistered = -3;
constexpr int kTooManyReceivers = -4;
constexpr int kHookAlreadyInstalled = -5;

HINSTANCE module = nullptr;

// ---- State of this process ---------------------------------------------------

CRITICAL_SECTION lock;
HWND receivers[kMaxReceivers] = {};
HHOOK lowLevelHook = nullptr;
DWORD lowLevelThread = 0;
DWORD lastError = 0;

// The low-level hook sees plain downs; the second down of a double click is
// reported as a double click, as the window messages do.
struct PressRecord {
    int button = -1;
    DWORD time = 0;
    POINT point {};
};
PressRecord lastPress;

class Lock {
public:
    Lock() { ::EnterCriticalSection(&lock); }
    ~Lock() { ::LeaveCriticalSection(&lock); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
};

int Fail(DWORD code)
{
    lastError = code ? code : ERROR_GEN_FAILURE;
    return static_cast<int>(lastError);
}

// ---- Receiver tables ----------------------------------------------------------

bool Contains(HWND* table, HWND window)
{
    for (int i = 0; i < kMaxReceivers; ++i)
        if (table[i] == window)
            return true;
    return false;
}

HWND* FreeSlot(HWND* table)
{
    for (int i = 0; i < kMaxReceivers; ++i)
        if (!table[i])
            return &table[i];
    return nullptr;
}

bool Empty(HWND* table)
{
    for (int i = 0; i < kMaxReceivers; ++i)
        if (table[i])
            return false;
    return true;
}

// Receivers whose window is gone (destroyed without detaching) are dropped.
void Prune(HWND* table)
{
    for (int i = 0; i < kMaxReceivers; ++i)
        if (table[i] && !::IsWindow(table[i]))
            table[i] = nullptr;
}

bool Remove(HWND* table, HWND window)
{
    for (int i = 0; i < kMaxReceivers; ++i)
        if (table[i] == window) {
            table[i] = nullptr;
            return true;
        }
    return false;
}

// Posting never waits for the receiver, so a busy or hung receiver cannot
// hold up the mouse; one that has gone away is dropped.
void Deliver(HWND* table, int code, POINT at, HWND source)
{
    const WPARAM position = MAKEWPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y));
    for (int i = 0; i < kMaxReceivers; ++i) {
        HWND receiver = table[i];
        if (!receiver)
            continue;
        if (!::PostMessageA(receiver, WM_USER + code, position, reinterpret_cast<LPARAM>(source))
            && !::IsWindow(receiver))
            table[i] = nullptr;
    }
}

// Code of a client or non-client mouse message, or -1 for other messages
// (wheel and extra buttons are not reported).
int MessageCode(WPARAM message)
{
    if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK)
        return static_cast<int>(message - WM_MOUSEMOVE);
    if (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK)
        return static_cast<int>(message - WM_NCMOUSEMOVE);
    return -1;
}

LONG Distance(LONG a, LONG b) { return a > b ? a - b : b - a; }

bool IsSecondPress(int button, DWORD time, POINT point)
{
    const bool second = lastPress.button == button && time - lastPress.time <= ::GetDoubleClickTime()
        && 2 * Distance(point.x, lastPress.point.x) <= ::GetSystemMetrics(SM_CXDOUBLECLK)
        && 2 * Distance(point.y, lastPress.point.y) <= ::GetSystemMetrics(SM_CYDOUBLECLK);
    // A third press starts a new pair.
    lastPress.button = second ? -1 : button;
    lastPress.time = time;
    lastPress.point = point;
    return second;
}

// ---- The hooks -----------------------------------------------------------------

LRESULT CALLBACK LowLevelMouseProc(int hookCode, WPARAM message, LPARAM data)
{
    if (hookCode == HC_ACTION) {
        const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
        int code = MessageCode(message);
        if (code > 0 && (code - 1) % 3 == 0 && IsSecondPress((code - 1) / 3, info->time, info->pt))
            code += 2;
        if (code >= 0) {
            Lock held;
            Deliver(receivers, code, info->pt, ::WindowFromPoint(info->pt));
        }
    }
    return ::CallNextHookEx(nullptr, hookCode, message, data);
}

void ReleaseLowLevelHook()
{
    if (lowLevelHook)
        ::UnhookWindowsHookEx(lowLevelHook);
    lowLevelHook = nullptr;
    lowLevelThread = 0;
}

int AttachLowLevel(HWND receiver)
{
    Prune(receivers);
    if (lowLevelHook && Empty(receivers))
        ReleaseLowLevelHook();
    if (Contains(receivers, receiver))
        return kAlreadyRegistered;
    // The hook runs on its installing thread, which must keep pumping for
    // every receiver; a second thread cannot take it over.
    if (lowLevelHook && lowLevelThread != ::GetCurrentThreadId())
        return kHookAlreadyInstalled;
    HWND* slot = FreeSlot(receivers);
    if (!slot)
        return kTooManyReceivers;
    if (!lowLevelHook) {
        lowLevelHook = ::SetWindowsHookExA(WH_MOUSE_LL, LowLevelMouseProc, module, 0);
        if (!lowLevelHook)
            return Fail(::GetLastError());
        lowLevelThread = ::GetCurrentThreadId();
        lastPress = PressRecord();
    }
    *slot = receiver;
    return 0;
}

} // namespace

extern "C" {

int WINAPI AttachReceiver(BYTE kind, HWND receiver, BOOLEAN /*option*/)
{
    if (kind != kMouseHookKind)
        return Fail(ERROR_INVALID_PARAMETER);
    if (!receiver || !::IsWindow(receiver))
        return Fail(ERROR_INVALID_WINDOW_HANDLE);
    Lock held;
    return AttachLowLevel(receiver);
}

int WINAPI DetachReceiver(HWND receiver)
{
    Lock held;
    if (receiver && Remove(receivers, receiver)) {
        if (Empty(receivers))
            ReleaseLowLevelHook();
        return 0;
    }
    return kNotRegistered;
}

// The system error of the last failed call of this process, 0 if none failed.
int WINAPI LastError() { return static_cast<int>(lastError); }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        module = instance;
        ::InitializeCriticalSection(&lock);
        ::DisableThreadLibraryCalls(instance);
        break;
    case DLL_PROCESS_DETACH:
        // Freed while still hooked (the program drops the library without
        // detaching): the hooks must not outlive the code they call.
        // At process exit the system removes the hook itself.
        if (!reserved)
            ReleaseLowLevelHook();
        ::DeleteCriticalSection(&lock);
        break;
    default:
        break;
    }
    return TRUE;
}

} // extern "C"
