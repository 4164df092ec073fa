// The real tick count and sleep come from SDL's timer.
#include "platform/Clock.h"

#include <SDL.h>

namespace
{

std::uint32_t (*injectedTicks)() = nullptr;
void (*injectedSleep)(std::uint32_t) = nullptr;

} // namespace

std::uint32_t Clock::Ticks()
{
    if (injectedTicks)
        return injectedTicks();
    // Truncation keeps the 32-bit wrap that the main loop is written to survive.
    return static_cast<std::uint32_t>(SDL_GetTicks64());
}

void Clock::Sleep(std::uint32_t ms)
{
    if (injectedSleep)
        injectedSleep(ms);
    else
        SDL_Delay(ms);
}

void Clock::Inject(std::uint32_t (*ticks)(), void (*sleep)(std::uint32_t ms))
{
    injectedTicks = ticks;
    injectedSleep = sleep;
}
