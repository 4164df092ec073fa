// The grid logic puzzle: loading and checking puzzle files, the number rules and the solver,
// the screen with its zoom, input and finishing sequence, and the tutorial script.
#include "puzzles/Grid_Puzzle.h"

#include "engine/KeyData.h"
#include "engine/SpeechBubble.h"
#include "media/Cursor.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/DataFile.h"
#include "util/Error.h"
#include "util/Util.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>

Image* Grid_Puzzle::highlight = nullptr;
Image* Grid_Puzzle::squares[3] = {};
Image* Grid_Puzzle::digits[10] = {};

namespace
{

// The size of the cross of a square marked empty that shows a number, against the square's.
constexpr double Puzzle_NumberedCrossScale = 0.4;

constexpr int TutorialStages[] = {100,  350,  600,  850,  1100, 1350, 1600, 1700, 1950, 2200, 2450, 2700, 2800,
                                  3050, 3300, 3400, 3650, 3900, 4200, 4300, 4430, 4490, 4550, 4610, 4680};

// A square the tutorial marks by itself at a fixed step.
struct TutorialMark
{
    int time;
    int x;
    int y;
    Grid_Puzzle_Space_Type mark;
};

constexpr TutorialMark TutorialMarks[] = {
    {1600, 0, 1, Grid_Puzzle_Filled}, {1600, 1, 1, Grid_Puzzle_Filled}, {1600, 0, 2, Grid_Puzzle_Filled},
    {1600, 1, 2, Grid_Puzzle_Filled}, {1600, 0, 3, Grid_Puzzle_Filled}, {1600, 1, 3, Grid_Puzzle_Filled},
    {2700, 0, 4, Grid_Puzzle_Empty},  {2700, 1, 4, Grid_Puzzle_Empty},  {3300, 0, 5, Grid_Puzzle_Filled},
    {3300, 1, 5, Grid_Puzzle_Filled}, {3500, 2, 0, Grid_Puzzle_Filled}, {3750, 2, 0, Grid_Puzzle_Empty},
    {4200, 1, 0, Grid_Puzzle_Filled}, {4210, 2, 0, Grid_Puzzle_Filled}, {4220, 3, 0, Grid_Puzzle_Filled},
    {4230, 4, 0, Grid_Puzzle_Filled}, {4240, 5, 0, Grid_Puzzle_Filled}, {4250, 2, 1, Grid_Puzzle_Filled},
    {4260, 3, 1, Grid_Puzzle_Filled}, {4270, 4, 1, Grid_Puzzle_Filled}, {4280, 5, 1, Grid_Puzzle_Filled},
    {4350, 2, 2, Grid_Puzzle_Empty},  {4360, 3, 2, Grid_Puzzle_Empty},  {4370, 4, 2, Grid_Puzzle_Empty},
    {4380, 5, 2, Grid_Puzzle_Empty},  {4430, 2, 3, Grid_Puzzle_Filled}, {4440, 3, 3, Grid_Puzzle_Filled},
    {4490, 2, 4, Grid_Puzzle_Empty},  {4500, 3, 4, Grid_Puzzle_Empty},  {4550, 2, 5, Grid_Puzzle_Filled},
    {4560, 3, 5, Grid_Puzzle_Filled}, {4610, 4, 3, Grid_Puzzle_Filled}, {4620, 4, 4, Grid_Puzzle_Filled},
    {4630, 4, 5, Grid_Puzzle_Filled}, {4680, 5, 3, Grid_Puzzle_Filled}, {4690, 5, 4, Grid_Puzzle_Filled},
};

bool Pressed(KeyData const* keys, int key)
{
    return (keys->keys[key] & KeyState_Pressed) != 0;
}

bool Released(KeyData const* keys, int key)
{
    return (keys->keys[key] & KeyState_Released) != 0;
}

// An eighth of the remaining ratio per step: three square roots.
double EighthRoot(double ratio)
{
    return std::sqrt(std::sqrt(std::sqrt(ratio)));
}

// Reads one little-endian 32-bit field; false at the end of the file.
bool ReadInt(std::FILE* file, std::int32_t& value)
{
    unsigned char b[4];
    if (std::fread(b, 1, 4, file) != 4)
        return false;
    value = static_cast<std::int32_t>(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16
                                      | std::uint32_t(b[3]) << 24);
    return true;
}

void WriteInt(std::FILE* file, std::int32_t value)
{
    std::uint32_t v = static_cast<std::uint32_t>(value);
    unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                          static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    std::fwrite(b, 1, 4, file);
}

} // namespace

