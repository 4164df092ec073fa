// Rat: its random start, its step and its bite.
#include "creatures/Rat.h"

#include "engine/Map.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"

#include <cassert>
#include <cstdlib>

namespace
{

CharStats* RatStats()
{
    CharStats* s = new CharStats();
    s->width = Rat::Rat_Width;
    s->height = Rat::Rat_Height;
    s->accel = 0.06;
    s->decel = 0.2;
    s->maxSpeed = 1.5;
    s->gravity = 0.2;
    s->jumpSpeed = 6.0;
    s->jumpDecay = 0.1;
    s->frameCount = 1;
    s->frameDist = Rat::Rat_FrameRate;
    return s;
}

} // namespace

Rat::Rat(Map const* map, unsigned int ref, unsigned int limit, int startHitPoints)
    : Walking_Creature(Sound_MonsterHit, RatStats(), startHitPoints, map->GetRefPoint(ref).x, map->GetRefPoint(limit).x)
{
    stats->hearts = startHitPoints;
    int const r = std::rand() & 0xFF;
    pos = Pointf(leftLimit + (rightLimit - leftLimit) * r / 256.0, map->GetRefPoint(ref).y);
    keys = (std::rand() % 2 == 0) ? Character_Right : Character_Left;
    rect = Rectf(-Rat_Width / 2.0, -Rat_Height / 2.0, Rat_Width / 2.0, Rat_Height / 2.0);
    StartLog();
}

Rat::Rat(Rat const* source) : Walking_Creature(source)
{
}

void Rat::Initialise()
{
    assert(ratImage == nullptr && "ratImage == NULL");
    ratImage = new Image("gfx/rat/rat.png", 0, false);
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_MonsterHit);
}

void Rat::Finalise()
{
    delete ratImage;
    ratImage = nullptr;
}

void Rat::Step(Map const* map, Character_Walk& walk)
{
    Character::Move(map, walk);
    TurnAtLimits();
}

int Rat::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (!AliveAt(t))
        return 0;
    Pointf const top = GetRelativePos(0.0, 1.0);
    double const d = playerPos->DistanceEst(&top);
    if (d >= Rat_Hit_Dist || Util::Equal(d, Rat_Hit_Dist))
        return 0;
    return (std::rand() & Rat_BiteMask) == Rat_BiteValue ? 1 : 0;
}

void Rat::Render(Map const* map, Tick t) const
{
    if (AliveAt(t) && ratImage != nullptr)
        Character::Render(map, ratImage);
}
