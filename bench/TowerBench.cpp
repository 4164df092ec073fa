// The tower played where its objects work hardest, through a whole level's clock: by turns on the
// balance scales (weighing beside the past selves that each travel back leaves) and in the track
// chamber (throwing at the circling targets), travelling back 1500 ticks every 5000, every step
// timed and a frame drawn now and then.
#include "Stop.h"
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "shell/World_Table.h"
#include "support/KeyScript.h"
#include "tools/DataGen.h"
#include "tools/WavWriter.h"
#include "tools/worlds/tower.h"
#include "tower/Tower.h"

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

constexpr Tick RunTo = 118000; // short of the warning zone
constexpr Tick StationTicks = 2500;
constexpr Tick TravelEvery = 5000;
constexpr Tick TravelBack = 1500;
constexpr int DrawEvery = 50;
constexpr int ThrowEvery = 40;  // steps between two throws in the track chamber
constexpr int WeighSteps = 300; // on the pan, then a hop off and a walk back

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
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

std::size_t HeapInUse()
{
    struct mallinfo2 const info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// A generated data folder (the working directory while it lives), the window and the sound table.
class TowerBench_Data final
{
public:
    TowerBench_Data()
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
    ~TowerBench_Data()
    {
        gameSounds = nullptr;
        Audio::Close();
        GameWindow::Close();
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(data);
    }
    TowerBench_Data(TowerBench_Data const&) = delete;
    TowerBench_Data& operator=(TowerBench_Data const&) = delete;

private:
    std::filesystem::path data;
    std::filesystem::path previous;
    Game_Sounds sounds;
};

// Puts the player standing at a station at its size.
void Place(Player& hero, double x, double y, double s)
{
    hero.SetScale(s);
    hero.scale = s;
    hero.SetUpStats();
    hero.pos = Pointf(x, y);
    hero.speed = hero.fallSpeed = hero.jumpSpeed = 0.0;
}

// The keys of step n of a station's play.
std::vector<int> StationKeys(bool scales, int n)
{
    if (!scales)
    {
        int const k = n % ThrowEvery;
        return k < 2 ? std::vector<int>{KeyIndex_GameAction} : std::vector<int>{};
    }
    int const k = n % (WeighSteps + 100);
    if (k < WeighSteps)
        return {};
    if (k < WeighSteps + 20)
        return {KeyIndex_GameLeft, KeyIndex_GameJump};
    return {KeyIndex_GameRight};
}

void TowerStations(benchmark::State& state)
{
    using namespace TowerWriter;
    TowerBench_Data const folder;
    GameEvents events;
    events.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    events.eventTimes[Event_Socks] = GameEvent_HasHappened;
    std::srand(1);
    std::unique_ptr<World_Base> world(MakeWorld(&events, Level_Tower, false));
    Player& hero = *world->GetPlayer();
    KeyScript script;
    // The first frame readies the GL's drawing of every kind of thing (Level::WarmUp): drawn
    // before the run, as the other world runs do. The heap is taken before it: the GL holds and
    // later lets go of much of what that frame takes, so the growth counted from after it would
    // come out short of the records.
    std::size_t const heapAtStart = HeapInUse();
    world->SetProjection();
    world->Plot();
    glFinish();
    std::vector<float> wall; // seconds a step took, by the wall clock
    std::vector<float> cpu;  // and by the thread's processor time
    wall.reserve(RunTo + 40 * TravelBack);
    cpu.reserve(RunTo + 40 * TravelBack);
    double frameTotal = 0.0;
    double frameWorstCpu = 0.0;
    int frames = 0;
    auto step = [&](std::vector<int> const& held) {
        KeyData const keys = script.Next(held);
        double const cpuBegin = ThreadSeconds();
        auto const begin = std::chrono::steady_clock::now();
        world->Poll(keys);
        wall.push_back(float(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count()));
        cpu.push_back(float(ThreadSeconds() - cpuBegin));
        if (wall.size() % DrawEvery == 0)
        {
            double const frameCpu = ThreadSeconds();
            auto const frameBegin = std::chrono::steady_clock::now();
            world->SetProjection();
            world->Plot();
            glFinish();
            frameTotal += std::chrono::duration<double>(std::chrono::steady_clock::now() - frameBegin).count();
            frameWorstCpu = std::max(frameWorstCpu, ThreadSeconds() - frameCpu);
            frames++;
        }
    };
    Tick nextTravel = TravelEvery;
    int station = -1;
    int inStation = 0;
    for (auto _ : state)
    {
        while (world->GetTick() < RunTo && !BenchStop::Requested())
        {
            Tick const now = world->GetTick();
            if (now >= nextTravel)
            {
                nextTravel += TravelEvery;
                Tick const target = now - TravelBack;
                step({KeyIndex_GameBackInTime});
                while (world->GetTick() > target && !BenchStop::Requested())
                    step({KeyIndex_GameBackInTime});
                step({KeyIndex_GameJump});
                // The steps of play count from the tick reached, as in the other world runs, so
                // that the run reaches the clock's end before the level's step limit.
                world->SetClock(world->GetTime(), world->GetTick());
                continue;
            }
            int const wanted = static_cast<int>(now / StationTicks) % 2;
            if (wanted != station)
            {
                station = wanted;
                inStation = 0;
                if (station == 0)
                    Place(hero, WingB_PanX, WingB_FloorY, 0.5);
                else
                    Place(hero, 3000.0, WingA_FloorY, 1.0);
            }
            step(StationKeys(station == 0, inStation++));
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
    state.counters["frame_ms"] = frames > 0 ? frameTotal / frames * 1e3 : 0.0;
    state.counters["frame_worst_cpu_ms"] = frameWorstCpu * 1e3;
    state.counters["records_MB"] = double(HeapInUse() - std::min(HeapInUse(), heapAtStart)) / (1024.0 * 1024.0);
    world.reset();
}

BENCHMARK(TowerStations)->Name("World/tower/stations")->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
