// PuzzleWriter: every generated puzzle loads in the game and the number rules alone solve it.
#include "tools/PuzzleWriter.h"

#include "puzzles/Grid_Puzzle.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

TEST(PuzzleWriter, EveryChestPuzzleLoadsAndSolvesByItsNumbers)
{
    TestFolder dir(true);
    PuzzleWriter::WriteAll(".");
    for (int id = 0; id <= PuzzleWriter::LastId; ++id)
    {
        Grid_Puzzle puzzle(id);
        PuzzleWriter_Grid const made = id == 0 ? PuzzleWriter::Tutorial() : PuzzleWriter::Chest(id);
        EXPECT_EQ(puzzle.GetWidth(), made.width) << id;
        EXPECT_TRUE(puzzle.Solve()) << "puzzle " << id;
        EXPECT_TRUE(puzzle.CheckGrid()) << "puzzle " << id;
    }
}
