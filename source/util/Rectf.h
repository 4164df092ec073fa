// An axis-aligned rectangle of doubles: containment, overlap and union.
#pragma once

#include "util/Pointf.h"
#include "util/Util.h"

#include <cassert>

class Rectf
{
public:
    Rectf() : x0(0), y0(0), x1(0), y1(0) {}
    // Stored as given: a rectangle with x0 > x1 contains no point.
    Rectf(double rx0, double ry0, double rx1, double ry1) : x0(rx0), y0(ry0), x1(rx1), y1(ry1) {}
    // Two corners in any order.
    Rectf(Pointf const* pt1, Pointf const* pt2) { (*this)(pt1, pt2); }
    // Minimum corner, width and height.
    Rectf(Pointf const* pt, double w, double h);
    explicit Rectf(Rectf const* r);

    // Sets the corners in any order; returns a copy of the rectangle.
    Rectf operator()(Pointf const* pt1, Pointf const* pt2)
    {
        assert(pt1 != nullptr && pt2 != nullptr);
        x0 = pt1->x < pt2->x ? pt1->x : pt2->x;
        x1 = pt1->x < pt2->x ? pt2->x : pt1->x;
        y0 = pt1->y < pt2->y ? pt1->y : pt2->y;
        y1 = pt1->y < pt2->y ? pt2->y : pt1->y;
        return *this;
    }

    double Width() const { return x1 - x0; }
    double Height() const { return y1 - y0; }
    Pointf Centre() const;
    // Edges included, no tolerance.
    bool Contains(Pointf const* p) const { return x0 <= p->x && p->x <= x1 && y0 <= p->y && p->y <= y1; }
    // Overlapping or touching, a gap below Util::Eps counting as touching.
    bool Intersect(Rectf const* r) const
    {
        return AtOrAbove(r->x1, x0) && AtOrAbove(x1, r->x0) && AtOrAbove(r->y1, y0) && AtOrAbove(y1, r->y0);
    }
    void Union(Rectf const* r);

    double x0; // minimum corner
    double y0;
    double x1; // maximum corner
    double y1;

private:
    static bool AtOrAbove(double v, double limit) { return v > limit || Util::Equal(v, limit); }
};
