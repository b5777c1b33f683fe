// Special folders in Explorer windows and the system commands.
#include "app/unit1.h"

void TForm1::dakaibencenxvqidongwenjianjiaClick(MenuItem*) {}
void TForm1::wodewendangClick(MenuItem*) {}
void TForm1::N25Click(MenuItem*) {}
void TForm1::N45Click(MenuItem*) {}
void TForm1::N47Click(MenuItem*) {}
void TForm1::N49Click(MenuItem*) {}
void TForm1::wodediannaoClick(MenuItem*) {}
void TForm1::N63Click(MenuItem*) { wodewendangClick(nullptr); }
void TForm1::N65Click(MenuItem*) { wodediannaoClick(nullptr); }
void TForm1::N50Click(MenuItem*) {}
void TForm1::N59Click(MenuItem*) {}
void TForm1::N54Click(MenuItem*) {}
void TForm1::N56Click(MenuItem*) {}
void TForm1::N58Click(MenuItem*) {}
void TForm1::N67Click(MenuItem*) {}
