// PolyBatch: map polygons drawn one after another with the GL's state changed only where needed.
#include "engine/PolyBatch.h"

#include "engine/Poly.h"
#include "media/Image.h"
#include "media/Textures.h"
#include "util/WorldTransform.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

PolyBatch::PolyBatch(Textures const* textureList, WorldTransform const* worldView, Tick clock)
    : textures(textureList), view(worldView), time(clock)
{
}

PolyBatch::~PolyBatch()
{
    Finish();
}

void PolyBatch::Draw(Poly const* poly)
{
    if (!drawn)
    {
        // Poly::Render sets both before each polygon; nothing in a batch changes them.
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glLineWidth(1.0f);
        texturing = glIsEnabled(GL_TEXTURE_2D) == GL_TRUE;
        blending = blendingBefore = glIsEnabled(GL_BLEND) == GL_TRUE;
        margin = PixelMargin();
        drawn = true;
    }
    if (poly->texture != 0 && textures != nullptr)
    {
        if (!lines.empty())
        {
            Pointf const p0 = poly->GetPointPtr(0)->pos.WorldToScreen(view);
            Bound fill{float(p0.x), float(p0.y), float(p0.x), float(p0.y)};
            for (int i = 1; i < poly->Points(); ++i)
            {
                Pointf const p = poly->GetPointPtr(i)->pos.WorldToScreen(view);
                fill = Bound{std::min(fill.x0, float(p.x)), std::min(fill.y0, float(p.y)), std::max(fill.x1, float(p.x)),
                             std::max(fill.y1, float(p.y))};
            }
            if (Overlaps(fill))
                DrawOutlines();
        }
        Image const* frame = textures->GetFrame(time, poly->texture);
        // Blending a texel of full alpha over anything gives the texel.
        SetBlending(blendingBefore && !frame->SamplesOpaque());
        SetTexturing(true);
        Image const* first = textures->GetImage(poly->texture);
        double const ratio = double(first->GetWidth()) / double(first->GetHeight());
        frame->Associate();
        glBegin(GL_POLYGON);
        for (int i = 0; i < poly->Points(); ++i)
            poly->GetPointPtr(i)->Render(view, ratio);
        glEnd();
    }

    bool edges = false;
    for (int i = 0; i < poly->Points() && !edges; ++i)
        edges = poly->GetPointPtr(i)->drawEdge;
    if (!edges)
        return;
    for (int i = 0; i < poly->Points(); ++i)
    {
        PolyPoint const* point = poly->GetPointPtr(i);
        if (!point->drawEdge)
            continue;
        Pointf const from = point->pos.WorldToScreen(view);
        Pointf const to = poly->GetPointPtr(i + 1)->pos.WorldToScreen(view);
        float const segment[] = {float(from.x), float(from.y), float(to.x), float(to.y)};
        lines.insert(lines.end(), segment, segment + 4);
        // Each segment's own bound: a fill beside a polygon often touches one side of its outline only.
        Bound const own{std::min(segment[0], segment[2]) - margin, std::min(segment[1], segment[3]) - margin,
                        std::max(segment[0], segment[2]) + margin, std::max(segment[1], segment[3]) + margin};
        waiting = bounds.empty() ? own
                                 : Bound{std::min(waiting.x0, own.x0), std::min(waiting.y0, own.y0),
                                         std::max(waiting.x1, own.x1), std::max(waiting.y1, own.y1)};
        bounds.push_back(own);
    }
    if (margin < 0.0f)
        DrawOutlines();
}

bool PolyBatch::Overlaps(Bound const& bound) const
{
    auto meet = [&](Bound const& b) { return bound.x0 <= b.x1 && b.x0 <= bound.x1 && bound.y0 <= b.y1 && b.y0 <= bound.y1; };
    if (!meet(waiting))
        return false;
    return std::any_of(bounds.begin(), bounds.end(), meet);
}

void PolyBatch::DrawOutlines()
{
    if (lines.empty())
        return;
    // The outline's colour is opaque: blended or not, it shows the same.
    SetTexturing(false);
    glBegin(GL_LINES);
    for (std::size_t i = 0; i < lines.size(); i += 2)
        glVertex2f(lines[i], lines[i + 1]);
    glEnd();
    lines.clear();
    bounds.clear();
}

float PolyBatch::PixelMargin()
{
    GLint viewport[4] = {0, 0, 0, 0};
    GLfloat projection[16] = {};
    GLfloat model[16] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, model);
    // Only a scale and a shift along each axis, with no perspective, keep bounds as bounds.
    for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 11})
        if (projection[i] != 0.0f || model[i] != 0.0f)
            return -1.0f;
    float const sx = std::fabs(projection[0] * model[0]) * float(viewport[2]) / 2.0f;
    float const sy = std::fabs(projection[5] * model[5]) * float(viewport[3]) / 2.0f;
    if (!(sx > 0.0f) || !(sy > 0.0f) || projection[15] != 1.0f || model[15] != 1.0f)
        return -1.0f;
    // Pixels per unit along each axis; a line's pixels lie within about one pixel of it.
    return 2.0f / std::min(sx, sy);
}

void PolyBatch::Finish()
{
    if (!drawn)
        return;
    DrawOutlines();
    SetTexturing(false);
    SetBlending(blendingBefore);
    drawn = false;
}

void PolyBatch::SetTexturing(bool on)
{
    SetCapability(GL_TEXTURE_2D, on, texturing);
}

void PolyBatch::SetBlending(bool on)
{
    SetCapability(GL_BLEND, on, blending);
}

void PolyBatch::SetCapability(unsigned int capability, bool on, bool& state)
{
    if (on == state)
        return;
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
    state = on;
}
