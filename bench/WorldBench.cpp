// The world bench: any world of the shell's table played through a whole level's clock, along its
// road by the road walker or by random keys, with the world runs' travels, timings and frames
// (WorldRun.h).
#include "WorldRun.h"
#include "engine/GameEvents.h"
#include "engine/Level.h"
#include "puzzles/World_Base.h"
#include "shell/World_Table.h"
#include "support/RandomKeys.h"
#include "support/RoadWalker.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{

constexpr unsigned KeysSeed = 1;

// One whole run of a world. The player has learnt time travel and found the socks (he cannot die,
// so that travel stays possible); the level's exits are walked past (the level goes on).
void PlayWorld(benchmark::State& state, Level_Type type, bool byRoad)
{
    WorldRun_Data const folder;
    GameEvents events;
    events.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    events.eventTimes[Event_Socks] = GameEvent_HasHappened;
    std::srand(1);
    std::unique_ptr<World_Base> world(MakeWorld(&events, type, false));
    Road road;
    if (byRoad)
    {
        std::string const path = std::string(WorldRow(type).folder) + "/road";
        if (!std::filesystem::exists(path))
        {
            state.SkipWithError("the world has no road");
            return;
        }
        std::vector<Road> const roads = Road::ReadAll(path);
        if (!roads.empty())
            road = roads.front();
        if (!road.points.empty() && road.points.back().kind == Road_Exit)
            road.points.pop_back();
    }
    RoadWalker walker(*world, road);
    RandomKeys keys(KeysSeed, false);
    // The bench's own room for its timings is no record of the level.
    WorldRun_Runner run(state, *world);
    run.Play(
        WorldRun::FirstTravel,
        [&] {
            std::vector<int> held;
            if (!walker.Done() && !walker.Stuck())
                held = walker.NextKeys();
            if (walker.Done() || walker.Stuck())
                held = keys.Next();
            run.Step(held);
        },
        [&] { walker.Resume(); });

    run.Report();
    state.counters["exits"] = run.Results(Level_Completed) + run.Results(Level_Restart);
    state.counters["road_done"] = walker.Done() ? 1 : 0;
}

// World/<folder>/road and World/<folder>/keys for every world of the table.
[[maybe_unused]] int const registered = [] {
    for (World_Row const& row : World_Table)
        for (bool byRoad : {true, false})
        {
            std::string const name = std::string("World/") + row.folder + (byRoad ? "/road" : "/keys");
            Level_Type const type = row.type;
            benchmark::RegisterBenchmark(name.c_str(),
                                         [type, byRoad](benchmark::State& s) { PlayWorld(s, type, byRoad); })
                ->Iterations(1)
                ->UseManualTime()
                ->Unit(benchmark::kMicrosecond);
        }
    return 0;
}();

} // namespace
