#include "framework/files.h"

#include <windows.h>

bool FileExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReplaceFileWith(const std::string& source, const std::string& target)
{
    if (::MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    // Windows 9x has no MoveFileEx.
    if (::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return false;
    if (FileExists(target) && !::DeleteFileA(target.c_str()))
        return false;
    return ::MoveFileA(source.c_str(), target.c_str()) != FALSE;
}
