// SpiderSprites: a black hairy spider with a yellow mark and red eyes, its eight legs spread across its
// 20 x 20 box, hanging from its thread at the top.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteSpider(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Spider;
    Rgba const body{30, 25, 28, 255};
    Rgba const legs{55, 45, 45, 255};
    Rgba const mark{235, 190, 40, 255};
    Rgba const eye{240, 40, 35, 255};
    Canvas c(size.width, size.height);
    // Four legs a side, each bent at its knee, the feet reaching the box's sides.
    for (int i = 0; i < 4; ++i)
    {
        double const y = 8.5 + i * 1.6;
        double const kneeY = 3.0 + i * 3.2;
        double const footY = 7.0 + i * 4.0;
        for (double side : {-1.0, 1.0})
            c.Trace(Canvas_Shape::Polyline({10.0, y, 10.0 + side * 6.0, kneeY, 10.0 + side * 9.6, footY}),
                    Canvas_Pen{legs, 1.2});
    }
    c.Draw(Canvas_Shape::Ellipse(10.0, 13.0, 5.0, 5.8),
           Canvas_Paint::Radial(8.5, 11.0, 7.0, Rgba{80, 70, 75, 255}, body), Ink(0.7));
    c.Draw(Canvas_Shape::Circle(10.0, 6.0, 3.4), Canvas_Paint::Radial(9.0, 5.0, 4.0, Rgba{80, 70, 75, 255}, body),
           Ink(0.7));
    c.Fill(Canvas_Shape::Polygon({10.0, 10.0, 12.4, 13.0, 10.0, 16.4, 7.6, 13.0}), mark);
    c.Fill(Canvas_Shape::Circle(8.8, 5.0, 0.9), eye);
    c.Fill(Canvas_Shape::Circle(11.2, 5.0, 0.9), eye);
    c.Fill(Canvas_Shape::Circle(10.0, 6.6, 0.6), eye);
    CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/spider/spider", 0));
}
