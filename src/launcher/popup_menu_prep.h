// The tray popup's date-and-time caption, formatted by the regional settings.
#pragma once
#include <windows.h>

#include <string>

// The caption of `sijian` for the moment `now`: the date in the short date
// format and the time in the long time format of `locale`, then the weekday.
std::string SijianCaption(const SYSTEMTIME& now, LCID locale);
