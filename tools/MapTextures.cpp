// The map textures every world shares: their pictures under gfx/map/ and the image map that numbers
// them.
#include "tools/MapTextures.h"

#include "tools/Canvas.h"
#include "tools/DataGen.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace MapTextures
{

namespace
{

constexpr double Pi = 3.14159265358979323846;
Rgba const KeyBlue{0, 0, 255, 255};

void Save(Canvas const& canvas, std::string const& dir, std::string const& name, PngFormat format = PngFormat::Rgba)
{
    DataGen::SavePng(canvas, dir, "gfx/map/" + name, format);
}

std::string TwoDigits(int n)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.2d", n);
    return buffer;
}

// Small round stones scattered over a texture, each lit from the top left.
void Pebbles(Canvas& c, std::uint32_t seed, int count, Rgba colour, double small, double large)
{
    Canvas_Scatter scatter(seed);
    for (int i = 0; i < count; ++i)
    {
        double const x = scatter.Next(0, c.Width()), y = scatter.Next(0, c.Height());
        double const r = scatter.Next(small, large);
        Rgba const tone = colour.Shade(scatter.Next(0.8, 1.15));
        c.Fill(Canvas_Shape::Ellipse(x, y, r * 1.2, r),
               Canvas_Paint::Radial(x - r * 0.4, y - r * 0.4, r * 1.6, tone.Shade(1.2), tone.Shade(0.7)));
    }
}

Canvas RockPicture()
{
    Canvas c(64, 64, Rgba{120, 110, 100, 255});
    Canvas::Frame const wrap = c.Wrapped();
    Pebbles(c, 1, 30, Rgba{120, 110, 100, 255}, 2, 5);
    return c;
}

Canvas GrassPicture()
{
    Canvas c(64, 64, Rgba{70, 140, 50, 255});
    Canvas::Frame const wrap = c.Wrapped();
    Canvas_Scatter scatter(2);
    for (int i = 0; i < 120; ++i)
    {
        double const x = scatter.Next(0, 64), y = scatter.Next(8, 64);
        c.Line(x, y, x + scatter.Next(-2, 2), y - scatter.Next(4, 9),
               Canvas_Pen{Rgba{60, 150, 45, 255}.Shade(scatter.Next(0.7, 1.3)), 1.2});
    }
    return c;
}

// Four courses of three blocks over the joints' colour, every other course shifted by half a block
// and each block's shade drawn from [shadeLow, shadeHigh); a block cut at the right edge goes on at
// the left, so the picture repeats both ways.
Canvas Courses(Rgba joints, Rgba block, std::uint32_t seed, double shadeLow, double shadeHigh, double corner)
{
    Canvas c(64, 64, joints);
    Canvas_Scatter scatter(seed);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
        {
            double const x = col * 32.0 + (row % 2) * 16.0 - 16.0;
            Rgba const tone = block.Shade(scatter.Next(shadeLow, shadeHigh));
            for (double dx : {0.0, 64.0})
                c.Fill(Canvas_Shape::RoundRect(x + dx + 1, row * 16.0 + 1, 30, 14, corner),
                       Canvas_Paint::Lit(tone, row * 16.0, row * 16.0 + 16));
        }
    return c;
}

// Courses of bricks with pale mortar, each brick a little different.
Canvas BrickPicture()
{
    return Courses(Rgba{200, 190, 175, 255}, Rgba{165, 75, 50, 255}, 3, 0.85, 1.12, 2);
}

Canvas SkyPicture()
{
    Canvas c(64, 64);
    c.Fill(Canvas_Shape::Rect(0, 0, 64, 64),
           Canvas_Paint::Linear(0, 0, 0, 64, Rgba{55, 105, 200, 255}, Rgba{215, 232, 245, 255})
               .Stop(0.55, Rgba{125, 178, 236, 255}));
    return c;
}

} // namespace

