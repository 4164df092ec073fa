// Collectable items: falling and bouncing between carries, riding on their carrier's head.
#include "engine/Collectable.h"

#include "engine/Map.h"
#include "engine/Player_Sprites.h"
#include "engine/TimeFrames.h"
#include "media/Image.h"
#include "util/Util.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace
{

constexpr double BaseDrop = 12.0; // the item's base lies this far below its centre
constexpr double Bounce = 0.5;
constexpr double DrawScale = 0.75;
constexpr Tick LockedForever = 0x7FFFFFFF;

} // namespace

TimeFrames const* Collectable::timeframes = nullptr;

Collectable::Collectable(Map const* map, unsigned int refId, Image const* image, unsigned int itemId,
                         Collectable_Flags itemFlags, Image const* image2, Image const* image3)
    : Collectable(Pointf(map->GetRefPoint(refId).x, map->GetRefPoint(refId).y + BaseDrop), image, itemId, itemFlags)
{
    images[1] = image2;
    images[2] = image3;
    assert(!(flags & Collectable_Animated) || (image != nullptr && image2 != nullptr && image3 != nullptr));
}

Collectable::Collectable(Pointf centre, Image const* image, unsigned int itemId, Collectable_Flags itemFlags)
    : id(itemId), images{image, nullptr, nullptr}, flags(itemFlags)
{
    assert(timeframes != nullptr && "timeframes != NULL");
    Vectorf const still(0.0, 0.0);
    double const upright = 0.0;
    positions = new Positioner<Pointf>(&centre);
    velocities = new Positioner<Vectorf>(&still);
    rotations = new Positioner<double>(&upright);
    follower = new Past_Follower();
}

Collectable::~Collectable()
{
    delete positions;
    delete velocities;
    delete rotations;
    delete follower;
}

void Collectable::Initialise(TimeFrames const* frames)
{
    timeframes = frames;
}

bool Collectable::CanCollectAtTime(Tick t) const
{
    return lockTime == -1 || lockTime < t;
}

Pointf Collectable::GetPosAtTime(Tick t) const
{
    // The item stays on its carrier's head for one tick after the carrying ends.
    std::optional<Char_Base> carrier = follower->FindAtTime(t);
    if (!carrier)
        carrier = follower->FindAtTime(t - 1);
    if (carrier)
        return Player_Sprites::GetHead(&*carrier);
    return positions->GetPos(t);
}

bool Collectable::CarriedAtTime(Tick t) const
{
    return follower->FindAtTime(t).has_value();
}

double Collectable::GetRotationAtTime(Tick t) const
{
    return rotations->GetPos(t);
}

void Collectable::Lock()
{
    lockTime = LockedForever;
}

void Collectable::Lock(Tick t)
{
    if (lockTime == -1 || lockTime < t)
        lockTime = t;
}

void Collectable::PlayerHold(Tick t)
{
    follower->AddFollow(timeframes, t);
}

void Collectable::SetPosAtTime(Tick t, Pointf pos, Vectorf velocity, double rotation, bool lock)
{
    if (lock)
        Lock(t);
    if (!(flags & Collectable_Rotates))
        rotation = 0.0;
    positions->SetPos(t, pos);
    velocities->SetPos(t, velocity);
    rotations->SetPos(t, rotation);
}

void Collectable::MoveToTime(Map const* map, Tick t)
{
    MoveToTime(map, t, Object_Step{});
}

void Collectable::MoveToTime(Map const* map, Tick t, Object_Step const& step)
{
    // Going back only rewinds the mark: the histories hold the earlier ticks, and the later ones
    // are worked out again from there when play goes on. A tick shown again by time travel is
    // what was recorded when it was played; working it out again would see the map as it
    // stands now.
    if (t <= moveTime || (step.replaying && t <= liveTime))
    {
        moveTime = t;
        return;
    }
    // Play after a travel makes a new future from moveTime on; a travel past the last tick
    // played works out the ticks it reaches.
    Tick from = step.replaying ? std::max(moveTime, liveTime) : moveTime;
    while (from < t)
    {
        from++;
        if (step.groups != nullptr)
            step.groups->PlaceGroups(from - 1);
        FallStep(map, from);
    }
    if (step.groups != nullptr)
        step.groups->RestoreGroups();
    moveTime = t;
    liveTime = t;
}

void Collectable::FallStep(Map const* map, Tick t)
{
    if (follower->FindAtTime(t - 1))
        return;
    if (lockTime != -1 && t <= lockTime)
        return;
    Pointf const p = positions->GetPos(t - 1);
    Pointf const from(p.x, p.y - BaseDrop);
    // A move that starts inside a polygon passes out through its far side: a base inside a solid
    // (placed there, or a group moved into it) would drop through it and whatever lies below. The
    // item rests where it is instead, on that solid, until the solid lets go of it.
    if (map->Embedded(&from, nullptr, nullptr))
    {
        positions->SetPos(t, p);
        velocities->SetPos(t, Vectorf(0.0, 0.0));
        return;
    }
    Vectorf v = velocities->GetPos(t - 1);
    v.y -= Collectable_Gravity;

    Pointf to(from.x + v.x, from.y + v.y);
    if (map->TryMove(&from, &to, nullptr, nullptr))
    {
        double const reverse = v.GetRevAngle();
        double speed = v.GetSpeed();
        if (speed <= Collectable_Gravity || std::fabs(speed - Collectable_Gravity) < Util::Eps)
            speed = 0.0;
        double const ground = map->Lean(&to, reverse, LeanDirection(0));
        v.SetAngleSpeed(Util::Angle(2.0 * ground - reverse), speed * Bounce);
    }
    positions->SetPos(t, Pointf(to.x, to.y + BaseDrop));
    velocities->SetPos(t, v);
}

void Collectable::Render(Map const* map, Tick t) const
{
    Image const* image = images[0];
    if (flags & Collectable_Animated)
        image = images[(t / 2) % 3];
    image->Render(GetPosAtTime(t), GetRotationAtTime(t), DrawScale, Image_Centre | Image_Middle, &map->view);
}
