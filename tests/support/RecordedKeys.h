// Test support: keys held step by step in a level played in-process (a road walker's, say), turned
// into the lines of a program run's input script (support/GameRun.h) that hold the same keys in the
// program's level, with the player's default keys.
//
//     std::vector<std::vector<int>> steps;
//     walker.Walk([&](std::vector<int> const& held) { steps.push_back(held); return Step(held); });
//     game.Run(RecordedKeys::Script(game, steps) + game.At(int(steps.size()) + 100, "close"));
#pragma once

#include "engine/KeyData.h"
#include "support/GameRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace RecordedKeys
{

// The default virtual code of a play key (key set 1: Q W space P O K shift 1 2) or of the keys
// the title, the map and the menus take (Enter, down, Escape).
inline int Code(int key)
{
    switch (key)
    {
    case KeyIndex_GameLeft: return 0x51;
    case KeyIndex_GameRight: return 0x57;
    case KeyIndex_GameJump: return 0x20;
    case KeyIndex_GameAction: return 0x50;
    case KeyIndex_GamePrevTarget: return 0x4F;
    case KeyIndex_GameNextTarget: return 0x4B;
    case KeyIndex_GameView: return 0x10;
    case KeyIndex_GameBackInTime: return 0x31;
    case KeyIndex_GameForwardInTime: return 0x32;
    case KeyIndex_Enter: return 0x0D;
    case KeyIndex_Down: return 0x28;
    case KeyIndex_Escape: return 0x1B;
    default: ADD_FAILURE() << "no default key for " << key; return 0;
    }
}

// The script lines that hold, in the program's level, the keys each step held: a key goes down
// or up after the step before the first that holds it or no longer does.
inline std::string Script(GameRun const& game, std::vector<std::vector<int>> const& steps)
{
    std::string script;
    std::vector<int> down;
    for (std::size_t i = 0; i <= steps.size(); ++i)
    {
        std::vector<int> const held = i < steps.size() ? steps[i] : std::vector<int>();
        int const at = int(i) - 1;
        for (int key : down)
            if (std::find(held.begin(), held.end(), key) == held.end())
                script += game.At(at, "key " + std::to_string(Code(key)) + " up");
        for (int key : held)
            if (std::find(down.begin(), down.end(), key) == down.end())
                script += game.At(at, "key " + std::to_string(Code(key)) + " down");
        down = held;
    }
    return script;
}

} // namespace RecordedKeys
