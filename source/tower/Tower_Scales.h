// Tower_Scales: the tower's balance scales, a pan weighed by the player and his past selves, and
// the lift whose height follows the weight.
#pragma once

#include "engine/Activator.h"
#include "engine/MapMoveObject.h"
#include "engine/Object.h"
#include "engine/TimeSet.h"
#include "engine/TimeSet2.h"
#include "tower/Tower_Ids.h"
#include "util/FlatList.h"
#include "util/Pointf.h"
#include "util/Rectf.h"

#include <memory>

class Image;
class Map;
class Player;

constexpr double Scales_Scales_DropDist = 5.0;  // how far the pan sinks when weighted
constexpr double Scales_Scales_MoveSpeed = 0.5; // units per tick
constexpr Tick Scales_Scales_MaxMoveTime = 10;  // ticks the pan takes to travel fully
constexpr double Scales_Lift_MoveDist = 25.0;   // rise per unit of weight
constexpr double Scales_Lift_MoveSpeed = 0.5;   // units per tick
constexpr Tick Scales_Lift_MaxMoveTime = 200;   // ticks after a change by which the lift is at its height
constexpr double Scales_Lift_Headroom = 100.0;  // how far the lift's polygons may rise
constexpr int Scales_MaxWeight = 3;
constexpr int Scales_LightCount = 3;

// The only weight the scales know is the player's: 2 units at half size, 1 at a quarter and none
// at any other size. Standing on the pan adds his weight to what is recorded for the tick, which
// is what his past selves weighed there, so several selves can weigh together; 3 units is the
// most the scales take, and a tick that would go over is marked overweight instead. Weight may
// not be added at a tick when the player stood in the lift at that tick or within the 199 after
// it (seen from a past self, he is about to ride it): the weighing is refused and weightRefused
// raised for the world to explain.
//
// The pan sinks 0.5 a tick towards 5 below its place while weighed (at any weight) and rises back
// as fast while not; the lift moves 0.5 a tick towards 25 above its place per unit of weight.
// Each is worked out from the records: its place at the last change of weight, found by walking
// back over the changes to one after which it must have come to rest, then played forward over
// the changes to the tick asked. However often the weight changes, the walk takes no deeper
// stack; a cache of places met on earlier walks keeps it short.
class Tower_Scales final : public Object, public MapMoveObject
{
public:
    // Sets the covers of the pan's and the lift's groups: before the collision grid is built.
    Tower_Scales(Map* map, Player const* livePlayer);
    Tower_Scales(Tower_Scales const&) = delete;
    Tower_Scales& operator=(Tower_Scales const&) = delete;
    ~Tower_Scales() override;

    // Weighs the player standing on the pan at t, and sounds the first tick of an overweight run.
    void MoveToTime(Map const* map, Tick t) override;
    // A tick shown again by time travel weighs nothing and plays nothing.
    void MoveToTime(Map const* map, Tick t, Object_Step const& step) override;
    // The weight lights and the overweight light, as they stood at the tick before t.
    void Render(Map const* map, Tick t) const override;
    // Notes the ticks at which the player stood in the lift.
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;
    void MoveMapGroup(Map const* map, Tick t, FlatList<MoveObject>** orders) override;

    // The pan's offset at t, from -5 to 0.
    double CalcScalesPos(Tick t) const;
    // The lift's offset at t, from 0 to 75.
    double CalcLiftPos(Tick t) const;

    // The weight recorded for t; 0 when none.
    int WeightAt(Tick t) const;
    // How many weight lights are lit when t is shown.
    int LightsLit(Tick t) const;
    // Whether the overweight light is lit when t is shown.
    bool OverweightLit(Tick t) const;

    TimeSet2 const& Weights() const { return weights; }
    TimeSet const& Overweight() const { return overweight; }
    TimeSet const& LiftUsed() const { return liftUsed; }
    Rectf const& GetLiftBound() const { return liftBound; }
    Pointf GetPos() const { return pos; }

    bool weightRefused = false; // a weighing was refused for the lift; never cleared

private:
    // One step of the pan's walk back from t: the run of t - from ticks up to t, weighed or not.
    // False when the pan's place at t needs no earlier one: rest receives it.
    bool PanStepBack(Tick t, bool& weighed, Tick& from, double& rest) const;
    // One step of the lift's walk back from t: its target at t and the change it moves from.
    // False when the lift is at its target at t whatever came before.
    bool LiftStepBack(Tick t, double& target, Tick& from) const;

    FlatList<MoveObject> moves; // the pan's offset, then the lift's
    std::unique_ptr<Image> lightOn;
    std::unique_ptr<Image> lightOff;
    std::unique_ptr<Image> overOn;
    std::unique_ptr<Image> overOff;
    Rectf liftBound;                          // the lift's polygons as the map held them
    TimeSet liftUsed;                         // ticks the player stood within liftBound
    TimeSet overweight;                       // ticks the weight would have gone over the most
    TimeSet2 weights;                         // weight on the pan per tick; a tick held at 0 is still weighed
    Pointf pos;                               // where the lights are drawn and the overweight sound is heard
    Player const* player;                     // the live player; not owned
    mutable Activator_Checkpoints panPlaces;  // cache of the pan's places met on walks back
    mutable Activator_Checkpoints liftPlaces; // and the lift's
};
