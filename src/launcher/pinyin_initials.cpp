#include "launcher/pinyin_initials.h"

#include <algorithm>
#include <iterator>

namespace {
struct SeveralInitials {
    std::uint16_t code;
    LetterSet letters;
};

#include "launcher/pinyin_initials_table.inc"

constexpr unsigned kFirstLead = 0x81, kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x40, kLastTrail = 0xFE, kGapTrail = 0x7F;
constexpr unsigned kTrailsPerLead = kLastTrail - kFirstTrail; // 0x7F is no trail byte
static_assert(sizeof kInitialCells - 1 == (kLastLead - kFirstLead + 1) * kTrailsPerLead, "one cell per code");

LetterSet SeveralOf(unsigned code)
{
    const auto found = std::lower_bound(std::begin(kSeveralInitials), std::end(kSeveralInitials), code,
        [](const SeveralInitials& entry, unsigned value) { return entry.code < value; });
    return found != std::end(kSeveralInitials) && found->code == code ? found->letters : 0;
}
} // namespace

LetterSet LetterOf(char key)
{
    if (key >= 'a' && key <= 'z')
        return LetterSet {1} << (key - 'a');
    if (key >= 'A' && key <= 'Z')
        return LetterSet {1} << (key - 'A');
    return 0;
}

LetterSet TypingInitials(const char* text, std::size_t length)
{
    if (!text || length == 0)
        return 0;
    const unsigned lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80)
        return LetterOf(text[0]);
    if (lead < kFirstLead || lead > kLastLead || length < 2)
        return 0;
    const unsigned trail = static_cast<unsigned char>(text[1]);
    if (trail < kFirstTrail || trail > kLastTrail || trail == kGapTrail)
        return 0;
    const unsigned cell = (lead - kFirstLead) * kTrailsPerLead + (trail - kFirstTrail) - (trail > kGapTrail ? 1 : 0);
    const char letter = kInitialCells[cell];
    if (letter == '*')
        return SeveralOf((lead << 8) | trail);
    return LetterOf(letter);
}
