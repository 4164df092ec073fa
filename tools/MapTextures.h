// The map textures every world shares: their pictures under gfx/map/ and the image map that numbers
// them. A world's generator names a texture by these ids.
//
// A polygon takes its texture coordinates from its world position divided by 64 unless it says
// otherwise (MapDressing fits a picture over a polygon), so a repeating texture shows one copy per 64
// units. The pictures marked "fitted" are drawn to be stretched once over a whole polygon.
#pragma once

#include "tools/Canvas.h"

#include <string>

namespace MapTextures
{

constexpr unsigned int Rock = 0; // never drawn: texture 0 is the map's invisible one
constexpr unsigned int Grass = 1;
constexpr unsigned int Brick = 2;
constexpr unsigned int Lava = 3; // animated, keyed
constexpr unsigned int Sky = 4;  // fitted: deep blue at the top paling to the horizon
constexpr unsigned int Tile = 5;
constexpr unsigned int Water = 6; // animated
constexpr unsigned int Bush = 7;  // fitted: a leafy crown, clear round it
constexpr unsigned int Plank = 8; // repeats across only
constexpr unsigned int Stone = 9;
constexpr unsigned int Bark = 10;     // a great tree's trunk: the village's walls
constexpr unsigned int Earth = 11;    // soil with pebbles and roots, under the streets
constexpr unsigned int Cobbles = 12;  // a street's paving, one row of stones high when fitted across
constexpr unsigned int Hills = 13;    // far wooded hills, hazy
constexpr unsigned int House = 14;    // fitted: a timbered house front with its doorway and windows
constexpr unsigned int Roof = 15;     // roof tiles
constexpr unsigned int Boards = 16;   // wooden boards: rooms' walls and floors
constexpr unsigned int Wheel = 17;    // fitted: a spoked wooden wheel, clear round it
constexpr unsigned int Door = 18;     // fitted along its length: a door's planks and iron bands
constexpr unsigned int Tank = 19;     // fitted: a hooped wooden water tank
constexpr unsigned int Sand = 20;     // the plateau's sandstone
constexpr unsigned int Trail = 21;    // a dusty trail's gravel, one row high when fitted across
constexpr unsigned int Cliff = 22;    // dark cave rock
constexpr unsigned int Overhang = 23; // fitted across: a rock shelf's underside, dripping
constexpr unsigned int Boulder = 24;
constexpr unsigned int Shell = 25; // fitted: a turtle's domed shell
constexpr unsigned int Metal = 26; // a steel pole
constexpr unsigned int Hut = 27;   // fitted: a plank hut's front with a window
constexpr unsigned int Thatch = 28;
constexpr unsigned int Rail = 29; // fitted across: a rail on its sleepers
constexpr unsigned int Beam = 30; // fitted across: a plank ledge or platform
// A giant's masonry: four courses of great blocks, drawn to repeat every Ashlar_Span units, the joints
// soft and wide so that a wall of it seen from far off shows its courses and no fine stripes.
constexpr unsigned int Ashlar = 31;
constexpr double Ashlar_Span = 1024.0;
// Fitted: a sky over far hills, the hills' foot a quarter of the way up, green fields below it.
constexpr unsigned int Vista = 32;
constexpr double Vista_Horizon = 0.25; // the hills' foot, as a fraction of the height from the bottom

// How a leafy crown's leaves lie about the middle of a 128 by 128 picture: clumps lit from above,
// then single leaves over them, each within its spread of the middle.
struct MapTextures_Leaves
{
    int clumps;
    double clumpSpread, clumpSmall, clumpLarge; // radii
    int leaves;
    double leafSpread;
};
void Leaves(Canvas& c, Canvas_Scatter& scatter, Rgba leaf, MapTextures_Leaves const& lie);

// Writes every picture under dir/gfx/map/; throws std::runtime_error on failure.
void Write(std::string const& dir);
// Writes dir/world/imagemap.
void WriteImageMap(std::string const& dir, char const* world);

} // namespace MapTextures
