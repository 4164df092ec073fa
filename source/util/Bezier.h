// A cubic curve of four control points.
#pragma once

#include "util/Pointf.h"

class Bezier
{
public:
    Bezier(Pointf const* cp0, Pointf const* cp1, Pointf const* cp2, Pointf const* cp3);
    // From start to end; each angle points from its end towards the inner control
    // point, which lies a third of the chord away.
    Bezier(Pointf const* start, double startAngle, Pointf const* end, double endAngle);
    explicit Bezier(Bezier const* other);

    // The point at u: p0 at 0, p3 at 1; outside that range the cubic extrapolates.
    Pointf Eval(double u) const;

    Pointf p0;
    Pointf p1;
    Pointf p2;
    Pointf p3;
};
