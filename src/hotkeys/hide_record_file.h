// The hide record on disk: written in one step before the first hide message,
// read at start-up, removed after a full restore.
#pragma once
#include "framework/scoped.h"
#include "hotkeys/hide_record.h"

#include <optional>
#include <string>
#include <vector>

// Writes the record through a temporary file that then replaces it, so a
// reader finds the old record or the new one, never a part. False on failure
// (a read-only folder): the caller goes on without a record.
bool SaveHideRecord(const std::string& path, const std::vector<int>& ids);
// Nothing when there is no record. A record that exists but cannot be opened
// or read reads as not intact, which still asks for a restoring pass.
std::optional<HideRecord> LoadHideRecord(const std::string& path);
// True when no record is left at `path`.
bool DeleteHideRecord(const std::string& path);

// Held while a copy of the program reads the record, restores and removes it:
// two copies started at once make one restoring pass, not two.
class HideRecordLock {
public:
    explicit HideRecordLock(const std::string& desktopName);
    ~HideRecordLock();
    HideRecordLock(const HideRecordLock&) = delete;
    HideRecordLock& operator=(const HideRecordLock&) = delete;
    // False when another copy kept it too long: that copy does the restoring.
    bool Held() const { return held_; }

private:
    KernelHandle mutex_;
    bool held_ = false;
};
