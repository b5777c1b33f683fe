// Global hotkeys and the hiding of other programs' tray icons.
#include "app/unit1.h"

void TForm1::rejianyincangClick(MenuItem*) {}
void TForm1::yongrejianqiehuanzuomianClick(MenuItem*) {}
void TForm1::HotKeyMessage(WPARAM, LPARAM, LRESULT&) {}
void TForm1::kaisiyincangClick(MenuItem*) { TrayIconsHidden = true; }
void TForm1::huifuClick(MenuItem*) { TrayIconsHidden = false; }
