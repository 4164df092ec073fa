// BatSprites: a dark purple bat with pale ears and red eyes: hanging folded, five wing positions, and dead.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteBat(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Bat;
    Rgba const body{70, 40, 90, 255};
    Rgba const wing{120, 80, 150, 255};
    Rgba const ear{230, 190, 210, 255};
    Rgba const eye{255, 40, 40, 255};
    Rgba const dead{150, 150, 150, 255};
    Rgba const cross{40, 40, 40, 255};
    for (int f = 0; f < CreatureFrames_Bat; ++f)
    {
        Canvas c(size.width, size.height);
        if (f == 0)
        {
            // Hanging head down from its feet at the top edge, wings wrapped round the body.
            c.Line(7, 0, 7, 3, Canvas_Pen{ear, 1.0});
            c.Line(9, 0, 9, 3, Canvas_Pen{ear, 1.0});
            c.Fill(Canvas_Shape::Ellipse(8, 8, 3.5, 5.5), wing);
            c.Fill(Canvas_Shape::Ellipse(8, 8, 2.2, 4.5), body);
            c.Fill(Canvas_Shape::Polygon({6, 13, 7, 15.5, 8, 13}), ear);
            c.Fill(Canvas_Shape::Polygon({8, 13, 9, 15.5, 10, 13}), ear);
            c.Fill(Canvas_Shape::Circle(7, 11.5, 0.7), eye);
            c.Fill(Canvas_Shape::Circle(9, 11.5, 0.7), eye);
        }
        else if (f < CreatureFrames_Bat - 1)
        {
            // Frame 1 holds the wings high, frame 5 low.
            double const tip = 2.0 + (f - 1) * 3.0;
            c.Fill(Canvas_Shape::Polygon({8, 8, 0, tip, 2, 9, 4, 8, 6, 10}), wing);
            c.Fill(Canvas_Shape::Polygon({8, 8, 16, tip, 14, 9, 12, 8, 10, 10}), wing);
            c.Fill(Canvas_Shape::Ellipse(8, 9, 2.5, 3.5), body);
            c.Fill(Canvas_Shape::Polygon({6, 7, 6.5, 3.5, 7.5, 6.5}), ear);
            c.Fill(Canvas_Shape::Polygon({10, 7, 9.5, 3.5, 8.5, 6.5}), ear);
            c.Fill(Canvas_Shape::Circle(7, 8, 0.7), eye);
            c.Fill(Canvas_Shape::Circle(9, 8, 0.7), eye);
        }
        else
        {
            // On its back, wings limp, eyes crossed out.
            c.Fill(Canvas_Shape::Polygon({1, 11, 8, 8, 15, 11, 8, 13}), dead);
            c.Fill(Canvas_Shape::Ellipse(8, 9, 2.5, 3.5), body);
            c.Line(6, 7, 7.5, 8.5, Canvas_Pen{cross, 0.8});
            c.Line(7.5, 7, 6, 8.5, Canvas_Pen{cross, 0.8});
            c.Line(8.5, 7, 10, 8.5, Canvas_Pen{cross, 0.8});
            c.Line(10, 7, 8.5, 8.5, Canvas_Pen{cross, 0.8});
        }
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/bat/bat", f));
    }
}
