// Times single steps inside a benchmark and reports their mean and worst.
#pragma once

#include "Stop.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <time.h>

// The counters show the mean and the worst of the timed steps, by the wall clock and by the
// thread's own processor time: on a shared machine a wall-clock figure can include another
// program's turns, a processor-time one cannot. A benchmark that times one step per iteration
// uses Step, so that its time column (manual time) is that step too.
class StepTimer final
{
public:
    explicit StepTimer(benchmark::State& benchState) : state(benchState) {}
    StepTimer(StepTimer const&) = delete;
    StepTimer& operator=(StepTimer const&) = delete;
    ~StepTimer()
    {
        state.counters["mean_us"] = Mean() * 1e6;
        state.counters["worst_us"] = worst * 1e6;
        state.counters["worst_cpu_us"] = worstCpu * 1e6;
        state.counters["mean_cpu_us"] = samples > 0 ? totalCpu / double(samples) * 1e6 : 0.0;
    }

    template <class F>
    void Step(F&& step)
    {
        state.SetIterationTime(Time(step));
    }

    // Returns the step's wall-clock time in seconds. Once a signal asks the run to end, the
    // step is no longer taken.
    template <class F>
    double Time(F&& step)
    {
        if (BenchStop::Skip(state))
            return 0.0;
        double const cpuBegin = ThreadSeconds();
        auto const begin = std::chrono::steady_clock::now();
        step();
        double const seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        worst = std::max(worst, seconds);
        double const cpu = ThreadSeconds() - cpuBegin;
        worstCpu = std::max(worstCpu, cpu);
        totalCpu += cpu;
        total += seconds;
        samples++;
        return seconds;
    }

    // The mean of the steps timed so far, in seconds.
    double Mean() const { return samples > 0 ? total / samples : 0.0; }

private:
    static double ThreadSeconds()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
    }

    benchmark::State& state;
    double worst = 0.0;    // seconds
    double worstCpu = 0.0; // seconds
    double total = 0.0;    // seconds
    double totalCpu = 0.0; // seconds
    long samples = 0;
};
