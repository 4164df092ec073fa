// Plato_Dude and Plato_Hermit: statistics, the pick-axe swing and the hermit's facing.
#include "plateau/Plato_Dude.h"

#include "engine/CharStats.h"
#include "media/Image.h"

#include <cassert>
#include <cstdio>

namespace
{

void SetStats(CharStats* stats, double size, int frameCount)
{
    stats->width = size;
    stats->height = size;
    stats->accel = 0.06;
    stats->decel = 0.2;
    stats->maxSpeed = 2.0;
    stats->gravity = 0.2;
    stats->jumpSpeed = 6.0;
    stats->jumpDecay = 0.1;
    stats->airJump = false;
    stats->hearts = 1;
    stats->frameCount = static_cast<std::uint32_t>(frameCount);
}

constexpr int Plato_Dude_SwingPeriod = 42;

} // namespace

Plato_Dude::Plato_Dude(Map const* map, Plato_Dude_Id id, int rp, bool facingRight) : Dude(map, id, rp)
{
    keys = 0;
    startFacing = facingRight ? RightFrame : LeftFrame;
    frame = startFacing;
    dudeFlags = Dude_NoTurn;
    SetStats(stats, 32.0, Plato_Dude_FrameCount);
    stats->frameDist = 30.0;
}

void Plato_Dude::Initialise()
{
    for (Image const* image : frames)
        assert(image == nullptr && "frames[i] == NULL");
    // A missing picture leaves nothing loaded behind it.
    try
    {
        char name[64];
        for (int i = 0; i < Plato_Dude_FrameCount; i++)
        {
            std::snprintf(name, sizeof name, "%s%.2d.png", "gfx/plateau/miner", i);
            frames[i] = new Image(name, 0, false);
        }
    }
    catch (...)
    {
        Finalise();
        throw;
    }
}

void Plato_Dude::Finalise()
{
    for (Image*& image : frames)
    {
        delete image;
        image = nullptr;
    }
}

int Plato_Dude::CalcFrame(Tick t)
{
    int p = static_cast<int>(t % Plato_Dude_SwingPeriod);
    // A negative tick would otherwise index beyond the frames.
    if (p < 0)
        p += Plato_Dude_SwingPeriod;
    if (p <= 5)
        return 5 - p;
    if (p <= 35)
        return 0;
    return p - 36;
}

void Plato_Dude::MoveToTime(Map const* map, Tick)
{
    still.Move(*this, map);
}

void Plato_Dude::Render(Map const* map, Tick t) const
{
    RenderChar(map, frames[CalcFrame(t)]);
}

Plato_Hermit::Plato_Hermit(Map const* map, unsigned rp)
    : Dude(map, Plato_Hermit_TalkId, static_cast<int>(rp)), image(nullptr)
{
    keys = 0;
    startFacing = RightFrame;
    frame = startFacing;
    SetStats(stats, 28.0, 1);
    image = new Image("gfx/plateau/hermit.png", 0, false);
}

Plato_Hermit::~Plato_Hermit()
{
    delete image;
}

void Plato_Hermit::MoveToTime(Map const* map, Tick t)
{
    still.Move(*this, map);
    Dude::Move(map, t);
    // Turning only on the tick after a talk would leave him facing a talker of the future after a
    // travel back; the records give the facing at every tick.
    FaceFromTalk(t);
}

void Plato_Hermit::Render(Map const* map, Tick) const
{
    RenderChar(map, image);
}
