// CactusSprites: a tall green cactus with two arms and a face, standing, squatting, rising, falling and landing.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteCactus(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Cactus;
    Rgba const green{50, 150, 60, 255};
    Rgba const light{110, 200, 100, 255};
    Rgba const spine{240, 235, 190, 255};
    Rgba const flower{235, 70, 150, 255};
    Rgba const black{0, 0, 0, 255};
    Rgba const foot{120, 80, 40, 255};
    // Per frame: body height (squashed or stretched), arm raise and how far the feet tuck in.
    struct Pose
    {
        double height;
        double arms;
        double tuck;
    };
    Pose const poses[CreatureFrames_Cactus] = {
        {80, 0, 0},   // standing
        {62, -8, 0},  // squatting before a hop
        {88, 14, 6},  // rising
        {84, 20, 10}, // at the top, falling
        {70, -4, 2},  // landing
    };
    for (int f = 0; f < CreatureFrames_Cactus; ++f)
    {
        Pose const p = poses[f];
        Canvas c(size.width, size.height);
        double const bottom = 92 - p.tuck;
        double const top = bottom - p.height;
        double const mid = (top + bottom) / 2.0;
        c.FillRect(22, static_cast<int>(bottom), 8, 4, foot);
        c.FillRect(34, static_cast<int>(bottom), 8, 4, foot);
        c.Fill(Canvas_Shape::Ellipse(32, mid, 13, p.height / 2.0), green);
        c.Fill(Canvas_Shape::Ellipse(28, mid, 4, p.height / 2.0 - 4), light);
        // Arms: elbows out to each side, forearms up.
        c.Line(20, mid + 4, 9, mid + 4, Canvas_Pen{green, 7});
        c.Line(9, mid + 5, 9, mid - 10 - p.arms, Canvas_Pen{green, 7});
        c.Line(44, mid, 55, mid, Canvas_Pen{green, 7});
        c.Line(55, mid + 1, 55, mid - 14 - p.arms, Canvas_Pen{green, 7});
        for (int i = 0; i < 6; ++i)
        {
            double const y = top + 8 + i * (p.height - 16) / 5.0;
            c.Line(19, y, 16, y - 2, Canvas_Pen{spine, 1});
            c.Line(45, y + 3, 48, y + 1, Canvas_Pen{spine, 1});
        }
        c.Fill(Canvas_Shape::Circle(32, top + 3, 4), flower);
        // The face looks right; the level mirrors it to face left.
        c.Fill(Canvas_Shape::Circle(38, top + 16, 2.2), black);
        c.Fill(Canvas_Shape::Circle(30, top + 16, 2.2), black);
        c.Line(30, top + 26, 40, top + 24, Canvas_Pen{black, 1.5});
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/cactus/cactus", f));
    }
}
