// Kilig_Dude: the master's statistics, frames and walking.
#include "killig/Kilig_Dude.h"

#include "engine/CharStats.h"
#include "killig/Kilig_Events.h"
#include "media/Image.h"

#include <cassert>
#include <cstdio>

namespace
{
constexpr char const* killigbasefile = "gfx/killig/killig";
}

Kilig_Dude::Kilig_Dude(Map const* map, int refPoint) : Dude(map, Kilig_Master_TalkId, refPoint)
{
    keys = 0;
    startFacing = LeftFrame;
    frame = LeftFrame;
    stats->width = Kilig_Dude_Width;
    stats->height = Kilig_Dude_Height;
    stats->accel = 0.06;
    stats->decel = 0.2;
    stats->maxSpeed = 0.6;
    stats->gravity = 0.2;
    stats->jumpSpeed = 6.0;
    stats->jumpDecay = 0.1;
    stats->hearts = 1;
    stats->frameCount = Kilig_Dude_NumFrames;
    stats->frameDist = Kilig_Dude_FrameRate;
}

void Kilig_Dude::Initialise()
{
    for (Image const* image : images)
        assert(image == nullptr && "images[i] == NULL");
    // A missing picture leaves nothing loaded behind it.
    try
    {
        char name[64];
        for (int i = 0; i < Kilig_Dude_NumFrames; i++)
        {
            std::snprintf(name, sizeof name, "%s%.2d.png", killigbasefile, i);
            images[i] = new Image(name, 0, false);
        }
    }
    catch (...)
    {
        Finalise();
        throw;
    }
}

void Kilig_Dude::Finalise()
{
    for (Image*& image : images)
    {
        delete image;
        image = nullptr;
    }
}

void Kilig_Dude::MoveToTime(Map const* map, Tick)
{
    Character::Move(map);
}

void Kilig_Dude::Render(Map const* map, Tick) const
{
    std::uint32_t const index = frame & FrameMask;
    RenderChar(map, index < std::uint32_t(Kilig_Dude_NumFrames) ? images[index] : nullptr);
}

void Kilig_Dude::Pose(bool left)
{
    if (left)
        frame |= LeftFrame;
    else
        frame &= ~LeftFrame;
}