void Leaves(Canvas& c, Canvas_Scatter& scatter, Rgba leaf, MapTextures_Leaves const& lie)
{
    for (int i = 0; i < lie.clumps; ++i)
    {
        double const a = scatter.Next(0, 2 * Pi), d = scatter.Next(0, lie.clumpSpread);
        double const x = 64 + d * std::cos(a), y = 64 + d * std::sin(a);
        double const r = scatter.Next(lie.clumpSmall, lie.clumpLarge);
        double const light = 1.0 - (y - 20) / 130.0;
        Rgba const tone = leaf.Shade(0.7 + 0.5 * light);
        c.Fill(Canvas_Shape::Circle(x, y, r),
               Canvas_Paint::Radial(x - r * 0.4, y - r * 0.5, r * 1.5, tone.Shade(1.25), tone.Shade(0.6)));
    }
    for (int i = 0; i < lie.leaves; ++i)
    {
        double const a = scatter.Next(0, 2 * Pi), d = scatter.Next(0, lie.leafSpread);
        double const x = 64 + d * std::cos(a), y = 64 + d * std::sin(a);
        Canvas::Frame const turned = c.Turned(scatter.Next(0, Pi), x, y);
        c.Fill(Canvas_Shape::Ellipse(x, y, 3.2, 1.6), leaf.Shade(scatter.Next(0.7, 1.5)));
    }
}

