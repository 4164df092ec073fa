// ShmooSprites: a purple blob, squashed flat at rest and stretched tall in the air.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteShmoo(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Shmoo;
    Rgba const body{150, 60, 190, 255};
    Rgba const shine{215, 160, 240, 255};
    Rgba const white{255, 255, 255, 255};
    Rgba const black{0, 0, 0, 255};

    // At rest: a low dome sitting on the bottom edge, eyes half shut.
    Canvas down(size.width, size.height);
    down.Fill(Canvas_Shape::Ellipse(8, 13, 7.5, 4.5), body);
    down.FillRect(1, 13, 15, 3, body);
    down.Fill(Canvas_Shape::Ellipse(5, 11, 2, 1), shine);
    down.Line(5, 12, 7, 12, Canvas_Pen{black, 1});
    down.Line(9, 12, 11, 12, Canvas_Pen{black, 1});
    CreatureSprites::Save(down, dir, "gfx/shmoo/shmoodown.png");

    // In the air: a tall teardrop, eyes wide, a little mouth open.
    Canvas up(size.width, size.height);
    up.Fill(Canvas_Shape::Ellipse(8, 9, 5, 6.5), body);
    up.Fill(Canvas_Shape::Polygon({5, 4, 11, 4, 8, 0}), body);
    up.Fill(Canvas_Shape::Ellipse(6, 6, 1.5, 2), shine);
    up.Fill(Canvas_Shape::Circle(5.5, 8, 1.5), white);
    up.Fill(Canvas_Shape::Circle(10.5, 8, 1.5), white);
    up.FillRect(5, 8, 1, 1, black);
    up.FillRect(10, 8, 1, 1, black);
    up.Fill(Canvas_Shape::Ellipse(8, 12, 1.5, 1.2), black);
    CreatureSprites::Save(up, dir, "gfx/shmoo/shmooup.png");
}
