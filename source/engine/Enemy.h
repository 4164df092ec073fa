// Enemy: anything that can hurt the player, keeping the tick of its death and the hits it gave.
#pragma once

#include "engine/GiveHitInfo.h"
#include "util/PtrListSorted.h"
#include "util/Tick.h"

class Pointf;

// The death tick only ever moves earlier. When it does, the hits this enemy gave the player after
// its new death never happened, and ChangeDeathTime hands their damage back. Copies made for
// replay share the list of given hits by reference count.
class Enemy
{
public:
    Enemy();
    explicit Enemy(Enemy const* other);
    Enemy(Enemy const&) = delete;
    // Copies the death tick and shares the other's list of given hits.
    Enemy& operator=(Enemy const& other);
    virtual ~Enemy();

    // The damage dealt to a player standing at playerPos at tick t.
    virtual int IsPlayerHit(Tick t, Pointf const* playerPos);
    // Without a point the enemy is never culled.
    virtual bool ActivePoint(Pointf& centre, double& radius, double& objScale) const;

    void TakenHit(Tick t, int damage);
    // Alive at the death tick itself, dead from the next.
    bool IsDead(Tick t) const;
    // Moves the death to newTime when that is earlier; returns the damage to give back.
    int ChangeDeathTime(Tick newTime);

protected:
    // The death tick moved to newTime (earlier than it was, or the first death).
    virtual void DeathMoved(Tick newTime);

    Tick deathTime = -1;                             // -1 while alive
    PtrListSorted<GiveHitInfo>* givenHits = nullptr; // shared with replay copies
};
