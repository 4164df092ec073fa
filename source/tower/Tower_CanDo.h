// Tower_CanDo: the hint panel's tasks in the tower.
#pragma once

#include "engine/CanDoIndicator.h"

class GameEvents;

// The tower gives a hint in four places, each the area of one puzzle: the first door, the
// scales' lift, the doors of the small switches and the target by the last door. Everywhere
// else the panel shows nothing. The hints depend on the player's position alone, the first one's
// thumb also on whether the hint panel itself has been explained.
class Tower_CanDo final : public CanDoIndicator
{
public:
    Tower_CanDo(Player const* player, Map const* map, GameFont const* font, GameEvents const* gameEvents);

    bool FindMessage(CanDo_Indicate* indicate, Tick t) override;

private:
    GameEvents const* gameEvents; // not owned
};
