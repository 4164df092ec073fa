// PolyPoint: one vertex of a map polygon together with the edge that leaves it.
#pragma once

#include "util/LineEq.h"
#include "util/Pointf.h"
#include "util/Util.h"

#include <cmath>

class Rectf;
class WorldTransform;

class PolyPoint final
{
public:
    PolyPoint();
    // A non-NULL startPos makes the start position equal to the position.
    PolyPoint(Pointf const* position, Pointf const* texCoord, Pointf const* startPos, bool edge);
    explicit PolyPoint(PolyPoint const* other);
    PolyPoint(PolyPoint const&) = delete;
    PolyPoint& operator=(PolyPoint const&) = delete;
    ~PolyPoint();

    void Set(Pointf const* position, Pointf const* texCoord, Pointf const* startPos);
    void SetLine(PolyPoint const* next);
    bool HasLine() const { return line != nullptr; }

    double LineEval(Pointf const* p) const { return line->Eval(p); }
    // Whether p lies on the edge's line, within the tolerance.
    bool OnLine(Pointf const* p) const { return Near0(LineEval(p)); }
    bool Intersect(PolyPoint const* other, Pointf& out) const;
    bool Intersect(LineEq const* other, Pointf& out) const;
    double Angle(PolyPoint const* other) const;

    // 0 inside the edge, 1 outside, 2 on an internal edge, 3 on an outer edge.
    int Hit(Pointf const* p) const
    {
        double const e = LineEval(p);
        if (Near0(e))
            return internal ? 2 : 3;
        return e < 0.0 ? 1 : 0;
    }
    // Whether the segment from this point to next touches the rectangle.
    bool Hit(Rectf const* rect, PolyPoint const* next) const;
    // Bit 1: a1 is the forward surface direction at p; bit 2: a2 the backward one.
    int SurfaceAngles(Pointf const* p, PolyPoint const* prev, PolyPoint const* next, double& a1, double& a2) const;
    // Clips the move a -> b against this edge; true when b was changed. When startOn is given it
    // is set once a is found on the edge, an outer one.
    bool TryMove(Pointf const* a, Pointf* b, PolyPoint const* next, bool* startOn = nullptr) const;
    // TryMove for an edge with its line and a move that is not empty. Most edges a move is tried
    // against have both its ends on one side, which is settled here without a call.
    bool Clip(Pointf const* a, Pointf* b, PolyPoint const* next, bool* startOn) const
    {
        double const eA = LineEval(a);
        double const eB = LineEval(b);
        bool const onA = Near0(eA);
        bool const onB = Near0(eB);
        if (startOn != nullptr && onA && !internal)
            *startOn = true;
        if (!onA && !onB && ((eA < 0.0 && eB < 0.0) || (eA > 0.0 && eB > 0.0)))
            return false;
        return ClipAcross(a, b, next, eA, eB, onB);
    }
    bool TryMoveParallel(Pointf const* a, Pointf* b, PolyPoint const* next) const;

    void Render(WorldTransform const* view, double ratio) const;
    // The same vertex at depth z.
    void Render(WorldTransform const* view, double ratio, float z) const;
    void PosFromStart(double dx, double dy);
    void RotateFromStart(Pointf const* centre, double angle);

    Pointf pos;
    Pointf tex;
    bool internal;
    bool drawEdge;
    Pointf start;
    LineEq* line; // through pos and the next point (edgeLine); NULL for non-solid polygons

    static bool Near0(double e) { return Util::Equal(e, 0.0); }
    // p == q, equal within the tolerance on each axis.
    static bool Coincide(Pointf const* p, Pointf const* q) { return Util::Equal(p->x, q->x) && Util::Equal(p->y, q->y); }

private:
    // Clip for a move whose ends do not lie apart on one side of the line: eA and eB are the
    // line's values at a and b, onB whether b lies on it.
    bool ClipAcross(Pointf const* a, Pointf* b, PolyPoint const* next, double eA, double eB, bool onB) const;
    // The direction to a neighbour, worked out once for each place the points stand at; a
    // character's step asks the surfaces under it several times.
    double CachedAngle(PolyPoint const* other, double& angle, bool& known) const;
    // The points have moved: the directions are worked out anew.
    void Moved();

    // Kept in place: groups move every step, and a line made anew each time would cost an
    // allocation per corner.
    LineEq edgeLine;
    mutable double nextAngle = 0.0; // to the next point, while nextAngleKnown
    mutable double prevAngle = 0.0; // to the previous point, while prevAngleKnown
    mutable bool nextAngleKnown = false;
    mutable bool prevAngleKnown = false;
};
