// HitInfo: one hit on a target, stamped with the tick at which it lands.
#pragma once

#include "util/Tick.h"

// Bit 0 tells from which side the hit came; the target only stores it for derived creatures.
using Target_Hit_Flags = unsigned int;

// Set when the hit comes at the target from its right.
constexpr Target_Hit_Flags Target_Hit_FromRight = 1;

class HitInfo final
{
public:
    HitInfo(Tick hitTime, int hitDamage, Target_Hit_Flags hitFlags) : time(hitTime), flags(hitFlags), damage(hitDamage)
    {
    }

    bool Greater(HitInfo const* other) const { return time > other->time; }

    Tick time = 0;
    Target_Hit_Flags flags = 0;
    int damage = 0;
};
