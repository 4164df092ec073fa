// The millisecond tick count that paces the main loop, and sleeping; both can be replaced by tests.
#pragma once

#include <cstdint>

class Clock final
{
public:
    // Milliseconds since the layer first asked, in 32 bits: the count wraps to 0 after 2^32 - 1.
    static std::uint32_t Ticks();
    static void Sleep(std::uint32_t ms);

    // Replaces the tick source and the sleep; a null function restores the real one.
    static void Inject(std::uint32_t (*ticks)(), void (*sleep)(std::uint32_t ms));
};
