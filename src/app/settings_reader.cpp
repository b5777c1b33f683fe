#include "app/settings_reader.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

// The runtime reads a number into a fixed buffer of this many characters;
// anything after it stays in the stream and is dropped with the rest of the line.
constexpr size_t kMaxNumberLength = 32;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int32_t WrapToInt32(uint32_t bits)
{
    // Two's complement reinterpretation without relying on an out-of-range cast.
    return bits <= 0x7FFFFFFFu ? static_cast<int32_t>(bits) : -static_cast<int32_t>(~bits) - 1;
}

// Pascal Val for a 32-bit integer.
std::optional<int32_t> ParseInteger(std::string_view token)
{
    bool negative = false;
    if (!token.empty() && (token.front() == '+' || token.front() == '-')) {
        negative = token.front() == '-';
        token.remove_prefix(1);
    }
    bool hex = false;
    if (!token.empty() && (token.front() == '$' || token.front() == 'x' || token.front() == 'X')) {
        hex = true;
        token.remove_prefix(1);
    } else if (token.size() >= 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
        hex = true;
        token.remove_prefix(2);
    }
    if (token.empty())
        return std::nullopt;

    if (hex) {
        // Hex spells a bit pattern: up to 8 significant digits, wrapping to
        // the signed value ($FFFFFFFF is -1).
        uint32_t bits = 0;
        for (char c : token) {
            const int digit = HexDigitValue(c);
            if (digit < 0 || bits > 0x0FFFFFFFu)
                return std::nullopt;
            bits = bits * 16 + static_cast<uint32_t>(digit);
        }
        return WrapToInt32(negative ? 0u - bits : bits);
    }

    const uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    uint64_t magnitude = 0;
    for (char c : token) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + static_cast<uint64_t>(c - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude));
}

// Read position in a text file's content, with the runtime's Read/Readln rules.
class TextStream {
public:
    explicit TextStream(std::string_view content)
        : content_(content)
    {
    }

    // Read(f, n): blanks, line ends included, are skipped; end of file before
    // any number reads as 0.
    std::optional<int32_t> ReadInteger()
    {
        while (pos_ < content_.size() && IsBlank(content_[pos_]))
            ++pos_;
        if (pos_ == content_.size())
            return 0;
        const size_t start = pos_;
        while (pos_ < content_.size() && pos_ - start < kMaxNumberLength && !IsBlank(content_[pos_])) {
            ++pos_;
        }
        return ParseInteger(content_.substr(start, pos_ - start));
    }

    // The Readln part: drop the rest of the line. CR, LF and CR LF each end a line.
    void SkipLine()
    {
        while (pos_ < content_.size()) {
            const char c = content_[pos_++];
            if (c == '\n')
                return;
            if (c == '\r') {
                if (pos_ < content_.size() && content_[pos_] == '\n')
                    ++pos_;
                return;
            }
        }
    }

private:
    std::string_view content_;
    size_t pos_ = 0;
};

} // namespace

SettingsReadResult ReadSettings(std::string_view content)
{
    SettingsReadResult result;
    TextStream stream(content);

    const std::optional<int32_t> first = stream.ReadInteger();
    if (!first) {
        result.errorCode = kInvalidNumericInputCode;
        return result;
    }
    stream.SkipLine();
    result.firstRead = true;
    result.firstValue = *first != 0;

    const std::optional<int32_t> second = stream.ReadInteger();
    if (!second) {
        result.errorCode = kInvalidNumericInputCode;
        return result;
    }
    result.secondRead = true;
    result.secondValue = *second != 0;
    return result;
}

std::string FormatSettings(bool first, bool second)
{
    std::string content;
    content += first ? "1\r\n" : "0\r\n";
    content += second ? "1\r\n" : "0\r\n";
    return content;
}
