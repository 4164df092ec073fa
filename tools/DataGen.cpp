// Entry points of the placeholder-data generator: each writes one family of data files under dir.
#include "tools/DataGen.h"

#include "tools/Canvas.h"
#include "tools/Figure.h"
#include "tools/FontSheet.h"
#include "tools/MapTextures.h"
#include "tools/MapWriter.h"
#include "tools/PuzzleWriter.h"
#include "tools/SoundWriter.h"
#include "tools/TestWorldWriter.h"
#include "tools/creatures/CreatureSprites.h"
#include "tools/creatures/CreatureWorldWriter.h"
#include "tools/worlds/black.h"
#include "tools/worlds/castle.h"
#include "tools/worlds/chasm.h"
#include "tools/worlds/final.h"
#include "tools/worlds/killig.h"
#include "tools/worlds/petra.h"
#include "tools/worlds/plateau.h"
#include "tools/worlds/tower.h"
#include "tools/worlds/treevillage.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace DataGen
{

constexpr World_Data worlds[9] = {
    {Level_TreeV, "treevillage", &TreeVillage::Write},
    {Level_Plato, "plateau", &PlateauWriter::Write},
    {Level_Kilig, "killig", &KiligWriter::Write},
    {Level_Chasm, "chasm", &ChasmWriter::Write},
    {Level_Petra, "petra", &PetraWriter::Write},
    {Level_Casle, "castle", &CastleWriter::Write},
    {Level_Tower, "tower", &TowerWriter::Write},
    {Level_Black, "black", &BlackWriter::Write},
    {Level_Final, "final", &FinalWriter::Write},
};

char const* const worldDirs[9] = {worlds[0].folder, worlds[1].folder, worlds[2].folder,
                                  worlds[3].folder, worlds[4].folder, worlds[5].folder,
                                  worlds[6].folder, worlds[7].folder, worlds[8].folder};

namespace
{

Rgba const keyBlue{0, 0, 255, 255};
Rgba const black{0, 0, 0, 255};
Rgba const white{255, 255, 255, 255};
Rgba const skin{240, 200, 160, 255};
Rgba const wood{150, 95, 45, 255};
Rgba const darkWood{90, 55, 25, 255};
Rgba const gold{240, 200, 40, 255};
Rgba const red{210, 30, 40, 255};
Rgba const green{40, 170, 60, 255};

constexpr double pi = 3.14159265358979323846;
// Columns left clear on each side of a label: its outline and the overhang of its letters.
constexpr int LabelMargin = 12;
constexpr int BigText = 64;
constexpr int SmallText = 24;

Canvas_Text Label(int size, Rgba colour)
{
    Canvas_Text style;
    style.size = size;
    style.colour = colour;
    return style;
}

std::string TwoDigits(int n)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.2d", n);
    return buffer;
}

// The picture with every pixel's alpha scaled by f: see-through past selves, ghosts, fading deaths.
void Fade(Canvas& c, double f)
{
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
        {
            Rgba const p = c.Get(x, y);
            c.Set(x, y, p.WithAlpha(static_cast<std::uint8_t>(std::lround(p.a * f))));
        }
}

Canvas PlayerFigure(Figure_Look const& look, double phase, double tilt, double alpha)
{
    Canvas c(32, 32);
    Figure_Pose pose;
    pose.stride = std::sin(phase);
    pose.arms = -std::sin(phase);
    pose.lift = std::cos(phase);
    pose.tilt = tilt;
    DrawFigure(c, look, pose);
    if (alpha < 1.0)
        Fade(c, alpha);
    return c;
}

void WriteSplashes(std::string const& dir)
{
    struct Splash
    {
        char const* file;
        char const* title;
        char const* subtitle;
        Rgba top;
        Rgba bottom;
    };
    Splash const splashes[] = {
        {"gfx/title.png", "Hollowmere", "a journey through time", {30, 40, 110, 255}, {120, 60, 140, 255}},
        {"gfx/tarviklogo.png", "Tarvik", "presents", {20, 20, 20, 255}, {70, 70, 70, 255}},
        {"gfx/pelunora.png", "Pelunora", "games", {10, 60, 40, 255}, {40, 140, 90, 255}},
    };
    for (Splash const& s : splashes)
    {
        Canvas c(640, 480);
        for (int y = 0; y < 480; ++y)
        {
            double f = y / 479.0;
            Rgba row{static_cast<std::uint8_t>(s.top.r + (s.bottom.r - s.top.r) * f),
                     static_cast<std::uint8_t>(s.top.g + (s.bottom.g - s.top.g) * f),
                     static_cast<std::uint8_t>(s.top.b + (s.bottom.b - s.top.b) * f), 255};
            c.FillRect(0, y, 640, 1, row);
        }
        c.Text(320, 230, s.title, Label(BigText, gold));
        c.Text(320, 290, s.subtitle, Label(SmallText, white));
        SavePng(c, dir, s.file, PngFormat::Rgb);
    }
}

void WritePlayer(std::string const& dir)
{
    Figure_Look const hero = PlayerLook();
    // Past selves and the ghost are the hero in violet, a colour no one else in the worlds wears.
    Figure_Look const past = Figure_Tinted(hero, PastSelfColour);
    Figure_Look const ghost = Figure_Tinted(hero, GhostColour);
    for (int i = 0; i < 5; ++i)
    {
        double const phase = i * 2.0 * pi / 5.0;
        SavePng(PlayerFigure(hero, phase, 0.0, 1.0), dir, "gfx/player/player" + TwoDigits(i) + ".png");
        SavePng(PlayerFigure(ghost, phase, 0.0, 0.5), dir, "gfx/player/playerghost" + TwoDigits(i) + ".png");
        SavePng(PlayerFigure(past, phase, 0.0, 0.85), dir, "gfx/player/playerpast" + TwoDigits(i) + ".png");
    }
    for (int i = 0; i < 3; ++i)
        SavePng(PlayerFigure(hero, 0.0, (i + 1) * pi / 7.0, 1.0 - 0.27 * i), dir,
                "gfx/player/playerdie" + TwoDigits(i) + ".png");

    // The axe: a handle along x with the blade at the right end.
    Canvas axe(32, 16);
    axe.Line(2, 8, 26, 8, Canvas_Pen{wood, 3.0});
    axe.Fill(Canvas_Shape::Polygon({22, 1, 31, 3, 31, 13, 22, 15, 25, 8}), Rgba{190, 190, 200, 255});
    SavePng(axe, dir, "gfx/player/sword.png");
}

std::vector<double> HeartShape(double cx, double cy, double size)
{
    std::vector<double> xy;
    for (int i = 0; i < 48; ++i)
    {
        double t = i * 2.0 * pi / 48.0;
        double x = 16.0 * std::pow(std::sin(t), 3.0);
        double y = 13.0 * std::cos(t) - 5.0 * std::cos(2 * t) - 2.0 * std::cos(3 * t) - std::cos(4 * t);
        xy.push_back(cx + x * size / 34.0);
        xy.push_back(cy - y * size / 34.0);
    }
    return xy;
}

void WriteGeneral(std::string const& dir)
{
    Canvas_Pen const ink{Rgba{40, 20, 25, 255}, 1.4};
    Canvas heart(32, 32);
    heart.Draw(Canvas_Shape::Polygon(HeartShape(16, 15, 29)),
               Canvas_Paint::Radial(11, 9, 22, Rgba{255, 90, 90, 255}, Rgba{150, 0, 20, 255}), ink);
    heart.Fill(Canvas_Shape::Ellipse(10.5, 9.5, 3.2, 2.2), Rgba{255, 220, 220, 220});
    SavePng(heart, dir, "gfx/general/heartfull.png");

    Canvas empty(32, 32);
    empty.Draw(Canvas_Shape::Polygon(HeartShape(16, 15, 29)), Rgba{70, 60, 65, 130},
               Canvas_Pen{Rgba{120, 0, 10, 255}, 1.6});
    SavePng(empty, dir, "gfx/general/heartempty.png");

    // A cut emerald: facets lit from the top left.
    Canvas gem(32, 32);
    gem.Draw(Canvas_Shape::Polygon({10, 3, 22, 3, 29, 11, 16, 30, 3, 11}), green,
             Canvas_Pen{Rgba{10, 70, 25, 255}, 1.2});
    gem.Fill(Canvas_Shape::Polygon({10, 3, 22, 3, 19, 11, 13, 11}), Rgba{150, 245, 160, 255});
    gem.Fill(Canvas_Shape::Polygon({3, 11, 13, 11, 16, 30}), Rgba{60, 200, 80, 255});
    gem.Fill(Canvas_Shape::Polygon({29, 11, 19, 11, 16, 30}), Rgba{20, 120, 45, 255});
    gem.Fill(Canvas_Shape::Polygon({10, 3, 13, 11, 3, 11}), Rgba{100, 230, 120, 255});
    gem.Fill(Canvas_Shape::Circle(12, 6, 1.5), Rgba{255, 255, 255, 230});
    SavePng(gem, dir, "gfx/general/gem.png");

    Canvas socks(32, 32);
    for (int k = 0; k < 2; ++k)
    {
        double const x = 4 + 12 * k;
        Canvas_Shape const sock =
            Canvas_Shape::Capsule(x + 4, 3, x + 4, 21, 8).Add(Canvas_Shape::Capsule(x + 4, 22, x + 10, 24, 8));
        socks.Draw(sock, Canvas_Paint::Lit(Rgba{225, 60, 165, 255}, 0, 28), Canvas_Pen{Rgba{90, 20, 60, 255}, 1});
        socks.Fill(Canvas_Shape::Rect(x, 6, 8, 3), white);
    }
    SavePng(socks, dir, "gfx/general/socks.png");

    // Drawn clear, then laid on pure blue, which the loader keys out because it covers most of the
    // picture.
    Canvas chest(48, 32);
    Canvas_Pen const rim{darkWood, 1.4};
    chest.Draw(Canvas_Shape::RoundRect(4, 13, 40, 18, 2), Canvas_Paint::Lit(wood, 13, 31), rim);
    chest.Draw(Canvas_Shape().MoveTo(4, 14).LineTo(4, 9).CurveTo(4, 2, 44, 2, 44, 9).LineTo(44, 14).Close(),
               Canvas_Paint::Lit(wood.Shade(1.1), 3, 14), rim);
    for (double x : {9.0, 37.0})
        chest.Fill(Canvas_Shape::Rect(x, 4, 3, 27), Canvas_Paint::Lit(gold, 4, 31));
    chest.Draw(Canvas_Shape::RoundRect(20, 11, 8, 9, 1.5), gold, rim);
    chest.Fill(Canvas_Shape::Capsule(24, 14.5, 24, 17, 1.6), black);
    SavePng(chest.OnKey(keyBlue), dir, "gfx/general/chest.png", PngFormat::Rgb);

    // Laid on a ground colour that its bottom-right pixel keeps, the other keying rule.
    Rgba const ground{255, 0, 255, 255};
    Canvas sign(48, 48);
    sign.Draw(Canvas_Shape::Rect(21, 22, 6, 26), Canvas_Paint::Linear(21, 0, 27, 0, wood, darkWood), rim);
    sign.Draw(Canvas_Shape::RoundRect(3, 4, 42, 22, 3), Canvas_Paint::Lit(wood.Shade(1.1), 4, 26), rim);
    for (int i = 0; i < 3; ++i)
        sign.Line(10, 10 + 5 * i, 38 - 6 * i, 10 + 5 * i, Canvas_Pen{darkWood, 1.6});
    SavePng(sign.OnKey(ground), dir, "gfx/general/sign.png", PngFormat::Rgb);

    auto rings = [](Rgba outer, Rgba inner) {
        Canvas c(32, 32);
        for (int i = 0; i < 4; ++i)
            c.Fill(Canvas_Shape::Circle(16, 16, 15.5 - 3.7 * i), i % 2 == 0 ? outer : inner);
        c.Trace(Canvas_Shape::Circle(16, 16, 15), Canvas_Pen{outer.Shade(0.5), 1});
        return c;
    };
    SavePng(rings(red, white), dir, "gfx/general/target.png");
    Canvas anti = rings(Rgba{60, 60, 200, 255}, white);
    anti.Line(6, 6, 26, 26, Canvas_Pen{black, 3});
    anti.Line(26, 6, 6, 26, Canvas_Pen{black, 3});
    SavePng(anti, dir, "gfx/general/antitarget.png");

    for (int up = 0; up < 2; ++up)
    {
        Canvas thumb(48, 48);
        Rgba const disc = up ? green : red;
        thumb.Draw(Canvas_Shape::Circle(24, 24, 22),
                   Canvas_Paint::Radial(18, 16, 30, disc.Shade(1.3), disc.Shade(0.75)),
                   Canvas_Pen{disc.Shade(0.45), 1.5});
        // A fist with its thumb up, turned over for thumbs down.
        Canvas::Frame const turned = thumb.Turned(up ? 0.0 : 3.14159265358979, 24, 24);
        Canvas_Pen const line{Rgba{120, 80, 50, 255}, 1.2};
        thumb.Draw(Canvas_Shape::Capsule(22, 10, 22, 22, 7), skin, line);
        thumb.Draw(Canvas_Shape::RoundRect(14, 20, 20, 16, 5), Canvas_Paint::Lit(skin, 20, 36), line);
        for (double y : {25.0, 29.5})
            thumb.Line(24, y, 33, y, line);
        SavePng(thumb, dir, up ? "gfx/general/thumbsup.png" : "gfx/general/thumbsdown.png");
    }
}

void WriteMenu(std::string const& dir)
{
    char const* const labels[][2] = {{"resume", "Resume"}, {"leave", "Leave level"}, {"options", "Options"},
                                     {"quit", "Quit"},     {"music", "Music"},       {"sound", "Sound"}};
    for (auto const& label : labels)
    {
        // A row of the menu is as high as its picture: six fit inside the menu's frame.
        Canvas c(256, 40);
        c.Text(128, 28, label[1], Label(SmallText, white));
        SavePng(c, dir, std::string("gfx/menu/") + label[0] + ".png");
    }
}

// The world map, painted as a land in a sea with each world's country round its place on it: the
// village's forest, the plateau's mesas, the old master's hills, the chasm, the riddle-giver's
// meadows, the castle, the tower, the black mountains and the dragon's smoking peak.
Canvas WorldMap()
{
    Canvas map(640, 480);
    map.Fill(Canvas_Shape::Rect(0, 0, 640, 480),
             Canvas_Paint::Radial(320, 240, 420, Rgba{90, 160, 210, 255}, Rgba{40, 90, 160, 255}));
    Canvas_Shape const land = Canvas_Shape::Blob(
        {40, 120, 130, 40, 300, 60, 470, 40, 600, 110, 620, 260, 560, 400, 380, 440, 220, 430, 60, 400, 20, 260});
    map.Fill(land.Scaled(1.03, 1.03, 320, 240), Rgba{235, 220, 170, 255});
    map.Fill(land, Canvas_Paint::Radial(320, 220, 320, Rgba{150, 195, 100, 255}, Rgba{95, 150, 70, 255}));
    Canvas_Scatter scatter(21);
    // The village's forest, low on the left.
    for (int i = 0; i < 40; ++i)
    {
        double const x = scatter.Next(70, 210), y = scatter.Next(330, 420);
        map.Draw(Canvas_Shape::Circle(x, y, scatter.Next(7, 11)),
                 Canvas_Paint::Radial(x - 3, y - 3, 12, Rgba{80, 170, 70, 255}, Rgba{30, 100, 40, 255}),
                 Canvas_Pen{Rgba{20, 60, 25, 255}, 1});
    }
    // The plateau's red mesas.
    map.Fill(Canvas_Shape::Blob({300, 330, 380, 300, 460, 330, 440, 380, 320, 380}), Rgba{215, 175, 115, 255});
    for (double x : {330.0, 380.0, 425.0})
        map.Draw(Canvas_Shape::Polygon({x - 18, 360, x - 12, 336, x + 12, 336, x + 18, 360}),
                 Canvas_Paint::Lit(Rgba{195, 100, 60, 255}, 336, 360), Canvas_Pen{Rgba{110, 50, 30, 255}, 1});
    // Hills and mountains: the old master's green hills, the black mountains, the dragon's peak.
    auto mountain = [&map](double x, double y, double w, double h, Rgba colour) {
        map.Draw(Canvas_Shape::Polygon({x - w, y, x, y - h, x + w, y}),
                 Canvas_Paint::Linear(x - w, 0, x + w, 0, colour.Shade(1.2), colour.Shade(0.6)),
                 Canvas_Pen{colour.Shade(0.4), 1.2});
    };
    for (double x : {400.0, 440.0, 470.0})
        mountain(x, 250, 24, 30, Rgba{110, 160, 90, 255});
    for (double x : {45.0, 80.0, 115.0})
        mountain(x, 210, 28, 50, Rgba{70, 65, 75, 255});
    mountain(180, 135, 40, 70, Rgba{120, 70, 55, 255});
    map.Fill(Canvas_Shape::Blob({172, 62, 190, 40, 210, 30, 200, 55, 185, 68}), Rgba{150, 150, 150, 180});
    map.Fill(Canvas_Shape::Polygon({172, 66, 180, 60, 188, 66, 180, 72}), Rgba{255, 110, 30, 255});
    // The chasm: a dark rift.
    map.Draw(Canvas_Shape::Blob({490, 270, 520, 285, 545, 320, 525, 325, 500, 300}), Rgba{45, 35, 40, 255},
             Canvas_Pen{Rgba{120, 90, 60, 255}, 2});
    // The castle's towers and the great tower.
    for (double x : {318.0, 348.0})
        map.Draw(Canvas_Shape::Rect(x - 6, 160, 12, 26), Canvas_Paint::Lit(Rgba{170, 165, 160, 255}, 160, 186),
                 Canvas_Pen{Rgba{60, 55, 55, 255}, 1});
    map.Draw(Canvas_Shape::Rect(318, 170, 30, 16), Rgba{150, 145, 140, 255}, Canvas_Pen{Rgba{60, 55, 55, 255}, 1});
    map.Draw(Canvas_Shape::Rect(211, 210, 14, 46), Canvas_Paint::Lit(Rgba{180, 170, 150, 255}, 210, 256),
             Canvas_Pen{Rgba{60, 55, 55, 255}, 1});
    map.Fill(Canvas_Shape::Polygon({208, 211, 218, 196, 228, 211}), Rgba{170, 60, 50, 255});
    // The riddle-giver's meadow and a river to the sea.
    for (int i = 0; i < 12; ++i)
        map.Fill(Canvas_Shape::Circle(scatter.Next(550, 600), scatter.Next(320, 350), 2),
                 i % 2 ? Rgba{250, 230, 60, 255} : Rgba{240, 120, 160, 255});
    map.Trace(
        Canvas_Shape().MoveTo(270, 60).CurveTo(260, 160, 300, 230, 250, 300).CurveTo(230, 340, 260, 400, 240, 440),
        Canvas_Pen{Rgba{70, 130, 210, 255}, 5});
    return map;
}

void WriteMapScreen(std::string const& dir)
{
    // As wide as the name with a margin for its outline and the overhang of its first and last
    // letters, so that none is cut.
    char const* const name = "Hollowmere";
    int const titleWidth = Canvas::TextWidth(name, BigText, true) + 2 * LabelMargin;
    Canvas title(titleWidth, 120);
    title.Text(titleWidth / 2, 80, name, Label(BigText, gold));
    SavePng(title, dir, "gfx/mapscreen/title.png");

    SavePng(WorldMap(), dir, "gfx/mapscreen/map.png", PngFormat::Rgb);

    auto marker = [](Rgba colour) {
        Canvas c(24, 24);
        c.Draw(Canvas_Shape::Circle(12, 12, 10), Canvas_Paint::Radial(9, 8, 13, colour.Shade(1.4), colour.Shade(0.6)),
               Canvas_Pen{Rgba{30, 20, 20, 255}, 1.5});
        c.Fill(Canvas_Shape::Circle(9, 8, 2.5), Rgba{255, 255, 255, 170});
        return c;
    };
    SavePng(marker(red), dir, "gfx/mapscreen/marker.png");
    SavePng(marker(gold), dir, "gfx/mapscreen/markerdone.png");

    char const* const labels[][2] = {{"erase", "Erase game?"}, {"yes", "Yes"}, {"no", "No"}};
    for (auto const& label : labels)
    {
        Canvas c(200, 40);
        c.Text(100, 28, label[1], Label(SmallText, white));
        SavePng(c, dir, std::string("gfx/mapscreen/") + label[0] + ".png");
    }
}

void WritePuzzle(std::string const& dir)
{
    Canvas highlight(32, 32);
    highlight.Trace(Canvas_Shape::Rect(0 + 3 / 2.0, 0 + 3 / 2.0, 32 - 3, 32 - 3),
                    Canvas_Pen{Rgba{255, 230, 0, 255}, double(3)});
    SavePng(highlight, dir, "gfx/puzzle/highlight.png");

    Canvas unmarked(32, 32, Rgba{200, 190, 160, 255});
    unmarked.Trace(Canvas_Shape::Rect(0 + 1 / 2.0, 0 + 1 / 2.0, 32 - 1, 32 - 1),
                   Canvas_Pen{Rgba{100, 90, 70, 255}, double(1)});
    SavePng(unmarked, dir, "gfx/puzzle/unmarked.png", PngFormat::Rgb);

    Canvas emptyCell = unmarked;
    emptyCell.Line(8, 8, 24, 24, Canvas_Pen{Rgba{140, 40, 40, 255}, 3});
    emptyCell.Line(24, 8, 8, 24, Canvas_Pen{Rgba{140, 40, 40, 255}, 3});
    SavePng(emptyCell, dir, "gfx/puzzle/empty.png", PngFormat::Rgb);

    Canvas filled(32, 32, Rgba{50, 50, 70, 255});
    filled.Trace(Canvas_Shape::Rect(0 + 1 / 2.0, 0 + 1 / 2.0, 32 - 1, 32 - 1),
                 Canvas_Pen{Rgba{100, 90, 70, 255}, double(1)});
    SavePng(filled, dir, "gfx/puzzle/filled.png", PngFormat::Rgb);

    for (int d = 0; d < 10; ++d)
    {
        // As wide as a square, so that the number sits in its middle.
        Canvas digit(32, 32);
        digit.Text(16, 25, std::to_string(d), Label(SmallText, white));
        SavePng(digit, dir, "gfx/puzzle/num" + std::to_string(d) + ".png");
    }
}

// The frame of a speech (type 0) or thought (type 1) bubble. Its speaker stands at the bottom-left
// corner; the game types four rows of text into it, the middle two from column 93 to 303 and the
// outer two from 129 to 265, with their tops 64, 96, 126 and 158 rows from the top, each a line of the
// game font high. The body keeps a margin of more than 6 pixels round them, also when the bubble is
// drawn mirrored for a speaker on the right, whose rows move 76 columns left.
void WriteBubble(std::string const& dir, int type)
{
    Canvas c(320, 224);
    Rgba const rim{45, 45, 55, 255};
    // Cream, shading a little towards the rim.
    Canvas_Paint const inside = Canvas_Paint::Radial(198, 124, 150, Rgba{255, 255, 245, 255}, Rgba{238, 238, 226, 255})
                                    .Stop(0.7, Rgba{255, 255, 245, 255});
    double const x0 = 80, y0 = 42, x1 = 318, y1 = 206;
    Canvas_Shape bubble;
    if (type == 0)
    {
        bubble = Canvas_Shape::RoundRect(x0, y0, x1 - x0, y1 - y0, 46);
        // The tail curls down to the speaker.
        bubble.Add(Canvas_Shape()
                       .MoveTo(108, 196)
                       .CurveTo(90, 206, 40, 214, 4, 221)
                       .CurveTo(46, 205, 92, 180, 98, 172)
                       .Close());
    }
    else
    {
        // A cloud: puffs round the body's edge, and two small puffs trailing down to the thinker.
        bubble = Canvas_Shape::RoundRect(x0 + 2, y0 + 4, x1 - x0 - 4, y1 - y0 - 8, 40);
        int const across = 11, down = 7;
        for (int i = 0; i <= across; ++i)
        {
            double const x = x0 + 26 + (x1 - x0 - 52) * i / across;
            bubble.Add(Canvas_Shape::Circle(x, y0 + 14, 14)).Add(Canvas_Shape::Circle(x, y1 - 14, 14));
        }
        for (int i = 1; i < down; ++i)
        {
            double const y = y0 + 14 + (y1 - y0 - 28) * i / down;
            bubble.Add(Canvas_Shape::Circle(x0 + 12, y, 12)).Add(Canvas_Shape::Circle(x1 - 12, y, 12));
        }
        bubble.Add(Canvas_Shape::Circle(14, 210, 8)).Add(Canvas_Shape::Circle(40, 190, 12));
    }
    // Traced wide and then filled, so that the rim runs only round the outside of the parts.
    c.Trace(bubble, Canvas_Pen{rim, 6.0});
    c.Fill(bubble, inside);
    SavePng(c, dir, "gfx/text/speechbubble" + TwoDigits(type) + ".png");
}

} // namespace

