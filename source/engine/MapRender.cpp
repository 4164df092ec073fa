// Map: drawing by layer, in order or in depth order (the opaque polygons first, front to back),
// and a scenery map drawn behind it in depth order.
#include "engine/Map.h"

#include "engine/Poly.h"
#include "engine/PolyBatch.h"
#include "engine/PolyPoint.h"
#include "media/Image.h"
#include "media/Textures.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

void Map::MarkVisible()
{
    assert(groups != nullptr);
    memset(polyVisible, 0, polyCount);
    int c0 = 0;
    int r0 = 0;
    int c1 = 0;
    int r1 = 0;
    CellsUnder(ScreenRect(), c0, r0, c1, r1);
    for (int r = r0; r <= r1; ++r)
    {
        for (int c = c0; c <= c1; ++c)
        {
            FlatList<unsigned int> const& list = *groups[c][r]->polyList;
            for (int i = 0; i < list.Count(); ++i)
            {
                if (hiddenGroup == 0 || GetPoly(list[i])->group != hiddenGroup)
                    polyVisible[list[i]] = 1;
            }
        }
    }
}

void Map::Render(Tick time, Map_Render_Flags flags)
{
    // In depth order the marks of RenderOpaqueFirst stand for the frame.
    if (!depthOrdered)
        MarkVisible();
    auto drawn = [&](unsigned int i) {
        bool const fore = GetPoly(i)->foreground;
        return polyVisible[i] != 0 && ((fore && (flags & Map_Render_Fore) != 0) || (!fore && (flags & Map_Render_Back) != 0));
    };
    if (!depthOrdered)
    {
        PolyBatch batch(textures, &view, time);
        for (unsigned int i = 0; i < polyCount; ++i)
            if (drawn(i))
                batch.Draw(GetPoly(i));
        return;
    }
    // What RenderOpaqueFirst left: fills that blend, in order, each at its own depth. Every
    // outline is opaque and drawn already.
    bool const blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    if (!blending || textures == nullptr)
        return;
    glDepthRange(0.0, 1.0);
    bool texturing = false;
    for (unsigned int i = 0; i < polyCount; ++i)
    {
        Poly const* poly = GetPoly(i);
        if (!drawn(i) || polyVisible[i] == DrawnFirst || poly->texture == 0)
            continue;
        Image const* frame = textures->GetFrame(time, poly->texture);
        if (!texturing)
        {
            glEnable(GL_TEXTURE_2D);
            glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
            texturing = true;
        }
        DrawFillAtDepth(i, frame, TextureRatio(poly));
    }
    if (texturing)
        glDisable(GL_TEXTURE_2D);
}

double Map::TextureRatio(Poly const* poly) const
{
    Image const* first = textures->GetImage(poly->texture);
    return double(first->GetWidth()) / double(first->GetHeight());
}

void Map::DrawFillAtDepth(unsigned int index, Image const* frame, double ratio) const
{
    Poly const* poly = GetPoly(index);
    float const z = SlotZ(FillSlot(index));
    frame->Associate();
    glBegin(GL_POLYGON);
    for (int k = 0; k < poly->Points(); ++k)
        poly->GetPointPtr(k)->Render(&view, ratio, z);
    glEnd();
}

namespace
{
constexpr int DepthSlots = 1 << 16;
// The lowest slots are the backdrop's: a scenery map's copies of its polygons in their order,
// then the last one for whatever else the world draws before the back layer.
constexpr int BackdropSlots = 2048;

double SlotDepth(int slot)
{
    return (slot + 0.5) / DepthSlots;
}
} // namespace

int Map::FillSlot(unsigned int index) const
{
    // The backdrop's slots, then the back layer's fills and outlines, one slot for the objects,
    // and the fore layer's, each layer in the polygons' order.
    int const slot = BackdropSlots + 2 * int(index);
    return GetPoly(index)->foreground ? slot + 2 * int(polyCount) + 1 : slot;
}

double Map::BackdropDepth() const
{
    return SlotDepth(BackdropSlots - 1);
}

