// The game program: runs the game in the working directory, which holds its data.
#include "platform/StopSignal.h"
#include "shell/MainLoop.h"

int main()
{
    // Before the window opens, so that SDL leaves the signals to the game.
    StopSignal::Install();
    return RunGame();
}
