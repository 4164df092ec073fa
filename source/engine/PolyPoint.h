// PolyPoint: one vertex of a map polygon together with the edge that leaves it.
#pragma once

#include "util/Pointf.h"

class LineEq;
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

    double LineEval(Pointf const* p) const;
    bool Intersect(PolyPoint const* other, Pointf& out) const;
    bool Intersect(LineEq const* other, Pointf& out) const;
    double Angle(PolyPoint const* other) const;

    // 0 inside the edge, 1 outside, 2 on an internal edge, 3 on an outer edge.
    int Hit(Pointf const* p) const;
    // Whether the segment from this point to next touches the rectangle.
    bool Hit(Rectf const* rect, PolyPoint const* next) const;
    // Bit 1: a1 is the forward surface direction at p; bit 2: a2 the backward one.
    int SurfaceAngles(Pointf const* p, PolyPoint const* prev, PolyPoint const* next, double& a1, double& a2) const;
    // Clips the move a -> b against this edge; true when b was changed.
    bool TryMove(Pointf const* a, Pointf* b, PolyPoint const* next) const;
    bool TryMoveParallel(Pointf const* a, Pointf* b, PolyPoint const* next) const;

    void Render(WorldTransform const* view, double ratio) const;
    void PosFromStart(double dx, double dy);
    void RotateFromStart(Pointf const* centre, double angle);

    Pointf pos;
    Pointf tex;
    bool internal;
    bool drawEdge;
    Pointf start;
    LineEq* line; // through pos and the next point; owned, NULL for non-solid polygons
};
