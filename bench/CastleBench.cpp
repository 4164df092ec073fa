// The castle's bench: the generated castle played through a whole level's clock by a tour of its
// mechanisms (a mirror into a laser's beam, the lamps, the symbol plates, the swivel, a multi-hit
// block, the cog into the machine), then its road to the far exit and random keys, travelling back
// 1500 ticks every 5000.
#include "WorldRun.h"
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
#include "engine/GameEvents.h"
#include "engine/Player.h"
#include "shell/World_Table.h"
#include "support/RandomKeys.h"
#include "support/RoadWalker.h"
#include "tools/worlds/castle.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace
{

// A leg of the tour: where the player is put down, and the road he walks from there.
struct Castle_Leg
{
    Pointf start;
    Road road;
};

std::vector<Castle_Leg> Tour()
{
    using namespace CastleWriter;
    std::vector<Castle_Leg> legs;
    // Room 10: the mirror into laser 1's beam lights target 1 and opens door 9.
    Road mirror;
    mirror.Press(2650.0, Room4_Floor, "take the mirror", 10).Press(Room10_LaserX, Room4_Floor, "drop it", 60);
    legs.push_back({Pointf(2600.0, Room4_Floor + 1.0), mirror});
    // Room 4: the three lamps.
    Road lamps;
    lamps.Walk(1660.0, Room4_Floor).Throw(1650.0, Room4_Floor, "lamp", 10).Throw(1650.0, Room4_Floor, "lamp", 10, 1);
    lamps.Throw(1650.0, Room4_Floor, "lamp", 60, 1);
    legs.push_back({Pointf(1600.0, Room4_Floor + 1.0), lamps});
    // Room 20: over the symbol plates; room 15: the swivel turned on switch 22.
    Road plates;
    plates.Walk(Symbol_DoorX - 30.0, Road_Floor);
    legs.push_back({Pointf(4450.0, Road_Floor + 1.0), plates});
    Road swivel;
    swivel.Press(3460.0, 5090.0, "switch 22", 40).Walk(3400.0, 5090.0);
    legs.push_back({Pointf(3400.0, 5091.0), swivel});
    // Room 34: onto block 1, facing its mark, and twenty throws.
    Road block;
    double const blockTop = Lower_Floor + 50.0;
    block.Walk(4620.0, blockTop).Walk(4610.0, blockTop);
    for (int i = 0; i < 20; ++i)
        block.Throw(4610.0, blockTop, "block's mark", 4);
    legs.push_back({Pointf(4550.0, Lower_Floor + 1.0), block});
    // Room 5's pit, still open: the cog taken and let go by room 6's machine, which switch 8 starts,
    // so that door 10 stands open for the road.
    Road cog;
    cog.Press(610.0, Room5_PitFloor, "take the cog", 10).Walk(470.0, Room5_PitFloor).Walk(420.0, Room4_Floor);
    cog.Walk(280.0, Room6_Floor).Press(Room6_DropX, Room6_Floor, "let it go by the machine", 10);
    cog.Hop(Room6_SwitchX, Room6_Floor + 12.0, "switch 8", 20);
    legs.push_back({Pointf(600.0, Room5_PitFloor + 1.0), cog});
    // The road from the start to the far exit, its exit left out: the level goes on. Its travel
    // back for the cog is stood through: the cog is in already.
    Road road = RoadWalker::WorldRoad(Level_Casle, "exit");
    road.points.pop_back();
    legs.push_back({Pointf(1000.0, Hall_Floor + 1.0), road});
    return legs;
}

void CastleTour(benchmark::State& state)
{
    WorldRun_Data const folder;
    GameEvents events;
    events.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    events.eventTimes[Event_Socks] = GameEvent_HasHappened;
    events.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
    events.eventTimes[Casle_Event_FeePaid] = GameEvent_HasHappened;
    std::srand(1);
    std::unique_ptr<World_Base> world(MakeWorld(&events, Level_Casle, false));
    std::vector<Castle_Leg> const legs = Tour();
    std::size_t leg = 0;
    auto walker = std::make_unique<RoadWalker>(*world, legs[0].road);
    world->GetPlayer()->pos = legs[0].start;
    RandomKeys keys(1, false);
    WorldRun_Runner run(state, *world);
    int legsDone = 0;
    run.Play(
        WorldRun::FirstTravel,
        [&] {
            if ((walker->Done() || walker->Stuck()) && leg + 1 < legs.size())
            {
                legsDone += walker->Done() ? 1 : 0;
                ++leg;
                walker = std::make_unique<RoadWalker>(*world, legs[leg].road);
                world->GetPlayer()->pos = legs[leg].start;
            }
            std::vector<int> held = walker->NextKeys();
            if (walker->Done() || walker->Stuck())
                held = keys.Next();
            run.Step(held);
        },
        [&] { walker->Resume(); });

    run.Report();
    state.counters["legs_done"] = legsDone + (walker->Done() ? 1 : 0);
}

BENCHMARK(CastleTour)->Name("Castle/tour")->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
