// Restores the mouse-hook library from its backup copy, whose first byte is a
// guard byte and whose remaining bytes are the library image.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Writes one block; false when the write failed. `written` may fall short.
using BlockWriter = std::function<bool(HANDLE file, const char* data, DWORD size, DWORD& written)>;

// Copies `backup` from byte 1 onward into `library` in 500-byte blocks.
// Throws on any failure; a partly written library is deleted first.
// `write` replaces the plain file write (tests use it to fail a write).
void RestoreLibraryFromBackup(
    const std::string& backup, const std::string& library, const BlockWriter& write = nullptr);
