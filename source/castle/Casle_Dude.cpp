// Casle_Dude: the owner's build, pictures and standing still.
#include "castle/Casle_Dude.h"

#include "engine/CharStats.h"
#include "media/Image.h"

#include <cassert>
#include <cstdio>

Casle_Dude::Casle_Dude(Map const* map, int refPoint) : Dude(map, Casle_Dude_TalkId, refPoint)
{
    keys = 0;
    startFacing = LeftFrame;
    frame = LeftFrame;
    stats->width = 24.0;
    stats->height = 24.0;
    stats->accel = 0.06;
    stats->decel = 0.2;
    stats->maxSpeed = 0.6;
    stats->gravity = 0.2;
    stats->jumpSpeed = 6.0;
    stats->jumpDecay = 0.1;
    stats->hearts = 1;
    stats->frameCount = Casle_Dude_FrameCount;
    stats->frameDist = 10.0;
}

void Casle_Dude::Initialise()
{
    for (Image const* image : frames)
        assert(image == nullptr && "frames[i] == NULL");
    // A missing picture leaves nothing loaded behind it.
    try
    {
        char name[64];
        for (int i = 0; i < Casle_Dude_FrameCount; i++)
        {
            std::snprintf(name, sizeof name, "%s%.2d.png", "gfx/castle/dadodo", i);
            frames[i] = new Image(name, 0, false);
        }
    }
    catch (...)
    {
        Finalise();
        throw;
    }
}

void Casle_Dude::Finalise()
{
    for (Image*& image : frames)
    {
        delete image;
        image = nullptr;
    }
}

void Casle_Dude::MoveToTime(Map const* map, Tick)
{
    Character::Move(map);
}

void Casle_Dude::Render(Map const* map, Tick) const
{
    RenderChar(map, frames[frame & FrameMask]);
}
