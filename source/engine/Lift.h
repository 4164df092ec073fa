// Lift: a map group that swings up and down as a sine while all its activators are on.
#pragma once

#include "engine/Activated.h"
#include "engine/MapMoveObject.h"
#include "engine/Object.h"
#include "engine/Switch_Blocker.h"
#include "util/Rectf.h"

class Map;

constexpr double Lift_Speed = 0.02; // radians of the lift's phase per tick

// The phase grows while the activators are on and holds while they are off, so the lift stops
// where it is. As a blocker it keeps its switch from being pressed at any tick at or before the
// latest one at which the player rode it, so that the player cannot press the switch that
// drives a lift he is standing on, nor do so in the past.
class Lift final : public Object, public MapMoveObject, public Switch_Blocker, public Activated
{
public:
    Lift(Map* map, unsigned int group, double distance, double startAngle);
    Lift(Lift const&) = delete;
    Lift& operator=(Lift const&) = delete;
    ~Lift() override;

    // Notes the latest tick at which the player stood within the lift's sweep.
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;
    void MoveMapGroup(Map const* map, Tick t, FlatList<MoveObject>** orders) override;
    bool IsBlocked(Map const* map, Tick t) override;

    double CalcLiftPos(Tick t) const;
    double CalcLiftAngle(Tick t) const;

private:
    FlatList<MoveObject> moves;
    Rectf bound;             // the group's sweep
    double distance;         // amplitude of the travel
    double startAngle;       // phase before the lift ever ran
    Tick lastPlayerTick = 0; // latest tick the player stood within the bound
};