namespace
{

// A leafy crown: clumps of leaves, darker towards the bottom and the far side, opaque inside and clear
// outside a circle that the octagon of a crown polygon holds.
Canvas BushPicture()
{
    Canvas c(128, 128);
    Canvas_Scatter scatter(4);
    Rgba const leaf{60, 140, 50, 255};
    c.Fill(Canvas_Shape::Circle(64, 66, 46), leaf.Shade(0.55));
    Leaves(c, scatter, leaf, {26, 38, 12, 20, 160, 52});
    return c;
}

Canvas PlankPicture()
{
    Canvas c(64, 64, Rgba{150, 100, 50, 255});
    Canvas::Frame const wrap = c.Wrapped();
    for (int row = 0; row < 8; ++row)
    {
        double const y = row * 8.0;
        c.Fill(Canvas_Shape::Rect(0, y, 64, 8),
               Canvas_Paint::Lit(Rgba{150, 100, 50, 255}.Shade(row % 2 ? 0.92 : 1.05), y, y + 8));
        c.Line(0, y + 0.5, 64, y + 0.5, Canvas_Pen{Rgba{90, 55, 25, 255}, 1});
    }
    return c;
}

// Dressed grey stone blocks.
Canvas StonePicture()
{
    return Courses(Rgba{95, 95, 105, 255}, Rgba{150, 150, 160, 255}, 5, 0.88, 1.1, 3);
}

// Deep vertical fissures between pale ridges, as on an old tree.
Canvas BarkPicture()
{
    Canvas c(64, 64, Rgba{105, 78, 55, 255});
    Canvas::Frame const wrap = c.Wrapped();
    Canvas_Scatter scatter(6);
    for (int i = 0; i < 9; ++i)
    {
        double const x = i * 7.1 + scatter.Next(-1, 1);
        std::vector<double> ridge;
        for (int y = -8; y <= 72; y += 8)
        {
            ridge.push_back(x + 1.6 * std::sin(y * 0.3 + i));
            ridge.push_back(y);
        }
        c.Trace(Canvas_Shape::Polyline(ridge), Canvas_Pen{Rgba{140, 112, 85, 255}.Shade(scatter.Next(0.9, 1.15)), 3.2});
        std::vector<double> fissure = ridge;
        for (std::size_t k = 0; k < fissure.size(); k += 2)
            fissure[k] += 3.5;
        c.Trace(Canvas_Shape::Polyline(fissure), Canvas_Pen{Rgba{55, 38, 28, 255}, 1.3});
    }
    return c;
}

Canvas EarthPicture()
{
    Canvas c(64, 64, Rgba{110, 78, 50, 255});
    Canvas::Frame const wrap = c.Wrapped();
    Canvas_Scatter scatter(7);
    for (int i = 0; i < 5; ++i)
    {
        double const x = scatter.Next(0, 64), y = scatter.Next(0, 64);
        c.Trace(Canvas_Shape().MoveTo(x, y).CurveTo(x + 6, y + 4, x + 10, y - 3, x + 18, y + 2),
                Canvas_Pen{Rgba{80, 55, 35, 255}, 1.2});
    }
    Pebbles(c, 8, 16, Rgba{140, 120, 95, 255}, 1.2, 3.0);
    return c;
}

// One row of rounded paving stones filling the picture's height.
Canvas CobblesPicture()
{
    Canvas c(64, 64, Rgba{70, 62, 58, 255});
    Canvas_Scatter scatter(9);
    for (int i = 0; i < 3; ++i)
    {
        Rgba const tone = Rgba{165, 158, 150, 255}.Shade(scatter.Next(0.85, 1.1));
        double const x = i * 21.33;
        c.Fill(Canvas_Shape::RoundRect(x + 1.5, 4, 18.5, 56, 8), Canvas_Paint::Lit(tone, 4, 60));
    }
    c.Fill(Canvas_Shape::Rect(0, 0, 64, 5), Rgba{195, 188, 175, 255});
    return c;
}

Canvas HillsPicture()
{
    Canvas c(64, 64, Rgba{110, 150, 140, 255});
    Canvas::Frame const wrap = c.Wrapped();
    Canvas_Scatter scatter(10);
    for (int i = 0; i < 40; ++i)
    {
        double const x = scatter.Next(0, 64), y = scatter.Next(0, 64);
        c.Fill(Canvas_Shape::Circle(x, y, scatter.Next(2.5, 5)),
               Rgba{95, 135, 125, 255}.Shade(scatter.Next(0.85, 1.1)));
    }
    return c;
}

// A house front: white plaster between dark timbers, a stone footing, a window with open shutters and a
// warm light to each side, and the dark doorway in the middle where the door stands.
Canvas HousePicture()
{
    Canvas c(128, 128);
    Rgba const timber{85, 55, 35, 255};
    Canvas_Pen const beam{timber, 5};
    c.Fill(Canvas_Shape::Rect(0, 0, 128, 128), Canvas_Paint::Lit(Rgba{236, 222, 190, 255}, 0, 128));
    for (int i = 0; i < 7; ++i)
        c.Fill(Canvas_Shape::RoundRect(i * 19.0 - 4, 114, 18, 13, 3),
               Canvas_Paint::Lit(Rgba{150, 145, 135, 255}, 114, 128));
    c.Trace(Canvas_Shape::Rect(2.5, 2.5, 123, 110), beam);
    c.Line(0, 58, 128, 58, beam);
    c.Line(2.5, 58, 22, 2.5, Canvas_Pen{timber, 4});
    c.Line(125.5, 58, 106, 2.5, Canvas_Pen{timber, 4});
    for (double x : {14.0, 90.0})
    {
        c.Fill(Canvas_Shape::Rect(x - 9, 20, 9, 28), Rgba{60, 110, 60, 255});
        c.Fill(Canvas_Shape::Rect(x + 24, 20, 9, 28), Rgba{60, 110, 60, 255});
        c.Fill(Canvas_Shape::Rect(x, 20, 24, 28),
               Canvas_Paint::Radial(x + 12, 34, 20, Rgba{255, 230, 140, 255}, Rgba{225, 160, 70, 255}));
        c.Trace(Canvas_Shape::Rect(x, 20, 24, 28), Canvas_Pen{timber, 2.5});
        c.Line(x + 12, 20, x + 12, 48, Canvas_Pen{timber, 1.6});
        c.Line(x, 34, x + 24, 34, Canvas_Pen{timber, 1.6});
        c.Fill(Canvas_Shape::Rect(x - 2, 48, 28, 5), Rgba{120, 80, 45, 255});
        for (int k = 0; k < 4; ++k)
            c.Fill(Canvas_Shape::Circle(x + 3 + k * 6, 47, 2.4),
                   k % 2 ? Rgba{230, 80, 90, 255} : Rgba{250, 200, 60, 255});
    }
    Canvas_Shape const doorway =
        Canvas_Shape().MoveTo(49, 114).LineTo(49, 74).CurveTo(49, 62, 79, 62, 79, 74).LineTo(79, 114).Close();
    c.Fill(doorway, Canvas_Paint::Lit(Rgba{55, 40, 35, 255}, 62, 114));
    c.Trace(doorway, Canvas_Pen{timber, 3.5});
    return c;
}

Canvas RoofPicture()
{
    Canvas c(64, 64, Rgba{110, 40, 30, 255});
    Canvas::Frame const wrap = c.Wrapped();
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 5; ++col)
        {
            double const x = col * 16.0 + (row % 2) * 8.0 - 8.0, y = row * 16.0;
            c.Fill(Canvas_Shape()
                       .MoveTo(x, y)
                       .LineTo(x + 16, y)
                       .LineTo(x + 16, y + 10)
                       .CurveTo(x + 16, y + 18, x, y + 18, x, y + 10)
                       .Close(),
                   Canvas_Paint::Lit(Rgba{180, 70, 50, 255}, y, y + 17));
        }
    return c;
}

