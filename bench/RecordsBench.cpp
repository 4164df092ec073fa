// Benchmarks of the time records alone: key-frame logs, tick sets and per-tick histories.
#include "BenchFloor.h"
#include "StepTimer.h"
#include "Stop.h"
#include "Strider.h"
#include "engine/Positioner.h"
#include "engine/TimeFrames.h"
#include "engine/TimeLog.h"
#include "engine/TimeSet.h"
#include "util/Pointf.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <memory>
#include <random>
#include <vector>

namespace
{

constexpr Tick LevelLength = 120000;

// Heap bytes in use, large blocks that the allocator maps on their own included.
size_t HeapInUse()
{
    struct mallinfo2 const info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// A strider with its log, stepped live like a creature that is never culled.
struct LoggedStrider
{
    explicit LoggedStrider(Map const* floorMap) : map(floorMap), hits(new TimeSet), start(hits, 0.0, 40.0)
    {
        log.Init(&start);
    }
    LoggedStrider(LoggedStrider const&) = delete;
    LoggedStrider& operator=(LoggedStrider const&) = delete;
    ~LoggedStrider() { hits->Destroy(); }

    void PlayTo(Tick last)
    {
        for (Tick t = now + 1; t <= last && !BenchStop::Requested(); t++)
            At(t);
    }
    Strider* At(Tick t)
    {
        now = t;
        return log.GetPos(map, t);
    }
    // A tick shown again by time travel.
    Strider* Shown(Tick t)
    {
        now = t;
        return log.GetPos(map, t, Object_Step{true, nullptr});
    }

    Map const* map;
    TimeSet* hits; // the benchmark's own reference
    Strider start;
    TimeLog<Strider> log;
    Tick now = 0; // the tick last asked for
};

// Reading a long log at random ticks: nearly every read rebuilds a window from a key frame.
void KeyFrameRandomAccess(benchmark::State& state)
{
    std::unique_ptr<Map> map = BenchFloor::Make();
    LoggedStrider strider(map.get());
    for (Tick t = 1; t < LevelLength && !BenchStop::Requested(); t++)
        strider.At(t);
    std::mt19937 pick(1234);
    std::uniform_int_distribution<Tick> tick(0, LevelLength - 1);
    StepTimer timer(state);
    for (auto _ : state)
    {
        Tick const t = tick(pick);
        timer.Step([&] { benchmark::DoNotOptimize(strider.Shown(t)); });
    }
}
BENCHMARK(KeyFrameRandomAccess)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A creature culled at tick 1000 and asked for tick 41000 when it comes into view again. While
// culled it sleeps a step at a time; every sleeping step is timed, and the time column is the
// step in which it comes back.
void ReactivationAfterCull(benchmark::State& state)
{
    std::unique_ptr<Map> map = BenchFloor::Make();
    StepTimer timer(state);
    for (auto _ : state)
    {
        LoggedStrider strider(map.get());
        strider.PlayTo(1000);
        for (Tick t = 1001; t < 41000; t++)
            timer.Time([&] { strider.log.Sleep(map.get(), t); });
        timer.Step([&] { benchmark::DoNotOptimize(strider.At(41000)); });
    }
}
BENCHMARK(ReactivationAfterCull)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(20);

// Play goes on from the start after a travel back over a whole level: the first live step lets go
// of every later key frame, since play from here on makes a new future.
void LiveStepAfterLongTravel(benchmark::State& state)
{
    std::unique_ptr<Map> map = BenchFloor::Make();
    StepTimer timer(state);
    for (auto _ : state)
    {
        LoggedStrider strider(map.get());
        strider.PlayTo(LevelLength - 1);
        strider.At(10);
        timer.Step([&] { benchmark::DoNotOptimize(strider.At(11)); });
    }
}
BENCHMARK(LiveStepAfterLongTravel)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(10);

// A switch pressed for 10 ticks of every 100 over a whole level: 1200 runs, queried late.
void TickSetLateQuery(benchmark::State& state)
{
    TimeSet* presses = new TimeSet;
    for (Tick t = 0; t < LevelLength; t += 100)
        presses->AddRange(TimeRange(t, t + 10));
    Tick t = LevelLength - 2000;
    for (auto _ : state)
    {
        if (BenchStop::Skip(state))
            break;
        benchmark::DoNotOptimize(presses->Check(t));
        benchmark::DoNotOptimize(presses->Count(t));
        t = t + 1 < LevelLength ? t + 1 : LevelLength - 2000;
    }
    presses->Destroy();
}
BENCHMARK(TickSetLateQuery)->Unit(benchmark::kMicrosecond);

// Pressing the switch once more at the end of the level: the add scans and sorts every run.
void TickSetLateAdd(benchmark::State& state)
{
    TimeSet* presses = new TimeSet;
    for (Tick t = 0; t < LevelLength - 2000; t += 100)
        presses->AddRange(TimeRange(t, t + 10));
    Tick t = LevelLength - 2000;
    for (auto _ : state)
    {
        if (BenchStop::Skip(state))
            break;
        presses->Add(t);
        t += 2;
    }
    presses->Destroy();
}
BENCHMARK(TickSetLateAdd)->Unit(benchmark::kMicrosecond)->Iterations(1000);

// Bytes held by a level's worth of records: 20 logged creatures, four switches pressed every
// 100 ticks, three carried items and the player's recordings, played for 120000 ticks with a
// travel back of 1500 ticks every 5000, each travel starting a new recording.
void RecordsMemory(benchmark::State& state)
{
    constexpr int Creatures = 20;
    constexpr int Switches = 4;
    constexpr int Items = 3;
    std::unique_ptr<Map> map = BenchFloor::Make();
    for (auto _ : state)
    {
        size_t const before = HeapInUse();
        std::vector<std::unique_ptr<LoggedStrider>> creatures;
        for (int i = 0; i < Creatures; i++)
            creatures.push_back(std::make_unique<LoggedStrider>(map.get()));
        std::vector<TimeSet*> switches;
        for (int i = 0; i < Switches; i++)
            switches.push_back(new TimeSet);
        Pointf const origin(0.0, 0.0);
        auto selves = std::make_unique<TimeFrames>();
        std::vector<std::unique_ptr<Positioner<Pointf>>> items;
        for (int i = 0; i < Items; i++)
            items.push_back(std::make_unique<Positioner<Pointf>>(&origin));

        int pass = 0;
        Tick nextTravel = 5000;
        for (Tick t = 1; t < LevelLength && !BenchStop::Skip(state); t++)
        {
            for (auto& c : creatures)
                c->At(t);
            selves->AddEcho(creatures.front()->At(t));
            for (int i = 0; i < Switches; i++)
                if ((t + 25 * i) % 100 < 10)
                    switches[size_t(i)]->Add(t);
            // Carried for the first half of each 1000 ticks, moving all the while.
            for (int i = 0; i < Items; i++)
                if (t % 1000 < 500)
                    items[size_t(i)]->SetPos(t, Pointf(double(t % 1000) + i, double(pass)));
            if (t == nextTravel)
            {
                nextTravel += 5000;
                pass++;
                for (Tick back = t; back > t - 1500; back -= 16)
                    for (auto& c : creatures)
                        c->At(back);
                t -= 1500;
                selves->NewFrame(t + 1);
            }
        }
        size_t const after = HeapInUse();
        state.counters["MB"] = double(after - before) / (1024.0 * 1024.0);
        state.counters["bytes_per_tick"] = double(after - before) / LevelLength;
        for (TimeSet* s : switches)
            s->Destroy();
    }
}
BENCHMARK(RecordsMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
