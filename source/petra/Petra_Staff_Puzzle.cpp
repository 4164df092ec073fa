// Petra_Staff_Puzzle: the holders, the pull into place, the lines and their sparks.
#include "petra/Petra_Staff_Puzzle.h"

#include "engine/Collectable.h"
#include "engine/Map.h"
#include "util/Pointf.h"
#include "util/Util.h"
#include "util/Vectorf.h"

#include <GL/gl.h>

#include <cassert>
#include <cmath>
#include <cstdlib>

// Rows 5 to 59 are the sets of four out of three longer straight lines (of five, seven and six
// holders), ordered by their last holder first; rows 66 and 67 repeat rows 61 and 60.
int const staffLines[Staff_Lines_Count][Staff_Line_Length] = {
    {6, 2, 1, 9},     {6, 3, 4, 8},     {7, 3, 2, 5},     {7, 4, 0, 9},     {8, 0, 1, 5},     {17, 21, 6, 22},
    {17, 21, 6, 18},  {17, 21, 22, 18}, {17, 6, 22, 18},  {21, 6, 22, 18},  {11, 8, 24, 10},  {11, 8, 24, 23},
    {11, 8, 10, 23},  {11, 24, 10, 23}, {8, 24, 10, 23},  {11, 8, 24, 9},   {11, 8, 10, 9},   {11, 24, 10, 9},
    {8, 24, 10, 9},   {11, 8, 23, 9},   {11, 24, 23, 9},  {8, 24, 23, 9},   {11, 10, 23, 9},  {8, 10, 23, 9},
    {24, 10, 23, 9},  {11, 8, 24, 12},  {11, 8, 10, 12},  {11, 24, 10, 12}, {8, 24, 10, 12},  {11, 8, 23, 12},
    {11, 24, 23, 12}, {8, 24, 23, 12},  {11, 10, 23, 12}, {8, 10, 23, 12},  {24, 10, 23, 12}, {11, 8, 9, 12},
    {11, 24, 9, 12},  {8, 24, 9, 12},   {11, 10, 9, 12},  {8, 10, 9, 12},   {24, 10, 9, 12},  {11, 23, 9, 12},
    {8, 23, 9, 12},   {24, 23, 9, 12},  {10, 23, 9, 12},  {19, 13, 4, 1},   {19, 13, 4, 14},  {19, 13, 1, 14},
    {19, 4, 1, 14},   {13, 4, 1, 14},   {19, 13, 4, 20},  {19, 13, 1, 20},  {19, 4, 1, 20},   {13, 4, 1, 20},
    {19, 13, 14, 20}, {19, 4, 14, 20},  {13, 4, 14, 20},  {19, 1, 14, 20},  {13, 1, 14, 20},  {4, 1, 14, 20},
    {6, 16, 5, 20},   {19, 7, 15, 6},   {17, 7, 13, 11},  {18, 5, 14, 12},  {13, 3, 16, 18},  {17, 15, 2, 14},
    {19, 7, 15, 6},   {6, 16, 5, 20},   {21, 15, 3, 23},  {22, 16, 2, 24},
};

namespace
{

// The straight lines of more than four holders: their first row and how many rows they take.
struct Staff_Run
{
    int first;
    int count;
};
constexpr Staff_Run Staff_Runs[Staff_Cont_Lines_Count] = {{5, 5}, {10, 35}, {45, 15}};

constexpr double Staff_Line_Raise = 20.0; // a spark line runs this far above the holders
constexpr double Staff_Spark_Piece = 10.0;
constexpr double Staff_Spark_Spread = 30.0; // divides the random kink of 0 to 255 less 128

bool Below(double a, double b)
{
    return b - a >= Util::Eps;
}

Pointf Target(Map const* map, int holder)
{
    Pointf at = map->GetRefPoint(Petra_Staff_BaseRefPt + static_cast<unsigned int>(holder));
    at.y += Staff_Target_Rise;
    return at;
}

} // namespace