Figure_Look PlayerLook()
{
    Figure_Look look;
    look.clothes = Rgba{40, 90, 200, 255};
    look.trim = Rgba{110, 70, 35, 255};
    look.legs = Rgba{70, 62, 78, 255};
    look.boots = Rgba{105, 62, 32, 255};
    look.hair = Rgba{120, 72, 30, 255};
    look.cape = Rgba{195, 40, 45, 255};
    look.build = 1.1;
    return look;
}

void WriteAll(std::string const& dir)
{
    MakeDirs(dir);
    WriteImages(dir);
    WriteTextureLists(dir);
    WriteFont(dir);
    WriteSpeechBubbles(dir);
    PuzzleWriter::WriteAll(dir);
    TestWorldWriter::Write(dir);
    CreatureSprites::WriteAll(dir);
    CreatureWorldWriter::Write(dir);
    for (World_Data const& world : worlds)
    {
        if (world.write != nullptr)
            world.write(dir);
        else
            MapWriter::WritePlaceholders(dir, &world.folder, 1);
    }
    SoundWriter::WriteAll(dir);
}

void MakeDirs(std::string const& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error)
        throw std::runtime_error("cannot create " + path + ": " + error.message());
}

void SavePng(Canvas const& canvas, std::string const& dir, std::string const& name, PngFormat format)
{
    std::filesystem::path const path = std::filesystem::path(dir) / name;
    MakeDirs(path.parent_path().string());
    canvas.WritePng(path.string(), format);
}

