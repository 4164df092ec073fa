// VineSprites: a twisting green vine with leaves down its 16 x 128 picture and a knotted grip at its
// lower end, where the player hangs.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

#include <cmath>
#include <vector>

void CreatureSprites::WriteVine(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Vine;
    double const mid = size.width / 2.0;
    Rgba const stem{70, 125, 40, 255};
    Rgba const leaf{100, 180, 65, 255};
    Canvas c(size.width, size.height);
    std::vector<double> path;
    for (int y = 0; y <= size.height - 6; y += 2)
    {
        path.push_back(mid + 2.2 * std::sin(y * 0.15));
        path.push_back(y);
    }
    c.Trace(Canvas_Shape::Polyline(path), Canvas_Pen{Rgba{30, 55, 20, 255}, 4.4});
    c.Trace(Canvas_Shape::Polyline(path), Canvas_Pen{stem, 2.8});
    for (int y = 8; y < size.height - 16; y += 14)
    {
        double const side = (y / 14) % 2 == 0 ? 1.0 : -1.0;
        double const x = mid + 2.2 * std::sin(y * 0.15);
        Canvas::Frame const turned = c.Turned(side * 0.6, x, y);
        c.Draw(Canvas_Shape::Ellipse(x + side * 4.0, y, 4.0, 2.0), Canvas_Paint::Lit(leaf, y - 2.0, y + 2.0), Ink(0.6));
    }
    c.Draw(Canvas_Shape::Ellipse(mid, size.height - 5.0, 5.0, 4.5),
           Canvas_Paint::Radial(mid - 1.5, size.height - 6.5, 6.0, Rgba{150, 105, 60, 255}, Rgba{80, 50, 25, 255}),
           Ink(0.8));
    CreatureSprites::Save(c, dir, "gfx/vine.png");
}
