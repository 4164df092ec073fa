// The shell's map screen freed apart from the den's tests: its header and the engine's player's both name
// the figure's frame count.
#include "final/FinalShell.h"

#include "shell/Globals.h"
#include "shell/MapScreen.h"

void FinalShell_FreeMapScreen()
{
    delete mapScreen;
    mapScreen = nullptr;
}
