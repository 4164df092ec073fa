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
    Rgba const black{0, 0, 0, 255};
    Rgba const white{255, 255, 255, 255};

    // The strip runs along the texture's height: dark edges, a pale middle and a band per segment.
    CreatureSize const skin = CreatureSize_WavySkin;
    Canvas strip(skin.width, skin.height, Rgba{150, 120, 90, 255});
    strip.FillRect(0, 0, 3, skin.height, Rgba{90, 60, 45, 255});
    strip.FillRect(skin.width - 3, 0, 3, skin.height, Rgba{90, 60, 45, 255});
    strip.FillRect(6, 0, 4, skin.height, Rgba{200, 170, 130, 255});
    strip.FillRect(0, skin.height - 3, skin.width, 3, Rgba{110, 80, 60, 255});
    CreatureSprites::Save(strip, dir, "gfx/wavyblob/skin.png");

    // A tip is a bulb at the arm's end with a sucker on its far side.
    CreatureSize const tip = CreatureSize_WavyTip;
    for (Wavy_Colour const& c : Wavy_Colours)
    {
        Canvas bulb(tip.width, tip.height);
        bulb.Fill(Canvas_Shape::Ellipse(13, 12, 10, 9), c.main);
        bulb.Fill(Canvas_Shape::Ellipse(10, 9, 4, 3), c.light);
        bulb.Fill(Canvas_Shape::Circle(20, 12, 2.5), black);
        bulb.Fill(Canvas_Shape::Polygon({1, 9, 5, 12, 1, 15}), c.main);
        CreatureSprites::Save(bulb, dir, std::string("gfx/wavyblob/") + c.name + "blob.png");
    }

    // A face is a round body with two eyes and a mouth; the grey one squints, as it is shown hurt.
    CreatureSize const face = CreatureSize_WavyFace;
    for (Wavy_Colour const& c : Wavy_Colours)
    {
        bool const hurt = std::string(c.name) == "grey";
        Canvas f(face.width, face.height);
        f.Fill(Canvas_Shape::Circle(32, 32, 30), c.main);
        f.Fill(Canvas_Shape::Ellipse(24, 20, 10, 6), c.light);
        if (hurt)
        {
            f.Line(16, 24, 26, 30, Canvas_Pen{black, 3});
            f.Line(16, 30, 26, 24, Canvas_Pen{black, 3});
            f.Line(38, 24, 48, 30, Canvas_Pen{black, 3});
            f.Line(38, 30, 48, 24, Canvas_Pen{black, 3});
            f.Fill(Canvas_Shape::Ellipse(32, 46, 9, 6), black);
        }
        else
        {
            f.Fill(Canvas_Shape::Circle(22, 27, 6), white);
            f.Fill(Canvas_Shape::Circle(42, 27, 6), white);
            f.Fill(Canvas_Shape::Circle(23, 28, 3), black);
            f.Fill(Canvas_Shape::Circle(43, 28, 3), black);
            f.Fill(Canvas_Shape::Polygon({18, 42, 46, 42, 32, 52}), black);
        }
        CreatureSprites::Save(f, dir, std::string("gfx/wavyblob/") + c.name + "face.png");
    }
}
