// WaspSprites: a yellow and black striped wasp facing left with its sting behind, filling its 32 x 32
// box: three wing positions and dead.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

#include <cmath>

void CreatureSprites::WriteWasp(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Wasp;
    Rgba const yellow{250, 205, 25, 255};
    Rgba const black{25, 22, 20, 255};
    Rgba const wing{205, 230, 255, 170};
    Rgba const grey{150, 140, 110, 255};
    Rgba const eye{70, 200, 70, 255};
    Canvas_Pen const ink = Ink(0.9);
    for (int f = 0; f < CreatureFrames_Wasp; ++f)
    {
        Canvas c(size.width, size.height);
        bool const dead = f == CreatureFrames_Wasp - 1;
        Rgba const stripe = dead ? grey : yellow;
        // Abdomen behind (right), thorax and head in front (left); y grows downwards in the picture.
        for (int leg = 0; leg < 3; ++leg)
            c.Line(10.0 + 3.0 * leg, 19.0, 8.0 + 4.0 * leg, 27.5, Canvas_Pen{black, 1.0});
        c.Draw(Canvas_Shape::Polygon({28.0, 17.0, 31.8, 20.5, 28.0, 21.0}), black, ink); // sting
        Canvas_Shape const abdomen = Canvas_Shape::Ellipse(21.5, 18.5, 8.5, 6.5);
        c.Fill(abdomen, Canvas_Paint::Lit(stripe, 12.0, 25.0));
        for (int s = 0; s < 3; ++s)
        {
            // Each stripe as tall as the abdomen where it crosses it.
            double const x = 17.0 + 4.6 * s;
            double const across = (x - 21.5) / 8.5;
            double const half = 6.5 * std::sqrt(1.0 - across * across) - 0.3;
            c.Fill(Canvas_Shape::Rect(x - 1.1, 18.5 - half, 2.2, 2.0 * half), black);
        }
        c.Trace(abdomen, ink);
        c.Draw(Canvas_Shape::Ellipse(11.0, 16.5, 4.4, 4.0), Canvas_Paint::Lit(black, 12.0, 21.0), ink);
        c.Draw(Canvas_Shape::Circle(5.0, 15.0, 4.2), Canvas_Paint::Lit(stripe, 11.0, 19.0), ink);
        c.Fill(Canvas_Shape::Ellipse(3.4, 13.8, 1.6, 2.0), dead ? black : eye);
        c.Line(3.0, 11.5, 0.8, 5.0, Canvas_Pen{black, 0.9}); // feelers
        c.Line(5.0, 11.2, 4.0, 4.6, Canvas_Pen{black, 0.9});
        if (!dead)
        {
            // Frame 0 holds the wings up, frame 2 down.
            double const tip = 1.0 + 8.0 * f;
            c.Draw(Canvas_Shape::Blob({10.0, 13.0, 6.0, tip + 1.0, 12.0, tip, 15.0, 12.5}), wing, Ink(0.6));
            c.Draw(Canvas_Shape::Blob({12.0, 13.0, 15.0, tip + 2.0, 22.0, tip + 3.0, 16.0, 13.0}), wing, Ink(0.6));
        }
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/wasp/wasp", f));
    }
}
