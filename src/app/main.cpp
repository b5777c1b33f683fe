// Program entry: the application object, the main window, the about box,
// then the message loop.
#include "app/unit1.h"
#include "framework/application.h"
#include "framework/system_paths.h"
#include "help/unit2.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Before anything loads a library by name.
    RestrictLibrarySearch();
    Application& app = Application::Instance();
    app.Initialize();
    app.SetTitle(kApplicationTitle);
    auto form1 = std::make_unique<TForm1>();
    form1->RunOnCreate();
    auto aboutBox = std::make_unique<TAboutBox>();
    app.Run();
    return 0;
}
