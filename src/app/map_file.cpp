#include "app/map_file.h"

#include "framework/os.h"

#include <cstring>

void OpenSharedBlock(MappedView& view, KernelHandle& handle, const char* name)
{
    bool created = false;
    handle.Reset(::OpenFileMappingA(FILE_MAP_WRITE, FALSE, name));
    if (!handle) {
        created = true;
        handle.Reset(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSharedBlockSize, name));
    }
    view.Reset(handle ? ::MapViewOfFile(handle.Get(), FILE_MAP_WRITE, 0, 0, 0) : nullptr);
    if (view && created)
        std::memset(view.Get(), 0, kSharedBlockSize);
}

void CloseSharedBlock(MappedView& view, KernelHandle& handle)
{
    const bool unmapped = view.Reset();
    const bool closed = handle.Reset();
    if (!unmapped || !closed)
        Os().ShowMessageBox(nullptr, "释放 MapFile 错误", "错误", MB_OK);
}
