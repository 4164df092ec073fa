// PolyBatch: map polygons drawn one after another with the GL's state changed only where needed.
#include "engine/PolyBatch.h"

#include "engine/Poly.h"
#include "media/Image.h"
#include "media/Textures.h"
#include "util/WorldTransform.h"

#include <GL/gl.h>

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
        drawn = true;
    }
    if (poly->texture != 0 && textures != nullptr)
    {
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
    // The outline's colour is opaque: blended or not, it shows the same.
    SetTexturing(false);
    glBegin(GL_LINES);
    for (int i = 0; i < poly->Points(); ++i)
    {
        PolyPoint const* point = poly->GetPointPtr(i);
        if (!point->drawEdge)
            continue;
        Pointf const from = point->pos.WorldToScreen(view);
        Pointf const to = poly->GetPointPtr(i + 1)->pos.WorldToScreen(view);
        glVertex2f(float(from.x), float(from.y));
        glVertex2f(float(to.x), float(to.y));
    }
    glEnd();
}

void PolyBatch::Finish()
{
    if (!drawn)
        return;
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
