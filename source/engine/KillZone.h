// KillZone: a rectangle of the map in which the player is hurt.
#pragma once

#include "engine/Enemy.h"

class Map;
class Rectf;

// The rectangle lies between two reference points of the map, given in any order. The player
// takes 1 damage per hit inside it, with the usual grace after each hit; it is never drawn.
class KillZone final : public Enemy
{
public:
    KillZone(Map const* map, unsigned int refA, unsigned int refB);
    KillZone(KillZone const&) = delete;
    KillZone& operator=(KillZone const&) = delete;
    ~KillZone() override;

    // 1 when the point lies in the zone, edges included, else 0.
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;

private:
    Rectf* zone; // owned
};
