// TreeV_LiftSwitch: one of the two shootable switches of the village's main lift.
#pragma once

#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"

class Map;
class TimeSet;

// Set in a hit's flags when the hit started a ride; a hit without it only shook the broken lift.
constexpr Target_Hit_Flags TreeV_LiftHit_Ride = 2;

// A hit starts a ride of the lift, or only shakes it while it is broken, unless the ride or the
// shake would overlap a tick on which the lift is blocked: another ride or shake, or the player
// (live or a past self) standing in the lift's way. Each accepted hit keeps what it did, so
// mending the lift later never turns an old shake into a ride.
class TreeV_LiftSwitch final : public Object, public Target
{
public:
    // blocked is the lift's record, shared by both switches and not owned.
    TreeV_LiftSwitch(Map const* map, unsigned int refPoint, TimeSet* blocked, bool working);
    TreeV_LiftSwitch(TreeV_LiftSwitch const&) = delete;
    TreeV_LiftSwitch& operator=(TreeV_LiftSwitch const&) = delete;
    ~TreeV_LiftSwitch() override;

    void SetEnable(bool enable);

    void Render(Map const* map, Tick t) const override;
    // A refused hit is dropped; nothing is given back to the thrower.
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& at) const override;

    // The tick of the latest hit at or before t, or -1; ride (when given) tells whether it started a ride.
    Tick FindClosestHit(Tick t, bool* ride = nullptr) const;

private:
    Pointf pos;
    TimeSet* blocked; // the lift's blocked ticks
    bool working;     // hits ride; else they shake
};
