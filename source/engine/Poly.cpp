// Poly: reading, hit and move tests, group placement and drawing of one map polygon.
#include "engine/Poly.h"

#include "engine/MapReader.h"
#include "media/Image.h"
#include "media/Textures.h"
#include "util/Error.h"
#include "util/LineEq.h"
#include "util/Util.h"
#include "util/WorldTransform.h"

#include <GL/gl.h>

#include <cassert>

namespace
{
constexpr uint32_t PointRecordSize = 36;
// Twice the tolerance within which the line maths takes two points for one.
constexpr double MinEdge = 2.0 * Util::Eps;
} // namespace

Poly::Poly(MapReader& reader)
    : group(0), texture(0), solid(false), foreground(false), points(), bound(0.0, 0.0, 0.0, 0.0)
{
    uint32_t const n = reader.ReadWord();
    texture = reader.ReadWord();
    group = reader.ReadWord();
    solid = reader.ReadWord() != 0;
    foreground = reader.ReadWord() != 0;
    // A polygon needs three corners to have an inside.
    if (n < 3)
        reader.Fail();
    reader.CheckRoom(n, PointRecordSize);
    points.Init(PtrList_Fixed, int(n));
    try
    {
        Pointf first;
        Pointf previous;
        for (uint32_t i = 0; i < n; ++i)
        {
            double const x = reader.ReadCoordinate();
            double const y = reader.ReadCoordinate();
            // Moving and turning a group recomputes its edges' lines, which fails for corners
            // closer than the line maths can tell apart; turned, a short edge can come closer.
            if (solid && i > 0 && Pointf(x, y).Distance(&previous) < MinEdge)
                reader.Fail();
            previous = Pointf(x, y);
            if (i == 0)
                first = previous;
            else if (solid && i + 1 == n && previous.Distance(&first) < MinEdge)
                reader.Fail();
            double const u = reader.ReadDouble();
            double const v = reader.ReadDouble();
            bool const edge = reader.ReadWord() != 0;
            Pointf const position(x, y);
            Pointf const texCoord(u, v);
            InitPolyPt(&position, &texCoord, edge);
        }
    }
    catch (Error const& err)
    {
        // Coincident corners fail inside the line maths, which does not know the file.
        throw Error(err.Code(), reader.Name());
    }
}

Poly::Poly(unsigned int n, unsigned int textureId, bool isSolid)
    : group(0), texture(textureId), solid(isSolid), foreground(false), points(PtrList_Fixed, int(n)),
      bound(0.0, 0.0, 0.0, 0.0)
{
}

Poly::Poly(Poly const* other)
    : group(other->group), texture(other->texture), solid(other->solid), foreground(other->foreground),
      points(PtrList_Fixed, other->Points()), bound(0.0, 0.0, 0.0, 0.0)
{
    for (int i = 0; i < other->Points(); ++i)
        points.AddItem(new PolyPoint(other->GetPointPtr(i)));
    CalcLineEquations();
    CalcBound();
}

Poly::~Poly() = default;

int Poly::GetPoint(int i) const
{
    int const n = Points();
    assert(n > 0);
    i %= n;
    if (i < 0)
        i += n;
    return i;
}

Pointf Poly::GetVertexPoint(int i) const
{
    return GetPointPtr(i)->pos;
}

void Poly::InitPolyPt(Pointf const* position, Pointf const* texCoord, bool edge)
{
    points.AddItem(new PolyPoint(position, texCoord, position, edge));
    if (points.ListFull())
    {
        CalcLineEquations();
        CalcBound();
    }
}

void Poly::CalcLineEquations()
{
    if (!solid)
        return;
    for (int i = 0; i < Points(); ++i)
        GetPointPtr(i)->SetLine(GetPointPtr(i + 1));
}

void Poly::CalcBound()
{
    if (Points() == 0)
        return;
    Pointf lo = GetVertexPoint(0);
    Pointf hi = lo;
    for (int i = 1; i < Points(); ++i)
    {
        Pointf const p = GetVertexPoint(i);
        lo = Pointf(p.x < lo.x ? p.x : lo.x, p.y < lo.y ? p.y : lo.y);
        hi = Pointf(p.x > hi.x ? p.x : hi.x, p.y > hi.y ? p.y : hi.y);
    }
    bound = Rectf(lo.x - 0.1, lo.y - 0.1, hi.x + 0.1, hi.y + 0.1);
}

double Poly::RiseThrough(Pointf const* p, unsigned int* edge) const
{
    // A line's value changes by b per unit climbed. The way up runs inside when every edge has p
    // inside, or on it with the inside above (or on a seam); the first edge to reach zero ends it.
    double best = 0.0;
    bool found = false;
    for (int i = 0; i < Points(); ++i)
    {
        PolyPoint const* point = GetPointPtr(i);
        if (point->line == nullptr)
            return 0.0;
        double const e = point->LineEval(p);
        double const b = point->line->b;
        if (Util::Equal(e, 0.0))
        {
            if (!point->internal && !(b > 0.0))
                return 0.0;
        }
        else if (e < 0.0)
        {
            return 0.0;
        }
        if (!(b < 0.0))
            continue;
        double const rise = e / -b;
        if (!found || rise < best)
        {
            best = rise;
            found = true;
            if (edge != nullptr)
                *edge = unsigned(i);
        }
    }
    return found && best > 0.0 ? best : 0.0;
}

