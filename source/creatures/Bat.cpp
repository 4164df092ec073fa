// Bat: waking, the flight along the flock's path, the wing beat, dodges and the fall of a dead bat.
#include "creatures/Bat.h"

#include "creatures/Bat_Group.h"
#include "creatures/Bat_Path.h"
#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "media/Image.h"
#include "media/ImageFrames.h"
#include "util/Error.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>
#include <cstdio>

namespace
{
char const* const batbasefile = "gfx/bat/bat";

// a < b, and not within the tolerance of it.
bool ClearlyLess(double a, double b)
{
    return a < b && !Util::Equal(a, b);
}
} // namespace

Image* Bat::frames[Bat_Frame_Count] = {};

Bat::Bat(Map const* map, unsigned int ref, Bat_Path const* flightPath, Bat_Group* flock, int startHitPoints)
    : Target(Sound_None), path(flightPath), group(flock), roost(map->GetRefPoint(ref)), position(roost),
      dodges(nullptr), hitPoints(startHitPoints)
{
    // Flying an empty or unmeasured path would read past its tables: refuse it while the world builds.
    if (path == nullptr || !path->Flyable())
    {
        char text[2 * Error::TextSize]; // Error keeps what fits
        std::snprintf(text, sizeof text, "%s: the bat at %u has a flight path %s", map->GetFileName(), ref,
                      path == nullptr             ? "missing"
                      : path->SectionCount() == 0 ? "without a section"
                                                  : "that is not closed");
        throw Error(Error_ParseFile, text);
    }
    dodges = new TimeSet();
    rect = Rectf(-Bat_Width / 2.0, -Bat_Height, Bat_Width / 2.0, 0.0);
}

Bat::~Bat()
{
    dodges->Destroy();
}

void Bat::Initialise()
{
    LoadImageFrames(frames, Bat_Frame_Count, batbasefile, Image_Mask);
}

void Bat::Finalise()
{
    FreeImageFrames(frames, Bat_Frame_Count);
}

void Bat::ActivateAtTime(Tick t, bool wakeGroup)
{
    if (wakeTick != -1)
        return;
    wakeTick = t;
    if (wakeGroup && group != nullptr)
        group->Activate(t);
}

void Bat::MoveToTime(Map const* map, Tick t)
{
    if (!ShownAt(t))
        return;
    position = PositionAtTime(map, t, &frame, &mirror);
    if (frame == 0)
        rect = Rectf(-Bat_Width / 2.0, -Bat_Height, Bat_Width / 2.0, 0.0);
    else
        rect = Rectf(-Bat_Width / 2.0, -Bat_Height / 2.0, Bat_Width / 2.0, Bat_Height / 2.0);
}

void Bat::Render(Map const* map, Tick t) const
{
    if (!ShownAt(t))
        return;
    assert(frames[frame] != nullptr && "frames[frame] != NULL");
    Image_Render_Flags flags = frame == 0 ? Image_Centre | Image_Top : Image_Centre | Image_Middle;
    if (mirror)
        flags |= Image_MirrorX;
    frames[frame]->Render(position, 0.0, Bat_Width, Bat_Height, flags, &map->view);
}

int Bat::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    if (wakeTick == -1 || wakeTick <= t + Bat_Dodge_Lead)
    {
        ActivateAtTime(t, true);
        Target::Hit(t, damage, flags);
        return ChangeDeathTime(GetDeathTime(hitPoints));
    }
    // Recorded to leave the roost well after the hit lands: it is not there to be hit.
    dodges->AddIfSafe(t - Bat_Dodge_Lead, Bat_Dodge_Time);
    return 0;
}

int Bat::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (!AliveAt(t))
        return 0;
    return playerPos->DistanceEst(&position) < Bat_Hit_Dist ? 1 : 0;
}

bool Bat::GetTargetPos(Map const* map, Tick t, Pointf& out) const
{
    if (!ShownAt(t))
        return false;
    out = PositionAtTime(map, t, nullptr, nullptr);
    return AliveAt(t);
}

Pointf Bat::PositionAtTime(Map const* map, Tick t, int* frameOut, bool* mirrorOut) const
{
    Tick const death = GetDeathTime(hitPoints);
    bool const dead = death != -1 && t > death;
    // A dead bat's flight stops where it died; the fall below starts from there.
    Tick const tt = dead ? death : t;

    Pointf pos = roost;
    Pointf previous = roost;
    bool facingLeft = false;
    bool flying = true;
    if (wakeTick == -1 || tt < wakeTick)
    {
        flying = false;
        Tick d = 0;
        if (dodges->CheckDown(t, &d) && t - d < Bat_Dodge_Time)
        {
            double const a = (t - d) * Util::FullTurn / Bat_Dodge_Time;
            pos.x = roost.x + Bat_Dodge_Dist * std::sin(a);
            pos.y = roost.y - Bat_Dodge_Dist + Bat_Dodge_Dist * std::cos(a);
            previous = pos;
            facingLeft = ClearlyLess(Util::QuarterTurn, a) && ClearlyLess(a, 3.0 * Util::QuarterTurn);
            flying = true;
        }
    }
    else
    {
        pos = path->GetPos(&roost, tt - wakeTick);
        previous = path->GetPos(&roost, tt - wakeTick - 1);
        facingLeft = ClearlyLess(pos.x, previous.x);
    }

    int shown = 0;
    if (flying)
    {
        // The level tick, not the flight, sets the beat: a whole flock flaps in step.
        shown = (t / 2) % 8 + 1;
        if (shown > 5)
            shown = 10 - shown;
    }

    if (dead)
    {
        shown = Bat_Frame_Dead;
        if (pos == roost)
        {
            pos.y -= Bat_Dead_Drop;
            previous.y -= Bat_Dead_Drop;
        }
        Map_Projectile_Info info;
        info.velocity = Vectorf(pos.x - previous.x, pos.y - previous.y);
        info.steps = t - death < Bat_DeathTime ? t - death : Bat_DeathTime;
        info.gravity = Bat_FallGravity;
        info.bounce = Bat_FallBounce;
        map->ProjectileMove(&pos, &info);
    }
    if (frameOut != nullptr)
        *frameOut = shown;
    if (mirrorOut != nullptr)
        *mirrorOut = facingLeft;
    return pos;
}
