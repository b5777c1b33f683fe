// The folder scan over an in-memory file system: which entries each level
// lists, under which paths and captions, and that it always ends.
#include "launcher/shortcut_scan.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

#define GBK_TRAIL_5C "\x9c\x5c" // "淺": second byte 0x5C

// Folders by path, each with its entries in enumeration order. "*.lnk"
// yields the entries whose names end in ".lnk"; "*.*" yields all of them.
class FakeFolders : public FolderSource {
public:
    std::map<std::string, std::vector<FoundEntry>> listings;
    std::set<std::string> files;
    std::set<std::string> directories;
    std::map<std::string, FolderId> ids;
    std::set<std::string> links; // entries listed as links, by path
    std::vector<std::string> patterns; // every pattern listed, in order

    // A folder with its "." and ".." and the given entries (names ending in
    // "/" are directories).
    void Folder(const std::string& path, const std::vector<std::string>& names, std::uint64_t id = 0)
    {
        directories.insert(path);
        std::vector<FoundEntry> entries = {{".", true}, {"..", true}};
        for (const std::string& name : names) {
            const bool directory = !name.empty() && name.back() == '/';
            const std::string plain = directory ? name.substr(0, name.size() - 1) : name;
            entries.push_back({plain, directory});
            if (!directory)
                files.insert(path + "\\" + plain);
        }
        listings[path] = entries;
        if (id)
            ids[path] = {1, id};
    }

    std::vector<FoundEntry> List(const std::string& pattern) override
    {
        patterns.push_back(pattern);
        std::vector<FoundEntry> found;
        for (const std::string tail : {"*.lnk", "*.*"}) {
            if (pattern.size() < tail.size() || pattern.compare(pattern.size() - tail.size(), tail.size(), tail) != 0)
                continue;
            // "F\\*.lnk" and "F\*.lnk" both list F, as Windows does.
            const std::string prefix = pattern.substr(0, pattern.size() - tail.size());
            auto listing = listings.find(prefix.substr(0, prefix.size() - 1));
            if (listing == listings.end())
                listing = listings.find(prefix);
            if (listing == listings.end())
                return found;
            for (FoundEntry entry : listing->second) {
                const bool lnk = entry.name.size() >= 4 && entry.name.compare(entry.name.size() - 4, 4, ".lnk") == 0;
                entry.link = links.count(listing->first + "\\" + entry.name) != 0;
                if (tail == "*.*" || lnk)
                    found.push_back(entry);
            }
            return found;
        }
        return found;
    }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    bool DirectoryExists(const std::string& path) override { return directories.count(path) != 0; }
    std::optional<FolderId> Identity(const std::string& path) override
    {
        auto id = ids.find(path);
        return id == ids.end() ? std::nullopt : std::optional<FolderId>(id->second);
    }
};

std::vector<std::string> Captions(const std::vector<ShortcutEntry>& shortcuts)
{
    std::vector<std::string> captions;
    for (const ShortcutEntry& shortcut : shortcuts)
        captions.push_back(shortcut.caption);
    return captions;
}

std::vector<std::string> Captions(const std::vector<FolderEntry>& folders)
{
    std::vector<std::string> captions;
    for (const FolderEntry& folder : folders)
        captions.push_back(folder.caption);
    return captions;
}

using Names = std::vector<std::string>;

TEST(ScanShortcutTree, ListsShortcutsAndFoldersInEnumerationOrderWithTheirPaths)
{
    FakeFolders fs;
    fs.Folder("R", {"Zed/", "b.lnk", "readme.txt", "a.b.lnk", "Tools.lnk/", "Alpha/"});
    fs.Folder("R\\Zed", {"z1.lnk", "Inner/"});
    fs.Folder("R\\Zed\\Inner", {"deep.lnk"});
    fs.Folder("R\\Tools.lnk", {});
    fs.Folder("R\\Alpha", {"x.lnk", "notes.doc"});

    const FolderEntry tree = ScanShortcutTree(fs, "R");
    // A directory named like a shortcut is listed both ways.
    EXPECT_EQ(Captions(tree.shortcuts), (Names {"b", "a.b", "Tools"}));
    EXPECT_EQ(tree.shortcuts[1].path, "R\\a.b.lnk");
    EXPECT_EQ(tree.shortcuts[2].path, "R\\Tools.lnk");
    EXPECT_EQ(Captions(tree.folders), (Names {"Zed", "Tools.lnk", "Alpha"}));

    const FolderEntry& zed = tree.folders[0];
    EXPECT_EQ(zed.path, "R\\Zed");
    EXPECT_EQ(Captions(zed.shortcuts), Names {"z1"});
    EXPECT_EQ(zed.shortcuts[0].path, "R\\Zed\\z1.lnk");
    ASSERT_EQ(zed.folders.size(), 1u);
    EXPECT_EQ(zed.folders[0].path, "R\\Zed\\Inner");
    EXPECT_EQ(zed.folders[0].shortcuts[0].path, "R\\Zed\\Inner\\deep.lnk");
    EXPECT_TRUE(tree.folders[1].shortcuts.empty());
    EXPECT_TRUE(tree.folders[1].folders.empty());
    EXPECT_EQ(Captions(tree.folders[2].shortcuts), Names {"x"});
}

