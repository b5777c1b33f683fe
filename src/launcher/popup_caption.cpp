#include "launcher/popup_caption.h"

// Written as GBK bytes so the host build, which has no GBK execution
// character set, holds the same text as the program.
const char* const DayNames[8] = {
    "",
    "\xD0\xC7\xC6\xDA\xC8\xD5", // 星期日
    "\xD0\xC7\xC6\xDA\xD2\xBB", // 星期一
    "\xD0\xC7\xC6\xDA\xB6\xFE", // 星期二
    "\xD0\xC7\xC6\xDA\xC8\xFD", // 星期三
    "\xD0\xC7\xC6\xDA\xCB\xC4", // 星期四
    "\xD0\xC7\xC6\xDA\xCE\xE5", // 星期五
    "\xD0\xC7\xC6\xDA\xC1\xF9", // 星期六
};

std::string DateTimeCaption(
    const std::string& dateText, const std::string& timeText, int hour, int minute, int second, int dayOfWeek)
{
    std::string caption = dateText;
    if (hour != 0 || minute != 0 || second != 0)
        caption += " " + timeText;
    caption += " ";
    if (dayOfWeek >= 1 && dayOfWeek <= 7)
        caption += DayNames[dayOfWeek];
    return caption;
}
