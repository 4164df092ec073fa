// GiveHitInfo: one hit an enemy gave the player, stamped with its tick.
#pragma once

#include "util/Tick.h"

class GiveHitInfo final
{
public:
    GiveHitInfo(Tick hitTime, int hitDamage) : time(hitTime), damage(hitDamage) {}

    bool Greater(GiveHitInfo const* other) const { return time > other->time; }

    Tick time = 0;
    int damage = 0;
};
