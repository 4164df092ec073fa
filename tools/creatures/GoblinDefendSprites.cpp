// GoblinDefendSprites: a broad grey-skinned goblin in a red tunic with a round wooden shield, filling its
// 32 x 32 box: standing, blocking behind the shield and winding up a throw; and the rock it throws.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteGoblinDefend(std::string const& dir)
{
    CreatureSize const size = CreatureSize_GoblinDefend;
    Rgba const skin{130, 145, 160, 255};
    Rgba const tunic{165, 35, 45, 255};
    Rgba const wood{160, 105, 50, 255};
    Rgba const iron{110, 110, 120, 255};
    Rgba const eye{255, 110, 20, 255};
    Rgba const stone{150, 148, 138, 255};
    Canvas_Pen const ink = Ink(1.0);

    auto shield = [&](Canvas& c, double cx, double cy, double rx, double ry) {
        c.Draw(Canvas_Shape::Ellipse(cx, cy, rx, ry),
               Canvas_Paint::Radial(cx - 1.5, cy - 2.5, ry * 1.3, wood.Shade(1.2), wood.Shade(0.75)), ink);
        c.Trace(Canvas_Shape::Ellipse(cx, cy, rx - 1.4, ry - 1.4), Canvas_Pen{iron, 1.0});
        c.Draw(Canvas_Shape::Circle(cx, cy, 1.8), iron, ink);
    };
    for (int f = 0; f < CreatureFrames_GoblinDefend; ++f)
    {
        Canvas c(size.width, size.height);
        // Facing right, the feet on the bottom edge; frame 2 leans back, frame 3 further still.
        double const lean = f == 2 ? -2.0 : f == 3 ? -4.0 : 0.0;
        for (int leg = 0; leg < 2; ++leg)
        {
            double const x = leg == 0 ? 12.0 : 19.0;
            Rgba const shade = leg == 0 ? skin.Shade(0.75) : skin;
            c.Draw(Canvas_Shape::Capsule(x + lean / 2, 22.0, x - 1.0, 29.5, 4.4), shade, ink);
            c.Draw(Canvas_Shape::Ellipse(x + 0.6, 30.0, 3.6, 1.8), Rgba{70, 50, 35, 255}, ink);
        }
        if (f == 0)
            shield(c, 7.0, 19.0, 5.5, 8.0); // held at its side
        c.Draw(Canvas_Shape::Blob({8.0 + lean, 13.0, 16.0 + lean, 10.8, 24.0 + lean, 13.0, 25.0 + lean / 2, 20.0, 23.0,
                                   24.6, 9.0, 24.6, 7.0, 20.0}),
               Canvas_Paint::Lit(tunic, 11.0, 24.6), ink);
        c.Line(7.6, 21.0, 24.6, 21.0, Canvas_Pen{Rgba{70, 40, 25, 255}, 1.6});
        // The head: heavy brow, long ear, glowing eye, a tusk.
        double const hx = 17.0 + lean;
        c.Draw(Canvas_Shape::Polygon({hx - 4.0, 5.2, hx - 13.0, 1.0, hx - 4.6, 9.6}), skin.Shade(0.9), ink);
        c.Draw(Canvas_Shape::Ellipse(hx, 7.2, 7.4, 6.6),
               Canvas_Paint::Radial(hx + 1.0, 5.0, 9.0, skin.Shade(1.15), skin.Shade(0.78)), ink);
        c.Draw(Canvas_Shape::Polygon({hx + 6.0, 6.0, hx + 10.0, 9.0, hx + 6.0, 10.0}), skin.Shade(0.95), ink);
        c.Fill(Canvas_Shape::Ellipse(hx + 3.2, 5.8, 1.7, 1.4), eye);
        c.Line(hx + 0.6, 3.6, hx + 5.8, 4.4, Canvas_Pen{Rgba{50, 55, 65, 255}, 1.4});
        c.Fill(Canvas_Shape::Polygon({hx + 4.0, 11.0, hx + 5.4, 10.8, hx + 4.8, 8.6}), Rgba{245, 240, 220, 255});
        if (f == 1)
        {
            // Blocking: the shield held up before the face.
            c.Draw(Canvas_Shape::Capsule(18.0, 14.0, 24.0, 15.0, 3.4), skin, ink);
            shield(c, 25.0, 15.0, 6.2, 11.0);
        }
        else if (f == 0)
        {
            c.Draw(Canvas_Shape::Capsule(19.0, 14.0, 24.0, 20.0, 3.4), skin, ink);
            c.Draw(Canvas_Shape::Circle(24.0, 20.2, 2.0), skin.Shade(0.9), ink);
        }
        else
        {
            // Winding up: the arm raised behind the head with a rock in the hand.
            double const reach = f == 2 ? 4.0 : 8.0;
            double const rx = 10.0 + lean - reach / 2, ry = 4.0 + (f == 3 ? 0.0 : 1.0);
            c.Draw(Canvas_Shape::Capsule(16.0 + lean, 14.0, rx, ry + 2.0, 3.4), skin, ink);
            c.Draw(Canvas_Shape::Circle(rx, ry, 3.4), Canvas_Paint::Lit(stone, ry - 3.4, ry + 3.4), ink);
        }
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/goblindefend/goblin", f));
    }

    CreatureSize const rockSize = CreatureSize_GoblinRock;
    Canvas rock(rockSize.width, rockSize.height);
    rock.Draw(Canvas_Shape::Blob({1.0, 6.5, 2.8, 1.6, 7.6, 0.8, 11.0, 4.0, 10.2, 10.2, 4.6, 11.2}),
              Canvas_Paint::Radial(4.5, 4.0, 9.0, stone.Shade(1.2), stone.Shade(0.7)), Ink(0.8));
    rock.Line(4.5, 4.5, 7.0, 6.5, Canvas_Pen{stone.Shade(0.55), 0.8});
    CreatureSprites::Save(rock, dir, "gfx/goblindefend/rock.png");
}
