#include "hotkeys/hide_record_file.h"

#include "framework/files.h"

#include <windows.h>

namespace {
// A record is a few kilobytes at most; anything past this is damage.
constexpr DWORD kMaxRecordBytes = 64 * 1024;
// Long enough for another copy's restoring pass over a full notification area.
constexpr DWORD kLockWaitMs = 60 * 1000;

bool WriteWhole(const std::string& path, const std::string& content)
{
    FileHandle file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr)
        && written == content.size() && ::FlushFileBuffers(file.Get());
    return file.Reset() && ok;
}
} // namespace

bool SaveHideRecord(const std::string& path, const std::vector<int>& ids)
{
    const std::string temporary = path + ".new";
    if (WriteWhole(temporary, FormatHideRecord(ids)) && ReplaceFileWith(temporary, path))
        return true;
    ::DeleteFileA(temporary.c_str());
    return false;
}

std::optional<HideRecord> LoadHideRecord(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return std::nullopt;
        return HideRecord {};
    }
    FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return HideRecord {};
    std::string content;
    char block[4096];
    DWORD got = 0;
    while (content.size() <= kMaxRecordBytes && ::ReadFile(file.Get(), block, sizeof block, &got, nullptr) && got > 0)
        content.append(block, got);
    if (content.size() > kMaxRecordBytes)
        return HideRecord {};
    return ParseHideRecord(content);
}

bool DeleteHideRecord(const std::string& path)
{
    if (::DeleteFileA(path.c_str()))
        return true;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

HideRecordLock::HideRecordLock(const std::string& desktopName)
    : mutex_(::CreateMutexA(nullptr, FALSE, ("TrayStartMenu.HideRecord." + desktopName).c_str()))
{
    if (!mutex_) {
        // Without the mutex the copies cannot agree; restoring twice only
        // shows shown icons again.
        held_ = true;
        return;
    }
    const DWORD waited = ::WaitForSingleObject(mutex_.Get(), kLockWaitMs);
    // Abandoned: the other copy died before it removed the record.
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

HideRecordLock::~HideRecordLock()
{
    if (held_ && mutex_)
        ::ReleaseMutex(mutex_.Get());
}
