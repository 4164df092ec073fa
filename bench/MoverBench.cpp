// Benchmarks of doors, plates and lifts: the bobbing-plate world stepped at clocks up to the
// end of a level, where the door's opening rests on a switching of its plate at every tick.
#include "BenchWindow.h"
#include "BusyWorld.h"
#include "StepTimer.h"
#include "Stop.h"
#include "engine/KeyData.h"
#include "engine/Level.h"
#include "testworld/Test_World.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <valgrind/callgrind.h>
#include <vector>

namespace
{

constexpr int TimedSteps = 1000;
constexpr Tick LastClock = 118000;

std::unique_ptr<BusyWorld> bobbing;

// Steps of play from the clock on, each timed; the script's own travels are left out. Under
// callgrind (--instr-atstart=no --collect-atstart=no) only the timed steps are counted, and play
// up to the clock runs uninstrumented.
// The shared world, at the clock or somewhat beyond it (forward only); one window at a time.
BusyWorld& BobbingWorld(Tick clock, bool beyond)
{
    if (bobbing && bobbing->Now() > clock && !beyond)
        bobbing.reset();
    if (!bobbing)
    {
        bobbing = std::make_unique<BusyWorld>(true);
        BenchWindow::Keep([] { bobbing.reset(); });
    }
    bobbing->PlayTo(clock);
    return *bobbing;
}

void BobbingPlateStep(benchmark::State& state, Tick clock)
{
    BusyWorld& world = BobbingWorld(clock, false);
    CALLGRIND_START_INSTRUMENTATION;
    {
        StepTimer timer(state);
        for (auto _ : state)
        {
            while (world.World().IsTimeTravelling())
                world.Step();
            timer.Step([&] {
                CALLGRIND_TOGGLE_COLLECT;
                world.Step();
                CALLGRIND_TOGGLE_COLLECT;
            });
        }
    }
    CALLGRIND_STOP_INSTRUMENTATION;
}

// Every step of a travel from the clock back to 0 at full speed and forward again, with the
// frozen player on the plate pressing it at the ticks shown wherever it stood up in the past.
void BobbingPlateTravel(benchmark::State& state, Tick clock)
{
    BusyWorld& world = BobbingWorld(clock, true);
    CALLGRIND_START_INSTRUMENTATION;
    {
        StepTimer timer(state);
        auto timed = [&](std::vector<int> const& keys) {
            timer.Time([&] {
                CALLGRIND_TOGGLE_COLLECT;
                world.StepWith(keys);
                CALLGRIND_TOGGLE_COLLECT;
            });
        };
        for (auto _ : state)
        {
            Tick const from = world.Now();
            do
                timed({KeyIndex_GameBackInTime});
            while ((world.Now() > 0 || world.World().GetTimeSpeed() != 0) && !BenchStop::Requested());
            // Travel forward stops short of the warning zone.
            while (world.Now() < std::min(from, Level_TimeWarning) - 64 && !BenchStop::Requested())
                timed({KeyIndex_GameForwardInTime});
            world.EndTravel();
            state.SetIterationTime(timer.Mean());
        }
    }
    CALLGRIND_STOP_INSTRUMENTATION;
    // The last of them: the window goes before any other benchmark opens its own.
    bobbing.reset();
}

struct MoverBenchmarks
{
    MoverBenchmarks()
    {
        for (Tick clock : {2400, 10000, 30000, 60000, LastClock})
            benchmark::RegisterBenchmark(("BobbingPlateStep/" + std::to_string(clock)).c_str(), BobbingPlateStep, clock)
                ->Iterations(TimedSteps)
                ->UseManualTime()
                ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BobbingPlateTravel/" + std::to_string(LastClock)).c_str(), BobbingPlateTravel,
                                     LastClock)
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
    }
} const moverBenchmarks;

} // namespace
