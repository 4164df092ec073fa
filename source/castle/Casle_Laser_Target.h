// Casle_Laser_Target: a map group that records every tick at which a laser beam ended on it.
#pragma once

#include "engine/Activator.h"
#include "engine/Switch_Blocker.h"
#include "util/Tick.h"

class Map;

// A patch of castle wall or floor that lights up under a beam. It is on at every tick a beam was
// recorded on it, which works doors, and holds up the switch whose plate it shares while lit.
// The record only grows, so a travel back leaves earlier successes in force.
class Casle_Laser_Target final : public Activator, public Switch_Blocker
{
public:
    explicit Casle_Laser_Target(unsigned int targetGroup);
    ~Casle_Laser_Target() override;
    Casle_Laser_Target(Casle_Laser_Target const&) = delete;
    Casle_Laser_Target& operator=(Casle_Laser_Target const&) = delete;

    // A beam that ended on hitGroup at tick to, judged after one at tick from: when it is this
    // target's group, the ticks from + 1 to to are recorded and the answer is true.
    bool HitGroup(Tick from, Tick to, unsigned int hitGroup);

    bool IsBlocked(Map const* map, Tick t) override;

    unsigned int GetGroup() const { return group; }

private:
    unsigned int group; // the map group whose polygons form the target
};
