// The "我的程序" shortcut trees, launching and reload. Filled in by the
// launcher's own change; until then the trees stay empty.
#include "app/unit1.h"

void TForm1::cenxvkuaijiedongtaiClick(MenuItem*) {}
void TForm1::formmenuwodecenxvdongtaiClick(MenuItem*) {}
void TForm1::liecukeyiexelnkzi(const std::string&, MenuItem*) {}
MenuItem* TForm1::AddFolderItem(const std::string&, MenuItem*) { return nullptr; }
void TForm1::AddFolderShortcuts(const std::string&, MenuItem*) {}
void TForm1::ApplyColumnBreak(MenuItem*, MenuItem*) {}
void TForm1::huodekuaijietubiaoClick(MenuItem*) { LastIconIndex = -1; }
void TForm1::menu_cenxvkuaijieClick(MenuItem*) {}
void TForm1::formmenu_cenxvkuaijieClick(MenuItem*) {}
void TForm1::congzaiwodecenxvClick(MenuItem*) {}
void TForm1::popup_congzaiwodecenxvClick(MenuItem*) { congzaiwodecenxvClick(nullptr); }
void TForm1::dakaiwodecenxvwenjianjiaClick(MenuItem*) {}
void TForm1::N10Click(MenuItem*) { dakaiwodecenxvwenjianjiaClick(nullptr); }
