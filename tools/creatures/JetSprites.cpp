// JetSprites: one soft orange flame particle with a yellow core.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteJet(std::string const& dir)
{
    CreatureSize const size = CreatureSize_JetPuff;
    double const r = size.width / 2.0;
    Canvas c(size.width, size.height);
    c.FillCircle(r, r, r - 0.5, Rgba{220, 80, 20, 140});
    c.FillCircle(r, r, r - 3, Rgba{250, 150, 30, 210});
    c.FillCircle(r, r, r - 5.5, Rgba{255, 235, 120, 255});
    CreatureSprites::Save(c, dir, "gfx/jet/jet.png");
}
