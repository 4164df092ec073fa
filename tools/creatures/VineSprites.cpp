// VineSprites: a twisting green vine with leaves and a knotted grip at its lower end.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

#include <cmath>

void CreatureSprites::WriteVine(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Vine;
    double const mid = size.width / 2.0;
    Rgba const stem{60, 120, 40, 255};
    Rgba const leaf{90, 170, 60, 255};
    Canvas c(size.width, size.height);
    for (int y = 0; y + 4 < size.height; y += 4)
    {
        double const x0 = mid + 2.0 * std::sin(y * 0.15);
        double const x1 = mid + 2.0 * std::sin((y + 4) * 0.15);
        c.Line(x0, y, x1, y + 4, Canvas_Pen{stem, 2.5});
    }
    for (int y = 10; y < size.height - 16; y += 18)
    {
        double const side = (y / 18) % 2 == 0 ? 1.0 : -1.0;
        c.Fill(Canvas_Shape::Ellipse(mid + side * 4.5, y, 3.0, 1.8), leaf);
    }
    c.Fill(Canvas_Shape::Ellipse(mid, size.height - 5, 4.5, 4), Rgba{90, 60, 30, 255});
    CreatureSprites::Save(c, dir, "gfx/vine.png");
}