Canvas BoardsPicture()
{
    Canvas c(64, 64);
    Canvas_Scatter scatter(12);
    for (int i = 0; i < 4; ++i)
    {
        double const x = i * 16.0;
        Rgba const tone = Rgba{175, 125, 75, 255}.Shade(scatter.Next(0.85, 1.1));
        c.Fill(Canvas_Shape::Rect(x, 0, 16, 64),
               Canvas_Paint::Linear(x, 0, x + 16, 0, tone.Shade(1.1), tone.Shade(0.85)));
        c.Line(x + 0.5, 0, x + 0.5, 64, Canvas_Pen{Rgba{90, 60, 35, 255}, 1});
        for (int k = 0; k < 3; ++k)
            c.Line(x + scatter.Next(4, 12), scatter.Next(0, 64), x + scatter.Next(4, 12), scatter.Next(0, 64),
                   Canvas_Pen{tone.Shade(0.8), 0.6});
        c.Fill(Canvas_Shape::Circle(x + 8, 6, 1.0), Rgba{70, 60, 55, 255});
    }
    return c;
}

// A cart wheel: an iron-shod rim, eight spokes and a hub; clear between the spokes.
Canvas WheelPicture()
{
    Canvas c(128, 128);
    Canvas_Pen const ink{Rgba{50, 32, 20, 255}, 2};
    Rgba const wood{165, 110, 60, 255};
    for (int i = 0; i < 8; ++i)
    {
        double const a = i * Pi / 4;
        c.Draw(Canvas_Shape::Capsule(64, 64, 64 + 52 * std::cos(a), 64 + 52 * std::sin(a), 8), wood, ink);
    }
    // The inner circle, mirrored, runs the other way round and so cuts the rim's hole.
    c.Draw(Canvas_Shape::Circle(64, 64, 58).Add(Canvas_Shape::Circle(64, 64, 48).Scaled(-1, 1, 64, 64)),
           Canvas_Paint::Radial(54, 54, 70, wood.Shade(1.2), wood.Shade(0.7)), ink);
    c.Trace(Canvas_Shape::Circle(64, 64, 60), Canvas_Pen{Rgba{90, 90, 100, 255}, 4});
    c.Draw(Canvas_Shape::Circle(64, 64, 13),
           Canvas_Paint::Radial(60, 60, 16, Rgba{170, 170, 180, 255}, Rgba{70, 70, 80, 255}), ink);
    return c;
}

// Planks running along the door's length, with two iron bands across.
Canvas DoorPicture()
{
    Canvas c(64, 64);
    for (int i = 0; i < 3; ++i)
        c.Fill(Canvas_Shape::Rect(0, i * 21.33, 64, 21.33),
               Canvas_Paint::Lit(Rgba{140, 90, 45, 255}.Shade(1.0 - 0.06 * i), i * 21.33, (i + 1) * 21.33));
    for (double x : {10.0, 50.0})
        c.Fill(Canvas_Shape::Rect(x, 0, 5, 64), Canvas_Paint::Lit(Rgba{80, 80, 90, 255}, 0, 64));
    c.Trace(Canvas_Shape::Rect(1, 1, 62, 62), Canvas_Pen{Rgba{60, 35, 20, 255}, 2});
    return c;
}

Canvas TankPicture()
{
    Canvas c(64, 64);
    for (int i = 0; i < 8; ++i)
        c.Fill(Canvas_Shape::Rect(i * 8.0, 0, 8, 64),
               Canvas_Paint::Linear(i * 8.0, 0, i * 8.0 + 8, 0, Rgba{160, 110, 60, 255}, Rgba{120, 78, 40, 255}));
    c.Fill(Canvas_Shape::Rect(0, 0, 64, 64),
           Canvas_Paint::Linear(0, 0, 64, 0, Rgba{255, 255, 255, 40}, Rgba{0, 0, 0, 70}));
    for (double y : {6.0, 30.0, 54.0})
        c.Fill(Canvas_Shape::Rect(0, y, 64, 4), Canvas_Paint::Lit(Rgba{90, 90, 100, 255}, y, y + 4));
    return c;
}

