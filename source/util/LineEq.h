// The straight line a*x + b*y + c = 0.
#pragma once

#include "util/Pointf.h"

// The coefficients are not normalised: their signs keep the direction the line was made with.
class LineEq
{
public:
    LineEq(double la, double lb, double lc) : a(la), b(lb), c(lc) {}
    // Through p1 and p2; Eval is positive on the right of p1 -> p2 (y up).
    // Throws Error_LineEquation when the points coincide.
    LineEq(Pointf const* p1, Pointf const* p2);
    // Through p in the direction of the angle.
    LineEq(Pointf const* p, double angle);

    double Eval(Pointf const* p) const { return a * p->x + b * p->y + c; }
    // False for parallel lines, leaving out unchanged.
    bool Intersect(LineEq const* other, Pointf& out) const;

    double a;
    double b;
    double c;
};
