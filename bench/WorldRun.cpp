#include "WorldRun.h"
#include "BenchWindow.h"

#include "Stop.h"
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "platform/Audio.h"
#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "shell/World_Table.h"
#include "tools/DataGen.h"
#include "tools/Road.h"
#include "tools/WavWriter.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <malloc.h>
#include <stdexcept>
#include <string>
#include <time.h>
#include <valgrind/callgrind.h>

namespace
{

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

} // namespace

WorldRun_Data::WorldRun_Data(int width, int height)
{
    // Before the working directory is taken: a kept world puts its own back.
    BenchWindow::ReleaseKept();
    std::string pattern = (std::filesystem::temp_directory_path() / "hm-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a data folder");
    data = pattern;
    auto const begin = std::chrono::steady_clock::now();
    DataGen::WriteAll(data.string());
    generateMs = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() * 1e3;
    std::filesystem::create_directories(data / "sounds");
    for (char const* name : {"ticking", "success"})
        WavWriter::Write((data / "sounds" / (std::string(name) + ".wav")).string(), Audio_Rate,
                         std::vector<std::int16_t>(Audio_Rate / 10));
    previous = std::filesystem::current_path();
    std::filesystem::current_path(data);
    MessageBox::SetRecordOnly(true);
    if (!GameWindow::Open(width, height))
        throw std::runtime_error(GameWindow::FailureText());
    gameSounds = &sounds;
}

WorldRun_Data::~WorldRun_Data()
{
    gameSounds = nullptr;
    Audio::Close();
    GameWindow::Close();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(data);
}

WorldRun_Runner::WorldRun_Runner(benchmark::State& benchState, World_Base& played)
    : state(benchState), world(played)
{
    using namespace WorldRun;
    wall.reserve(RunTo + 40 * TravelBack);
    cpu.reserve(RunTo + 40 * TravelBack);
    ticks.reserve(RunTo + 40 * TravelBack);
    travel.reserve(RunTo + 40 * TravelBack);
    Draw();
    heapAtStart = HeapInUse();
}

void WorldRun_Runner::Draw()
{
    world.SetProjection();
    world.Plot();
    glFinish();
}

Level_Action WorldRun_Runner::Step(std::vector<int> const& held)
{
    KeyData const keyData = script.Next(held);
    Tick const tick = world.GetTick();
    bool const travelling = world.IsTimeTravelling();
    // Under callgrind (--collect-atstart=no) the steps alone are counted, split into one dump per
    // window of the clock and per kind of step (travel or play), and no frames are drawn.
    bool const counted = RUNNING_ON_VALGRIND != 0;
    if (counted && (ticks.empty() || tick / WorldRun::Window != ticks.back() / WorldRun::Window
                    || travelling != travel.back()))
    {
        std::string const label = std::string(travel.empty() || !travel.back() ? "play" : "travel") + " window "
                                  + std::to_string(ticks.empty() ? 0 : ticks.back() / WorldRun::Window);
        CALLGRIND_DUMP_STATS_AT(label.c_str());
    }
    ticks.push_back(tick);
    travel.push_back(travelling);
    double const cpuBegin = ThreadSeconds();
    auto const begin = std::chrono::steady_clock::now();
    if (counted)
        CALLGRIND_TOGGLE_COLLECT;
    Level_Action const result = world.Poll(keyData);
    if (counted)
        CALLGRIND_TOGGLE_COLLECT;
    wall.push_back(float(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count()));
    cpu.push_back(float(ThreadSeconds() - cpuBegin));
    results[result]++;
    if (wall.size() % WorldRun::DrawEvery == 0 && !counted)
    {
        double const frameCpu = ThreadSeconds();
        auto const frameBegin = std::chrono::steady_clock::now();
        std::size_t const heapBefore = HeapInUse();
        Draw();
        frameHeap += double(HeapInUse()) - double(heapBefore);
        double const seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - frameBegin).count();
        double const drawCpu = ThreadSeconds() - frameCpu;
        frameTotal += seconds;
        frameTotalCpu += drawCpu;
        frameWorst = std::max(frameWorst, seconds);
        frameWorstCpu = std::max(frameWorstCpu, drawCpu);
        frames++;
    }
    return result;
}

