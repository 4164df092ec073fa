// RatSprites: a grey-brown rat seen from the side, facing right, filling its 32 x 16 box from its long
// pink tail to its whiskered snout.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteRat(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Rat;
    Rgba const fur{125, 112, 100, 255};
    Rgba const belly{200, 190, 178, 255};
    Rgba const pink{232, 150, 160, 255};
    Canvas_Pen const ink = Ink(0.8);
    Canvas c(size.width, size.height);
    // Facing right; the feet on the bottom edge.
    c.Trace(Canvas_Shape().MoveTo(8.0, 11.0).CurveTo(4.0, 13.5, 3.0, 6.0, 0.6, 9.0), Canvas_Pen{pink.Shade(0.8), 1.6});
    c.Draw(Canvas_Shape::Capsule(11.0, 13.0, 10.0, 15.2, 1.6), pink, ink);
    c.Draw(Canvas_Shape::Blob(
               {6.5, 10.0, 10.0, 4.2, 17.0, 3.0, 23.0, 5.0, 26.5, 8.0, 31.4, 11.0, 27.0, 13.6, 19.0, 14.0, 9.0, 14.2}),
           Canvas_Paint::Lit(fur, 3.0, 14.0), ink);
    c.Fill(Canvas_Shape::Ellipse(17.0, 12.4, 6.5, 1.6), belly);
    c.Draw(Canvas_Shape::Capsule(20.0, 12.8, 21.0, 15.2, 1.6), pink, ink);
    c.Draw(Canvas_Shape::Capsule(13.0, 13.0, 14.0, 15.2, 1.6), pink.Shade(0.85), ink);
    c.Draw(Canvas_Shape::Ellipse(22.0, 4.2, 2.4, 2.6), pink, ink);
    c.Fill(Canvas_Shape::Circle(25.6, 7.4, 1.0), Rgba{15, 10, 10, 255});
    c.Fill(Canvas_Shape::Circle(31.0, 10.9, 0.9), Rgba{60, 30, 35, 255});
    c.Line(29.0, 10.0, 31.8, 8.0, Canvas_Pen{Rgba{230, 230, 230, 200}, 0.5});
    c.Line(29.0, 11.0, 31.8, 12.8, Canvas_Pen{Rgba{230, 230, 230, 200}, 0.5});
    CreatureSprites::Save(c, dir, "gfx/rat/rat.png");
}
