// SpikesSprites: a steel floor spike on a riveted base, and a dark iron ball with eight spikes.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

#include <cmath>

void CreatureSprites::WriteSpikes(std::string const& dir)
{
    Rgba const light{215, 220, 230, 255};
    Rgba const steel{150, 155, 168, 255};
    Rgba const dark{85, 90, 100, 255};
    {
        CreatureSize const size = CreatureSize_Spike;
        double const w = size.width;
        double const h = size.height;
        Canvas c(size.width, size.height);
        // Lit from the left: a bright face and a dark face meeting at the ridge.
        c.Draw(Canvas_Shape::Polygon({w / 2, 0.5, w - 3.0, h - 8.0, 3.0, h - 8.0}), steel, Ink(1.2));
        c.Fill(Canvas_Shape::Polygon({w / 2, 1.5, w / 2, h - 9.0, 4.5, h - 9.0}), Canvas_Paint::Lit(light, 0.0, h));
        c.Fill(Canvas_Shape::Polygon({w / 2, 1.5, w - 4.5, h - 9.0, w / 2, h - 9.0}), Canvas_Paint::Lit(dark, 0.0, h));
        c.Draw(Canvas_Shape::RoundRect(0.5, h - 9.0, w - 1.0, 8.5, 2.0),
               Canvas_Paint::Lit(Rgba{95, 75, 60, 255}, h - 9.0, h), Ink(1.0));
        c.Fill(Canvas_Shape::Circle(5.0, h - 4.8, 1.3), light);
        c.Fill(Canvas_Shape::Circle(w - 5.0, h - 4.8, 1.3), light);
        CreatureSprites::Save(c, dir, "gfx/map/spike.png");
    }
    {
        CreatureSize const size = CreatureSize_SpikeBall;
        double const r = size.width / 2.0;
        Canvas c(size.width, size.height);
        for (int i = 0; i < 8; ++i)
        {
            double const a = i * 3.14159265358979 / 4.0 + 0.2;
            double const tipX = r + std::cos(a) * (r - 0.6), tipY = r + std::sin(a) * (r - 0.6);
            double const sideX = -std::sin(a) * 3.4, sideY = std::cos(a) * 3.4;
            double const baseX = r + std::cos(a) * (r - 8.0), baseY = r + std::sin(a) * (r - 8.0);
            c.Draw(Canvas_Shape::Polygon({tipX, tipY, baseX + sideX, baseY + sideY, baseX - sideX, baseY - sideY}),
                   Canvas_Paint::Linear(baseX, baseY, tipX, tipY, steel, light), Ink(0.8));
        }
        c.Draw(Canvas_Shape::Circle(r, r, r - 7.0),
               Canvas_Paint::Radial(r - 3.0, r - 3.0, r, Rgba{140, 140, 150, 255}, Rgba{45, 45, 55, 255}), Ink(1.0));
        c.Fill(Canvas_Shape::Circle(r - 3.0, r - 3.5, 2.2), Rgba{230, 230, 240, 200});
        CreatureSprites::Save(c, dir, "gfx/spikeball.png");
    }
}
