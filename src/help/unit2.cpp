#include "help/unit2.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox() : Form("TAboutBox", "About", 0, 0, 375, 294)
{
    AboutBox = this;
}
