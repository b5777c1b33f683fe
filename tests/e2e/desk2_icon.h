// The second desktop's icon file, which an instance started on "Desk2" loads
// from its folder at start-up.
#pragma once
#include "support/harness.h"

#include <gtest/gtest.h>

#include <string>

inline ::testing::AssertionResult WriteDesk2Icon(const harness::TempDir& dir)
{
    const std::string icon = harness::ReadWholeFile(harness::SourcePath("data/tubiaodesk2.ico"));
    if (icon.empty())
        return ::testing::AssertionFailure() << "data/tubiaodesk2.ico could not be read";
    if (!dir.WriteFile("tubiaodesk2.ico", icon))
        return ::testing::AssertionFailure() << "tubiaodesk2.ico could not be written to " << dir.Path();
    return ::testing::AssertionSuccess();
}
