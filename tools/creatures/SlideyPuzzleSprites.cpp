// SlideyPuzzleSprites: the fifteen tiles of the sliding puzzle, each its number on its own colour.
#include "tools/Canvas.h"
#include "tools/GlyphRasterizer.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

#include <cmath>
#include <string>

namespace
{

// A fully saturated colour at the hue (0 to 1), darkened so that the white number stands out.
Rgba Hue(double hue)
{
    double const h = hue * 6.0;
    double const f = h - std::floor(h);
    double const v = 200.0;
    double rgb[3] = {};
    switch (static_cast<int>(h) % 6)
    {
    case 0:
        rgb[0] = v, rgb[1] = v * f;
        break;
    case 1:
        rgb[0] = v * (1.0 - f), rgb[1] = v;
        break;
    case 2:
        rgb[1] = v, rgb[2] = v * f;
        break;
    case 3:
        rgb[1] = v * (1.0 - f), rgb[2] = v;
        break;
    case 4:
        rgb[2] = v, rgb[0] = v * f;
        break;
    default:
        rgb[2] = v * (1.0 - f), rgb[0] = v;
        break;
    }
    return Rgba{static_cast<std::uint8_t>(rgb[0]), static_cast<std::uint8_t>(rgb[1]), static_cast<std::uint8_t>(rgb[2]),
                255};
}

} // namespace

void CreatureSprites::WriteSlideyPuzzle(std::string const& dir)
{
    CreatureSize const size = CreatureSize_SlideyTile;
    GlyphRasterizer const font(size.height / 2, true);
    Rgba const white{255, 255, 255, 255};
    Rgba const edge{30, 30, 30, 255};
    for (int n = 0; n < CreatureFrames_SlideyTile; ++n)
    {
        // The picture numbered n shows n + 1, so that a solved board reads 1 to 15 whatever the gap.
        // A bevelled wooden-edged tile: light at its top-left edge, dark at its bottom-right.
        Rgba const face = Hue(static_cast<double>(n) / CreatureFrames_SlideyTile);
        Canvas c(size.width, size.height, edge);
        c.Fill(Canvas_Shape::Polygon({1, 1, 31, 1, 1, 31}), face.Shade(1.35));
        c.Fill(Canvas_Shape::Polygon({31, 1, 31, 31, 1, 31}), face.Shade(0.6));
        c.Fill(Canvas_Shape::RoundRect(4, 4, 24, 24, 3), Canvas_Paint::Lit(face, 4, 28));
        int const baseline = (size.height + font.Ascender() - font.Descender()) / 2;
        Canvas_Text style;
        style.size = size.height / 2;
        style.colour = white;
        c.Text(size.width / 2, baseline, std::to_string(n + 1), style);
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/treevillage/slideypuzzle", n));
    }
}
