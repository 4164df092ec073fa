// The game's unit of time: one 15 ms step, counted from the start of a level.
#pragma once

#include <cstdint>

using Tick = std::int32_t;
