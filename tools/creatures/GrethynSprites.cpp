// GrethynSprites: what a grethyn shows of itself: glowing yellow eyes under purple lids that open over
// four frames, and a red maw ringed with teeth that opens over five; bright, so that it stands out from
// the rock it hides in.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

#include <algorithm>

void CreatureSprites::WriteGrethyn(std::string const& dir)
{
    Rgba const lid{120, 50, 140, 255};
    Rgba const glow{255, 235, 60, 255};
    Rgba const pupil{20, 0, 10, 255};
    Rgba const lips{150, 30, 70, 255};
    Rgba const throat{60, 0, 15, 255};
    Rgba const tooth{250, 250, 235, 255};

    // Eyes: frame 0 a closed lid, frame 3 a round yellow eye with a slit pupil.
    CreatureSize const eye = CreatureSize_GrethynEye;
    for (int f = 0; f < CreatureFrames_GrethynEye; ++f)
    {
        Canvas c(eye.width, eye.height);
        double const open = 1.0 + f * 0.95;
        c.Fill(Canvas_Shape::Ellipse(8.0, 4.0, 7.8, 3.9),
               Canvas_Paint::Radial(8.0, 4.0, 8.0, glow.WithAlpha(90), glow.WithAlpha(0)));
        c.Draw(Canvas_Shape::Ellipse(8.0, 4.0, 7.0, std::max(1.2, open)), lid, Ink(0.6));
        if (f > 0)
        {
            c.Fill(Canvas_Shape::Ellipse(8.0, 4.0, 5.6, open - 0.5),
                   Canvas_Paint::Radial(8.0, 4.0, 5.6, Rgba{255, 255, 200, 255}, glow));
            c.Fill(Canvas_Shape::Ellipse(8.0, 4.0, 0.9, open - 0.6), pupil);
        }
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/grethyn/eye", f));
    }

    // Mouth: frame 0 shut lips, frame 4 gaping, with teeth along both jaws.
    CreatureSize const mouth = CreatureSize_GrethynMouth;
    for (int f = 0; f < CreatureFrames_GrethynMouth; ++f)
    {
        Canvas c(mouth.width, mouth.height);
        double const gape = 1.0 + f * 3.4;
        c.Draw(Canvas_Shape::Ellipse(16.0, 16.0, 15.0, gape + 2.6), Canvas_Paint::Lit(lips, 16.0 - gape, 16.0 + gape),
               Ink(0.9));
        if (f > 0)
            c.Fill(Canvas_Shape::Ellipse(16.0, 16.0, 12.0, gape),
                   Canvas_Paint::Radial(16.0, 16.0, 12.0, Rgba{20, 0, 5, 255}, throat));
        for (int i = 0; i < 6; ++i)
        {
            double const x = 6.0 + i * 4.0;
            c.Draw(Canvas_Shape::Polygon({x - 1.8, 16.0 - gape, x + 1.8, 16.0 - gape, x, 16.0 - gape + 4.0}), tooth,
                   Ink(0.5));
            c.Draw(Canvas_Shape::Polygon({x - 1.8, 16.0 + gape, x + 1.8, 16.0 + gape, x, 16.0 + gape - 4.0}), tooth,
                   Ink(0.5));
        }
        CreatureSprites::Save(c, dir, CreatureSprites::FrameName("gfx/grethyn/mouth", f));
    }
}
