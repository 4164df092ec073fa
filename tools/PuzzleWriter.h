// PuzzleWriter: writes grid puzzle files (little-endian width, height, then a solution and a shown flag per square).
#pragma once

#include <string>
#include <vector>

struct PuzzleWriter_Grid
{
    int width = 0;
    int height = 0;
    std::vector<int> solution; // row by row from the top: 1 on, 0 off
    std::vector<int> shown;    // row by row: -1 no number shown, anything else a number shown
};

class PuzzleWriter final
{
public:
    // Throws std::runtime_error naming the path when it cannot be written.
    static void Write(std::string const& path, PuzzleWriter_Grid const& puzzle);

    // The tutorial's 6x6 picture, whose squares its script explains one by one.
    static PuzzleWriter_Grid Tutorial();
    // A picture of its own for every chest number, every square numbered.
    static PuzzleWriter_Grid Chest(int id);

    // dir/puzzles/puzzle00 (the tutorial) to puzzleNN for every chest number the worlds use.
    static void WriteAll(std::string const& dir);

    static constexpr int LastId = 20;
};
