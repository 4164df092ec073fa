// Frames of the screens between levels, the title and the world map, at a window size (FrameBench.h).
#include "FrameBench.h"
#include "StepTimer.h"
#include "WorldRun.h"
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "shell/MainLoop.h"
#include "shell/MapScreen.h"

#include <GL/gl.h>

// The title (its slots sliding in, then standing) or the world map after a level, the figure
// standing at the tower.
void ScreenFrames(benchmark::State& state, bool title, int width, int height)
{
    WorldRun_Data const folder(width, height);
    GameEvents events;
    saveSlot = 0;
    MapScreen screen(&events, title ? Level_None : Level_Tower, title ? Level_Continue : Level_Left);
    KeyData const none;
    auto draw = [&] {
        SetProjection();
        glClear(GL_COLOR_BUFFER_BIT);
        screen.Plot();
        glFinish();
    };
    draw();
    StepTimer timer(state);
    for (auto _ : state)
    {
        screen.Poll(&none);
        timer.Step(draw);
    }
    saveSlot = -1;
}

