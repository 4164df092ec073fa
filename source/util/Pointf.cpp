// A 2D point of doubles.
#include "util/Pointf.h"

#include "util/Util.h"
#include "util/WorldTransform.h"

#include <cassert>
#include <cmath>
#include <cstddef>

Pointf::Pointf(Pointf const* p) : x(0), y(0)
{
    assert(p != NULL);
    x = p->x;
    y = p->y;
}

Pointf Pointf::operator()(double px, double py)
{
    x = px;
    y = py;
    return *this;
}

Pointf Pointf::operator+=(Pointf const& p)
{
    x += p.x;
    y += p.y;
    return *this;
}

Pointf Pointf::operator-=(Pointf const& p)
{
    x -= p.x;
    y -= p.y;
    return *this;
}

Pointf Pointf::operator*=(double factor)
{
    x *= factor;
    y *= factor;
    return *this;
}

Pointf operator*(Pointf const& p, double factor)
{
    return Pointf(p.x * factor, p.y * factor);
}

double Pointf::Distance(Pointf const* p) const
{
    double dx = x - p->x;
    double dy = y - p->y;
    return std::sqrt(dx * dx + dy * dy);
}

double Pointf::DistanceEst(Pointf const* p) const
{
    return std::fabs(x - p->x) + std::fabs(y - p->y);
}

double Pointf::Angle(Pointf const* q) const
{
    return std::atan2(q->x - x, q->y - y);
}

void Pointf::Rotate(Pointf const* centre, double angle)
{
    double s = std::sin(angle);
    double c = std::cos(angle);
    double dx = centre ? x - centre->x : x;
    double dy = centre ? y - centre->y : y;
    x = dx * c + dy * s;
    y = -s * dx + dy * c;
    if (centre)
    {
        x += centre->x;
        y += centre->y;
    }
}

void Pointf::Scale(Pointf const* centre, double factor)
{
    if (centre)
    {
        x = (x - centre->x) * factor + centre->x;
        y = (y - centre->y) * factor + centre->y;
    }
    else
    {
        x *= factor;
        y *= factor;
    }
}

int Pointf::Clockwise(Pointf const* a, Pointf const* b) const
{
    double d = Util::Angle(a->Angle(b) - Angle(a));
    if (Util::Equal(d, 0.0))
        return 2;
    if (Util::Equal(d, Util::HalfTurn))
        return 3;
    return d < 0 ? 1 : 0;
}

Pointf Pointf::WorldToScreen(WorldTransform const* t) const
{
    if (t == nullptr)
        return *this;
    return Pointf((x - t->x) * t->scale, (y - t->y) * t->scale);
}

Pointf Pointf::ScreenToWorld(WorldTransform const* t) const
{
    if (t == nullptr)
        return *this;
    return Pointf(x / t->scale + t->x, y / t->scale + t->y);
}