Grid_Puzzle::Grid_Puzzle(int id) : tutorialTime(id == 0 ? 1 : 0), bubblePos(0.0, 240.0)
{
    Load(id);
    SetFade(1.0);
    scale = 0.01;
    CalcNumberGrid();
    ClearGrid();
    if (tutorialTime == 0)
        Cursor::Show(true);
}

Grid_Puzzle::~Grid_Puzzle()
{
    if (tutorialTime == 0)
        Cursor::Show(false);
    delete bubble;
}

void Grid_Puzzle::Initialise()
{
    highlight = new Image("gfx/puzzle/highlight.png", Image_Mask, false);
    squares[Grid_Puzzle_Unmarked] = new Image("gfx/puzzle/unmarked.png", 0, false);
    squares[Grid_Puzzle_Empty] = new Image("gfx/puzzle/empty.png", 0, false);
    squares[Grid_Puzzle_Filled] = new Image("gfx/puzzle/filled.png", 0, false);
    for (int d = 0; d < 10; ++d)
    {
        char name[64];
        std::snprintf(name, sizeof name, "%s%.1d.png", "gfx/puzzle/num", d);
        digits[d] = new Image(name, Image_Mask, false);
    }
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_Success);
}

ChestPuzzleMaker Grid_Puzzle::Maker()
{
    return [](int id) -> std::unique_ptr<ChestPuzzle> { return std::make_unique<Grid_Puzzle>(id); };
}

void Grid_Puzzle::Finalise()
{
    delete highlight;
    highlight = nullptr;
    for (Image*& square : squares)
    {
        delete square;
        square = nullptr;
    }
    for (Image*& digit : digits)
    {
        delete digit;
        digit = nullptr;
    }
}

void Grid_Puzzle::FileName(int id, char* out, int outSize)
{
    std::snprintf(out, outSize, "%s%.2d", Grid_Puzzle_BaseName, id);
}

void Grid_Puzzle::Load(int id)
{
    char name[64];
    FileName(id, name, sizeof name);
    std::FILE* file = HM_OpenFile(name, "rb", DataFile_PuzzleLimit);
    if (file == nullptr)
        throw Error(Error_OpenFile, name);

    // A short or oversized file would leave squares undefined or ask for absurd grids, and the
    // screen divides by both sides.
    bool ok = ReadInt(file, width) && ReadInt(file, height) && width >= 1 && height >= 1 && width <= Grid_Puzzle_MaxSide
              && height <= Grid_Puzzle_MaxSide;
    if (ok)
    {
        CreateGrids();
        for (int y = 0; ok && y < height; ++y)
            for (int x = 0; ok && x < width; ++x)
            {
                // A square is on (1) or off (0), and a shown number is a count of at most nine
                // squares: anything else could never be solved, or be solved at the first mark.
                ok = ReadInt(file, origGrid[x][y]) && ReadInt(file, numberGrid[x][y]);
                ok = ok && (origGrid[x][y] == 0 || origGrid[x][y] == 1) && numberGrid[x][y] >= -1
                     && numberGrid[x][y] <= 9;
            }
    }
    std::fclose(file);
    if (!ok)
        throw Error(Error_ParseFile, name);
}

void Grid_Puzzle::Save(int id) const
{
    char name[64];
    FileName(id, name, sizeof name);
    std::FILE* file = HM_OpenFile(name, "wb");
    if (file == nullptr)
        return;
    WriteInt(file, width);
    WriteInt(file, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            WriteInt(file, origGrid[x][y]);
            WriteInt(file, numberGrid[x][y]);
        }
    std::fclose(file);
}

void Grid_Puzzle::CreateGrids()
{
    grid.assign(width, Column(height, 0));
    origGrid.assign(width, Column(height, 0));
    numberGrid.assign(width, Column(height, -1));
}

void Grid_Puzzle::CalcNumberGrid()
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            if (numberGrid[x][y] == -1)
                continue;
            int count = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (GetOrigGrid(x + dx, y + dy) == 1)
                        ++count;
            numberGrid[x][y] = count;
        }
}

