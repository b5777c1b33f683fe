// Feeds arbitrary bytes to the skin reader, both as an archive and as a
// description, and checks the properties the engine relies on.
#include "skin/skin_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckGrid(const SkinPackage& skin, const SkinGrid& grid)
{
    const SkinImage* image = skin.Image(grid);
    if (!image)
        return;
    Require(grid.states >= 1 && image->width % grid.states == 0);
    Require(grid.left + grid.right <= image->width / grid.states && grid.top + grid.bottom <= image->height);
    Require(image->pixels.size() == static_cast<size_t>(image->width) * static_cast<size_t>(image->height));
}

void CheckSkin(const SkinPackage& skin)
{
    for (const SkinElement& e : skin.parts) {
        CheckGrid(skin, e.grid);
        CheckGrid(skin, e.hotGrid);
        CheckGrid(skin, e.inactiveGrid);
    }
    for (const SkinGrid* g :
        {&skin.buttons.close, &skin.buttons.minimize, &skin.buttons.maximize, &skin.buttons.restore})
        CheckGrid(skin, *g);
    Require(skin.menuItemHeight == 0 || (skin.menuItemHeight >= 12 && skin.menuItemHeight <= 64));
    Require(skin.menuFont.size() < 32);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    SkinLimits limits;
    limits.maxEntryBytes = 1u << 20;
    limits.maxTotalBytes = 2u << 20;
    const SkinReadResult result = ReadSkinArchive(bytes, limits);
    Require(result.skin.has_value() == (result.error == SkinError::None));
    if (result.skin)
        CheckSkin(*result.skin);

    // The same bytes as a description whose every image name finds them.
    const SkinIni ini = SkinIni::Parse(bytes);
    std::map<std::string, std::string> files {{"a.bmp", bytes}, {"b.bmp", bytes}};
    CheckSkin(BuildSkin(ini, files, 256));
    if (auto image = DecodeBmp(bytes, 256))
        Require(image->width > 0 && image->height > 0 && image->width <= 256 && image->height <= 256);
    return 0;
}
