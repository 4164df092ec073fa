// TreeV_LiftSwitch: accepting or refusing hits against the lift's blocked ticks, and drawing the switch.
#include "treevillage/TreeV_LiftSwitch.h"

#include "engine/GameEvents.h"
#include "engine/Hit_Target.h"
#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "media/Image.h"
#include "treevillage/TreeV_MainLift.h"

TreeV_LiftSwitch::TreeV_LiftSwitch(Map const* map, unsigned int refPoint, TimeSet* liftBlocked, bool liftWorking)
    : Object(), Target(Sound_Hit), pos(map->GetRefPoint(refPoint)), blocked(liftBlocked), working(liftWorking)
{
    rect = Rectf(-Switch_Size, -Switch_Size, Switch_Size, Switch_Size);
}

TreeV_LiftSwitch::~TreeV_LiftSwitch() = default;

void TreeV_LiftSwitch::SetEnable(bool enable)
{
    working = enable;
}

void TreeV_LiftSwitch::Render(Map const* map, Tick) const
{
    double const size = Switch_Size * 2.0;
    TreeV_MainLift::image->Render(pos, 0.0, size, size, Image_Centre | Image_Middle, &map->view);
}

int TreeV_LiftSwitch::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    TimeRange const range(t, t + (working ? MainLift_RideTime : MainLift_BrokenTime));
    if (blocked->CheckRange(range))
        return 0;
    Target_Hit_Flags const kind = working ? (flags | TreeV_LiftHit_Ride) : (flags & ~TreeV_LiftHit_Ride);
    Target::Hit(t, damage, kind);
    blocked->AddRange(range);
    return 0;
}

bool TreeV_LiftSwitch::GetTargetPos(Map const*, Tick, Pointf& at) const
{
    at = pos;
    return true;
}

Tick TreeV_LiftSwitch::FindClosestHit(Tick t, bool* ride) const
{
    HitInfo const key(t, 0, 0);
    int const i = hits->FindItem(&key);
    if (i == -1)
        return GameEvent_HasntHappened;
    if (ride != nullptr)
        *ride = ((*hits)[i]->flags & TreeV_LiftHit_Ride) != 0;
    return (*hits)[i]->time;
}
