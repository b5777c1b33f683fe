// Special folders in Explorer windows and the system commands.
#include "app/unit1.h"

// The folders are the ones resolved at start-up; they are not looked up again.
void TForm1::dakaibencenxvqidongwenjianjiaClick(MenuItem*) { ShellCommands::OpenFolder(Handle(), ProgramDir); }
void TForm1::wodewendangClick(MenuItem*) { ShellCommands::OpenFolder(Handle(), MyDocumentsDir); }
void TForm1::N25Click(MenuItem*) { ShellCommands::OpenFolder(Handle(), FavoritesDir); }
void TForm1::N45Click(MenuItem*) { ShellCommands::OpenFolder(Handle(), StartMenuDir); }
void TForm1::N47Click(MenuItem*) { ShellCommands::OpenFolder(Handle(), CommonStartMenuDir); }
void TForm1::N49Click(MenuItem*) { ShellCommands::OpenFolder(Handle(), SendToDir); }
void TForm1::wodediannaoClick(MenuItem*) { ShellCommands::OpenMyComputer(Handle()); }
void TForm1::N63Click(MenuItem*) { wodewendangClick(nullptr); }
void TForm1::N65Click(MenuItem*) { wodediannaoClick(nullptr); }
void TForm1::N50Click(MenuItem*) { ShellCommands::OpenControlPanel(); }
void TForm1::N59Click(MenuItem*) { ShellCommands1.ShowRunDialog(); }
void TForm1::N54Click(MenuItem*) { ShellCommands::ShutDown(); }
void TForm1::N56Click(MenuItem*) { ShellCommands::Restart(); }
void TForm1::N58Click(MenuItem*) { ShellCommands::LogOff(); }
void TForm1::N67Click(MenuItem*) { ShellCommands1.ShowDesktop(); }
