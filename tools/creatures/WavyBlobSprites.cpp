// WavyBlobSprites: the wavy blob's banded arm skin, its five coloured arm tips and its five faces.
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSizes.h"
#include "tools/creatures/CreatureSprites.h"

#include <string>

namespace
{

struct Wavy_Colour
{
    char const* name;
    Rgba main;
    Rgba light;
};

// Grey first, then the colours in arm order.
Wavy_Colour const Wavy_Colours[] = {
    {"grey", {130, 130, 130, 255}, {200, 200, 200, 255}},  {"blue", {40, 80, 200, 255}, {140, 180, 255, 255}},
    {"red", {200, 40, 40, 255}, {255, 150, 140, 255}},     {"green", {40, 160, 60, 255}, {150, 235, 150, 255}},
    {"purple", {130, 40, 170, 255}, {215, 150, 240, 255}},
};

} // namespace

void CreatureSprites::WriteWavyBlob(std::string const& dir)
{
    Rgba const black{20, 10, 15, 255};
    Rgba const white{255, 255, 255, 255};
    Canvas_Pen const ink = Ink(1.0);

    // The strip runs along the texture's height: dark edges, a pale middle and a band per segment,
    // repeating without a seam from one segment to the next.
    CreatureSize const skin = CreatureSize_WavySkin;
    Canvas strip(skin.width, skin.height);
    strip.Fill(Canvas_Shape::Rect(0, 0, skin.width, skin.height),
               Canvas_Paint::Linear(0, 0, skin.width, 0, Rgba{95, 60, 45, 255}, Rgba{95, 60, 45, 255})
                   .Stop(0.2, Rgba{165, 125, 90, 255})
                   .Stop(0.45, Rgba{215, 180, 140, 255})
                   .Stop(0.8, Rgba{150, 110, 80, 255}));
    strip.Fill(Canvas_Shape::Rect(0, skin.height - 2.5, skin.width, 2.5), Rgba{110, 75, 55, 200});
    strip.Fill(Canvas_Shape::Circle(5.0, 6.0, 1.2), Rgba{120, 80, 60, 255});
    strip.Fill(Canvas_Shape::Circle(11.0, 10.0, 1.0), Rgba{120, 80, 60, 255});
    CreatureSprites::Save(strip, dir, "gfx/wavyblob/skin.png");

    // A tip is a bulb at the arm's end, pointing right, with a sucker on its far side.
    CreatureSize const tip = CreatureSize_WavyTip;
    for (Wavy_Colour const& c : Wavy_Colours)
    {
        Canvas bulb(tip.width, tip.height);
        bulb.Draw(Canvas_Shape::Polygon({0.5, 8.0, 6.0, 10.0, 6.0, 14.0, 0.5, 16.0}), c.main, ink);
        bulb.Draw(Canvas_Shape::Ellipse(13.0, 12.0, 10.4, 10.4),
                  Canvas_Paint::Radial(10.0, 9.0, 13.0, c.light, c.main.Shade(0.75)), ink);
        bulb.Draw(Canvas_Shape::Circle(20.0, 12.0, 3.0), c.main.Shade(0.6), ink);
        bulb.Fill(Canvas_Shape::Circle(20.0, 12.0, 1.4), black);
        bulb.Fill(Canvas_Shape::Ellipse(9.5, 7.5, 3.0, 2.0), Rgba{255, 255, 255, 150});
        CreatureSprites::Save(bulb, dir, std::string("gfx/wavyblob/") + c.name + "blob.png");
    }

    // A face is a round body with two eyes and a mouth; the grey one squints, as it is shown hurt.
    CreatureSize const face = CreatureSize_WavyFace;
    for (Wavy_Colour const& c : Wavy_Colours)
    {
        bool const hurt = std::string(c.name) == "grey";
        Canvas f(face.width, face.height);
        f.Draw(Canvas_Shape::Circle(32, 32, 30.5), Canvas_Paint::Radial(24, 20, 44, c.light, c.main.Shade(0.7)),
               Ink(1.5));
        f.Fill(Canvas_Shape::Ellipse(22, 14, 9, 5), Rgba{255, 255, 255, 120});
        if (hurt)
        {
            Canvas_Pen const shut{black, 3.0};
            f.Line(15, 23, 26, 31, shut);
            f.Line(15, 31, 26, 23, shut);
            f.Line(38, 23, 49, 31, shut);
            f.Line(38, 31, 49, 23, shut);
            f.Draw(Canvas_Shape::Ellipse(32, 46, 9, 6), Rgba{90, 10, 20, 255}, ink);
        }
        else
        {
            f.Draw(Canvas_Shape::Circle(22, 27, 7), white, ink);
            f.Draw(Canvas_Shape::Circle(42, 27, 7), white, ink);
            f.Fill(Canvas_Shape::Circle(23.5, 28.5, 3.4), black);
            f.Fill(Canvas_Shape::Circle(43.5, 28.5, 3.4), black);
            f.Line(14, 17, 27, 21, Canvas_Pen{black, 2.5});
            f.Line(50, 17, 37, 21, Canvas_Pen{black, 2.5});
            f.Draw(Canvas_Shape::Blob({18, 42, 32, 40, 46, 42, 32, 54}), Rgba{90, 10, 20, 255}, ink);
            f.Fill(Canvas_Shape::Polygon({22, 42, 26, 42, 24, 46}), white);
            f.Fill(Canvas_Shape::Polygon({38, 42, 42, 42, 40, 46}), white);
        }
        CreatureSprites::Save(f, dir, std::string("gfx/wavyblob/") + c.name + "face.png");
    }
}