TEST(ScanShortcutTree, AMissingRootGivesAnEmptyTree)
{
    FakeFolders fs;
    const FolderEntry tree = ScanShortcutTree(fs, "C:\\nowhere");
    EXPECT_TRUE(tree.shortcuts.empty());
    EXPECT_TRUE(tree.folders.empty());
}

TEST(ScanShortcutTree, PatternsJoinWithOneBackslashCharacterWise)
{
    struct Case {
        const char* root;
        const char* folderPattern;
        const char* shortcutPattern;
    } cases[] = {
        {"R", "R\\*.*", "R\\*.lnk"},
        // The root's shortcuts always get a "\"; its folders only when needed.
        {"R\\", "R\\*.*", "R\\\\*.lnk"},
        // A GBK name whose last byte is 0x5C does not end in "\".
        {"R\\" GBK_TRAIL_5C, "R\\" GBK_TRAIL_5C "\\*.*", "R\\" GBK_TRAIL_5C "\\*.lnk"},
    };
    for (const Case& c : cases) {
        FakeFolders fs;
        ScanShortcutTree(fs, c.root);
        const std::set<std::string> listed(fs.patterns.begin(), fs.patterns.end());
        EXPECT_EQ(listed, (std::set<std::string> {c.folderPattern, c.shortcutPattern})) << c.root;
    }
}

TEST(ScanShortcutTree, SkipsDotsFilesAndEntriesThatAreNoFolderUnderAnyForm)
{
    FakeFolders fs;
    fs.Folder("R", {"gone/", "racing/", "odd/", "kept/"});
    fs.files.insert("R\\racing"); // listed as a folder, a file by now
    fs.directories.insert("R\\racing");
    // "gone" vanished after the listing; "odd" is reachable only with a trailing "\".
    fs.directories.insert("R\\odd\\");
    fs.listings["R\\odd\\"] = {{".", true}, {"..", true}, {"in.lnk", false}, {"sub", true}};
    fs.directories.insert("R\\odd\\sub");
    fs.directories.insert("R\\kept");

    const FolderEntry tree = ScanShortcutTree(fs, "R");
    ASSERT_EQ(Captions(tree.folders), (Names {"", "kept"}));
    const FolderEntry& odd = tree.folders[0];
    EXPECT_EQ(odd.path, "R\\odd\\");
    ASSERT_EQ(odd.shortcuts.size(), 1u);
    EXPECT_EQ(odd.shortcuts[0].path, "R\\odd\\\\in.lnk"); // paths are joined, never normalised
    ASSERT_EQ(odd.folders.size(), 1u);
    EXPECT_EQ(odd.folders[0].path, "R\\odd\\sub"); // no doubled "\" before the folder name
    EXPECT_EQ(odd.folders[0].caption, "sub");
}

TEST(ScanShortcutTree, FormsEndingInBackslashAreTriedInOrder)
{
    struct Case {
        const char* existing;
        const char* expectedPath;
    } cases[] = {
        {"R\\n", "R\\n"},
        {"R\\n.\\", "R\\n.\\"},
        {"R\\n..\\", "R\\n..\\"},
        {"R\\n\\", "R\\n\\"},
    };
    for (const Case& c : cases) {
        FakeFolders fs;
        fs.listings["R"] = {{"n", true}};
        fs.directories = {"R", c.existing};
        const FolderEntry tree = ScanShortcutTree(fs, "R");
        ASSERT_EQ(tree.folders.size(), 1u) << c.existing;
        EXPECT_EQ(tree.folders[0].path, c.expectedPath);
    }
}

