// Test support: the ways a player might try to pass a world without its puzzles: holding one
// direction from the start with a jump now and then, and random keys. A world whose main exit its
// puzzles guard must not end by its main exit in either. Wedged asks whether a run left the player
// where no key moves him again.
#pragma once

#include "engine/KeyData.h"
#include "engine/Level_Type.h"
#include "engine/Player.h"
#include "engine/Player_Sprites.h"
#include "puzzles/World_Base.h"
#include "support/RandomKeys.h"
#include "support/RandomSeed.h"

#include <cmath>
#include <cstdio>
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

// The keys of a held direction (KeyIndex_GameLeft or KeyIndex_GameRight) in step i: jump as well
// for 10 steps of every 40 and, twice, for 10 more from the jump's top on (a player who has the
// double jump jumps again in the air).
inline std::vector<int> HeldKeys(int direction, int i, bool twice = false)
{
    std::vector<int> held{direction};
    if (i % 40 < 10 || (twice && i % 40 >= 20 && i % 40 < 30))
        held.push_back(KeyIndex_GameJump);
    return held;
}

// Holds the direction for `steps` steps (HeldKeys).
inline Result Hold(Stepper const& step, int direction, int steps = 3000, bool twice = false)
{
    std::string how = direction == KeyIndex_GameLeft ? "holding left" : "holding right";
    if (twice)
        how += ", jumping twice";
    return Run(
        step, steps, [direction, twice](int i) { return HeldKeys(direction, i, twice); }, how);
}

// How a player with the double jump jumps while he holds a direction: jump for 10 steps of every
// 40; or, twice, again 20 steps after each jump began, or again at its top (22 steps after).
enum class Jumps
{
    Once,
    Twice,
    AtTop,
};
inline char const* JumpsName(Jumps jumps)
{
    return jumps == Jumps::Once ? "jumping once" : jumps == Jumps::Twice ? "jumping twice" : "jumping again at the top";
}

// The keys of a held direction in step i after `walk` steps of walking first: the jumps start
// late by that many steps.
inline std::vector<int> HeldKeys(int direction, int i, Jumps jumps, int walk)
{
    if (i < walk)
        return {direction};
    int const phase = (i - walk) % 40;
    std::vector<int> held{direction};
    int const again = jumps == Jumps::Twice ? 20 : 22;
    if (phase < 10 || (jumps != Jumps::Once && phase >= again && phase < again + 10))
        held.push_back(KeyIndex_GameJump);
    return held;
}

inline std::string HoldName(int direction, Jumps jumps, int walk)
{
    return std::string(direction == KeyIndex_GameLeft ? "holding left" : "holding right") + ", " + JumpsName(jumps)
           + " after walking " + std::to_string(walk) + " steps";
}

// Holds the direction for `steps` steps, jumping as `jumps` says after walking `walk` steps.
inline Result Hold(Stepper const& step, int direction, Jumps jumps, int walk, int steps = 3000)
{
    return Run(
        step, steps, [=](int i) { return HeldKeys(direction, i, jumps, walk); }, HoldName(direction, jumps, walk));
}

// Steps a probe of whether no key moves the player any more may take in each direction.
constexpr int Wedge_Steps = 300;

// Whether the player is wedged where he stands: holding left, and then right, each with its jumps
// (twice: the double jump's as well), moves his feet by less than his own width within Wedge_Steps
// steps, sideways or down (a jump that only lands him where he stood again does not count). "" when
// he moved or the level ended; otherwise where he stays, for a failure's message.
inline std::string Wedged(World_Base const& world, Stepper const& step, bool twice = false)
{
    Player const* player = world.GetPlayer();
    Pointf const from = player->GetPos();
    double const width = Player_Width * player->GetScale();
    for (int direction : {KeyIndex_GameLeft, KeyIndex_GameRight})
        for (int i = 0; i < Wedge_Steps; ++i)
        {
            if (step(HeldKeys(direction, i, twice)) != Level_Continue)
                return "";
            Pointf const at = player->GetPos();
            if (std::fabs(at.x - from.x) >= width || from.y - at.y >= width)
                return "";
        }
    char text[160];
    std::snprintf(text, sizeof text,
                  "wedged at (%.0f, %.0f) at size %g: holding left or right moves him under %g in %d steps", from.x,
                  from.y, player->GetScale(), width, Wedge_Steps);
    return text;
}

// Random walking, jumping and changing of target (no action key: nothing is talked to, thrown or
// solved) for `steps` steps.
inline Result Random(Stepper const& step, unsigned seed, int steps = 20000)
{
    RandomKeys keys(seed, false);
    return Run(
        step, steps, [&keys](int) { return keys.Next(); }, "random keys, seed " + std::to_string(seed));
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
