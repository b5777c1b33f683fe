// Preparation of the tray popup each time it opens.
#include "launcher/popup_menu_prep.h"
#include "launcher/popup_caption.h"

std::string SijianCaption(const SYSTEMTIME& now, LCID locale)
{
    char date[128] = {};
    char time[128] = {};
    if (!::GetDateFormatA(locale, DATE_SHORTDATE, &now, nullptr, date, sizeof date))
        date[0] = '\0';
    if (!::GetTimeFormatA(locale, 0, &now, nullptr, time, sizeof time))
        time[0] = '\0';
    return DateTimeCaption(date, time, now.wHour, now.wMinute, now.wSecond, now.wDayOfWeek + 1);
}
