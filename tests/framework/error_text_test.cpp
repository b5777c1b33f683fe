#include "framework/error_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ErrorBoxText, AppendsPeriodUnlessLastCharacterSortsAtOrBelowIt)
{
    struct Case {
        std::string message;
        std::string expected;
    };
    const Case cases[] = {
        {"", ""},
        {"abc", "abc."},
        {"abc.", "abc."},
        {"abc!", "abc!"},
        {"abc-", "abc-"}, // 0x2D
        {"abc/", "abc/."}, // 0x2F
        {"abc ", "abc "},
        {"abc\r\n", "abc\r\n"},
        {".", "."},
        {"a", "a."},
        {"Invalid numeric input", "Invalid numeric input."},
        // Bytes from 0x80 up compare as unsigned, so they sort above '.'.
        {"abc\xE9", "abc\xE9."},
        // GBK: the last character is judged by its lead byte.
        {"\xC4\xE3\xBA\xC3", "\xC4\xE3\xBA\xC3."},
        {"abc\xA1\xA3", "abc\xA1\xA3."}, // ideographic full stop
        {"\x81!", "\x81!."}, // '!' here is a trail byte, not a character
        {"a\xB0\xA1!", "a\xB0\xA1!"}, // after a whole pair, '!' stands alone
        {"\xB0\xA1\xA1"
         "!",
            "\xB0\xA1\xA1!."},
        {"\xB0\xA1.", "\xB0\xA1."},
        // A lead byte cut off from its trail byte is a character of its own.
        {"abc\xD6", "abc\xD6."},
        {"\xD6", "\xD6."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "message of " << c.message.size() << " bytes: " << c.message);
        EXPECT_EQ(ErrorBoxText(c.message), c.expected);
    }
}

TEST(SystemErrorText, FormatsCodeAndSystemTextOrFallsBackWithoutCode)
{
    struct Case {
        unsigned code;
        std::string osText;
        std::string expected;
    };
    const Case cases[] = {
        {5, "Access is denied.", "System Error.  Code: 5.\r\nAccess is denied."},
        {170, "", "System Error.  Code: 170.\r\n"},
        {0, "The operation completed successfully.", "A call to an OS function failed"},
        {0, "", "A call to an OS function failed"},
        // "%d" prints codes with the top bit set as negative numbers.
        {0x80070005u, "x", "System Error.  Code: -2147024891.\r\nx"},
        {0xFFFFFFFFu, "x", "System Error.  Code: -1.\r\nx"},
        {0x7FFFFFFFu, "x", "System Error.  Code: 2147483647.\r\nx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "code " << c.code);
        EXPECT_EQ(SystemErrorText(c.code, c.osText), c.expected);
    }
}

} // namespace
