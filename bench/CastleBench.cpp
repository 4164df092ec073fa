// The castle's bench: the generated castle played through a whole level's clock by a tour of its
// mechanisms (a mirror into a laser's beam, the lamps, the symbol plates, the swivel, a multi-hit
// block), then its road to the far exit and random keys, travelling back 1500 ticks every 5000.
#include "Stop.h"
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
#include "engine/GameEvents.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "shell/World_Table.h"
#include "support/KeyScript.h"
#include "support/RandomKeys.h"
#include "support/RoadWalker.h"
#include "tools/DataGen.h"
#include "tools/WavWriter.h"
#include "tools/worlds/castle.h"

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
constexpr int DrawEvery = 50;

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

// A generated data folder (the working directory while it lives), the window and the sound table.
class Castle_BenchData final
{
public:
    Castle_BenchData()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "hm-castle-XXXXXX").string();
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
    ~Castle_BenchData()
    {
        gameSounds = nullptr;
        Audio::Close();
        GameWindow::Close();
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(data);
    }
    Castle_BenchData(Castle_BenchData const&) = delete;
    Castle_BenchData& operator=(Castle_BenchData const&) = delete;

private:
    std::filesystem::path data;
    std::filesystem::path previous;
    Game_Sounds sounds;
};

// A leg of the tour: where the player is put down, and the road he walks from there.
struct Castle_Leg
{
    Pointf start;
    Road road;
};

std::vector<Castle_Leg> Tour()
{
    using namespace CastleWriter;
    std::vector<Castle_Leg> legs;
    // Room 10: the mirror into laser 1's beam lights target 1 and opens door 9.
    Road mirror;
    mirror.Press(2650.0, Room4_Floor, "take the mirror", 10).Press(Room10_LaserX, Room4_Floor, "drop it", 60);
    legs.push_back({Pointf(2600.0, Room4_Floor + 1.0), mirror});
    // Room 4: the three lamps.
    Road lamps;
    lamps.Walk(1660.0, Room4_Floor).Throw(1650.0, Room4_Floor, "lamp", 10).Throw(1650.0, Room4_Floor, "lamp", 10, 1);
    lamps.Throw(1650.0, Room4_Floor, "lamp", 60, 1);
    legs.push_back({Pointf(1600.0, Room4_Floor + 1.0), lamps});
    // Room 20: over the symbol plates; room 15: the swivel turned on switch 22.
    Road plates;
    plates.Walk(5030.0, Road_Floor);
    legs.push_back({Pointf(4450.0, Road_Floor + 1.0), plates});
    Road swivel;
    swivel.Press(3460.0, 5090.0, "switch 22", 40).Walk(3400.0, 5090.0);
    legs.push_back({Pointf(3400.0, 5091.0), swivel});
    // Room 34: onto block 1, facing its mark, and twenty throws.
    Road block;
    block.Walk(4620.0, 4170.0).Walk(4610.0, 4170.0);
    for (int i = 0; i < 20; ++i)
        block.Throw(4610.0, 4170.0, "block's mark", 4);
    legs.push_back({Pointf(4550.0, 4121.0), block});
    // The road from the start to the far exit, its exit left out: the level goes on.
    Road road = RoadWalker::WorldRoad(Level_Casle, "exit");
    road.points.pop_back();
    legs.push_back({Pointf(1000.0, Hall_Floor + 1.0), road});
    return legs;
}

void CastleTour(benchmark::State& state)
{
    Castle_BenchData const folder;
    GameEvents events;
    events.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    events.eventTimes[Event_Socks] = GameEvent_HasHappened;
    events.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
    events.eventTimes[Casle_Event_FeePaid] = GameEvent_HasHappened;
    std::srand(1);
    std::unique_ptr<World_Base> world(MakeWorld(&events, Level_Casle, false));
    std::vector<Castle_Leg> const legs = Tour();
    std::size_t leg = 0;
    auto walker = std::make_unique<RoadWalker>(*world, legs[0].road);
    world->GetPlayer()->pos = legs[0].start;
    RandomKeys keys(1, false);
    KeyScript script;
    world->SetProjection();
    world->Plot();
    glFinish();
    std::size_t const heapAtStart = HeapInUse();

    std::vector<float> wall;
    std::vector<float> cpu;
    double frameTotal = 0.0;
    double frameWorstCpu = 0.0;
    int frames = 0;
    int legsDone = 0;
    Tick nextTravel = FirstTravel;
    Tick travelTarget = -1;
    auto step = [&](std::vector<int> const& held) {
        KeyData const keyData = script.Next(held);
        double const cpuBegin = ThreadSeconds();
        auto const begin = std::chrono::steady_clock::now();
        world->Poll(keyData);
        wall.push_back(float(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count()));
        cpu.push_back(float(ThreadSeconds() - cpuBegin));
        if (wall.size() % DrawEvery == 0)
        {
            double const frameCpu = ThreadSeconds();
            world->SetProjection();
            world->Plot();
            glFinish();
            frameTotal += ThreadSeconds() - frameCpu;
            frameWorstCpu = std::max(frameWorstCpu, ThreadSeconds() - frameCpu);
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
                    walker->Resume();
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
            if ((walker->Done() || walker->Stuck()) && leg + 1 < legs.size())
            {
                legsDone += walker->Done() ? 1 : 0;
                ++leg;
                walker = std::make_unique<RoadWalker>(*world, legs[leg].road);
                world->GetPlayer()->pos = legs[leg].start;
            }
            std::vector<int> held = walker->NextKeys();
            if (walker->Done() || walker->Stuck())
                held = keys.Next();
            step(held);
        }
        double total = 0.0;
        for (float s : wall)
            total += s;
        state.SetIterationTime(wall.empty() ? 0.0 : total / double(wall.size()));
    }
    double meanWall = 0.0;
    double meanCpu = 0.0;
    for (std::size_t i = 0; i < wall.size(); ++i)
    {
        meanWall += wall[i];
        meanCpu += cpu[i];
    }
    meanWall /= double(std::max<std::size_t>(1, wall.size()));
    meanCpu /= double(std::max<std::size_t>(1, cpu.size()));
    state.counters["mean_us"] = meanWall * 1e6;
    state.counters["mean_cpu_us"] = meanCpu * 1e6;
    state.counters["p99_us"] = Percentile(wall, 99) * 1e6;
    state.counters["p99_cpu_us"] = Percentile(cpu, 99) * 1e6;
    state.counters["worst_us"] = Percentile(wall, 100) * 1e6;
    state.counters["worst_cpu_us"] = Percentile(cpu, 100) * 1e6;
    state.counters["steps"] = double(wall.size());
    state.counters["records_MB"] = double(HeapInUse() - std::min(HeapInUse(), heapAtStart)) / (1024.0 * 1024.0);
    state.counters["frame_cpu_ms"] = frames > 0 ? frameTotal / frames * 1e3 : 0.0;
    state.counters["frame_worst_cpu_ms"] = frameWorstCpu * 1e3;
    state.counters["legs_done"] = legsDone + (walker->Done() ? 1 : 0);
    world.reset();
}

BENCHMARK(CastleTour)->Name("Castle/tour")->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
