#include "app/map_file.h"

#include "framework/os.h"

#include <cstring>

void OpenSharedBlock(void*& view, HANDLE& handle, const char* name)
{
    bool created = false;
    handle = ::OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
    if (!handle) {
        created = true;
        handle = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSharedBlockSize, name);
    }
    view = handle ? ::MapViewOfFile(handle, FILE_MAP_WRITE, 0, 0, 0) : nullptr;
    if (view && created)
        std::memset(view, 0, kSharedBlockSize);
}

void CloseSharedBlock(void*& view, HANDLE& handle)
{
    bool failed = false;
    if (view && !::UnmapViewOfFile(view))
        failed = true;
    view = nullptr;
    if (handle && !::CloseHandle(handle))
        failed = true;
    handle = nullptr;
    if (failed)
        Os().ShowMessageBox(nullptr, "释放 MapFile 错误", "错误", MB_OK);
}
