// GrethynSprites: the eyes that open over four frames and the toothy mouth that opens over five.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

#include <algorithm>

void CreatureSprites::WriteGrethyn(std::string const& dir)
{
    Rgba const lid{70, 40, 80, 255};
    Rgba const glow{250, 220, 40, 255};
    Rgba const pupil{0, 0, 0, 255};
    Rgba const gums{120, 20, 40, 255};
    Rgba const throat{40, 0, 10, 255};
    Rgba const tooth{245, 245, 230, 255};

    // Eyes: frame 0 a closed lid, frame 3 a round yellow eye with a slit pupil.
    CreatureSize const eye = CreatureSize_GrethynEye;
    for (int f = 0; f < CreatureFrames_GrethynEye; ++f)
    {
        Canvas c(eye.width, eye.height);
        double const open = f * 1.2;
        c.Fill(Canvas_Shape::Ellipse(8, 4, 7.5, std::max(1.0, open + 0.5)), lid);
        if (f > 0)
        {
            c.Fill(Canvas_Shape::Ellipse(8, 4, 6, open), glow);
            c.FillRect(7, static_cast<int>(4 - open), 2, static_cast<int>(2 * open + 0.5), pupil);
        }
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/grethyn/eye", f));
    }

    // Mouth: frame 0 shut lips, frame 4 gaping, with teeth along both jaws.
    CreatureSize const mouth = CreatureSize_GrethynMouth;
    for (int f = 0; f < CreatureFrames_GrethynMouth; ++f)
    {
        Canvas c(mouth.width, mouth.height);
        double const gape = f * 3.2;
        c.Fill(Canvas_Shape::Ellipse(16, 16, 14, gape + 3), gums);
        if (f > 0)
            c.Fill(Canvas_Shape::Ellipse(16, 16, 11, gape), throat);
        for (int i = 0; i < 5; ++i)
        {
            double const x = 7 + i * 4.5;
            c.Fill(Canvas_Shape::Polygon({x - 1.8, 16 - gape, x + 1.8, 16 - gape, x, 16 - gape + 3.5}), tooth);
            c.Fill(Canvas_Shape::Polygon({x - 1.8, 16 + gape, x + 1.8, 16 + gape, x, 16 + gape - 3.5}), tooth);
        }
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/grethyn/mouth", f));
    }
}
