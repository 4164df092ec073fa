// The shell's map screen freed apart from the den's tests, which also see the engine's player.
#pragma once

// Deletes the map screen the shell made, if any.
void FinalShell_FreeMapScreen();
