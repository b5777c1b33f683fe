// Setting up "Desk2" and switching between the two desktops.
#include "app/unit1.h"

void TForm1::LaunchOnDesktop(const std::string&) {}
void TForm1::morenzuomianClick(MenuItem*) {}
void TForm1::zuomian2Click(MenuItem*) {}
