// An axis-aligned rectangle of doubles.
#include "util/Rectf.h"

#include "util/Pointf.h"
#include "util/Util.h"

#include <cassert>
#include <cstddef>

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

Pointf Rectf::Centre() const
{
    return Pointf((x1 - x0) / 2 + x0, (y1 - y0) / 2 + y0);
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