void Grid_Puzzle::ClearGrid()
{
    for (Column& column : grid)
        std::fill(column.begin(), column.end(), Grid_Puzzle_Unmarked);
}

int Grid_Puzzle::GetGrid(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return Grid_Puzzle_Outside;
    return grid[x][y];
}

int Grid_Puzzle::GetOrigGrid(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return -1;
    return origGrid[x][y];
}

int Grid_Puzzle::CountAdjacent(int x, int y) const
{
    int count = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (GetGrid(x + dx, y + dy) == Grid_Puzzle_Filled)
                ++count;
    return count;
}

int Grid_Puzzle::CountEmptyAdjacent(int x, int y) const
{
    int count = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
        {
            int mark = GetGrid(x + dx, y + dy);
            if (mark == Grid_Puzzle_Empty || mark == Grid_Puzzle_Outside)
                ++count;
        }
    return count;
}

bool Grid_Puzzle::CheckGrid() const
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            if (origGrid[x][y] == 1 && grid[x][y] != Grid_Puzzle_Filled)
                return false;
            if (grid[x][y] == Grid_Puzzle_Filled && origGrid[x][y] == 0)
                return false;
        }
    return true;
}

bool Grid_Puzzle::Solve()
{
    ClearGrid();
    bool complete = false;
    bool changed = true;
    while (changed)
    {
        changed = false;
        complete = true;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                if (grid[x][y] == Grid_Puzzle_Unmarked)
                    complete = false;
                if (SolveSquare(x, y))
                    changed = true;
            }
    }
    return complete;
}

bool Grid_Puzzle::SolveSquare(int x, int y)
{
    int number = numberGrid[x][y];
    if (number == -1)
        return false;
    int filled = CountAdjacent(x, y);
    int empty = CountEmptyAdjacent(x, y);
    bool changed = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
        {
            if (GetGrid(x + dx, y + dy) != Grid_Puzzle_Unmarked)
                continue;
            if (number == filled)
                changed |= SolveChange(x + dx, y + dy, Grid_Puzzle_Empty);
            if (number == 9 - empty)
                changed |= SolveChange(x + dx, y + dy, Grid_Puzzle_Filled);
        }
    return changed;
}

bool Grid_Puzzle::SolveChange(int x, int y, Grid_Puzzle_Space_Type mark)
{
    if (x < 0 || y < 0 || x >= width || y >= height || grid[x][y] == mark)
        return false;
    grid[x][y] = mark;
    return true;
}

Pointf Grid_Puzzle::GetScrPos(int x, int y) const
{
    double w = squares[Grid_Puzzle_Unmarked]->GetWidth();
    double h = squares[Grid_Puzzle_Unmarked]->GetHeight();
    return Pointf(320.0 + (x - width / 2.0) * w * scale, 240.0 - (y - height / 2.0) * h * scale);
}

bool Grid_Puzzle::ScrToGridPos(Pointf const* mouse, int& x, int& y) const
{
    double w = squares[Grid_Puzzle_Unmarked]->GetWidth();
    double h = squares[Grid_Puzzle_Unmarked]->GetHeight();
    Pointf origin = GetScrPos(0, height);
    x = static_cast<int>((mouse->x - origin.x) / (w * scale));
    y = static_cast<int>((mouse->y - origin.y) / (h * scale));
    return x >= 0 && y >= 0 && x < width && y < height;
}

double Grid_Puzzle::CalcScale() const
{
    int fit = std::min(640 / width, 480 / height) - 1;
    return fit / static_cast<double>(squares[Grid_Puzzle_Unmarked]->GetWidth());
}

void Grid_Puzzle::SetFade(double alpha)
{
    if (highlight == nullptr)
        return;
    squares[Grid_Puzzle_Empty]->SetTransparency(alpha);
    highlight->SetTransparency(alpha);
    for (Image* digit : digits)
        digit->SetTransparency(alpha);
}

