// The scan's view of the real file system, through the ANSI file calls; one
// for each scan, as it remembers the last path it was asked about.
#pragma once
#include "launcher/shortcut_scan.h"

#include <string>

class Win32FolderSource : public FolderSource {
public:
    std::vector<FoundEntry> List(const std::string& pattern) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    std::optional<FolderId> Identity(const std::string& path) override;
    LeadBytePredicate LeadBytes() const override;

private:
    // The scan asks of each folder's path whether a file and then whether a
    // directory is there: one query answers both.
    unsigned long Attributes(const std::string& path);
    std::string lastPath_;
    unsigned long lastAttributes_ = 0;
};
