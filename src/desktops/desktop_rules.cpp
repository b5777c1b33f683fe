#include "desktops/desktop_rules.h"

bool IsListedDesktopName(const std::string& name) { return name != "Winlogon" && name != "Disconnect"; }

std::vector<ProgramStart> DesktopLaunchPrograms(const std::string& ownExe, const std::string& windowsDir,
    const std::string& winVersionName, const std::string& ctfmonPath, bool ctfmonExists)
{
    std::vector<ProgramStart> programs {{StartedProgram::Instance, ownExe}};
    // Vista and 7 start their text-input service by themselves.
    if (winVersionName != "winVista" && winVersionName != "win7" && ctfmonExists)
        programs.push_back({StartedProgram::Ctfmon, ctfmonPath});
    programs.push_back({StartedProgram::Shell, windowsDir + "\\explorer.exe"});
    return programs;
}

bool SwitchMovesMarks(const std::string& winVersionName) { return winVersionName != "win7"; }
