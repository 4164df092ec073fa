// Movement paths: positions as pure functions of the tick.
#include "engine/Path.h"

#include "util/Error.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace
{
constexpr double Path_HalfPi = 1.5707963267949;
constexpr double Path_Pi = 3.1415926535898;
constexpr Tick Path_BobMoveTime = 30; // ticks a bob takes to travel between its points

// a < b, and not within the tolerance of it.
bool ClearlyLess(double a, double b)
{
    return a < b && !(Util::Eps > b - a && Util::Eps > a - b);
}
} // namespace

Path_None::Path_None(Pointf pt) : point(pt)
{
}

Position_Info Path_None::PositionAtTime(Tick) const
{
    return Position_Info{point, true};
}

Rectf Path_None::GetBound() const
{
    return Rectf(point.x, point.y, point.x, point.y);
}

Path_Sine::Path_Sine(Pointf centrePos, double amp, double speed, bool alongX, bool alongY, Tick startPhase)
    : centre(centrePos), amplitude(amp), rate(speed), onX(alongX), onY(alongY),
      phase(startPhase == -1 ? (std::rand() & 0x7FFF) : startPhase)
{
}

Position_Info Path_Sine::PositionAtTime(Tick t) const
{
    double a = Util::Angle((double(t) + double(phase)) * rate / Path_Pi / 2.0);
    Position_Info info{centre, true};
    if (onX)
    {
        info.pos.x += std::sin(a) * amplitude;
        info.facingLeft = ClearlyLess(Path_HalfPi, a) || ClearlyLess(a, -Path_HalfPi);
    }
    if (onY)
        info.pos.y += std::cos(a) * amplitude;
    return info;
}

Rectf Path_Sine::GetBound() const
{
    double dx = onX ? amplitude : 0.0;
    double dy = onY ? amplitude : 0.0;
    return Rectf(centre.x - dx, centre.y - dy, centre.x + dx, centre.y + dy);
}

Path_Round::Path_Round(Pointf centrePos, double w, double h, double unitsPerTick, bool backwards)
    : centre(centrePos), width(w), height(h), speed(unitsPerTick), reversed(backwards)
{
    assert(speed > 0.0);
    assert(int((2.0 * width + 2.0 * height) / speed) > 0);
}

Position_Info Path_Round::PositionAtTime(Tick t) const
{
    int n = int((2.0 * width + 2.0 * height) / speed);
    int k = t % n;
    if (reversed)
        k = n - k - 1;

    Position_Info info{Pointf(centre.x + width / 2.0, centre.y + height / 2.0), true};
    int a = int(width / speed);
    if (k < a)
    {
        info.pos.x -= k * speed;
        return info;
    }
    k -= a;
    info.pos.x -= width;
    int b = int(height / speed);
    if (k < b)
    {
        info.pos.y -= k * speed;
        return info;
    }
    k -= b;
    info.pos.y -= height;
    int c = int(width / speed);
    if (k < c)
    {
        info.pos.x += k * speed;
        return info;
    }
    k -= c;
    info.pos.x += width;
    info.pos.y += k * speed;
    return info;
}

Rectf Path_Round::GetBound() const
{
    return Rectf(centre.x - width / 2.0, centre.y - height / 2.0, centre.x + width / 2.0, centre.y + height / 2.0);
}

Path_MultiPoint::Path_MultiPoint(Pointf corner1, Pointf corner2, int pointCount, Tick ticksPerPoint, double ease,
                                 Tick startPhase)
    : count(pointCount), interval(ticksPerPoint), easing(ease), bound(0.0, 0.0, 0.0, 0.0), phase(0)
{
    assert(count > 0 && interval > 0);
    points = static_cast<Pointf*>(std::calloc(size_t(count), sizeof(Pointf)));
    if (!points)
        throw Error(Error_OutOfMemory);
    for (int i = 0; i < count; i++)
    {
        points[i].x = corner1.x + (std::rand() & 0x3FF) * (corner2.x - corner1.x) / 1024.0;
        points[i].y = corner2.y + (std::rand() & 0x3FF) * (corner1.y - corner2.y) / 1024.0;
    }
    bound = Rectf(points[0].x, points[0].y, points[0].x, points[0].y);
    for (int i = 1; i < count; i++)
    {
        bound.x0 = std::fmin(bound.x0, points[i].x);
        bound.y0 = std::fmin(bound.y0, points[i].y);
        bound.x1 = std::fmax(bound.x1, points[i].x);
        bound.y1 = std::fmax(bound.y1, points[i].y);
    }
    phase = startPhase == -1 ? Tick((int64_t(count) * interval * (std::rand() & 0x3FF)) / 1024) : startPhase;
}

Path_MultiPoint::~Path_MultiPoint()
{
    std::free(points);
}

Position_Info Path_MultiPoint::PositionAtTime(Tick t) const
{
    Tick k = (phase + t) % (count * interval);
    int i = k / interval;
    Tick f = k % interval;
    Pointf const& from = points[i];
    Pointf const& to = points[i + 1 < count ? i + 1 : 0];

    Position_Info info;
    info.facingLeft = ClearlyLess(to.x, from.x);
    info.pos.x = Util::FunkyMove(from.x, to.x, f, 0.02);
    info.pos.y = Util::FunkyMove(from.y, to.y, f, 0.02);
    return info;
}

Rectf Path_MultiPoint::GetBound() const
{
    return bound;
}

Path_Bob::Path_Bob(Pointf a, Pointf b, Tick ticksAtA, Tick ticksAtB, Tick startPhase)
    : pointA(a), pointB(b), timeToA(ticksAtA), timeToB(ticksAtB),
      phase(startPhase == -1 ? (std::rand() & 0xFFF) : startPhase)
{
    assert(timeToA + timeToB > 0);
}

Position_Info Path_Bob::PositionAtTime(Tick t) const
{
    Tick k = (phase + t) % (timeToA + timeToB);
    Position_Info info{pointA, true};
    Pointf const* from = &pointA;
    Pointf const* to = &pointB;
    if (k >= timeToB)
    {
        k -= timeToB;
        from = &pointB;
        to = &pointA;
    }
    if (k < Path_BobMoveTime)
    {
        info.pos.x = Util::FunkyMove(from->x, to->x, k, 0.125);
        info.pos.y = Util::FunkyMove(from->y, to->y, k, 0.125);
        info.facingLeft = ClearlyLess(to->x, from->x);
    }
    else
        info.pos = *to;
    return info;
}

Rectf Path_Bob::GetBound() const
{
    return Rectf(&pointA, &pointB);
}