// Layered sandstone: warm bands of differing shade with a few darker cracks.
Canvas SandPicture()
{
    Canvas c(64, 64);
    Canvas::Frame const wrap = c.Wrapped();
    double const bands[] = {0, 9, 20, 27, 40, 52, 64};
    for (int i = 0; i + 1 < 7; ++i)
        c.Fill(Canvas_Shape::Rect(0, bands[i], 64, bands[i + 1] - bands[i]),
               Rgba{205, 160, 105, 255}.Shade(i % 2 ? 0.9 : 1.04));
    Pebbles(c, 13, 12, Rgba{180, 135, 90, 255}, 1.0, 2.4);
    c.Line(12, 20, 18, 27, Canvas_Pen{Rgba{150, 105, 70, 255}, 1});
    c.Line(44, 40, 40, 52, Canvas_Pen{Rgba{150, 105, 70, 255}, 1});
    return c;
}

Canvas TrailPicture()
{
    Canvas c(64, 64);
    c.Fill(Canvas_Shape::Rect(0, 0, 64, 64), Canvas_Paint::Lit(Rgba{215, 185, 140, 255}, 0, 64));
    Pebbles(c, 14, 40, Rgba{170, 145, 115, 255}, 1.5, 3.5);
    c.Fill(Canvas_Shape::Rect(0, 0, 64, 6), Rgba{235, 215, 180, 255});
    return c;
}

Canvas CliffPicture()
{
    Canvas c(64, 64, Rgba{95, 80, 72, 255});
    Canvas::Frame const wrap = c.Wrapped();
    Pebbles(c, 15, 14, Rgba{110, 95, 85, 255}, 5, 10);
    Canvas_Scatter scatter(16);
    for (int i = 0; i < 6; ++i)
    {
        double const x = scatter.Next(0, 64), y = scatter.Next(0, 64);
        c.Trace(Canvas_Shape::Polyline({x, y, x + scatter.Next(-6, 6), y + 6, x + scatter.Next(-6, 6), y + 13}),
                Canvas_Pen{Rgba{50, 40, 38, 255}, 1.2});
    }
    return c;
}

// The underside of a rock shelf, its top at the picture's top: a lit edge, the rock, and drips of
// darker stone hanging from its lower edge.
Canvas OverhangPicture()
{
    Canvas c(64, 64);
    c.Fill(Canvas_Shape::Rect(0, 0, 64, 64),
           Canvas_Paint::Linear(0, 0, 0, 64, Rgba{170, 140, 110, 255}, Rgba{70, 55, 50, 255})
               .Stop(0.2, Rgba{130, 105, 90, 255}));
    Canvas_Scatter scatter(17);
    for (int i = 0; i < 8; ++i)
    {
        double const x = i * 8.0 + scatter.Next(1, 6);
        c.Fill(Canvas_Shape::Polygon({x - 3, 40, x + 3, 40, x, 64}), Rgba{55, 42, 40, 255});
    }
    c.Fill(Canvas_Shape::Rect(0, 0, 64, 6), Rgba{200, 175, 140, 255});
    return c;
}

Canvas BoulderPicture()
{
    Canvas c(64, 64, Rgba{110, 108, 105, 255});
    Canvas::Frame const wrap = c.Wrapped();
    Pebbles(c, 18, 10, Rgba{150, 146, 140, 255}, 8, 14);
    return c;
}

// A domed shell: a pale rim at the bottom edge and plates ringed in dark lines above it.
Canvas ShellPicture()
{
    Canvas c(128, 128);
    c.Fill(Canvas_Shape::Rect(0, 0, 128, 128),
           Canvas_Paint::Radial(60, 50, 110, Rgba{150, 130, 70, 255}, Rgba{80, 70, 40, 255}));
    Canvas_Pen const seam{Rgba{45, 40, 25, 255}, 3};
    for (int i = 0; i < 5; ++i)
    {
        double const x = 12 + i * 26.0;
        c.Trace(Canvas_Shape::Polygon({x, 40, x + 12, 28, x + 24, 40, x + 24, 62, x + 12, 72, x, 62}), seam);
        c.Trace(Canvas_Shape::Polygon({x - 13, 80, x - 1, 72, x + 11, 80, x + 11, 100, x - 1, 108, x - 13, 100}), seam);
    }
    c.Fill(Canvas_Shape::Rect(0, 110, 128, 18), Canvas_Paint::Lit(Rgba{215, 200, 150, 255}, 110, 128));
    for (int i = 0; i < 9; ++i)
        c.Line(i * 16.0, 110, i * 16.0, 128, Canvas_Pen{Rgba{120, 105, 70, 255}, 2});
    return c;
}

