#include "app/settings_reader.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace {

using namespace std::string_literals;

struct ReadCase {
    std::string content;
    SettingsReadResult expected;
};

// firstRead, firstValue, secondRead, secondValue, errorCode
constexpr SettingsReadResult kBothOff {true, false, true, false, 0};
constexpr SettingsReadResult kBothOn {true, true, true, true, 0};
constexpr SettingsReadResult kFirstOnly {true, true, true, false, 0};
constexpr SettingsReadResult kSecondOnly {true, false, true, true, 0};
constexpr SettingsReadResult kFirstLineBad {false, false, false, false, kInvalidNumericInputCode};
constexpr SettingsReadResult kSecondLineBadAfterOn {true, true, false, false, kInvalidNumericInputCode};

std::string Printable(const std::string& bytes)
{
    std::string out;
    const char* digits = "0123456789ABCDEF";
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F) {
            out += c;
        } else {
            out += "\\x";
            out += digits[b >> 4];
            out += digits[b & 0xF];
        }
    }
    return out;
}

void ExpectReads(const ReadCase cases[], size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const ReadCase& c = cases[i];
        SCOPED_TRACE("content \"" + Printable(c.content) + "\"");
        const SettingsReadResult actual = ReadSettings(c.content);
        EXPECT_EQ(actual.firstRead, c.expected.firstRead);
        EXPECT_EQ(actual.firstValue, c.expected.firstValue);
        EXPECT_EQ(actual.secondRead, c.expected.secondRead);
        EXPECT_EQ(actual.secondValue, c.expected.secondValue);
        EXPECT_EQ(actual.errorCode, c.expected.errorCode);
    }
}

TEST(ReadSettings, LineStructure)
{
    const ReadCase cases[] = {
        {"", kBothOff},
        {"1\r\n0\r\n", kFirstOnly},
        {"0\r\n1\r\n", kSecondOnly},
        {"2\r\n-1\r\n", kBothOn},
        {"1\r\n", kFirstOnly}, // missing second line reads as 0
        {"1", kFirstOnly},
        {"1\r\n\r\n\r\n0", kFirstOnly}, // blank lines before a number are skipped
        {"\r\n\n\r1\r\n1", kBothOn},
        {"1\n1\n", kBothOn},
        {"1 x\r1\n", kBothOn}, // a lone CR ends the line
        {"1 junk\r\n1", kBothOn}, // the rest of a number's line is dropped
        {"1 0\r\n1", kBothOn},
        {"0 1\r\n0", kBothOff},
        {"1\r\n1\r\nabc\r\n", kBothOn}, // lines past the second are never read
        {"\t 1\r\n\v\f1", kBothOn},
        {"1\x1A", kFirstOnly}, // control characters count as blanks
        {"1\0\r\n1"s, kBothOn},
        {"\x01\x1F"
         "1\r\n0",
            kFirstOnly},
    };
    ExpectReads(cases, std::size(cases));
}

TEST(ReadSettings, AcceptedNumberForms)
{
    const ReadCase cases[] = {
        {"+0", kBothOff},
        {"-0", kBothOff},
        {"+7", kFirstOnly},
        {"00000", kBothOff},
        {"0x0", kBothOff},
        {" $1F", kFirstOnly},
        {"$1f", kFirstOnly},
        {"x1", kFirstOnly},
        {"X1", kFirstOnly},
        {"0X1", kFirstOnly},
        {"-$1", kFirstOnly},
        {"+0xa", kFirstOnly},
        {"$FFFFFFFF", kFirstOnly}, // wraps to -1
        {"$80000000", kFirstOnly},
        {"-$80000000", kFirstOnly},
        {"$000000001", kFirstOnly}, // leading zeros are not significant digits
        {"2147483647", kFirstOnly},
        {"-2147483648", kFirstOnly},
        {"0000000000002147483647", kFirstOnly},
    };
    ExpectReads(cases, std::size(cases));
}

TEST(ReadSettings, InvalidNumericInput)
{
    const ReadCase cases[] = {
        {"abc", kFirstLineBad},
        {"-", kFirstLineBad},
        {"+", kFirstLineBad},
        {"$", kFirstLineBad},
        {"x", kFirstLineBad},
        {"0x", kFirstLineBad},
        {"-0x", kFirstLineBad},
        {"--1", kFirstLineBad},
        {"+-1", kFirstLineBad},
        {"1-", kFirstLineBad},
        {"1.0", kFirstLineBad},
        {"1e3", kFirstLineBad},
        {"12a", kFirstLineBad},
        {"0x-1", kFirstLineBad},
        {"$G", kFirstLineBad},
        {"$ 1", kFirstLineBad},
        {"0$1", kFirstLineBad},
        {"0xx1", kFirstLineBad},
        {"2147483648", kFirstLineBad},
        {"-2147483649", kFirstLineBad},
        {"99999999999", kFirstLineBad},
        {"$100000000", kFirstLineBad},
        {"$FFFFFFFF0", kFirstLineBad},
        {"1\xA0", kFirstLineBad}, // bytes from 0x80 up are not blanks
        {"\xC4\xE3\xBA\xC3", kFirstLineBad},
        {"abc\r\n1\r\n", kFirstLineBad}, // reading stops at the bad line
        {"1\r\nabc\r\n", kSecondLineBadAfterOn},
        {"1\r\n\r\n-\r\n", kSecondLineBadAfterOn},
        {"5\r\n1\xFF", kSecondLineBadAfterOn},
    };
    ExpectReads(cases, std::size(cases));
}

// A number is read into 32 characters at most; a longer token is cut there
// and the remainder is dropped with the rest of the line.
TEST(ReadSettings, NumberTokenIsCutAfter32Characters)
{
    const std::string zeros31(31, '0');
    const std::string zeros32(32, '0');
    const ReadCase cases[] = {
        {"1" + zeros31, kFirstLineBad}, // 32 digits: a real overflow
        {"1" + zeros32, kFirstLineBad},
        {zeros31 + "1", kFirstOnly},
        {zeros32 + "1\r\n1", kSecondOnly}, // the 33rd character is not part of the number
        {zeros32 + "x\r\n1", kSecondOnly},
        {"$" + zeros31 + "1\r\n1", kSecondOnly},
        {"1\r\n" + zeros32 + "abc", kFirstOnly},
    };
    ExpectReads(cases, std::size(cases));
}

TEST(FormatSettings, WritesOneDigitPerLineAndReadsBack)
{
    struct FormatCase {
        bool first;
        bool second;
        const char* content;
    };
    const FormatCase cases[] = {
        {false, false, "0\r\n0\r\n"},
        {true, false, "1\r\n0\r\n"},
        {false, true, "0\r\n1\r\n"},
        {true, true, "1\r\n1\r\n"},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.first << " " << c.second);
        const std::string content = FormatSettings(c.first, c.second);
        EXPECT_EQ(content, c.content);
        const SettingsReadResult read = ReadSettings(content);
        EXPECT_EQ(read.errorCode, 0);
        EXPECT_TRUE(read.firstRead);
        EXPECT_TRUE(read.secondRead);
        EXPECT_EQ(read.firstValue, c.first);
        EXPECT_EQ(read.secondValue, c.second);
    }
}

} // namespace
