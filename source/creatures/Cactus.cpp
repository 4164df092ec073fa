// Cactus: the trigger, the hop sequences computed from their start ticks, contact and drawing.
#include "creatures/Cactus.h"

#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "media/ImageFrames.h"
#include "util/Util.h"

#include <cassert>

namespace
{
char const* const cactusbasefile = "gfx/cactus/cactus";
} // namespace

Image* Cactus::frames[Cactus_Frames] = {};

Cactus::Cactus(Map const* map, unsigned int ref, int hops, int startHitPoints)
    : EnemyTarget(startHitPoints, Sound_MonsterHit), hopRecord(nullptr), home(map->GetRefPoint(ref)), position(home),
      hopCount(hops)
{
    // Made once the map has given the home point: a constructor that throws runs no destructor.
    hopRecord = new TimeSet();
    rect = Rectf(-Cactus_Width / 2.0, -Cactus_Height / 2.0, Cactus_Width / 2.0, Cactus_Height / 2.0);
}

Cactus::~Cactus()
{
    hopRecord->Destroy();
}

void Cactus::Initialise()
{
    LoadImageFrames(frames, Cactus_Frames, cactusbasefile, 0);
    if (gameSounds != nullptr)
        gameSounds->InitSound(Cactus_HopSound);
}

void Cactus::Finalise()
{
    FreeImageFrames(frames, Cactus_Frames);
}

void Cactus::MoveToTime(Map const*, Tick t)
{
    bool const alive = deathTime == GameEvent_HasntHappened || deathTime > t;
    position = PositionAtTime(t, &frame, &facingLeft, alive);
    shownTick = t;
}

void Cactus::StartHops(Tick t)
{
    // A squat begins the sequence, so the refresh asks for no hop sound.
    if (hopRecord->AddIfSafe(t, SequenceTime()) && t == shownTick)
        position = PositionAtTime(t, &frame, &facingLeft, false);
}

void Cactus::Render(Map const* map, Tick t) const
{
    if (IsDead(t))
        return;
    assert(frames[frame] != nullptr && "frames[frame] != NULL");
    Image_Render_Flags const flags = Image_Centre | Image_Bottom | (facingLeft ? Image_MirrorX : 0);
    frames[frame]->Render(position, 0.0, Cactus_Width, Cactus_Height, flags, &map->view);
}

void Cactus::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    double const dx = home.x - playerPos->x;
    bool const notRight = dx >= 0.0 || Util::Equal(dx, 0.0);
    bool const inReach = dx <= Cactus_AttackDist || Util::Equal(dx, Cactus_AttackDist);
    if (notRight && inReach)
        StartHops(t);
}

int Cactus::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (IsDead(t))
        return 0;
    Pointf const centre(position.x, position.y + Cactus_Hit_Dist);
    return playerPos->DistanceEst(&centre) < Cactus_Hit_Dist ? 1 : 0;
}

int Cactus::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    StartHops(t);
    return EnemyTarget::Hit(t, damage, flags);
}

bool Cactus::GetTargetPos(Map const*, Tick t, Pointf& out) const
{
    Pointf const at = PositionAtTime(t, nullptr, nullptr, false);
    out = Pointf(at.x, at.y + Cactus_Hit_Dist);
    return !IsDead(t);
}

Pointf Cactus::PositionAtTime(Tick t, int* frameOut, bool* facingLeftOut, bool playSound) const
{
    Pointf pos = home;
    int shown = 0;
    bool left = true;
    Tick start = 0;
    int const length = SequenceTime();
    if (hopRecord->CheckDown(t, &start) && t - start < length)
    {
        int const u = t - start;
        int const outward = hopCount * Cactus_TotalJumpTime;
        int k = 0;
        double d = 0.0; // +1 hopping left, -1 hopping back
        if (u < outward)
        {
            pos.x = home.x - (u / Cactus_TotalJumpTime) * Cactus_JumpDist;
            d = 1.0;
            k = u % Cactus_TotalJumpTime;
        }
        else
        {
            int const back = u - outward;
            pos.x = home.x - hopCount * Cactus_JumpDist + (back / Cactus_TotalJumpTime) * Cactus_JumpDist;
            d = -1.0;
            left = false;
            k = back % Cactus_TotalJumpTime;
        }
        if (k < Cactus_SquatTime)
        {
            shown = 1;
        }
        else if (k < Cactus_SquatTime + Cactus_JumpTime)
        {
            int const j = k - Cactus_SquatTime;
            pos.x -= d * j * Cactus_Speed;
            // The arc starts 20 below home and lands on it: the take-off dips into the squat.
            pos.y = home.y - 20.0 + (j * Cactus_JumpSpeed - j * (Cactus_FallSpeed / 2.0) * j);
            shown = 2;
            if (j >= Cactus_JumpTime / 2)
            {
                shown = 3;
                pos.x += d * 8.0;
            }
            if (j == 0 && playSound && gameSounds != nullptr)
                gameSounds->Play(Cactus_HopSound, &pos, true, 1.0);
        }
        else
        {
            shown = 4;
            pos.x -= d * Cactus_JumpDist;
        }
    }
    if (frameOut != nullptr)
        *frameOut = shown;
    if (facingLeftOut != nullptr)
        *facingLeftOut = left;
    return pos;
}
