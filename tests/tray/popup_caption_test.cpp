// The tray popup's date-and-time caption, from given date and time texts.
#include "launcher/popup_caption.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The weekdays in code page 936, written out byte by byte (the host build
// has no GBK execution character set).
const std::string kSunday = "\xD0\xC7\xC6\xDA\xC8\xD5"; // 星期日
const std::string kMonday = "\xD0\xC7\xC6\xDA\xD2\xBB"; // 星期一
const std::string kTuesday = "\xD0\xC7\xC6\xDA\xB6\xFE"; // 星期二
const std::string kWednesday = "\xD0\xC7\xC6\xDA\xC8\xFD"; // 星期三
const std::string kThursday = "\xD0\xC7\xC6\xDA\xCB\xC4"; // 星期四
const std::string kFriday = "\xD0\xC7\xC6\xDA\xCE\xE5"; // 星期五
const std::string kSaturday = "\xD0\xC7\xC6\xDA\xC1\xF9"; // 星期六

struct CaptionCase {
    const char* name;
    const char* date;
    const char* time;
    int hour, minute, second, dayOfWeek;
    std::string caption;
};

TEST(PopupCaption, DateTimeAndWeekday)
{
    const CaptionCase cases[] = {
        {"a Sunday afternoon", "2024/3/3", "13:05:09", 13, 5, 9, 1, "2024/3/3 13:05:09 " + kSunday},
        {"a Saturday evening", "2024/3/9", "23:59:59", 23, 59, 59, 7, "2024/3/9 23:59:59 " + kSaturday},
        {"midnight leaves the time out", "2024/3/9", "0:00:00", 0, 0, 0, 7, "2024/3/9 " + kSaturday},
        {"one second after midnight", "2024/3/10", "0:00:01", 0, 0, 1, 1, "2024/3/10 0:00:01 " + kSunday},
        {"a minute after midnight", "2024/3/10", "0:01:00", 0, 1, 0, 1, "2024/3/10 0:01:00 " + kSunday},
        {"noon is not midnight", "3/4/2024", "12:00:00 PM", 12, 0, 0, 2, "3/4/2024 12:00:00 PM " + kMonday},
        {"the formats' own texts are kept", "2024-03-05", "\xCF\xC2\xCE\xE7 3:00:00", 15, 0, 0, 3,
            "2024-03-05 \xCF\xC2\xCE\xE7 3:00:00 " + kTuesday},
    };
    for (const CaptionCase& c : cases)
        EXPECT_EQ(DateTimeCaption(c.date, c.time, c.hour, c.minute, c.second, c.dayOfWeek), c.caption) << c.name;
}

TEST(PopupCaption, EachWeekdayFromSundayOn)
{
    const std::string week[] = {kSunday, kMonday, kTuesday, kWednesday, kThursday, kFriday, kSaturday};
    for (int day = 1; day <= 7; ++day)
        EXPECT_EQ(DateTimeCaption("d", "t", 1, 0, 0, day), "d t " + week[day - 1]) << day;
}

} // namespace