void AppendImageMap(std::string const& dir, std::string const& world, std::string const& firstEntry,
                    std::vector<ImageMap_Entry> const& entries)
{
    std::string const path = dir + "/" + world + "/imagemap";
    bool const shared = std::filesystem::exists(path);
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (file == nullptr)
        throw std::runtime_error("cannot write " + path);
    if (!shared)
        std::fprintf(file, "%s\n%s\n", world.c_str(), firstEntry.c_str());
    for (ImageMap_Entry const& entry : entries)
        std::fprintf(file, "%u %s/%s.png %s\n", entry.id, world.c_str(), entry.name, entry.letters);
    if (std::fclose(file) != 0)
        throw std::runtime_error("failed writing " + path);
}

void WriteImages(std::string const& dir)
{
    WriteSplashes(dir);
    WritePlayer(dir);
    WriteGeneral(dir);
    WriteMenu(dir);
    WriteMapScreen(dir);
    WritePuzzle(dir);
}

void WriteTextureLists(std::string const& dir)
{
    MapTextures::Write(dir);
    for (char const* world : worldDirs)
        MapTextures::WriteImageMap(dir, world);
}

void WriteFont(std::string const& dir)
{
    FontSheet(20).Write(dir);
}

void WriteSpeechBubbles(std::string const& dir)
{
    for (int type = 0; type < 2; ++type)
        WriteBubble(dir, type);
}

} // namespace DataGen
