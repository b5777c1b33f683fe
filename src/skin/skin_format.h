// The skin file: a ZIP archive holding "skin.ini" and BMP images (see
// docs/skin-format.md). Everything here is plain data read from memory: no
// window, no file written, and hostile archives end in a refusal, never in a
// crash or an unbounded allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Limits that keep a hostile archive harmless.
struct SkinLimits {
    size_t maxArchiveBytes = 32u << 20; // the whole file
    size_t maxEntries = 64;
    size_t maxEntryBytes = 4u << 20; // one entry, inflated
    size_t maxTotalBytes = 16u << 20; // all entries, inflated
    int maxImageSide = 2048;
};

struct SkinRgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const SkinRgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// A decoded bitmap: top-down rows of 0xAARRGGBB.
struct SkinImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// Decodes an uncompressed 24- or 32-bit BMP file (bottom-up or top-down).
// Anything else, or a header that does not fit the data, gives nothing.
std::optional<SkinImage> DecodeBmp(std::string_view bytes, int maxSide = SkinLimits {}.maxImageSide);

// "skin.ini": sections of "key = value" lines; names compare without case,
// ';' and '#' start comment lines. Unknown sections and keys are kept but
// never asked for, so a newer skin still loads.
class SkinIni {
public:
    static SkinIni Parse(std::string_view text);
    // The raw value, or nothing.
    const std::string* Value(std::string_view section, std::string_view key) const;
    // "#RRGGBB" or "R,G,B"; anything else is absent.
    std::optional<SkinRgb> Color(std::string_view section, std::string_view key) const;
    // A whole number within [low, high]; out of range or malformed is absent.
    std::optional<int> Number(std::string_view section, std::string_view key, int low, int high) const;
    // Four numbers "left,top,right,bottom", each within [0, high].
    std::optional<std::vector<int>> Numbers(
        std::string_view section, std::string_view key, size_t count, int high) const;

private:
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

// A bitmap drawn as a nine-grid: the corners keep their size, the edges and
// the middle stretch. A strip of `states` equal frames side by side serves
// elements with several states (normal, hover, pressed, ...).
struct SkinGrid {
    int image = -1; // index into SkinPackage::images; -1 = none
    int left = 0, top = 0, right = 0, bottom = 0;
    int states = 1;
};

// The look of one kind of element. Every field is optional: what is absent
// keeps the system's look.
struct SkinElement {
    std::optional<SkinRgb> face;
    std::optional<SkinRgb> text;
    std::optional<SkinRgb> hotFace; // hover / selected
    std::optional<SkinRgb> hotText;
    std::optional<SkinRgb> inactiveFace;
    std::optional<SkinRgb> inactiveText;
    std::optional<SkinRgb> disabledText;
    std::optional<SkinRgb> border;
    std::optional<SkinRgb> line; // separators, check marks, arrows
    SkinGrid grid;
    SkinGrid hotGrid;
    SkinGrid inactiveGrid;
    bool Described() const;
};

enum class SkinPart { Caption, Border, CaptionButtons, MenuBar, Menu, Button, Panel, Window, Count };
const char* SkinPartSection(SkinPart part);

struct SkinCaptionButtons {
    int width = 0, height = 0, spacing = 0, rightMargin = 0; // 0 = system size
    // Strips of four frames: normal, hover, pressed, disabled.
    SkinGrid close, minimize, maximize, restore;
};

struct SkinPackage {
    std::string name;
    SkinElement parts[static_cast<int>(SkinPart::Count)];
    SkinCaptionButtons buttons;
    int menuItemHeight = 0; // 0 = from the font
    int captionFontSize = 0; // points; 0 = system
    int menuFontSize = 0;
    std::string menuFont;
    std::vector<SkinImage> images;

    const SkinElement& Part(SkinPart part) const { return parts[static_cast<int>(part)]; }
    const SkinImage* Image(const SkinGrid& grid) const
    {
        return grid.image >= 0 && static_cast<size_t>(grid.image) < images.size()
            ? &images[static_cast<size_t>(grid.image)]
            : nullptr;
    }
};

enum class SkinError { None, NotAnArchive, TooLarge, NoDescription, BadEntry };

struct SkinReadResult {
    std::optional<SkinPackage> skin;
    SkinError error = SkinError::None;
};

// Whether an archive member name is safe to use: relative, no "..", no drive.
bool IsSafeEntryName(std::string_view name);

// Reads a whole skin archive from memory. Images named by the description
// that are missing or do not decode are dropped (their elements fall back);
// an archive without a readable "skin.ini" is not a skin.
SkinReadResult ReadSkinArchive(std::string_view archive, const SkinLimits& limits = {});

// Builds the package from a description and a lookup of member contents.
SkinPackage BuildSkin(const SkinIni& ini, const std::map<std::string, std::string>& files, int maxImageSide);