void WorldRun_Runner::Play(Tick firstTravel, std::function<void()> const& play, std::function<void()> const& landed)
{
    using namespace WorldRun;
    Tick nextTravel = firstTravel;
    Tick travelTarget = -1;
    for (auto _ : state)
    {
        while ((world.GetTick() < RunTo || world.IsTimeTravelling()) && !BenchStop::Requested())
        {
            Tick const now = world.GetTick();
            if (travelTarget >= 0)
            {
                if (now > travelTarget)
                    Step({KeyIndex_GameBackInTime});
                else
                {
                    travelTarget = -1;
                    Step({KeyIndex_GameJump});
                    world.SetClock(world.GetTime(), world.GetTick());
                    if (landed)
                        landed();
                }
                continue;
            }
            if (now >= nextTravel)
            {
                nextTravel += TravelEvery;
                Step({KeyIndex_GameBackInTime});
                // A world that allows no travel (the riddle-giver's house) plays on.
                travelTarget = world.IsTimeTravelling() ? now - TravelBack : -1;
                continue;
            }
            play();
        }
        state.SetIterationTime(Mean(wall));
    }
}

void WorldRun_Runner::Report()
{
    if (RUNNING_ON_VALGRIND != 0 && !ticks.empty())
    {
        std::string const label = std::string(travel.back() ? "travel" : "play") + " window "
                                  + std::to_string(ticks.back() / WorldRun::Window);
        CALLGRIND_DUMP_STATS_AT(label.c_str());
    }
    // What the frames took or gave back is the GL's (its rasteriser threads' bins grow with the
    // scenes drawn), not the level's.
    double const recordsMB = (double(HeapInUse()) - double(heapAtStart) - frameHeap) / (1024.0 * 1024.0);
    state.counters["mean_us"] = Mean(wall) * 1e6;
    state.counters["mean_cpu_us"] = Mean(cpu) * 1e6;
    state.counters["p99_us"] = Percentile(wall, 99) * 1e6;
    state.counters["p99_cpu_us"] = Percentile(cpu, 99) * 1e6;
    state.counters["worst_us"] = Percentile(wall, 100) * 1e6;
    state.counters["worst_cpu_us"] = Percentile(cpu, 100) * 1e6;
    // The highest mean over the windows, of every step and of the travel steps alone.
    auto worstWindow = [&](bool travelOnly, double& at) {
        std::vector<double> total(std::size_t(WorldRun::RunTo / WorldRun::Window + 1), 0.0);
        std::vector<int> count(total.size(), 0);
        for (std::size_t i = 0; i < cpu.size(); i++)
        {
            if (travelOnly && !travel[i])
                continue;
            std::size_t const w = std::min(total.size() - 1, std::size_t(std::max(ticks[i], Tick(0)) / WorldRun::Window));
            total[w] += cpu[i];
            count[w]++;
        }
        double worst = 0.0;
        for (std::size_t w = 0; w < total.size(); w++)
        {
            double const mean = count[w] > 0 ? total[w] / count[w] : 0.0;
            if (mean > worst)
            {
                worst = mean;
                at = double(w * std::size_t(WorldRun::Window));
            }
        }
        return worst * 1e6;
    };
    double at = 0.0;
    state.counters["window_cpu_us"] = worstWindow(false, at);
    state.counters["window_at"] = at;
    state.counters["travel_window_cpu_us"] = worstWindow(true, at);
    state.counters["travel_window_at"] = at;
    state.counters["steps"] = double(wall.size());
    state.counters["records_MB"] = recordsMB;
    state.counters["frames_heap_MB"] = frameHeap / (1024.0 * 1024.0);
    state.counters["frame_ms"] = frames > 0 ? frameTotal / frames * 1e3 : 0.0;
    state.counters["frame_cpu_ms"] = frames > 0 ? frameTotalCpu / frames * 1e3 : 0.0;
    state.counters["frame_worst_ms"] = frameWorst * 1e3;
    state.counters["frame_worst_cpu_ms"] = frameWorstCpu * 1e3;
}

std::unique_ptr<World_Base> WorldRun_Make(Level_Type type, GameEvents& events)
{
    events.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    events.eventTimes[Event_Socks] = GameEvent_HasHappened;
    std::srand(1);
    return std::unique_ptr<World_Base>(MakeWorld(&events, type, false));
}

bool WorldRun_Road(Level_Type type, Road& road)
{
    std::string const path = std::string(WorldRow(type).folder) + "/road";
    if (!std::filesystem::exists(path))
        return false;
    std::vector<Road> const roads = Road::ReadAll(path);
    if (!roads.empty())
        road = roads.front();
    if (!road.points.empty() && road.points.back().kind == Road_Exit)
        road.points.pop_back();
    return true;
}
