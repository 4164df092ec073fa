// SIGINT and SIGTERM end a benchmark run within a moment, through the same path as its end:
// each benchmark stops at its next step and is reported as skipped, the worlds are freed and
// their data folders removed, and the output is complete.
#pragma once

#include <benchmark/benchmark.h>

namespace BenchStop
{

// Takes SIGINT and SIGTERM from here on (before the window system, which would take them
// for a message loop the benchmarks never run). A second signal ends the run at once.
void Install();

// True once a signal has asked the run to end.
bool Requested();

// True once a signal has asked the run to end; the benchmark is then marked skipped (once),
// and must leave its loop.
bool Skip(benchmark::State& state);

} // namespace BenchStop
