// The named 8-byte shared block "XIANDESK" that every instance publishes:
// left edge and width of its main window, for any other process to read.
#pragma once
#include "framework/scoped.h"

#include <windows.h>

constexpr char kSharedBlockName[] = "XIANDESK";
constexpr DWORD kSharedBlockSize = 8;

// Opens the block, or creates it zero-filled, and maps it. Leaves `view`
// empty when it can be neither opened nor mapped.
void OpenSharedBlock(MappedView& view, KernelHandle& handle, const char* name = kSharedBlockName);
// Unmaps and closes; both become empty.
void CloseSharedBlock(MappedView& view, KernelHandle& handle);
