// The tray icon's click on the main window.
#include "app/unit1.h"

void TForm1::TrayIcon1Click(MenuItem*) {}
