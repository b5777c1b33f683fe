#include "framework/folder_window.h"

#include "framework/os.h"
#include "framework/system_paths.h"

namespace {
const char kOpen[] = "open";
const char kExplorer[] = "Explorer.exe";
const char kNewWindowSwitch[] = "/n,";
const char kWineRootSwitch[] = "/root,";
const char kWineSelectSwitch[] = "/select,";
} // namespace

// From the Windows folder, never a file of that name in the current folder or
// on PATH.
std::string ExplorerProgram() { return PathIn(SystemWindowsFolder(), kExplorer); }

std::string FolderWindowParameters(const std::string& folder, bool wine)
{
    // Quoted, since Wine's explorer ends an unquoted path at a comma.
    return wine ? kWineRootSwitch + ("\"" + folder + "\"") : kNewWindowSwitch + folder;
}

std::string WineSelectItemParameters(const std::string& parsingName) { return kWineSelectSwitch + parsingName; }

void OpenFolderWindow(HWND owner, const std::string& folder)
{
    OsInterface& os = Os();
    os.ShellExecuteFile(
        owner, kOpen, ExplorerProgram(), FolderWindowParameters(folder, os.RunsUnderWine()), SW_SHOWMAXIMIZED);
}
