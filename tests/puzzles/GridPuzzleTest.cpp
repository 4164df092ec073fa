// Grid_Puzzle: rejecting malformed files, numbers from the solution, the check and the solver,
// marking by mouse and keys, the solved and abandoned endings and the tutorial script.
#include "engine/KeyData.h"
#include "puzzles/Grid_Puzzle.h"
#include "support/MediaTestSupport.h"
#include "support/SpeakingFixture.h"
#include "tools/PuzzleWriter.h"
#include "util/DataFile.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>

namespace
{

// Rows top first, '#' on; every square numbered (with a stale count) except those listed.
PuzzleWriter_Grid Picture(std::vector<char const*> rows, std::vector<int> hidden = {})
{
    PuzzleWriter_Grid p;
    p.height = static_cast<int>(rows.size());
    p.width = static_cast<int>(std::strlen(rows[0]));
    for (char const* row : rows)
        for (int x = 0; x < p.width; ++x)
        {
            p.solution.push_back(row[x] == '#');
            p.shown.push_back(3);
        }
    for (int i : hidden)
        p.shown[i] = -1;
    return p;
}

void Write(int id, PuzzleWriter_Grid const& p)
{
    char name[64];
    Grid_Puzzle::FileName(id, name, sizeof name);
    PuzzleWriter::Write(name, p);
}

KeyData Press(int key)
{
    KeyData k;
    k.keys[key] = KeyState_Pressed;
    return k;
}

// Steps until the puzzle hands back its result, counting the steps.
int RunToEnd(Grid_Puzzle& puzzle, int& steps)
{
    KeyData idle;
    for (steps = 1; steps < 10000; ++steps)
        if (int r = puzzle.Poll(&idle))
            return r;
    return 0;
}

} // namespace

class GridPuzzleTest : public SpeakingFixture
{
protected:
    void SetUp() override
    {
        DataGen::MakeDirs("puzzles");
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
        Grid_Puzzle::Initialise();
    }
    void TearDown() override { Grid_Puzzle::Finalise(); }

    static void Settle(Grid_Puzzle& puzzle)
    {
        KeyData idle;
        for (int i = 0; i < 200; ++i)
            puzzle.Poll(&idle);
    }

    // A click in the middle of square (x, y), given in window orientation.
    static KeyData Click(Grid_Puzzle const& puzzle, double x, double y, bool left)
    {
        double const side = 32.0 * puzzle.GetScale();
        Pointf const corner = puzzle.GetScrPos(0, 0);
        KeyData k;
        k.mouse = Pointf(corner.x + (x + 0.5) * side, (480.0 - corner.y) + (y + 0.5) * side);
        (left ? k.leftClick : k.rightClick) = 1;
        return k;
    }

    // The colour drawn at the middle of square (x, y).
    static std::array<int, 3> Middle(Grid_Puzzle const& puzzle, int x, int y)
    {
        glClear(GL_COLOR_BUFFER_BIT);
        puzzle.Plot();
        double const side = 32.0 * puzzle.GetScale();
        Pointf const c = puzzle.GetScrPos(x, y);
        return Pixel(static_cast<int>(c.x + side / 2), static_cast<int>(c.y - side / 2));
    }
};

TEST_F(GridPuzzleTest, MalformedFilesAreRejectedNamingTheFile)
{
    Write(123, Picture({"#", "."}));
    EXPECT_EQ(Grid_Puzzle(123).GetHeight(), 2);
    // Zeros after the grid, past any puzzle's size: not read at all.
    std::filesystem::resize_file("puzzles/puzzle123", DataFile_PuzzleLimit + 1);
    EXPECT_THROW(Grid_Puzzle large(123), Error);

    std::vector<std::vector<std::int32_t>> const bad = {
        {0, 1, 1, 1},
        {1, -2, 1, 1},
        {Grid_Puzzle_MaxSide + 1, 1},
        {2, 2, 1, -1, 0, -1, 1, -1, 0},
        {3},
        {},
        // Squares neither on nor off, or shown numbers no square can have: once solved at the first mark.
        {1, 2, 2, -1, 0, -1},
        {1, 2, 1, -1, -1, -1},
        {1, 2, 1, 10, 0, -1},
        {1, 2, 1, -2, 0, -1}};
    for (auto const& words : bad)
    {
        std::FILE* f = std::fopen("puzzles/puzzle08", "wb");
        for (std::int32_t w : words)
        {
            unsigned char b[4] = {static_cast<unsigned char>(w), static_cast<unsigned char>(w >> 8),
                                  static_cast<unsigned char>(w >> 16), static_cast<unsigned char>(w >> 24)};
            std::fwrite(b, 1, 4, f);
        }
        std::fclose(f);
        try
        {
            Grid_Puzzle broken(8);
            ADD_FAILURE() << "accepted a file of " << words.size() << " words";
        }
        catch (Error const& e)
        {
            EXPECT_EQ(e.Code(), Error_ParseFile);
            EXPECT_STREQ(e.Text(), "puzzles/puzzle08");
        }
    }
    try
    {
        Grid_Puzzle missing(7);
        ADD_FAILURE() << "a missing file must throw";
    }
    catch (Error const& e)
    {
        EXPECT_EQ(e.Code(), Error_OpenFile);
        EXPECT_STREQ(e.Text(), "puzzles/puzzle07");
    }
}

