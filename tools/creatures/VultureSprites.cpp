// VultureSprites: a brown vulture with a bald pink head and a white ruff seen from the side, its broad
// wings beating through five frames across its 32 x 32 box.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

void CreatureSprites::WriteVulture(std::string const& dir)
{
    CreatureSize const size = CreatureSize_Vulture;
    Rgba const feathers{100, 62, 35, 255};
    Rgba const wing{150, 100, 60, 255};
    Rgba const tipColour{60, 38, 22, 255};
    Rgba const ruff{235, 228, 210, 255};
    Rgba const head{225, 130, 130, 255};
    Rgba const beak{240, 200, 70, 255};
    Canvas_Pen const ink = Ink(0.9);
    for (int f = 0; f < CreatureFrames_Vulture; ++f)
    {
        // Frame 0 holds the wings high, frame 4 low; the far wing shows above the body when raised.
        double const lift = 14.5 - f * 7.0;
        Canvas c(size.width, size.height);
        // A broad wing from the shoulder to its tip, its trailing edge ending in spread feathers.
        auto wingShape = [&](double rootX, double spread) {
            double const tipX = rootX - spread, tipY = 16.0 - lift;
            double const back = lift >= 0.0 ? 1.0 : -1.0;
            return Canvas_Shape::Polygon({rootX + 4.0, 14.6, tipX, tipY, tipX + 2.0, tipY + 2.6 * back, tipX + 4.5,
                                          tipY + 4.0 * back, rootX - 5.0, 19.5});
        };
        c.Draw(wingShape(18.0, 12.0), tipColour, ink);
        c.Draw(Canvas_Shape::Polygon({1.0, 17.5, 8.0, 14.8, 9.0, 20.4}), tipColour, ink); // tail
        c.Draw(Canvas_Shape::Blob({6.0, 17.0, 12.0, 13.0, 21.0, 13.4, 24.0, 17.0, 19.0, 21.8, 10.0, 21.2}),
               Canvas_Paint::Lit(feathers, 13.0, 22.0), ink);
        c.Draw(Canvas_Shape::Capsule(13.0, 21.0, 12.6, 25.0, 1.4), beak, ink);
        c.Draw(Canvas_Shape::Capsule(17.0, 21.0, 17.4, 25.0, 1.4), beak, ink);
        c.Draw(wingShape(15.0, 14.5), Canvas_Paint::Lit(wing, 16.0 - lift, 20.0), ink);
        c.Draw(Canvas_Shape::Circle(23.6, 13.6, 3.4), ruff, ink);
        c.Draw(Canvas_Shape::Capsule(24.0, 12.0, 26.8, 9.0, 2.2), head.Shade(0.9), ink);
        c.Draw(Canvas_Shape::Circle(27.2, 8.4, 2.8), Canvas_Paint::Lit(head, 5.6, 11.2), ink);
        c.Draw(Canvas_Shape::Polygon({29.2, 7.0, 31.8, 9.4, 29.0, 10.4}), beak, ink);
        c.Fill(Canvas_Shape::Circle(27.8, 7.6, 0.8), Rgba{20, 10, 10, 255});
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/vulture/vulture", f));
    }
}
