// Restores the mouse-hook library from its backup copy, whose first byte is a
// guard byte and whose remaining bytes are the library image.
#pragma once
#include <string>

// Copies `backup` from byte 1 onward into `library` in 500-byte blocks.
// Throws on any failure; a partly written library is deleted first.
void RestoreLibraryFromBackup(const std::string& backup, const std::string& library);
