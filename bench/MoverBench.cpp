// Benchmarks of doors, plates and lifts: the bobbing-plate world stepped at clocks up to the
// end of a level, where the door's opening rests on a switching of its plate at every tick.
#include "BusyWorld.h"
#include "StepTimer.h"
#include "testworld/Test_World.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <valgrind/callgrind.h>

namespace
{

constexpr int TimedSteps = 1000;
constexpr Tick LastClock = 118000;

std::unique_ptr<BusyWorld> bobbing;

// Steps of play from the clock on, each timed; the script's own travels are left out. Under
// callgrind (--instr-atstart=no --collect-atstart=no) only the timed steps are counted, and play
// up to the clock runs uninstrumented.
void BobbingPlateStep(benchmark::State& state, Tick clock)
{
    if (!bobbing || bobbing->Now() > clock)
        bobbing = std::make_unique<BusyWorld>(true);
    BusyWorld& world = *bobbing;
    world.PlayTo(clock);
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
    // The window goes with the last of them, before any other benchmark opens its own.
    if (clock == LastClock)
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
    }
} const moverBenchmarks;

} // namespace
