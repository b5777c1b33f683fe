// Shell icons of the tree's shortcuts kept between builds as images, keyed
// by the shortcut's path and modification time: a rebuild after a change
// looks up only the shortcuts that are new or rewritten, and the image of a
// shortcut that has gone is given back.
#pragma once
#include "framework/image_list.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct IconRequest {
    std::string path;
    std::uint64_t modified = 0; // last write time; 0 when unknown (always looked up)
};

class ShellIconCache {
public:
    ShellIconCache() = default;
    ShellIconCache(const ShellIconCache&) = delete;
    ShellIconCache& operator=(const ShellIconCache&) = delete;

    // For each shortcut the index of its image in Images(), or -1 when the
    // shell has no icon for it. Images are `width` x `height`; shortcuts not
    // asked for are forgotten.
    std::vector<int> Lookup(const std::vector<IconRequest>& shortcuts, int width, int height);
    // Valid after Lookup, until the next Lookup or Clear.
    const ImageList& Images() const { return *images_; }
    // Forgets everything: the next Lookup looks every icon up again.
    void Clear();

private:
    struct Entry {
        std::uint64_t modified;
        int image; // in images_, or -1
    };
    // Drops the images no entry uses once they outnumber the rest.
    void DropUnused();

    std::unique_ptr<ImageList> images_;
    std::map<std::string, Entry> entries_;
};
