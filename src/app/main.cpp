// Program entry: the application object, the main window, the about box,
// then the message loop.
#include "app/unit1.h"
#include "framework/application.h"
#include "framework/system_paths.h"
#include "help/unit2.h"

#include <windows.h>

namespace {
const int kNoWindowsExitCode = 3;
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Before anything loads a library by name.
    RestrictLibrarySearch();
    Application& app = Application::Instance();
    app.Initialize();
    app.SetTitle(kApplicationTitle);
    auto form1 = std::make_unique<TForm1>();
    // When the system refuses this thread its windows (its desktop's heap is
    // used up; under Wine, the X server has no room for another client) the
    // program could show nothing and be closed by no one, yet its start-up
    // would still claim the second desktop and the record of hidden icons.
    // End before any of that.
    if (!::IsWindow(app.Handle()) || !::IsWindow(form1->Handle()))
        return kNoWindowsExitCode;
    form1->RunOnCreate();
    auto aboutBox = std::make_unique<TAboutBox>();
    app.Run();
    return 0;
}
