#include "launcher/shortcut_build.h"

#include "framework/image_list.h"
#include "launcher/shell_icon_cache.h"
#include "launcher/shell_icons.h"

std::vector<IconRequest> NumberedIconRequests(FolderEntry& tree)
{
    std::vector<IconRequest> requests;
    for (const ShortcutEntry* shortcut : NumberShortcuts(tree))
        requests.push_back({shortcut->path, shortcut->modified});
    return requests;
}

ShortcutBuild::ShortcutBuild(FolderEntry tree, Step next)
    : tree_(std::move(tree))
    , next_(next)
{
    ShellIcons fetched = FetchShellIcons(NumberedPaths());
    icons_ = std::move(fetched.icons);
    iconOf_ = std::move(fetched.iconOf);
    indexes_.assign(iconOf_.size(), -1);
}

ShortcutBuild::ShortcutBuild(FolderEntry tree, Step next, ShellIconCache& cache, const ImageList& images)
    : tree_(std::move(tree))
    , next_(next)
{
    iconOf_ = cache.Lookup(NumberedIconRequests(tree_), images.Width(), images.Height());
    cached_ = &cache.Images();
    indexes_.assign(iconOf_.size(), -1);
}

std::vector<std::string> ShortcutBuild::NumberedPaths()
{
    std::vector<std::string> paths;
    for (const ShortcutEntry* shortcut : NumberShortcuts(tree_))
        paths.push_back(shortcut->path);
    return paths;
}

ShortcutBuild::~ShortcutBuild() { DestroyIcons(icons_); }

std::vector<IconRequest> ShortcutBuild::ShortcutsWithIcons()
{
    std::vector<IconRequest> requests = NumberedIconRequests(tree_);
    std::vector<IconRequest> with;
    for (std::size_t order = 0; order < requests.size(); ++order)
        if (HasIcon(order))
            with.push_back(std::move(requests[order]));
    return with;
}

int ShortcutBuild::AppendIcon(ImageList& images, const ShortcutEntry& shortcut)
{
    if (shortcut.order >= iconOf_.size())
        return -1;
    if (copied_)
        return indexes_[shortcut.order];
    const int icon = iconOf_[shortcut.order];
    if (icon < 0)
        return -1;
    indexes_[shortcut.order]
        = cached_ ? images.AppendCopiesOf(*cached_, {icon}) : images.AppendIcon(icons_[static_cast<size_t>(icon)]);
    return indexes_[shortcut.order];
}

void ShortcutBuild::BeginFirstTree(ImageList& images)
{
    ImageList converted(images.Width(), images.Height());
    std::vector<int> distinctIndex;
    for (HICON icon : icons_)
        distinctIndex.push_back(converted.AppendIcon(icon));
    if (cached_) {
        for (int i = 0; i < cached_->Count(); ++i)
            distinctIndex.push_back(i);
    }
    const ImageList& distinct = cached_ ? *cached_ : converted;
    std::vector<int> sources;
    std::vector<std::size_t> orders;
    for (std::size_t order = 0; order < iconOf_.size(); ++order) {
        const int icon = iconOf_[order];
        if (icon >= 0 && distinctIndex[static_cast<size_t>(icon)] >= 0) {
            sources.push_back(distinctIndex[static_cast<size_t>(icon)]);
            orders.push_back(order);
        }
    }
    if (sources.empty())
        return;
    const int start = images.AppendCopiesOf(distinct, sources);
    if (start < 0)
        return;
    for (std::size_t i = 0; i < orders.size(); ++i)
        indexes_[orders[i]] = start + static_cast<int>(i);
    copied_ = true;
}

void ShortcutBuild::BeginNextTree(ImageList& images)
{
    std::vector<int> previous(indexes_.size(), -1);
    previous.swap(indexes_);
    copied_ = false;
    // The previous tree's images must be exactly the last ones of the list,
    // one per icon in build order, for a copy to give the same indexes as
    // adding the icons again.
    int first = -1, count = 0;
    for (int index : previous) {
        if (index < 0)
            continue;
        if (first < 0)
            first = index;
        if (index != first + count)
            return;
        ++count;
    }
    if (count == 0 || first + count != images.Count())
        return;
    const int start = images.AppendCopies(first, count);
    if (start < 0)
        return;
    for (std::size_t order = 0; order < previous.size(); ++order)
        indexes_[order] = previous[order] < 0 ? -1 : previous[order] - first + start;
    copied_ = true;
    // The list holds every image this build needs.
    DestroyIcons(icons_);
}