double Map::ObjectsDepth() const
{
    return SlotDepth(BackdropSlots + 2 * int(polyCount));
}

float Map::SlotZ(int slot) const
{
    return float((2.0 * SlotDepth(slot) - 1.0 - zOffset) / zScale);
}

bool Map::RenderOpaqueFirst(Tick time)
{
    depthOrdered = false;
    if (textures == nullptr || 4 * std::uint64_t(polyCount) + 4 + BackdropSlots > DepthSlots)
        return false;
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    if (depthBits < 24)
        return false;
    GLfloat projection[16] = {};
    GLfloat model[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, model);
    // A vertex's z must move its depth alone, and x and y must not move it: no perspective, and
    // z neither taken from nor given to x and y.
    for (int i : {2, 3, 6, 7, 8, 9, 11})
        if (projection[i] != 0.0f || model[i] != 0.0f)
            return false;
    if (projection[15] != 1.0f || model[15] != 1.0f || projection[10] == 0.0f || model[10] == 0.0f)
        return false;
    // Normalised depth = projection z row applied to the model's z: p10 * (m10 * z + m14) + p14.
    zScale = double(projection[10]) * double(model[10]);
    zOffset = double(projection[10]) * double(model[14]) + double(projection[14]);
    // What lies between -1 and 1 once projected is on screen.
    auto unproject = [&](double ndc, int axis) {
        return ((ndc - projection[12 + axis]) / projection[5 * axis] - model[12 + axis]) / model[5 * axis];
    };
    screen = Rectf(std::min(unproject(-1.0, 0), unproject(1.0, 0)), std::min(unproject(-1.0, 1), unproject(1.0, 1)),
                   std::max(unproject(-1.0, 0), unproject(1.0, 0)), std::max(unproject(-1.0, 1), unproject(1.0, 1)));

    MarkVisible();
    // The depth mask holds back clearing as well as writing.
    glDepthMask(GL_TRUE);
    glClearDepth(0.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_GREATER);
    glDepthRange(0.0, 1.0);
    bool const blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glLineWidth(1.0f);

    // With distinct depths and GL_GREATER each pixel ends with whatever reaches it at the highest
    // depth, whatever the order: the outlines go first, together, then the fills front to back, so
    // that those behind mostly fail the depth test before their texture is sampled.
    glBegin(GL_LINES);
    for (unsigned int i = 0; i < polyCount; ++i)
    {
        Poly const* poly = GetPoly(i);
        if (polyVisible[i] == 0)
            continue;
        float const z = SlotZ(FillSlot(i) + 1);
        for (int k = 0; k < poly->Points(); ++k)
        {
            PolyPoint const* point = poly->GetPointPtr(k);
            if (!point->drawEdge)
                continue;
            Pointf const from = point->pos.WorldToScreen(&view);
            Pointf const to = poly->GetPointPtr(k + 1)->pos.WorldToScreen(&view);
            glVertex3f(float(from.x), float(from.y), z);
            glVertex3f(float(to.x), float(to.y), z);
        }
    }
    glEnd();

    // A fill that blends a texel of full alpha over anything gives the texel; without blending,
    // every fill covers what lies beneath.
    if (blending)
        glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    for (bool const fore : {true, false})
    {
        for (unsigned int i = polyCount; i-- > 0;)
        {
            Poly const* poly = GetPoly(i);
            if (polyVisible[i] == 0 || poly->foreground != fore || poly->texture == 0)
                continue;
            Image const* frame = textures->GetFrame(time, poly->texture);
            double const ratio = TextureRatio(poly);
            if (blending && !FillsOpaque(poly, frame, ratio, view))
                continue;
            polyVisible[i] = DrawnFirst;
            DrawFillAtDepth(i, frame, ratio);
        }
    }
    glDisable(GL_TEXTURE_2D);
    if (blending)
        glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    Image::CheckGlError();
    depthOrdered = true;
    return true;
}

