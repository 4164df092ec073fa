// The dragon's den played through a whole level's clock: the hero walks to the throwing spot and throws at the
// dragon's head every few steps, never enough to kill it, with a travel back of 1500 ticks every 5000; every
// step timed. Each step asks the dragon whether its flames (50 births) or rocks (200) reach the hero and
// whether it is dead (its hit points over every cycle so far); each frame draws them all.
#include "Stop.h"
#include "engine/GameEvents.h"
#include "engine/Player.h"
#include "final/Final.h"
#include "final/Final_Dragon.h"
#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "shell/World_Table.h"
#include "support/KeyScript.h"
#include "support/RoadWalker.h"
#include "tools/DataGen.h"
#include "tools/WavWriter.h"

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <time.h>
#include <vector>

namespace
{

constexpr Tick RunTo = 118000;
constexpr Tick FirstTravel = 2500;
constexpr Tick TravelEvery = 5000;
constexpr Tick TravelBack = 1500;
constexpr int ThrowEvery = 12; // steps from one throw to the next: some 360 hits a cycle, a third of a kill
constexpr int DrawEvery = 50;  // steps between two frames drawn

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

double Percentile(std::vector<float> seconds, int share)
{
    if (seconds.empty())
        return 0.0;
    std::size_t const at = std::min(seconds.size() - 1, seconds.size() * std::size_t(share) / 100);
    std::nth_element(seconds.begin(), seconds.begin() + std::ptrdiff_t(at), seconds.end());
    return seconds[at];
}

double Mean(std::vector<float> const& seconds)
{
    double total = 0.0;
    for (float s : seconds)
        total += s;
    return seconds.empty() ? 0.0 : total / double(seconds.size());
}

// A generated data folder (the working directory while it lives), the window and the sound table.
class FinalBench_Data final
{
public:
    FinalBench_Data()
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
    ~FinalBench_Data()
    {
        gameSounds = nullptr;
        Audio::Close();
        GameWindow::Close();
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(data);
    }
    FinalBench_Data(FinalBench_Data const&) = delete;
    FinalBench_Data& operator=(FinalBench_Data const&) = delete;

private:
    std::filesystem::path data;
    std::filesystem::path previous;
    Game_Sounds sounds;
};

void FinalFight(benchmark::State& state)
{
    FinalBench_Data const folder;
    GameEvents events;
    events[Event_TimeTravel] = GameEvent_HasHappened;
    std::srand(1);
    std::unique_ptr<World_Base> built(MakeWorld(&events, Level_Final, false));
    Final& world = static_cast<Final&>(*built);
    std::string const roads = std::string(WorldRow(Level_Final).folder) + "/road";
    RoadWalker toSpot(world, Road::Read(roads, "throwing spot"));
    KeyScript script;
    world.SetProjection();
    world.Plot();
    glFinish();
    std::size_t const heapAtStart = HeapInUse();

    std::vector<float> wall;
    std::vector<float> cpu;
    wall.reserve(RunTo + 40 * TravelBack);
    cpu.reserve(RunTo + 40 * TravelBack);
    double frameTotal = 0.0;
    double frameWorstCpu = 0.0;
    int frames = 0;
    int ended = 0; // steps that ended the level: none, or the run is no fight
    auto step = [&](std::vector<int> const& held) {
        KeyData const keyData = script.Next(held);
        double const cpuBegin = ThreadSeconds();
        auto const begin = std::chrono::steady_clock::now();
        Level_Action const result = world.Poll(keyData);
        wall.push_back(float(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count()));
        cpu.push_back(float(ThreadSeconds() - cpuBegin));
        ended += result != Level_Continue ? 1 : 0;
        if (wall.size() % DrawEvery == 0)
        {
            double const frameCpu = ThreadSeconds();
            auto const frameBegin = std::chrono::steady_clock::now();
            world.SetProjection();
            world.Plot();
            glFinish();
            frameTotal += std::chrono::duration<double>(std::chrono::steady_clock::now() - frameBegin).count();
            frameWorstCpu = std::max(frameWorstCpu, ThreadSeconds() - frameCpu);
            frames++;
        }
        return result;
    };
    toSpot.Walk(step);

    Tick nextTravel = FirstTravel;
    Tick travelTarget = -1;
    int throwStep = 0;
    for (auto _ : state)
    {
        while ((world.GetTick() < RunTo || world.IsTimeTravelling()) && !BenchStop::Requested())
        {
            Tick const now = world.GetTick();
            if (travelTarget >= 0)
            {
                if (now > travelTarget)
                    step({KeyIndex_GameBackInTime});
                else
                {
                    travelTarget = -1;
                    step({KeyIndex_GameJump});
                    world.SetClock(world.GetTime(), world.GetTick());
                }
                continue;
            }
            if (now >= nextTravel)
            {
                nextTravel += TravelEvery;
                travelTarget = now - TravelBack;
                step({KeyIndex_GameBackInTime});
                continue;
            }
            // Action pressed, held (aiming) and let go (the throw), then a rest.
            int const phase = throwStep++ % ThrowEvery;
            step(phase < 2 ? std::vector<int>{KeyIndex_GameAction} : std::vector<int>{});
        }
        state.SetIterationTime(Mean(wall));
    }

    int lowest = Final_Dragon::Dragon_HitPoints;
    for (Tick t = 0; t < RunTo; t += 50)
        lowest = std::min(lowest, world.GetDragon()->GetHitPoints(t));
    state.counters["mean_us"] = Mean(wall) * 1e6;
    state.counters["mean_cpu_us"] = Mean(cpu) * 1e6;
    state.counters["p99_us"] = Percentile(wall, 99) * 1e6;
    state.counters["p99_cpu_us"] = Percentile(cpu, 99) * 1e6;
    state.counters["worst_us"] = Percentile(wall, 100) * 1e6;
    state.counters["worst_cpu_us"] = Percentile(cpu, 100) * 1e6;
    state.counters["steps"] = double(wall.size());
    state.counters["frame_ms"] = frames > 0 ? frameTotal / frames * 1e3 : 0.0;
    state.counters["frame_worst_cpu_ms"] = frameWorstCpu * 1e3;
    state.counters["road_done"] = toSpot.Done() ? 1 : 0;
    state.counters["ended"] = ended;
    state.counters["lowest_hp"] = lowest;
    state.counters["alive"] = world.GetPlayer()->IsPlayerDead() == 0 ? 1 : 0;
    state.counters["records_MB"] = double(HeapInUse() - std::min(HeapInUse(), heapAtStart)) / (1024.0 * 1024.0);
    built.reset();
}

BENCHMARK(FinalFight)->Name("World/final/fight")->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
