#include "app/version_name.h"

#include <cstdio>
#include <string_view>

namespace {

// A decimal number reduced to a unique spelling: whole part without leading
// zeros, fraction without trailing zeros. Two texts denote the same number
// exactly when their canonical forms match, so "4.10" equals "4.1" just as
// reading both as numbers would, without involving the C locale.
struct CanonicalDecimal {
    std::string whole;
    std::string fraction;
    bool valid = false;

    bool operator==(const CanonicalDecimal& other) const
    {
        return valid && other.valid && whole == other.whole && fraction == other.fraction;
    }
};

bool AllDigits(std::string_view text)
{
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

CanonicalDecimal Canonicalize(std::string_view text)
{
    CanonicalDecimal result;
    const size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    // A version number beyond INT_MAX prints negative under "%d"; such a text
    // is not a plain decimal and equals none of the known releases.
    if (whole.empty() || !AllDigits(whole) || !AllDigits(fraction))
        return result;
    while (whole.size() > 1 && whole.front() == '0')
        whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    result.whole = std::string(whole);
    result.fraction = std::string(fraction);
    result.valid = true;
    return result;
}

struct Release {
    const char* version;
    const char* suffix;
};

// Checked in order; the first equal version wins.
constexpr Release kWin9xReleases[] = {{"4.0", "95"}, {"4.1", "98"}, {"4.9", "Me"}};
constexpr Release kWinNtReleases[] = {
    {"3.51", "NT 3.51"},
    {"4.0", "NT 4.0"},
    {"5.0", "2000"},
    {"5.1", "XP"},
    {"5.2", "2003"},
    {"6.0", "Vista"},
    {"6.1", "7"},
};

template <size_t N>
std::string SuffixFor(const Release (&releases)[N], const CanonicalDecimal& version, const char* otherwise)
{
    for (const Release& release : releases) {
        if (Canonicalize(release.version) == version)
            return release.suffix;
    }
    return otherwise;
}

} // namespace

std::string GetWinVersionName(unsigned platformId, unsigned major, unsigned minor)
{
    // The minor number is read back as digits after the point, so minor 10
    // and minor 1 both give 4.1; this is the classic behaviour and is kept.
    char text[32];
    std::snprintf(text, sizeof text, "%d.%d", static_cast<int>(major), static_cast<int>(minor));
    const CanonicalDecimal version = Canonicalize(text);

    std::string suffix;
    switch (platformId) {
    case 0:
        suffix = "32";
        break;
    case 1:
        suffix = SuffixFor(kWin9xReleases, version, "9x");
        break;
    case 2:
        suffix = SuffixFor(kWinNtReleases, version, "");
        break;
    default:
        suffix = "??";
        break;
    }
    return "win" + suffix;
}
