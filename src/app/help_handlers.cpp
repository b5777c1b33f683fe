// Help documents, the feedback tool, the links and the about box.
#include "app/unit1.h"
#include "help/unit2.h"

void TForm1::N13Click(MenuItem*) { HelpLinks1.Open("N13", ProgramDir); }
void TForm1::N85Click(MenuItem*) { HelpLinks1.Open("N85", ProgramDir); }
void TForm1::N2Click(MenuItem*) { HelpLinks1.Open("N2", ProgramDir); }
void TForm1::N15Click(MenuItem*) { HelpLinks1.Open("N15", ProgramDir); }
void TForm1::N75Click(MenuItem*) { HelpLinks1.Open("N75", ProgramDir); }
void TForm1::N1001Click(MenuItem*) { HelpLinks1.Open("N1001", ProgramDir); }
void TForm1::N82Click(MenuItem*) { HelpLinks1.Open("N82", ProgramDir); }
void TForm1::N84Click(MenuItem*) { HelpLinks1.Open("N84", ProgramDir); }
void TForm1::N26Click(MenuItem*) { HelpLinks1.Open("N26", ProgramDir); }
void TForm1::N37Click(MenuItem*) { HelpLinks1.Open("N37", ProgramDir); }

void TForm1::N17Click(MenuItem*)
{
    if (AboutBox)
        AboutBox->ShowInFront();
}

void TForm1::N19Click(MenuItem*) { HelpLinks1.StartFeedbackTool(ProgramDir); }
void TForm1::N21Click(MenuItem*) { HelpLinks1.ShowInvitation(); }

void TForm1::mr1Click(MenuItem*) { HelpLinks1.Open("mr1", ProgramDir); }
void TForm1::mr2Click(MenuItem*) { HelpLinks1.Open("mr2", ProgramDir); }
void TForm1::mr3Click(MenuItem*) { HelpLinks1.Open("mr3", ProgramDir); }
void TForm1::mr4Click(MenuItem*) { HelpLinks1.Open("mr4", ProgramDir); }
void TForm1::mr5Click(MenuItem*) { HelpLinks1.Open("mr5", ProgramDir); }
void TForm1::mr6Click(MenuItem*) { HelpLinks1.Open("mr6", ProgramDir); }
void TForm1::mr7Click(MenuItem*) { HelpLinks1.Open("mr7", ProgramDir); }
void TForm1::mr8Click(MenuItem*) { HelpLinks1.Open("mr8", ProgramDir); }
void TForm1::mr9Click(MenuItem*) { HelpLinks1.Open("mr9", ProgramDir); }
void TForm1::mr10Click(MenuItem*) { HelpLinks1.Open("mr10", ProgramDir); }

void TForm1::my2Click(MenuItem*) { HelpLinks1.Open("my2", ProgramDir); }
void TForm1::my3Click(MenuItem*) { HelpLinks1.Open("my3", ProgramDir); }
void TForm1::my4Click(MenuItem*) { HelpLinks1.Open("my4", ProgramDir); }
void TForm1::my5Click(MenuItem*) { HelpLinks1.Open("my5", ProgramDir); }
void TForm1::my10Click(MenuItem*) { HelpLinks1.Open("my10", ProgramDir); }
void TForm1::my6Click(MenuItem*) { HelpLinks1.Open("my6", ProgramDir); }
void TForm1::my7Click(MenuItem*) { HelpLinks1.Open("my7", ProgramDir); }
void TForm1::my8Click(MenuItem*) { HelpLinks1.Open("my8", ProgramDir); }
void TForm1::my9Click(MenuItem*) { HelpLinks1.Open("my9", ProgramDir); }
