// Kilig_Swivel: a platform in the dungeon that turns about a pivot at each press of its switch.
#pragma once

#include "engine/Door.h"
#include "engine/MapMoveObject.h"
#include "engine/MoveObject.h"
#include "engine/Object.h"
#include "engine/Switch_Blocker.h"
#include "util/FlatList.h"
#include "util/Tick.h"

class Map;
class Switch;

constexpr int Kilig_Swivel_TurnTicks = 50;       // a turn eases in over this many ticks
constexpr double Kilig_Swivel_Ease = 0.1;        // of the remaining way per tick
constexpr double Kilig_Swivel_StandShare = 0.75; // of the group's larger side: the radius stood on
constexpr double Kilig_Swivel_CoverShare = 1.3;  // of the larger side: the cover all round

// A two-way platform turns half a turn at each press of its switch, a four-way one a quarter
// turn, always clockwise. Its angle at any tick follows from the switch's presses alone. Once
// the player has stood on it, the platform holds its switch up at that tick and every earlier
// one, so no later press can turn the ground from under where he stood; the first refusal is
// remembered for the world's explanation. The driver turns the polygons; the platform draws
// nothing.
class Kilig_Swivel final : public Object, public MapMoveObject, public Switch_Blocker
{
public:
    Kilig_Swivel(Map* map, unsigned int group, unsigned int refPoint, Switch* sw, bool fourWay);
    ~Kilig_Swivel() override;
    Kilig_Swivel(Kilig_Swivel const&) = delete;
    Kilig_Swivel& operator=(Kilig_Swivel const&) = delete;

    // The live player's position, at steps outside time travel.
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;
    bool IsBlocked(Map const* map, Tick t) override;
    void MoveMapGroup(Map const* map, Tick t, FlatList<MoveObject>** list) override;

    // The angle at t, in (-pi, pi]; dir, when given, receives the position the latest turn aims at.
    double GetRotation(Tick t, Direction* dir) const;

    bool blocked = false;       // a press was refused; never cleared
    FlatList<MoveObject> moves; // the one rotation order
    Switch* turnSwitch;         // not owned
    Tick lastStoodTime = -1;    // the latest tick the live player stood on it; only grows
    double standRadius = 0.0;   // about the pivot
    bool fourWay;               // quarter turns, else half turns
};
