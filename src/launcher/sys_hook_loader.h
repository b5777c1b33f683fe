// The loader of the mouse-hook library, one per process: the library is
// loaded by the first component that activates and freed when the last one
// lets go of it.
#pragma once
#include <windows.h>

#include <string>

// AttachReceiver(hook kind, receiving window, option flag): 0 or an error code.
using AttachReceiverProc = int(WINAPI*)(BYTE kind, HWND receiver, BOOLEAN option);
using DetachReceiverProc = int(WINAPI*)(HWND receiver);
using LastErrorProc = int(WINAPI*)();

// Result of LoadHookDLL when the library lacks one of the three exports.
constexpr int kHookMissingExports = -1;

// Loads `name` (or counts one more load when a library is already loaded):
// 0 on success, a system error code, or kHookMissingExports.
int LoadHookDLL(const std::string& name);
// Counts one load less; at zero the library is freed.
void UnloadHookDLL();
// The text for a result of LoadHookDLL or AttachReceiver.
std::string HookErrorText(int code);

// The library's AttachReceiver, null while none is loaded.
AttachReceiverProc HookAttachReceiver();
HMODULE HookDLLHandle();
int HookDLLLoadCount();

// The loader's shut-down: warns when the library is still loaded. Runs by
// itself when the program ends.
void ShutDownHookLoader();
