// Goblin: its step with the blocked turn, its bite and its frames.
#include "creatures/Goblin.h"

#include "engine/Map.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"

#include <cassert>
#include <cstdio>

namespace
{

CharStats* GoblinStats()
{
    CharStats* s = new CharStats();
    s->width = Goblin::Goblin_Width;
    s->height = Goblin::Goblin_Height;
    s->accel = 0.06;
    s->decel = 0.2;
    s->maxSpeed = 2.0;
    s->gravity = 0.2;
    s->jumpSpeed = 6.0;
    s->jumpDecay = 0.1;
    s->frameCount = Goblin::Goblin_FrameCount;
    s->frameDist = Goblin::Goblin_FrameRate;
    return s;
}

} // namespace

Goblin::Goblin(Map const* map, unsigned int ref, unsigned int leftRef, unsigned int rightRef, Goblin_Type goblinType,
               int startHitPoints)
    : Walking_Creature(Sound_MonsterHit, GoblinStats(), startHitPoints, map->GetRefPoint(leftRef).x,
                       map->GetRefPoint(rightRef).x),
      type(goblinType)
{
    stats->hearts = startHitPoints;
    pos = map->GetRefPoint(ref);
    keys = Character_Left;
    rect = Rectf(-Goblin_Width / 2.0, -0.8 * Goblin_Height, Goblin_Width / 2.0, 0.2 * Goblin_Height);
    StartLog();
}

Goblin::Goblin(Goblin const* source) : Walking_Creature(source), type(source->type)
{
}

void Goblin::Initialise()
{
    assert(frames == nullptr && "frames == NULL");
    frames = new PtrList<Image>(PtrList_Fixed, Goblin_FrameCount);
    try
    {
        for (int i = 0; i < Goblin_FrameCount; ++i)
        {
            char name[64];
            std::snprintf(name, sizeof name, "%s%.2d.png", "gfx/goblin/goblin", i);
            (*frames)[i] = new Image(name, Image_Mask, false);
        }
    }
    catch (...)
    {
        Finalise();
        throw;
    }
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_MonsterHit);
}

void Goblin::Finalise()
{
    delete frames;
    frames = nullptr;
}

void Goblin::CopyState(Goblin const& source)
{
    Walking_Creature::CopyState(source);
    type = source.type;
}

void Goblin::Step(Map const* map, Character_Walk& walk)
{
    Pointf const before = pos;
    Character::Move(map, walk);
    if (pos == before)
        keys = (keys == Character_Left) ? Character_Right : Character_Left;
    TurnAtLimits();
}

int Goblin::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (!AliveAt(t))
        return 0;
    Pointf const middle = GetRelativePos(0.0, 0.5);
    double const d = playerPos->DistanceEst(&middle);
    return d < Goblin_Hit_Dist && !Util::Equal(d, Goblin_Hit_Dist) ? 1 : 0;
}

void Goblin::Render(Map const* map, Tick t) const
{
    if (!AliveAt(t) || frames == nullptr)
        return;
    Image const* image = (*frames)[int((frame & FrameMask) % Goblin_FrameCount)];
    if (image != nullptr)
        Character::Render(map, image);
}
