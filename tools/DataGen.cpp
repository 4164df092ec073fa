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
#include "tools/worlds/plateau.h"
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

char const* const worldDirs[9] = {"treevillage", "plateau", "killig", "chasm", "petra",
                                  "castle",      "tower",   "black",  "final"};

namespace
{

Rgba const clear{0, 0, 0, 0};
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

void Save(Canvas const& canvas, std::string const& dir, std::string const& name, PngFormat format = PngFormat::Rgba)
{
    std::filesystem::path path = std::filesystem::path(dir) / name;
    MakeDirs(path.parent_path().string());
    canvas.WritePng(path.string(), format);
}

std::string TwoDigits(int n)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.2d", n);
    return buffer;
}

Rgba Shade(Rgba c, double f)
{
    auto scale = [f](std::uint8_t v) { return static_cast<std::uint8_t>(std::fmin(255.0, v * f)); };
    return Rgba{scale(c.r), scale(c.g), scale(c.b), c.a};
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
        Save(c, dir, s.file, PngFormat::Rgb);
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
        Save(PlayerFigure(hero, phase, 0.0, 1.0), dir, "gfx/player/player" + TwoDigits(i) + ".png");
        Save(PlayerFigure(ghost, phase, 0.0, 0.5), dir, "gfx/player/playerghost" + TwoDigits(i) + ".png");
        Save(PlayerFigure(past, phase, 0.0, 0.85), dir, "gfx/player/playerpast" + TwoDigits(i) + ".png");
    }
    for (int i = 0; i < 3; ++i)
        Save(PlayerFigure(hero, 0.0, (i + 1) * pi / 7.0, 1.0 - 0.27 * i), dir,
             "gfx/player/playerdie" + TwoDigits(i) + ".png");

    // The axe: a handle along x with the blade at the right end.
    Canvas axe(32, 16);
    axe.Line(2, 8, 26, 8, Canvas_Pen{wood, 3.0});
    axe.Fill(Canvas_Shape::Polygon({22, 1, 31, 3, 31, 13, 22, 15, 25, 8}), Rgba{190, 190, 200, 255});
    Save(axe, dir, "gfx/player/sword.png");
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
    Canvas heart(32, 32);
    heart.Fill(Canvas_Shape::Polygon(HeartShape(16, 15, 30)), Rgba{120, 0, 10, 255});
    heart.Fill(Canvas_Shape::Polygon(HeartShape(16, 15, 26)), red);
    heart.Fill(Canvas_Shape::Circle(11, 10, 2.5), Rgba{255, 150, 150, 255});
    Save(heart, dir, "gfx/general/heartfull.png");

    Canvas empty(32, 32);
    empty.Fill(Canvas_Shape::Polygon(HeartShape(16, 15, 30)), Rgba{120, 0, 10, 255});
    empty.Fill(Canvas_Shape::Polygon(HeartShape(16, 15, 24)), Rgba{60, 60, 60, 120});
    Save(empty, dir, "gfx/general/heartempty.png");

    Canvas gem(32, 32);
    gem.Fill(Canvas_Shape::Polygon({16, 2, 28, 12, 16, 30, 4, 12}), Rgba{20, 110, 40, 255});
    gem.Fill(Canvas_Shape::Polygon({16, 5, 25, 12, 16, 26, 7, 12}), green);
    gem.Fill(Canvas_Shape::Polygon({16, 5, 20, 12, 12, 12}), Rgba{170, 255, 180, 255});
    Save(gem, dir, "gfx/general/gem.png");

    Canvas socks(32, 32);
    for (int k = 0; k < 2; ++k)
    {
        int x = 5 + 12 * k;
        socks.FillRect(x, 3, 8, 18, Rgba{220, 60, 160, 255});
        socks.FillRect(x, 6, 8, 3, white);
        socks.Fill(Canvas_Shape::Ellipse(x + 7, 24, 8, 5), Rgba{220, 60, 160, 255});
    }
    Save(socks, dir, "gfx/general/socks.png");

    // Drawn on pure blue, which the loader keys out because it covers most of the picture.
    Canvas chest(48, 32, keyBlue);
    chest.FillRect(4, 10, 40, 20, wood);
    chest.Fill(Canvas_Shape::Ellipse(24, 11, 20, 8), Shade(wood, 1.15));
    chest.FillRect(4, 11, 40, 19, wood);
    chest.Trace(Canvas_Shape::Rect(4 + 2 / 2.0, 10 + 2 / 2.0, 40 - 2, 20 - 2), Canvas_Pen{darkWood, double(2)});
    chest.FillRect(4, 15, 40, 3, gold);
    chest.FillRect(21, 14, 6, 7, gold);
    chest.FillRect(23, 17, 2, 3, black);
    Save(chest, dir, "gfx/general/chest.png", PngFormat::Rgb);

    // Drawn on a ground colour that matches its bottom-right pixel, the other keying rule.
    Rgba const ground{255, 0, 255, 255};
    Canvas sign(48, 48, ground);
    sign.FillRect(21, 24, 6, 24, darkWood);
    sign.FillRect(4, 4, 40, 22, wood);
    sign.Trace(Canvas_Shape::Rect(4 + 2 / 2.0, 4 + 2 / 2.0, 40 - 2, 22 - 2), Canvas_Pen{darkWood, double(2)});
    for (int i = 0; i < 3; ++i)
        sign.FillRect(10, 9 + 5 * i, 28 - 6 * i, 2, darkWood);
    Save(sign, dir, "gfx/general/sign.png", PngFormat::Rgb);

    Canvas target(32, 32);
    for (int i = 0; i < 4; ++i)
        target.Fill(Canvas_Shape::Circle(16, 16, 15 - 3.5 * i), i % 2 == 0 ? red : white);
    Save(target, dir, "gfx/general/target.png");

    Canvas anti(32, 32);
    for (int i = 0; i < 4; ++i)
        anti.Fill(Canvas_Shape::Circle(16, 16, 15 - 3.5 * i), i % 2 == 0 ? Rgba{60, 60, 200, 255} : white);
    anti.Line(6, 6, 26, 26, Canvas_Pen{black, 3});
    anti.Line(26, 6, 6, 26, Canvas_Pen{black, 3});
    Save(anti, dir, "gfx/general/antitarget.png");

    for (int up = 0; up < 2; ++up)
    {
        Canvas thumb(48, 48);
        thumb.Fill(Canvas_Shape::Circle(24, 24, 22), up ? green : red);
        double tip = up ? 8 : 40, base = up ? 26 : 22;
        thumb.Fill(Canvas_Shape::Polygon({24, tip, 38, base, 10, base}), white);
        thumb.FillRect(19, up ? 26 : 8, 10, 14, white);
        Save(thumb, dir, up ? "gfx/general/thumbsup.png" : "gfx/general/thumbsdown.png");
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
        Save(c, dir, std::string("gfx/menu/") + label[0] + ".png");
    }
}

