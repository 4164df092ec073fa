// Test support: the ways a player might try to pass a world without its puzzles: holding one
// direction from the start with a jump now and then, and random keys. A world whose main exit its
// puzzles guard must not end by its main exit in either.
#pragma once

#include "engine/KeyData.h"
#include "engine/Level_Type.h"
#include "support/RandomKeys.h"
#include "support/RandomSeed.h"

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace ShortcutRun
{

struct Result
{
    Level_Action action = Level_Continue; // how the level ended, or Level_Continue
    int steps = 0;                        // steps taken
    std::string how;                      // what was tried, for a failure's message
};

using Stepper = std::function<Level_Action(std::vector<int> const& held)>;

// Steps until the level ends or `steps` have passed.
template <class Keys>
Result Run(Stepper const& step, int steps, Keys&& keys, std::string how)
{
    Result r;
    r.how = std::move(how);
    for (r.steps = 0; r.steps < steps; ++r.steps)
    {
        r.action = step(keys(r.steps));
        if (r.action != Level_Continue)
        {
            std::ostringstream out;
            out << r.how << ": the level ended (" << r.action << ") after " << r.steps + 1 << " steps";
            r.how = out.str();
            ++r.steps;
            break;
        }
    }
    return r;
}

// Holds the direction (KeyIndex_GameLeft or KeyIndex_GameRight) for `steps` steps, holding jump as
// well for 10 steps of every 40.
inline Result Hold(Stepper const& step, int direction, int steps = 3000)
{
    std::string const how = direction == KeyIndex_GameLeft ? "holding left" : "holding right";
    return Run(step, steps,
               [direction](int i) {
                   std::vector<int> held{direction};
                   if (i % 40 < 10)
                       held.push_back(KeyIndex_GameJump);
                   return held;
               },
               how);
}

// Random walking, jumping and changing of target (no action key: nothing is talked to, thrown or
// solved) for `steps` steps.
inline Result Random(Stepper const& step, unsigned seed, int steps = 20000)
{
    RandomKeys keys(seed, false);
    return Run(step, steps, [&keys](int) { return keys.Next(); }, "random keys, seed " + std::to_string(seed));
}

// The seeds of the random runs: few, since each is long.
inline std::initializer_list<unsigned> const Seeds = {1, 2, 3};

// Every run above from a world that build() makes afresh before each: both held directions, then
// random keys for each of Seeds and a fresh seed. check(result) sees each run's result while the
// world it ended in still stands. A world that random keys pass only by rare luck sets fresh false:
// Seeds alone, so that a run never fails by chance.
template <class Build, class Check>
void Each(Build&& build, Stepper const& step, Check&& check, bool fresh = true)
{
    for (int direction : {KeyIndex_GameLeft, KeyIndex_GameRight})
    {
        build();
        check(Hold(step, direction));
    }
    auto const random = [&](unsigned seed) {
        build();
        check(Random(step, seed));
    };
    if (fresh)
        ForEachSeed(Seeds, random);
    else
        for (unsigned seed : Seeds)
            random(seed);
}

} // namespace ShortcutRun
