// The last start-up step: load the skin and switch it on.
#include "app/unit1.h"

void TForm1::huanpifuClick(MenuItem*) {}
