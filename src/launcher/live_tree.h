// Keeps the "我的程序" trees in step with the folder: a change below it
// rebuilds both trees by itself, once a burst of changes has settled and no
// menu of the program is open, without the reload's sound.
#pragma once
#include "framework/window.h"
#include "launcher/change_batch.h"

#include <functional>
#include <memory>
#include <string>

class FolderWatcher;

class LiveTree {
public:
    // `rebuild` runs on this thread; it is never called while the folder is
    // missing, so the last good trees stay until the folder is back.
    LiveTree(std::string folder, std::function<void()> rebuild);
    ~LiveTree();
    LiveTree(const LiveTree&) = delete;
    LiveTree& operator=(const LiveTree&) = delete;

    bool Watching() const;
    // Rebuilds made so far.
    long Rebuilds() const { return rebuilds_; }

private:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnChange();
    void OnTimer();
    void ArmTimer(UINT delayMs);

    std::string folder_;
    std::function<void()> rebuild_;
    HandlerWindow window_;
    std::unique_ptr<FolderWatcher> watcher_;
    ChangeBatch batch_;
    long rebuilds_ = 0;
};