int Poly::Hit(Pointf const* p) const
{
    // Without edge lines (a non-solid polygon) nothing is inside.
    int const n = Points();
    if (n == 0 || !points[0]->HasLine())
        return 1;
    PolyPoint const* const* const pts = &points[0];
    bool onOuter = false;
    for (int i = 0; i < n; ++i)
    {
        int const h = pts[i]->Hit(p);
        if (h == 1)
            return 1;
        if (h == 3)
            onOuter = true;
    }
    return onOuter ? 2 : 0;
}

bool Poly::Hit(Rectf const* rect) const
{
    if (Points() == 0 || !GetPointPtr(0)->HasLine())
        return false;
    for (int i = 0; i < Points(); ++i)
    {
        if (GetPointPtr(i)->Hit(rect, GetPointPtr(i + 1)))
            return true;
    }
    return false;
}

int Poly::SurfaceAngles(Pointf const* p, double& a1, double& a2) const
{
    int const n = Points();
    if (n == 0 || !points[0]->HasLine() || !bound.Contains(p))
        return 0;
    PolyPoint const* const* const pts = &points[0];
    for (int i = 0; i < n; ++i)
    {
        PolyPoint const* point = pts[i];
        // Only an edge through p has a surface there.
        if (!point->OnLine(p))
            continue;
        int const r = point->SurfaceAngles(p, pts[i > 0 ? i - 1 : n - 1], pts[i + 1 < n ? i + 1 : 0], a1, a2);
        if (r != 0)
            return r;
    }
    return 0;
}

double Poly::GetSurfaceAngle(unsigned int i) const
{
    return GetPointPtr(int(i))->Angle(GetPointPtr(int(i) + 1));
}

bool Poly::TryMove(Pointf const* a, Pointf* b, unsigned int* edge, bool* startOn) const
{
    // Only a solid polygon has lines, on every edge; a move cut to its start ends the test.
    int const n = Points();
    if (n == 0 || !points[0]->HasLine() || PolyPoint::Coincide(a, b))
        return false;
    PolyPoint const* const* const pts = &points[0];
    bool stopped = false;
    for (int i = 0; i < n; ++i)
    {
        if (!pts[i]->Clip(a, b, pts[i + 1 < n ? i + 1 : 0], startOn))
            continue;
        if (edge != nullptr)
            *edge = unsigned(i);
        if (PolyPoint::Coincide(b, a))
            return true;
        stopped = true;
    }
    return stopped;
}

bool Poly::GetIntersect(unsigned int i, Poly const* other, unsigned int j, Pointf& out) const
{
    return GetPointPtr(int(i))->Intersect(other->GetPointPtr(int(j)), out);
}

bool Poly::GetIntersectWith(unsigned int i, LineEq const* other, Pointf& out) const
{
    return GetPointPtr(int(i))->Intersect(other, out);
}

void Poly::PosFromStart(double dx, double dy)
{
    for (int i = 0; i < Points(); ++i)
        GetPointPtr(i)->PosFromStart(dx, dy);
    CalcLineEquations();
    CalcBound();
}

void Poly::RotateFromStart(Pointf const* centre, double angle)
{
    for (int i = 0; i < Points(); ++i)
        GetPointPtr(i)->RotateFromStart(centre, angle);
    CalcLineEquations();
    CalcBound();
}

void Poly::NoInternal()
{
    for (int i = 0; i < Points(); ++i)
        GetPointPtr(i)->internal = false;
}

void Poly::FindInternalEdges(Poly* other)
{
    if (!solid || !other->solid)
        return;
    for (int i = 0; i < Points(); ++i)
    {
        for (int j = 0; j < other->Points(); ++j)
        {
            if (Joins(i, other, j))
            {
                GetPointPtr(i)->internal = true;
                other->GetPointPtr(j)->internal = true;
            }
        }
    }
}

bool Poly::IsValid() const
{
    int const n = Points();
    if (n < 4)
        return true;
    for (int i = 0; i < n; ++i)
    {
        if (GetVertexPoint(i) == GetVertexPoint(i + 1))
            return false;
    }
    for (int i = 0; i < n; ++i)
    {
        Pointf const from = GetVertexPoint(i - 1);
        Pointf const to = GetVertexPoint(i);
        Pointf const after = GetVertexPoint(i + 1);
        if (LineEq(&from, &to).Eval(&after) < 0.0)
            return false;
    }
    return true;
}

void Poly::Render(Textures const* textures, WorldTransform const* view, Tick time) const
{
    if (texture != 0 && textures != nullptr)
    {
        glEnable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        Image const* image = textures->GetImage(texture);
        double const ratio = double(image->GetWidth()) / double(image->GetHeight());
        textures->Associate(time, texture);
        glBegin(GL_POLYGON);
        for (int i = 0; i < Points(); ++i)
            GetPointPtr(i)->Render(view, ratio);
        glEnd();
    }
    glDisable(GL_TEXTURE_2D);
    glLineWidth(1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBegin(GL_LINES);
    for (int i = 0; i < Points(); ++i)
    {
        PolyPoint const* point = GetPointPtr(i);
        if (!point->drawEdge)
            continue;
        Pointf const from = point->pos.WorldToScreen(view);
        Pointf const to = GetPointPtr(i + 1)->pos.WorldToScreen(view);
        glVertex2f(float(from.x), float(from.y));
        glVertex2f(float(to.x), float(to.y));
    }
    glEnd();
}
