// Entry points of the placeholder-data generator: each writes one family of data files under dir.
#include "tools/DataGen.h"

#include "tools/Canvas.h"
#include "tools/FontSheet.h"
#include "tools/GlyphRasterizer.h"
#include "tools/MapWriter.h"
#include "tools/PuzzleWriter.h"
#include "tools/SoundWriter.h"
#include "tools/TestWorldWriter.h"
#include "tools/creatures/CreatureSprites.h"
#include "tools/creatures/CreatureWorldWriter.h"
#include "tools/worlds/castle.h"
#include "tools/worlds/chasm.h"
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
    {Level_Black, "black", nullptr},
    {Level_Final, "final", nullptr},
};

char const* const worldDirs[9] = {worlds[0].folder, worlds[1].folder, worlds[2].folder,
                                  worlds[3].folder, worlds[4].folder, worlds[5].folder,
                                  worlds[6].folder, worlds[7].folder, worlds[8].folder};

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

Rgba WithAlpha(Rgba c, std::uint8_t a)
{
    c.a = a;
    return c;
}

// A little figure in a tunic, seen from the side; phase swings the arms and legs.
Canvas PlayerFigure(Rgba tunic, std::uint8_t alpha, double phase, double tilt)
{
    Canvas c(32, 32);
    Rgba skinA = WithAlpha(skin, alpha);
    Rgba tunicA = WithAlpha(tunic, alpha);
    Rgba dark = WithAlpha(Shade(tunic, 0.5), alpha);
    double swing = std::sin(phase) * 5.0;
    auto at = [tilt](double x, double y) {
        // Tilt about the feet, for the dying frames.
        double dx = x - 16.0, dy = y - 31.0;
        return std::pair<double, double>{16.0 + dx * std::cos(tilt) - dy * std::sin(tilt),
                                         31.0 + dx * std::sin(tilt) + dy * std::cos(tilt)};
    };
    auto line = [&](double x0, double y0, double x1, double y1, double w, Rgba col) {
        auto [a0, b0] = at(x0, y0);
        auto [a1, b1] = at(x1, y1);
        c.Line(a0, b0, a1, b1, w, col);
    };
    line(16, 20, 16 - swing, 30, 3.0, dark);
    line(16, 20, 16 + swing, 30, 3.0, dark);
    line(16, 12, 16, 20, 7.0, tunicA);
    line(16, 13, 16 + swing, 20, 2.5, skinA);
    auto [hx, hy] = at(17, 7);
    c.FillCircle(hx, hy, 5.0, skinA);
    auto [ex, ey] = at(19, 6);
    c.FillCircle(ex, ey, 1.0, WithAlpha(black, alpha));
    auto [px, py] = at(16, 3);
    c.FillEllipse(px, py, 5.0, 2.0, dark);
    return c;
}

void WriteSplashes(std::string const& dir, GlyphRasterizer const& big, GlyphRasterizer const& small)
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
        big.DrawLabel(c, 320, 230, s.title, gold);
        small.DrawLabel(c, 320, 290, s.subtitle, white);
        Save(c, dir, s.file, PngFormat::Rgb);
    }
}

