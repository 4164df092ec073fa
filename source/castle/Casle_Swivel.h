// Casle_Swivel: a section of the castle that turns about a point while one of its two switches is held.
#pragma once

#include "engine/MapMoveObject.h"
#include "engine/MoveObject.h"
#include "engine/Object.h"
#include "engine/Switch_Blocker.h"
#include "util/FlatList.h"
#include "util/Tick.h"

class Activator;
class Map;
class Switch;

constexpr double Casle_Swivel_TurnRate = 50.0; // ticks per radian

// Switch A turns the swivel one way and switch B the other, a fiftieth of a radian per tick; A
// wins while both are held. Its angle follows from the two switches' records alone. It holds
// both switches up at every tick up to the latest one at which the player stood inside it, so
// that he can neither turn it while in it nor, after travelling back, before he stood in it.
class Casle_Swivel final : public Object, public MapMoveObject, public Switch_Blocker
{
public:
    // The group's cover is set here: build the swivel before the map's collision grid.
    Casle_Swivel(Map* map, unsigned int swivelGroup, unsigned int centreRef, Switch* a, Switch* b);
    ~Casle_Swivel() override = default;
    Casle_Swivel(Casle_Swivel const&) = delete;
    Casle_Swivel& operator=(Casle_Swivel const&) = delete;

    void PlayerAtPos(Tick t, Pointf const* playerPos) override;
    bool IsBlocked(Map const* map, Tick t) override;
    void MoveMapGroup(Map const* map, Tick t, FlatList<MoveObject>** orders) override;

    // The angle at t, in radians.
    double GetRotation(Tick t) const;
    // The angle at t of a swivel turned by a and b.
    static double Rotation(Activator const* a, Activator const* b, Tick t);

    double GetRadius() const { return radius; }
    Tick GetBlockTime() const { return blockTime; }

private:
    FlatList<MoveObject> moves;
    Switch* switchA;     // the world's
    Switch* switchB;     // the world's
    Tick blockTime = -1; // the latest tick the player stood inside; -1 until then
    double radius = 0.0; // from the centre, within which the player is inside
};
