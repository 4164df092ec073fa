// The master's dungeon played through a whole level's clock: its road with the first room's travel, then a
// swivel's switch pressed and a ball set on a podium in turn every few hundred steps, with a travel back of
// 1500 ticks every 5000; every step timed.
#include "Stop.h"
#include "engine/Collectable.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "killig/Kilig.h"
#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "shell/World_Table.h"
#include "support/KeyScript.h"
#include "support/RoadWalker.h"
#include "tools/DataGen.h"
#include "tools/WavWriter.h"
#include "tools/worlds/killig.h"

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
constexpr int ActEvery = 300;   // steps between a press of swivel 1's switch and a ball set on a podium
constexpr int DrawEvery = 50;   // steps between two frames drawn
constexpr int PlateSteps = 400; // steps on the first room's plate before its travel

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
class KiligBench_Data final
{
public:
    KiligBench_Data()
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
    ~KiligBench_Data()
    {
        gameSounds = nullptr;
        Audio::Close();
        GameWindow::Close();
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(data);
    }
    KiligBench_Data(KiligBench_Data const&) = delete;
    KiligBench_Data& operator=(KiligBench_Data const&) = delete;

private:
    std::filesystem::path data;
    std::filesystem::path previous;
    Game_Sounds sounds;
};

void KiligScript(benchmark::State& state)
{
    KiligBench_Data const folder;
    GameEvents events;
    events[Event_TimeTravel] = GameEvent_HasHappened;
    events[Event_Socks] = GameEvent_HasHappened; // he cannot die, so that travel stays possible
    events[Kilig_Event_IntroSeen] = GameEvent_HasHappened;
    std::srand(1);
    std::unique_ptr<World_Base> built(MakeWorld(&events, Level_Kilig, false));
    Kilig& world = static_cast<Kilig&>(*built);
    Player* hero = world.GetPlayer();
    Map* map = world.GetMap();
    std::string const roads = std::string(WorldRow(Level_Kilig).folder) + "/road";
    RoadWalker firstRoom(world, Road::Read(roads, "first room"));
    Road exit = Road::Read(roads, "exit");
    exit.points.pop_back(); // walked past, the level goes on
    RoadWalker onward(world, exit);
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
    auto step = [&](std::vector<int> const& held) {
        KeyData const keyData = script.Next(held);
        double const cpuBegin = ThreadSeconds();
        auto const begin = std::chrono::steady_clock::now();
        world.Poll(keyData);
        wall.push_back(float(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count()));
        cpu.push_back(float(ThreadSeconds() - cpuBegin));
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
        return Level_Continue;
    };
    auto place = [&](Pointf p) {
        hero->pos = p;
        hero->speed = hero->fallSpeed = hero->jumpSpeed = 0.0;
    };
    // The first room as the road test plays it: onto the plate, on it, off it up to the door that
    // shuts in front of him, and back to when the door stood open.
    firstRoom.Walk(step);
    for (int i = 0; i < PlateSteps; ++i)
        step({});
    Tick const travelTo = world.GetTick() - 50;
    Road toDoor("to door 0");
    toDoor.Walk(KiligWriter::Road_Door0X - 30.0, map->GetRefPoint(Kilig_Rp_DungeonStart).y);
    RoadWalker(world, toDoor).Walk(step);
    step({KeyIndex_GameBackInTime});
    while (world.GetTick() > travelTo)
        step({KeyIndex_GameBackInTime});
    step({KeyIndex_GameJump});

    Rectf plate(0.0, 0.0, 0.0, 0.0);
    map->FindGroupBound(Kilig_SwitchGroups[Kilig_Swivels[1].turnSwitch], &plate);
    Pointf const onPlate((plate.x0 + plate.x1) / 2.0, plate.y1 + 1.0);
    int const podiumBalls[3] = {13, 14, 15};
    int acts = 0;
    int sinceAct = 0;
    Tick nextTravel = std::max(FirstTravel, world.GetTick() + TravelEvery);
    Tick travelTarget = -1;
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
                    onward.Resume();
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
            if (!onward.Done() && !onward.Stuck())
            {
                step(onward.NextKeys());
                continue;
            }
            if (++sinceAct < ActEvery)
            {
                step({});
                continue;
            }
            sinceAct = 0;
            if (acts++ % 2 == 0)
            {
                place(onPlate);
                for (int i = 0; i < 20; ++i)
                    step({});
            }
            else
            {
                int const k = (acts / 2) % 3;
                Collectable* ball = world.GetBall(podiumBalls[k]);
                Pointf const at = ball->GetPosAtTime(world.GetTick());
                place(Pointf(at.x, at.y - 11.0));
                step({});
                step({KeyIndex_GameAction});
                step({});
                Pointf const podium = map->GetRefPoint(Kilig_Rp_Podiums[2 + k]);
                place(Pointf(podium.x, podium.y - 11.0));
                step({});
                step({KeyIndex_GameAction});
                step({});
            }
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
    state.counters["road_done"] = onward.Done() ? 1 : 0;
    state.counters["acts"] = acts;
    state.counters["records_MB"] = double(HeapInUse() - std::min(HeapInUse(), heapAtStart)) / (1024.0 * 1024.0);
    built.reset();
}

BENCHMARK(KiligScript)->Name("World/killig/script")->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
