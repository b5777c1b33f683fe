// New Explorer windows on folders, as the menus open them.
#pragma once
#include <windows.h>

#include <string>

// The program that folder windows are opened with.
std::string ExplorerProgram();

// Explorer's parameters for a new window on `folder`: "/n," and the folder
// as it is. Wine's explorer reads no path after "/n," (it shows its desktop
// folder instead), so under Wine the folder follows "/root," in quotes.
std::string FolderWindowParameters(const std::string& folder, bool wine);

// Wine's explorer roots no window at a shell item such as My Computer
// ("::{...}"), and the shell's own start of one opens nothing. It does open
// the item's parent with the item selected: these parameters ask for that.
// Unquoted, as it reads no quoted item name.
std::string WineSelectItemParameters(const std::string& parsingName);

// Opens a new maximised Explorer window on `folder` (not checked) through
// the OS interface.
void OpenFolderWindow(HWND owner, const std::string& folder);
