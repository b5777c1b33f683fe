// The named 8-byte shared block "XIANDESK" that every instance publishes:
// left edge and width of its main window, for any other process to read.
#pragma once
#include <windows.h>

#include <cstddef>

constexpr char kSharedBlockName[] = "XIANDESK";
constexpr DWORD kSharedBlockSize = 8;

// Whether `size` bytes from `view` are committed, writable memory.
bool ViewIsWritable(const void* view, std::size_t size);
// Opens the block, or creates it zero-filled, and maps it. Leaves `view` and
// `handle` null when it can be neither opened nor mapped, or when the view
// cannot take the block (another process created the name first as a
// reserved or smaller section).
void OpenSharedBlock(void*& view, HANDLE& handle, const char* name = kSharedBlockName);
// Unmaps and closes; both become null.
void CloseSharedBlock(void*& view, HANDLE& handle);
