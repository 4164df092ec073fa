// The benchmark program: Google Benchmark's own main, with the signals taken first.
#include "Stop.h"

#include <benchmark/benchmark.h>

#include <csignal>

namespace
{

volatile std::sig_atomic_t stopRequested = 0;

void OnSignal(int)
{
    stopRequested = 1;
}

} // namespace

namespace BenchStop
{

void Install()
{
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // The first signal asks; a second one finds the default handling back and ends the run.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool Requested()
{
    return stopRequested != 0;
}

bool Skip(benchmark::State& state)
{
    if (!Requested())
        return false;
    if (!state.error_occurred())
        state.SkipWithError("stopped by a signal");
    return true;
}

} // namespace BenchStop

int main(int argc, char** argv)
{
    BenchStop::Install();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
