// Grid_Puzzle: reading and rejecting puzzle files, numbers from the solution, the check and the
// solver, marking by mouse and keys, the solved and abandoned endings and the tutorial script.
#include "Grid_Puzzle.h"

#include "GameFont.h"
#include "KeyData.h"
#include "MediaTestSupport.h"
#include "SpeechBubble.h"
#include "tools/PuzzleWriter.h"
#include "util/Error.h"

#include <cstring>
#include <memory>
#include <string>

namespace
{

// Rows top first: '#' on, '.' off; every square numbered unless listed in hidden.
PuzzleWriter_Grid Picture(std::initializer_list<char const*> rows, std::string const& hidden = "")
{
    PuzzleWriter_Grid p;
    p.height = static_cast<int>(rows.size());
    for (char const* row : rows)
    {
        p.width = static_cast<int>(std::strlen(row));
        for (int x = 0; x < p.width; ++x)
        {
            p.solution.push_back(row[x] == '#' ? 1 : 0);
            p.shown.push_back(3); // a stale count the game must replace
        }
    }
    for (char c : hidden)
        p.shown[c - 'a'] = -1;
    return p;
}

void WritePuzzle(int id, PuzzleWriter_Grid const& p)
{
    char name[64];
    Grid_Puzzle::FileName(id, name, sizeof name);
    PuzzleWriter::Write(name, p);
}

void WriteRaw(int id, std::vector<std::int32_t> const& words)
{
    char name[64];
    Grid_Puzzle::FileName(id, name, sizeof name);
    std::FILE* f = std::fopen(name, "wb");
    for (std::int32_t w : words)
    {
        std::uint32_t v = static_cast<std::uint32_t>(w);
        unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
        std::fwrite(b, 1, 4, f);
    }
    std::fclose(f);
}

Rgba const filledColour{50, 60, 200, 255};
Rgba const unmarkedColour{200, 190, 160, 255};
Rgba const emptyColour{200, 40, 40, 255};

} // namespace

class GridPuzzleTest : public MediaTestSupport_Gl
{
protected:
    void SetUp() override
    {
        MediaTestSupport_Gl::SetUp();
        std::filesystem::create_directories("gfx/puzzle");
        std::filesystem::create_directories("puzzles");
        Canvas(32, 32, unmarkedColour).WritePng("gfx/puzzle/unmarked.png", PngFormat::Rgb);
        Canvas(32, 32, emptyColour).WritePng("gfx/puzzle/empty.png", PngFormat::Rgb);
        Canvas(32, 32, filledColour).WritePng("gfx/puzzle/filled.png", PngFormat::Rgb);
        Canvas highlight(32, 32);
        highlight.FrameRect(0, 0, 32, 32, 3, Rgba{255, 255, 0, 255});
        highlight.WritePng("gfx/puzzle/highlight.png");
        for (int d = 0; d < 10; ++d)
            Canvas(8, 8, Rgba{0, 0, 0, 255}).WritePng("gfx/puzzle/num" + std::to_string(d) + ".png");
        WriteBlockFont(dir, BlockFontMetrics(84));
        for (int type = 0; type < 2; ++type)
            Canvas(320, 224, Rgba{128, 128, 128, 255})
                .WritePng("gfx/text/speechbubble0" + std::to_string(type) + ".png", PngFormat::Rgb);
        font = std::make_unique<GameFont>();
        SpeechBubble::Initialise(font.get());
        Grid_Puzzle::Initialise();
    }
    void TearDown() override
    {
        Grid_Puzzle::Finalise();
        SpeechBubble::Finalise();
        font.reset();
        MediaTestSupport_Gl::TearDown();
    }

    // Steps with no input until the zoom has settled.
    static void Settle(Grid_Puzzle& puzzle)
    {
        KeyData idle;
        for (int i = 0; i < 200; ++i)
            ASSERT_EQ(puzzle.Poll(&idle), 0);
    }

    // A click in the middle of square (x, y), in window orientation.
    static KeyData Click(Grid_Puzzle const& puzzle, double x, double y, bool left)
    {
        double side = 32.0 * puzzle.GetScale();
        Pointf corner = puzzle.GetScrPos(0, 0);
        KeyData k;
        k.mouse = Pointf(corner.x + (x + 0.5) * side, (480.0 - corner.y) + (y + 0.5) * side);
        (left ? k.leftClick : k.rightClick) = 1;
        return k;
    }

    static KeyData Press(int key)
    {
        KeyData k;
        k.keys[key] = KeyState_Pressed;
        return k;
    }

    // Steps until the puzzle hands back its result; the count of steps taken goes to steps.
    static int RunToEnd(Grid_Puzzle& puzzle, int& steps)
    {
        KeyData idle;
        for (steps = 1; steps < 10000; ++steps)
            if (int r = puzzle.Poll(&idle))
                return r;
        return 0;
    }

