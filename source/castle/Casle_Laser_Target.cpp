// Casle_Laser_Target: recording the ticks a beam ended on the target.
#include "castle/Casle_Laser_Target.h"

#include "engine/TimeSet.h"

Casle_Laser_Target::Casle_Laser_Target(unsigned int targetGroup) : group(targetGroup)
{
    activeTimes = new TimeSet();
}

Casle_Laser_Target::~Casle_Laser_Target()
{
    delete activeTimes;
}

bool Casle_Laser_Target::HitGroup(Tick from, Tick to, unsigned int hitGroup)
{
    if (hitGroup != group)
        return false;
    // A second beam at the same tick gives an empty range, which the set ignores.
    activeTimes->AddRange(TimeRange(from + 1, to + 1));
    return true;
}

bool Casle_Laser_Target::IsBlocked(Map const*, Tick t)
{
    return activeTimes->Check(t);
}
