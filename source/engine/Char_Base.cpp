// Char_Base: body coordinates, distances and drawing of a character state.
#include "engine/Char_Base.h"

#include "engine/Map.h"
#include "engine/Target.h"
#include "media/Image.h"

#include <GL/gl.h>

#include <cassert>
#include <cmath>
#include <limits>

Char_Base::Char_Base() : pos(0.0, 0.0)
{
}

Pointf Char_Base::GetSpecificPos(double dx, double dy, Pointf const* at) const
{
    Pointf const from = at != nullptr ? *at : pos;
    return GetSpecificPos(dx, dy, &from, std::sin(angle), std::cos(angle));
}

void Char_Base::GetCoordFromPos(Pointf const* p, double& dx, double& dy) const
{
    assert(p != NULL && "pos != NULL");
    double const s = std::sin(angle);
    double const c = std::cos(angle);
    double const rx = p->x - pos.x;
    double const ry = p->y - pos.y;
    dx = rx * c - ry * s;
    // The inverse rotation, without a division by cos(angle) that loses precision near a quarter turn.
    dy = rx * s + ry * c;
}

double Char_Base::DistanceEst(Map const* map, Tick t, Target const* target) const
{
    Pointf at(0.0, 0.0);
    if (!target->GetTargetPos(map, t, at))
        return std::numeric_limits<double>::max();
    return pos.DistanceEst(&at);
}

void Char_Base::Render(Map const* map, Image const* image, double w, double h) const
{
    Image_Render_Flags flags = Image_Centre | Image_Bottom;
    if ((frame & LeftFrame) != 0)
        flags |= Image_MirrorX;
    image->Render(pos, angle, w * scale, h * scale, flags, &map->view);
}

void Char_Base::RenderMidPoint(Map const* map, int h) const
{
    Pointf const mid = map->WorldToScreen(GetSpecificPos(0.0, h / 2.0, nullptr));
    glVertex2f(static_cast<float>(mid.x), static_cast<float>(mid.y));
}
