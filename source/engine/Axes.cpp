// Axes: settling a throw when it is made, and drawing the throws in flight.
#include "engine/Axes.h"

#include "engine/Target.h"
#include "util/Bezier.h"
#include "util/Pointf.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>
#include <cstdlib>

namespace
{
constexpr double Axes_UnitsPerTick = 8.0; // blade speed at scale 1
constexpr double Axes_ChaseShare = 0.7;   // share of the target's own motion added to the flight
constexpr Tick Axes_DrawTail = 50;        // ticks after which an ended throw stops the drawing walk
} // namespace

Axes::Axes() : axes(new PtrListSorted<Axe>(PtrList_Variable, 32))
{
}

Axes::~Axes()
{
    axes->Destroy();
}

int Axes::ThrowAxe(Map const* map, Tick t, Pointf const* from, Target* target, int strength, double throwerScale)
{
    assert(from != NULL && "from != NULL");
    assert(strength > 0 && "strength > 0");
    if (target == nullptr)
        return 0;

    int const d = CalcThrowingDuration(map, t, from, target, throwerScale);
    Pointf const p0 = *from;
    Pointf p3 = p0;
    target->GetTargetPos(map, t + d, p3);

    double a1 = 0.0;
    double a2 = 0.0;
    double const r = CalcThrowingAngles(&p0, &p3, a1, a2);
    Pointf const p1(p0.x + std::sin(a1) * r, p0.y + std::cos(a1) * r);
    Pointf const p2(p3.x + std::sin(a2) * r, p3.y + std::cos(a2) * r);
    axes->AddItem(new Axe(t, d, new Bezier(&p0, &p1, &p2, &p3), throwerScale));
    axes->SortList();

    Target_Hit_Flags const side = (p3.x < p0.x + Util::Eps) ? Target_Hit_FromRight : 0;
    target->NoiseHit(t + d);
    return target->Hit(t + d, strength, side);
}

int Axes::CalcThrowingDuration(Map const* map, Tick t, Pointf const* from, Target* target, double throwerScale)
{
    Pointf a = *from;
    Pointf b = *from;
    target->GetTargetPos(map, t, a);
    target->GetTargetPos(map, t + 1, b);
    double const d1 = a.DistanceEst(from);
    double const d2 = b.DistanceEst(from);
    int const n = static_cast<int>(d1 / (Axes_UnitsPerTick * throwerScale))
                  + static_cast<int>(Axes_ChaseShare * (d2 - d1) / throwerScale);
    return n <= 0 ? 1 : n;
}

double Axes::CalcThrowingAngles(Pointf const* from, Pointf const* to, double& a1, double& a2)
{
    double const g = from->Angle(to);
    double const length = from->Distance(to);
    // The curve's shape is cosmetic: the hit is already settled, so the C generator serves.
    double const spread = Axes_SpreadMin + (std::rand() & 0xFF) * (Axes_SpreadMax - Axes_SpreadMin) / 256.0;
    if (g > 0.0 && !(g < Util::Eps))
    {
        a1 = Util::Angle(g - spread);
        a2 = Util::Angle(g - Util::HalfTurn + spread);
    }
    else
    {
        a1 = Util::Angle(g + spread);
        a2 = Util::Angle(g - Util::HalfTurn - spread);
    }
    return length / 3.0 * (1.0 + std::sin(std::fabs(spread)));
}

void Axes::Render(Map const* map, Tick time) const
{
    if (axes->Count() == 0)
        return;
    Tick const now = time / 256;
    Axe const key(now, 1, nullptr, 1.0);
    for (int i = axes->FindItem(&key); i >= 0; i--)
    {
        Axe const* axe = (*axes)[i];
        if (axe == nullptr)
            continue;
        axe->Render(map, time);
        if (axe->EndTime() < now - Axes_DrawTail)
            break;
    }
}
