// The busy test world: its data, its extra walkers and the script that plays it.
#include "BusyWorld.h"

#include "Stop.h"
#include "engine/Collectable.h"
#include "engine/Map.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "testworld/Test_Walker.h"
#include "testworld/Test_World.h"
#include "util/Rectf.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <malloc.h>
#include <stdexcept>
#include <string>

namespace
{

constexpr int PressEvery = 100; // steps between two visits to the plate
// Steps on the plate each visit: the plate takes 20 ticks to sink flush with the foot of its gap
// and then stays down under the player until the walk off it, up the gap's sloped side.
constexpr int StandSteps = 85;
// How far in from the plate's edge a player put there for good stands. The plate's sides slope
// like the gap's, so there it sinks only until the gap's side takes the player's weight, then
// rises under the player's feet again: it goes up and down every tick.
constexpr double BobInset = 5.0;
// Steps spent fetching the item before going without it: longer than a past self holds it after
// a travel of the script's.
constexpr int GiveUpFetch = 2000;

} // namespace

BusyWorld::BusyWorld(bool bobbingPlate) : stays(bobbingPlate)
{
    events.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    world = std::make_unique<Test_World>(&events);
    // The game's test world holds its camera near; the benchmarks keep the engine's own zoom,
    // whose wider view keeps more walkers active.
    world->GetPlayer()->SetCameraScale(0.0, CameraMove_None);
    AddWalkers();
    Rectf plate;
    world->GetMap()->FindGroupBound(Test_World_SwitchGroup, &plate);
    abovePlate = Pointf(stays ? plate.x0 + BobInset : (plate.x0 + plate.x1) / 2.0, plate.y1 + 4.0);
    // The first frame makes the GL set up its own buffers, which are no record of the level.
    Draw();
    heapAtStart = HeapInUse();
}

BusyWorld::~BusyWorld()
{
    world.reset();
    for (Test_Walker* walker : walkers)
        delete walker;
}

void BusyWorld::AddWalkers()
{
    // The test world's own walkers lend their kind's statistics to the added ones.
    CharStats* stats = world->GetWalker(0)->GetStats();
    // Patrols over the flat floor and the bump left of the plate, overlapping one another.
    for (int i = Test_World_WalkerCount; i < Walkers; i++)
    {
        double const left = -880.0 + 90.0 * (i - Test_World_WalkerCount);
        double const right = std::min(left + 250.0 + 15.0 * i, 850.0);
        Test_Walker* walker = new Test_Walker(Pointf((left + right) / 2.0, 70.0), left, right, stats);
        walkers.push_back(walker);
        World().GetObjects()->AddObject(walker);
    }
}

Tick BusyWorld::Now() const
{
    return world->GetTick();
}

std::size_t BusyWorld::HeapInUse()
{
    struct mallinfo2 const info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void BusyWorld::StepWith(std::vector<int> const& held)
{
    if (world->Poll(keyScript.Next(held)) != 0)
        throw std::runtime_error("the busy level ended at tick " + std::to_string(Now()));
}

void BusyWorld::EndTravel()
{
    StepWith({KeyIndex_GameJump});
    // Travel made the player let go of the item: fetch it again.
    stage = 0;
    inStage = 0;
    fetchSteps = 0;
    // The level allows 120000 steps of play in all; the benchmark plays a whole level's
    // clock with travel on top, so it counts only the steps of the present timeline.
    world->SetClock(world->GetTime(), Now());
}

void BusyWorld::Draw()
{
    world->SetProjection();
    world->Plot();
    glFinish();
}

void BusyWorld::Step()
{
    if (travelTarget >= 0)
    {
        if (Now() > travelTarget)
            StepWith({KeyIndex_GameBackInTime});
        else
        {
            travelTarget = -1;
            EndTravel();
        }
        return;
    }
    if (Now() >= nextTravel)
    {
        nextTravel += TravelEvery;
        travelTarget = Now() - TravelBack;
        StepWith({KeyIndex_GameBackInTime});
        return;
    }
    StepWith(ScriptKeys());
}

void BusyWorld::PlayTo(Tick t)
{
    while ((Now() < t || world->IsTimeTravelling()) && !BenchStop::Requested())
        Step();
}

std::vector<int> BusyWorld::ScriptKeys()
{
    Player* player = world->GetPlayer();
    double const x = player->GetPos().x;
    double const itemX = world->GetCollectable()->GetPosAtTime(Now()).x;
    ++inStage;
    auto next = [this](int nextStage) {
        stage = nextStage;
        inStage = 0;
    };
    // An item out of reach for good (fallen out of the world) is left behind: the plate is
    // pressed every 100 steps whatever.
    if (stage < 3 && ++fetchSteps > GiveUpFetch)
        next(3);
    switch (stage)
    {
    case 0: // towards the item, letting go early: the player slides on
        if (std::abs(x - itemX) < 60.0)
        {
            next(1);
            return {};
        }
        return {x < itemX ? KeyIndex_GameRight : KeyIndex_GameLeft};
    case 1: // come to rest over the item, pushing towards it while slow
        if (std::abs(x - itemX) < 8.0 && std::abs(player->speed) < 0.05)
        {
            next(2);
            return {};
        }
        if (std::abs(x - itemX) < 8.0 || std::abs(player->speed) > 1.0)
            return {};
        return {x < itemX ? KeyIndex_GameRight : KeyIndex_GameLeft};
    case 2: // take it: the action works when the key is let go
        if (inStage >= 20)
        {
            next(player->GetHeldObject() != nullptr ? 3 : 1);
            return {};
        }
        if (inStage < 4)
            return {KeyIndex_GameAction};
        return {};
    default:
    {
        // Every PressEvery steps the player is put on the plate with the item in hand (the
        // map's bump between them is left out), stands there while it goes down and walks off it.
        if (inStage % PressEvery == 1 && (!stays || inStage == 1))
        {
            player->SetPos(&abovePlate);
            player->speed = 0.0;
            player->fallSpeed = 0.0;
        }
        if (stays || inStage % PressEvery <= StandSteps)
            return {};
        return {KeyIndex_GameLeft};
    }
    }
}
