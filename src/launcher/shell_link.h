// Shortcut files resolved to their targets through the shell-link object.
#pragma once
#include "framework/scoped.h"

#include <string>

constexpr char kUnresolvedLink[] = "unable to resolve link";

// The target path of the shortcut file `shortcutPath`, or "unable to resolve
// link" when the file cannot be loaded or resolved or names no file path.
// The shortcut file is never rewritten. Throws Exception with the system's
// text when the shell-link object itself cannot be had.
std::string ResolveLinkTarget(const std::string& shortcutPath);

// Everything a shortcut says about starting its target.
struct ShortcutContents {
    bool loaded = false; // the file is a shortcut the shell could read
    std::string path; // the target's file-system path; empty when it has none
    ShellItemList items; // the target as a shell item (also for a path)
    std::string itemsName; // the item's parsing name ("::{...}") when it has no path
    bool advertised = false; // an installer's advertised shortcut
    std::string arguments;
    std::string directory; // the start-in folder; empty when none
    int show = SW_SHOWNORMAL;
    bool runAsAdministrator = false;
};

// Reads the shortcut file at `shortcutPath` for starting it, resolving a
// moved target without any window of the shell's and without rewriting the
// file. Throws as ResolveLinkTarget does.
ShortcutContents ReadShortcut(const std::string& shortcutPath);