void WriteMapScreen(std::string const& dir)
{
    // As wide as the name with a margin for its outline and the overhang of its first and last
    // letters, so that none is cut.
    char const* const name = "Hollowmere";
    int const titleWidth = Canvas::TextWidth(name, BigText, true) + 2 * LabelMargin;
    Canvas title(titleWidth, 120);
    title.Text(titleWidth / 2, 80, name, Label(BigText, gold));
    Save(title, dir, "gfx/mapscreen/title.png");

    // A green land with a river, hills and a path of stones.
    Canvas map(640, 480, Rgba{70, 140, 200, 255});
    map.Fill(Canvas_Shape::Ellipse(320, 250, 300, 210), Rgba{90, 170, 80, 255});
    map.Fill(Canvas_Shape::Ellipse(470, 130, 110, 60), Rgba{130, 120, 110, 255});
    map.Fill(Canvas_Shape::Ellipse(160, 330, 90, 50), Rgba{40, 120, 50, 255});
    map.Line(80, 420, 600, 60, Canvas_Pen{Rgba{60, 120, 210, 255}, 8.0});
    Save(map, dir, "gfx/mapscreen/map.png", PngFormat::Rgb);

    Canvas marker(24, 24);
    marker.Fill(Canvas_Shape::Circle(12, 12, 10), Rgba{120, 0, 0, 255});
    marker.Fill(Canvas_Shape::Circle(12, 12, 7), red);
    Save(marker, dir, "gfx/mapscreen/marker.png");
    Canvas done(24, 24);
    done.Fill(Canvas_Shape::Circle(12, 12, 10), Rgba{90, 90, 90, 255});
    done.Fill(Canvas_Shape::Circle(12, 12, 7), gold);
    Save(done, dir, "gfx/mapscreen/markerdone.png");

    char const* const labels[][2] = {{"erase", "Erase game?"}, {"yes", "Yes"}, {"no", "No"}};
    for (auto const& label : labels)
    {
        Canvas c(200, 40);
        c.Text(100, 28, label[1], Label(SmallText, white));
        Save(c, dir, std::string("gfx/mapscreen/") + label[0] + ".png");
    }
}

