// Petra_Staff_Puzzle: ten staffs to set in twenty-five holders so that they form five lines of four.
#pragma once

#include "engine/Object.h"
#include "petra/Petra_Ids.h"
#include "util/Tick.h"

class Collectable;
class Map;
class Pointf;

constexpr int Staff_Lines_Count = 70;
constexpr int Staff_Line_Length = 4;
constexpr int Staff_Solution_Lines = 5; // rows 0 to 4
constexpr int Staff_Cont_Lines_Count = 3;
constexpr double Staff_Close_Enough_Dist = 2.0; // nearer than this to its place, a staff fills a holder
constexpr double Staff_Hold_Fix_Dist = 10.0;    // nearer than this, a free staff is pulled into place
constexpr double Staff_Target_Rise = 12.0;      // a staff's place stands this far above its holder

// Every line of four holders the staffs can form: rows 0 to 4 are the solution, a five-pointed
// star over holders 0 to 9.
extern int const staffLines[Staff_Lines_Count][Staff_Line_Length];

// A staff put down near an empty holder is pulled into it. Every complete line of four holders
// is drawn as a flickering spark line, only one line of four for each longer straight line of
// holders; the puzzle is solved when the star's five lines are complete. The holders and lines
// are worked out afresh from the staffs' places at every step.
class Petra_Staff_Puzzle final : public Object
{
public:
    // staffs is borrowed, not copied.
    Petra_Staff_Puzzle(Collectable** staffList, int count);
    ~Petra_Staff_Puzzle() override = default;
    Petra_Staff_Puzzle(Petra_Staff_Puzzle const&) = delete;
    Petra_Staff_Puzzle& operator=(Petra_Staff_Puzzle const&) = delete;

    void MoveToTime(Map const* map, Tick t) override;
    void RenderFore(Map const* map, Tick t) const override;
    bool Complete() const;
    // Draws one spark line between two screen points; top begins and ends the strip.
    void RenderLine(Pointf const* a, Pointf const* b, bool top) const;
    // Of the rows first to first + count - 1, which lie on one straight line, keeps the first done.
    void CheckContiguous(int first, int count);

    bool holderFilled[Petra_Staff_Holder_Count] = {};
    bool lineDone[Staff_Lines_Count] = {};

private:
    void FillHolder(Map const* map, Tick t, int holder);

    Collectable** staffs;
    int staffCount;
};