// Fitted across a pole: the lit side, the shadowed side.
Canvas MetalPicture()
{
    Canvas c(64, 64);
    c.Fill(Canvas_Shape::Rect(0, 0, 64, 64),
           Canvas_Paint::Linear(0, 0, 64, 0, Rgba{90, 95, 105, 255}, Rgba{60, 62, 70, 255})
               .Stop(0.3, Rgba{225, 230, 238, 255}));
    for (double y : {14.0, 46.0})
        c.Line(0, y, 64, y, Canvas_Pen{Rgba{50, 52, 60, 255}, 2});
    return c;
}

// The hermit's hut: grey planks, a small window with a lit pane, a plank door.
Canvas HutPicture()
{
    Canvas c(128, 128);
    Canvas_Scatter scatter(19);
    for (int i = 0; i < 8; ++i)
    {
        Rgba const tone = Rgba{150, 130, 105, 255}.Shade(scatter.Next(0.85, 1.1));
        c.Fill(Canvas_Shape::Rect(i * 16.0, 0, 16, 128),
               Canvas_Paint::Linear(i * 16.0, 0, i * 16.0 + 16, 0, tone.Shade(1.1), tone.Shade(0.8)));
    }
    c.Fill(Canvas_Shape::Rect(14, 30, 34, 28),
           Canvas_Paint::Radial(31, 44, 22, Rgba{255, 225, 140, 255}, Rgba{200, 140, 60, 255}));
    c.Trace(Canvas_Shape::Rect(14, 30, 34, 28), Canvas_Pen{Rgba{70, 50, 35, 255}, 3});
    c.Line(31, 30, 31, 58, Canvas_Pen{Rgba{70, 50, 35, 255}, 2});
    c.Fill(Canvas_Shape::Rect(74, 40, 36, 88), Canvas_Paint::Lit(Rgba{110, 80, 50, 255}, 40, 128));
    c.Trace(Canvas_Shape::Rect(74, 40, 36, 88), Canvas_Pen{Rgba{60, 40, 25, 255}, 3});
    c.Fill(Canvas_Shape::Circle(102, 86, 2.5), Rgba{200, 180, 90, 255});
    return c;
}

Canvas ThatchPicture()
{
    Canvas c(64, 64, Rgba{170, 140, 70, 255});
    Canvas::Frame const wrap = c.Wrapped();
    Canvas_Scatter scatter(20);
    for (int i = 0; i < 90; ++i)
    {
        double const x = scatter.Next(0, 64), y = scatter.Next(0, 64);
        c.Line(x, y, x + scatter.Next(-3, 3), y + scatter.Next(8, 16),
               Canvas_Pen{Rgba{200, 170, 90, 255}.Shade(scatter.Next(0.7, 1.2)), 1.2});
    }
    return c;
}

// A rail on its sleepers, the rail's top at the picture's top.
Canvas RailPicture()
{
    Canvas c(64, 64);
    for (double x : {4.0, 36.0})
        c.Fill(Canvas_Shape::Rect(x, 18, 22, 46), Canvas_Paint::Lit(Rgba{110, 75, 45, 255}, 18, 64));
    c.Fill(Canvas_Shape::Rect(0, 0, 64, 20),
           Canvas_Paint::Linear(0, 0, 0, 20, Rgba{220, 222, 230, 255}, Rgba{80, 82, 92, 255}));
    return c;
}

// A plank ledge: two boards along it, nailed, lit along its top.
Canvas BeamPicture()
{
    Canvas c(64, 64);
    for (int i = 0; i < 2; ++i)
    {
        double const y = i * 32.0;
        c.Fill(Canvas_Shape::Rect(0, y, 64, 32),
               Canvas_Paint::Lit(Rgba{165, 115, 60, 255}.Shade(1.0 - 0.1 * i), y, y + 32));
        c.Line(0, y + 1, 64, y + 1, Canvas_Pen{Rgba{90, 58, 30, 255}, 2});
        c.Fill(Canvas_Shape::Circle(8, y + 16, 2.2), Rgba{80, 80, 85, 255});
        c.Fill(Canvas_Shape::Circle(56, y + 16, 2.2), Rgba{80, 80, 85, 255});
    }
    c.Fill(Canvas_Shape::Rect(0, 0, 64, 6), Rgba{215, 175, 115, 255});
    return c;
}

