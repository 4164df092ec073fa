// JetSprites: one soft flame particle: a white-yellow core fading through orange to clear at its edge.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteJet(std::string const& dir)
{
    CreatureSize const size = CreatureSize_JetPuff;
    double const r = size.width / 2.0;
    Canvas c(size.width, size.height);
    c.Fill(Canvas_Shape::Circle(r, r, r), Canvas_Paint::Radial(r, r, r, Rgba{255, 250, 210, 255}, Rgba{200, 40, 10, 0})
                                              .Stop(0.3, Rgba{255, 210, 60, 240})
                                              .Stop(0.65, Rgba{240, 110, 25, 160}));
    CreatureSprites::Save(c, dir, "gfx/jet/jet.png");
}