    std::unique_ptr<GameFont> font;
};

TEST_F(GridPuzzleTest, FilesAreNamedByIdAndMalformedOnesRejectedNamingTheFile)
{
    WritePuzzle(5, Picture({"#."}));
    WritePuzzle(123, Picture({"#", "#", "."}));
    EXPECT_EQ(Grid_Puzzle(5).GetWidth(), 2);
    EXPECT_EQ(Grid_Puzzle(123).GetHeight(), 3);

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

    std::vector<std::vector<std::int32_t>> const bad = {
        {0, 1, 1, 1},                      // no columns
        {1, -2, 1, 1},                     // negative height
        {Grid_Puzzle_MaxSide + 1, 1},      // too wide to draw
        {2, 2, 1, -1, 0, -1, 1, -1, 0},    // one word short of its four squares
        {3},                               // not even a height
    };
    for (auto const& words : bad)
    {
        WriteRaw(8, words);
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
}

TEST_F(GridPuzzleTest, NumbersComeFromTheSolutionAndBorderSquaresCountOnlyTheGrid)
{
    // Square b (x 1, y 0) is not numbered.
    WritePuzzle(1, Picture({"###.",
                            "##..",
                            "#..#"},
                           "b"));
    Grid_Puzzle p(1);
    EXPECT_EQ(p.GetNumber(1, 1), 6); // the file said 3
    EXPECT_EQ(p.GetNumber(0, 0), 4); // a corner sees four squares
    EXPECT_EQ(p.GetNumber(3, 2), 1);
    EXPECT_EQ(p.GetNumber(1, 0), -1);
    EXPECT_EQ(p.GetOrigGrid(-1, 0), -1);
    EXPECT_EQ(p.GetGrid(4, 0), Grid_Puzzle_Outside);
}

TEST_F(GridPuzzleTest, OnlyTheFilledSquaresDecideWhetherItIsSolved)
{
    WritePuzzle(1, Picture({"#.", ".#"}));
    Grid_Puzzle p(1);
    Settle(p);
    EXPECT_FALSE(p.CheckGrid());
    p.SolveChange(0, 0, Grid_Puzzle_Filled);
    p.SolveChange(1, 1, Grid_Puzzle_Filled);
    p.SolveChange(1, 0, Grid_Puzzle_Empty);
    EXPECT_TRUE(p.CheckGrid()); // (0, 1) unmarked counts as off
    p.SolveChange(0, 1, Grid_Puzzle_Filled);
    EXPECT_FALSE(p.CheckGrid());
    EXPECT_FALSE(p.SolveChange(0, 1, Grid_Puzzle_Filled)); // no change reported twice
    EXPECT_FALSE(p.SolveChange(2, 0, Grid_Puzzle_Filled)); // off the grid
}

TEST_F(GridPuzzleTest, SolverFillsANineAtOnceAndLeavesWhatTheRulesCannotDecide)
{
    // Only the nine is shown: its block is filled, the last column stays undecided.
    WritePuzzle(2, Picture({"###.", "###.", "###."}, "abcdeghijkl"));
    WritePuzzle(1, Picture({"###.", "###.", "###."}, "abcdefghijkl"));
    Grid_Puzzle p(2);
    EXPECT_EQ(p.GetNumber(1, 1), 9);
    EXPECT_TRUE(p.SolveSquare(1, 1));
    EXPECT_EQ(p.CountAdjacent(1, 1), 9);
    EXPECT_FALSE(p.Solve());
    EXPECT_EQ(p.GetGrid(3, 0), Grid_Puzzle_Unmarked);
    EXPECT_EQ(p.GetGrid(2, 2), Grid_Puzzle_Filled);

    Grid_Puzzle hidden(1);
    EXPECT_FALSE(hidden.Solve());
}

TEST_F(GridPuzzleTest, MouseAndKeysMarkSquaresAndTheSolvedPuzzleClosesWithTwo)
{
    WritePuzzle(3, Picture({"#..", "...", "..#"}));
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
    p.Poll(&k);
    EXPECT_EQ(p.GetGrid(1, 1), Grid_Puzzle_Unmarked);
    k = Click(p, 3.2, 1, true); // beyond the right edge
    p.Poll(&k);
    EXPECT_EQ(p.GetCursorX(), 1);

    // Keys: the cursor stops at the edge; Return cycles filled, empty, unmarked.
    k = Press(KeyIndex_Up);
    k.keys[KeyIndex_GamePrevTarget] = KeyState_Pressed; // two keys move twice, but not off the grid
    p.Poll(&k);
    EXPECT_EQ(p.GetCursorY(), 0);
    k = Press(KeyIndex_Left);
    k.keys[KeyIndex_GameLeft] = KeyState_Held; // only a press counts
    p.Poll(&k);
    EXPECT_EQ(p.GetCursorX(), 0);
    k = Press(KeyIndex_Enter);
    p.Poll(&k);
    EXPECT_EQ(p.GetGrid(0, 0), Grid_Puzzle_Filled);
    glClear(GL_COLOR_BUFFER_BIT);
    p.Plot();
    Pointf c = p.GetScrPos(0, 0);
    double side = 32.0 * p.GetScale();
    EXPECT_EQ(Pixel(static_cast<int>(c.x + side / 2), static_cast<int>(c.y - side / 2)),
              (std::array<int, 3>{filledColour.r, filledColour.g, filledColour.b}));

    // The last filled square solves it: it holds through the fade, then zooms out.
    k = Click(p, 2, 2, true);
    EXPECT_EQ(p.Poll(&k), 0);
    KeyData jump = Press(KeyIndex_GameJump);
    EXPECT_EQ(p.Poll(&jump), 0); // too late to abandon
    int steps = 0;
    EXPECT_EQ(RunToEnd(p, steps), 2);
    EXPECT_EQ(steps + 1, Puzzle_Finish_DoneTime - 1 + Puzzle_Finish_ScaleTime - 1);
}

TEST_F(GridPuzzleTest, JumpAbandonsEvenOnTheStepThatSolvesAndTheNextPuzzleIsOpaqueAgain)
{
    WritePuzzle(4, Picture({"#"}));
    {
        Grid_Puzzle p(4);
        Settle(p);
        EXPECT_NEAR(p.GetScale(), 479 / 32.0, 1e-6);
        KeyData k = Press(KeyIndex_GameAction);
        k.keys[KeyIndex_GameJump] = KeyState_Pressed;
        EXPECT_EQ(p.Poll(&k), 0);
        int steps = 0;
        EXPECT_EQ(RunToEnd(p, steps), 1);
        EXPECT_EQ(steps, Puzzle_Finish_ScaleTime - 1);
    }
    // Solve with a square marked empty and run past the fade, which leaves the empty-square
    // picture nearly see-through.
    WritePuzzle(6, Picture({"#."}));
    {
        Grid_Puzzle p(6);
        Settle(p);
        KeyData k = Click(p, 1, 0, false);
        p.Poll(&k);
        k = Click(p, 0, 0, true);
        p.Poll(&k);
        int steps = 0;
        EXPECT_EQ(RunToEnd(p, steps), 2);
    }
    Grid_Puzzle next(6);
    Settle(next);
    KeyData k = Click(next, 1, 0, false);
    next.Poll(&k);
    glClear(GL_COLOR_BUFFER_BIT);
    next.Plot();
    Pointf c = next.GetScrPos(1, 0);
    double side = 32.0 * next.GetScale();
    EXPECT_EQ(Pixel(static_cast<int>(c.x + side / 2), static_cast<int>(c.y - side / 2)),
              (std::array<int, 3>{emptyColour.r, emptyColour.g, emptyColour.b}));
}

TEST_F(GridPuzzleTest, TutorialScriptSolvesItsPuzzleAndSkippingRunsEveryEntryBetween)
{
    PuzzleWriter::Write("puzzles/puzzle00", PuzzleWriter::Tutorial());
    {
        Grid_Puzzle played(0);
        int steps = 0;
        EXPECT_EQ(RunToEnd(played, steps), 2);
        EXPECT_TRUE(played.CheckGrid());
        EXPECT_EQ(steps, 4700 - 1 + Puzzle_Finish_DoneTime - 1 + Puzzle_Finish_ScaleTime - 1);
    }

    Grid_Puzzle skipped(0);
    KeyData idle;
    KeyData skip;
    skip.keys[KeyIndex_GameAction] = KeyState_Released;
    skip.leftClick = 1; // the player cannot mark squares in the tutorial
    int stages = 0;
    while (!skipped.CheckGrid() && stages < 40)
    {
        skipped.Poll(&skip);
        skipped.Poll(&idle);
        ++stages;
    }
    EXPECT_TRUE(skipped.CheckGrid());
    EXPECT_EQ(skipped.GetGrid(2, 0), Grid_Puzzle_Filled); // filled, emptied, filled again in order
    EXPECT_EQ(skipped.GetGrid(3, 4), Grid_Puzzle_Empty);
    glClear(GL_COLOR_BUFFER_BIT);
    skipped.Plot();
    KeyData jump = Press(KeyIndex_GameJump);
    EXPECT_EQ(skipped.Poll(&jump), 0);
}