double Smooth(double edge0, double edge1, double x)
{
    double const t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// Every texel is shaded by its distance from the nearest joint, so the joints fade over a tenth of a
// course and sampling the wall sparsely still meets them.
Canvas AshlarPicture()
{
    constexpr int size = 256, course = 64, block = 128;
    Canvas c(size, size);
    Canvas_Scatter scatter(31);
    double tones[size / course][size / block];
    for (auto& row : tones)
        for (double& tone : row)
            tone = scatter.Next(0.9, 1.08);
    Rgba const face{128, 116, 98, 255}, joint{78, 70, 62, 255};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
        {
            int const row = y / course;
            int const shifted = (x + (row % 2) * block / 2) % size;
            double const bx = shifted % block + 0.5, by = y % course + 0.5;
            double const edge = std::min({bx, block - bx, by, course - by});
            double const open = Smooth(1.0, 11.0, edge);
            // Lit along the block's top, a little darker towards its foot.
            double const light = 1.06 - 0.12 * by / course;
            Rgba const stone = face.Shade(tones[row][shifted / block] * light);
            c.Set(x, y, joint.Mix(stone, open));
        }
    return c;
}

// Sky paling down to the horizon, two ranges of hills, the nearer greener, and fields below them.
Canvas VistaPicture()
{
    constexpr int size = 512;
    Canvas c(size, size);
    double const foot = size * (1.0 - Vista_Horizon);
    c.Fill(Canvas_Shape::Rect(0, 0, size, foot),
           Canvas_Paint::Linear(0, 0, 0, foot, Rgba{60, 110, 200, 255}, Rgba{220, 235, 245, 255})
               .Stop(0.6, Rgba{135, 185, 235, 255}));
    struct Range
    {
        double height, period, phase;
        Rgba colour;
    };
    Range const ranges[] = {{70.0, 97.0, 0.7, Rgba{140, 165, 185, 255}}, {42.0, 61.0, 2.1, Rgba{95, 135, 110, 255}}};
    for (Range const& r : ranges)
    {
        std::vector<double> outline;
        for (int x = 0; x <= size; x += 4)
        {
            double const wave = 0.6 + 0.25 * std::sin(2.0 * Pi * x / size * 3.0 + r.phase)
                                + 0.15 * std::sin(2.0 * Pi * x / size * 7.0 + 2.0 * r.phase);
            outline.push_back(x);
            outline.push_back(foot - r.height * wave);
        }
        outline.insert(outline.end(), {double(size), foot + 1.0, 0.0, foot + 1.0});
        c.Fill(Canvas_Shape::Polygon(outline), r.colour);
    }
    c.Fill(Canvas_Shape::Rect(0, foot, size, size - foot),
           Canvas_Paint::Linear(0, foot, 0, size, Rgba{110, 150, 80, 255}, Rgba{80, 105, 55, 255}));
    return c;
}

} // namespace