TEST(ScanShortcutTree, AFolderLeadingBackToAnAncestorIsListedButNotEntered)
{
    FakeFolders fs;
    fs.Folder("R", {"a.lnk", "A/", "B/"}, 10);
    fs.Folder("R\\A", {"inA.lnk", "toRoot/", "Deeper/"}, 11);
    fs.Folder("R\\A\\toRoot", {"a.lnk", "A/", "B/"}, 10); // a link to R
    fs.Folder("R\\A\\Deeper", {"toA/"}, 12);
    fs.Folder("R\\A\\Deeper\\toA", {"inA.lnk", "toRoot/", "Deeper/"}, 11); // a link to R\A
    fs.Folder("R\\B", {"toSibling/"}, 13);
    fs.Folder("R\\B\\toSibling", {"inA.lnk", "toRoot/", "Deeper/"}, 11); // R\A again, not an ancestor
    fs.Folder("R\\B\\toSibling\\toRoot", {}, 10);
    fs.Folder("R\\B\\toSibling\\Deeper", {"toA/"}, 12);
    fs.Folder("R\\B\\toSibling\\Deeper\\toA", {}, 11);
    fs.links = {"R\\A\\toRoot", "R\\A\\Deeper\\toA", "R\\B\\toSibling", "R\\B\\toSibling\\toRoot",
        "R\\B\\toSibling\\Deeper\\toA"};

    const FolderEntry tree = ScanShortcutTree(fs, "R");
    const FolderEntry& a = tree.folders[0];
    ASSERT_EQ(Captions(a.folders), (Names {"toRoot", "Deeper"}));
    EXPECT_TRUE(a.folders[0].leadsBack);
    EXPECT_TRUE(a.folders[0].shortcuts.empty());
    EXPECT_TRUE(a.folders[0].folders.empty());
    ASSERT_EQ(a.folders[1].folders.size(), 1u);
    EXPECT_TRUE(a.folders[1].folders[0].leadsBack);

    // A second way into a folder that is not above it is a plain folder.
    const FolderEntry& sibling = tree.folders[1].folders[0];
    EXPECT_FALSE(sibling.leadsBack);
    EXPECT_EQ(Captions(sibling.shortcuts), Names {"inA"});
    ASSERT_EQ(sibling.folders.size(), 2u);
    EXPECT_TRUE(sibling.folders[0].leadsBack) << "R is above it";
    EXPECT_FALSE(sibling.folders[1].leadsBack);
    EXPECT_TRUE(sibling.folders[1].folders[0].leadsBack) << "toSibling (R\\A) is above it";
}

TEST(ScanShortcutTree, DeepTreesAreFollowedAndUnknowableCyclesStillEnd)
{
    FakeFolders fs;
    std::string path = "R";
    for (int level = 0; level < 100; ++level) {
        fs.Folder(path, {"s.lnk", "d/"}, 100 + level);
        path += "\\d";
    }
    fs.Folder(path, {"last.lnk"}, 500);
    const FolderEntry tree = ScanShortcutTree(fs, "R");
    const FolderEntry* folder = &tree;
    int depth = 0;
    while (!folder->folders.empty()) {
        folder = &folder->folders[0];
        ++depth;
    }
    EXPECT_EQ(depth, 100);
    EXPECT_EQ(Captions(folder->shortcuts), Names {"last"});

    // A folder that contains itself, with no identity to tell: the depth
    // bound ends it.
    FakeFolders loop;
    loop.listings["L"] = {{"self", true}};
    loop.directories.insert("L");
    std::string looped = "L";
    for (int level = 0; level <= kMaxFolderDepth + 5; ++level) {
        looped += "\\self";
        loop.directories.insert(looped);
        loop.listings[looped] = {{"self", true}};
    }
    const FolderEntry endless = ScanShortcutTree(loop, "L");
    depth = 0;
    for (folder = &endless; !folder->folders.empty(); folder = &folder->folders[0])
        ++depth;
    EXPECT_EQ(depth, kMaxFolderDepth);
}

TEST(NumberShortcuts, FollowsTheBuildOrderFolderShortcutsBeforeSubfolders)
{
    FakeFolders fs;
    fs.Folder("R", {"B/", "r1.lnk", "A/", "r2.lnk"});
    fs.Folder("R\\B", {"C/", "b1.lnk"});
    fs.Folder("R\\B\\C", {"c1.lnk"});
    fs.Folder("R\\A", {"a1.lnk", "a2.lnk"});
    FolderEntry tree = ScanShortcutTree(fs, "R");
    std::vector<std::string> order;
    for (const ShortcutEntry* shortcut : NumberShortcuts(tree))
        order.push_back(shortcut->caption);
    EXPECT_EQ(order, (Names {"r1", "r2", "b1", "c1", "a1", "a2"}));
    EXPECT_EQ(tree.folders[1].shortcuts[1].order, 5u);
}

} // namespace