void WritePlayer(std::string const& dir)
{
    Rgba const tunic{40, 90, 200, 255};
    Rgba const pastTunic{60, 170, 90, 255};
    for (int i = 0; i < 5; ++i)
    {
        double phase = i * 2.0 * pi / 5.0;
        Save(PlayerFigure(tunic, 255, phase, 0.0), dir, "gfx/player/player" + TwoDigits(i) + ".png");
        Save(PlayerFigure({200, 220, 255, 255}, 110, phase, 0.0), dir,
             "gfx/player/playerghost" + TwoDigits(i) + ".png");
        Save(PlayerFigure(pastTunic, 200, phase, 0.0), dir, "gfx/player/playerpast" + TwoDigits(i) + ".png");
    }
    for (int i = 0; i < 3; ++i)
        Save(PlayerFigure(tunic, static_cast<std::uint8_t>(255 - 70 * i), 0.0, (i + 1) * pi / 7.0), dir,
             "gfx/player/playerdie" + TwoDigits(i) + ".png");

    // The axe: a handle along x with the blade at the right end.
    Canvas axe(32, 16);
    axe.Line(2, 8, 26, 8, 3.0, wood);
    axe.FillPolygon({22, 1, 31, 3, 31, 13, 22, 15, 25, 8}, Rgba{190, 190, 200, 255});
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
    heart.FillPolygon(HeartShape(16, 15, 30), Rgba{120, 0, 10, 255});
    heart.FillPolygon(HeartShape(16, 15, 26), red);
    heart.FillCircle(11, 10, 2.5, Rgba{255, 150, 150, 255});
    Save(heart, dir, "gfx/general/heartfull.png");

    Canvas empty(32, 32);
    empty.FillPolygon(HeartShape(16, 15, 30), Rgba{120, 0, 10, 255});
    empty.FillPolygon(HeartShape(16, 15, 24), Rgba{60, 60, 60, 120});
    Save(empty, dir, "gfx/general/heartempty.png");

    Canvas gem(32, 32);
    gem.FillPolygon({16, 2, 28, 12, 16, 30, 4, 12}, Rgba{20, 110, 40, 255});
    gem.FillPolygon({16, 5, 25, 12, 16, 26, 7, 12}, green);
    gem.FillPolygon({16, 5, 20, 12, 12, 12}, Rgba{170, 255, 180, 255});
    Save(gem, dir, "gfx/general/gem.png");

    Canvas socks(32, 32);
    for (int k = 0; k < 2; ++k)
    {
        int x = 5 + 12 * k;
        socks.FillRect(x, 3, 8, 18, Rgba{220, 60, 160, 255});
        socks.FillRect(x, 6, 8, 3, white);
        socks.FillEllipse(x + 7, 24, 8, 5, Rgba{220, 60, 160, 255});
    }
    Save(socks, dir, "gfx/general/socks.png");

    // Drawn on pure blue, which the loader keys out because it covers most of the picture.
    Canvas chest(48, 32, keyBlue);
    chest.FillRect(4, 10, 40, 20, wood);
    chest.FillEllipse(24, 11, 20, 8, Shade(wood, 1.15));
    chest.FillRect(4, 11, 40, 19, wood);
    chest.FrameRect(4, 10, 40, 20, 2, darkWood);
    chest.FillRect(4, 15, 40, 3, gold);
    chest.FillRect(21, 14, 6, 7, gold);
    chest.FillRect(23, 17, 2, 3, black);
    Save(chest, dir, "gfx/general/chest.png", PngFormat::Rgb);

    // Drawn on a ground colour that matches its bottom-right pixel, the other keying rule.
    Rgba const ground{255, 0, 255, 255};
    Canvas sign(48, 48, ground);
    sign.FillRect(21, 24, 6, 24, darkWood);
    sign.FillRect(4, 4, 40, 22, wood);
    sign.FrameRect(4, 4, 40, 22, 2, darkWood);
    for (int i = 0; i < 3; ++i)
        sign.FillRect(10, 9 + 5 * i, 28 - 6 * i, 2, darkWood);
    Save(sign, dir, "gfx/general/sign.png", PngFormat::Rgb);

    Canvas target(32, 32);
    for (int i = 0; i < 4; ++i)
        target.FillCircle(16, 16, 15 - 3.5 * i, i % 2 == 0 ? red : white);
    Save(target, dir, "gfx/general/target.png");

    Canvas anti(32, 32);
    for (int i = 0; i < 4; ++i)
        anti.FillCircle(16, 16, 15 - 3.5 * i, i % 2 == 0 ? Rgba{60, 60, 200, 255} : white);
    anti.Line(6, 6, 26, 26, 3, black);
    anti.Line(26, 6, 6, 26, 3, black);
    Save(anti, dir, "gfx/general/antitarget.png");

    for (int up = 0; up < 2; ++up)
    {
        Canvas thumb(48, 48);
        thumb.FillCircle(24, 24, 22, up ? green : red);
        double tip = up ? 8 : 40, base = up ? 26 : 22;
        thumb.FillPolygon({24, tip, 38, base, 10, base}, white);
        thumb.FillRect(19, up ? 26 : 8, 10, 14, white);
        Save(thumb, dir, up ? "gfx/general/thumbsup.png" : "gfx/general/thumbsdown.png");
    }
}

void WriteMenu(std::string const& dir, GlyphRasterizer const& font)
{
    char const* const labels[][2] = {{"resume", "Resume"}, {"leave", "Leave level"}, {"options", "Options"},
                                     {"quit", "Quit"},     {"music", "Music"},       {"sound", "Sound"}};
    for (auto const& label : labels)
    {
        Canvas c(256, 48);
        font.DrawLabel(c, 128, 34, label[1], white);
        Save(c, dir, std::string("gfx/menu/") + label[0] + ".png");
    }
}

