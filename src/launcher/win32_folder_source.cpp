#include "launcher/win32_folder_source.h"

#include <windows.h>

namespace {
DWORD Attributes(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

bool SystemLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            ::FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};
}

bool FileExistsAt(const std::string& path)
{
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExistsAt(const std::string& path)
{
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<FoundEntry> Win32FolderSource::List(const std::string& pattern)
{
    std::vector<FoundEntry> entries;
    WIN32_FIND_DATAA data;
    // FindFirstFile reports hidden, system and read-only entries like any
    // other, which is what the menus want.
    FindHandle find(::FindFirstFileA(pattern.c_str(), &data));
    if (!find.Valid())
        return entries;
    do {
        entries.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileA(find.Get(), &data));
    return entries;
}

bool Win32FolderSource::FileExists(const std::string& path) { return FileExistsAt(path); }

bool Win32FolderSource::DirectoryExists(const std::string& path) { return DirectoryExistsAt(path); }

std::optional<FolderId> Win32FolderSource::Identity(const std::string& path)
{
    // No access rights are asked for: the identity is readable even where
    // the folder's contents are not. Directories need backup semantics.
    FileHandle file(::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid())
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(file.Get(), &info))
        return std::nullopt;
    FolderId id;
    id.volume = info.dwVolumeSerialNumber;
    id.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return id;
}

LeadBytePredicate Win32FolderSource::LeadBytes() const { return SystemLeadByte; }
