// Bat_Group: waking the flock in a random order, drawn once.
#include "creatures/Bat_Group.h"

#include "creatures/Bat.h"
#include "engine/Player.h"
#include "util/Util.h"

#include <cstdlib>

Bat_Group::Bat_Group(Player const* watched, Pointf trigger, double triggerRadius)
    : player(watched), bats(PtrList_Variable, 32), centre(trigger), radius(triggerRadius)
{
    bats.owns = false;
}

Bat_Group::~Bat_Group() = default;

void Bat_Group::AddBat(Bat* bat)
{
    bats.AddItem(bat);
}

void Bat_Group::Activate(Tick t)
{
    int const n = bats.Count();
    if (n == 0 || bats[0] == nullptr)
        return;
    for (int i = 0; i < n; i++)
    {
        t += std::rand() & Bat_Max_Delay;
        int j = std::rand() % n;
        while (bats[j] == nullptr)
            j = std::rand() % n;
        bats[j]->ActivateAtTime(t, false);
        bats[j] = nullptr;
    }
}

void Bat_Group::MoveToTime(Map const*, Tick t)
{
    // A player frozen for time travel is shown at ticks already lived: waking then would change
    // what those ticks showed.
    if (bats.Count() == 0 || bats[0] == nullptr || player->travelling)
        return;
    Pointf const at = player->GetPos();
    double const dist = at.DistanceEst(&centre);
    if (dist < radius && !Util::Equal(dist, radius))
        Activate(t);
}
