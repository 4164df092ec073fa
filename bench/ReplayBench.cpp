// Benchmarks of culled creatures in the busy test world: the steps while they sleep and the step
// in which they come back into view.
#include "BenchWindow.h"
#include "BusyWorld.h"
#include "StepTimer.h"
#include "Stop.h"
#include "engine/Map.h"
#include "engine/ObjectList.h"
#include "testworld/Test_Walker.h"
#include "testworld/Test_World.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

// The single-step dumps need valgrind's headers; without them the benchmarks only time.
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define RUNNING_ON_VALGRIND 0
#define CALLGRIND_ZERO_STATS ((void)0)
#define CALLGRIND_DUMP_STATS_AT(label) ((void)(label))
#endif

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

void MakeFarWorld()
{
    if (far)
        return;
    far = std::make_unique<FarWorld>();
    BenchWindow::Keep([] { far.reset(); });
}

// One step of the far world, out of line so that callgrind can count it on its own
// (--toggle-collect='*FarStep*' gives the instructions of every timed step and their number).
__attribute__((noinline)) void FarStep(std::vector<int> const& held)
{
    far->busy->StepWith(held);
}

// Under callgrind with HM_BENCH_DUMP set, the instructions of the slowest step so far are dumped
// each time one is slower than all before: the last dump of a benchmark is its worst step.
class WorstStepDump
{
public:
    explicit WorstStepDump(std::string benchName) : name(std::move(benchName))
    {
        on = RUNNING_ON_VALGRIND && std::getenv("HM_BENCH_DUMP") != nullptr;
    }
    void Before() const
    {
        if (on)
            CALLGRIND_ZERO_STATS;
    }
    void After(double seconds, Tick tick)
    {
        if (!on || seconds <= worst)
            return;
        worst = seconds;
        std::string const label = name + " tick " + std::to_string(tick);
        CALLGRIND_DUMP_STATS_AT(label.c_str());
    }

private:
    std::string name;
    bool on = false;
    double worst = 0.0;
};

// Every step of play up to the clock, the script's travels included, timed while the far walkers
// sleep; then the step in which they come back, after sleeping since the last such step.
void LevelReactivation(benchmark::State& state, Tick clock)
{
    MakeFarWorld();
    StepTimer timer(state);
    for (auto _ : state)
    {
        WorstStepDump dump("LevelReactivation/" + std::to_string(clock));
        double worst = 0.0;
        Tick worstTick = 0;
        // A signal stops the timed steps, and with them the clock.
        while ((far->busy->Now() < clock || far->busy->World().IsTimeTravelling()) && !BenchStop::Requested())
        {
            dump.Before();
            Tick const tick = far->busy->Now();
            double const seconds = timer.Time([] { far->busy->Step(); });
            dump.After(seconds, tick);
            if (seconds > worst)
            {
                worst = seconds;
                worstTick = tick;
            }
        }
        state.counters["worst_tick"] = worstTick;
        double const sleeping = timer.Mean();
        dump.Before();
        double const wake = timer.Time([] { far->WakeStep(); });
        dump.After(wake, far->busy->Now());
        state.SetIterationTime(wake);
        state.counters["sleep_mean_us"] = sleeping * 1e6;
        state.counters["wake_us"] = wake * 1e6;
    }
}

// From the clock back to 0 at full speed and forward again, as LevelRewind does, every step
// timed; the far walkers sleep through it and the others re-simulate their past.
void LevelTravel(benchmark::State& state, Tick clock)
{
    MakeFarWorld();
    BusyWorld& world = *far->busy;
    world.PlayTo(clock);
    StepTimer timer(state);
    WorstStepDump dump("LevelTravel/" + std::to_string(clock));
    auto step = [&](int key) {
        dump.Before();
        double const seconds = timer.Time([key] { FarStep({key}); });
        dump.After(seconds, world.Now());
    };
    for (auto _ : state)
    {
        Tick const from = world.Now();
        do
            step(KeyIndex_GameBackInTime);
        while ((world.Now() > 0 || world.World().GetTimeSpeed() != 0) && !BenchStop::Requested());
        while (world.Now() < std::min(from, Level_TimeWarning) - 64 && !BenchStop::Requested())
            step(KeyIndex_GameForwardInTime);
        timer.Time([&] { world.EndTravel(); });
        state.SetIterationTime(timer.Mean());
    }
    if (clock == Level_TimeWarning)
        far.reset();
}

void Register(char const* name, void (*fn)(benchmark::State&, Tick), Tick clock)
{
    std::string const full = std::string(name) + "/" + std::to_string(clock);
    benchmark::RegisterBenchmark(full.c_str(), fn, clock)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
}

// One far world for all, in the order of its clock.
struct ReplayBenchmarks
{
    ReplayBenchmarks()
    {
        for (Tick clock : {Tick(40000), Tick(80000), Level_TimeWarning})
        {
            Register("LevelReactivation", LevelReactivation, clock);
            Register("LevelTravel", LevelTravel, clock);
        }
    }
} const replayBenchmarks;

} // namespace
