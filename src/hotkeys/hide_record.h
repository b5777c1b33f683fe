// The record of a hiding pass kept in the program's folder: which command
// identifiers were hidden, so that a later start can show them again when
// the program ended without restoring them (killed, crashed, power lost).
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What a record says. A record that is present always means "hidden": one
// that cannot be read (empty, truncated, damaged) has `intact` false and no
// ids, and still asks for a restoring pass.
struct HideRecord {
    bool intact = false;
    std::vector<int> ids; // each once, in the order they were hidden
};

// More ids than any notification area holds; a longer record is damaged.
constexpr std::size_t kMaxRecordedIds = 4096;
// A button's identifier as the passes derive it lies in [-1, count].
constexpr int kMinRecordedId = -1;
constexpr int kMaxRecordedId = 65535;

// The record's file beside "set", one per desktop: each instance restores the
// shell of its own desktop.
std::string HideRecordPath(const std::string& programDir, const std::string& desktopName);

// The file's bytes for `ids`; duplicates are written once.
std::string FormatHideRecord(const std::vector<int>& ids);
// Reads a record's bytes. Never fails: bad bytes give a record that is not intact.
HideRecord ParseHideRecord(std::string_view content);
