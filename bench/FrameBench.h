// The frame benchmarks' shared part: how many frames a run times, and the screens between levels,
// drawn apart from the worlds (their headers do not go together).
#pragma once

#include <benchmark/benchmark.h>

namespace FrameBench
{
constexpr int Frames = 400; // frames timed in each run
} // namespace FrameBench

// The title (title set) or the world map, drawn as the game draws it, in a window of that size.
void ScreenFrames(benchmark::State& state, bool title, int width, int height);
// One picture over the whole view, as the game draws its pictures: what every other row is read by.
void PictureFrames(benchmark::State& state, int width, int height);
