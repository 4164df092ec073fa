// Items the player can pick up, carry, drop and turn, whose place is kept tick by tick.
#pragma once

#include "engine/Object.h"
#include "engine/Positioner.h"
#include "util/Pointf.h"
#include "util/Vectorf.h"

#include <cstdint>

class Image;
class Past_Follower;
class TimeFrames;

enum Collectable_Flags : std::uint32_t
{
    Collectable_None = 0x00,
    Collectable_Rotates = 0x01,  // keeps the rotation it is given
    Collectable_Animated = 0x02, // drawn from its three images in turn
    Collectable_Fan = 0x04,      // drives hang-ons that accept fans
    Collectable_Red = 0x08,
    Collectable_Blue = 0x10,
    Collectable_Green = 0x20,
    Collectable_Yellow = 0x40
};

constexpr double Collectable_Gravity = 0.15;

// An item lying in a level. Between carries it falls and bounces one tick at a time; while the
// present player or a past self carries it, it rides on that carrier's head, and a past self
// that picked it up picks it up again in every replay.
class Collectable final : public Object
{
public:
    Collectable(Map const* map, unsigned int refId, Image const* image, unsigned int itemId,
                Collectable_Flags itemFlags, Image const* image2 = nullptr, Image const* image3 = nullptr);
    // A still item whose centre starts at a given point rather than above a reference point.
    Collectable(Pointf centre, Image const* image, unsigned int itemId, Collectable_Flags itemFlags);
    ~Collectable() override;
    Collectable(Collectable const&) = delete;
    Collectable& operator=(Collectable const&) = delete;

    static void Initialise(TimeFrames const* frames);

    bool CanCollectAtTime(Tick t) const;
    Pointf GetPosAtTime(Tick t) const;
    double GetRotationAtTime(Tick t) const;
    void SetPlayerHolding(bool holding) { playerHolding = holding; }
    bool GetPlayerHolding() const { return playerHolding; }
    // Whether a self, present or past, is recorded carrying the item at t. The present player's
    // carry of a tick is recorded by his move, after the objects have been moved to that tick.
    bool CarriedAtTime(Tick t) const;
    Collectable_Flags GetInfo() const { return flags; }
    unsigned int GetId() const { return id; }
    // Never takeable and never falling again.
    void Lock();
    // Neither takeable nor falling up to and including t; never lowers an earlier lock.
    void Lock(Tick t);
    void PlayerHold(Tick t);
    void SetPosAtTime(Tick t, Pointf pos, Vectorf velocity, double rotation, bool lock);

    void MoveToTime(Map const* map, Tick t) override;
    void MoveToTime(Map const* map, Tick t, Object_Step const& step) override;
    void Render(Map const* map, Tick t) const override;

private:
    void FallStep(Map const* map, Tick t);

    static TimeFrames const* timeframes;

    std::uint32_t id = 0;
    Image const* images[3] = {};
    Collectable_Flags flags = Collectable_None;
    Positioner<Pointf>* positions = nullptr;   // centre per tick
    Positioner<Vectorf>* velocities = nullptr; // world units per tick
    Positioner<double>* rotations = nullptr;   // radians per tick
    Past_Follower* follower = nullptr;
    Tick lockTime = -1;
    Tick moveTime = -1; // last tick whose fall has been worked out
    Tick liveTime = -1; // last tick of the present timeline worked out; later records are an old future
    bool playerHolding = false;
};
