// ShmooSprites: a purple jelly blob, squashed wide across its 16 x 16 box at rest and stretched tall in
// the air.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteShmoo(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Shmoo;
    Rgba const body{160, 65, 200, 255};
    Rgba const white{255, 255, 255, 255};
    Rgba const black{20, 10, 25, 255};
    Canvas_Pen const ink = Ink(0.8);

    // At rest: a low dome on the bottom edge, eyes half shut.
    Canvas down(size.width, size.height);
    down.Draw(Canvas_Shape::Blob({0.6, 15.4, 1.6, 9.0, 8.0, 5.0, 14.4, 9.0, 15.4, 15.4, 8.0, 15.6}),
              Canvas_Paint::Radial(6.0, 8.0, 10.0, body.Shade(1.35), body.Shade(0.8)), ink);
    down.Fill(Canvas_Shape::Ellipse(5.0, 8.5, 1.8, 1.0), Rgba{255, 255, 255, 160});
    down.Line(4.5, 11.5, 7.0, 11.5, Canvas_Pen{black, 1.0});
    down.Line(9.0, 11.5, 11.5, 11.5, Canvas_Pen{black, 1.0});
    CreatureSprites::Save(down, dir, "gfx/shmoo/shmoodown.png");

    // In the air: a tall teardrop, eyes wide, mouth open.
    Canvas up(size.width, size.height);
    up.Draw(Canvas_Shape::Blob({8.0, 0.5, 11.8, 6.0, 13.6, 11.5, 8.0, 15.5, 2.4, 11.5, 4.2, 6.0}),
            Canvas_Paint::Radial(6.5, 6.0, 11.0, body.Shade(1.35), body.Shade(0.8)), ink);
    up.Fill(Canvas_Shape::Ellipse(5.6, 5.5, 1.2, 1.8), Rgba{255, 255, 255, 160});
    up.Fill(Canvas_Shape::Circle(6.0, 8.6, 1.7), white);
    up.Fill(Canvas_Shape::Circle(10.0, 8.6, 1.7), white);
    up.Fill(Canvas_Shape::Circle(6.3, 8.9, 0.8), black);
    up.Fill(Canvas_Shape::Circle(10.3, 8.9, 0.8), black);
    up.Fill(Canvas_Shape::Ellipse(8.0, 12.4, 1.6, 1.2), black);
    CreatureSprites::Save(up, dir, "gfx/shmoo/shmooup.png");
}
