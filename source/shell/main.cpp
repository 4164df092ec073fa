// The game program: runs the game in the working directory, which holds its data.
#include "shell/MainLoop.h"

int main()
{
    return RunGame();
}
