// The caption of the tray popup's first item: date, time and weekday, as it
// is assembled from the texts the regional settings give.
#pragma once

#include <string>

// Weekday captions (code page 936) indexed 1 (Sunday) to 7 (Saturday); [0] is unused.
extern const char* const DayNames[8];

// `dateText` and `timeText` are the date in the short date format and the
// time in the long time format; at exactly midnight the time and the space
// before it are left out. `dayOfWeek` runs from 1 (Sunday) to 7.
std::string DateTimeCaption(
    const std::string& dateText, const std::string& timeText, int hour, int minute, int second, int dayOfWeek);
