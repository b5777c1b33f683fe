// Starting a chosen shortcut as Explorer starts it: its arguments, start-in
// folder, show command and "run as administrator" flag, and targets that are
// shell items rather than files.
#pragma once
#include <windows.h>

#include <string>

// What a shortcut comes to when it is chosen.
enum class ShortcutStart {
    File, // its target file, with the shortcut's settings
    Item, // its shell item (My Computer, a control panel item)
    ShortcutItself, // the shell starts the shortcut file (advertised ones)
    TargetMissing, // the target file is gone: the user is told
    Unresolvable, // no target at all: the shell is handed "unable to resolve link"
};

ShortcutStart ChooseShortcutStart(bool loaded, bool advertised, bool hasPath, bool hasItems, bool targetExists);

// The message for a shortcut whose target file is gone.
std::string TargetMissingMessage(const std::string& shortcut, const std::string& target);

// Starts the existing shortcut file `shortcut` through the OS interface, or
// tells the user that its target is gone. Never rewrites the file.
void StartShortcut(HWND owner, const std::string& shortcut);
