// Start and stop of the system-wide mouse hook, called by start-up and
// shut-down; the hook component comes with the hook library.
#include "app/unit1.h"

void TForm1::StartMouseHook() {}
void TForm1::StopMouseHook() {}