int Grid_Puzzle::Poll(KeyData const* keys)
{
    if (leaveTime >= 1)
    {
        scale *= EighthRoot(0.01 / scale);
        ++leaveTime;
        return leaveTime >= Puzzle_Finish_ScaleTime ? result : 0;
    }
    if (finishTime >= 1)
    {
        if (finishTime > Puzzle_Finish_Wait && finishTime < Puzzle_Finish_Wait + Puzzle_Finish_FadeTime)
            SetFade(1.0 - (finishTime - Puzzle_Finish_Wait) / static_cast<double>(Puzzle_Finish_FadeTime));
        ++finishTime;
        if (finishTime == Puzzle_Finish_DoneTime)
        {
            result = 2;
            leaveTime = 1;
        }
        return 0;
    }

    scale *= EighthRoot(CalcScale() / scale);
    if (tutorialTime < 1)
        HandleInput(keys);
    else
        TutorialPoll(keys);

    if (Pressed(keys, KeyIndex_GameJump))
    {
        result = 1;
        leaveTime = 1;
        delete bubble;
        bubble = nullptr;
    }
    return 0;
}

void Grid_Puzzle::HandleInput(KeyData const* keys)
{
    if (keys->leftClick || keys->rightClick)
    {
        int x = 0;
        int y = 0;
        if (ScrToGridPos(&keys->mouse, x, y))
        {
            cursorX = x;
            cursorY = y;
            keyCursor = false;
            std::int32_t& mark = grid[x][y];
            if (keys->leftClick)
                mark = mark == Grid_Puzzle_Filled ? Grid_Puzzle_Unmarked : Grid_Puzzle_Filled;
            else
                mark = mark == Grid_Puzzle_Empty ? Grid_Puzzle_Unmarked : Grid_Puzzle_Empty;
        }
        Marked();
    }

    struct CursorKey
    {
        int key;
        int dx;
        int dy;
    };
    static constexpr CursorKey cursorKeys[] = {
        {KeyIndex_Left, -1, 0}, {KeyIndex_GameLeft, -1, 0},
        {KeyIndex_Right, 1, 0}, {KeyIndex_GameRight, 1, 0},
        {KeyIndex_Up, 0, -1},   {KeyIndex_GamePrevTarget, 0, -1},
        {KeyIndex_Down, 0, 1},  {KeyIndex_GameNextTarget, 0, 1},
    };
    for (CursorKey const& k : cursorKeys)
    {
        if (!Pressed(keys, k.key))
            continue;
        int x = cursorX + k.dx;
        int y = cursorY + k.dy;
        if (x < 0 || y < 0 || x >= width || y >= height)
            continue;
        cursorX = x;
        cursorY = y;
        keyCursor = true;
    }

    if (Pressed(keys, KeyIndex_Enter) || Pressed(keys, KeyIndex_GameAction))
    {
        std::int32_t& mark = grid[cursorX][cursorY];
        static constexpr std::int32_t next[3] = {Grid_Puzzle_Filled, Grid_Puzzle_Unmarked, Grid_Puzzle_Empty};
        mark = next[mark];
        Marked();
    }
}

void Grid_Puzzle::Marked()
{
    if (finishTime != 0 || !CheckGrid())
        return;
    if (gameSounds != nullptr)
        gameSounds->Play(Sound_Success, nullptr, false, 1.0);
    finishTime = 1;
}

void Grid_Puzzle::Plot() const
{
    assert(highlight != nullptr && "Grid_Puzzle::Initialise");
    Image_Render_Flags const topLeft = Image_Left | Image_Top;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            Pointf pos = GetScrPos(x, y);
            int mark = grid[x][y];
            int number = numberGrid[x][y];
            bool const showNumber = number >= 0 && number <= 9 && finishTime - Puzzle_Finish_Wait <= width * y + x;
            if (mark == Grid_Puzzle_Empty && (finishTime > 0 || showNumber))
                squares[Grid_Puzzle_Unmarked]->Render(pos, 0.0, scale, topLeft, nullptr);
            if (mark == Grid_Puzzle_Empty && showNumber)
            {
                // A whole-square cross would run through the number: it shrinks into the
                // square's top-right corner, beside the number.
                Pointf const corner(pos.x + squares[Grid_Puzzle_Unmarked]->GetWidth() * scale, pos.y);
                squares[mark]->Render(corner, 0.0, scale * Puzzle_NumberedCrossScale, Image_Right | Image_Top, nullptr);
            }
            else
            {
                squares[mark]->Render(pos, 0.0, scale, topLeft, nullptr);
            }
            if (showNumber)
                digits[number]->Render(pos, 0.0, scale, topLeft, nullptr);
        }

    if (finishTime == 0 && keyCursor)
        RenderHighlight(cursorX, cursorY);

    int t = tutorialTime;
    if ((t > 600 && t < 850) || (t > 1350 && t < 1600) || (t > 1950 && t < 2200))
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx != 0 || dy != 0)
                    RenderHighlight(cursorX + dx, cursorY + dy);
    }
    else if (t > 2200 && t < 2450)
    {
        RenderHighlight(cursorX, cursorY - 1);
        RenderHighlight(cursorX + 1, cursorY - 1);
        RenderHighlight(cursorX + 1, cursorY);
    }
    else if ((t > 2450 && t < 2700) || (t > 2800 && t < 3050))
    {
        RenderHighlight(cursorX + 1, cursorY);
    }

    if (bubble != nullptr)
    {
        bubble->flip = bubblePos.x > 320.0 - Util::Eps ? 1 : 0;
        bubble->Render(static_cast<Map const*>(nullptr), &bubblePos);
    }
}