TEST_F(GridPuzzleTest, NumbersCheckAndSolverFollowTheSolution)
{
    Write(1, Picture({"###.", "##..", "#..#"}, {1}));
    Grid_Puzzle p(1);
    EXPECT_EQ(p.GetNumber(1, 1), 6); // the file's stale 3 is replaced
    EXPECT_EQ(p.GetNumber(0, 0), 4); // a corner sees four squares
    EXPECT_EQ(p.GetNumber(3, 2), 1);
    EXPECT_EQ(p.GetNumber(1, 0), -1);

    // Only the filled squares decide: empty and unmarked both count as off.
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            if (p.GetOrigGrid(x, y) == 1)
                p.SolveChange(x, y, Grid_Puzzle_Filled);
    p.SolveChange(3, 0, Grid_Puzzle_Empty);
    EXPECT_TRUE(p.CheckGrid());
    p.SolveChange(3, 0, Grid_Puzzle_Filled);
    EXPECT_FALSE(p.CheckGrid());

    // A lone nine fills its block; the column it cannot see stays undecided.
    Write(2, Picture({"###.", "###.", "###."}, {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11}));
    Grid_Puzzle nine(2);
    EXPECT_FALSE(nine.Solve());
    EXPECT_EQ(nine.CountAdjacent(1, 1), 9);
    EXPECT_EQ(nine.GetGrid(3, 1), Grid_Puzzle_Unmarked);
}

TEST_F(GridPuzzleTest, MouseAndKeysMarkSquaresAndTheSolvedPuzzleClosesWithTwo)
{
    Write(3, Picture({"#..", "...", "..#"}, {0}));
    Grid_Puzzle p(3);
    Settle(p);
    EXPECT_NEAR(p.GetScale(), (160 - 1) / 32.0, 1e-6);

    KeyData k = Click(p, 1, 1, false);
    p.Poll(&k);
    EXPECT_EQ(p.GetGrid(1, 1), Grid_Puzzle_Empty);
    p.Poll(&k);
    EXPECT_EQ(p.GetGrid(1, 1), Grid_Puzzle_Unmarked);
    k = Click(p, 1, 1, true);
    p.Poll(&k);
    EXPECT_EQ(p.GetGrid(1, 1), Grid_Puzzle_Filled);
    p.Poll(&k);
    k = Click(p, 3.2, 1, true); // beyond the right edge: no square, no cursor move
    p.Poll(&k);
    EXPECT_EQ(p.GetCursorX(), 1);

    // Two keys move twice, but never off the grid; a held key does not move.
    k = Press(KeyIndex_Up);
    k.keys[KeyIndex_GamePrevTarget] = KeyState_Pressed;
    p.Poll(&k);
    EXPECT_EQ(p.GetCursorY(), 0);
    k = Press(KeyIndex_Left);
    k.keys[KeyIndex_GameLeft] = KeyState_Held;
    p.Poll(&k);
    EXPECT_EQ(p.GetCursorX(), 0);
    k = Press(KeyIndex_Enter);
    p.Poll(&k);
    EXPECT_EQ(p.GetGrid(0, 0), Grid_Puzzle_Filled);
    EXPECT_EQ(Middle(p, 0, 0), (std::array<int, 3>{50, 50, 70}));

    // The last filled square solves it; from then on jump no longer abandons it.
    k = Click(p, 2, 2, true);
    EXPECT_EQ(p.Poll(&k), 0);
    k = Press(KeyIndex_GameJump);
    EXPECT_EQ(p.Poll(&k), 0);
    int steps = 0;
    EXPECT_EQ(RunToEnd(p, steps), 2);
    EXPECT_EQ(steps + 1, Puzzle_Finish_DoneTime - 1 + Puzzle_Finish_ScaleTime - 1);
}

TEST_F(GridPuzzleTest, JumpOnTheSolvingStepAbandonsAndTheNextPuzzleIsOpaqueAgain)
{
    Write(4, Picture({"#."}, {1}));
    {
        Grid_Puzzle p(4);
        Settle(p);
        KeyData k = Press(KeyIndex_GameAction);
        k.keys[KeyIndex_GameJump] = KeyState_Pressed;
        p.Poll(&k);
        int steps = 0;
        EXPECT_EQ(RunToEnd(p, steps), 1);
        EXPECT_EQ(steps, Puzzle_Finish_ScaleTime - 1);
    }
    {
        // Solved with a square marked empty: the fade leaves that picture see-through.
        Grid_Puzzle p(4);
        Settle(p);
        KeyData k = Click(p, 1, 0, false);
        p.Poll(&k);
        k = Click(p, 0, 0, true);
        p.Poll(&k);
        int steps = 0;
        EXPECT_EQ(RunToEnd(p, steps), 2);
    }
    Grid_Puzzle next(4);
    Settle(next);
    KeyData k = Click(next, 1, 0, false);
    next.Poll(&k);
    EXPECT_EQ(Middle(next, 1, 0), (std::array<int, 3>{140, 40, 40}));
}

TEST_F(GridPuzzleTest, TutorialScriptSolvesItsPuzzleAndSkippingRunsEveryEntryBetween)
{
    PuzzleWriter::Write("puzzles/puzzle00", PuzzleWriter::Tutorial());
    {
        Grid_Puzzle played(0);
        int steps = 0;
        EXPECT_EQ(RunToEnd(played, steps), 2);
        EXPECT_TRUE(played.CheckGrid());
    }

    Grid_Puzzle skipped(0);
    KeyData idle;
    KeyData skip;
    skip.keys[KeyIndex_GameAction] = KeyState_Released;
    skip.leftClick = 1; // the player cannot mark squares in the tutorial
    for (int stages = 0; stages < 40 && !skipped.CheckGrid(); ++stages)
    {
        skipped.Poll(&skip);
        skipped.Poll(&idle);
    }
    EXPECT_TRUE(skipped.CheckGrid());
    EXPECT_EQ(skipped.GetGrid(2, 0), Grid_Puzzle_Filled); // filled, emptied and filled again in order
    EXPECT_EQ(skipped.GetGrid(3, 4), Grid_Puzzle_Empty);
    Middle(skipped, 0, 0);
}
