#include "hotkeys/hide_record.h"

#include <algorithm>

namespace {
// The first line tells our record from any other file of that name.
constexpr std::string_view kSignature = "TrayStartMenu hidden 1\r\n";
constexpr std::string_view kEnd = "\r\n";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One id at `at`: an optional minus and up to six digits; false when there is none.
bool ReadId(std::string_view text, std::size_t& at, int& id)
{
    bool negative = false;
    if (at < text.size() && text[at] == '-') {
        negative = true;
        ++at;
    }
    const std::size_t start = at;
    long value = 0;
    while (at < text.size() && IsDigit(text[at]) && at - start < 6)
        value = value * 10 + (text[at++] - '0');
    if (at == start || (at < text.size() && IsDigit(text[at])))
        return false;
    value = negative ? -value : value;
    if (value < kMinRecordedId || value > kMaxRecordedId)
        return false;
    id = static_cast<int>(value);
    return true;
}
} // namespace

std::string HideRecordPath(const std::string& programDir, const std::string& desktopName)
{
    return programDir + "\\hidden-" + desktopName;
}

std::string FormatHideRecord(const std::vector<int>& ids)
{
    std::string text(kSignature);
    std::vector<int> written;
    for (int id : ids) {
        if (std::find(written.begin(), written.end(), id) != written.end())
            continue;
        if (!written.empty())
            text += ' ';
        text += std::to_string(id);
        written.push_back(id);
    }
    text += kEnd;
    return text;
}

HideRecord ParseHideRecord(std::string_view content)
{
    HideRecord damaged;
    if (content.substr(0, kSignature.size()) != kSignature)
        return damaged;
    std::string_view rest = content.substr(kSignature.size());
    // The line end is written last: without it the record was cut short.
    if (rest.size() < kEnd.size() || rest.substr(rest.size() - kEnd.size()) != kEnd)
        return damaged;
    rest.remove_suffix(kEnd.size());
    HideRecord record;
    std::size_t at = 0;
    while (at < rest.size()) {
        int id = 0;
        if (record.ids.size() >= kMaxRecordedIds || !ReadId(rest, at, id))
            return damaged;
        if (std::find(record.ids.begin(), record.ids.end(), id) == record.ids.end())
            record.ids.push_back(id);
        if (at < rest.size() && rest[at++] != ' ')
            return damaged;
        // A blank at the very end leaves an id missing.
        if (at == rest.size() && rest.back() == ' ')
            return damaged;
    }
    record.intact = true;
    return record;
}
