// The scan's view of the real file system, through the ANSI file calls.
#pragma once
#include "launcher/shortcut_scan.h"

class Win32FolderSource : public FolderSource {
public:
    std::vector<FoundEntry> List(const std::string& pattern) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    std::optional<FolderId> Identity(const std::string& path) override;
    LeadBytePredicate LeadBytes() const override;
};
