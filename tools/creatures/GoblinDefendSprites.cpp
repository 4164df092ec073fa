// GoblinDefendSprites: a broad grey-skinned goblin with a round wooden shield, standing, blocking and
// winding up a throw, and the grey rock it throws.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteGoblinDefend(std::string const& dir)
{
    CreatureSize const size = CreatureSize_GoblinDefend;
    Rgba const skin{120, 135, 150, 255};
    Rgba const dark{55, 65, 80, 255};
    Rgba const tunic{150, 30, 40, 255};
    Rgba const shield{150, 100, 45, 255};
    Rgba const rim{90, 55, 20, 255};
    Rgba const eye{255, 90, 20, 255};
    Rgba const stone{140, 140, 130, 255};
    for (int f = 0; f < CreatureFrames_GoblinDefend; ++f)
    {
        Canvas c(size.width, size.height);
        // Facing right, the feet on the bottom edge; frame 2 leans back, frame 3 further still.
        double const lean = f == 2 ? -2.0 : f == 3 ? -4.0 : 0.0;
        c.Line(13, 22, 10, 31, Canvas_Pen{dark, 3.0});
        c.Line(17, 22, 20, 31, Canvas_Pen{dark, 3.0});
        c.Fill(Canvas_Shape::Ellipse(15 + lean / 2, 18, 7, 6), tunic);
        c.Fill(Canvas_Shape::Circle(16 + lean, 9, 6), skin);
        c.Fill(Canvas_Shape::Polygon({19 + lean, 5, 27 + lean, 2, 21 + lean, 9}), skin); // a long ear
        c.Fill(Canvas_Shape::Circle(19 + lean, 8, 1.4), eye);
        if (f == 1)
        {
            // Blocking: the shield held up before the face.
            c.Fill(Canvas_Shape::Ellipse(24, 14, 5, 9), shield);
            c.Line(24, 5, 24, 23, Canvas_Pen{rim, 1.0});
        }
        else if (f == 0)
        {
            c.Fill(Canvas_Shape::Ellipse(10, 19, 4, 6), shield); // the shield at its side
            c.Line(19, 17, 24, 22, Canvas_Pen{skin, 2.5});
        }
        else
        {
            // Winding up: the arm raised behind the head with a rock in the hand.
            double const reach = f == 2 ? 4.0 : 8.0;
            c.Line(15 + lean, 16, 10 + lean - reach / 2, 6 - reach / 4, Canvas_Pen{skin, 2.5});
            c.Fill(Canvas_Shape::Circle(9 + lean - reach / 2, 4, 3), stone);
        }
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/goblindefend/goblin", f));
    }

    CreatureSize const rockSize = CreatureSize_GoblinRock;
    Canvas rock(rockSize.width, rockSize.height);
    rock.Fill(Canvas_Shape::Polygon({1, 6, 3, 1, 8, 0, 11, 4, 10, 10, 4, 11}), stone);
    rock.Line(4, 4, 7, 6, Canvas_Pen{dark, 1.0});
    CreatureSprites::Save(rock, dir, "gfx/goblindefend/rock.png");
}
