// The help documents the program ships: one for every item that opens one,
// each readable as GBK text in the program's code page.
#include "help/help_catalog.h"
#include "support/harness.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

TEST(HelpDocuments, EveryDocumentTheMenusNameIsShippedAsGbkText)
{
    int documents = 0;
    for (const HelpEntry& entry : HelpEntries()) {
        if (entry.action != HelpAction::HelpText)
            continue;
        ++documents;
        const std::string path = harness::SourcePath(std::string("data\\帮助\\") + entry.target);
        const std::string bytes = harness::ReadWholeFile(path);
        ASSERT_GT(bytes.size(), 100u) << entry.item << " " << path;
        // Strict decoding: a byte sequence that is not GBK fails.
        const int wide = ::MultiByteToWideChar(
            936, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        EXPECT_GT(wide, 0) << entry.item << " is not GBK text";
        // Notepad on old systems wants CR LF line ends.
        for (size_t i = 0; i < bytes.size(); ++i)
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << entry.item << " byte " << i;
            }
    }
    EXPECT_EQ(documents, 11);
}

} // namespace