void WriteMapScreen(std::string const& dir, GlyphRasterizer const& big, GlyphRasterizer const& small)
{
    // As wide as the name with a margin for its outline and the overhang of its first and last
    // letters, so that none is cut.
    char const* const name = "Hollowmere";
    int const titleWidth = big.MeasureText(name) + 2 * LabelMargin;
    Canvas title(titleWidth, 120);
    big.DrawLabel(title, titleWidth / 2, 80, name, gold);
    Save(title, dir, "gfx/mapscreen/title.png");

    // A green land with a river, hills and a path of stones.
    Canvas map(640, 480, Rgba{70, 140, 200, 255});
    map.FillEllipse(320, 250, 300, 210, Rgba{90, 170, 80, 255});
    map.FillEllipse(470, 130, 110, 60, Rgba{130, 120, 110, 255});
    map.FillEllipse(160, 330, 90, 50, Rgba{40, 120, 50, 255});
    map.Line(80, 420, 600, 60, 8.0, Rgba{60, 120, 210, 255});
    Save(map, dir, "gfx/mapscreen/map.png", PngFormat::Rgb);

    Canvas marker(24, 24);
    marker.FillCircle(12, 12, 10, Rgba{120, 0, 0, 255});
    marker.FillCircle(12, 12, 7, red);
    Save(marker, dir, "gfx/mapscreen/marker.png");
    Canvas done(24, 24);
    done.FillCircle(12, 12, 10, Rgba{90, 90, 90, 255});
    done.FillCircle(12, 12, 7, gold);
    Save(done, dir, "gfx/mapscreen/markerdone.png");

    char const* const labels[][2] = {{"erase", "Erase game?"}, {"yes", "Yes"}, {"no", "No"}};
    for (auto const& label : labels)
    {
        Canvas c(200, 40);
        small.DrawLabel(c, 100, 28, label[1], white);
        Save(c, dir, std::string("gfx/mapscreen/") + label[0] + ".png");
    }
}

void WritePuzzle(std::string const& dir, GlyphRasterizer const& font)
{
    Canvas highlight(32, 32);
    highlight.FrameRect(0, 0, 32, 32, 3, Rgba{255, 230, 0, 255});
    Save(highlight, dir, "gfx/puzzle/highlight.png");

    Canvas unmarked(32, 32, Rgba{200, 190, 160, 255});
    unmarked.FrameRect(0, 0, 32, 32, 1, Rgba{100, 90, 70, 255});
    Save(unmarked, dir, "gfx/puzzle/unmarked.png", PngFormat::Rgb);

    Canvas emptyCell = unmarked;
    emptyCell.Line(8, 8, 24, 24, 3, Rgba{140, 40, 40, 255});
    emptyCell.Line(24, 8, 8, 24, 3, Rgba{140, 40, 40, 255});
    Save(emptyCell, dir, "gfx/puzzle/empty.png", PngFormat::Rgb);

    Canvas filled(32, 32, Rgba{50, 50, 70, 255});
    filled.FrameRect(0, 0, 32, 32, 1, Rgba{100, 90, 70, 255});
    Save(filled, dir, "gfx/puzzle/filled.png", PngFormat::Rgb);

    for (int d = 0; d < 10; ++d)
    {
        // As wide as a square, so that the number sits in its middle.
        Canvas digit(32, 32);
        font.DrawLabel(digit, 16, 25, std::to_string(d), white);
        Save(digit, dir, "gfx/puzzle/num" + std::to_string(d) + ".png");
    }
}

struct MapTexture
{
    char const* file;
    Rgba base;
    int pattern; // 0 speckled, 1 bricks, 2 stripes
};

