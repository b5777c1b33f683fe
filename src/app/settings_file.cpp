#include "app/settings_file.h"

#include "framework/errors.h"
#include "framework/files.h"
#include "framework/scoped.h"

#include <windows.h>

std::optional<SettingsReadResult> LoadSettingsFile(const std::string& path)
{
    if (!FileExists(path))
        return std::nullopt;
    FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        RaiseLastFileError();
    // Only the first two lines matter; a huge file is read no further than needed.
    std::string content;
    char block[4096];
    DWORD got = 0;
    BOOL ok = TRUE;
    while ((ok = ::ReadFile(file.Get(), block, sizeof block, &got, nullptr)) && got > 0 && content.size() < (1u << 20))
        content.append(block, got);
    DWORD error = ::GetLastError();
    file.Reset();
    if (!ok)
        throw InOutError(static_cast<int>(error));
    return ReadSettings(content);
}

void SaveSettingsFile(const std::string& path, bool first, bool second)
{
    // A read-only file is the user's "do not change": rewriting it in place
    // would fail, so replacing it must fail too.
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        throw InOutError(ERROR_ACCESS_DENIED);
    const std::string temporary = path + ".new";
    const std::string content = FormatSettings(first, second);
    FileHandle file(
        ::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        RaiseLastFileError();
    DWORD written = 0;
    bool ok = ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr)
        && written == content.size() && ::FlushFileBuffers(file.Get());
    DWORD error = ok ? 0 : ::GetLastError();
    if (!file.Reset() && ok) {
        ok = false;
        error = ::GetLastError();
    }
    if (ok && !ReplaceFileWith(temporary, path)) {
        ok = false;
        error = ::GetLastError();
    }
    if (!ok) {
        ::DeleteFileA(temporary.c_str());
        throw InOutError(error ? static_cast<int>(error) : 101);
    }
}
