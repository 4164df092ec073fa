// Tower_MapMoveGroup: one of the tower's map groups that move for ever as a function of the tick.
#pragma once

#include "engine/MapMoveGroup.h"
#include "tower/Tower_Ids.h"

using Tower_GroupId = unsigned int;

constexpr double OverSpikes_Dist = 1100.0; // either way in x
constexpr double OverSpikes2_Dist = 70.0;  // either way in x
constexpr double Swing_Dist = 20.0;        // radius of the swing
constexpr double Transport_Speed = 1.5;    // units per tick
constexpr int Transport_LegCount = 22;
constexpr Tick Transport_TotalTime = 7969; // ticks of one run of the route
constexpr int Transport_CarCount = 8;

// A platform sliding to and fro over spikes (group 3), a second, shorter one (group 26), a
// platform swinging on an arc below and to the left of its place (group 25), and the eight cars
// of the transporter (groups 28 to 35), spread evenly along one route that they run from its
// beginning again each time they reach its end. Each offset depends on the tick alone, so
// nothing is recorded and time travel finds every group where it belongs. A player standing on
// a group is carried by every change of its offset, the cars' jump back to the route's start
// included.
class Tower_MapMoveGroup final : public MapMoveGroup
{
public:
    explicit Tower_MapMoveGroup(Tower_GroupId groupId);

    void Move(Map* map, Tick t, Player* player) override;

    // The group's offset from its place in the map at t; false for a group that does not move.
    bool Offset(Tick t, double& offsetX, double& offsetY) const;

    // The offset of a car t ticks into the route (t not negative).
    static void TransportPos(Tick t, double& offsetX, double& offsetY);
    // The ticks into the route at which a car of the group starts at tick 0.
    static Tick CarPhase(Tower_GroupId groupId);
};
