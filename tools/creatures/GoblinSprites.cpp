// GoblinSprites: a squat green goblin with long pointed ears, a hooked nose and a club, filling its
// 24 x 24 box, its legs and club arm swinging through five frames.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

#include <cmath>

void CreatureSprites::WriteGoblin(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Goblin;
    Rgba const skin{95, 165, 55, 255};
    Rgba const cloth{125, 75, 35, 255};
    Rgba const club{110, 70, 35, 255};
    Rgba const eye{255, 225, 40, 255};
    Canvas_Pen const ink = Ink(0.9);
    for (int f = 0; f < CreatureFrames_Goblin; ++f)
    {
        double const phase = f * 2.0 * 3.14159265358979 / CreatureFrames_Goblin;
        double const swing = std::sin(phase);
        double const lift = std::cos(phase);
        Canvas c(size.width, size.height);
        // Facing right, the feet on the bottom edge.
        for (int leg = 0; leg < 2; ++leg)
        {
            double const side = leg == 0 ? -1.0 : 1.0;
            double const a = 0.45 * swing * side;
            double const length = 6.2 - 1.8 * std::max(0.0, lift * side);
            double const fx = 11.5 + length * std::sin(a), fy = 16.4 + length * std::cos(a);
            Rgba const shade = leg == 0 ? skin.Shade(0.75) : skin;
            c.Draw(Canvas_Shape::Capsule(11.5, 16.4, fx, fy, 3.4), shade, ink);
            c.Draw(Canvas_Shape::Ellipse(fx + 1.2, fy + 0.3, 2.6, 1.4), shade.Shade(0.85), ink);
        }
        c.Draw(Canvas_Shape::Blob({6.5, 10.5, 11.5, 8.8, 16.5, 10.8, 17.2, 15.0, 15.4, 18.6, 8.0, 18.6, 5.8, 15.0}),
               Canvas_Paint::Lit(cloth, 9.0, 18.6), ink);
        c.Line(6.6, 15.2, 17.0, 15.2, Canvas_Pen{Rgba{70, 40, 20, 255}, 1.2});
        // The head: a long ear swept back, a hooked nose, a yellow eye.
        c.Draw(Canvas_Shape::Polygon({8.6, 4.6, 0.6, 1.4, 8.4, 8.2}), skin.Shade(0.9), ink);
        c.Draw(Canvas_Shape::Polygon({16.2, 5.4, 22.6, 8.4, 16.4, 9.0}), skin.Shade(0.95), ink);
        c.Draw(Canvas_Shape::Ellipse(12.4, 6.2, 5.4, 5.0),
               Canvas_Paint::Radial(13.5, 4.5, 7.0, skin.Shade(1.15), skin.Shade(0.8)), ink);
        c.Fill(Canvas_Shape::Ellipse(15.0, 5.0, 1.5, 1.3), eye);
        c.Fill(Canvas_Shape::Circle(15.5, 5.0, 0.6), Rgba{20, 10, 10, 255});
        c.Line(13.6, 9.2, 16.4, 8.8, Canvas_Pen{Rgba{40, 60, 20, 255}, 0.8});
        // The club arm swings against the legs.
        double const hx = 17.5 - 2.5 * swing, hy = 12.0 + 1.0 * swing;
        c.Draw(Canvas_Shape::Capsule(12.5, 11.2, hx, hy, 2.8), skin, ink);
        double const tx = hx + 3.0 - 1.5 * swing, ty = hy - 8.5;
        c.Draw(Canvas_Shape::Capsule(hx, hy + 1.0, tx, ty, 2.0), club, ink);
        c.Draw(Canvas_Shape::Ellipse(tx, ty + 0.5, 2.4, 3.2), Canvas_Paint::Lit(club, ty - 3.0, ty + 3.0), ink);
        c.Draw(Canvas_Shape::Circle(hx, hy, 1.6), skin.Shade(0.9), ink);
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/goblin/goblin", f));
    }
}
