// GoblinSprites: a squat green goblin with a club, its legs and arm swinging through five frames.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

#include <cmath>

void CreatureSprites::WriteGoblin(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Goblin;
    Rgba const skin{70, 150, 50, 255};
    Rgba const dark{30, 80, 20, 255};
    Rgba const cloth{120, 70, 30, 255};
    Rgba const club{90, 60, 30, 255};
    Rgba const eye{255, 230, 40, 255};
    for (int f = 0; f < CreatureFrames_Goblin; ++f)
    {
        double const swing = std::sin(f * 2.0 * 3.14159265358979 / CreatureFrames_Goblin) * 4.0;
        Canvas c(size.width, size.height);
        // Facing right; the feet at the bottom edge.
        c.Line(12, 16, 12 - swing, 23, Canvas_Pen{dark, 2.5});
        c.Line(12, 16, 12 + swing, 23, Canvas_Pen{dark, 2.5});
        c.Fill(Canvas_Shape::Ellipse(12, 13, 6, 5), cloth);
        c.Fill(Canvas_Shape::Circle(13, 6, 5), skin);
        c.Fill(Canvas_Shape::Polygon({16, 3, 22, 1, 17, 6}), skin); // a pointed ear
        c.Fill(Canvas_Shape::Circle(15, 5, 1.2), eye);
        c.Line(14, 12, 19 + swing, 10 - swing, Canvas_Pen{skin, 2.0});
        c.Line(19 + swing, 10 - swing, 21 + swing, 3 - swing, Canvas_Pen{club, 2.5});
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/goblin/goblin", f));
    }
}
