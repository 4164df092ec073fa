// TumbleWeed: scenery that rolls towards the player once he comes near.
#pragma once

#include "engine/Object.h"
#include "util/Pointf.h"
#include "util/Tick.h"

class Image;

constexpr double TumbleWeed_Trigger = 768.0; // how far left of its start the player sets it off
constexpr double TumbleWeed_Speed = 2.0;     // leftwards, per tick
constexpr double TumbleWeed_Size = 24.0;

// Rolls left from its start to the x of its end, from the tick the player first came within
// reach. That tick is its only record, so after travel it rolls again the same way.
class TumbleWeed final : public Object
{
public:
    TumbleWeed(Map const* map, unsigned startRp, unsigned endRp);

    static void Initialise();
    static void Finalise();

    void Render(Map const* map, Tick t) const override;
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;

    // Where it is drawn at t; false while it is not shown.
    bool PosAt(Tick t, Pointf& at) const;

    Pointf start;
    Pointf end;
    Tick startTime;

private:
    static inline Image* image = nullptr;
};
