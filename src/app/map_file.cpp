#include "app/map_file.h"

#include "framework/os.h"

#include <cstddef>
#include <cstring>

bool ViewIsWritable(const void* view, std::size_t size)
{
    MEMORY_BASIC_INFORMATION region {};
    if (!view || ::VirtualQuery(view, &region, sizeof region) != sizeof region)
        return false;
    const DWORD writable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    if (region.State != MEM_COMMIT || !(region.Protect & writable) || (region.Protect & PAGE_GUARD))
        return false;
    const std::size_t offset = static_cast<const char*>(view) - static_cast<const char*>(region.BaseAddress);
    return region.RegionSize > offset && region.RegionSize - offset >= size;
}

void OpenSharedBlock(void*& view, HANDLE& handle, const char* name)
{
    bool created = false;
    handle = ::OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
    if (!handle) {
        created = true;
        handle = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSharedBlockSize, name);
    }
    view = handle ? ::MapViewOfFile(handle, FILE_MAP_WRITE, 0, 0, 0) : nullptr;
    // Whoever created the name first chose its pages: a reserved, uncommitted
    // section maps fine and faults on the first write. Without a block the
    // program runs on; nothing reads it.
    if (handle && !ViewIsWritable(view, kSharedBlockSize)) {
        if (view)
            ::UnmapViewOfFile(view);
        ::CloseHandle(handle);
        view = nullptr;
        handle = nullptr;
        return;
    }
    if (created)
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
