#include "framework/error_text.h"

#include "framework/gbk.h"

#include <cstddef>
#include <cstdint>

namespace {

// Offset of the first byte of the last character. Scans from the front, since
// a GBK trail byte can look like an ASCII or a lead byte. A lead byte without
// its trail byte counts as a character of its own.
size_t LastCharacterStart(const std::string& text)
{
    size_t start = 0;
    for (size_t i = 0; i < text.size();) {
        start = i;
        i += IsGbkLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    }
    return start;
}

} // namespace

std::string ErrorBoxText(const std::string& message)
{
    if (message.empty())
        return message;
    const auto first = static_cast<unsigned char>(message[LastCharacterStart(message)]);
    return first > '.' ? message + "." : message;
}

std::string SystemErrorText(unsigned code, const std::string& osText)
{
    if (code == 0)
        return kUnknownOsErrorText;
    // "%d" of the 32-bit code: codes with the top bit set print negative.
    const uint32_t bits = static_cast<uint32_t>(code);
    const int64_t value = bits <= 0x7FFFFFFFu ? static_cast<int64_t>(bits) : static_cast<int64_t>(bits) - 0x100000000LL;
    return "System Error.  Code: " + std::to_string(value) + ".\r\n" + osText;
}
