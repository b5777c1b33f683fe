// Preparation of the tray popup each time it opens.
#include "app/unit1.h"

void TForm1::PopupMenu1Popup(PopupMenu*) {}
void TForm1::sijianClick(MenuItem*) {}
