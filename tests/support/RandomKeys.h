// Test support: random play for the worlds' replay runs and the world bench: walking either way or
// standing, now and then a jump or a change of target (and, where asked, the action key), each held
// for a while. Repeatable from its seed.
#pragma once

#include "engine/KeyData.h"

#include <random>
#include <vector>

class RandomKeys final
{
public:
    // withAction lets the action key in: talks, throws, and chests' puzzles that stop the clock
    // until they are left.
    explicit RandomKeys(unsigned seed, bool withAction = true) : random(seed), action(withAction) {}

    // The keys to hold in the next step.
    std::vector<int> Next()
    {
        if (holdFor-- > 0)
            return held;
        held.clear();
        int const walk = static_cast<int>(random() % 5);
        if (walk < 2)
            held.push_back(KeyIndex_GameRight);
        else if (walk < 4)
            held.push_back(KeyIndex_GameLeft);
        int const extra = static_cast<int>(random() % 12);
        if (extra < 3)
            held.push_back(KeyIndex_GameJump);
        else if (extra == 3 && action)
            held.push_back(KeyIndex_GameAction);
        else if (extra == 4)
            held.push_back(KeyIndex_GameNextTarget);
        holdFor = 5 + static_cast<int>(random() % 60);
        return held;
    }

    // The generator, for the caller's other random choices.
    std::mt19937& Engine() { return random; }

private:
    std::mt19937 random;
    bool action;
    std::vector<int> held;
    int holdFor = 0; // steps the keys held stay so
};
