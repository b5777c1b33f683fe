#include "launcher/folder_watcher.h"

#include "framework/files.h"
#include "launcher/shortcut_names.h"
#include "launcher/shortcut_scan.h"
#include "launcher/win32_folder_source.h"

#include <optional>
#include <vector>

namespace {
struct ChangeTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(Handle h) { return ::FindCloseChangeNotification(h) != FALSE; }
};
using ChangeHandle = UniqueHandle<ChangeTraits>;

// What the tree's menus show: names of files and folders, and shortcuts
// rewritten in place.
constexpr DWORD kTreeChanges
    = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE;
// Where neither the folder nor the folder above it exists (a drive that went
// away), the check for its return is repeated this often.
constexpr DWORD kRetryMs = 2000;
// How long the constructor waits for the first watch.
constexpr DWORD kArmWaitMs = 2000;
// After changes, the subfolders are listed again once this long has passed
// without another.
constexpr DWORD kSettleMs = 500;
// Subfolders watched one by one, besides the whole tree: some systems (Wine)
// report changes below the first level to neither kind of whole-tree watch.
// What a wait can take, less the stop event, the folder and its parent.
constexpr std::size_t kMaxSubfolderWatches = MAXIMUM_WAIT_OBJECTS - 3;

void ListSubfolders(const std::string& folder, int depth, std::vector<std::string>& found)
{
    WIN32_FIND_DATAA data;
    FindHandle find(::FindFirstFileA((folder + "\\*").c_str(), &data));
    if (!find.Valid())
        return;
    do {
        const std::string name = data.cFileName;
        // Links are not followed: they may lead back up the tree.
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            || (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || name == "." || name == "..")
            continue;
        if (found.size() >= kMaxSubfolderWatches)
            return;
        found.push_back(folder + "\\" + name);
        if (depth < kMaxFolderDepth)
            ListSubfolders(found.back(), depth + 1, found);
    } while (::FindNextFileA(find.Get(), &data));
}

std::vector<ChangeHandle> WatchSubfolders(const std::string& folder)
{
    std::vector<std::string> paths;
    ListSubfolders(folder, 1, paths);
    std::vector<ChangeHandle> watches;
    for (const std::string& path : paths) {
        ChangeHandle watch(::FindFirstChangeNotificationA(path.c_str(), FALSE, kTreeChanges));
        if (watch.Valid())
            watches.push_back(std::move(watch));
    }
    return watches;
}

std::optional<FolderId> FolderIdentity(const std::string& folder)
{
    if (!DirectoryExists(folder))
        return std::nullopt;
    // A folder whose identity cannot be read is still watched, as itself.
    Win32FolderSource source;
    return source.Identity(folder).value_or(FolderId {});
}

bool SameFolder(const std::optional<FolderId>& a, const std::optional<FolderId>& b)
{
    return a.has_value() == b.has_value() && (!a || *a == *b);
}
} // namespace

FolderWatcher::FolderWatcher(std::string folder, HWND window, UINT message)
    : folder_(std::move(folder))
    , window_(window)
    , message_(message)
    , stop_(::CreateEventA(nullptr, TRUE, FALSE, nullptr))
    , armed_(::CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    const std::size_t slash = FindLastCharOf(folder_, "\\");
    parent_ = slash == std::string::npos ? std::string(".") : folder_.substr(0, slash);
    if (parent_.size() == 2 && parent_[1] == ':')
        parent_ += '\\';
    if (stop_.Valid() && armed_.Valid())
        thread_.Reset(::CreateThread(nullptr, 0, &FolderWatcher::ThreadMain, this, 0, nullptr));
    if (thread_.Valid()) {
        const HANDLE handles[] = {armed_.Get(), thread_.Get()};
        ::WaitForMultipleObjects(2, handles, FALSE, kArmWaitMs);
    }
}

FolderWatcher::~FolderWatcher()
{
    if (thread_.Valid()) {
        ::SetEvent(stop_.Get());
        ::WaitForSingleObject(thread_.Get(), INFINITE);
    }
}

DWORD WINAPI FolderWatcher::ThreadMain(void* self)
{
    static_cast<FolderWatcher*>(self)->Run();
    return 0;
}

void FolderWatcher::Run()
{
    for (;;) {
        if (!WaitUntilThere() || !WatchWhileThere())
            return;
    }
}

void FolderWatcher::Post()
{
    if (!posted_.exchange(true))
        ::PostMessageA(window_, message_, 0, 0);
}

bool FolderWatcher::WaitUntilThere()
{
    bool wasMissing = false;
    while (!FolderIdentity(folder_)) {
        wasMissing = true;
        // The folder above tells when a folder is created or renamed in it.
        ChangeHandle parent(::FindFirstChangeNotificationA(parent_.c_str(), FALSE, FILE_NOTIFY_CHANGE_DIR_NAME));
        ::SetEvent(armed_.Get());
        if (FolderIdentity(folder_))
            break;
        const HANDLE handles[] = {stop_.Get(), parent.Get()};
        const DWORD woke
            = ::WaitForMultipleObjects(parent.Valid() ? 2 : 1, handles, FALSE, parent.Valid() ? INFINITE : kRetryMs);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED)
            return false;
    }
    if (wasMissing)
        Post();
    return true;
}

bool FolderWatcher::WatchWhileThere()
{
    const std::optional<FolderId> identity = FolderIdentity(folder_);
    ChangeHandle tree(::FindFirstChangeNotificationA(folder_.c_str(), TRUE, kTreeChanges));
    // A rename or deletion of the folder itself shows only in the folder above.
    ChangeHandle parent(::FindFirstChangeNotificationA(parent_.c_str(), FALSE, FILE_NOTIFY_CHANGE_DIR_NAME));
    std::vector<ChangeHandle> subfolders = WatchSubfolders(folder_);
    ::SetEvent(armed_.Get());
    if (!tree.Valid()) {
        // Nothing to wait on here (gone again, or not watchable): try afresh
        // after a pause rather than spin.
        return ::WaitForSingleObject(stop_.Get(), kRetryMs) != WAIT_OBJECT_0;
    }
    bool foldersChanged = false;
    for (;;) {
        std::vector<HANDLE> handles = {stop_.Get(), tree.Get()};
        if (parent.Valid())
            handles.push_back(parent.Get());
        for (const ChangeHandle& subfolder : subfolders)
            handles.push_back(subfolder.Get());
        const DWORD woke = ::WaitForMultipleObjects(
            static_cast<DWORD>(handles.size()), handles.data(), FALSE, foldersChanged ? kSettleMs : INFINITE);
        if (woke == WAIT_TIMEOUT) {
            // The burst is over: watch the subfolders as they are now.
            subfolders = WatchSubfolders(folder_);
            foldersChanged = false;
            continue;
        }
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED || woke >= WAIT_OBJECT_0 + handles.size())
            return false;
        const HANDLE signalled = handles[woke - WAIT_OBJECT_0];
        if (!SameFolder(FolderIdentity(folder_), identity)) {
            Post();
            return true; // watch the new folder, or wait for one
        }
        // The folder above also tells of its other folders: no change of ours.
        if (signalled != parent.Get()) {
            Post();
            foldersChanged = true;
        }
        if (!::FindNextChangeNotification(signalled))
            return true;
    }
}
