// PolyPoint: point and edge tests against one edge line of a solid map polygon.
#include "engine/PolyPoint.h"

#include "util/LineEq.h"
#include "util/Rectf.h"
#include "util/Util.h"
#include "util/WorldTransform.h"

#include <GL/gl.h>

namespace
{
// v lies between p and q on one axis, ends included within the tolerance.
bool Between(double v, double p, double q)
{
    bool const geP = p >= v || Util::Equal(p, v);
    bool const leP = p <= v || Util::Equal(p, v);
    bool const geQ = v >= q || Util::Equal(v, q);
    bool const leQ = v <= q || Util::Equal(v, q);
    return (geP && geQ) || (leP && leQ);
}
} // namespace

PolyPoint::PolyPoint()
    : pos(0.0, 0.0), tex(0.0, 0.0), internal(false), drawEdge(false), start(0.0, 0.0), line(nullptr),
      edgeLine(0.0, 0.0, 0.0)
{
}

PolyPoint::PolyPoint(Pointf const* position, Pointf const* texCoord, Pointf const* startPos, bool edge) : PolyPoint()
{
    drawEdge = edge;
    Set(position, texCoord, startPos);
}

PolyPoint::PolyPoint(PolyPoint const* other)
    : pos(other->pos), tex(other->tex), internal(other->internal), drawEdge(other->drawEdge), start(other->start),
      line(nullptr), edgeLine(0.0, 0.0, 0.0)
{
}

PolyPoint::~PolyPoint() = default;

void PolyPoint::Set(Pointf const* position, Pointf const* texCoord, Pointf const* startPos)
{
    if (position != nullptr)
    {
        pos = *position;
        Moved();
    }
    if (texCoord != nullptr)
        tex = *texCoord;
    if (startPos != nullptr)
        start = pos;
}

void PolyPoint::SetLine(PolyPoint const* next)
{
    edgeLine = LineEq(&pos, &next->pos);
    line = &edgeLine;
    Moved();
}

double PolyPoint::CachedAngle(PolyPoint const* other, double& angle, bool& known) const
{
    if (!known)
    {
        angle = Angle(other);
        known = true;
    }
    return angle;
}

void PolyPoint::Moved()
{
    nextAngleKnown = false;
    prevAngleKnown = false;
}

bool PolyPoint::Intersect(PolyPoint const* other, Pointf& out) const
{
    if (line == nullptr || other->line == nullptr)
        return false;
    return line->Intersect(other->line, out);
}

bool PolyPoint::Intersect(LineEq const* other, Pointf& out) const
{
    if (line == nullptr)
        return false;
    return line->Intersect(other, out);
}

double PolyPoint::Angle(PolyPoint const* other) const
{
    return pos.Angle(&other->pos);
}

bool PolyPoint::Hit(Rectf const* rect, PolyPoint const* next) const
{
    Pointf const& p = pos;
    Pointf const& q = next->pos;
    if (rect->Contains(&p))
        return true;
    double const a = line->a;
    double const b = line->b;
    double const c = line->c;
    double const ys[2] = {rect->y0, rect->y1};
    for (double const y : ys)
    {
        if (a != 0.0 && Between(y, p.y, q.y))
        {
            double const x = -(b * y + c) / a;
            if (rect->x0 < x && x < rect->x1)
                return true;
        }
    }
    double const xs[2] = {rect->x0, rect->x1};
    for (double const x : xs)
    {
        if (b != 0.0 && Between(x, p.x, q.x))
        {
            double const y = -(a * x + c) / b;
            if (rect->y0 < y && y < rect->y1)
                return true;
        }
    }
    return false;
}

int PolyPoint::SurfaceAngles(Pointf const* p, PolyPoint const* prev, PolyPoint const* next, double& a1,
                             double& a2) const
{
    if (!Util::Equal(0.0, LineEval(p)))
        return 0;
    int const k = p->InLine(&pos, &next->pos);
    if (k != 1 && k != 2)
        return 0;
    int result = 0;
    if (!internal)
    {
        a1 = CachedAngle(next, nextAngle, nextAngleKnown);
        result |= 1;
    }
    if (k == 1 && !prev->internal)
    {
        a2 = CachedAngle(prev, prevAngle, prevAngleKnown);
        result |= 2;
    }
    else if (k == 2 && !internal)
    {
        a2 = Util::Angle(a1 + Util::HalfTurn);
        result |= 2;
    }
    return result;
}

bool PolyPoint::TryMove(Pointf const* a, Pointf* b, PolyPoint const* next, bool* startOn) const
{
    if (line == nullptr || *a == *b)
        return false;
    return Clip(a, b, next, startOn);
}

bool PolyPoint::ClipAcross(Pointf const* a, Pointf* b, PolyPoint const* next, double eA, double eB, bool onB) const
{
    if (Util::Equal(0.0, eB - eA))
        return internal ? TryMoveParallel(a, b, next) : false;
    // A move may end exactly on a surface, or leave the polygon.
    if (onB || eB < 0.0)
        return false;

    Pointf x(0.0, 0.0);
    LineEq const move(a, b);
    if (!move.Intersect(line, x))
        return false;
    int const kP = x.InLine(&pos, &next->pos);
    int const kM = x.InLine(a, b);
    if (kP == 0 || kP == 4 || kM == 0 || kM == 4)
        return false;
    if (kP == 2 && kM == 2)
    {
        if (internal)
            return false;
        *b = x;
        return true;
    }
    if (kM != 1 && kM != 2)
        return false;
    if (kP == 1)
        return false;
    // Entering at the far corner only counts when the move ends inside the next edge too.
    double const k = kP == 2 ? 1.0 : next->LineEval(b);
    if (Util::Equal(0.0, k) || k < 0.0)
        return false;
    *b = kP == 2 ? x : next->pos;
    return true;
}

bool PolyPoint::TryMoveParallel(Pointf const* a, Pointf* b, PolyPoint const* next) const
{
    int const kA = a->InLine(&pos, &next->pos);
    int const kB = b->InLine(&pos, &next->pos);
    if (kA == 2)
    {
        // A point on a seam does not slide along it.
        *b = *a;
        return true;
    }
    if (kA == 3 || kA == 4)
    {
        if (kB == 4)
            return false;
        *b = next->pos;
        return true;
    }
    if (kB == 0)
        return false;
    *b = pos;
    return true;
}

void PolyPoint::Render(WorldTransform const* view, double ratio) const
{
    Pointf const screen = pos.WorldToScreen(view);
    glTexCoord2f(float(tex.x), float(tex.y * ratio));
    glVertex2f(float(screen.x), float(screen.y));
}

void PolyPoint::Render(WorldTransform const* view, double ratio, float z) const
{
    Pointf const screen = pos.WorldToScreen(view);
    glTexCoord2f(float(tex.x), float(tex.y * ratio));
    glVertex3f(float(screen.x), float(screen.y), z);
}

void PolyPoint::PosFromStart(double dx, double dy)
{
    pos = Pointf(start.x + dx, start.y + dy);
    Moved();
}

void PolyPoint::RotateFromStart(Pointf const* centre, double angle)
{
    pos = start;
    pos.Rotate(centre, angle);
    Moved();
}
