// Feeds arbitrary file contents to the readers of the program's own small
// files (the settings and the hide record) and checks the properties every
// caller relies on.
#include "app/settings_reader.h"
#include "hotkeys/hide_record.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool SameResult(const SettingsReadResult& a, const SettingsReadResult& b)
{
    return a.firstRead == b.firstRead && a.firstValue == b.firstValue && a.secondRead == b.secondRead
        && a.secondValue == b.secondValue && a.errorCode == b.errorCode;
}

// A record is either intact with ids in range, each once, that write back
// to the same record, or damaged with no ids (and still means "hidden").
void CheckHideRecord(std::string_view content)
{
    const HideRecord record = ParseHideRecord(content);
    if (!record.intact) {
        Require(record.ids.empty());
        return;
    }
    Require(record.ids.size() <= kMaxRecordedIds);
    for (std::size_t i = 0; i < record.ids.size(); ++i) {
        Require(record.ids[i] >= kMinRecordedId && record.ids[i] <= kMaxRecordedId);
        Require(std::find(record.ids.begin(), record.ids.begin() + i, record.ids[i]) == record.ids.begin() + i);
    }
    const HideRecord again = ParseHideRecord(FormatHideRecord(record.ids));
    Require(again.intact && again.ids == record.ids);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    CheckHideRecord(content);
    const SettingsReadResult result = ReadSettings(content);

    Require(result.errorCode == 0 || result.errorCode == kInvalidNumericInputCode);
    // A read either succeeds on both lines or stops at the first bad one.
    Require((result.errorCode == 0) == (result.firstRead && result.secondRead));
    Require(result.firstRead || !result.secondRead);
    // A value is only meaningful once its line was read.
    Require(result.firstRead || !result.firstValue);
    Require(result.secondRead || !result.secondValue);

    // Blank lines and blanks before the first number are skipped.
    Require(SameResult(ReadSettings("\r\n \t\n" + std::string(content)), result));

    // Only the first two lines matter: a saved file followed by any bytes
    // reads as what was saved.
    for (int bits = 0; bits < 4; ++bits) {
        const bool first = (bits & 1) != 0;
        const bool second = (bits & 2) != 0;
        const SettingsReadResult prefixed = ReadSettings(FormatSettings(first, second) + std::string(content));
        Require(prefixed.errorCode == 0 && prefixed.firstValue == first && prefixed.secondValue == second);
    }

    // Whatever was read survives a save and a reload.
    const SettingsReadResult reloaded = ReadSettings(FormatSettings(result.firstValue, result.secondValue));
    Require(reloaded.errorCode == 0 && reloaded.firstRead && reloaded.secondRead);
    Require(reloaded.firstValue == result.firstValue && reloaded.secondValue == result.secondValue);
    return 0;
}
