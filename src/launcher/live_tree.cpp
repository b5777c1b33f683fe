#include "launcher/live_tree.h"

#include "framework/files.h"
#include "framework/menu_loop.h"
#include "launcher/folder_watcher.h"

namespace {
const char kWindowClass[] = "TLiveTree";
constexpr UINT kFolderChanged = WM_APP + 21;
constexpr UINT_PTR kSettleTimer = 1;
} // namespace

LiveTree::LiveTree(std::string folder, std::function<void()> rebuild)
    : folder_(std::move(folder))
    , rebuild_(std::move(rebuild))
    , window_([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return HandleMessage(message, wParam, lParam, result);
    })
{
    if (window_.Create(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr))
        watcher_ = std::make_unique<FolderWatcher>(folder_, window_.Handle(), kFolderChanged);
}

// The watcher's thread ends before the window it posts to goes.
LiveTree::~LiveTree() { watcher_.reset(); }

bool LiveTree::Watching() const { return watcher_ && watcher_->Running(); }

bool LiveTree::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message == kFolderChanged) {
        OnChange();
        result = 0;
        return true;
    }
    if (message == WM_TIMER && wParam == kSettleTimer) {
        OnTimer();
        result = 0;
        return true;
    }
    return false;
}

void LiveTree::ArmTimer(UINT delayMs) { ::SetTimer(window_.Handle(), kSettleTimer, delayMs ? delayMs : 1, nullptr); }

void LiveTree::OnChange()
{
    if (watcher_)
        watcher_->Acknowledge();
    const bool wasPending = batch_.Pending();
    batch_.Changed(::GetTickCount());
    if (!wasPending)
        ArmTimer(batch_.DueIn(::GetTickCount()));
}

void LiveTree::OnTimer()
{
    ::KillTimer(window_.Handle(), kSettleTimer);
    if (!batch_.Pending())
        return;
    if (const std::uint32_t due = batch_.DueIn(::GetTickCount())) {
        ArmTimer(due);
        return;
    }
    // Items of an open menu must live until it closes (its command comes
    // after), so the rebuild waits; checked again shortly, which also lets
    // the closing menu's command run first.
    if (MenuLoopActive()) {
        ArmTimer(ChangeBatch::kQuietMs);
        return;
    }
    batch_.Taken();
    if (!DirectoryExists(folder_))
        return;
    ++rebuilds_;
    rebuild_();
}