void Grid_Puzzle::RenderHighlight(int x, int y) const
{
    if (GetGrid(x, y) == Grid_Puzzle_Outside)
        return;
    highlight->Render(GetScrPos(x, y), 0.0, scale, Image_Left | Image_Top, nullptr);
}

void Grid_Puzzle::TutorialPoll(KeyData const* keys)
{
    if (bubble != nullptr && bubble->Poll() == 1)
    {
        delete bubble;
        bubble = nullptr;
    }
    ++tutorialTime;
    if (Released(keys, KeyIndex_Enter) || Released(keys, KeyIndex_GameAction))
    {
        for (int stage : TutorialStages)
        {
            if (stage <= tutorialTime)
                continue;
            while (tutorialTime < stage)
            {
                TutorialInfo();
                ++tutorialTime;
            }
            break;
        }
    }
    TutorialInfo();
}

void Grid_Puzzle::Say(char const* text, int displayTime, bool fresh)
{
    // A bubble whose time ran out is gone; its next line opens a new one.
    if (fresh || bubble == nullptr)
    {
        delete bubble;
        bubble = new SpeechBubble(text, -1, displayTime, Bubble_Speech);
    }
    else
    {
        bubble->NewText(text, -1, displayTime);
    }
}

void Grid_Puzzle::TutorialInfo()
{
    for (TutorialMark const& m : TutorialMarks)
        if (m.time == tutorialTime)
            SolveChange(m.x, m.y, m.mark);

    switch (tutorialTime)
    {
    case 100:
        Say("Here's an example puzzle, see how a number is in each square.", 300, true);
        break;
    case 350:
        Say("This square has a number 5 written in it.", 300, false);
        keyCursor = true;
        cursorX = 4;
        cursorY = 3;
        break;
    case 600:
        Say("This means that precisely five of these squares should be on.", 300, false);
        break;
    case 850:
        Say("Of course, at this point we've no idea which five.", 300, false);
        break;
    case 1100:
        Say("This square has a number 6 written in it.", 300, false);
        bubblePos = Pointf(640.0, 240.0);
        cursorX = 0;
        cursorY = 2;
        break;
    case 1350:
        Say("Since there are only six squares round it they must all be on.", 250, false);
        break;
    case 1700:
        Say("Now, look at this square, it has a 4.", 300, true);
        cursorY = 3;
        break;
    case 1950:
        Say("So exactly four of these squares should be on.", 300, false);
        break;
    case 2200:
        Say("These four squares have already been marked as on.", 300, false);
        break;
    case 2450:
        Say("So these two definitely aren't on.", 250, false);
        cursorY = 4;
        break;
    case 2800:
        Say("Now we know these two squares are on", 300, true);
        cursorY = 5;
        break;
    case 3050:
        Say("because this square contains a two.", 250, false);
        break;
    case 3300:
        keyCursor = false;
        break;
    case 3400:
        Say("When solving a puzzle, click on a square to fill it in.", 300, true);
        break;
    case 3650:
        Say("Right clicking will mark it as empty.", 300, true);
        break;
    case 3900:
        Say("Once you have switched all the correct squares the chest will open.", 300, false);
        break;
    case 4300:
        delete bubble;
        bubble = nullptr;
        break;
    case 4700:
        finishTime = 1;
        break;
    default:
        break;
    }
}