bool Map::FillsOpaque(Poly const* poly, Image const* frame, double ratio, WorldTransform const& polyView) const
{
    if (frame->SamplesOpaque())
        return true;
    int const n = poly->Points();
    if (n < 3)
        return false;
    std::vector<Pointf> at(std::size_t(n), Pointf(0.0, 0.0));
    double s0 = HUGE_VAL, s1 = -HUGE_VAL, t0 = HUGE_VAL, t1 = -HUGE_VAL;
    for (int k = 0; k < n; ++k)
    {
        PolyPoint const* point = poly->GetPointPtr(k);
        at[std::size_t(k)] = point->pos.WorldToScreen(&polyView);
        s0 = std::min(s0, point->tex.x);
        s1 = std::max(s1, point->tex.x);
        t0 = std::min(t0, point->tex.y * ratio);
        t1 = std::max(t1, point->tex.y * ratio);
    }
    // Where the texture coordinates are one plane over the polygon (as a map's are), the part of
    // the polygon on screen reaches only the coordinates that plane gives the screen's corners.
    int b = 1;
    int c = 2;
    double best = 0.0;
    for (int j = 1; j < n; ++j)
        for (int k = j + 1; k < n; ++k)
        {
            double const cross = (at[j].x - at[0].x) * (at[k].y - at[0].y) - (at[j].y - at[0].y) * (at[k].x - at[0].x);
            if (std::fabs(cross) > std::fabs(best))
            {
                best = cross;
                b = j;
                c = k;
            }
        }
    if (std::fabs(best) < 1.0)
        return frame->SamplesOpaqueWithin(s0, s1, t0, t1);
    PolyPoint const* const p0 = poly->GetPointPtr(0);
    PolyPoint const* const pb = poly->GetPointPtr(b);
    PolyPoint const* const pc = poly->GetPointPtr(c);
    double const bx = at[b].x - at[0].x, by = at[b].y - at[0].y;
    double const cx = at[c].x - at[0].x, cy = at[c].y - at[0].y;
    // coordinate(x, y) = coordinate at point 0 + gx * (x - x0) + gy * (y - y0), for s and for t
    auto plane = [&](double v0, double vb, double vc) {
        double const db = vb - v0;
        double const dc = vc - v0;
        return std::array<double, 3>{v0, (db * cy - dc * by) / best, (dc * bx - db * cx) / best};
    };
    std::array<double, 3> const sp = plane(p0->tex.x, pb->tex.x, pc->tex.x);
    std::array<double, 3> const tp = plane(p0->tex.y * ratio, pb->tex.y * ratio, pc->tex.y * ratio);
    auto value = [&](std::array<double, 3> const& q, double x, double y) {
        return q[0] + q[1] * (x - at[0].x) + q[2] * (y - at[0].y);
    };
    for (int k = 0; k < n; ++k)
    {
        PolyPoint const* point = poly->GetPointPtr(k);
        if (std::fabs(value(sp, at[k].x, at[k].y) - point->tex.x) > 1.0e-6
            || std::fabs(value(tp, at[k].x, at[k].y) - point->tex.y * ratio) > 1.0e-6)
            return frame->SamplesOpaqueWithin(s0, s1, t0, t1);
    }
    double ss0 = HUGE_VAL, ss1 = -HUGE_VAL, ts0 = HUGE_VAL, ts1 = -HUGE_VAL;
    for (double const x : {screen.x0, screen.x1})
        for (double const y : {screen.y0, screen.y1})
        {
            ss0 = std::min(ss0, value(sp, x, y));
            ss1 = std::max(ss1, value(sp, x, y));
            ts0 = std::min(ts0, value(tp, x, y));
            ts1 = std::max(ts1, value(tp, x, y));
        }
    return frame->SamplesOpaqueWithin(std::max(s0, ss0), std::min(s1, ss1), std::max(t0, ts0), std::min(t1, ts1));
}

