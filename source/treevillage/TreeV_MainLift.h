// TreeV_MainLift: the village's main lift, a map group that rides a fixed route when its switches are shot.
#pragma once

#include "engine/MapMoveObject.h"
#include "engine/Object.h"
#include "util/Pointf.h"
#include "util/Rectf.h"

class Image;
class Map;
class TimeSet;
class TreeV_LiftSwitch;

constexpr unsigned int TreeV_MainLift_Group = 27;
constexpr int MainLift_TotalTime = 1068;                                   // steps of the route one way
constexpr int Lift_Wait_Time = 150;                                        // steps at the top
constexpr int MainLift_BrokenTime = 200;                                   // steps a broken lift shakes
constexpr int MainLift_RideTime = 2 * MainLift_TotalTime + Lift_Wait_Time; // up, wait and down: 2286
constexpr double MainLift_Shake = 4.0;                                     // largest shake per axis

// Shooting either switch sends the lift up eleven legs of straight runs and quarter circles
// through the village, holds it at the top and brings it back the same way. Until a villager
// mends it a hit only shakes it. The offset is a pure function of the tick and of the switches'
// hits, so a ride replays after time travel; only the shake, a cosmetic effect, is random.
class TreeV_MainLift final : public Object, public MapMoveObject
{
public:
    TreeV_MainLift(Map* map, bool working);
    TreeV_MainLift(TreeV_MainLift const&) = delete;
    TreeV_MainLift& operator=(TreeV_MainLift const&) = delete;
    ~TreeV_MainLift() override;

    static void Initialise();
    static void Finalise();

    // Later hits ride; the hits already made keep what they did.
    void SetEnable(bool enable);
    TreeV_LiftSwitch* GetSwitch(int i);

    // Every tick the player stands in the lift's area blocks rides over it.
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;
    void MoveMapGroup(Map const* map, Tick t, FlatList<MoveObject>** orders) override;

    // The offset of the ride at t: (0, 0) at rest and while only shaking.
    Pointf RidePos(Tick t) const;
    // The steps since the hit that shakes the lift at t, or 0 when it does not shake.
    int ShakeStep(Tick t) const;
    // The route's offset d steps into the ride up.
    static void GetSequencePos(int d, double& x, double& y);

private:
    friend class TreeV_LiftSwitch;

    // The latest hit on either switch at or before t, or -1, and whether it started a ride.
    Tick LatestHit(Tick t, bool& ride) const;

    FlatList<MoveObject> moves;
    Rectf* area;      // between reference points 49 and 50
    TimeSet* blocked; // player in the area and every accepted ride or shake
    TreeV_LiftSwitch* switch0;
    TreeV_LiftSwitch* switch1;
    bool working;

    static Image* image; // the switches' sprite
};
