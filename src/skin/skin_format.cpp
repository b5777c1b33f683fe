#include "skin/skin_format.h"

#include <cstring>

namespace {

std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// A non-negative decimal of at most 9 digits (no overflow), optionally signed.
std::optional<long long> ParseInt(std::string_view text)
{
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

uint32_t Le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

} // namespace

std::optional<SkinImage> DecodeBmp(std::string_view bytes, int maxSide)
{
    constexpr size_t kFileHeader = 14;
    if (bytes.size() < kFileHeader + 40 || bytes[0] != 'B' || bytes[1] != 'M')
        return std::nullopt;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const uint32_t dataOffset = Le32(p + 10);
    const uint32_t infoSize = Le32(p + 14);
    if (infoSize < 40 || infoSize > bytes.size() - kFileHeader)
        return std::nullopt;
    const auto width = static_cast<int32_t>(Le32(p + 18));
    const auto rawHeight = static_cast<int32_t>(Le32(p + 22));
    const uint16_t planes = Le16(p + 26);
    const uint16_t bits = Le16(p + 28);
    const uint32_t compression = Le32(p + 30);
    // BI_RGB, or BI_BITFIELDS with the usual 32-bit masks.
    if (planes != 1 || (bits != 24 && bits != 32) || (compression != 0 && !(compression == 3 && bits == 32)))
        return std::nullopt;
    if (rawHeight == INT32_MIN || width <= 0 || rawHeight == 0)
        return std::nullopt;
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;
    if (width > maxSide || height > maxSide)
        return std::nullopt;
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    const size_t need = stride * static_cast<size_t>(height);
    if (dataOffset < kFileHeader + infoSize || dataOffset > bytes.size() || bytes.size() - dataOffset < need)
        return std::nullopt;

    SkinImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = p + dataOffset + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
        uint32_t* out = &image.pixels[static_cast<size_t>(y) * static_cast<size_t>(width)];
        for (int x = 0; x < width; ++x) {
            const unsigned char* px = row + static_cast<size_t>(x) * (bits / 8);
            out[x] = 0xFF000000u | (static_cast<uint32_t>(px[2]) << 16) | (static_cast<uint32_t>(px[1]) << 8) | px[0];
        }
    }
    return image;
}

SkinIni SkinIni::Parse(std::string_view text)
{
    SkinIni ini;
    // A UTF-8 byte-order mark from an editor is not part of the first line.
    if (text.size() >= 3 && std::memcmp(text.data(), "\xEF\xBB\xBF", 3) == 0)
        text.remove_prefix(3);
    std::string section;
    for (std::string_view rawLine : Split(text, '\n')) {
        std::string_view line = Trim(rawLine);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            section = close == std::string_view::npos ? std::string() : Lower(Trim(line.substr(1, close - 1)));
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos || section.empty())
            continue;
        std::string key = Lower(Trim(line.substr(0, equals)));
        if (key.empty())
            continue;
        ini.sections_[section][std::move(key)] = std::string(Trim(line.substr(equals + 1)));
    }
    return ini;
}

const std::string* SkinIni::Value(std::string_view section, std::string_view key) const
{
    auto s = sections_.find(Lower(section));
    if (s == sections_.end())
        return nullptr;
    auto k = s->second.find(Lower(key));
    return k == s->second.end() ? nullptr : &k->second;
}