void Write(std::string const& dir)
{
    struct Picture
    {
        char const* file;
        Canvas (*draw)();
    };
    Picture const pictures[] = {
        {"rock.png", RockPicture},       {"grass.png", GrassPicture},   {"brick.png", BrickPicture},
        {"sky.png", SkyPicture},         {"bush.png", BushPicture},     {"plank.png", PlankPicture},
        {"stone.png", StonePicture},     {"bark.png", BarkPicture},     {"earth.png", EarthPicture},
        {"cobbles.png", CobblesPicture}, {"hills.png", HillsPicture},   {"house.png", HousePicture},
        {"roof.png", RoofPicture},       {"boards.png", BoardsPicture}, {"wheel.png", WheelPicture},
        {"door.png", DoorPicture},       {"tank.png", TankPicture},     {"sand.png", SandPicture},
        {"trail.png", TrailPicture},     {"cliff.png", CliffPicture},   {"overhang.png", OverhangPicture},
        {"boulder.png", BoulderPicture}, {"shell.png", ShellPicture},   {"metal.png", MetalPicture},
        {"hut.png", HutPicture},         {"thatch.png", ThatchPicture}, {"rail.png", RailPicture},
        {"beam.png", BeamPicture},       {"ashlar.png", AshlarPicture}, {"vista.png", VistaPicture},
    };
    for (Picture const& p : pictures)
        Save(p.draw(), dir, p.file);

    // Drawn without a border, at a size the plain (unpadded, unfiltered) upload takes as is, in few
    // enough colours for a palette.
    // Dressed stone laid in courses, each block lit along its top and shaded along its foot, so a wall
    // of it reads as masonry and a moving block as a cut stone, not as a grid of panes.
    Canvas tile(32, 32, Rgba{90, 82, 70, 255});
    for (int course = 0; course < 2; ++course)
    {
        int const y = course * 16;
        for (int x0 : {course * 16 - 32, course * 16})
        {
            tile.FillRect(x0 + 1, y + 1, 31, 14, Rgba{200, 188, 165, 255});
            tile.FillRect(x0 + 1, y + 1, 31, 2, Rgba{226, 216, 196, 255});
            tile.FillRect(x0 + 1, y + 12, 31, 3, Rgba{166, 152, 128, 255});
            tile.FillRect(x0 + 5, y + 6, 3, 2, Rgba{180, 168, 145, 255});
            tile.FillRect(x0 + 20, y + 9, 4, 1, Rgba{180, 168, 145, 255});
        }
    }
    Save(tile, dir, "tile.png", PngFormat::Palette);

    // Lava below pure blue: the blue keys out since it covers more than a third.
    for (int f = 0; f < 4; ++f)
    {
        Canvas lava(64, 64);
        std::vector<double> surface;
        for (int x = 0; x <= 64; x += 4)
        {
            surface.push_back(x);
            surface.push_back(26 + 4.0 * std::sin((x + f * 16) * 2.0 * Pi / 64.0));
        }
        surface.insert(surface.end(), {64, 64, 0, 64});
        lava.Fill(Canvas_Shape::Polygon(surface),
                  Canvas_Paint::Linear(0, 22, 0, 64, Rgba{255, 220, 60, 255}, Rgba{200, 50, 10, 255})
                      .Stop(0.15, Rgba{250, 130, 25, 255}));
        Save(lava.OnKey(KeyBlue), dir, "lava" + TwoDigits(f) + ".png", PngFormat::Rgb);
    }

    for (int f = 0; f < 3; ++f)
    {
        Canvas water(64, 64);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
            {
                double const wave = std::sin((x + y * 0.5 + f * 21) * 2.0 * Pi / 32.0);
                water.Set(x, y, Rgba{30, static_cast<std::uint8_t>(100 + 30 * wave), 200, 170});
            }
        Save(water, dir, "water" + TwoDigits(f) + ".png");
    }
}

// Every world gets the same table, so a map built for one world draws in any of them. The lines cover
// each form an entry can take: plain, repeated, padded, masked, plain-upload, solid, animated, and a
// comment.
void WriteImageMap(std::string const& dir, char const* world)
{
    std::string const folder = dir + "/" + world;
    DataGen::MakeDirs(folder);
    std::string const path = folder + "/imagemap";
    FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr)
        throw std::runtime_error("cannot write " + path);
    std::fprintf(file,
                 "%s\n"
                 "# id file letters [frames ticks-per-frame]\n"
                 "0 rock.png s\n"
                 "1 grass.png hs\n"
                 "2 brick.png hv\n"
                 "3 lava**.png m 4 2560\n"
                 "4 sky.png hv\n"
                 "5 tile.png hvp\n"
                 "6 water**.png hv 3 768\n"
                 "7 bush.png m\n"
                 "8 plank.png hs\n"
                 "9 stone.png hvs\n"
                 "10 bark.png hv\n"
                 "11 earth.png hvs\n"
                 "12 cobbles.png hv\n"
                 "13 hills.png hv\n"
                 "14 house.png hv\n"
                 "15 roof.png hv\n"
                 "16 boards.png hv\n"
                 "17 wheel.png m\n"
                 "18 door.png hv\n"
                 "19 tank.png hv\n"
                 "20 sand.png hvs\n"
                 "21 trail.png hv\n"
                 "22 cliff.png hv\n"
                 "23 overhang.png hv\n"
                 "24 boulder.png hv\n"
                 "25 shell.png hv\n"
                 "26 metal.png hv\n"
                 "27 hut.png hv\n"
                 "28 thatch.png hv\n"
                 "29 rail.png hv\n"
                 "30 beam.png hv\n"
                 "31 ashlar.png hv\n"
                 "32 vista.png\n",
                 world);
    if (std::fclose(file) != 0)
        throw std::runtime_error("failed writing " + path);
}

} // namespace MapTextures
