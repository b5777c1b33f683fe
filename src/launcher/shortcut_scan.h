// The shortcut folder read into plain data before any menu is made: which
// shortcuts and subfolders each menu shows, in which order, with which
// captions and shortcut paths. Both menu trees are then built from one scan.
//
// The rules: every level lists its shortcuts (folder + "\*.lnk") before its
// subfolders (folder + "\*.*"), each group in the file system's order; hidden
// and system entries are listed too. A subfolder that is one of its own
// ancestors again (a junction or link pointing upwards) is listed but not
// entered, so the scan always ends. Only a link can lead back, so only links
// are compared with the folders above them, and identities are asked for
// only then: a tree without links costs no identity at all.
#pragma once
#include "launcher/shortcut_names.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct FoundEntry {
    std::string name;
    bool directory = false;
    std::uint64_t modified = 0; // last write time as the system gives it; 0 when unknown
    bool link = false; // a reparse point: a junction, a symbolic link or a mounted volume
};

// What the system says is the same folder, whichever path reached it
// (volume serial number and file index).
struct FolderId {
    std::uint32_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FolderId& other) const { return volume == other.volume && index == other.index; }
};

// The file system as the scan sees it.
class FolderSource {
public:
    virtual ~FolderSource() = default;
    // Every entry that `pattern` (a folder path + "\*.lnk" or "\*.*") matches,
    // in enumeration order, whatever its attributes; empty for a missing or
    // unreadable folder.
    virtual std::vector<FoundEntry> List(const std::string& pattern) = 0;
    // A file, not a directory, exists at `path`.
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // The folder's identity, when the system can tell it.
    virtual std::optional<FolderId> Identity(const std::string& path) = 0;
    virtual LeadBytePredicate LeadBytes() const { return IsGbkLeadByte; }
};

struct ShortcutEntry {
    std::string caption; // the file name without its extension
    std::string path; // full path of the shortcut file
    std::size_t order = 0; // place in build order (see NumberShortcuts)
    std::uint64_t modified = 0; // last write time of the shortcut file, 0 when unknown
};

struct FolderEntry {
    std::string path; // as the scan formed it; ends in "\" when only that form existed
    std::string caption; // text after the last "\" or ":" of the path
    std::vector<ShortcutEntry> shortcuts;
    std::vector<FolderEntry> folders;
    bool leadsBack = false; // one of its own ancestors: listed without children
};

// The shortcuts of `folder`: folder + "\*.lnk", paths folder + "\" + name.
std::vector<ShortcutEntry> ScanShortcuts(FolderSource& source, const std::string& folder);

// The whole tree below `root`: its shortcuts and its subfolders.
FolderEntry ScanShortcutTree(FolderSource& source, const std::string& root);
// Only the subfolders below `folder` (the root's own shortcuts left out).
FolderEntry ScanFolderTree(FolderSource& source, const std::string& folder);

// Numbers the shortcuts in the order a tree build adds them (a folder's
// shortcuts, then its subfolders depth first) and returns them in that order.
std::vector<ShortcutEntry*> NumberShortcuts(FolderEntry& root);

// Deeper folders than this are not entered. Cycles are caught by identity;
// this only bounds a source that cannot tell identities, and lies far beyond
// what a path of MAX_PATH characters can nest.
constexpr int kMaxFolderDepth = 256;