std::optional<SkinRgb> SkinIni::Color(std::string_view section, std::string_view key) const
{
    const std::string* value = Value(section, key);
    if (!value)
        return std::nullopt;
    std::string_view text = Trim(*value);
    if (text.size() == 7 && text.front() == '#') {
        unsigned v = 0;
        for (char c : text.substr(1)) {
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return std::nullopt;
            v = v * 16 + static_cast<unsigned>(digit);
        }
        return SkinRgb {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
    }
    const auto parts = Split(text, ',');
    if (parts.size() != 3)
        return std::nullopt;
    uint8_t rgb[3];
    for (size_t i = 0; i < 3; ++i) {
        auto n = ParseInt(parts[i]);
        if (!n || *n < 0 || *n > 255)
            return std::nullopt;
        rgb[i] = static_cast<uint8_t>(*n);
    }
    return SkinRgb {rgb[0], rgb[1], rgb[2]};
}

std::optional<int> SkinIni::Number(std::string_view section, std::string_view key, int low, int high) const
{
    const std::string* value = Value(section, key);
    if (!value)
        return std::nullopt;
    auto n = ParseInt(*value);
    if (!n || *n < low || *n > high)
        return std::nullopt;
    return static_cast<int>(*n);
}

std::optional<std::vector<int>> SkinIni::Numbers(
    std::string_view section, std::string_view key, size_t count, int high) const
{
    const std::string* value = Value(section, key);
    if (!value)
        return std::nullopt;
    const auto parts = Split(*value, ',');
    if (parts.size() != count)
        return std::nullopt;
    std::vector<int> numbers;
    for (auto part : parts) {
        auto n = ParseInt(part);
        if (!n || *n < 0 || *n > high)
            return std::nullopt;
        numbers.push_back(static_cast<int>(*n));
    }
    return numbers;
}

bool SkinElement::Described() const
{
    return face || text || hotFace || hotText || inactiveFace || inactiveText || disabledText || border || line
        || grid.image >= 0 || hotGrid.image >= 0 || inactiveGrid.image >= 0;
}

const char* SkinPartSection(SkinPart part)
{
    static const char* const kSections[]
        = {"Caption", "Border", "CaptionButtons", "MenuBar", "Menu", "Button", "Panel", "Window"};
    return kSections[static_cast<int>(part)];
}

bool IsSafeEntryName(std::string_view name)
{
    if (name.empty() || name.size() > 255 || name.front() == '/' || name.front() == '\\')
        return false;
    if (name.find(':') != std::string_view::npos || name.find('\0') != std::string_view::npos)
        return false;
    size_t start = 0;
    for (;;) {
        size_t end = name.find_first_of("/\\", start);
        std::string_view piece
            = name.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (piece == "..")
            return false;
        if (end == std::string_view::npos)
            return true;
        start = end + 1;
    }
}

namespace {

class Builder {
public:
    Builder(const SkinIni& ini, const std::map<std::string, std::string>& files, int maxImageSide, SkinPackage& skin)
        : ini_(ini)
        , files_(files)
        , maxImageSide_(maxImageSide)
        , skin_(skin)
    {
    }

    // "<prefix>Image" with "<prefix>Margins" and the frame count `states`.
    SkinGrid Grid(const char* section, const std::string& prefix, int states)
    {
        SkinGrid grid;
        const std::string* name = ini_.Value(section, prefix + "Image");
        if (!name)
            return grid;
        const int index = ImageIndex(*name);
        if (index < 0)
            return grid;
        const SkinImage& image = skin_.images[static_cast<size_t>(index)];
        if (image.width % states != 0)
            return grid; // frames of unequal width: the element falls back
        const int frameWidth = image.width / states;
        if (auto m = ini_.Numbers(section, prefix + "Margins", 4, 1024)) {
            const auto& v = *m;
            // Margins larger than the frame cannot be a nine-grid.
            if (v[0] + v[2] > frameWidth || v[1] + v[3] > image.height)
                return grid;
            grid.left = v[0];
            grid.top = v[1];
            grid.right = v[2];
            grid.bottom = v[3];
        }
        grid.image = index;
        grid.states = states;
        return grid;
    }

    void Element(SkinPart part, int states)
    {
        const char* s = SkinPartSection(part);
        SkinElement& e = skin_.parts[static_cast<int>(part)];
        e.face = ini_.Color(s, "Color");
        e.text = ini_.Color(s, "TextColor");
        e.hotFace = ini_.Color(s, "HotColor");
        e.hotText = ini_.Color(s, "HotTextColor");
        e.inactiveFace = ini_.Color(s, "InactiveColor");
        e.inactiveText = ini_.Color(s, "InactiveTextColor");
        e.disabledText = ini_.Color(s, "DisabledTextColor");
        e.border = ini_.Color(s, "BorderColor");
        e.line = ini_.Color(s, "LineColor");
        e.grid = Grid(s, "", states);
        e.hotGrid = Grid(s, "Hot", 1);
        e.inactiveGrid = Grid(s, "Inactive", 1);
    }

private:
    int ImageIndex(const std::string& rawName)
    {
        const std::string name = Lower(Trim(rawName));
        auto known = loaded_.find(name);
        if (known != loaded_.end())
            return known->second;
        int index = -1;
        auto file = files_.find(name);
        if (file != files_.end() && IsSafeEntryName(name)) {
            if (auto image = DecodeBmp(file->second, maxImageSide_)) {
                skin_.images.push_back(std::move(*image));
                index = static_cast<int>(skin_.images.size()) - 1;
            }
        }
        loaded_[name] = index; // each bitmap decoded (and later held) once
        return index;
    }

    const SkinIni& ini_;
    const std::map<std::string, std::string>& files_;
    int maxImageSide_;
    SkinPackage& skin_;
    std::map<std::string, int> loaded_;
};

} // namespace

SkinPackage BuildSkin(const SkinIni& ini, const std::map<std::string, std::string>& files, int maxImageSide)
{
    SkinPackage skin;
    if (const std::string* name = ini.Value("Skin", "Name"))
        skin.name = *name;
    Builder builder(ini, files, maxImageSide, skin);
    builder.Element(SkinPart::Caption, 1);
    builder.Element(SkinPart::Border, 1);
    builder.Element(SkinPart::CaptionButtons, 1);
    builder.Element(SkinPart::MenuBar, 1);
    builder.Element(SkinPart::Menu, 1);
    // Push buttons: normal, hover, pressed, default, disabled.
    builder.Element(SkinPart::Button, 5);
    builder.Element(SkinPart::Panel, 1);
    builder.Element(SkinPart::Window, 1);

    const char* b = SkinPartSection(SkinPart::CaptionButtons);
    SkinCaptionButtons& buttons = skin.buttons;
    buttons.width = ini.Number(b, "Width", 8, 64).value_or(0);
    buttons.height = ini.Number(b, "Height", 8, 64).value_or(0);
    buttons.spacing = ini.Number(b, "Spacing", 0, 16).value_or(0);
    buttons.rightMargin = ini.Number(b, "RightMargin", 0, 32).value_or(0);
    // Caption-button strips: normal, hover, pressed, disabled.
    buttons.close = builder.Grid(b, "Close", 4);
    buttons.minimize = builder.Grid(b, "Minimize", 4);
    buttons.maximize = builder.Grid(b, "Maximize", 4);
    buttons.restore = builder.Grid(b, "Restore", 4);

    const char* m = SkinPartSection(SkinPart::Menu);
    skin.menuItemHeight = ini.Number(m, "ItemHeight", 12, 64).value_or(0);
    skin.menuFontSize = ini.Number(m, "FontSize", 6, 36).value_or(0);
    if (const std::string* face = ini.Value(m, "Font"))
        if (face->size() < 32) // LOGFONT's face name holds 31 bytes
            skin.menuFont = *face;
    skin.captionFontSize = ini.Number(SkinPartSection(SkinPart::Caption), "FontSize", 6, 36).value_or(0);
    return skin;
}
