// BatSprites: a dark purple bat with pale ears and red eyes filling its 16 x 16 box: hanging folded,
// five wing positions, and dead.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

#include <algorithm>

void CreatureSprites::WriteBat(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Bat;
    Rgba const body{75, 45, 95, 255};
    Rgba const wing{120, 75, 150, 255};
    Rgba const ear{225, 180, 205, 255};
    Rgba const eye{255, 50, 40, 255};
    Canvas_Pen const ink = Ink(0.7);
    for (int f = 0; f < CreatureFrames_Bat; ++f)
    {
        Canvas c(size.width, size.height);
        if (f == 0)
        {
            // Hanging head down from its feet at the top edge, wings wrapped round the body.
            c.Line(6.5, 0.2, 7.0, 2.5, Canvas_Pen{ear.Shade(0.7), 0.9});
            c.Line(9.5, 0.2, 9.0, 2.5, Canvas_Pen{ear.Shade(0.7), 0.9});
            c.Draw(Canvas_Shape::Blob({8.0, 1.6, 12.6, 4.0, 12.4, 10.0, 8.0, 13.2, 3.6, 10.0, 3.4, 4.0}),
                   Canvas_Paint::Lit(wing, 1.6, 13.2), ink);
            c.Draw(Canvas_Shape::Polygon({5.4, 12.0, 6.0, 15.8, 7.6, 12.6}), ear, ink);
            c.Draw(Canvas_Shape::Polygon({10.6, 12.0, 10.0, 15.8, 8.4, 12.6}), ear, ink);
            c.Fill(Canvas_Shape::Circle(6.8, 11.2, 0.8), eye);
            c.Fill(Canvas_Shape::Circle(9.2, 11.2, 0.8), eye);
        }
        else if (f < CreatureFrames_Bat - 1)
        {
            // Frame 1 holds the wings high, frame 5 low; the wing tips reach the box's sides.
            double const tip = 1.0 + (f - 1) * 3.2;
            for (double side : {-1.0, 1.0})
            {
                auto x = [side](double dx) { return 8.0 + side * dx; };
                // The leading edge out to the tip, the trailing edge in scallops back to the body.
                double const wrist = (7.0 + tip) / 2.0 - 1.0;
                c.Draw(Canvas_Shape::Polygon({x(1.5), 7.0, x(5.0), wrist, x(7.9), tip, x(6.6), 11.6, x(5.0), 10.2,
                                              x(3.4), 11.8, x(1.8), 10.6}),
                       Canvas_Paint::Lit(wing, std::min(tip, 7.0), 12.0), ink);
                c.Line(x(5.0), wrist, x(5.0), 10.2, Canvas_Pen{body, 0.5});
            }
            c.Draw(Canvas_Shape::Ellipse(8.0, 9.0, 2.8, 4.0), Canvas_Paint::Lit(body, 5.0, 13.0), ink);
            c.Draw(Canvas_Shape::Polygon({6.0, 6.6, 6.2, 2.8, 7.6, 5.8}), ear, ink);
            c.Draw(Canvas_Shape::Polygon({10.0, 6.6, 9.8, 2.8, 8.4, 5.8}), ear, ink);
            c.Fill(Canvas_Shape::Circle(7.0, 7.8, 0.8), eye);
            c.Fill(Canvas_Shape::Circle(9.0, 7.8, 0.8), eye);
        }
        else
        {
            // On its back, wings limp, eyes crossed out.
            Rgba const grey{150, 145, 155, 255};
            c.Draw(Canvas_Shape::Polygon({0.5, 11.0, 8.0, 7.5, 15.5, 11.0, 8.0, 13.6}), grey, ink);
            c.Draw(Canvas_Shape::Ellipse(8.0, 9.6, 2.8, 3.6), body, ink);
            Canvas_Pen const cross{Rgba{235, 235, 235, 255}, 0.7};
            c.Line(6.0, 7.2, 7.4, 8.6, cross);
            c.Line(7.4, 7.2, 6.0, 8.6, cross);
            c.Line(8.6, 7.2, 10.0, 8.6, cross);
            c.Line(10.0, 7.2, 8.6, 8.6, cross);
        }
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/bat/bat", f));
    }
}
