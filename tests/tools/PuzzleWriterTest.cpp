// PuzzleWriter: every generated puzzle loads in the game and the number rules alone solve it.
#include "tools/PuzzleWriter.h"

#include "Grid_Puzzle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

TEST(PuzzleWriter, EveryChestPuzzleLoadsAndSolvesByItsNumbers)
{
    char pattern[] = "/tmp/hm_puzzles_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(pattern);
    PuzzleWriter::WriteAll(".");
    for (int id = 0; id <= PuzzleWriter::LastId; ++id)
    {
        Grid_Puzzle puzzle(id);
        PuzzleWriter_Grid const made = id == 0 ? PuzzleWriter::Tutorial() : PuzzleWriter::Chest(id);
        EXPECT_EQ(puzzle.GetWidth(), made.width) << id;
        EXPECT_TRUE(puzzle.Solve()) << "puzzle " << id;
        EXPECT_TRUE(puzzle.CheckGrid()) << "puzzle " << id;
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(pattern);
}
