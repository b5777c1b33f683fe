#include "launcher/win32_folder_source.h"

#include "framework/scoped.h"

#include <windows.h>

namespace {
bool SystemLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }
} // namespace

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
        const std::uint64_t modified = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32)
            | data.ftLastWriteTime.dwLowDateTime;
        entries.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, modified,
            (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (::FindNextFileA(find.Get(), &data));
    return entries;
}

unsigned long Win32FolderSource::Attributes(const std::string& path)
{
    if (path != lastPath_) {
        lastAttributes_ = ::GetFileAttributesA(path.c_str());
        lastPath_ = path;
    }
    return lastAttributes_;
}

bool Win32FolderSource::FileExists(const std::string& path)
{
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FolderSource::DirectoryExists(const std::string& path)
{
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

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
