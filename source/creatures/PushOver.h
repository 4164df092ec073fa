// PushOver: a standing map group that the player walking into its upper part pushes over sideways.
#pragma once

#include "engine/MapMoveObject.h"
#include "engine/Object.h"
#include "util/FlatList.h"
#include "util/Pointf.h"
#include "util/Rectf.h"

#include <cstdint>

// It turns a quarter turn about a lower corner, away from the side the player came from, and
// bounces to rest. The push tick is its only record, written once while time runs forward, so
// its angle at any tick replays exactly.
class PushOver final : public Object, public MapMoveObject
{
public:
    static constexpr double PushOver_Accel = 0.01;

    // Build it before the map's collision grid: it sets the group's cover.
    PushOver(Map* map, unsigned int groupId);
    PushOver(PushOver const&) = delete;
    PushOver& operator=(PushOver const&) = delete;
    ~PushOver() override = default;

    void PlayerAtPos(Tick t, Pointf const* playerPos) override;
    void MoveMapGroup(Map const* map, Tick t, FlatList<MoveObject>** orders) override;

    // The group's angle at t, from +y towards +x.
    double AngleAtTime(Tick t) const;

    Tick GetPushTime() const { return pushTime; }
    bool FallsLeft() const { return fallsLeft; }
    Rectf GetBound() const { return bound; }
    // The lower corner it turns about, set by the push.
    Pointf GetCentre() const { return pivot; }

private:
    std::uint32_t group;
    Tick pushTime;
    bool fallsLeft = false;
    Rectf bound;
    Pointf pivot;
    FlatList<MoveObject> moves;
};
