// The grid logic puzzle that locks every chest: its file, rules and solver, and its screen.
#pragma once

#include "engine/ChestPuzzle.h"
#include "util/Pointf.h"

#include <cstdint>
#include <vector>

class Image;
class Map;
class SpeechBubble;
struct KeyData;

// The player's mark on a square.
enum Grid_Puzzle_Space_Type
{
    Grid_Puzzle_Unmarked = 0,
    Grid_Puzzle_Empty = 1,
    Grid_Puzzle_Filled = 2,
    Grid_Puzzle_Outside = 3, // read off the grid, never stored
};

constexpr int Puzzle_Finish_Wait = 30;      // steps after solving before the numbers fade
constexpr int Puzzle_Finish_FadeTime = 100; // steps over which numbers and empty marks fade
constexpr int Puzzle_Finish_DoneTime = 300; // steps after solving at which the puzzle closes
constexpr int Puzzle_Finish_ScaleTime = 40; // steps of the closing zoom-out

// Larger grids would leave squares too small to click; files claiming more are rejected.
constexpr int Grid_Puzzle_MaxSide = 64;

constexpr char const* Grid_Puzzle_BaseName = "puzzles/puzzle";

// A rectangle of squares hiding a picture. Numbered squares tell how many squares of the 3x3
// block around them are on; the player fills the ones believed on and may mark others empty,
// and the chest opens once exactly the on squares are filled. While open the puzzle fills the
// screen and takes all input. Puzzle 0 is the tutorial: a script marks the squares and
// explains the rules in a speech bubble, and the player can only skip ahead or leave.
class Grid_Puzzle final : public ChestPuzzle
{
public:
    // Loads "puzzles/puzzleNN"; a missing file throws Error_OpenFile and a malformed one
    // Error_ParseFile, each naming the file.
    explicit Grid_Puzzle(int id);
    ~Grid_Puzzle() override;
    Grid_Puzzle(Grid_Puzzle const&) = delete;
    Grid_Puzzle& operator=(Grid_Puzzle const&) = delete;

    static void Initialise();
    static void Finalise();
    // Opens grid puzzles for a level's chests; the kind must be initialised while it is used.
    static ChestPuzzleMaker Maker();

    // One step; 0 while open, then once the result: 1 abandoned, 2 solved.
    int Poll(KeyData const* keys) override;
    void Plot() const override;

    // Writes the puzzle in the layout the constructor reads; nothing when the file can't be opened.
    void Save(int id) const;
    bool CheckGrid() const;
    // Clears the marks and applies the number rules until nothing changes; true when every
    // square got a mark.
    bool Solve();
    bool SolveSquare(int x, int y);
    bool SolveChange(int x, int y, Grid_Puzzle_Space_Type mark);

    int GetGrid(int x, int y) const;
    int GetOrigGrid(int x, int y) const;
    int GetNumber(int x, int y) const { return numberGrid[x][y]; }
    int CountAdjacent(int x, int y) const;
    int CountEmptyAdjacent(int x, int y) const;
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    int GetCursorX() const { return cursorX; }
    int GetCursorY() const { return cursorY; }
    double GetScale() const { return scale; }

    // The screen point (y up) of square (x, y)'s top-left corner.
    Pointf GetScrPos(int x, int y) const;
    // The square under a mouse position given y down; true when it lies on the grid.
    bool ScrToGridPos(Pointf const* mouse, int& x, int& y) const;
    double CalcScale() const;

    // The file name of puzzle id.
    static void FileName(int id, char* out, int outSize);

private:
    void Load(int id);
    void CreateGrids();
    void CalcNumberGrid();
    void ClearGrid();
    void HandleInput(KeyData const* keys);
    void Marked();
    void RenderHighlight(int x, int y) const;
    void TutorialPoll(KeyData const* keys);
    void TutorialInfo();
    void Say(char const* text, int displayTime, bool fresh);
    static void SetFade(double alpha);

    using Column = std::vector<std::int32_t>;

    std::int32_t result = 0;        // 0 running, 1 abandoned, 2 solved
    std::vector<Column> grid;       // the player's marks, [x][y]
    std::vector<Column> origGrid;   // the solution: 1 on, 0 off
    std::vector<Column> numberGrid; // the number shown, -1 none
    std::int32_t width = 0;
    std::int32_t height = 0;
    double scale = 0.01;
    std::int32_t cursorX = 0;
    std::int32_t cursorY = 0;
    bool keyCursor = false;
    std::int32_t tutorialTime = 0;  // steps of the tutorial script; 0 for an ordinary puzzle
    std::int32_t finishTime = 0;    // steps since solving
    std::int32_t leaveTime = 0;     // steps of the closing zoom
    SpeechBubble* bubble = nullptr; // owned
    Pointf bubblePos;

    static Image* highlight;
    static Image* squares[3]; // by Grid_Puzzle_Space_Type
    static Image* digits[10];
};
