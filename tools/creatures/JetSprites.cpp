// JetSprites: one soft orange flame particle with a yellow core.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteJet(std::string const& dir)
{
    CreatureSize const size = CreatureSize_JetPuff;
    double const r = size.width / 2.0;
    Canvas c(size.width, size.height);
    c.Fill(Canvas_Shape::Circle(r, r, r - 0.5), Rgba{200, 60, 20, 90});
    c.Fill(Canvas_Shape::Circle(r, r, r - 4), Rgba{235, 110, 30, 170});
    c.Fill(Canvas_Shape::Circle(r, r, r - 8), Rgba{250, 170, 40, 230});
    c.Fill(Canvas_Shape::Circle(r, r, r - 12), Rgba{255, 240, 150, 255});
    CreatureSprites::Save(c, dir, "gfx/jet/jet.png");
}
