// Chasm world test support: the canyon built from the generated data, the player put where a test wants
// him, and a walk along the road that steers by what the level shows.
#pragma once

#include "chasm/Chasm.h"
#include "chasm/Chasm_HangOn.h"
#include "engine/CharStats.h"
#include "engine/Collectable.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "support/StepTasks.h"
#include "support/WorldFixture.h"
#include "tools/worlds/chasm.h"

#include <cmath>
#include <functional>
#include <vector>

class ChasmWorld : public MutedWorldFixture
{
protected:
    Chasm& Make()
    {
        Build(Level_Chasm);
        return As<Chasm>();
    }

    Chasm& World() { return As<Chasm>(); }
    Player* Hero() { return World().GetPlayer(); }

    // One step after which the player, in the open air of the pit, is at (x, y) falling fall units
    // a step (the step's gravity is allowed for).
    Level_Action FallThrough(double x, double y, double fall)
    {
        Player* p = Hero();
        double const gravity = p->GetStats()->gravity;
        p->speed = p->jumpSpeed = 0.0;
        p->fallSpeed = fall - gravity;
        p->pos = Pointf(x, y + fall);
        return Step();
    }

    // In the open pit between the ledge and the overhang, a little below the road's level.
    static Pointf InThePit()
    {
        ChasmWriter::ChasmWriter_Room const pit = ChasmWriter::RoadRoom(ChasmWriter::Chasm_GapColumn);
        return Pointf((pit.x0 + ChasmWriter::Overhang().x0) / 2.0, pit.y1 - 800.0);
    }
};

// The flower the player hangs from now, by slot, or -1.
inline int HangingFrom(Chasm const& world)
{
    Pointf const at = world.GetPlayer()->GetPos();
    for (int i = 0; i < Chasm_Hangon_Count; ++i)
        if (world.GetHangOn(i)->hangPos == at)
            return i;
    return -1;
}

// The first slot of the road's row of flowers.
constexpr int Chasm_RoadFlowerSlot = Chasm_Hangon_Count - Chasm_RoadFlower_Count;

// The road from the start to the exit as a list of tasks, each giving the keys of the next step from
// what the level shows, or telling that it is done.
class ChasmRoad : public StepTasks<Chasm>
{
public:
    static constexpr int CatchSlot = 298; // the fixed flower, on the overhang's face
    // The way the road hops on from a flower, and for how many steps in the air it holds jump on: none
    // off the wall flower, a tap as the road walker jumps from a station.
    static int Way(int flower) { return flower == CatchSlot ? KeyIndex_GameLeft : KeyIndex_GameRight; }
    static int Held(int flower) { return flower == Chasm_Hangon_Count - Chasm_RoadFlower_Count ? 0 : Jump_HeldSteps; }

    static constexpr int Jump_HeldSteps = 15;
    static constexpr double StepOff_Before = 10.0; // the generator's

    // Walks right while the player is left of x, or until he falls.
    void RunTo(double x)
    {
        Add([x](Chasm& w, std::vector<int>& held) {
            if (w.GetPlayer()->GetPos().x >= x)
                return true;
            held.push_back(KeyIndex_GameRight);
            return false;
        });
    }
    // Walks towards x on the ground, coasting in, until he stands still there.
    void StopAt(double x)
    {
        Add([x](Chasm& w, std::vector<int>& held) {
            Player const* p = w.GetPlayer();
            double const d = x - p->GetPos().x;
            if (p->onGround && std::fabs(d) < 3.0 && std::fabs(p->speed) < 0.01)
                return true;
            if (std::fabs(d) > p->speed * p->speed / 0.8 + 2.0)
                held.push_back(d > 0 ? KeyIndex_GameRight : KeyIndex_GameLeft);
            return false;
        });
    }
    // Holds the keys for n steps.
    void Hold(std::vector<int> keys, int n)
    {
        Add([keys, left = n](Chasm&, std::vector<int>& held) mutable {
            held = keys;
            return left-- <= 0;
        });
    }
    // Waits until the player stands on the ground.
    void Land()
    {
        Add([](Chasm& w, std::vector<int>&) { return w.GetPlayer()->onGround; });
    }
    // From the ledge's end, steps off onto the first flower of the row and jumps from flower to flower
    // as the road goes, hanging hang steps from each: holding right, but left from the catch flower on
    // the overhang's face; from the last onto the landing. With drop set, lets go of what he carries
    // once he hangs from flower drop of the row.
    void CrossTheGap(int hang, int drop = -1)
    {
        Add([hang, drop, flower = -1, since = 0, air = 0](Chasm& w, std::vector<int>& held) mutable {
            Player const* p = w.GetPlayer();
            int const now = HangingFrom(w);
            if (now >= 0 && now != flower)
            {
                flower = now;
                since = 0;
            }
            if (now < 0 && p->onGround && p->GetPos().x > ChasmWriter::GapRightEdge())
                return true;
            if (now >= 0)
            {
                ++since;
                air = 0;
                if (now == Chasm_RoadFlowerSlot + drop && since == 1 && p->GetHeldObject() != nullptr)
                    held.push_back(KeyIndex_GameAction);
                if (since > hang)
                    held = {Way(flower), KeyIndex_GameJump};
                return false;
            }
            // Off the ledge slowly onto the first flower; from a flower jump held for the first part
            // of the rise, as the road walker holds it.
            held = {flower >= 0 ? Way(flower) : KeyIndex_GameRight};
            if (flower >= 0 && air++ < Held(flower))
                held.push_back(KeyIndex_GameJump);
            return false;
        });
    }
};

// The walk from the start: along the ledges to the gap (with fan set, picking up the fan on the way),
// across it on the flowers, then on to x.
inline ChasmRoad RoadTo(double x, bool fan = false, int dropFan = -1)
{
    ChasmRoad road;
    if (fan)
    {
        road.RunTo(ChasmWriter::Columns()[4].x0);
        road.Land();
        road.StopAt(ChasmWriter::Columns()[4].x0 + 250.0);
        road.Hold({KeyIndex_GameAction}, 1);
        road.Hold({}, 5);
    }
    road.RunTo(ChasmWriter::Columns()[5].x0);
    road.Land();
    road.StopAt(ChasmWriter::GapLeftEdge() - ChasmRoad::StepOff_Before);
    road.CrossTheGap(10, dropFan);
    road.RunTo(x);
    return road;
}
