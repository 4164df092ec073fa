// SpikesSprites: a steel floor spike on a dark base, and a grey ball with eight spikes.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

#include <cmath>

void CreatureSprites::WriteSpikes(std::string const& dir)
{
    {
        CreatureSize const size = CreatureSize_Spike;
        double const w = size.width;
        double const h = size.height;
        Canvas c(size.width, size.height);
        c.Fill(Canvas_Shape::Polygon({w / 2, 0, w - 2, h - 6, 2, h - 6}), Rgba{170, 175, 185, 255});
        c.Fill(Canvas_Shape::Polygon({w / 2, 0, w - 2, h - 6, w / 2, h - 6}), Rgba{110, 115, 125, 255});
        c.Line(w / 2, 1, w / 2 - 3, h - 8, Canvas_Pen{Rgba{235, 240, 245, 255}, 1.0});
        c.FillRect(0, size.height - 6, size.width, 6, Rgba{60, 50, 45, 255});
        CreatureSprites::Save(c, dir, "gfx/map/spike.png");
    }
    {
        CreatureSize const size = CreatureSize_SpikeBall;
        double const r = size.width / 2.0;
        Canvas c(size.width, size.height);
        for (int i = 0; i < 8; ++i)
        {
            double const a = i * 3.14159265358979 / 4.0;
            double const tipX = r + std::cos(a) * (r - 0.5);
            double const tipY = r + std::sin(a) * (r - 0.5);
            double const sideX = -std::sin(a) * 3.0;
            double const sideY = std::cos(a) * 3.0;
            double const baseX = r + std::cos(a) * (r - 7);
            double const baseY = r + std::sin(a) * (r - 7);
            c.Fill(Canvas_Shape::Polygon({tipX, tipY, baseX + sideX, baseY + sideY, baseX - sideX, baseY - sideY}),
                   Rgba{200, 200, 210, 255});
        }
        c.Fill(Canvas_Shape::Circle(r, r, r - 7), Rgba{70, 70, 80, 255});
        c.Fill(Canvas_Shape::Circle(r - 3, r - 3, 3), Rgba{150, 150, 165, 255});
        CreatureSprites::Save(c, dir, "gfx/spikeball.png");
    }
}
