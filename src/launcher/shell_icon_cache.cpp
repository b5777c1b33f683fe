#include "launcher/shell_icon_cache.h"

#include "launcher/shell_icons.h"

std::vector<int> ShellIconCache::Lookup(const std::vector<IconRequest>& shortcuts, int width, int height)
{
    if (!images_ || images_->Width() != width || images_->Height() != height) {
        entries_.clear();
        images_ = std::make_unique<ImageList>(width, height);
    }
    std::map<std::string, Entry> kept;
    std::vector<const IconRequest*> missing;
    for (const IconRequest& shortcut : shortcuts) {
        auto known = entries_.find(shortcut.path);
        if (known != entries_.end() && shortcut.modified && known->second.modified == shortcut.modified)
            kept.emplace(shortcut.path, known->second);
        else
            missing.push_back(&shortcut);
    }
    if (!missing.empty()) {
        std::vector<std::string> paths;
        for (const IconRequest* shortcut : missing)
            paths.push_back(shortcut->path);
        // Each distinct icon is converted once; the handles go back at once.
        ShellIcons fetched = FetchShellIcons(paths);
        std::vector<int> imageOf;
        for (HICON icon : fetched.icons)
            imageOf.push_back(images_->AppendIcon(icon));
        DestroyIcons(fetched.icons);
        for (std::size_t i = 0; i < missing.size(); ++i) {
            const int icon = fetched.iconOf[i];
            kept[missing[i]->path] = Entry {missing[i]->modified, icon < 0 ? -1 : imageOf[static_cast<size_t>(icon)]};
        }
    }
    entries_ = std::move(kept);
    DropUnused();

    std::vector<int> images;
    for (const IconRequest& shortcut : shortcuts)
        images.push_back(entries_.at(shortcut.path).image);
    return images;
}

void ShellIconCache::DropUnused()
{
    const int count = images_->Count();
    std::vector<int> renumbered(static_cast<size_t>(count), -1);
    std::vector<int> used;
    for (const auto& entry : entries_) {
        const int image = entry.second.image;
        if (image >= 0 && image < count && renumbered[static_cast<size_t>(image)] < 0) {
            renumbered[static_cast<size_t>(image)] = 0;
            used.push_back(image);
        }
    }
    // A few spare images cost less than copying the list after every change.
    if (count - static_cast<int>(used.size()) <= static_cast<int>(used.size()) + 16)
        return;
    auto fresh = std::make_unique<ImageList>(images_->Width(), images_->Height());
    const int first = used.empty() ? 0 : fresh->AppendCopiesOf(*images_, used);
    for (std::size_t i = 0; i < used.size(); ++i)
        renumbered[static_cast<size_t>(used[i])] = first < 0 ? -1 : first + static_cast<int>(i);
    for (auto& entry : entries_) {
        if (entry.second.image >= 0)
            entry.second.image = entry.second.image < count ? renumbered[static_cast<size_t>(entry.second.image)] : -1;
    }
    images_ = std::move(fresh);
}

void ShellIconCache::Clear()
{
    entries_.clear();
    images_.reset();
}
