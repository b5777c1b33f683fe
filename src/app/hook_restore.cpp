#include "app/hook_restore.h"

#include "framework/errors.h"
#include "framework/files.h"
#include "framework/scoped.h"

namespace {
const char kCannotCopy[] = "无法拷贝文件";
}

void RestoreLibraryFromBackup(const std::string& backup, const std::string& library, const BlockWriter& write)
{
    FileHandle source(::CreateFileA(
        backup.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!source.Valid())
        RaiseLastFileError();
    // The first byte of the backup is not part of the library.
    if (::SetFilePointer(source.Get(), 1, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER
        && ::GetLastError() != NO_ERROR)
        RaiseLastFileError();

    FileHandle target(
        ::CreateFileA(library.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target.Valid())
        RaiseLastFileError();

    try {
        char block[500];
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(source.Get(), block, sizeof block, &got, nullptr))
                RaiseLastFileError();
            if (got == 0)
                break;
            DWORD written = 0;
            bool ok = write ? write(target.Get(), block, got, written)
                            : ::WriteFile(target.Get(), block, got, &written, nullptr) != FALSE;
            if (!ok)
                RaiseLastFileError();
            if (written < got)
                throw InOutError(101, kCannotCopy);
        }
    } catch (...) {
        // Never leave a truncated library behind: it would load and crash later.
        target.Reset();
        ::DeleteFileA(library.c_str());
        throw;
    }
    // The library is closed before the backup.
    target.Reset();
    source.Reset();
}
