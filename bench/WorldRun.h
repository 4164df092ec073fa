// The world runs' shared part: a world played through a whole level's clock with a travel back of
// 1500 ticks every 5000, every step timed by the wall clock and the thread's processor time, a
// frame drawn now and then, and the heap the level's records take. Each world's bench says only
// what its player does between the travels and the counters it adds.
#pragma once

#include "engine/Level_Type.h"
#include "media/Game_Sounds.h"
#include "puzzles/World_Base.h"
#include "support/KeyScript.h"
#include "util/Tick.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace WorldRun
{

constexpr Tick RunTo = 118000; // the clock the run plays to, short of the warning zone
constexpr Tick FirstTravel = 2500;
constexpr Tick TravelEvery = 5000;
constexpr Tick TravelBack = 1500;
constexpr int DrawEvery = 50; // steps between two frames drawn
constexpr Tick Window = 10000; // ticks of the clock over which the steps' means are compared

} // namespace WorldRun

// A generated data folder (the working directory while it lives), the window and the sound table.
class WorldRun_Data final
{
public:
    // The window at the size given (the world runs' 640x480 unless said).
    explicit WorldRun_Data(int width = 640, int height = 480);
    ~WorldRun_Data();
    WorldRun_Data(WorldRun_Data const&) = delete;
    WorldRun_Data& operator=(WorldRun_Data const&) = delete;

    // How long writing the data folder took, in milliseconds.
    double GenerateMs() const { return generateMs; }

private:
    std::filesystem::path data;
    std::filesystem::path previous;
    Game_Sounds sounds;
    double generateMs = 0.0;
};

class WorldRun_Runner final
{
public:
    // Draws the world's first frame, untimed, and takes the heap the level's records are counted
    // from: after that frame and the room for the step timings, so that neither is counted.
    WorldRun_Runner(benchmark::State& benchState, World_Base& played);
    WorldRun_Runner(WorldRun_Runner const&) = delete;
    WorldRun_Runner& operator=(WorldRun_Runner const&) = delete;

    // One step with the keys held, timed, and after every DrawEvery-th step a frame drawn.
    Level_Action Step(std::vector<int> const& held);

    // Plays to RunTo, travelling back TravelBack ticks every TravelEvery from firstTravel: the back
    // key held until the tick is reached, then a jump. A travel the world does not begin is let
    // go. The clock is counted as the present timeline's: after each travel the steps of play
    // restart from the tick reached, so that the run reaches the clock's end before the level's
    // step limit. Between the travels play takes the player's steps (one or more), and landed is
    // called after each travel's jump.
    void Play(Tick firstTravel, std::function<void()> const& play, std::function<void()> const& landed = {});

    // The steps so far that returned action.
    int Results(Level_Action action) const { return results[action]; }

    // The counters of every world run: the steps' mean, 99th percentile and worst by the wall
    // clock and by processor time, their number, the records' heap and the frames' mean and worst;
    // and the highest mean by processor time of the steps begun in one Window of the clock, of all
    // and of the travel steps alone.
    void Report();

private:
    void Draw();

    benchmark::State& state;
    World_Base& world;
    KeyScript script;
    std::vector<float> wall; // seconds a step took, by the wall clock
    std::vector<float> cpu;  // and by the thread's processor time
    std::vector<Tick> ticks; // the clock when each step began
    std::vector<bool> travel; // whether time travelled when it began
    std::size_t heapAtStart = 0;
    double frameHeap = 0.0; // bytes the frames after the first left in use, or gave back if below 0
    double frameTotal = 0.0; // seconds, by the wall clock
    double frameTotalCpu = 0.0;
    double frameWorst = 0.0;
    double frameWorstCpu = 0.0;
    int frames = 0;
    std::array<int, Level_Restart + 1> results{};
};

class GameEvents;
class Road;

// The world of type as the world runs play it, from the data folder: the player has learnt time
// travel and found the socks (he cannot die, so travel stays possible), and the C library's
// generator is seeded alike before it is built. events must outlive the world.
std::unique_ptr<World_Base> WorldRun_Make(Level_Type type, GameEvents& events);

// The first road the world's generator wrote, its exit left out (the level goes on); false when the
// world has no road file.
bool WorldRun_Road(Level_Type type, Road& road);
