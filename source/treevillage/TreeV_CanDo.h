// TreeV_CanDo: the hint panel's tasks in the tree village.
#pragma once

#include "engine/CanDoIndicator.h"

class GameEvents;
class TreeV_Events;

// Tells which village task lies where the player stands and whether it can be done now, from
// the player's position, the progress record and the visit's slots at the tick asked.
class TreeV_CanDo final : public CanDoIndicator
{
public:
    TreeV_CanDo(Player const* player, Map const* map, GameFont const* font, GameEvents const* gameEvents,
                TreeV_Events const* events);

    bool FindMessage(CanDo_Indicate* indicate, Tick t) override;

private:
    GameEvents const* gameEvents;
    TreeV_Events const* events;
};
