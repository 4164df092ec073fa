// Hit_Target: standing and dropping over the hit records, and drawing a standing target.
#include "engine/Hit_Target.h"

#include "engine/Map.h"
#include "engine/Path.h"
#include "media/Image.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <limits>

Image* Hit_Target::image = nullptr;
Image* Hit_Target::antiimage = nullptr;

Hit_Target::Hit_Target(Pointf targetPos, Hit_Target_Type targetType, bool alwaysOn, double targetScale)
    : Object(), Target(Sound_Hit), Activator(), position(targetPos), scale(targetScale), type(targetType),
      permanent(alwaysOn)
{
    rect = Rectf(-Switch_Size * scale, -Switch_Size * scale, Switch_Size * scale, Switch_Size * scale);
}

Hit_Target::~Hit_Target()
{
    // Whichever of a target and its block target goes first unhooks itself from the other.
    for (Hit_Target const* blocker : blockers)
        if (blocker != nullptr)
            blocker->blocked.erase(std::remove(blocker->blocked.begin(), blocker->blocked.end(), this),
                                   blocker->blocked.end());
    for (Hit_Target* other : blocked)
    {
        for (Hit_Target const*& blocker : other->blockers)
            if (blocker == this)
                blocker = nullptr;
        other->Changed(Activator_AllTicks);
    }
}

void Hit_Target::Initialise()
{
    assert(image == NULL);
    assert(antiimage == NULL);
    image = new Image(switchimage, 0, false);
    antiimage = new Image(switchantiimage, 0, false);
}

void Hit_Target::Finalise()
{
    delete image;
    delete antiimage;
    image = nullptr;
    antiimage = nullptr;
}

void Hit_Target::SetPath(Path const* targetPath, int pathPhase)
{
    path = targetPath;
    phase = pathPhase;
}

void Hit_Target::AddBlockTarget(Hit_Target const* other)
{
    int i = 0;
    while (i < Hit_Target_Max_Blockers && blockers[i] != nullptr)
        i++;
    assert(i < Hit_Target_Max_Blockers);
    blockers[i] = other;
    if (std::find(other->blocked.begin(), other->blocked.end(), this) == other->blocked.end())
        other->blocked.push_back(this);
    Changed(Activator_AllTicks);
}

int Hit_Target::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    int const energy = Target::Hit(t, damage, flags);
    Changed(t);
    for (Hit_Target* other : blocked)
        other->Changed(t);
    return energy;
}

bool Hit_Target::ReportsChanges() const
{
    return true;
}

Tick Hit_Target::LastBlockTime(Tick t) const
{
    Tick latest = -1;
    for (Hit_Target const* blocker : blockers)
    {
        Tick when = -1;
        if (blocker != nullptr && blocker->BeenHit(t, &when) && when > latest)
            latest = when;
    }
    return latest;
}

Tick Hit_Target::FirstBlockFrom(Tick t) const
{
    Tick earliest = -1;
    bool any = false;
    for (Hit_Target const* blocker : blockers)
    {
        Tick when = -1;
        if (blocker != nullptr && blocker->HitFrom(t, &when) && (!any || when < earliest))
        {
            earliest = when;
            any = true;
        }
    }
    return earliest;
}

bool Hit_Target::TargetOn(Tick t) const
{
    Tick h = -1;
    if (permanent || !BeenHit(t, &h))
        return true;
    Tick const b = LastBlockTime(t);
    return b != -1 && h < b;
}

Tick Hit_Target::LastActiveTime(Tick t) const
{
    // The latest tick at or before t at which the latest hit came after every block hit. Standing
    // at t, the target was last down just before the first block hit at or after its own latest
    // hit h: from there to t every block hit is at or after h. A block hit on h's own tick leaves
    // nothing from h on down, so the search goes on before h (hits and block hits on the same
    // tick are rare, and only they repeat the search).
    if (permanent)
        return -1;
    for (;;)
    {
        Tick h = -1;
        if (!BeenHit(t, &h))
            return -1;
        Tick const b = LastBlockTime(t);
        if (b == -1 || h > b)
            return t;
        Tick const c = FirstBlockFrom(h);
        assert(c <= b);
        if (c > h)
            return c - 1;
        t = h - 1;
    }
}

Tick Hit_Target::LastInactiveTime(Tick t) const
{
    // Down at t, the target went down with its first hit after the latest block hit (of all its
    // hits when no block target was hit): the tick before that hit.
    Tick h = -1;
    if (permanent || !BeenHit(t, &h))
        return t;
    Tick const b = LastBlockTime(t);
    if (b != -1 && h <= b)
        return t;
    Tick first = h;
    if (b == -1)
        HitFrom(std::numeric_limits<Tick>::min(), &first);
    else
        HitFrom(b + 1, &first);
    return first - 1;
}

bool Hit_Target::IsActive(Tick t) const
{
    return !TargetOn(t);
}

Pointf Hit_Target::PositionAt(Tick t) const
{
    if (path == nullptr)
        return position;
    return path->PositionAtTime(t + phase).pos;
}

bool Hit_Target::GetTargetPos(Map const*, Tick t, Pointf& pos) const
{
    if (!TargetOn(t))
        return false;
    pos = PositionAt(t);
    return true;
}

void Hit_Target::Render(Map const* map, Tick t) const
{
    if (!TargetOn(t))
        return;
    Image const* picture = type == Hit_Target_Anti ? antiimage : image;
    double const size = Switch_Size * 2.0 * scale;
    picture->Render(PositionAt(t), 0.0, size, size, Image_Centre | Image_Middle, &map->view);
}
