// A walking creature for the key-frame benchmarks: every step depends on the last one.
#pragma once

#include "engine/CharStats.h"
#include "engine/Character.h"
#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "util/Pointf.h"
#include "util/Tick.h"
#include "util/Util.h"

// Walks between two x limits with the shared character physics, turning when blocked, like the
// walking enemies; a hit in its shared tick set, and now and then the tick hash, make it jump.
class Strider final : public Character
{
public:
    Strider(TimeSet* sharedHits, double startX, double startY) : hits(sharedHits)
    {
        hits->TakeRef();
        stats = new CharStats;
        stats->width = 24.0;
        stats->height = 24.0;
        stats->accel = 0.06;
        stats->decel = 0.2;
        stats->maxSpeed = 2.0;
        stats->gravity = 0.2;
        stats->jumpSpeed = 6.0;
        stats->jumpDecay = 0.1;
        stats->frameCount = 5;
        stats->frameDist = 20.0;
        pos = Pointf(startX, startY);
        keys = Character_Left;
    }
    explicit Strider(Strider const* other) : Character(*other), hits(other->hits)
    {
        hits->TakeRef();
        stats->TakeRef();
    }
    Strider(Strider const&) = delete;
    Strider& operator=(Strider const&) = delete;
    // Takes another copy's body; the records are the same.
    void CopyState(Strider const& other) { Character::operator=(other); }
    // A key frame keeps the body alone, as a walking enemy's does.
    struct Key
    {
        Character body;
    };
    void SaveKey(Key& key) const { key.body = static_cast<Character const&>(*this); }
    void LoadKey(Key const& key) { Character::operator=(key.body); }
    ~Strider() override
    {
        stats->Destroy();
        hits->Destroy();
    }

    void Move(Map const* map, Tick t)
    {
        Pointf const before = pos;
        keys &= Character_Left | Character_Right;
        if (hits->Check(t) || (Util::Random(t) & 127) == 0)
            keys |= Character_Jump | Character_JumpHeld;
        Character::Move(map);
        if (pos == before)
            keys = (keys & Character_Left) != 0 ? Character_Right : Character_Left;
        if (pos.x < -LimitX)
            keys = Character_Right;
        if (pos.x > LimitX)
            keys = Character_Left;
    }

    static constexpr double LimitX = 900.0; // turns beyond this distance from the middle

    TimeSet* hits; // shared with copies
};
