// Times single steps inside a benchmark and reports their mean and worst.
#pragma once

#include <algorithm>
#include <chrono>

#include <benchmark/benchmark.h>

// The counters show the mean and the worst of the timed steps. A benchmark that times one
// step per iteration uses Step, so that its time column (manual time) is that step too.
class StepTimer final
{
public:
    explicit StepTimer(benchmark::State& benchState) : state(benchState), worst(0.0), total(0.0), samples(0) {}
    StepTimer(StepTimer const&) = delete;
    StepTimer& operator=(StepTimer const&) = delete;
    ~StepTimer()
    {
        state.counters["worst_us"] = worst * 1e6;
        state.counters["mean_us"] = samples > 0 ? total / samples * 1e6 : 0.0;
    }

    template <class F>
    void Step(F&& step)
    {
        state.SetIterationTime(Time(step));
    }

    // Returns the step's time in seconds.
    template <class F>
    double Time(F&& step)
    {
        auto const begin = std::chrono::steady_clock::now();
        step();
        double const seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        worst = std::max(worst, seconds);
        total += seconds;
        samples++;
        return seconds;
    }

private:
    benchmark::State& state;
    double worst; // seconds
    double total; // seconds
    long samples;
};
