// The plateau's map and pictures. Everything that can hurt sits on ledges above the road, hangs from
// ceilings higher still or flies above them, so that a plain walk to the exit takes no damage; the
// people, the mine and the chests lie left of the start, off the walk.
//
// The walk along the road: from the start (rp 3) hold right up the thirteen terraces, each a level
// stretch and a ramp, with no jump. On terrace Plateau_MortarTerrace the mortar (rp 101) stands by the road and,
// further on, a rock too high for a double jump closes it. Stop at the mortar and release the action
// key: the view moves out over the rock, and a shell fired as the gun stands (its first angle and
// strength: release action again) lands on that rock, which is lifted out of the map; jump leaves
// the mortar. Walk on right: past x 27700 the view holds the road's end, and past x 28300 the level
// is completed, short of the wall that closes the road at Plateau_EndX.
#include "tools/worlds/plateau.h"

#include "plateau/Plato_Ids.h"
#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "tools/MapWriter.h"
#include "tools/Road.h"
#include "util/Error.h"
#include "util/Pointf.h"

#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <utility>
#include <vector>

namespace PlateauWriter
{

namespace
{

// Textures of the shared image map: only those that repeat both ways, since the polygons take their
// texture coordinates from their world position.
constexpr unsigned int Brick = 2;
constexpr unsigned int Tile = 5;
constexpr unsigned int Stone = 9;
constexpr unsigned int Ground = Stone;
constexpr unsigned int Rock = Tile;
constexpr unsigned int Plank = Brick;

constexpr double Rise = Plateau_EndY / Plateau_Terraces;
constexpr double Bedrock = -400.0;
constexpr double SlabDepth = 20.0;
constexpr double BlockingRockHeight = 240.0; // beyond a double jump
constexpr double BlockingRockWidth = 60.0;
constexpr double LiftDepth = 750.0;

constexpr double pi = 3.14159265358979323846;

double TerraceX(int k)
{
    return k * Plateau_TerraceWidth;
}

double TerraceY(int k)
{
    return k * Rise;
}

void Box(MapWriter& map, double x0, double y0, double x1, double y1, unsigned int texture, unsigned int group = 0,
         bool solid = true)
{
    map.AddBox(x0, y0, x1, y1, texture, group, solid, false, 64);
}

// Walkers turn at limits inside it, so a ledge needs no kerbs and can be jumped onto from its ends.
void Ledge(MapWriter& map, double x0, double x1, double top)
{
    Box(map, x0, top - SlabDepth, x1, top, Plank);
}

void Ref(MapWriter& map, unsigned int id, double x, double y)
{
    map.AddRefPoint(id, x, y);
}

Pointf MortarPos()
{
    double const x = TerraceX(Plateau_MortarTerrace) + 100.0;
    return Pointf(x, RoadY(x) + 10.0);
}

void WriteRoad(MapWriter& map)
{
    for (int k = 0; k < Plateau_Terraces; ++k)
    {
        double const x0 = TerraceX(k);
        double const x1 = x0 + Plateau_FlatWidth;
        double const x2 = TerraceX(k + 1);
        Box(map, x0, Bedrock, x1, TerraceY(k), Ground);
        MapWriter_Poly ramp{Ground, 0, true, false, {}};
        for (auto [x, y] : std::vector<std::pair<double, double>>{
                 {x1, Bedrock}, {x1, TerraceY(k)}, {x2, TerraceY(k + 1)}, {x2, Bedrock}})
            ramp.points.push_back({x, y, x / 64.0, y / 64.0, true});
        map.AddPoly(ramp);
    }
    Box(map, TerraceX(Plateau_Terraces), Bedrock, Plateau_EndX, Plateau_EndY, Ground);
    Box(map, Plateau_EndX, Bedrock, Plateau_EndX + 100, Plateau_EndY + 900, Brick);
}

// Left of the start: the mine with its lift shaft, the miners and the carts' track, the hermit's hut
// with the television, the aerial's mast and the two chests, all on one floor at y = 0.
void WriteCamp(MapWriter& map)
{
    double const shaftX0 = -3150.0;
    double const shaftX1 = -3000.0;
    double const shaftFloor = -LiftDepth - SlabDepth;
    Box(map, -3300, -1000, -3150 - 50, 1000, Brick);
    Box(map, -3200, -1000, shaftX0, 0, Stone);
    Box(map, shaftX0, -1000, shaftX1, shaftFloor, Stone);
    Box(map, shaftX1, -1000, shaftX1 + 50, Bedrock, Stone);
    Box(map, shaftX1, Bedrock, 0, 0, Stone);
    // The lift fills the shaft's mouth, flush with the floor, and rides 750 down.
    Box(map, shaftX0 + 4, -SlabDepth, shaftX1 - 4, 0, Plank, 27);

    for (unsigned int i = 0; i < Plato_Miner_Count; ++i)
        Ref(map, Plato_Dude_StartPts + i, -2800.0 + 150.0 * i, 0);
    // The track loops over the mine hall; every point has its own place. Its rails are scenery.
    auto track = [](unsigned int i) { return Pointf(-2900.0 + 25.0 * i, 260.0 + 70.0 * std::sin(i * 0.35)); };
    for (unsigned int i = 0; i <= 40; ++i)
    {
        Pointf const a = track(i);
        Ref(map, 60 + i, a.x, a.y);
        if (i == 40)
            continue;
        Pointf const b = track(i + 1);
        MapWriter_Poly rail{Plank, 0, false, false, {}};
        for (Pointf const& p : {a, b, Pointf(b.x, b.y - 14), Pointf(a.x, a.y - 14)})
            rail.points.push_back({p.x, p.y - 12, p.x / 64.0, (p.y - 12) / 64.0, true});
        map.AddPoly(rail);
    }

    // The hut is scenery the hermit stands in front of.
    Box(map, -1720, 0, -1420, 150, Plank, 0, false);
    MapWriter_Poly roof{Brick, 0, false, false, {}};
    for (auto [x, y] : std::vector<std::pair<double, double>>{{-1750, 150}, {-1570, 230}, {-1390, 150}})
        roof.points.push_back({x, y, x / 64.0, y / 64.0, true});
    map.AddPoly(roof);
    Ref(map, Plato_TvRp, -1640, 0);
    Ref(map, Plato_HermitRp, -1500, 0);
    // The mast stands on the floor low enough to be reached from it.
    Box(map, -1203, 0, -1197, 10, Stone, 0, false);
    Ref(map, Plato_AerialRp, -1200, 10);
    Ref(map, Plato_GemRp, -800, 0);
    Ref(map, Plato_GemRp + 1, -650, 0);
}

void Goblin(MapWriter& map, unsigned int start, double x)
{
    Ref(map, start, x, RoadY(x) + Plateau_LedgeHeight + 1);
}

void Limit(MapWriter& map, unsigned int id, double x)
{
    Ref(map, id, x, RoadY(x) + Plateau_LedgeHeight);
}

void LedgeAt(MapWriter& map, double x0, double x1)
{
    Ledge(map, x0, x1, RoadY(x0) + Plateau_LedgeHeight);
}

// A row of ids under a ceiling slab: spiders hang from its underside, grethyns sit in it.
void CeilingRow(MapWriter& map, unsigned int first, unsigned int count, double x0, double gap, double height)
{
    double const y = RoadY(x0) + height;
    Box(map, x0 - 40, y, x0 + gap * (count - 1) + 40, y + SlabDepth, Rock);
    for (unsigned int i = 0; i < count; ++i)
        Ref(map, first + i, x0 + gap * i, y);
}

void Cactus(MapWriter& map, unsigned int id, double x)
{
    // 273 is the longest run of hops to the left; the ledge leaves more.
    LedgeAt(map, x - 330, x + 40);
    Ref(map, id, x, RoadY(x) + Plateau_LedgeHeight);
}

void Vulture(MapWriter& map, unsigned int start, unsigned int end, unsigned int swoop, double x)
{
    double const y = RoadY(x) + 380;
    Ref(map, start, x, y);
    Ref(map, end, x + 400, y);
    Ref(map, swoop, x + 200, y - 160);
}

// The shell is centred 17.5 above the ledge, which runs its charge and more to the left.
void Turtle(MapWriter& map, unsigned int rp, unsigned int group, double distance, double homeX)
{
    double const top = RoadY(homeX) + Plateau_LedgeHeight;
    Ledge(map, homeX - distance - 200, homeX + 120, top);
    double const cy = top + 17.5;
    MapWriter_Poly shell{Stone, group, true, false, {}};
    for (int i = 0; i <= 6; ++i)
    {
        double const a = pi * i / 6.0;
        double const x = homeX + 55.0 * std::cos(a);
        double const y = cy + 40.0 * std::sin(a) - 7.5 * (i == 0 || i == 6 ? 1.0 : 0.0);
        shell.points.push_back({x, y, x / 64.0, y / 64.0, true});
    }
    map.AddPoly(shell);
    Ref(map, rp, homeX, cy);
}

void Shmoos(MapWriter& map, unsigned int first, unsigned int count, double x0)
{
    LedgeAt(map, x0 - 30, x0 + 30.0 * count);
    for (unsigned int i = 0; i < count; ++i)
    {
        double const x = x0 + 30.0 * i;
        double const ground = RoadY(x0) + Plateau_LedgeHeight;
        Ref(map, first + 2 * i, x, ground + 20);
        Ref(map, first + 2 * i + 1, x, ground + 60 + 10 * (i % 4));
    }
}

void Tumbleweed(MapWriter& map, unsigned int start, unsigned int end, int terrace)
{
    double const x0 = TerraceX(terrace);
    Ref(map, start, x0 + 1500, TerraceY(terrace) + 12);
    Ref(map, end, x0 + 150, TerraceY(terrace) + 12);
}

void WriteMortar(MapWriter& map)
{
    Pointf const pos = MortarPos();
    Ref(map, Plato_MortarRp, pos.x, pos.y);
    double const road = RoadY(pos.x);
    double const x = BlockingRockX();
    Box(map, x, road, x + BlockingRockWidth, road + BlockingRockHeight, Rock, 1);
    // The other rocks lie on a ledge beyond, where a stronger or flatter shot comes down.
    double const ledge0 = x + BlockingRockWidth + 60;
    LedgeAt(map, ledge0, ledge0 + 230);
    double const top = road + Plateau_LedgeHeight;
    for (unsigned int g = 2; g <= 26; ++g)
    {
        double const bx = ledge0 + 12 + 8.0 * (g - 2);
        Box(map, bx, top, bx + 7, top + 16, Rock, g);
    }
}

void WriteCreatures(MapWriter& map)
{
    auto x = [](int k, double dx) { return TerraceX(k) + dx; };
    // Terrace 0: a goblin and rats.
    LedgeAt(map, x(0, 450), x(0, 1050));
    Goblin(map, 0, x(0, 750));
    Limit(map, 1, x(0, 500));
    Limit(map, 2, x(0, 1000));
    LedgeAt(map, x(0, 1100), x(0, 1550));
    Ref(map, 27, x(0, 1150), RoadY(x(0, 1150)) + Plateau_LedgeHeight + 1);
    Limit(map, 28, x(0, 1500));
    Vulture(map, 4, 5, 17, x(0, 300));
    // Terrace 1.
    LedgeAt(map, x(1, 50), x(1, 600));
    Goblin(map, 16, x(1, 300));
    Limit(map, 14, x(1, 100));
    Limit(map, 15, x(1, 550));
    Cactus(map, 33, x(1, 1400));
    Tumbleweed(map, 22, 23, 1);
    // Terrace 2.
    CeilingRow(map, 107, 15, x(2, 150), 60, Plateau_CeilingHeight);
    Shmoos(map, 122, 1, x(2, 1350));
    Vulture(map, 6, 7, 18, x(2, 1100));
    // Terrace 3.
    Turtle(map, 106, 28, 260.0, x(3, 560));
    CeilingRow(map, 35, 14, x(3, 800), 50, Plateau_LedgeHeight + 30);
    // Terrace 4: the mortar and the rocks.
    WriteMortar(map);
    // Terrace 5.
    LedgeAt(map, x(5, 50), x(5, 700));
    Goblin(map, 49, x(5, 100));
    Goblin(map, 50, x(5, 650));
    Cactus(map, 34, x(5, 1450));
    Vulture(map, 8, 9, 19, x(5, 200));
    // Terrace 6.
    Turtle(map, 124, 29, 500.0, x(6, 800));
    LedgeAt(map, x(6, 1000), x(6, 1550));
    Ref(map, 259, x(6, 1050), RoadY(x(6, 1050)) + Plateau_LedgeHeight + 1);
    Limit(map, 260, x(6, 1500));
    Tumbleweed(map, 29, 30, 6);
    // Terrace 7.
    Turtle(map, 125, 30, 710.0, x(7, 1000));
    LedgeAt(map, x(7, 1200), x(7, 1580));
    Ref(map, 261, x(7, 1250), RoadY(x(7, 1250)) + Plateau_LedgeHeight + 1);
    Limit(map, 262, x(7, 1530));
    Vulture(map, 10, 11, 20, x(7, 300));
    // Terrace 8.
    CeilingRow(map, 126, 15, x(8, 100), 60, Plateau_CeilingHeight);
    LedgeAt(map, x(8, 1000), x(8, 1590));
    Limit(map, 105, x(8, 1030));
    Goblin(map, 103, x(8, 1100));
    Goblin(map, 102, x(8, 1400));
    Limit(map, 104, x(8, 1560));
    // Terrace 9.
    CeilingRow(map, 141, 21, x(9, 80), 50, Plateau_LedgeHeight + 30);
    Cactus(map, 51, x(9, 1540));
    Vulture(map, 12, 13, 21, x(9, 300));
    // Terrace 10.
    Shmoos(map, 162, 47, x(10, 80));
    // Terrace 11.
    Turtle(map, 258, 31, 350.0, x(11, 600));
    CeilingRow(map, 263, 18, x(11, 800), 45, Plateau_CeilingHeight);
    // Terrace 12.
    Shmoos(map, 281, 34, x(12, 80));
    LedgeAt(map, x(12, 1150), x(12, 1590));
    Goblin(map, 371, x(12, 1180));
    Goblin(map, 372, x(12, 1360));
    Goblin(map, 373, x(12, 1400));
    Goblin(map, 374, x(12, 1560));
    Vulture(map, 52, 53, 54, x(12, 300));
    Tumbleweed(map, 31, 32, 12);
    // The last level stretch.
    CeilingRow(map, 349, 22, x(13, 100), 50, Plateau_LedgeHeight + 30);
}

void Save(Canvas const& canvas, std::string const& dir, std::string const& name)
{
    std::filesystem::path const path = std::filesystem::path(dir) / name;
    DataGen::MakeDirs(path.parent_path().string());
    canvas.WritePng(path.string());
}

Rgba const Black{0, 0, 0, 255};
Rgba const Skin{240, 200, 160, 255};

Canvas Person(Rgba coat, Rgba hat, double pick)
{
    Canvas c(32, 32);
    c.Line(16, 20, 12, 31, 3, Rgba{60, 50, 40, 255});
    c.Line(16, 20, 20, 31, 3, Rgba{60, 50, 40, 255});
    c.Line(16, 11, 16, 21, 8, coat);
    c.FillCircle(17, 7, 5, Skin);
    c.FillCircle(19, 6, 1, Black);
    c.FillEllipse(17, 3, 6, 2.5, hat);
    if (pick >= 0.0)
    {
        // The pick swings from overhead (0) down to the ground (1).
        double const a = -1.2 + 2.4 * pick;
        double const hx = 18 + 12 * std::cos(a), hy = 14 + 12 * std::sin(a);
        c.Line(18, 14, hx, hy, 2, Rgba{120, 80, 40, 255});
        c.Line(hx - 4 * std::sin(a), hy + 4 * std::cos(a), hx + 4 * std::sin(a), hy - 4 * std::cos(a), 2,
               Rgba{170, 170, 180, 255});
    }
    return c;
}

void WritePictures(std::string const& dir)
{
    for (int i = 0; i < 6; ++i)
        Save(Person(Rgba{70, 90, 160, 255}, Rgba{240, 200, 0, 255}, i / 5.0), dir,
             "gfx/plateau/miner0" + std::to_string(i) + ".png");
    Canvas hermit = Person(Rgba{110, 80, 50, 255}, Rgba{90, 90, 90, 255}, -1.0);
    hermit.Line(14, 11, 13, 20, 4, Rgba{230, 230, 230, 255}); // the beard
    Save(hermit, dir, "gfx/plateau/hermit.png");

    Canvas weed(32, 32);
    for (int i = 0; i < 12; ++i)
    {
        double const a = i * pi / 6.0;
        weed.Line(16 + 13 * std::cos(a), 16 + 13 * std::sin(a), 16 - 13 * std::cos(a + 1.0),
                  16 - 13 * std::sin(a + 1.0), 1.5, Rgba{170, 140, 70, 255});
    }
    Save(weed, dir, "gfx/plateau/tumbleweed.png");

    Canvas aerial(64, 16);
    aerial.Line(0, 8, 63, 8, 2, Rgba{180, 180, 190, 255});
    for (int i = 1; i < 6; ++i)
        aerial.Line(i * 11.0, 2, i * 11.0, 14, 1.5, Rgba{200, 200, 210, 255});
    Save(aerial, dir, "gfx/plateau/aerial.png");

    // The picture the tuned set shows: a landscape with the sun.
    Canvas picture(320, 240, Rgba{110, 170, 240, 255});
    picture.FillRect(0, 150, 320, 90, Rgba{70, 150, 60, 255});
    picture.FillCircle(250, 60, 30, Rgba{250, 220, 60, 255});
    picture.FillEllipse(100, 160, 120, 40, Rgba{60, 120, 50, 255});
    picture.FrameRect(0, 0, 320, 240, 6, Rgba{40, 40, 40, 255});
    Save(picture, dir, "gfx/plateau/tvpicture.png");

    for (int f = 0; f < 4; ++f)
    {
        Canvas tv(32, 32);
        tv.FillRect(2, 6, 28, 24, Rgba{80, 60, 40, 255});
        tv.Line(10, 0, 16, 6, 1, Black);
        tv.Line(22, 0, 16, 6, 1, Black);
        for (int y = 9; y < 26; ++y)
            for (int x = 5; x < 24; ++x)
            {
                std::uint8_t const v = static_cast<std::uint8_t>(((x * 37 + y * 91 + f * 53) * 2654435761u) >> 24);
                tv.Set(x, y,
                       f == 3 ? (y < 18 ? Rgba{110, 170, 240, 255} : Rgba{70, 150, 60, 255}) : Rgba{v, v, v, 255});
            }
        tv.FillCircle(27, 14, 1.5, Rgba{200, 40, 40, 255});
        Save(tv, dir, "gfx/plateau/tv" + std::to_string(f) + ".png");
    }

    Rgba const turtle{70, 120, 60, 255};
    Canvas head(32, 32);
    head.FillEllipse(14, 16, 13, 10, turtle);
    head.FillCircle(8, 12, 2.5, Rgba{255, 230, 0, 255});
    head.Line(2, 20, 12, 21, 2, Black);
    Save(head, dir, "gfx/plateau/caveturtle/head.png");
    Canvas front(24, 24);
    front.FillEllipse(12, 10, 6, 10, turtle);
    front.FillEllipse(9, 20, 7, 3, Rgba{40, 80, 40, 255});
    Save(front, dir, "gfx/plateau/caveturtle/frontfoot.png");
    Canvas back(24, 24);
    back.FillEllipse(12, 10, 7, 10, Rgba{90, 140, 70, 255});
    back.FillEllipse(15, 20, 7, 3, Rgba{40, 80, 40, 255});
    Save(back, dir, "gfx/plateau/caveturtle/backfoot.png");
    Canvas spike(20, 20);
    spike.FillPolygon({4, 19, 10, 0, 16, 19}, Rgba{230, 230, 220, 255});
    Save(spike, dir, "gfx/plateau/caveturtle/spike.png");

    Canvas cart(32, 32);
    cart.FillPolygon({2, 8, 30, 8, 26, 24, 6, 24}, Rgba{110, 110, 120, 255});
    cart.FillEllipse(16, 8, 12, 4, Rgba{90, 60, 40, 255});
    cart.FillCircle(9, 26, 4, Black);
    cart.FillCircle(23, 26, 4, Black);
    Save(cart, dir, "gfx/plateau/minecart.png");

    Canvas stand(48, 32);
    stand.FillPolygon({4, 31, 14, 8, 34, 8, 44, 31}, Rgba{100, 70, 40, 255});
    stand.FillCircle(24, 10, 7, Rgba{60, 60, 60, 255});
    Save(stand, dir, "gfx/plateau/mortar-stand.png");
    Canvas gun(16, 48);
    gun.FillRect(3, 0, 10, 44, Rgba{50, 50, 55, 255});
    gun.FillRect(1, 0, 14, 5, Rgba{90, 90, 95, 255});
    Save(gun, dir, "gfx/plateau/mortar-gun.png");

    Canvas boom(64, 64);
    boom.FillCircle(32, 32, 30, Rgba{200, 40, 10, 220});
    boom.FillCircle(32, 32, 20, Rgba{250, 150, 20, 240});
    boom.FillCircle(32, 32, 10, Rgba{255, 250, 180, 255});
    Save(boom, dir, "gfx/general/explosion.png");

    // Sky over distant mesas; drawn at 0.52 it covers the 640 x 480 screen and the wobble margins.
    Canvas sky(1280, 960);
    for (int y = 0; y < 960; ++y)
    {
        double const f = y / 959.0;
        sky.FillRect(0, y, 1280, 1,
                     Rgba{static_cast<std::uint8_t>(90 + 150 * f), static_cast<std::uint8_t>(140 + 80 * f),
                          static_cast<std::uint8_t>(220 - 40 * f), 255});
    }
    for (int i = 0; i < 5; ++i)
    {
        double const cx = 130 + 260 * i;
        double const w = 90 + 30 * (i % 3);
        double const top = 560 + 60 * (i % 2);
        sky.FillPolygon({cx - w - 40, 960, cx - w, top, cx + w, top, cx + w + 40, 960}, Rgba{170, 100, 70, 255});
    }
    Save(sky, dir, "gfx/plateau/background.png");
}

} // namespace

double RoadY(double x)
{
    if (x <= 0.0)
        return 0.0;
    int const k = static_cast<int>(x / Plateau_TerraceWidth);
    if (k >= Plateau_Terraces)
        return Plateau_EndY;
    double const local = x - TerraceX(k);
    if (local <= Plateau_FlatWidth)
        return TerraceY(k);
    return TerraceY(k) + Rise * (local - Plateau_FlatWidth) / (Plateau_TerraceWidth - Plateau_FlatWidth);
}

double BlockingRockX()
{
    // Follows the shell the mortar's trace follows until it comes down through half the rock's height.
    Pointf const pos = MortarPos();
    double const speed = Plateau_ShotStrength * 5.2 + 10.0;
    double vx = std::sin(Plateau_ShotAngle) * speed;
    double vy = std::cos(Plateau_ShotAngle) * speed;
    double qx = pos.x + 0.8, qy = pos.y + 8.0;
    double const target = RoadY(pos.x) + BlockingRockHeight / 2;
    while (!(vy < 0.0 && qy < target))
    {
        qx += vx;
        qy += vy;
        vy -= 0.2;
    }
    return std::floor(qx);
}

std::vector<Road> BuildRoads()
{
    // From the start right to the mortar, whose shot as it stands lifts the rock closing the road
    // (the gun is taken and fired by the action key, left by a jump, and the shell is let land),
    // then right up the terraces to the exit, short of the closing wall.
    Pointf const gun = MortarPos();
    Road road("exit");
    road.Walk(200.0, RoadY(200.0));
    road.Press(gun.x - 10.0, RoadY(gun.x), "mortar", 100).Press(gun.x - 10.0, RoadY(gun.x), "fire", 10);
    road.Hop(gun.x - 10.0, RoadY(gun.x), "leave the mortar", 150);
    double const pastRock = BlockingRockX() + BlockingRockWidth + 100.0;
    road.Walk(pastRock, RoadY(pastRock)).Exit(Plateau_EndX - 50.0, Plateau_EndY);
    return {road};
}

void Write(std::string const& dir)
{
    DataGen::MakeDirs(dir + "/plateau");
    MapWriter map;
    map.SetView(0, -100, 1);
    WriteRoad(map);
    WriteCamp(map);
    WriteCreatures(map);
    Ref(map, Plato_StartRp, 200, 1);
    std::string const path = dir + "/plateau/map";
    try
    {
        map.Write(path.c_str());
    }
    catch (Error const& err)
    {
        throw std::runtime_error(std::string("cannot write ") + err.Text());
    }
    Road::Write(dir + "/plateau/road", BuildRoads());
    WritePictures(dir);
}

} // namespace PlateauWriter
