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
    std::unique_ptr<World_Base> world = WorldRun_Make(type, events);
    Road road;
    if (byRoad && !WorldRun_Road(type, road))
    {
        state.SkipWithError("the world has no road");
        return;
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