void WriteMapPictures(std::string const& dir)
{
    MapTexture const plain[] = {
        {"rock.png", {120, 110, 100, 255}, 0}, {"grass.png", {60, 150, 50, 255}, 2},
        {"brick.png", {160, 70, 50, 255}, 1},  {"sky.png", {120, 180, 240, 255}, 0},
        {"plank.png", {150, 100, 50, 255}, 2}, {"stone.png", {140, 140, 150, 255}, 1},
    };
    for (MapTexture const& t : plain)
    {
        Canvas c(64, 64, t.base);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
            {
                bool mark = false;
                if (t.pattern == 0)
                    mark = ((x * 7 + y * 13) % 23) == 0;
                else if (t.pattern == 1)
                    mark = y % 16 == 0 || (x + (y / 16) * 16) % 32 == 0;
                else
                    mark = y % 8 == 0;
                if (mark)
                    c.Set(x, y, Shade(t.base, 0.7));
            }
        Save(c, dir, std::string("gfx/map/") + t.file, PngFormat::Rgb);
    }

    // Drawn without a border, at a size the plain (unpadded, unfiltered) upload takes as is.
    Canvas tile(32, 32, Rgba{200, 200, 190, 255});
    tile.FrameRect(0, 0, 32, 32, 2, Rgba{90, 90, 80, 255});
    Save(tile, dir, "gfx/map/tile.png", PngFormat::Palette);

    // A bush on a magenta ground, keyed out by the colour of its bottom-right pixel.
    Canvas bush(64, 64, Rgba{255, 0, 255, 255});
    bush.FillCircle(20, 40, 16, Rgba{30, 120, 40, 255});
    bush.FillCircle(40, 34, 20, Rgba{40, 140, 50, 255});
    bush.FillCircle(30, 24, 14, Rgba{60, 160, 60, 255});
    Save(bush, dir, "gfx/map/bush.png", PngFormat::Rgb);

    // Lava below pure blue: the blue keys out since it covers more than a third.
    for (int f = 0; f < 4; ++f)
    {
        Canvas lava(64, 64, keyBlue);
        for (int x = 0; x < 64; ++x)
        {
            int surface = 26 + static_cast<int>(4.0 * std::sin((x + f * 16) * 2.0 * pi / 64.0));
            lava.FillRect(x, surface, 1, 64 - surface, Rgba{230, 90, 20, 255});
            lava.FillRect(x, surface, 1, 3, Rgba{255, 200, 40, 255});
        }
        Save(lava, dir, "gfx/map/lava" + TwoDigits(f) + ".png", PngFormat::Rgb);
    }

    for (int f = 0; f < 3; ++f)
    {
        Canvas water(64, 64);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
            {
                double wave = std::sin((x + y * 0.5 + f * 21) * 2.0 * pi / 32.0);
                water.Set(x, y, Rgba{30, static_cast<std::uint8_t>(100 + 30 * wave), 200, 170});
            }
        Save(water, dir, "gfx/map/water" + TwoDigits(f) + ".png");
    }
}

// Every world gets the same table, so a map built for one world draws in any of them. The
// lines cover each form an entry can take: plain, repeated, padded, masked, plain-upload,
// solid, animated, a letterless entry followed by another line, and a comment.
void WriteImageMap(std::string const& dir, char const* world)
{
    std::string folder = dir + "/" + world;
    MakeDirs(folder);
    std::string path = folder + "/imagemap";
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
                 "9 stone.png hvs\n",
                 world);
    if (std::fclose(file) != 0)
        throw std::runtime_error("failed writing " + path);
}

void WriteBubble(std::string const& dir, int type)
{
    // Pure blue around the bubble is keyed out when it is loaded.
    Canvas c(320, 224, keyBlue);
    Rgba const rim{40, 40, 40, 255};
    Rgba const inside{255, 255, 245, 255};
    if (type == 0)
    {
        c.FillPolygon({2, 222, 70, 140, 110, 160}, rim);
        c.FillPolygon({8, 216, 74, 146, 104, 158}, inside);
    }
    else
    {
        c.FillCircle(10, 212, 8, rim);
        c.FillCircle(10, 212, 5, inside);
        c.FillCircle(34, 190, 12, rim);
        c.FillCircle(34, 190, 9, inside);
    }
    c.FillEllipse(198, 104, 122, 100, rim);
    c.FillEllipse(198, 104, 117, 95, inside);
    Save(c, dir, "gfx/text/speechbubble" + TwoDigits(type) + ".png", PngFormat::Rgb);
}

} // namespace

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

void WriteImages(std::string const& dir)
{
    GlyphRasterizer big(64, true);
    GlyphRasterizer small(24, true);
    WriteSplashes(dir, big, small);
    WritePlayer(dir);
    WriteGeneral(dir);
    WriteMenu(dir, small);
    WriteMapScreen(dir, big, small);
    WritePuzzle(dir, small);
}

void WriteTextureLists(std::string const& dir)
{
    WriteMapPictures(dir);
    for (char const* world : worldDirs)
        WriteImageMap(dir, world);
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