void WritePuzzle(std::string const& dir)
{
    Canvas highlight(32, 32);
    highlight.Trace(Canvas_Shape::Rect(0 + 3 / 2.0, 0 + 3 / 2.0, 32 - 3, 32 - 3),
                    Canvas_Pen{Rgba{255, 230, 0, 255}, double(3)});
    Save(highlight, dir, "gfx/puzzle/highlight.png");

    Canvas unmarked(32, 32, Rgba{200, 190, 160, 255});
    unmarked.Trace(Canvas_Shape::Rect(0 + 1 / 2.0, 0 + 1 / 2.0, 32 - 1, 32 - 1),
                   Canvas_Pen{Rgba{100, 90, 70, 255}, double(1)});
    Save(unmarked, dir, "gfx/puzzle/unmarked.png", PngFormat::Rgb);

    Canvas emptyCell = unmarked;
    emptyCell.Line(8, 8, 24, 24, Canvas_Pen{Rgba{140, 40, 40, 255}, 3});
    emptyCell.Line(24, 8, 8, 24, Canvas_Pen{Rgba{140, 40, 40, 255}, 3});
    Save(emptyCell, dir, "gfx/puzzle/empty.png", PngFormat::Rgb);

    Canvas filled(32, 32, Rgba{50, 50, 70, 255});
    filled.Trace(Canvas_Shape::Rect(0 + 1 / 2.0, 0 + 1 / 2.0, 32 - 1, 32 - 1),
                 Canvas_Pen{Rgba{100, 90, 70, 255}, double(1)});
    Save(filled, dir, "gfx/puzzle/filled.png", PngFormat::Rgb);

    for (int d = 0; d < 10; ++d)
    {
        // As wide as a square, so that the number sits in its middle.
        Canvas digit(32, 32);
        digit.Text(16, 25, std::to_string(d), Label(SmallText, white));
        Save(digit, dir, "gfx/puzzle/num" + std::to_string(d) + ".png");
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
    Canvas_Paint const inside = Canvas_Paint::Radial(190, 110, 150, Rgba{255, 255, 250, 255}, Rgba{235, 235, 225, 255});
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
    Save(c, dir, "gfx/text/speechbubble" + TwoDigits(type) + ".png");
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
    // The tree village and the plateau have their own data; the other worlds still get the
    // placeholder scene.
    char const* placeholders[8];
    int count = 0;
    for (char const* world : worldDirs)
        if (std::string(world) != "plateau" && std::string(world) != "treevillage")
            placeholders[count++] = world;
    MapWriter::WritePlaceholders(dir, placeholders, count);
    TreeVillage::Write(dir);
    PlateauWriter::Write(dir);
    SoundWriter::WriteAll(dir);
}

void MakeDirs(std::string const& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error)
        throw std::runtime_error("cannot create " + path + ": " + error.message());
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
