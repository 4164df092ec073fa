// Casle_Symbols: watching the eight plates for the combination.
#include "castle/Casle_Symbols.h"

#include "engine/Activator.h"
#include "engine/GameEvents.h"

Casle_Symbols::Casle_Symbols(Activator const* s0, Activator const* s1, Activator const* s2, Activator const* s3,
                             Activator const* s4, Activator const* s5, Activator const* s6, Activator const* s7)
    : switches{s0, s1, s2, s3, s4, s5, s6, s7}
{
}

void Casle_Symbols::MoveToTime(Map const*, Tick t)
{
    if (solvedTime != GameEvent_HasntHappened && solvedTime < t)
        return;
    for (int i = 0; i < Casle_Symbols_Count; i++)
    {
        bool const wanted = i == Symbol_Target1 || i == Symbol_Target2;
        if (switches[i]->IsActive(t) != wanted)
            return;
    }
    solvedTime = t;
}

bool Casle_Symbols::IsActive(Tick t) const
{
    return solvedTime != GameEvent_HasntHappened && solvedTime <= t;
}

Tick Casle_Symbols::LastActiveTime(Tick t) const
{
    return IsActive(t) ? t : -1;
}

Tick Casle_Symbols::LastInactiveTime(Tick t) const
{
    if (solvedTime == GameEvent_HasntHappened || solvedTime > t)
        return t;
    return solvedTime - 1;
}
