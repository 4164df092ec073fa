// Petra_Dude: the guests' pictures, statistics and facing.
#include "petra/Petra_Dude.h"

#include "engine/CharStats.h"
#include "media/Image.h"

#include <cassert>

namespace
{

constexpr char const* dudefiles[Petra_Dude_Count] = {
    "gfx/petra/dudes/harnek.png",  "gfx/petra/dudes/pellion.png", "gfx/petra/dudes/gask.png",
    "gfx/petra/dudes/wendrel.png", "gfx/petra/dudes/olvane.png",  "gfx/petra/dudes/imbra.png",
    "gfx/petra/dudes/saffrin.png", "gfx/petra/dudes/yavenne.png",
};

// Gask alone starts with his picture unmirrored.
constexpr Petra_Dude_Id Petra_Dude_Gask = 2;

int StartPoint(Petra_Dude_Id id)
{
    assert(id >= 0 && id < Petra_Dude_Count && "id >= 0 && id < Petra_Dude_Count");
    return static_cast<int>(Petra_Dude_StartPts[id]);
}

} // namespace

Petra_Dude::Petra_Dude(Map const* map, Petra_Dude_Id id) : Dude(map, id, StartPoint(id))
{
    keys = 0;
    startFacing = id == Petra_Dude_Gask ? RightFrame : LeftFrame;
    frame = startFacing;
    stats->width = Petra_Dude_Width;
    stats->height = Petra_Dude_Height;
    stats->accel = 0.06;
    stats->decel = 0.2;
    stats->maxSpeed = 2.0;
    stats->gravity = 0.2;
    stats->jumpSpeed = 6.0;
    stats->jumpDecay = 0.1;
    stats->frameCount = 1;
    stats->frameDist = 30.0;
    image = new Image(dudefiles[id], Image_Mask, false);
    dudeFlags |= Dude_TurnSwap;
}

Petra_Dude::~Petra_Dude()
{
    delete image;
}

void Petra_Dude::MoveToTime(Map const* map, Tick t)
{
    Character::Move(map);
    Dude::Move(map, t);
}

void Petra_Dude::Render(Map const* map, Tick) const
{
    RenderChar(map, image);
}

bool Petra_Dude::GetTargetPos(Map const*, Tick, Pointf& at) const
{
    at = pos;
    return false;
}
