// The busy test world played on a world of its own: the frames from the moment it is built, and
// the records of the full run of the level's benchmarks without the GL's memory mixed in.
#include "BusyWorld.h"
#include "StepTimer.h"
#include "engine/Player.h"
#include "engine/Switch.h"
#include "engine/TimeFrames.h"
#include "testworld/Test_World.h"

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <time.h>
#include <vector>

namespace
{

// Past the first travel back and the fetching of the item after it.
constexpr Tick BusyUntil = 3000;
constexpr double FrameLimit = 8e-3; // seconds

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Times every frame after the first and counts those over the limit, by the wall clock and by the
// drawing thread's processor time.
class FrameTimer final
{
public:
    explicit FrameTimer(benchmark::State& benchState) : state(benchState), timer(benchState) {}
    FrameTimer(FrameTimer const&) = delete;
    FrameTimer& operator=(FrameTimer const&) = delete;
    ~FrameTimer()
    {
        state.SetIterationTime(timer.Mean());
        state.counters["frames"] = frames;
        state.counters["over_8ms"] = over;
        state.counters["over_8ms_cpu"] = overCpu;
    }

    // Plays one step with the keys held, or the busy script's own step, and draws a frame.
    void Step(BusyWorld& world, std::vector<int> const* held = nullptr)
    {
        if (held != nullptr)
            world.StepWith(*held);
        else
            world.Step();
        double const cpuBegin = ThreadSeconds();
        double const seconds = timer.Time([&] { world.Draw(); });
        frames++;
        if (seconds > FrameLimit)
            over++;
        if (ThreadSeconds() - cpuBegin > FrameLimit)
            overCpu++;
    }
    void Steps(BusyWorld& world, int n, std::vector<int> const& held)
    {
        for (int i = 0; i < n; i++)
            Step(world, &held);
    }

private:
    benchmark::State& state;
    StepTimer timer;
    int frames = 0;
    int over = 0;
    int overCpu = 0;
};

// Builds a world (its constructor draws the first frame), then draws a frame after every step:
// the busy script with its first travel, an axe thrown at the world's target, the clocks in the
// warning and the player dying out of time. load_ms is the building with that first frame, data_ms
// the writing of the generated data folder before it (which a player's game does not do).
void LevelFrames(benchmark::State& state)
{
    for (auto _ : state)
    {
        auto const begin = std::chrono::steady_clock::now();
        BusyWorld world;
        double const built = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() * 1e3;
        state.counters["data_ms"] = world.DataMs();
        state.counters["load_ms"] = built - world.DataMs();
        state.SetLabel(reinterpret_cast<char const*>(glGetString(GL_RENDERER)));
        FrameTimer frames(state);
        while ((world.Now() < BusyUntil || world.World().IsTimeTravelling()) && !BenchStop::Requested())
            frames.Step(world);

        // Before the hit target, facing it: aim at it, then throw.
        Player* player = world.World().GetPlayer();
        Pointf const beforeTarget(-420.0, 2.0);
        player->SetPos(&beforeTarget);
        frames.Steps(world, 30, {});
        frames.Steps(world, 1, {KeyIndex_GameRight});
        frames.Steps(world, 30, {});
        frames.Steps(world, 15, {KeyIndex_GameAction});
        frames.Steps(world, 120, {});

        world.World().SetClock((Level_TimeWarning + 100) * 256, Level_TimeWarning + 100);
        frames.Steps(world, 30, {});
        world.World().SetClock((Level_TotalTime + 1) * 256, Level_TotalTime + 1);
        frames.Steps(world, 60, {});
    }
}
BENCHMARK(LevelFrames)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(1);

// The travels of LevelRewind: back to tick 0 at full speed, forward again to 64 ticks short of
// where the travel began (or of the warning), and the jump that ends it.
void Rewind(BusyWorld& world)
{
    Tick const from = world.Now();
    do
        world.StepWith({KeyIndex_GameBackInTime});
    while (world.Now() > 0 || world.World().GetTimeSpeed() != 0);
    while (world.Now() < std::min(from, Level_TimeWarning) - 64)
        world.StepWith({KeyIndex_GameForwardInTime});
    world.EndTravel();
}

// The thousand steps of a LevelStep, whose own travels are not counted.
void ThousandSteps(BusyWorld& world)
{
    for (int i = 0; i < 1000; i++)
    {
        while (world.World().IsTimeTravelling())
            world.Step();
        world.Step();
    }
}

// The heap the records of the full run of the level's benchmarks hold at its end, from the built
// world on: the same steps and travels in the same order, without their frames, so that what the
// GL driver allocates and frees while drawing is not counted as records.
void BusyRunRecords(benchmark::State& state)
{
    for (auto _ : state)
    {
        BusyWorld world;
        // LevelRewind/1000, LevelStep/1000 and /10000, LevelRewind/30000, LevelStep/60000 (and
        // LevelDraw/60000), LevelRewind/118000, LevelStep/118000, then LevelMemory/119500.
        struct Stage
        {
            Tick clock;
            bool rewind;
        };
        for (Stage const stage : {Stage{1000, true}, Stage{1000, false}, Stage{10000, false}, Stage{30000, true},
                                  Stage{60000, false}, Stage{118000, true}, Stage{118000, false}})
        {
            world.PlayTo(stage.clock);
            if (stage.rewind)
                Rewind(world);
            else
                ThousandSteps(world);
        }
        world.PlayTo(119500);
        double const bytes = double(BusyWorld::HeapInUse()) - double(world.HeapAtStart());
        state.counters["MB"] = bytes / (1024.0 * 1024.0);
        state.counters["recordings"] = world.World().GetTimeFrames()->Count();
        state.counters["plate_ticks"] = world.World().GetSwitch()->ActiveCount(world.Now());
    }
}
BENCHMARK(BusyRunRecords)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
