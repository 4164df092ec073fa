// Frames at the sizes the game's window takes: every world of the shell's table walked along its
// road (random keys where it has none) with a frame drawn as the game draws it after every few
// steps, the title, the world map and one picture over the window, each at 640x480, 1024x768 and
// 1920x1080.
#include "FrameBench.h"
#include "StepTimer.h"
#include "WorldRun.h"
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "puzzles/World_Base.h"
#include "shell/World_Table.h"
#include "support/KeyScript.h"
#include "support/RandomKeys.h"
#include "support/RoadWalker.h"

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

constexpr int StepsPerFrame = 4; // steps of play between two frames
constexpr unsigned KeysSeed = 1;

struct Size
{
    int width;
    int height;
};
constexpr Size Sizes[] = {{640, 480}, {1024, 768}, {1920, 1080}};

// A world walked along its road, a frame drawn (cleared, then the level's picture) and finished
// after every few steps. The world's first frame, which readies the GL's drawing, is not timed.
void WorldFrames(benchmark::State& state, Level_Type type, Size size)
{
    WorldRun_Data const folder(size.width, size.height);
    GameEvents events;
    std::unique_ptr<World_Base> world = WorldRun_Make(type, events);
    Road road;
    WorldRun_Road(type, road);
    RoadWalker walker(*world, road);
    RandomKeys keys(KeysSeed, false);
    KeyScript script;
    auto draw = [&] {
        world->SetProjection();
        glClear(GL_COLOR_BUFFER_BIT);
        world->Plot();
        glFinish();
    };
    draw();
    StepTimer timer(state);
    for (auto _ : state)
    {
        for (int i = 0; i < StepsPerFrame; i++)
        {
            std::vector<int> held;
            if (!walker.Done() && !walker.Stuck())
                held = walker.NextKeys();
            if (walker.Done() || walker.Stuck())
                held = keys.Next();
            world->Poll(script.Next(held));
        }
        timer.Step(draw);
    }
    state.counters["road_done"] = walker.Done() ? 1 : 0;
}

std::string SizeName(Size size)
{
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

// Frames/<folder>/<size> for every world of the table, then Frames/title/<size>, Frames/map/<size>
// and Frames/picture/<size>.
[[maybe_unused]] int const registered = [] {
    for (Size const size : Sizes)
    {
        for (World_Row const& row : World_Table)
        {
            Level_Type const type = row.type;
            benchmark::RegisterBenchmark((std::string("Frames/") + row.folder + "/" + SizeName(size)).c_str(),
                                         [type, size](benchmark::State& s) { WorldFrames(s, type, size); })
                ->Iterations(FrameBench::Frames)
                ->UseManualTime()
                ->Unit(benchmark::kMicrosecond);
        }
        for (bool const title : {true, false})
            benchmark::RegisterBenchmark((std::string("Frames/") + (title ? "title/" : "map/") + SizeName(size)).c_str(),
                                         [title, size](benchmark::State& s) { ScreenFrames(s, title, size.width, size.height); })
                ->Iterations(FrameBench::Frames)
                ->UseManualTime()
                ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("Frames/picture/") + SizeName(size)).c_str(),
                                     [size](benchmark::State& s) { PictureFrames(s, size.width, size.height); })
            ->Iterations(FrameBench::Frames)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
    }
    return 0;
}();

} // namespace
