// Poly: one convex map polygon with its points, edge lines and bound.
#pragma once

#include "engine/PolyPoint.h"
#include "util/PtrList.h"
#include "util/Rectf.h"
#include "util/Tick.h"

class LineEq;
class MapReader;
class Textures;
class WorldTransform;

class Poly final
{
public:
    // Reads one polygon record of a map file.
    explicit Poly(MapReader& reader);
    Poly(unsigned int n, unsigned int textureId, bool isSolid);
    explicit Poly(Poly const* other);
    Poly(Poly const&) = delete;
    Poly& operator=(Poly const&) = delete;
    ~Poly();

    int Points() const { return points.Count(); }
    int GetPoint(int i) const;
    // The point of index i, wrapped round the polygon.
    PolyPoint* GetPointPtr(int i) const { return i >= 0 && i < points.Count() ? points[i] : points[GetPoint(i)]; }
    Pointf GetVertexPoint(int i) const;
    unsigned int GetGroup() const { return group; }
    Rectf const* GetBound() const { return &bound; }

    // Appends a point; the last one completes the lines and the bound.
    void InitPolyPt(Pointf const* position, Pointf const* texCoord, bool edge);
    void CalcLineEquations();
    void CalcBound();

    // 0 inside, 1 outside, 2 on the outline.
    int Hit(Pointf const* p) const;
    bool Hit(Rectf const* rect) const;
    int SurfaceAngles(Pointf const* p, double& a1, double& a2) const;
    double GetSurfaceAngle(unsigned int i) const;
    // How far the polygon reaches straight up from p when the way up from p runs inside it (p
    // inside, on a seam, or on its underside), else 0; edge receives the edge that ends the way.
    double RiseThrough(Pointf const* p, unsigned int* edge) const;
    // Clips the move a -> b at the first edge it crosses into the polygon. When startOn is given
    // it is set once an outer edge is found to run through a (while the move is not clipped to a).
    bool TryMove(Pointf const* a, Pointf* b, unsigned int* edge, bool* startOn = nullptr) const;
    bool GetIntersect(unsigned int i, Poly const* other, unsigned int j, Pointf& out) const;
    bool GetIntersectWith(unsigned int i, LineEq const* other, Pointf& out) const;

    void PosFromStart(double dx, double dy);
    void RotateFromStart(Pointf const* centre, double angle);
    void NoInternal();
    // Whether edge i (from point i to the next) and the other polygon's edge k run between the same
    // two points the opposite ways, each point equal within the tolerance: a seam of two joined
    // polygons.
    bool Joins(int i, Poly const* other, int k) const
    {
        return GetVertexPoint(i) == other->GetVertexPoint(k + 1) && GetVertexPoint(i + 1) == other->GetVertexPoint(k);
    }
    // Marks the seams between two solid polygons, comparing every edge of one with every edge of the
    // other.
    void FindInternalEdges(Poly* other);
    bool IsValid() const;

    void Render(Textures const* textures, WorldTransform const* view, Tick time) const;

    unsigned int group;   // 0 = static scenery
    unsigned int texture; // 0 = untextured
    bool solid;
    bool foreground;
    PtrList<PolyPoint> points;
    Rectf bound; // vertex bounds grown by 0.1 on every side
};
