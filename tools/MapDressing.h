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

// Stretches the picture once over the polygon's bounds.
void Fit(MapWriter_Poly& poly);
// Stretches the picture's height over the polygon's height, repeating it across every `across` units.
void FitAcross(MapWriter_Poly& poly, double across);

// Whether the point lies inside a solid polygon of the group (0: the unmoving map) other than `skip`.
bool Covered(MapWriter const& map, double x, double y, unsigned int group, MapWriter_Poly const* skip);

} // namespace MapDressing
