// The about box: created once at start-up, shown by the help menu.
#pragma once
#include "framework/form.h"

class TAboutBox : public Form {
public:
    TAboutBox();
};

extern TAboutBox* AboutBox;
