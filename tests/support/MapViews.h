// Test support: the views a drawing comparison draws a whole map at: the map squeezed onto a
// 640x480 screen, then three at places and scales drawn from the caller's generator.
#pragma once

#include "engine/Map.h"
#include "engine/Poly.h"
#include "util/Rectf.h"

#include <GL/gl.h>

#include <algorithm>
#include <random>
#include <vector>

namespace MapViews
{

struct View
{
    double x, y, scale;
};

// The bound of every polygon of the map.
inline Rectf Bound(Map const& map)
{
    Rectf whole(map.polys[0]->GetBound());
    for (unsigned int i = 1; i < map.polyCount; ++i)
    {
        Rectf const* b = map.polys[i]->GetBound();
        whole = Rectf(std::min(whole.x0, b->x0), std::min(whole.y0, b->y0), std::max(whole.x1, b->x1),
                      std::max(whole.y1, b->y1));
    }
    return whole;
}

// The whole map fitted to 640x480, and three views of a 640x480 screen centred at random places in
// it at scales 0.4 to 1.6.
inline std::vector<View> Of(Rectf const& whole, std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<View> views = {{whole.x0, whole.y0, std::min(640.0 / whole.Width(), 480.0 / whole.Height())}};
    for (int i = 0; i < 3; ++i)
    {
        double const scale = 0.4 + unit(random) * 1.2;
        views.push_back({whole.x0 + unit(random) * whole.Width() - 320.0 / scale,
                         whole.y0 + unit(random) * whole.Height() - 240.0 / scale, scale});
    }
    return views;
}

// What stands for the objects between a map's two layers in a drawing comparison: a translucent
// quad over the middle of a 640x480 screen, at the objects' depth when the map draws in depth order.
inline void ObjectsStandIn(Map const& map, bool depthOrder)
{
    if (depthOrder)
        glDepthRange(map.ObjectsDepth(), map.ObjectsDepth());
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.9f, 0.1f, 0.4f, 0.5f);
    glBegin(GL_QUADS);
    glVertex2f(100.0f, 90.0f);
    glVertex2f(540.0f, 90.0f);
    glVertex2f(540.0f, 390.0f);
    glVertex2f(100.0f, 390.0f);
    glEnd();
}

} // namespace MapViews
