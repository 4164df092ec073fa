// The world bench: any world of the shell's table played through a whole level's clock, along its
// road by the road walker or by random keys, with a travel back of 1500 ticks every 5000, every step
// timed and a frame drawn now and then.
#include "Stop.h"
#include "engine/GameEvents.h"
#include "engine/Level.h"
#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "puzzles/World_Base.h"
#include "shell/World_Table.h"
#include "support/KeyScript.h"
#include "support/RandomKeys.h"
#include "support/RoadWalker.h"
#include "tools/DataGen.h"
#include "tools/WavWriter.h"

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <time.h>
#include <vector>

namespace
{

constexpr Tick RunTo = 118000; // the clock the run plays to, short of the warning zone
constexpr Tick FirstTravel = 2500;
constexpr Tick TravelEvery = 5000;
constexpr Tick TravelBack = 1500;
constexpr int DrawEvery = 50; // steps between two frames drawn
constexpr unsigned KeysSeed = 1;

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

std::size_t HeapInUse()
{
    struct mallinfo2 const info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

double Mean(std::vector<float> const& seconds)
{
    double total = 0.0;
    for (float s : seconds)
        total += s;
    return seconds.empty() ? 0.0 : total / double(seconds.size());
}

// The share-th percentile (100: the worst).
double Percentile(std::vector<float> seconds, int share)
{
    if (seconds.empty())
        return 0.0;
    std::size_t const at = std::min(seconds.size() - 1, seconds.size() * std::size_t(share) / 100);
    std::nth_element(seconds.begin(), seconds.begin() + std::ptrdiff_t(at), seconds.end());
    return seconds[at];
}

// A generated data folder (the working directory while it lives), the window and the sound table.
class WorldBench_Data final
{
public:
    WorldBench_Data()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "hm-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a data folder");
        data = pattern;
        DataGen::WriteAll(data.string());
        std::filesystem::create_directories(data / "sounds");
        for (char const* name : {"ticking", "success"})
            WavWriter::Write((data / "sounds" / (std::string(name) + ".wav")).string(), Audio_Rate,
                             std::vector<std::int16_t>(Audio_Rate / 10));
        previous = std::filesystem::current_path();
        std::filesystem::current_path(data);
        MessageBox::SetRecordOnly(true);
        if (!GameWindow::Open(640, 480))
            throw std::runtime_error(GameWindow::FailureText());
        gameSounds = &sounds;
    }
    ~WorldBench_Data()
    {
        gameSounds = nullptr;
        Audio::Close();
        GameWindow::Close();
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(data);
    }
    WorldBench_Data(WorldBench_Data const&) = delete;
    WorldBench_Data& operator=(WorldBench_Data const&) = delete;

private:
    std::filesystem::path data;
    std::filesystem::path previous;
    Game_Sounds sounds;
};

void Draw(World_Base& world)
{
    world.SetProjection();
    world.Plot();
    glFinish();
}

