// Chasm_FireBall: the flight worked out once, where the ball is at a tick, its warning, its hit
// and its drawing.
#include "chasm/Chasm_FireBall.h"

#include "engine/Map.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"

#include <cassert>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{
char const* const fireballbasefile = "gfx/chasm/fireball/fireball";
constexpr int Phase_Steps = 1024; // random phases are drawn in 1024ths of the period
} // namespace

Image* Chasm_FireBall::frames[FireBall_Frame_Count] = {};

Chasm_FireBall::Chasm_FireBall(Map const* map, unsigned int ref, double angle, double speed, int length,
                               int cyclePeriod, int cyclePhase)
    : period(cyclePeriod)
{
    assert(cyclePeriod >= 1 && "period >= 1");
    phase = cyclePhase == -1 ? static_cast<int>(std::int64_t(std::rand() & (Phase_Steps - 1)) * period / Phase_Steps)
                             : cyclePhase;
    Pointf p = map->GetRefPoint(ref);
    Map_Projectile_Info flight;
    flight.velocity.SetAngleSpeed(angle, speed);
    flight.gravity = FireBall_Gravity;
    flight.bounce = FireBall_Bounce;
    path.Init(length);
    for (int i = 0; i < length; i++)
    {
        path[i] = p;
        flight.steps = 1;
        map->ProjectileMove(&p, &flight);
    }
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_Squish);
}

void Chasm_FireBall::Initialise()
{
    assert(frames[0] == nullptr && "frames[0] == NULL");
    for (int i = 0; i < FireBall_Frame_Count; i++)
    {
        char name[64];
        std::snprintf(name, sizeof name, "%s%.2d.png", fireballbasefile, i);
        frames[i] = new Image(name, Image_Mask, false);
    }
}

void Chasm_FireBall::Finalise()
{
    // Also after an Initialise that failed part-way.
    for (Image*& frame : frames)
    {
        delete frame;
        frame = nullptr;
    }
}

int Chasm_FireBall::GetFrame(Tick t) const
{
    return static_cast<int>((std::int64_t(t) + phase) % period);
}

bool Chasm_FireBall::GetPosAtTime(Tick t, Pointf* pos) const
{
    int const f = GetFrame(t);
    if (f < 0 || f >= path.Count())
        return false;
    if (pos != nullptr)
        *pos = path[f];
    return true;
}

double Chasm_FireBall::HeadingAt(Tick t) const
{
    int const f = GetFrame(t);
    if (f < 0 || f >= path.Count())
        return 0.0;
    // A flight's first tick faces the way it goes, even for a ball whose last flight has only
    // just ended where it starts again.
    if (f == 0)
        return path.Count() > 1 ? path[0].Angle(&path[1]) : 0.0;
    return path[f - 1].Angle(&path[f]);
}

void Chasm_FireBall::MoveToTime(Map const*, Tick t)
{
    if (GetFrame(t) == period - FireBall_Warning && path.Count() > 0 && gameSounds != nullptr)
        gameSounds->Play(Sound_Squish, &path[0], false, 1.0);
}

void Chasm_FireBall::Render(Map const* map, Tick t) const
{
    Pointf at;
    if (!GetPosAtTime(t, &at))
        return;
    int const k = static_cast<int>((t / FireBall_Frame_Ticks) % FireBall_Frame_Count);
    Image const* frame = frames[k < 0 ? k + FireBall_Frame_Count : k];
    assert(frame != nullptr && "frame != NULL");
    frame->Render(at, HeadingAt(t), FireBall_Width, FireBall_Height, Image_Centre | Image_Middle, &map->view);
}

int Chasm_FireBall::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    Pointf at;
    if (!GetPosAtTime(t, &at))
        return 0;
    return playerPos->DistanceEst(&at) < FireBall_Hit_Dist ? 1 : 0;
}
