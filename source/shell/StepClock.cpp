// The due-step arithmetic of the main loop.
#include "shell/StepClock.h"

void StepClock::Catch(std::uint32_t now)
{
    // The counter has wrapped: start counting again from zero.
    if (now < 1000 && stepClock > 1000)
        stepClock = 0;
    if (now - stepClock > StepClock_MaxGapMs)
        stepClock = now - StepClock_StepMs;
}

bool StepClock::Due(std::uint32_t now)
{
    // Compared as a difference: stepClock + 15 would wrap past the top of the count and
    // call every step due.
    if (now - stepClock < StepClock_StepMs)
        return false;
    stepClock += StepClock_StepMs;
    return true;
}

std::uint32_t StepClock::UntilDue(std::uint32_t now) const
{
    std::uint32_t const elapsed = now - stepClock;
    return elapsed >= StepClock_StepMs ? 0 : StepClock_StepMs - elapsed;
}