// One whole run of a world. The player has learnt time travel and found the socks (he cannot die,
// so that travel stays possible); the level's exits are walked past (the level goes on). The clock
// is counted as the present timeline's: after each travel the steps of play restart from the tick
// reached, as in the busy world's benchmarks.
void WorldRun(benchmark::State& state, Level_Type type, bool byRoad)
{
    WorldBench_Data const folder;
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
    KeyScript script;
    Draw(*world);

    std::vector<float> wall; // seconds a step took, by the wall clock
    std::vector<float> cpu;  // and by the thread's processor time
    wall.reserve(RunTo + 40 * TravelBack);
    cpu.reserve(RunTo + 40 * TravelBack);
    // The bench's own room for its timings is no record of the level.
    std::size_t const heapAtStart = HeapInUse();
    double frameTotal = 0.0;
    double frameTotalCpu = 0.0;
    double frameWorst = 0.0;
    double frameWorstCpu = 0.0;
    int frames = 0;
    int exits = 0;
    Tick nextTravel = FirstTravel;
    Tick travelTarget = -1;
    auto step = [&](std::vector<int> const& held) {
        KeyData const keyData = script.Next(held);
        double const cpuBegin = ThreadSeconds();
        auto const begin = std::chrono::steady_clock::now();
        Level_Action const result = world->Poll(keyData);
        wall.push_back(float(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count()));
        cpu.push_back(float(ThreadSeconds() - cpuBegin));
        exits += result == Level_Completed || result == Level_Restart ? 1 : 0;
        if (wall.size() % DrawEvery == 0)
        {
            double const frameCpu = ThreadSeconds();
            auto const frameBegin = std::chrono::steady_clock::now();
            Draw(*world);
            double const seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - frameBegin).count();
            double const drawCpu = ThreadSeconds() - frameCpu;
            frameTotal += seconds;
            frameTotalCpu += drawCpu;
            frameWorst = std::max(frameWorst, seconds);
            frameWorstCpu = std::max(frameWorstCpu, drawCpu);
            frames++;
        }
    };
    for (auto _ : state)
    {
        while ((world->GetTick() < RunTo || world->IsTimeTravelling()) && !BenchStop::Requested())
        {
            Tick const now = world->GetTick();
            if (travelTarget >= 0)
            {
                if (now > travelTarget)
                    step({KeyIndex_GameBackInTime});
                else
                {
                    travelTarget = -1;
                    step({KeyIndex_GameJump});
                    world->SetClock(world->GetTime(), world->GetTick());
                    walker.Resume();
                }
                continue;
            }
            if (now >= nextTravel)
            {
                nextTravel += TravelEvery;
                step({KeyIndex_GameBackInTime});
                // A world that allows no travel (the riddle-giver's house) plays on.
                travelTarget = world->IsTimeTravelling() ? now - TravelBack : -1;
                continue;
            }
            std::vector<int> held;
            if (!walker.Done() && !walker.Stuck())
                held = walker.NextKeys();
            if (walker.Done() || walker.Stuck())
                held = keys.Next();
            step(held);
        }
        state.SetIterationTime(Mean(wall));
    }

    state.counters["mean_us"] = Mean(wall) * 1e6;
    state.counters["mean_cpu_us"] = Mean(cpu) * 1e6;
    state.counters["p99_us"] = Percentile(wall, 99) * 1e6;
    state.counters["p99_cpu_us"] = Percentile(cpu, 99) * 1e6;
    state.counters["worst_us"] = Percentile(wall, 100) * 1e6;
    state.counters["worst_cpu_us"] = Percentile(cpu, 100) * 1e6;
    state.counters["steps"] = double(wall.size());
    state.counters["records_MB"] = double(HeapInUse() - std::min(HeapInUse(), heapAtStart)) / (1024.0 * 1024.0);
    state.counters["frame_ms"] = frames > 0 ? frameTotal / frames * 1e3 : 0.0;
    state.counters["frame_cpu_ms"] = frames > 0 ? frameTotalCpu / frames * 1e3 : 0.0;
    state.counters["frame_worst_ms"] = frameWorst * 1e3;
    state.counters["frame_worst_cpu_ms"] = frameWorstCpu * 1e3;
    state.counters["exits"] = exits;
    state.counters["road_done"] = walker.Done() ? 1 : 0;
    world.reset();
}

// World/<folder>/road and World/<folder>/keys for every world of the table.
[[maybe_unused]] int const registered = [] {
    for (World_Row const& row : World_Table)
        for (bool byRoad : {true, false})
        {
            std::string const name = std::string("World/") + row.folder + (byRoad ? "/road" : "/keys");
            Level_Type const type = row.type;
            benchmark::RegisterBenchmark(name.c_str(),
                                         [type, byRoad](benchmark::State& s) { WorldRun(s, type, byRoad); })
                ->Iterations(1)
                ->UseManualTime()
                ->Unit(benchmark::kMicrosecond);
        }
    return 0;
}();

} // namespace
