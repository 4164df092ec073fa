// MozzySprites: a big grey-green mosquito seen from the side, facing +x, with long legs, a striped
// abdomen and a needle, its glassy wings in three beats across its 32 x 32 box.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteMozzy(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Mozzy;
    Rgba const body{105, 125, 80, 255};
    Rgba const stripe{45, 55, 35, 255};
    Rgba const wing{195, 228, 248, 150};
    Rgba const leg{35, 35, 28, 255};
    Rgba const eye{215, 35, 35, 255};
    Rgba const needle{70, 45, 35, 255};
    Canvas_Pen const ink = Ink(0.8);
    // Wing tips high, level and low.
    double const tipY[CreatureFrames_Mozzy] = {0.8, 9.0, 22.0};
    for (int f = 0; f < CreatureFrames_Mozzy; ++f)
    {
        Canvas c(size.width, size.height);
        for (int i = 0; i < 3; ++i)
        {
            double const kx = 12.0 + 5.0 * i, ky = 24.0 + (i == 1 ? 1.0 : 0.0);
            c.Trace(Canvas_Shape::Polyline({15.0 + 2.0 * i, 18.5, kx, ky, kx - 3.0 + 2.0 * i, 31.5}),
                    Canvas_Pen{leg, 1.0});
        }
        c.Draw(Canvas_Shape::Blob({1.0, 14.0, 8.0, 13.0, 15.0, 15.0, 14.0, 19.5, 6.0, 19.0}),
               Canvas_Paint::Lit(body, 13.0, 20.0), ink);
        for (int i = 0; i < 3; ++i)
            c.Line(4.0 + 3.4 * i, 13.8, 4.2 + 3.4 * i, 19.0, Canvas_Pen{stripe, 1.1});
        c.Draw(Canvas_Shape::Ellipse(18.5, 15.5, 4.6, 4.0), Canvas_Paint::Lit(body, 11.5, 19.5), ink);
        c.Draw(Canvas_Shape::Circle(24.5, 13.8, 3.2), Canvas_Paint::Lit(body.Shade(0.9), 10.6, 17.0), ink);
        c.Fill(Canvas_Shape::Circle(25.6, 12.8, 1.6), eye);
        c.Line(27.0, 15.4, 31.6, 19.5, Canvas_Pen{needle, 1.1});
        c.Line(25.0, 11.0, 28.0, 7.0, Canvas_Pen{leg, 0.7});
        c.Draw(Canvas_Shape::Blob({15.0, 13.0, 21.0, 13.0, 12.0, tipY[f], 7.0, tipY[f] + 2.5}), wing, Ink(0.6));
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/mozzy/mozzy", f));
    }
}
