// SpiderSprites: a black spider seen from above with eight legs and red eyes.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteSpider(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Spider;
    Rgba const body{25, 20, 20, 255};
    Rgba const legs{60, 50, 45, 255};
    Rgba const mark{200, 170, 40, 255};
    Rgba const eye{230, 30, 30, 255};
    Canvas c(size.width, size.height);
    for (int i = 0; i < 4; ++i)
    {
        double const y = 6.5 + i * 2.5;
        double const reach = i == 0 || i == 3 ? 2.0 : 0.0;
        c.Line(10, y, 2, y - 3 + i * 2 - reach, Canvas_Pen{legs, 1.0});
        c.Line(10, y, 18, y - 3 + i * 2 - reach, Canvas_Pen{legs, 1.0});
    }
    c.Fill(Canvas_Shape::Ellipse(10, 13, 4.5, 5), body);
    c.Fill(Canvas_Shape::Circle(10, 6, 3), body);
    c.Fill(Canvas_Shape::Polygon({10, 10.5, 12, 13, 10, 15.5, 8, 13}), mark);
    c.Fill(Canvas_Shape::Circle(9, 5, 0.8), eye);
    c.Fill(Canvas_Shape::Circle(11, 5, 0.8), eye);
    CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/spider/spider", 0));
}
