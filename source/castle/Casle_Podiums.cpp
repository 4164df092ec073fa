// Casle_Podiums: placing crystals on free podiums and answering from the ticks they were placed.
#include "castle/Casle_Podiums.h"

#include "engine/Collectable.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "util/Util.h"
#include "util/Vectorf.h"

#include <algorithm>

namespace
{
constexpr double Podium_Reach = 64.0; // |dx| + |dy| within which a let-go crystal is placed
constexpr double Podium_Top = 67.0;   // a placed crystal stands this far above the reference point
} // namespace

Casle_Podiums::Casle_Podiums(Collectable* crystal0, unsigned int podium0, Collectable* crystal1, unsigned int podium1)
    : crystals{crystal0, crystal1}, podiums{{podium0, GameEvent_HasntHappened}, {podium1, GameEvent_HasntHappened}}
{
}

void Casle_Podiums::MoveToTime(Map const* map, Tick t)
{
    for (Collectable*& crystal : crystals)
        for (Podium& podium : podiums)
        {
            // A crystal carried by any self, or riding on a head for the tick after, is not let go yet.
            if (podium.placedTime != GameEvent_HasntHappened || crystal == nullptr || crystal->GetPlayerHolding()
                || crystal->CarriedAtTime(t) || crystal->CarriedAtTime(t - 1))
                continue;
            Pointf const c = crystal->GetPosAtTime(t);
            Pointf const p = map->GetRefPoint(podium.ref);
            if (Podium_Reach - p.DistanceEst(&c) < Util::Eps)
                continue;
            podium.placedTime = t;
            crystal->SetPosAtTime(t, p + Pointf(0.0, Podium_Top), Vectorf(0.0, 0.0), 0.0, true);
            crystal->Lock();
            crystal = nullptr;
        }
}

Tick Casle_Podiums::FullTime() const
{
    if (podiums[0].placedTime == GameEvent_HasntHappened || podiums[1].placedTime == GameEvent_HasntHappened)
        return -1;
    return std::max(podiums[0].placedTime, podiums[1].placedTime);
}

bool Casle_Podiums::IsActive(Tick t) const
{
    Tick const full = FullTime();
    return full != -1 && full <= t;
}

Tick Casle_Podiums::LastActiveTime(Tick t) const
{
    return IsActive(t) ? t : -1;
}

Tick Casle_Podiums::LastInactiveTime(Tick t) const
{
    Tick const full = FullTime();
    if (full == -1 || t < full)
        return t;
    return full - 1;
}

Tick Casle_Podiums::ActiveCount(Tick) const
{
    return 0;
}
