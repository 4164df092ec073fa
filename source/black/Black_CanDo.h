// Black_CanDo: the hint panel's objectives in the Black mountains.
#pragma once

#include "engine/CanDoIndicator.h"

class GameEvents;

// Before the ogre's pass it tells the player to get past the ogre, which he can do once he has
// the socks (he then walks on dead); on the boulder's ledge it tells him to kill the ogre.
class Black_CanDo final : public CanDoIndicator
{
public:
    Black_CanDo(Player const* player, Map const* map, GameFont const* font, GameEvents const* gameEvents);

    bool FindMessage(CanDo_Indicate* indicate, Tick t) override;

private:
    GameEvents const* gameEvents; // not owned
};
