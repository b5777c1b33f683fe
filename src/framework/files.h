// Plain file-system questions, shared by every subsystem.
#pragma once
#include <string>

bool FileExists(const std::string& path); // a file, not a directory
bool DirectoryExists(const std::string& path);
// Moves `source` over `target` in one step, so a reader sees the old file or
// the new one and never a part; false on failure, with the system's error set.
bool ReplaceFileWith(const std::string& source, const std::string& target);
