// Bat_Group: a flock of roosting bats that wakes once, when the player comes near or one of them is hit.
#pragma once

#include "engine/Object.h"
#include "util/Pointf.h"
#include "util/PtrList.h"
#include "util/Tick.h"

class Bat;
class Player;

// Draws nothing: it watches the player and, the first time he comes within its radius, sends its
// bats off the roost one after another in a random order with short random delays. The order and
// delays are drawn once and stored at once as each bat's wake tick, so time travel replays the
// flock without drawing again. The bats belong to the world, not to the flock.
class Bat_Group final : public Object
{
public:
    static constexpr int Bat_Max_Delay = 15; // mask of the random delay before each bat leaves

    Bat_Group(Player const* watched, Pointf trigger, double triggerRadius);
    Bat_Group(Bat_Group const&) = delete;
    Bat_Group& operator=(Bat_Group const&) = delete;
    ~Bat_Group() override;

    void AddBat(Bat* bat);
    // Wakes the flock at t, once in the level's life.
    void Activate(Tick t);
    bool Woken() const { return bats.Count() > 0 && bats[0] == nullptr; }

    void MoveToTime(Map const* map, Tick t) override;

private:
    Player const* player;
    PtrList<Bat> bats; // not owned; each entry is cleared as its bat is woken
    Pointf centre;
    double radius;
};
