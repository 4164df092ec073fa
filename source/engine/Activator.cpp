// The activator's answers over its set of active ticks.
#include "engine/Activator.h"

#include "engine/TimeSet.h"

bool Activator::IsActive(Tick t) const
{
    return activeTimes != nullptr && activeTimes->Check(t);
}

Tick Activator::LastActiveTime(Tick t) const
{
    Tick when = -1;
    if (activeTimes == nullptr || !activeTimes->CheckDown(t, &when))
        return -1;
    return when;
}

Tick Activator::LastInactiveTime(Tick t) const
{
    if (activeTimes == nullptr)
        return t;
    return activeTimes->LastFreeTime(t);
}

Tick Activator::NextActiveTime(Tick t) const
{
    Tick when = -1;
    if (activeTimes == nullptr || !activeTimes->CheckUp(t, &when))
        return -1;
    return when;
}

Tick Activator::ActiveCount(Tick t) const
{
    if (activeTimes == nullptr)
        return 0;
    return activeTimes->Count(t);
}

Tick Activator::LastSwitchOnTime(Tick t) const
{
    if (IsActive(t))
        return LastInactiveTime(t);
    Tick const last = LastActiveTime(t);
    if (last == -1)
        return -1;
    return LastInactiveTime(last);
}
