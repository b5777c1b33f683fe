#pragma once

#include <string>
#include <string_view>

// I/O error raised by the text-file reader when a line does not begin with a
// valid integer.
constexpr int kInvalidNumericInputCode = 106;
constexpr char kInvalidNumericInputText[] = "Invalid numeric input";

// Outcome of reading the two-line settings file. A line's value is only
// meaningful when its read succeeded; reading stops at the first failure, so
// a bad first line leaves both unread and a bad second line only the second.
struct SettingsReadResult {
    bool firstRead = false;
    bool firstValue = false; // line 1's integer != 0
    bool secondRead = false;
    bool secondValue = false; // line 2's integer != 0
    int errorCode = 0; // 0, or kInvalidNumericInputCode
};

// Reads two integers the way a Pascal text file's Readln(f, n) does, from the
// whole file content (raw bytes, any code page).
SettingsReadResult ReadSettings(std::string_view content);

// The file content that saves the two options: "1" or "0", each followed by
// CR LF.
std::string FormatSettings(bool first, bool second);
