// EnemyTarget: a creature that can be hit, hurts the player and, once dead, works doors and lifts.
#pragma once

#include "engine/Activator.h"
#include "engine/Enemy.h"
#include "engine/Target.h"

// Its death follows from its hits: each hit recomputes the death tick, and the hits it gave the
// player after that tick are handed back. As an activator it is on from the tick after its death,
// and it reports each move of its death (a hit at a past tick can bring it forward) to the doors
// and lifts it works.
class EnemyTarget : public Target, public Enemy, public Activator
{
public:
    EnemyTarget(int startHitPoints, Sound_Id hitSound);
    explicit EnemyTarget(EnemyTarget const* other);
    EnemyTarget& operator=(EnemyTarget const& other) = default;
    ~EnemyTarget() override = default;

    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;

    bool IsActive(Tick t) const override;
    Tick LastActiveTime(Tick t) const override;
    Tick LastInactiveTime(Tick t) const override;
    Tick NextActiveTime(Tick t) const override;
    Tick ActiveCount(Tick t) const override;
    bool ReportsChanges() const override;

protected:
    void DeathMoved(Tick newTime) override;

    int hitPoints = 1; // the damage that kills it
};
