#include "launcher/link_file.h"

#include <cstring>

namespace {
constexpr std::size_t kHeaderSize = 0x4C;
constexpr std::size_t kFlagsAt = 0x14;
constexpr std::size_t kShowAt = 0x3C;
constexpr std::uint32_t kHasItemList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;
constexpr std::uint32_t kUnicode = 0x80;
// Description, relative path, start-in folder, arguments, icon location.
constexpr std::uint32_t kStringFlags[] = {0x4, 0x8, 0x10, 0x20, 0x40};
constexpr std::uint32_t kExpandableBlock = 0xA0000001;
constexpr std::size_t kExpandableBlockSize = 0x314;
constexpr std::size_t kExpandableTextSize = 260;
const unsigned char kLinkClass[16]
    = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

std::uint32_t Read32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

std::uint32_t Read16(const std::string& bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}

void Write32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool IsLinkHeader(const std::string& bytes)
{
    return bytes.size() >= kHeaderSize && Read32(bytes, 0) == kHeaderSize
        && std::memcmp(bytes.data() + 4, kLinkClass, sizeof kLinkClass) == 0;
}

// Where the extra-data blocks start, past the item list, the location
// record and the strings; 0 when something runs past the end.
std::size_t ExtraDataStart(const std::string& bytes, std::uint32_t flags)
{
    std::size_t at = kHeaderSize;
    if (flags & kHasItemList) {
        if (at + 2 > bytes.size())
            return 0;
        at += 2 + Read16(bytes, at);
    }
    if (flags & kHasLinkInfo) {
        if (at + 4 > bytes.size())
            return 0;
        const std::uint32_t size = Read32(bytes, at);
        if (size < 4 || size > bytes.size() - at)
            return 0;
        at += size;
    }
    const std::size_t unitSize = (flags & kUnicode) ? 2 : 1;
    for (std::uint32_t stringFlag : kStringFlags) {
        if (!(flags & stringFlag))
            continue;
        if (at + 2 > bytes.size())
            return 0;
        at += 2 + Read16(bytes, at) * unitSize;
    }
    return at <= bytes.size() ? at : 0;
}
} // namespace

LinkFileFacts ReadLinkFile(const std::string& bytes)
{
    LinkFileFacts facts;
    if (!IsLinkHeader(bytes))
        return facts;
    facts.flags = Read32(bytes, kFlagsAt);
    facts.show = static_cast<int>(Read32(bytes, kShowAt));
    std::size_t at = ExtraDataStart(bytes, facts.flags);
    if (at == 0)
        return facts;
    while (at + 4 <= bytes.size()) {
        const std::uint32_t size = Read32(bytes, at);
        if (size < 4)
            break; // the terminal block
        if (size < 8 || size > bytes.size() - at)
            return facts;
        if (Read32(bytes, at + 4) == kExpandableBlock && size >= kExpandableBlockSize
            && (facts.flags & kLinkHasExpandablePath)) {
            const char* text = bytes.data() + at + 8;
            facts.expandablePath.assign(text, strnlen(text, kExpandableTextSize - 1));
        }
        at += size;
    }
    facts.valid = true;
    return facts;
}

std::string WithExpandablePath(const std::string& bytes, const std::string& expandable)
{
    const LinkFileFacts facts = ReadLinkFile(bytes);
    if (!facts.valid || expandable.size() >= kExpandableTextSize || (facts.flags & kLinkHasExpandablePath))
        return std::string();
    for (char c : expandable)
        if (static_cast<unsigned char>(c) >= 0x80)
            return std::string(); // the wide copy below is for plain ASCII only
    // The new block goes before the terminal block that ends the file.
    std::size_t end = bytes.size();
    if (end >= 4 && Read32(bytes, end - 4) == 0)
        end -= 4;
    std::string block(kExpandableBlockSize, '\0');
    Write32(block, 0, kExpandableBlockSize);
    Write32(block, 4, kExpandableBlock);
    std::memcpy(&block[8], expandable.data(), expandable.size());
    for (std::size_t i = 0; i < expandable.size(); ++i)
        block[8 + kExpandableTextSize + 2 * i] = expandable[i];
    std::string result = bytes.substr(0, end) + block + std::string(4, '\0');
    Write32(result, kFlagsAt, facts.flags | kLinkHasExpandablePath);
    return result;
}
