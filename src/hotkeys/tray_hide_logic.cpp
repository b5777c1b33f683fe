#include "hotkeys/tray_hide_logic.h"

#include <algorithm>
#include <cstring>

TrayProtocol ChooseTrayProtocol(unsigned major, unsigned minor)
{
    const bool below51 = major < 5 || (major == 5 && minor < 1);
    return below51 ? TrayProtocol::Tab : TrayProtocol::Toolbar;
}

namespace {
unsigned char FoldAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }
} // namespace

bool TrayTextsEqual(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(static_cast<unsigned char>(a[i])) != FoldAscii(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

int TrayButtonIndexOf(const std::vector<std::string>& texts, const std::string& text)
{
    const int n = static_cast<int>(texts.size());
    for (int i = 0; i < n; ++i) {
        if (TrayTextsEqual(texts[static_cast<std::size_t>(i)], text))
            return n - 1 - i;
    }
    return -1;
}

std::vector<int> HidingPassIds(const std::vector<std::string>& texts)
{
    std::vector<int> ids;
    ids.reserve(texts.size() * 2);
    for (const std::string& text : texts) {
        const int k = TrayButtonIndexOf(texts, text);
        ids.push_back(k + 1);
        ids.push_back(k);
    }
    return ids;
}

std::vector<int> RestoringPassIds(const std::vector<std::string>& texts)
{
    std::vector<int> ids;
    ids.reserve(texts.size());
    for (const std::string& text : texts)
        ids.push_back(TrayButtonIndexOf(texts, text));
    return ids;
}

std::vector<int> IdsLeftHidden(const std::vector<int>& hidden, const std::vector<int>& shown)
{
    std::vector<int> left;
    for (int id : hidden) {
        if (std::find(shown.begin(), shown.end(), id) == shown.end()
            && std::find(left.begin(), left.end(), id) == left.end())
            left.push_back(id);
    }
    return left;
}

bool ShellIs64Bit(bool ownProcess64, bool ownProcessWow64, bool shellWow64)
{
    const bool system64 = ownProcess64 || ownProcessWow64;
    return system64 && !shellWow64;
}

TrayBlockLayout TrayBlockLayoutFor(TrayProtocol protocol, bool shell64)
{
    if (protocol == TrayProtocol::Tab)
        return TrayBlockLayout {shell64 ? std::size_t {40} : std::size_t {28}, 112, kTabTextCapacity};
    // The text follows the record; a 64-bit TBBUTTON is 32 bytes, not 20.
    const std::size_t record = shell64 ? 32 : 20;
    return TrayBlockLayout {record, record, kTrayBlockSize - record};
}

namespace {
void Put32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}
} // namespace

int ButtonRecordCommandId(const std::vector<unsigned char>& record)
{
    if (record.size() < 8)
        return 0;
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(record[4 + static_cast<std::size_t>(i)]) << (8 * i);
    std::int32_t id;
    std::memcpy(&id, &value, sizeof id);
    return id;
}

std::vector<unsigned char> TabItemRecord(std::uint64_t textAddress, bool shell64)
{
    // mask, state, state mask, text pointer, capacity, image, parameter; a
    // 64-bit record aligns the pointer and the parameter to 8 bytes.
    std::vector<unsigned char> record(shell64 ? 40 : 28, 0);
    Put32(record, 0, 1); // TCIF_TEXT
    if (shell64) {
        Put32(record, 16, static_cast<std::uint32_t>(textAddress));
        Put32(record, 20, static_cast<std::uint32_t>(textAddress >> 32));
        Put32(record, 24, kTabTextCapacity);
    } else {
        Put32(record, 12, static_cast<std::uint32_t>(textAddress));
        Put32(record, 16, kTabTextCapacity);
    }
    return record;
}

std::string TrayTextFromBuffer(const std::vector<char>& buffer)
{
    const std::size_t limit = std::min(buffer.size(), kTrayTextRead - 1);
    std::size_t length = 0;
    while (length < limit && buffer[length] != '\0')
        ++length;
    return std::string(buffer.data(), length);
}

int CappedTrayCount(long long reported)
{
    if (reported <= 0)
        return 0;
    return reported > kMaxTrayButtons ? kMaxTrayButtons : static_cast<int>(reported);
}
