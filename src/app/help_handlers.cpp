// Help documents, the feedback tool and the links.
#include "app/unit1.h"

void TForm1::HelpItemClick(MenuItem*) {}
