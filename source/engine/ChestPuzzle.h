// ChestPuzzle: the screen a chest's lock opens, as the level sees it.
#pragma once

#include <functional>
#include <memory>

struct KeyData;

// While a chest's puzzle is open it fills the screen and takes every step's input. The level
// knows puzzles only through this; the world that builds the level says which kind locks its
// chests.
class ChestPuzzle
{
public:
    virtual ~ChestPuzzle() = default;

    // One step; 0 while open, then once the result: 1 abandoned, 2 solved.
    virtual int Poll(KeyData const* keys) = 0;
    virtual void Plot() const = 0;
};

// Opens the puzzle with the given id that locks a chest.
using ChestPuzzleMaker = std::function<std::unique_ptr<ChestPuzzle>(int id)>;
