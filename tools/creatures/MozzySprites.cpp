// MozzySprites: a big grey-green mosquito seen from the side, facing +x, its glassy wings in three beats.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteMozzy(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Mozzy;
    Rgba const body{90, 110, 70, 255};
    Rgba const stripe{40, 50, 30, 255};
    Rgba const wing{190, 225, 245, 170};
    Rgba const vein{120, 150, 175, 220};
    Rgba const leg{30, 30, 25, 255};
    Rgba const eye{200, 30, 30, 255};
    Rgba const needle{60, 40, 30, 255};
    // Wing tips high, level and low.
    double const tipY[CreatureFrames_Mozzy] = {1.0, 9.0, 20.0};
    for (int f = 0; f < CreatureFrames_Mozzy; ++f)
    {
        Canvas c(size.width, size.height);
        for (int i = 0; i < 3; ++i)
            c.Line(12 + 4 * i, 19, 9 + 5 * i, 29, Canvas_Pen{leg, 1.0});
        c.Fill(Canvas_Shape::Ellipse(10, 17, 8, 3.5), body); // abdomen, trailing behind
        for (int i = 0; i < 4; ++i)
            c.Line(4 + 3.5 * i, 14, 4 + 3.5 * i, 20, Canvas_Pen{stripe, 1.0});
        c.Fill(Canvas_Shape::Ellipse(19, 16, 4, 3.5), body); // thorax
        c.Fill(Canvas_Shape::Circle(24, 15, 2.8), body);     // head
        c.Fill(Canvas_Shape::Circle(25, 14, 1.3), eye);
        c.Line(26, 16, 31, 18, Canvas_Pen{needle, 1.0});
        c.Fill(Canvas_Shape::Polygon({15, 14, 21, 14, 11, tipY[f], 7, tipY[f] + 3}), wing);
        c.Line(18, 14, 9, tipY[f] + 1.5, Canvas_Pen{vein, 1.0});
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/mozzy/mozzy", f));
    }
}
