// RatSprites: a grey rat seen from the side with a long tail.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteRat(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Rat;
    Rgba const fur{130, 125, 120, 255};
    Rgba const belly{190, 180, 175, 255};
    Rgba const pink{230, 150, 160, 255};
    Rgba const black{0, 0, 0, 255};
    Canvas c(size.width, size.height);
    // Facing right; the feet at the bottom edge.
    c.Line(1, 13, 9, 10, Canvas_Pen{pink, 1.2});
    c.Fill(Canvas_Shape::Ellipse(15, 10, 8, 4.5), fur);
    c.Fill(Canvas_Shape::Ellipse(15, 12, 6, 2), belly);
    c.Fill(Canvas_Shape::Polygon({21, 7, 30, 11, 21, 13}), fur);
    c.Fill(Canvas_Shape::Circle(21, 6, 2), pink);
    c.Fill(Canvas_Shape::Circle(25, 9, 0.9), black);
    c.Fill(Canvas_Shape::Circle(30, 11, 0.8), pink);
    c.Line(11, 13, 10, 15, Canvas_Pen{pink, 1.0});
    c.Line(19, 13, 20, 15, Canvas_Pen{pink, 1.0});
    CreatureSprites::Save(c, dir, "gfx/rat/rat.png");
}
