// Object: the interface of everything placed in a level that moves, is drawn or reacts to the player.
#pragma once

#include "util/Tick.h"

class Map;
class Pointf;

// The level's map groups as a function of the tick, for an object that works out a tick other
// than the one the level's last step placed them for.
class Replay_Groups
{
public:
    virtual ~Replay_Groups() = default;
    // The level's objects are about to be moved to tick t; records before t stay as they are
    // until that is done.
    virtual void StartPass(Tick t) = 0;
    // Places every group as it stood at tick t, carrying nobody.
    virtual void PlaceGroups(Tick t) = 0;
    // The same for a step that asks the map only through its grid's queries (Map::groupsDue): the
    // groups may be placed when such a query first looks where one can stand, or not at all.
    virtual void PlaceGroupsForGrid(Tick t) { PlaceGroups(t); }
    // Puts the groups back where the level's last step placed them.
    virtual void RestoreGroups() = 0;
};

// How the level moves its objects in one step. While replaying, the tick is one already played,
// shown again by time travel (or the tick at which a travel ends): the records hold it, and
// nothing is worked out again or recorded. A tick is simulated against the groups as they stood
// at the tick before it, as the live step did.
struct Object_Step
{
    bool replaying = false;
    Replay_Groups* groups = nullptr; // null when the level has no moving groups
};

// Everything is asked about one tick at a time: MoveToTime puts the object into its state at
// that tick and the two Render calls draw that state. An object whose ActivePoint answers false
// is never culled by distance from the view.
class Object
{
public:
    Object() = default;
    Object(Object const&) = default;
    virtual ~Object() = default;

    // Copies nothing: an object has no state of its own here, and derived copies for replay
    // must not depend on what the base would copy.
    Object& operator=(Object const&) { return *this; }

    virtual void MoveToTime(Map const* map, Tick t);
    // The level's call; objects that simulate tick by tick override it to learn how.
    virtual void MoveToTime(Map const* map, Tick t, Object_Step const&) { MoveToTime(map, t); }
    // Called instead of MoveToTime in each step in which the object is culled.
    virtual void Sleep(Map const*, Tick, Object_Step const&) {}

    // An object that re-simulates ticks one by one may share that work with the others of the
    // level, which then places the map groups once for each tick any of them steps through.
    // PlanMove answers whether MoveToTime(map, t, step) would step through the ticks (from, to]
    // in one run, and when so begins it; StepPlanned(map, k) is then called for each of those
    // ticks in order, with the groups standing as at k - 1, and FinishPlanned once after the
    // last. MoveToTime(map, t, step) follows as usual and finds the work done.
    virtual bool PlanMove(Map const*, Tick, Object_Step const&, Tick&, Tick&) { return false; }
    // Whether PlanMove can ever answer true; the level asks the others nothing.
    virtual bool PlansMoves() const { return false; }
    // The planned steps ask the map through its grid's queries alone (Map::groupsDue).
    virtual bool PlannedStepsAskGrid() const { return false; }
    virtual void StepPlanned(Map const*, Tick) {}
    virtual void FinishPlanned() {}
    virtual void Render(Map const* map, Tick t) const;
    virtual void RenderFore(Map const* map, Tick t) const;
    virtual void PlayerAtPos(Tick t, Pointf const* playerPos);
    // When true, writes the centre (world units), a radius and the object's scale for culling.
    virtual bool ActivePoint(Pointf& centre, double& radius, double& objScale) const;
};
