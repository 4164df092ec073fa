// ImpSprites: a small red horned imp with a forked tail, crouched, springing and stretched through
// its hop, and curled up tumbling.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteImp(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Imp;
    Rgba const body{200, 35, 30, 255};
    Rgba const dark{110, 10, 15, 255};
    Rgba const horn{250, 230, 170, 255};
    Rgba const eye{255, 255, 80, 255};
    for (int f = 0; f < CreatureFrames_Imp; ++f)
    {
        Canvas c(size.width, size.height);
        if (f < 3)
        {
            // Anchored at its lower edge: crouched (0), half up (1), stretched tall (2).
            double const top = 14.0 - 5.0 * f;
            double const legs = 4.0 + 3.0 * f;
            c.Line(13, 31 - legs, 10 - f, 31, Canvas_Pen{dark, 2.5});
            c.Line(19, 31 - legs, 22 + f, 31, Canvas_Pen{dark, 2.5});
            c.Fill(Canvas_Shape::Ellipse(16, top + (31 - legs - top) / 2 + 2, 6, (31 - legs - top) / 2 + 1), body);
            c.Fill(Canvas_Shape::Circle(16, top + 3, 5), body);
            c.Fill(Canvas_Shape::Polygon({12, top, 10, top - 5, 14, top - 1}), horn);
            c.Fill(Canvas_Shape::Polygon({20, top, 22, top - 5, 18, top - 1}), horn);
            c.Fill(Canvas_Shape::Circle(14, top + 3, 1.2), eye);
            c.Fill(Canvas_Shape::Circle(18, top + 3, 1.2), eye);
            double const tail = 20.0 - 3.0 * f;
            c.Line(22, 26 - f * 2, 29, tail, Canvas_Pen{dark, 1.5});
            c.Fill(Canvas_Shape::Polygon({29, tail, 31, tail - 3, 27, tail - 2}), dark);
        }
        else
        {
            // Tumbling: rolled into a ball, horns and tail flung out.
            c.Fill(Canvas_Shape::Circle(16, 20, 9), body);
            c.Fill(Canvas_Shape::Polygon({8, 14, 2, 10, 9, 18}), horn);
            c.Fill(Canvas_Shape::Polygon({24, 14, 30, 10, 23, 18}), horn);
            c.Line(14, 18, 18, 22, Canvas_Pen{eye, 1.5});
            c.Line(18, 18, 14, 22, Canvas_Pen{eye, 1.5});
            c.Line(16, 29, 16, 31, Canvas_Pen{dark, 2.0});
        }
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/imp/imp", f));
    }
}
