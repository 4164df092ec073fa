// CactusSprites: a tall green cactus with two arms, spines, a pink flower and an angry face, filling its
// 64 x 96 box: standing, squatting, rising, falling and landing.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

#include <cmath>

void CreatureSprites::WriteCactus(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Cactus;
    Rgba const green{55, 155, 65, 255};
    Rgba const ridge{35, 110, 45, 255};
    Rgba const spine{245, 240, 200, 255};
    Rgba const flower{240, 80, 160, 255};
    Rgba const dark{20, 30, 20, 255};
    Rgba const foot{125, 85, 45, 255};
    Canvas_Pen const ink = Ink(1.3);
    // Per frame: body height (squashed or stretched), arm raise and how far the feet tuck in.
    struct Pose
    {
        double height;
        double arms;
        double tuck;
    };
    Pose const poses[CreatureFrames_Cactus] = {
        {84, 0, 0},  // standing
        {66, -8, 0}, // squatting before a hop
        {90, 14, 5}, // rising
        {86, 20, 9}, // at the top, falling
        {74, -4, 2}, // landing
    };
    for (int f = 0; f < CreatureFrames_Cactus; ++f)
    {
        Pose const p = poses[f];
        Canvas c(size.width, size.height);
        double const bottom = 93.0 - p.tuck;
        double const top = bottom - p.height;
        double const mid = (top + bottom) / 2.0;
        c.Draw(Canvas_Shape::Ellipse(25.0, bottom + 0.5, 6.0, 2.6), foot, ink);
        c.Draw(Canvas_Shape::Ellipse(39.0, bottom + 0.5, 6.0, 2.6), foot, ink);
        // Arms: elbows out to each side, forearms up.
        c.Draw(Canvas_Shape::Capsule(22.0, mid + 6.0, 7.0, mid + 6.0, 10.0), Canvas_Paint::Lit(green, mid, mid + 12.0),
               ink);
        c.Draw(Canvas_Shape::Capsule(7.0, mid + 7.0, 7.0, mid - 12.0 - p.arms, 10.0),
               Canvas_Paint::Lit(green, mid - 20.0, mid + 8.0), ink);
        c.Draw(Canvas_Shape::Capsule(42.0, mid + 2.0, 57.0, mid + 2.0, 10.0),
               Canvas_Paint::Lit(green, mid - 4.0, mid + 8.0), ink);
        c.Draw(Canvas_Shape::Capsule(57.0, mid + 3.0, 57.0, mid - 16.0 - p.arms, 10.0),
               Canvas_Paint::Lit(green, mid - 24.0, mid + 4.0), ink);
        c.Draw(Canvas_Shape::RoundRect(17.0, top, 30.0, p.height, 15.0),
               Canvas_Paint::Linear(17.0, 0.0, 47.0, 0.0, green.Shade(1.2), green.Shade(0.72)), ink);
        for (double x : {24.0, 32.0, 40.0})
            c.Line(x, top + 8.0, x, bottom - 6.0, Canvas_Pen{ridge, 1.4});
        for (int i = 0; i < 7; ++i)
        {
            double const y = top + 10.0 + i * (p.height - 20.0) / 6.0;
            c.Line(17.5, y, 14.0, y - 2.0, Canvas_Pen{spine, 1.0});
            c.Line(46.5, y + 3.0, 50.0, y + 1.0, Canvas_Pen{spine, 1.0});
            c.Line(28.0, y + 5.0, 26.5, y + 3.0, Canvas_Pen{spine, 0.8});
            c.Line(36.0, y + 1.0, 37.5, y - 1.0, Canvas_Pen{spine, 0.8});
        }
        for (int petal = 0; petal < 5; ++petal)
        {
            double const a = petal * 2.0 * 3.14159265358979 / 5.0;
            c.Draw(Canvas_Shape::Circle(32.0 + 3.4 * std::cos(a), top + 1.5 + 2.6 * std::sin(a), 2.6), flower,
                   Ink(0.7));
        }
        c.Fill(Canvas_Shape::Circle(32.0, top + 1.5, 1.8), Rgba{250, 220, 60, 255});
        // The face looks right; the level mirrors it to face left.
        double const face = top + 20.0;
        c.Draw(Canvas_Shape::Ellipse(30.0, face, 3.0, 3.6), Rgba{255, 255, 235, 255}, Ink(0.8));
        c.Draw(Canvas_Shape::Ellipse(39.0, face, 3.0, 3.6), Rgba{255, 255, 235, 255}, Ink(0.8));
        c.Fill(Canvas_Shape::Circle(31.0, face + 0.8, 1.5), dark);
        c.Fill(Canvas_Shape::Circle(40.0, face + 0.8, 1.5), dark);
        c.Line(26.5, face - 5.0, 32.5, face - 3.0, Canvas_Pen{dark, 1.6});
        c.Line(42.5, face - 5.0, 36.5, face - 3.0, Canvas_Pen{dark, 1.6});
        c.Draw(Canvas_Shape::Ellipse(35.0, face + 9.0, 5.0, 2.4), Rgba{120, 30, 40, 255}, Ink(0.8));
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/cactus/cactus", f));
    }
}
