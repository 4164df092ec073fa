// MapMove: the per-level driver that places every moving map group for the level's tick.
#pragma once

#include "engine/Map.h"
#include "engine/MoveObject.h"
#include "engine/Object.h"
#include "util/PtrList.h"
#include "util/Tick.h"

#include <utility>
#include <vector>

class MapMoveGroup;
class MapMoveObject;
class ObjectList;
class Player;

// Groups are never moved by increments: each step every group goes to the absolute place its
// mover computes for the tick, so moving the clock moves each group to where it belongs then.
// A world with scripted movers derives its own driver, fills moveGroupCount and moveGroups,
// calls Init and frees the movers itself.
//
// It also places the groups for the objects that work out a tick other than the present one (a
// creature re-simulating its past): as they stood at that tick, and back afterwards.
class MapMove : public Replay_Groups, private Map_GroupsDue
{
public:
    explicit MapMove(ObjectList* objects);
    MapMove(MapMove const&) = delete;
    MapMove& operator=(MapMove const&) = delete;
    ~MapMove() override;

    // Registers an object whose orders are applied every step; not owned.
    void AddObject(MapMoveObject* object);
    // Fills the movers' bounds; call after the group covers are set.
    void Init(Map* map);
    // clock is the level clock in 24.8 fixed point; player is null while time travel runs.
    void Move(Map* map, Tick clock, Player* player);
    void ObjectMove(Map* map, Player* player, MoveObject* order);

    // Nothing plays or is carried while groups are placed for another tick. A scripted mover
    // that was off screen in the last step stays where it stood, as it did in live play.
    void StartPass(Tick t) override;
    void PlaceGroups(Tick t) override;
    // Owes the placement for tick t to the map until a query looks at a cell a group can reach.
    void PlaceGroupsForGrid(Tick t) override;
    void RestoreGroups() override;

protected:
    ObjectList* objectList;
    int moveGroupCount = 0;
    MapMoveGroup** moveGroups = nullptr;
    PtrList<MapMoveObject> moveObjects;

private:
    void PlaceDue() override;
    bool DuePlacement(unsigned int group, MapBase_Placement& out) override;
    // Forgets a placement owed to the map: another is made or none is wanted.
    void CancelDue()
    {
        if (placedMap != nullptr && placedMap->groupsDue == this)
            placedMap->groupsDue = nullptr;
    }

    // Whether ObjectMove would find nothing to do for the order: it stands where it wants to be.
    static bool Unmoved(MoveObject const* order);

    // An order as the last step left it.
    struct Placed
    {
        MoveObject* order;
        MapMoveObject* issuer;
        double x;
        double y;
        double angle;
    };

    Map* placedMap = nullptr;   // the map of the last step; null before the first
    Tick placedTick = 0;        // the tick the last step placed the groups for
    Tick shownTick = 0;         // the tick the groups stand at now
    Tick dueTick = 0;           // the tick of a placement owed to the map
    std::vector<Placed> placed; // every order of the last step
    std::vector<bool> moverRan; // each scripted mover ran in the last step
    std::vector<MoveObject> dueKept; // an issuer's orders kept while DuePlacement asks it
    // (group, index in placed) of the orders that move groups, by group, made when DuePlacement
    // first asks after a step: -2 for a group that more than one order moves.
    std::vector<std::pair<unsigned int, int>> orderOf;

    // The orders worked out for a tick in this pass, as x, y and angle of each order of placed:
    // creatures re-simulating the same ticks in one pass place the groups alike.
    struct Remembered
    {
        Tick tick = -1;
        int pass = -1;
        std::vector<double> values;
    };
    std::vector<Remembered> remembered; // slot tick % its size
    Tick passTick = 0;                  // ticks before it are remembered in this pass
    int pass = 0;                       // count of passes
};
