// Rules of the second desktop that need no window: which desktop names the
// enumeration lists, what the launcher starts, and when a switch moves the
// desktop check marks.
#pragma once
#include <string>
#include <vector>

// ctfmon is looked for at this fixed place only, not under the Windows folder.
constexpr char kCtfmonPath[] = "C:\\WINDOWS\\system32\\ctfmon.exe";

// The enumeration leaves out the system's own "Winlogon" and "Disconnect"
// (compared exactly, so another case is listed).
bool IsListedDesktopName(const std::string& name);

enum class StartedProgram { Instance, Ctfmon, Shell };

struct ProgramStart {
    StartedProgram role;
    std::string path;
};

// The programs started on a new desktop, in order: this program again, then
// ctfmon (not on Vista or 7, and only when it exists), then the shell.
// `ctfmonPath` is kCtfmonPath in the program.
std::vector<ProgramStart> DesktopLaunchPrograms(const std::string& ownExe, const std::string& windowsDir,
    const std::string& winVersionName, const std::string& ctfmonPath, bool ctfmonExists);

// On Windows 7 the tray popup sets the marks from the instance's own desktop,
// so a switch leaves them alone; elsewhere F11 toggles by them.
bool SwitchMovesMarks(const std::string& winVersionName);
