// The clock that turns the millisecond tick count into due 15 ms game steps.
#pragma once

#include <cstdint>

constexpr std::uint32_t StepClock_StepMs = 15;
constexpr std::uint32_t StepClock_MaxGapMs = 120; // a longer gap runs a single step

// Game logic runs in fixed steps, however often frames are drawn. After a stall (loading a
// world, a dragged window) the backlog is dropped so that the game slows down instead of
// racing through hundreds of steps. All arithmetic is on the 32-bit count, which wraps.
class StepClock final
{
public:
    explicit StepClock(std::uint32_t now) : stepClock(now) {}

    // Called once per pass with the time now, before the due steps are taken.
    void Catch(std::uint32_t now);
    // True when another step is due by now; the step is then counted as taken.
    bool Due(std::uint32_t now);

    // Milliseconds until the next step is due by now; 0 when one is due.
    std::uint32_t UntilDue(std::uint32_t now) const;

    std::uint32_t Time() const { return stepClock; }

private:
    std::uint32_t stepClock; // ms of the last step taken
};
