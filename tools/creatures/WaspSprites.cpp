// WaspSprites: a yellow and black striped wasp facing left with a sting behind, three wing positions and dead.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteWasp(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Wasp;
    Rgba const yellow{250, 205, 20, 255};
    Rgba const black{20, 20, 20, 255};
    Rgba const wing{200, 230, 255, 200};
    Rgba const grey{140, 130, 100, 255};
    Rgba const eye{60, 200, 60, 255};
    for (int f = 0; f < CreatureFrames_Wasp; ++f)
    {
        Canvas c(size.width, size.height);
        bool const dead = f == CreatureFrames_Wasp - 1;
        Rgba const stripe = dead ? grey : yellow;
        // Abdomen behind (right), thorax and head in front (left); y grows downwards in the picture.
        c.Fill(Canvas_Shape::Polygon({29, 17, 31.5, 18, 29, 19}), black); // sting
        c.Fill(Canvas_Shape::Ellipse(21, 18, 8, 5), stripe);
        for (int s = 0; s < 3; ++s)
            c.FillRect(16 + 4 * s, 13, 2, 10, black);
        c.Fill(Canvas_Shape::Ellipse(11, 16, 4, 3.5), black);
        c.Fill(Canvas_Shape::Circle(5, 15, 3.5), stripe);
        c.Fill(Canvas_Shape::Circle(3.5, 14, 1.2), dead ? black : eye);
        c.Line(3, 12, 1, 7, Canvas_Pen{black, 0.8}); // feeler
        c.Line(9, 19, 8, 24, Canvas_Pen{black, 0.8});
        c.Line(12, 19, 13, 24, Canvas_Pen{black, 0.8});
        if (!dead)
        {
            // Frame 0 holds the wings up, frame 2 down.
            double const tip = 2.0 + 7.0 * f;
            c.Fill(Canvas_Shape::Polygon({11, 13, 6, tip, 14, tip + 1, 15, 13}), wing);
            c.Fill(Canvas_Shape::Polygon({13, 13, 16, tip + 2, 21, tip + 3, 16, 13}), wing);
        }
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/wasp/wasp", f));
    }
}
