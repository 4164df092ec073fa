// Benchmarks of the busy test world: level steps, rewinding, drawing and the memory of its
// records, run in the order of the level clock on one shared world.
#include "BenchWindow.h"
#include "BusyWorld.h"
#include "StepTimer.h"
#include "Stop.h"
#include "engine/Switch.h"
#include "engine/TimeFrames.h"
#include "testworld/Test_World.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

namespace
{

constexpr int TimedSteps = 1000;
constexpr int TimedFrames = 300;

std::unique_ptr<BusyWorld> busy;

BusyWorld& Busy()
{
    if (!busy)
    {
        busy = std::make_unique<BusyWorld>();
        BenchWindow::Keep([] { busy.reset(); });
    }
    return *busy;
}

// Play from the given clock on, each step timed; the script's own travels are left out.
void TimePlay(benchmark::State& state, BusyWorld& world, Tick clock)
{
    world.PlayTo(clock);
    StepTimer timer(state);
    for (auto _ : state)
    {
        while (world.World().IsTimeTravelling() && !BenchStop::Requested())
            world.Step();
        timer.Step([&] { world.Step(); });
    }
}

void LevelStep(benchmark::State& state, Tick clock)
{
    TimePlay(state, Busy(), clock);
}

// One step of a travel, out of line so that callgrind can count the travel's steps alone
// (--toggle-collect='*TravelStep*').
__attribute__((noinline)) void TravelStep(BusyWorld& world, int key)
{
    world.StepWith({key});
}

// Back to tick 0 at full speed and forward again to where the travel began, every step timed.
void LevelRewind(benchmark::State& state, Tick clock)
{
    BusyWorld& world = Busy();
    world.PlayTo(clock);
    StepTimer timer(state);
    for (auto _ : state)
    {
        Tick const from = world.Now();
        do
            timer.Time([&] { TravelStep(world, KeyIndex_GameBackInTime); });
        while ((world.Now() > 0 || world.World().GetTimeSpeed() != 0) && !BenchStop::Requested());
        // Travel forward stops short of the warning zone.
        while (world.Now() < std::min(from, Level_TimeWarning) - 64 && !BenchStop::Requested())
            timer.Time([&] { TravelStep(world, KeyIndex_GameForwardInTime); });
        timer.Time([&] { world.EndTravel(); });
        state.SetIterationTime(timer.Mean());
        state.counters["from"] = from;
    }
}

// One frame of the world, finished by the GL.
void LevelDraw(benchmark::State& state, Tick clock)
{
    BusyWorld& world = Busy();
    world.PlayTo(clock);
    StepTimer timer(state);
    for (auto _ : state)
        timer.Step([&] { world.Draw(); });
}

// The heap the level's records hold after a whole level of play.
void LevelMemory(benchmark::State& state, Tick clock)
{
    BusyWorld& world = Busy();
    for (auto _ : state)
    {
        world.PlayTo(clock);
        if (BenchStop::Skip(state))
            break;
        double const bytes = double(BusyWorld::HeapInUse()) - double(world.HeapAtStart());
        state.counters["MB"] = bytes / (1024.0 * 1024.0);
        state.counters["bytes_per_tick"] = bytes / world.Now();
        // How busy the level was: ticks with the plate down, and past-self recordings.
        state.counters["plate_ticks"] = world.World().GetSwitch()->ActiveCount(world.Now());
        state.counters["recordings"] = world.World().GetTimeFrames()->Count();
    }
    // The last of the level's benchmarks: the world goes while the window system is still up.
    busy.reset();
}

// Play with the player standing over the plate's edge from early on: the plate bobs every tick
// (it sinks until the gap's sloped side holds the player, then rises under the player again) and
// the door's opening depends on the whole run of switchings since the player stepped on it.
void LevelStepOnBobbingPlate(benchmark::State& state, Tick clock)
{
    // One window at a time: the shared world goes first if it is still there.
    busy.reset();
    if (BenchStop::Skip(state))
        return;
    BusyWorld world(true);
    TimePlay(state, world, clock);
}

void Register(char const* name, void (*fn)(benchmark::State&, Tick), Tick clock, int iterations)
{
    std::string const full = std::string(name) + "/" + std::to_string(clock);
    benchmark::RegisterBenchmark(full.c_str(), fn, clock)
        ->Iterations(iterations)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
}

// The shared world only moves forward, so the level's benchmarks are registered in the order of
// its clock.
struct LevelBenchmarks
{
    LevelBenchmarks()
    {
        Register("LevelRewind", LevelRewind, 1000, 1);
        Register("LevelStep", LevelStep, 1000, TimedSteps);
        Register("LevelStep", LevelStep, 10000, TimedSteps);
        Register("LevelRewind", LevelRewind, 30000, 1);
        Register("LevelStep", LevelStep, 60000, TimedSteps);
        Register("LevelDraw", LevelDraw, 60000, TimedFrames);
        Register("LevelRewind", LevelRewind, 118000, 1);
        Register("LevelStep", LevelStep, 118000, TimedSteps);
        benchmark::RegisterBenchmark("LevelMemory/119500", LevelMemory, Tick(119500))->Iterations(1);
        // A world of its own, after the shared one is gone.
        Register("LevelStepOnBobbingPlate", LevelStepOnBobbingPlate, 2400, 100);
        Register("LevelStepOnBobbingPlate", LevelStepOnBobbingPlate, 10000, 100);
    }
} const levelBenchmarks;

} // namespace