Petra_Staff_Puzzle::Petra_Staff_Puzzle(Collectable** staffList, int count) : staffs(staffList), staffCount(count)
{
}

void Petra_Staff_Puzzle::MoveToTime(Map const* map, Tick t)
{
    for (int s = 0; s < Petra_Staff_Holder_Count; s++)
        FillHolder(map, t, s);
    for (int l = 0; l < Staff_Lines_Count; l++)
    {
        bool done = true;
        for (int holder : staffLines[l])
            done = done && holderFilled[holder];
        lineDone[l] = done;
    }
    for (Staff_Run const& run : Staff_Runs)
        CheckContiguous(run.first, run.count);
}

void Petra_Staff_Puzzle::FillHolder(Map const* map, Tick t, int holder)
{
    Pointf const target = Target(map, holder);
    holderFilled[holder] = false;
    Collectable* candidate = nullptr;
    for (int i = 0; i < staffCount; i++)
    {
        Collectable* staff = staffs[i];
        assert(staff != nullptr && "staff != NULL");
        if (staff->GetPlayerHolding())
            continue;
        Pointf const at = staff->GetPosAtTime(t);
        double const d = target.DistanceEst(&at);
        if (Below(d, Staff_Close_Enough_Dist))
        {
            holderFilled[holder] = true;
            candidate = nullptr;
            break;
        }
        if (Below(Staff_Close_Enough_Dist, d) && Below(d, Staff_Hold_Fix_Dist))
            candidate = staff;
    }
    // The holder counts as filled from the next step, when the staff is seen in place.
    if (candidate != nullptr)
        candidate->SetPosAtTime(t, target, Vectorf(0.0, 0.0), 0.0, true);
}

void Petra_Staff_Puzzle::CheckContiguous(int first, int count)
{
    bool kept = false;
    for (int l = first; l < first + count; l++)
    {
        if (!lineDone[l])
            continue;
        if (kept)
            lineDone[l] = false;
        kept = true;
    }
}

bool Petra_Staff_Puzzle::Complete() const
{
    for (int l = 0; l < Staff_Solution_Lines; l++)
        if (!lineDone[l])
            return false;
    return true;
}

void Petra_Staff_Puzzle::RenderFore(Map const* map, Tick) const
{
    for (int l = 0; l < Staff_Lines_Count; l++)
    {
        if (!lineDone[l])
            continue;
        Pointf points[Staff_Line_Length];
        for (int k = 0; k < Staff_Line_Length; k++)
        {
            Pointf at = map->GetRefPoint(Petra_Staff_BaseRefPt + static_cast<unsigned int>(staffLines[l][k]));
            at.y += Staff_Line_Raise;
            points[k] = at.WorldToScreen(&map->view);
        }
        for (int k = 0; k + 1 < Staff_Line_Length; k++)
            RenderLine(&points[k], &points[k + 1], true);
    }
}

void Petra_Staff_Puzzle::RenderLine(Pointf const* a, Pointf const* b, bool top) const
{
    if (top)
    {
        glColor4f(1.0f, 1.0f, 1.0f, 0.7f);
        glLineWidth(2.0f);
        glDisable(GL_TEXTURE_2D);
        glBegin(GL_LINE_STRIP);
        glVertex2f(static_cast<float>(a->x), static_cast<float>(a->y));
    }
    if (Below(a->DistanceEst(b), Staff_Spark_Piece))
    {
        glVertex2f(static_cast<float>(b->x), static_cast<float>(b->y));
    }
    else
    {
        // A random kink at right angles to the piece: cosmetic, so the C library's generator.
        double const across = Util::Angle(a->Angle(b) + Util::QuarterTurn);
        double const offset = ((std::rand() & 255) - 128) / Staff_Spark_Spread;
        Pointf const mid((a->x + b->x) / 2.0 + std::sin(across) * offset,
                         (a->y + b->y) / 2.0 + std::cos(across) * offset);
        RenderLine(a, &mid, false);
        RenderLine(&mid, b, false);
    }
    if (top)
        glEnd();
}
