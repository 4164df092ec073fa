// Frames of the screens between levels, the title and the world map, at a window size (FrameBench.h).
#include "FrameBench.h"
#include "StepTimer.h"
#include "WorldRun.h"
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "shell/MainLoop.h"
#include "media/Image.h"
#include "shell/MapScreen.h"

#include <GL/gl.h>

// One picture over the whole view, filtered and blended as the game draws every picture: the
// least a frame that shows pictures over the whole window costs, for the other rows to be read by.
void PictureFrames(benchmark::State& state, int width, int height)
{
    WorldRun_Data const folder(width, height);
    Image const picture("gfx/mapscreen/map.png", 0, false);
    auto draw = [&] {
        SetProjection();
        glClear(GL_COLOR_BUFFER_BIT);
        picture.Render(Pointf(0.0, 0.0), 0.0, 640.0, 480.0, Image_Left | Image_Bottom, nullptr);
        glFinish();
    };
    // The driver's first frames in a new window are not the picture's cost: here the fifth one
    // drawn takes three times the others.
    for (int i = 0; i < 8; i++)
        draw();
    StepTimer timer(state);
    for (auto _ : state)
        timer.Step(draw);
}

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

