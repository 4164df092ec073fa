// Dressing a generated map once its shapes are laid out: outlines only where a player should see an
// edge, paving along the tops of the ground, and pictures fitted over single polygons.
#pragma once

#include "tools/MapWriter.h"

namespace MapDressing
{

// Clears every draw-edge flag and sets it again only on the exposed tops of the solid polygons: the
// edges a player stands on, facing up and not covered by another solid polygon. No outline crosses
// the sky, a wall's side or the inside of a wall.
void OutlineTops(MapWriter& map);

// Lays a band `depth` deep of the `surface` texture under every exposed top of the solid, unmoving
// polygons textured `ground`, fitted so that the band shows the picture's full height.
void Pave(MapWriter& map, unsigned int ground, unsigned int surface, double depth);

// An outer wall from x0 to x1, standing from y0 up to y1 on its inner side and rising from there to its
// outer side (the left one when outsideLeft) too steeply to stand on: a player who lands on its top
// slides back in, and no jump starts from it over the wall.
void OuterWall(MapWriter& map, double x0, double y0, double x1, double y1, bool outsideLeft, unsigned int texture);

// Stretches the picture once over the polygon's bounds.
void Fit(MapWriter_Poly& poly);
// Stretches the picture's height over the polygon's height, repeating it across every `across` units.
void FitAcross(MapWriter_Poly& poly, double across);

// Whether the point lies inside a solid polygon of the group (0: the unmoving map) other than `skip`.
bool Covered(MapWriter const& map, double x, double y, unsigned int group, MapWriter_Poly const* skip);

} // namespace MapDressing
