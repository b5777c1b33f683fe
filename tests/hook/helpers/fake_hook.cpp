// A stand-in hook library for the loader tests: AttachReceiver records its
// arguments and returns what the test asked for. Built once with all three
// exports and once without LastError.
#include <windows.h>

namespace {
int attachResult = 0;
int attachCalls = 0;
BYTE lastKind = 0;
HWND lastReceiver = nullptr;
BOOLEAN lastOption = 0;
} // namespace

extern "C" {

__declspec(dllexport) int WINAPI AttachReceiver(BYTE kind, HWND receiver, BOOLEAN option)
{
    ++attachCalls;
    lastKind = kind;
    lastReceiver = receiver;
    lastOption = option;
    return attachResult;
}

__declspec(dllexport) int WINAPI DetachReceiver(HWND) { return 0; }

#ifndef WITHOUT_LAST_ERROR
__declspec(dllexport) int WINAPI LastError() { return 0; }
#endif

// For the tests.
__declspec(dllexport) void WINAPI FakeSetAttachResult(int result) { attachResult = result; }
__declspec(dllexport) int WINAPI FakeAttachCalls() { return attachCalls; }
__declspec(dllexport) HWND WINAPI FakeLastAttach(BYTE* kind, BOOLEAN* option)
{
    *kind = lastKind;
    *option = lastOption;
    return lastReceiver;
}
}
