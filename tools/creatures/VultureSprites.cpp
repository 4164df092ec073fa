// VultureSprites: a brown vulture with a bald pink head seen from the side, its wings beating through five frames.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

#include <cmath>

void CreatureSprites::WriteVulture(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Vulture;
    Rgba const feathers{95, 60, 35, 255};
    Rgba const dark{50, 30, 15, 255};
    Rgba const wing{160, 115, 70, 255};
    Rgba const ruff{225, 215, 195, 255};
    Rgba const head{220, 130, 130, 255};
    Rgba const beak{240, 200, 60, 255};
    Rgba const black{0, 0, 0, 255};
    for (int f = 0; f < CreatureFrames_Vulture; ++f)
    {
        // Frame 0 holds the wings high, frame 4 low; the tips trail behind the body.
        double const lift = 11.0 - f * 5.5;
        Canvas c(size.width, size.height);
        c.Fill(Canvas_Shape::Polygon({3, 16, 9, 14, 9, 19}), dark); // tail
        c.Fill(Canvas_Shape::Ellipse(15, 17, 8, 4.5), feathers);
        c.Fill(Canvas_Shape::Polygon({20, 15, 11, 15, 1, 15 - lift, 8, 18 - lift}), wing);
        c.Line(11, 15, 1, 15 - lift, Canvas_Pen{dark, 1.2});
        c.Fill(Canvas_Shape::Circle(23, 14, 2.6), ruff);
        c.Fill(Canvas_Shape::Circle(26, 11, 2.6), head);
        c.Fill(Canvas_Shape::Polygon({28, 10, 31, 12, 28, 13}), beak);
        c.Fill(Canvas_Shape::Circle(26.5, 10.5, 0.7), black);
        c.Line(14, 21, 13, 24, Canvas_Pen{beak, 1.0});
        c.Line(17, 21, 17, 24, Canvas_Pen{beak, 1.0});
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/vulture/vulture", f));
    }
}
