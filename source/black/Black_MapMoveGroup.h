// Black_MapMoveGroup: one of the Black mountains' map groups that move by themselves: a lift on
// the looping track, or a platform that bobs or swings.
#pragma once

#include "black/Black_Ids.h"
#include "engine/MapMoveGroup.h"

using Black_GroupId = unsigned int;

constexpr Tick Black_Lift_Spacing = 640; // track ticks between one lift and the next

// How far the platforms move either way from where the map file put them.
constexpr double Black_Bob_Reach = 100.0;       // group 5, up and down
constexpr double Black_Swing_Reach = 250.0;     // groups 15 and 17, side to side
constexpr double Black_DeepBob_Reach = 150.0;   // group 16, up and down
constexpr double Black_ShallowBob_Reach = 80.0; // groups 18 to 21, up and down

// A group's offset from where the map file put it is a function of the tick alone, so time
// travel finds every group where it belongs. The lifts run one after another round one open
// track: at its end a lift jumps back to the start, carrying whoever stands on it. Every change
// of offset carries a player standing on the group.
class Black_MapMoveGroup final : public MapMoveGroup
{
public:
    explicit Black_MapMoveGroup(Black_GroupId groupId);

    // Groups without a motion are never moved.
    void Move(Map* map, Tick t, Player* player) override;

    // The group's offset at t; false for a group without a motion (the offset is then 0, 0).
    bool Offset(Tick t, double& offsetX, double& offsetY) const;

    // The offset of a lift at track time t from the track's start.
    static void LiftPos(Tick t, double& liftX, double& liftY);
};
