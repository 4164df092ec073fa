// Casle_CanDo: the castle's hint panel, which says what the player's room asks of him and whether he can do it.
#pragma once

#include "castle/Casle_Ids.h"
#include "engine/CanDoIndicator.h"
#include "util/Tick.h"

class Casle_Events;
class Casle_Machine_Switch;
class Collectable;
class GameEvents;
class Rectf;

// Each puzzle room has its line: thumbs up when the player has what the room needs (the cog in
// hand at the machine, the right number of mirrors in a laser room, both crystals by their
// podiums), thumbs down while he has not. Everything is read from the tick, the player's place
// and the objects' records, so it follows time travel; the panel keeps nothing of its own. The
// world hands it the objects it inspects after building it.
class Casle_CanDo final : public CanDoIndicator
{
public:
    Casle_CanDo(Player const* player, Map const* map, GameFont const* font, GameEvents const* gameEvents,
                Casle_Events const* casleEvents);

    bool FindMessage(CanDo_Indicate* indicate, Tick t) override;

    int CountMirrorsInArea(Rectf const* area, Tick t) const;
    static bool IsObjectInArea(Collectable const* item, Rectf const* area, Tick t);

    // The world's, set right after the panel is made.
    Casle_Machine_Switch* machineSwitch = nullptr;
    Collectable* cog = nullptr;
    Collectable* mirrors[Casle_Mirrors_Count] = {};
    Collectable* crystals[Casle_Crystals_Count] = {};
    bool const* visitedRoom28 = nullptr;
    bool const* visitedRoom31 = nullptr;

private:
    GameEvents const* gameEvents;    // no rule reads it
    Casle_Events const* casleEvents; // no rule reads it
};
