// The settings file "set" on disk: read whole, or replaced in one step.
#pragma once
#include "app/settings_reader.h"

#include <optional>
#include <string>

// The parsed file, or nothing when no file exists at `path`. Throws
// InOutError when the file exists but cannot be read.
std::optional<SettingsReadResult> LoadSettingsFile(const std::string& path);

// Writes the two options. The new content goes to a temporary file beside
// `path` that then replaces it, so a failed save never leaves a truncated or
// half-written file: the old one stays. Throws InOutError on failure.
void SaveSettingsFile(const std::string& path, bool first, bool second);
