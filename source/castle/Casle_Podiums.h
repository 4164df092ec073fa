// Casle_Podiums: two podiums that take a crystal each and together open a door.
#pragma once

#include "engine/Activator.h"
#include "engine/Object.h"
#include "util/Tick.h"

class Collectable;
class Map;

// A crystal let go close enough to a free podium snaps onto it and stays there for good; either
// crystal fits either podium. The pair is active from the tick its second crystal was placed.
class Casle_Podiums final : public Object, public Activator
{
public:
    Casle_Podiums(Collectable* crystal0, unsigned int podium0, Collectable* crystal1, unsigned int podium1);
    ~Casle_Podiums() override = default;
    Casle_Podiums(Casle_Podiums const&) = delete;
    Casle_Podiums& operator=(Casle_Podiums const&) = delete;

    void MoveToTime(Map const* map, Tick t) override;

    bool IsActive(Tick t) const override;
    Tick LastActiveTime(Tick t) const override;
    Tick LastInactiveTime(Tick t) const override;
    Tick ActiveCount(Tick t) const override;

    // When a crystal was placed on podium i; -1 while it is empty.
    Tick PlacedTime(int i) const { return podiums[i].placedTime; }

private:
    struct Podium
    {
        unsigned int ref; // the podium's reference point
        Tick placedTime;  // -1 while empty
    };

    // The later placing, or -1 while a podium is empty.
    Tick FullTime() const;

    Collectable* crystals[2]; // the world's; null once placed
    Podium podiums[2];
};
