// An axis-aligned rectangle of doubles.
#include "util/Rectf.h"

#include "util/Pointf.h"
#include "util/Util.h"

#include <cassert>
#include <cstddef>

Rectf::Rectf(Pointf const* pt1, Pointf const* pt2) : Rectf()
{
    (*this)(pt1, pt2);
}

Rectf::Rectf(Pointf const* pt, double w, double h) : Rectf()
{
    assert(pt != NULL);
    x0 = pt->x;
    y0 = pt->y;
    x1 = pt->x + w;
    y1 = pt->y + h;
}

Rectf::Rectf(Rectf const* r) : Rectf()
{
    assert(r != NULL);
    *this = *r;
}

Rectf Rectf::operator()(Pointf const* pt1, Pointf const* pt2)
{
    assert(pt1 != NULL);
    assert(pt2 != NULL);
    x0 = pt1->x < pt2->x ? pt1->x : pt2->x;
    x1 = pt1->x < pt2->x ? pt2->x : pt1->x;
    y0 = pt1->y < pt2->y ? pt1->y : pt2->y;
    y1 = pt1->y < pt2->y ? pt2->y : pt1->y;
    return *this;
}

Pointf Rectf::Centre() const
{
    return Pointf((x1 - x0) / 2 + x0, (y1 - y0) / 2 + y0);
}

bool Rectf::Contains(Pointf const* p) const
{
    return x0 <= p->x && p->x <= x1 && y0 <= p->y && p->y <= y1;
}

namespace
{
bool AtOrAbove(double v, double limit)
{
    return v > limit || Util::Equal(v, limit);
}
} // namespace

bool Rectf::Intersect(Rectf const* r) const
{
    return AtOrAbove(r->x1, x0) && AtOrAbove(x1, r->x0) && AtOrAbove(r->y1, y0) && AtOrAbove(y1, r->y0);
}

void Rectf::Union(Rectf const* r)
{
    if (r->x0 < x0 && !Util::Equal(r->x0, x0))
        x0 = r->x0;
    if (r->y0 < y0 && !Util::Equal(r->y0, y0))
        y0 = r->y0;
    if (r->x1 > x1 && !Util::Equal(r->x1, x1))
        x1 = r->x1;
    if (r->y1 > y1 && !Util::Equal(r->y1, y1))
        y1 = r->y1;
}