bool Map::RenderSceneryOpaqueFirst(MapBase& scenery, std::vector<Pointf> const& origins, Tick time)
{
    std::size_t const copies = origins.size();
    if (!depthOrdered || scenery.textures == nullptr || scenery.polyCount * copies + 1 > std::size_t(BackdropSlots))
        return false;
    for (unsigned int i = 0; i < scenery.polyCount; ++i)
    {
        Poly const* poly = scenery.polys[int(i)];
        for (int k = 0; k < poly->Points(); ++k)
            if (poly->GetPointPtr(k)->drawEdge)
                return false;
    }
    WorldTransform const home = scenery.view;
    // Which copy of which polygon is on screen, and which were drawn in the first pass.
    std::vector<unsigned char> marks(std::size_t(scenery.polyCount) * copies, 0);
    for (std::size_t c = 0; c < copies; ++c)
    {
        scenery.view.x = origins[c].x;
        scenery.view.y = origins[c].y;
        Pointf const lo = scenery.ScreenToWorld(Pointf(0.0, 0.0));
        Pointf const hi = scenery.ScreenToWorld(Pointf(640.0, 480.0));
        Rectf const shows(&lo, &hi);
        for (unsigned int i = 0; i < scenery.polyCount; ++i)
        {
            Poly const* poly = scenery.polys[int(i)];
            if (poly->texture != 0 && poly->GetBound()->Intersect(&shows))
                marks[i * copies + c] = 1;
        }
    }
    auto draw = [&](unsigned int i, std::size_t c, Image const* frame, double ratio) {
        scenery.view.x = origins[c].x;
        scenery.view.y = origins[c].y;
        Poly const* poly = scenery.polys[int(i)];
        float const z = SlotZ(int(i * copies + c));
        frame->Associate();
        glBegin(GL_POLYGON);
        for (int k = 0; k < poly->Points(); ++k)
            poly->GetPointPtr(k)->Render(&scenery.view, ratio, z);
        glEnd();
    };
    auto ratioOf = [&](Poly const* poly) {
        Image const* first = scenery.textures->GetImage(poly->texture);
        return double(first->GetWidth()) / double(first->GetHeight());
    };

    glDepthRange(0.0, 1.0);
    bool const blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    // Opaque fills front to back, written to the depth buffer, each copy of each polygon at a
    // depth of its own.
    glDepthMask(GL_TRUE);
    if (blending)
        glDisable(GL_BLEND);
    for (unsigned int i = scenery.polyCount; i-- > 0;)
    {
        Poly const* poly = scenery.polys[int(i)];
        if (poly->texture == 0)
            continue;
        Image const* frame = scenery.textures->GetFrame(time, poly->texture);
        double const ratio = ratioOf(poly);
        for (std::size_t c = copies; c-- > 0;)
        {
            unsigned char& mark = marks[i * copies + c];
            if (mark == 0)
                continue;
            scenery.view.x = origins[c].x;
            scenery.view.y = origins[c].y;
            if (blending && !FillsOpaque(poly, frame, ratio, scenery.view))
                continue;
            mark = DrawnFirst;
            draw(i, c, frame, ratio);
        }
    }
    glDepthMask(GL_FALSE);
    // The rest in order, blended over what lies behind them.
    if (blending)
    {
        glEnable(GL_BLEND);
        for (unsigned int i = 0; i < scenery.polyCount; ++i)
        {
            Poly const* poly = scenery.polys[int(i)];
            if (poly->texture == 0)
                continue;
            Image const* frame = scenery.textures->GetFrame(time, poly->texture);
            double const ratio = ratioOf(poly);
            for (std::size_t c = 0; c < copies; ++c)
                if (marks[i * copies + c] == 1)
                    draw(i, c, frame, ratio);
        }
    }
    glDisable(GL_TEXTURE_2D);
    glDepthRange(BackdropDepth(), BackdropDepth());
    scenery.view = home;
    Image::CheckGlError();
    return true;
}

void Map::EndDepthOrder()
{
    if (!depthOrdered)
        return;
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glDepthRange(0.0, 1.0);
    depthOrdered = false;
}
