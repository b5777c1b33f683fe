#include "desktops/desktop_launcher.h"

#include "desktops/desktop_rules.h"
#include "desktops/desktops.h"
#include "framework/files.h"
#include "framework/os.h"

namespace {
// The new instance gets a head start before its companions; the system gives
// no signal for when it is ready, and none is waited for.
const DWORD kSettleMs = 100;

// A failed start keeps no handle, so shut-down can never end an unrelated
// process; the thread handle is not needed and is closed at once.
KernelHandle StartOnDesktop(const std::string& application, STARTUPINFOA& start)
{
    PROCESS_INFORMATION info {};
    if (!Os().CreateProcessOnDesktop(application, start, info))
        return KernelHandle();
    KernelHandle thread(info.hThread);
    return KernelHandle(info.hProcess);
}
} // namespace

void DesktopLauncher::Launch(TDesktop& desktops, const std::string& desktopName, const DesktopLaunchInputs& inputs)
{
    // Closed however the rest ends; the desktop lives on while processes run on it.
    DesktopHandle desktop = desktops.CreateNamedDesktop(desktopName);

    // One start record serves every program; it names the desktop and nothing else.
    std::string name = desktopName;
    STARTUPINFOA start {};
    start.cb = sizeof start;
    start.lpDesktop = name.data();
    static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOA) == 68, "the 32-bit start record is 68 bytes");

    const bool ctfmonExists = FileExists(inputs.ctfmonPath);
    for (const ProgramStart& program : DesktopLaunchPrograms(
             inputs.ownExe, inputs.windowsDir, inputs.winVersionName, inputs.ctfmonPath, ctfmonExists)) {
        KernelHandle process = StartOnDesktop(program.path, start);
        switch (program.role) {
        case StartedProgram::Instance:
            ::Sleep(kSettleMs);
            deskInstanceProcess_ = std::move(process);
            ctfmonProcess_.Reset();
            break;
        case StartedProgram::Ctfmon:
            ctfmonProcess_ = std::move(process);
            break;
        case StartedProgram::Shell:
            // The shell outlives the program; its handle is not kept.
            break;
        }
    }
    ::Sleep(kSettleMs);
    desktops.ClearDesktops();
}

void DesktopLauncher::EndStartedProcesses()
{
    for (KernelHandle* process : {&deskInstanceProcess_, &ctfmonProcess_}) {
        if (!*process)
            continue;
        // A running process reads STILL_ACTIVE (259), which becomes its exit code.
        DWORD code = 0;
        ::GetExitCodeProcess(process->Get(), &code);
        Os().TerminateProcess(process->Get(), code);
        process->Reset();
    }
}

void ReleaseForegroundFocus()
{
    ::SetActiveWindow(nullptr);
    const DWORD foregroundThread = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
    const DWORD ownThread = ::GetCurrentThreadId();
    ::AttachThreadInput(ownThread, foregroundThread, TRUE);
    ::AttachThreadInput(ownThread, foregroundThread, FALSE);
}
