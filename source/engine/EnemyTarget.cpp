// EnemyTarget: deaths computed from hits, and the activator view of being dead.
#include "engine/EnemyTarget.h"

#include "engine/GameEvents.h"

EnemyTarget::EnemyTarget(int startHitPoints, Sound_Id hitSound)
    : Target(hitSound), Enemy(), Activator(), hitPoints(startHitPoints)
{
}

EnemyTarget::EnemyTarget(EnemyTarget const* other)
    : Target(other), Enemy(other), Activator(*other), hitPoints(other->hitPoints)
{
}

int EnemyTarget::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    Target::Hit(t, damage, flags);
    return ChangeDeathTime(GetDeathTime(hitPoints));
}

bool EnemyTarget::IsActive(Tick t) const
{
    return deathTime != GameEvent_HasntHappened && deathTime < t;
}

Tick EnemyTarget::LastActiveTime(Tick t) const
{
    return IsActive(t) ? t : -1;
}

Tick EnemyTarget::LastInactiveTime(Tick t) const
{
    if (deathTime == GameEvent_HasntHappened || deathTime > t)
        return t;
    return deathTime;
}

Tick EnemyTarget::NextActiveTime(Tick t) const
{
    if (deathTime == GameEvent_HasntHappened)
        return -1;
    return deathTime > t ? deathTime : t;
}

Tick EnemyTarget::ActiveCount(Tick t) const
{
    if (deathTime == GameEvent_HasntHappened || deathTime > t)
        return 0;
    return t - deathTime;
}

bool EnemyTarget::ReportsChanges() const
{
    return true;
}

void EnemyTarget::DeathMoved(Tick newTime)
{
    Changed(newTime + 1);
}
