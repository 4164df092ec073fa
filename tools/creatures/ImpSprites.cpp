// ImpSprites: a small red horned imp with bat wings and a forked tail, crouched, springing and stretched
// through its hop, and curled up tumbling; it fills its 32 x 32 box at full stretch.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteImp(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Imp;
    Rgba const body{210, 40, 35, 255};
    Rgba const dark{120, 15, 20, 255};
    Rgba const horn{250, 232, 175, 255};
    Rgba const eye{255, 255, 90, 255};
    Canvas_Pen const ink = Ink(0.9);
    for (int f = 0; f < CreatureFrames_Imp; ++f)
    {
        Canvas c(size.width, size.height);
        if (f < 3)
        {
            // Anchored at its lower edge: crouched (0), half up (1), stretched tall (2).
            double const top = 9.0 - 4.0 * f;
            double const hip = 24.0 - 2.5 * f;
            double const tail = 20.0 - 3.0 * f;
            c.Trace(Canvas_Shape().MoveTo(20.0, hip).CurveTo(27.0, hip + 2.0, 29.0, tail + 4.0, 29.0, tail),
                    Canvas_Pen{dark, 1.6});
            c.Draw(Canvas_Shape::Polygon({29.0, tail + 1.0, 31.6, tail - 3.0, 26.4, tail - 2.0}), dark, Ink(0.6));
            for (double side : {-1.0, 1.0})
                c.Draw(Canvas_Shape::Polygon({16.0 + side * 3.0, top + 12.0, 16.0 + side * 15.0, top + 6.0 - f,
                                              16.0 + side * 12.0, top + 15.0, 16.0 + side * 5.0, top + 16.0}),
                       Canvas_Paint::Lit(dark, top + 5.0, top + 16.0), ink);
            c.Draw(Canvas_Shape::Capsule(13.0, hip, 10.0 - f, 30.5, 3.6), dark, ink);
            c.Draw(Canvas_Shape::Capsule(19.0, hip, 22.0 + f, 30.5, 3.6), dark, ink);
            c.Draw(Canvas_Shape::Ellipse(16.0, (top + 8.0 + hip) / 2.0 + 1.0, 6.5, (hip - top - 8.0) / 2.0 + 2.0),
                   Canvas_Paint::Lit(body, top + 8.0, hip + 2.0), ink);
            c.Draw(Canvas_Shape::Polygon({12.0, top + 3.0, 9.0, top - 4.5, 14.5, top + 1.0}), horn, ink);
            c.Draw(Canvas_Shape::Polygon({20.0, top + 3.0, 23.0, top - 4.5, 17.5, top + 1.0}), horn, ink);
            c.Draw(Canvas_Shape::Circle(16.0, top + 5.0, 5.6),
                   Canvas_Paint::Radial(14.5, top + 3.5, 7.0, body.Shade(1.25), body.Shade(0.8)), ink);
            c.Fill(Canvas_Shape::Ellipse(13.8, top + 4.6, 1.4, 1.1), eye);
            c.Fill(Canvas_Shape::Ellipse(18.2, top + 4.6, 1.4, 1.1), eye);
            c.Line(13.5, top + 8.0, 18.5, top + 8.0, Canvas_Pen{dark, 0.9});
        }
        else
        {
            // Tumbling: rolled into a ball, horns and tail flung out.
            c.Draw(Canvas_Shape::Polygon({8.0, 14.0, 1.0, 9.0, 9.0, 19.0}), horn, ink);
            c.Draw(Canvas_Shape::Polygon({24.0, 14.0, 31.0, 9.0, 23.0, 19.0}), horn, ink);
            c.Draw(Canvas_Shape::Circle(16.0, 20.0, 10.5),
                   Canvas_Paint::Radial(13.0, 16.0, 13.0, body.Shade(1.25), body.Shade(0.75)), ink);
            c.Line(12.5, 17.0, 15.5, 20.0, Canvas_Pen{eye, 1.4});
            c.Line(15.5, 17.0, 12.5, 20.0, Canvas_Pen{eye, 1.4});
            c.Line(17.5, 17.0, 20.5, 20.0, Canvas_Pen{eye, 1.4});
            c.Line(20.5, 17.0, 17.5, 20.0, Canvas_Pen{eye, 1.4});
            c.Trace(Canvas_Shape().MoveTo(16.0, 30.5).CurveTo(20.0, 31.5, 24.0, 30.0, 26.0, 27.0),
                    Canvas_Pen{dark, 1.6});
        }
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/imp/imp", f));
    }
}
