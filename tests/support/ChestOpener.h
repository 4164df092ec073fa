// Test support: a world's chest opened by keys as a player opens it: walked to along a road that ends
// in a station by the chest (where the walker presses action), its grid puzzle solved by the cursor
// keys and action from the squares it hides, and the gem it held taken.
//
//     Road way("to the chest");
//     way.Press(chestX, floor, "chest", 2);
//     ChestOpen_Result const r = ChestOpener::Open(*world, events, way, slot, step);
//     ASSERT_TRUE(r.done) << r.report;
//
// The keys go through any stepper, as the road walker's do, so the same opening plays in a world
// fixture and in the whole game's builder.
#pragma once

#include "engine/ChestPuzzle.h"
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "puzzles/Grid_Puzzle.h"
#include "puzzles/World_Base.h"
#include "support/RoadWalker.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr int ChestOpener_LookSteps = 40;   // steps the opened puzzle takes to zoom in
constexpr int ChestOpener_CloseLimit = 600; // steps for a solved puzzle to close
constexpr int ChestOpener_TakeLimit = 300;  // steps for the gem to be taken after

struct ChestOpen_Result
{
    bool done = false;  // the puzzle solved and the gem taken
    int steps = 0;      // steps taken, the walk there included
    std::string report; // where it stopped short
};

namespace ChestOpener
{

// One press of key: held for a step, let go for the next.
inline void Press(RoadWalker::Stepper const& step, int key, int& steps)
{
    step({key});
    step({});
    steps += 2;
}

// Solves the grid puzzle open in world: row by row, the cursor taken to each square of the hidden
// picture and action pressed there. Once the last square is filled the puzzle takes no more keys.
// False, with a report, when no grid puzzle is open or the cursor did not go where sent.
inline bool Solve(World_Base& world, RoadWalker::Stepper const& step, int& steps, std::string& report)
{
    auto const* puzzle = dynamic_cast<Grid_Puzzle const*>(world.GetChestPuzzle());
    if (puzzle == nullptr)
    {
        report = "no grid puzzle is open";
        return false;
    }
    for (int y = 0; y < puzzle->GetHeight() && !puzzle->CheckGrid(); y++)
        for (int x = 0; x < puzzle->GetWidth() && !puzzle->CheckGrid(); x++)
        {
            if (puzzle->GetOrigGrid(x, y) == 0)
                continue;
            for (int moves = 0; puzzle->GetCursorX() != x && moves < Grid_Puzzle_MaxSide; moves++)
                Press(step, puzzle->GetCursorX() < x ? KeyIndex_GameRight : KeyIndex_GameLeft, steps);
            for (int moves = 0; puzzle->GetCursorY() != y && moves < Grid_Puzzle_MaxSide; moves++)
                Press(step, puzzle->GetCursorY() < y ? KeyIndex_GameNextTarget : KeyIndex_GamePrevTarget, steps);
            if (puzzle->GetCursorX() != x || puzzle->GetCursorY() != y)
            {
                report = "the cursor did not reach square (" + std::to_string(x) + ", " + std::to_string(y) + ")";
                return false;
            }
            Press(step, KeyIndex_GameAction, steps);
        }
    if (!puzzle->CheckGrid())
    {
        report = "the puzzle is not solved by its picture's squares";
        return false;
    }
    return true;
}

// Walks way (its last point a station by the chest), solves the puzzle the chest opens and waits
// What a walk may do (a screenshot, say) as the puzzle stands "open" and again once it is "solved".
using Watch = std::function<void(char const* stage)>;

// Walks way (its last point a station by the chest), solves the puzzle the chest opens and waits
// until the puzzle has closed and the gem of the world's column slot is taken in the progress record
// the world plays with.
inline ChestOpen_Result Open(World_Base& world, GameEvents const& events, Road const& way, int slot,
                             RoadWalker::Stepper const& step, Watch const& watch = {})
{
    ChestOpen_Result r;
    RoadWalk_Result const walked = RoadWalker(world, way).Walk(step);
    r.steps = walked.steps;
    if (!walked.done)
    {
        r.report = walked.report;
        return r;
    }
    std::string const where = "road " + way.name + ": ";
    // The puzzle zooms in from a point: looked at whole before the first key.
    for (int i = 0; i < ChestOpener_LookSteps && world.GetChestPuzzle() != nullptr; i++, r.steps++)
        step({});
    if (watch && world.GetChestPuzzle() != nullptr)
        watch("open");
    if (!Solve(world, step, r.steps, r.report))
    {
        r.report = where + r.report;
        return r;
    }
    if (watch)
        watch("solved");
    for (int i = 0; i < ChestOpener_CloseLimit && world.GetChestPuzzle() != nullptr; i++, r.steps++)
        step({});
    if (world.GetChestPuzzle() != nullptr)
    {
        r.report = where + "the solved puzzle did not close";
        return r;
    }
    std::uint8_t const& taken = events.levelFlags[world.GetGemRow()][slot];
    for (int i = 0; i < ChestOpener_TakeLimit && taken == 0; i++, r.steps++)
        step({});
    if (taken == 0)
    {
        r.report = where + "the gem in slot " + std::to_string(slot) + " was not taken";
        return r;
    }
    r.done = true;
    return r;
}

} // namespace ChestOpener
