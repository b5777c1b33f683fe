// Plain file-system questions, shared by every subsystem.
#pragma once
#include <string>

bool FileExists(const std::string& path); // a file, not a directory
bool DirectoryExists(const std::string& path);
