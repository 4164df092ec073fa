// A cubic curve of four control points.
#include "util/Bezier.h"

#include <cmath>

Bezier::Bezier(Pointf const* cp0, Pointf const* cp1, Pointf const* cp2, Pointf const* cp3)
    : p0(cp0), p1(cp1), p2(cp2), p3(cp3)
{
}

Bezier::Bezier(Pointf const* start, double startAngle, Pointf const* end, double endAngle)
    : p0(start), p1(start), p2(end), p3(end)
{
    double third = start->Distance(end) / 3;
    p1 += Pointf(std::sin(startAngle) * third, std::cos(startAngle) * third);
    p2 += Pointf(std::sin(endAngle) * third, std::cos(endAngle) * third);
}

Bezier::Bezier(Bezier const* other) : p0(&other->p0), p1(&other->p1), p2(&other->p2), p3(&other->p3)
{
}

Pointf Bezier::Eval(double u) const
{
    double w = 1 - u;
    Pointf result(0, 0);
    result += p0 * (w * w * w);
    result += p1 * (3 * u * w * w);
    result += p2 * (3 * u * u * w);
    result += p3 * (u * u * u);
    return result;
}
