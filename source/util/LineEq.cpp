// The straight line a*x + b*y + c = 0.
#include "util/LineEq.h"

#include "util/Error.h"
#include "util/Pointf.h"
#include "util/Util.h"

#include <cmath>

LineEq::LineEq(Pointf const* p1, Pointf const* p2) : a(0), b(0), c(0)
{
    if (Util::Equal(p1->x, p2->x))
    {
        if (Util::Equal(p1->y, p2->y))
            throw Error(Error_LineEquation);
        a = p2->y > p1->y ? 1.0 : -1.0;
        b = 0;
    }
    else
    {
        double m = (p2->y - p1->y) / (p2->x - p1->x);
        if (p2->x > p1->x)
        {
            a = m;
            b = -1.0;
        }
        else
        {
            a = -m;
            b = 1.0;
        }
    }
    c = -(a * p1->x + b * p1->y);
}

LineEq::LineEq(Pointf const* p, double angle) : a(0), b(0), c(0)
{
    if (Util::Equal(angle, Util::QuarterTurn) || Util::Equal(angle, -Util::QuarterTurn))
    {
        a = 0;
        b = 1;
        c = -p->y;
    }
    else
    {
        a = 1;
        b = -std::tan(angle);
        c = -(p->x + b * p->y);
    }
}

bool LineEq::Intersect(LineEq const* other, Pointf& out) const
{
    double det = b * other->a - other->b * a;
    if (Util::Equal(det, 0.0))
        return false;
    double x = (other->b * c - b * other->c) / det;
    double y = Util::Equal(b, 0.0) ? -(other->a * x + other->c) / other->b : -(a * x + c) / b;
    out(x, y);
    return true;
}
