// The tray icon's click on the main window.
#include "app/unit1.h"

#include "framework/application.h"
#include "tray/tray_icon.h"

// A completed left or middle click toggles the main window; the button and
// position do not matter (a right click opens the popup instead).
void TForm1::TrayIcon1Click(TTrayIcon*, TrayButton, ShiftState, int, int)
{
    if (::IsIconic(Application::Instance().Handle()))
        TrayIcon1->ShowApplication();
    else
        TrayIcon1->HideApplication();
}
