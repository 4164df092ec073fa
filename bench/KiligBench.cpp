// The master's dungeon played through a whole level's clock: its road with the first room's travel, then a
// swivel's switch pressed and a ball set on a podium in turn every few hundred steps, with a travel back of
// 1500 ticks every 5000; every step timed (WorldRun.h).
#include "WorldRun.h"
#include "engine/Collectable.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "killig/Kilig.h"
#include "shell/World_Table.h"
#include "support/RoadWalker.h"
#include "tools/worlds/killig.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{

constexpr int ActEvery = 300;   // steps between a press of swivel 1's switch and a ball set on a podium
constexpr int PlateSteps = 400; // steps on the first room's plate before its travel

void KiligScript(benchmark::State& state)
{
    WorldRun_Data const folder;
    GameEvents events;
    events[Event_TimeTravel] = GameEvent_HasHappened;
    events[Event_Socks] = GameEvent_HasHappened; // he cannot die, so that travel stays possible
    events[Kilig_Event_IntroSeen] = GameEvent_HasHappened;
    std::srand(1);
    std::unique_ptr<World_Base> built(MakeWorld(&events, Level_Kilig, false));
    Kilig& world = static_cast<Kilig&>(*built);
    Player* hero = world.GetPlayer();
    Map* map = world.GetMap();
    std::string const roads = std::string(WorldRow(Level_Kilig).folder) + "/road";
    RoadWalker firstRoom(world, Road::Read(roads, "first room"));
    Road exit = Road::Read(roads, "exit");
    exit.points.pop_back(); // walked past, the level goes on
    RoadWalker onward(world, exit);
    WorldRun_Runner run(state, world);
    auto step = [&](std::vector<int> const& held) {
        run.Step(held);
        return Level_Continue;
    };
    auto place = [&](Pointf p) {
        hero->pos = p;
        hero->speed = hero->fallSpeed = hero->jumpSpeed = 0.0;
    };
    // The first room as the road test plays it: onto the plate, on it, off it up to the door that
    // shuts in front of him, and back to when the door stood open.
    firstRoom.Walk(step);
    for (int i = 0; i < PlateSteps; ++i)
        step({});
    Tick const travelTo = world.GetTick() - 50;
    Road toDoor("to door 0");
    toDoor.Walk(KiligWriter::Road_Door0X - 30.0, map->GetRefPoint(Kilig_Rp_DungeonStart).y);
    RoadWalker(world, toDoor).Walk(step);
    step({KeyIndex_GameBackInTime});
    while (world.GetTick() > travelTo)
        step({KeyIndex_GameBackInTime});
    step({KeyIndex_GameJump});

    Rectf plate(0.0, 0.0, 0.0, 0.0);
    map->FindGroupBound(Kilig_SwitchGroups[Kilig_Swivels[1].turnSwitch], &plate);
    Pointf const onPlate((plate.x0 + plate.x1) / 2.0, plate.y1 + 1.0);
    int const podiumBalls[3] = {13, 14, 15};
    int acts = 0;
    int sinceAct = 0;
    run.Play(
        std::max(WorldRun::FirstTravel, world.GetTick() + WorldRun::TravelEvery),
        [&] {
            if (!onward.Done() && !onward.Stuck())
            {
                step(onward.NextKeys());
                return;
            }
            if (++sinceAct < ActEvery)
            {
                step({});
                return;
            }
            sinceAct = 0;
            if (acts++ % 2 == 0)
            {
                place(onPlate);
                for (int i = 0; i < 20; ++i)
                    step({});
            }
            else
            {
                int const k = (acts / 2) % 3;
                Collectable* ball = world.GetBall(podiumBalls[k]);
                Pointf const at = ball->GetPosAtTime(world.GetTick());
                place(Pointf(at.x, at.y - 11.0));
                step({});
                step({KeyIndex_GameAction});
                step({});
                Pointf const podium = map->GetRefPoint(Kilig_Rp_Podiums[2 + k]);
                place(Pointf(podium.x, podium.y - 11.0));
                step({});
                step({KeyIndex_GameAction});
                step({});
            }
        },
        [&] { onward.Resume(); });

    run.Report();
    state.counters["road_done"] = onward.Done() ? 1 : 0;
    state.counters["acts"] = acts;
}

BENCHMARK(KiligScript)->Name("World/killig/script")->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
