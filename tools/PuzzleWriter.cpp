// PuzzleWriter: the tutorial picture, a seeded picture per chest and the little-endian file layout.
#include "tools/PuzzleWriter.h"

#include "tools/DataGen.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace
{

void PutInt(std::FILE* file, int value)
{
    std::uint32_t v = static_cast<std::uint32_t>(value);
    unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                          static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    std::fwrite(b, 1, 4, file);
}

// Rows of the tutorial picture, top first; '#' is on.
char const* const tutorialRows[6] = {
    ".#####", "######", "##....", "######", "....##", "#####.",
};

// Seeds whose pictures the number rules alone can solve with every square numbered, by chest.
std::uint32_t const chestSeeds[PuzzleWriter::LastId + 1] = {0,  10, 42, 10, 24, 20, 27, 18, 8, 24, 18,
                                                            43, 35, 8,  9,  20, 20, 77, 8,  1, 20};

} // namespace

void PuzzleWriter::Write(std::string const& path, PuzzleWriter_Grid const& puzzle)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        throw std::runtime_error("cannot write " + path);
    PutInt(file, puzzle.width);
    PutInt(file, puzzle.height);
    for (std::size_t i = 0; i < puzzle.solution.size(); ++i)
    {
        PutInt(file, puzzle.solution[i]);
        PutInt(file, puzzle.shown[i]);
    }
    if (std::fclose(file) != 0)
        throw std::runtime_error("cannot write " + path);
}

PuzzleWriter_Grid PuzzleWriter::Tutorial()
{
    PuzzleWriter_Grid puzzle;
    puzzle.width = 6;
    puzzle.height = 6;
    for (char const* row : tutorialRows)
        for (int x = 0; x < 6; ++x)
        {
            puzzle.solution.push_back(row[x] == '#' ? 1 : 0);
            puzzle.shown.push_back(0);
        }
    return puzzle;
}

PuzzleWriter_Grid PuzzleWriter::Chest(int id)
{
    if (id < 1 || id > LastId)
        throw std::runtime_error("no picture for chest " + std::to_string(id));
    PuzzleWriter_Grid puzzle;
    puzzle.width = 6 + id % 5;
    puzzle.height = 5 + id % 4;
    // A small linear congruential sequence keeps every chest's picture the same from run to run.
    std::uint32_t state = chestSeeds[id];
    for (int i = 0; i < puzzle.width * puzzle.height; ++i)
    {
        state = state * 1664525u + 1013904223u;
        puzzle.solution.push_back((state >> 24) < 110 ? 1 : 0);
        puzzle.shown.push_back(0);
    }
    return puzzle;
}

void PuzzleWriter::WriteAll(std::string const& dir)
{
    DataGen::MakeDirs(dir + "/puzzles");
    for (int id = 0; id <= LastId; ++id)
    {
        char name[32];
        std::snprintf(name, sizeof name, "/puzzles/puzzle%.2d", id);
        Write(dir + name, id == 0 ? Tutorial() : Chest(id));
    }
}
