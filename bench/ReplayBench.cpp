// Benchmarks of culled creatures in the busy test world: the steps while they sleep and the step
// in which they come back into view.
#include "BusyWorld.h"
#include "StepTimer.h"
#include "engine/Map.h"
#include "engine/ObjectList.h"
#include "testworld/Test_Walker.h"
#include "testworld/Test_World.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

constexpr int FarWalkers = 20;
constexpr double FarLeft = 1710.0; // their patrols, at the far right end of the floor
constexpr double FarRight = 1890.0;
constexpr double FarCull = 12.0;

// The busy world with a band of walkers that cull themselves at the far right end of the floor,
// where the script never takes the player: they sleep from the start.
struct FarWorld
{
    FarWorld() : busy(std::make_unique<BusyWorld>())
    {
        CharStats* stats = busy->World().GetWalker(0)->GetStats();
        for (int i = 0; i < FarWalkers; i++)
        {
            double const x = FarLeft + (FarRight - FarLeft) * (i + 0.5) / FarWalkers;
            walkers.push_back(std::make_unique<Test_Walker>(Pointf(x, 1.0), FarLeft, FarRight, stats, FarCull));
            busy->World().GetObjects()->AddObject(walkers.back().get());
        }
    }

    // One step of play with the view put over the far walkers, which are then moved to the tick.
    void WakeStep()
    {
        Map* map = busy->World().GetMap();
        map->view.x = (FarLeft + FarRight) / 2.0 - 320.0 / map->view.scale;
        map->view.y = -240.0 / map->view.scale;
        busy->Step();
    }

    std::unique_ptr<BusyWorld> busy;
    std::vector<std::unique_ptr<Test_Walker>> walkers;
};

std::unique_ptr<FarWorld> far;

// Every step of play up to the clock, the script's travels included, timed while the far walkers
// sleep; then the step in which they come back, after sleeping since the last such step.
void LevelReactivation(benchmark::State& state, Tick clock)
{
    if (!far)
        far = std::make_unique<FarWorld>();
    StepTimer timer(state);
    for (auto _ : state)
    {
        while (far->busy->Now() < clock || far->busy->World().IsTimeTravelling())
            timer.Time([] { far->busy->Step(); });
        double const sleeping = timer.Mean();
        double const wake = timer.Time([] { far->WakeStep(); });
        state.SetIterationTime(wake);
        state.counters["sleep_mean_us"] = sleeping * 1e6;
        state.counters["wake_us"] = wake * 1e6;
    }
    if (clock == Level_TimeWarning)
        far.reset();
}

struct ReplayBenchmarks
{
    ReplayBenchmarks()
    {
        for (Tick clock : {Tick(40000), Tick(80000), Level_TimeWarning})
        {
            std::string const name = "LevelReactivation/" + std::to_string(clock);
            benchmark::RegisterBenchmark(name.c_str(), LevelReactivation, clock)
                ->Iterations(1)
                ->UseManualTime()
                ->Unit(benchmark::kMicrosecond);
        }
    }
} const replayBenchmarks;

} // namespace
