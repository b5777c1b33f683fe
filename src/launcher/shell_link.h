// Shortcut files resolved to their targets through the shell-link object.
#pragma once
#include <string>

constexpr char kUnresolvedLink[] = "unable to resolve link";

// The target path of the shortcut file `shortcutPath`, or "unable to resolve
// link" when the file cannot be loaded or resolved or names no file path.
// The shortcut file is never rewritten. Throws Exception with the system's
// text when the shell-link object itself cannot be had.
std::string ResolveLinkTarget(const std::string& shortcutPath);
