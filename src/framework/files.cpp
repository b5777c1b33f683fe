#include "framework/files.h"

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

void FileHandle::Close()
{
    if (Valid())
        kind_ == Kind::Search ? ::FindClose(handle_) : ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}
