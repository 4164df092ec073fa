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
#include "tools/Figure.h"
#include "tools/MapDressing.h"
#include "tools/MapTextures.h"
#include "tools/MapWriter.h"
#include "tools/Road.h"
#include "util/Pointf.h"

#include <algorithm>
#include <cmath>
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
constexpr double LiftGroove = 10.0;      // how far the lift's ends reach into the shaft's walls
constexpr double MastMoundHeight = 30.0; // the mounds the aerials are turned from
constexpr double MastMoundTop = 40.0;    // the level width of each, beside the mast's slot
constexpr double MastMoundRamp = 50.0;   // its slope down to the floor

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
    MapDressing::OuterWall(map, Plateau_EndX, Bedrock, Plateau_EndX + 100, Plateau_EndY + 900, false, Brick);
}

// Left of the start: the mine with its lift shaft, the miners and the carts' track, the hermit's hut
// with the television, the aerial's mast and the two chests, all on one floor at y = 0.
void WriteCamp(MapWriter& map)
{
    double const shaftX0 = -3150.0;
    double const shaftX1 = -3000.0;
    MapDressing::OuterWall(map, -3300, -1000, -3150 - 50, 1000, true, Brick);
    // The shaft's foot is level with the lift's top at the bottom of its ride, the lift sunk into it,
    // so that nobody stands under the lift as it comes down; the foot runs under both walls, leaving
    // no crack at their faces for a foot to be pushed down. It is rock, not ground: no path is laid
    // over its top, where it would be drawn over the lift standing in it.
    double const liftLowest = -LiftDepth - SlabDepth;
    Box(map, -3200, -1000, shaftX1 + 50, -LiftDepth, Brick);
    // The lift fills the shaft from wall to wall, flush with the floor, and rides 750 down: no seam
    // at either side for a foot to drop through, and it is walked onto and off level. Its ends run
    // in grooves in the walls, which are drawn over them down to its lowest: a lift's end on a wall's
    // face would make a crack that holds a foot pressed into it as the lift moves.
    Box(map, shaftX0 - LiftGroove, -SlabDepth, shaftX1 + LiftGroove, 0, Plank, 27);
    Box(map, -3200, liftLowest, shaftX0, 0, Stone);
    Box(map, shaftX1, liftLowest, shaftX1 + 50, Bedrock, Stone);
    Box(map, shaftX1, Bedrock, 0, 0, Stone);

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
    // The mast stands in a slot between two low mounds, too narrow to step into; its aerials are
    // turned from the mounds' tops beside it, from where the game's close view looks down on them,
    // below the television's panel at the top of the screen.
    double const mastX = -1200.0;
    double const slot = 6.0;
    for (double side : {-1.0, 1.0})
    {
        MapWriter_Poly mound{Ground, 0, true, false, {}};
        double const inner = mastX + side * slot;
        double const top = mastX + side * (slot + MastMoundTop);
        double const foot = top + side * MastMoundRamp;
        std::vector<std::pair<double, double>> corners = {
            {inner, 0}, {inner, MastMoundHeight}, {top, MastMoundHeight}, {foot, 0}};
        if (side < 0)
            corners = {{foot, 0}, {top, MastMoundHeight}, {inner, MastMoundHeight}, {inner, 0}};
        for (auto [x, y] : corners)
            mound.points.push_back({x, y, x / 64.0, y / 64.0, true});
        map.AddPoly(mound);
    }
    // The aerials hang 16, 32 and 48 over the mast's point; the pole reaches just past the top one.
    double const aerialY = MastMoundHeight - 24.0;
    Box(map, mastX - 3, 0, mastX + 3, aerialY + 56.0, Stone, 0, false);
    Ref(map, Plato_AerialRp, mastX, aerialY);
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

// A miner in orange overalls and a yellow hard hat with its lamp, swinging a pick.
Canvas Miner(double pick)
{
    Figure_Look look;
    look.clothes = Rgba{220, 120, 30, 255};
    look.trim = Rgba{150, 150, 140, 255};
    look.legs = Rgba{200, 110, 30, 255};
    look.boots = Rgba{70, 55, 45, 255};
    look.hair = Rgba{60, 45, 35, 255};
    look.hat = Rgba{245, 205, 30, 255};
    look.hatStyle = Figure_Hat::Helmet;
    look.dress = Figure_Clothes::Overalls;
    look.holds = Figure_Holds::Pick;
    look.build = 1.2;
    Figure_Pose pose;
    pose.tool = pick;
    Canvas c(32, 32);
    DrawFigure(c, look, pose);
    return c;
}

// The hermit: bald, a long grey beard, a patched brown robe.
Canvas Hermit()
{
    Figure_Look look;
    look.clothes = Rgba{125, 90, 55, 255};
    look.trim = Rgba{90, 65, 40, 255};
    look.hair = Rgba{170, 170, 165, 255};
    look.hairStyle = Figure_Hair::Bald;
    look.beard = Rgba{200, 200, 195, 255};
    look.dress = Figure_Clothes::Robe;
    look.holds = Figure_Holds::Staff;
    look.build = 0.9;
    Canvas c(32, 32);
    DrawFigure(c, look, Figure_Pose{});
    return c;
}

// A tumbleweed: a ball of dry, tangled twigs.
Canvas Tumbleweed()
{
    Canvas c(24, 24);
    Canvas_Scatter scatter(7);
    Rgba const twig{170, 130, 65, 255};
    c.Fill(Canvas_Shape::Circle(12, 12, 10.5), Rgba{150, 115, 60, 120});
    for (int i = 0; i < 26; ++i)
    {
        double const a0 = scatter.Next(0.0, 2 * pi), a1 = a0 + scatter.Next(1.2, 3.0);
        double const r0 = scatter.Next(5.0, 11.0), r1 = scatter.Next(5.0, 11.0);
        c.Trace(Canvas_Shape()
                    .MoveTo(12 + r0 * std::cos(a0), 12 + r0 * std::sin(a0))
                    .CurveTo(12 + 3 * std::cos(a0 + 1), 12 + 3 * std::sin(a0 + 1), 12 + 3 * std::cos(a1 - 1),
                             12 + 3 * std::sin(a1 - 1), 12 + r1 * std::cos(a1), 12 + r1 * std::sin(a1)),
                Canvas_Pen{i % 3 == 0 ? twig.Shade(0.6) : twig, 1.4});
    }
    return c;
}

// One aerial of the hermit's mast, at one pixel to a unit: a clamp on the mast at its left end, a boom,
// and elements shorter towards its far end.
Canvas Aerial()
{
    Canvas c(64, 16);
    Rgba const metal{195, 200, 210, 255};
    Canvas_Pen const ink{Rgba{50, 50, 60, 255}, 0.8};
    for (int i = 0; i < 6; ++i)
    {
        double const x = 14.0 + i * 9.6;
        double const half = 7.0 - i * 0.9;
        c.Draw(Canvas_Shape::Capsule(x, 8 - half, x, 8 + half, 1.8), metal, ink);
    }
    c.Draw(Canvas_Shape::Capsule(2, 8, 62, 8, 2.6), Canvas_Paint::Lit(metal, 6.5, 9.5), ink);
    c.Draw(Canvas_Shape::RoundRect(0.5, 4.5, 6, 7, 1.5), Canvas_Paint::Lit(Rgba{90, 90, 100, 255}, 4.5, 11.5), ink);
    return c;
}

// The hermit's television: a wooden cabinet on short legs with a rounded screen, two knobs and an aerial
// socket; the screen shows noise (frames 0 to 2) or the picture (frame 3).
Canvas Television(int frame)
{
    Canvas c(32, 32);
    Canvas_Pen const ink{Rgba{40, 28, 20, 255}, 1.0};
    Rgba const wood{125, 80, 45, 255};
    c.Line(10, 1, 16, 7, Canvas_Pen{Rgba{60, 60, 60, 255}, 1.0});
    c.Line(22, 0.5, 16, 7, Canvas_Pen{Rgba{60, 60, 60, 255}, 1.0});
    c.Draw(Canvas_Shape::Capsule(7, 27, 6, 31, 2), wood.Shade(0.7), ink);
    c.Draw(Canvas_Shape::Capsule(25, 27, 26, 31, 2), wood.Shade(0.7), ink);
    c.Draw(Canvas_Shape::RoundRect(1.5, 7, 29, 21, 3), Canvas_Paint::Lit(wood, 7, 28), ink);
    Canvas_Shape const screen = Canvas_Shape::RoundRect(4, 10, 18, 15, 4);
    if (frame == 3)
    {
        c.Fill(screen, Canvas_Paint::Linear(0, 10, 0, 25, Rgba{120, 180, 245, 255}, Rgba{190, 225, 255, 255}));
        c.Fill(Canvas_Shape::Blob({4, 25, 5, 19, 11, 17, 17, 20, 22, 18, 22, 25}), Rgba{80, 160, 70, 255});
        c.Fill(Canvas_Shape::Circle(17, 14, 2), Rgba{250, 225, 70, 255});
    }
    else
    {
        c.Fill(screen, Rgba{90, 90, 90, 255});
        for (int y = 10; y < 25; ++y)
            for (int x = 4; x < 22; ++x)
            {
                std::uint8_t const v =
                    static_cast<std::uint8_t>(60 + (((x * 37 + y * 91 + frame * 53) * 2654435761u) >> 24) * 180 / 255);
                c.Fill(Canvas_Shape::Rect(x, y, 1, 1), Rgba{v, v, v, 200});
            }
    }
    c.Trace(screen, ink);
    c.Draw(Canvas_Shape::Circle(26.5, 13, 1.8), Rgba{210, 190, 120, 255}, ink);
    c.Draw(Canvas_Shape::Circle(26.5, 19, 1.8), Rgba{210, 190, 120, 255}, ink);
    c.Fill(Canvas_Shape::Circle(26.5, 24, 1.0), frame == 3 ? Rgba{80, 230, 80, 255} : Rgba{220, 50, 40, 255});
    return c;
}

// What the tuned set shows on its panel: a green valley under a summer sky, framed. The panel is as
// big as the picture and hangs from near the screen's top; this small, it leaves the mast and its
// aerials in view below it. Drawn on a 320 x 240 plan.
Canvas TvPicture()
{
    Canvas c(144, 108);
    Canvas::Frame const small = c.Scaled(0.45, 0.45, 0, 0);
    c.Fill(Canvas_Shape::Rect(0, 0, 320, 240),
           Canvas_Paint::Linear(0, 0, 0, 160, Rgba{70, 130, 230, 255}, Rgba{190, 220, 250, 255}));
    c.Fill(Canvas_Shape::Circle(250, 60, 26),
           Canvas_Paint::Radial(250, 60, 40, Rgba{255, 250, 200, 255}, Rgba{255, 200, 60, 255}));
    for (int i = 0; i < 3; ++i)
        c.Fill(Canvas_Shape::Blob({40.0 + 90 * i, 60.0 + 15 * i, 70.0 + 90 * i, 45.0 + 15 * i, 100.0 + 90 * i,
                                   60.0 + 15 * i, 70.0 + 90 * i, 70.0 + 15 * i}),
               Rgba{255, 255, 255, 220});
    c.Fill(Canvas_Shape::Blob({-20, 170, 60, 120, 150, 150, 240, 115, 340, 160, 340, 250, -20, 250}),
           Canvas_Paint::Lit(Rgba{90, 160, 80, 255}, 115, 250));
    c.Fill(Canvas_Shape::Blob({-20, 210, 90, 170, 200, 200, 340, 180, 340, 250, -20, 250}),
           Canvas_Paint::Lit(Rgba{60, 130, 55, 255}, 170, 250));
    c.Trace(Canvas_Shape::RoundRect(3, 3, 314, 234, 12), Canvas_Pen{Rgba{45, 40, 40, 255}, 6});
    return c;
}

// The cave turtle's parts. The head is drawn with its neck's root at the picture's lower right corner,
// which the level puts on the shell's edge, so that the neck comes out of the shell.
Rgba const TurtleSkin{120, 150, 70, 255};

Canvas TurtleHead()
{
    Canvas c(32, 32);
    Canvas_Pen const ink{Rgba{30, 35, 20, 255}, 1.0};
    c.Draw(Canvas_Shape::Capsule(31, 31, 17, 19, 11), Canvas_Paint::Lit(TurtleSkin, 12, 32), ink);
    c.Draw(Canvas_Shape::Blob({2, 17, 6, 9, 14, 7, 21, 11, 23, 18, 17, 24, 7, 24}),
           Canvas_Paint::Radial(11, 11, 16, TurtleSkin.Shade(1.25), TurtleSkin.Shade(0.8)), ink);
    c.Draw(Canvas_Shape::Circle(9.5, 12.5, 2.8), Rgba{255, 230, 60, 255}, ink);
    c.Fill(Canvas_Shape::Ellipse(9.0, 12.5, 0.9, 2.0), Rgba{20, 10, 10, 255});
    c.Trace(Canvas_Shape().MoveTo(2.5, 18).CurveTo(7, 21, 12, 21, 16, 19), Canvas_Pen{Rgba{40, 50, 25, 255}, 1.2});
    c.Fill(Canvas_Shape::Polygon({3.5, 18.4, 5.5, 18.9, 4.3, 21.2}), Rgba{245, 245, 230, 255});
    for (int i = 0; i < 3; ++i)
        c.Fill(Canvas_Shape::Ellipse(22.0 + 3 * i, 22.0 + 3 * i, 1.4, 0.8), TurtleSkin.Shade(0.7));
    return c;
}

Canvas TurtleFoot(bool front)
{
    Canvas c(24, 24);
    Rgba const skin = front ? TurtleSkin : TurtleSkin.Shade(0.75);
    Canvas_Pen const ink{Rgba{30, 35, 20, 255}, 1.0};
    c.Draw(Canvas_Shape::Capsule(12, 3, 12, 18, 10), Canvas_Paint::Lit(skin, 0, 20), ink);
    c.Draw(Canvas_Shape::Blob({4, 23.5, 5, 18, 12, 16, 19, 18, 20, 23.5}), skin.Shade(0.9), ink);
    for (double x : {7.0, 12.0, 17.0})
        c.Fill(Canvas_Shape::Polygon({x - 1.4, 23.5, x + 1.4, 23.5, x, 21.2}), Rgba{235, 230, 210, 255});
    return c;
}

Canvas TurtleSpike()
{
    Canvas c(20, 20);
    c.Draw(Canvas_Shape::Polygon({4, 19.5, 10, 0.5, 16, 19.5}),
           Canvas_Paint::Linear(4, 0, 16, 0, Rgba{250, 245, 235, 255}, Rgba{170, 160, 140, 255}),
           Canvas_Pen{Rgba{60, 55, 45, 255}, 0.9});
    return c;
}

// A mine cart: a riveted iron tub full of ore on two wheels.
Canvas MineCart()
{
    Canvas c(24, 24);
    Canvas_Pen const ink{Rgba{30, 25, 25, 255}, 0.9};
    Canvas_Scatter scatter(11);
    for (int i = 0; i < 9; ++i)
    {
        double const x = scatter.Next(5, 19), y = scatter.Next(5, 8);
        c.Draw(Canvas_Shape::Circle(x, y, scatter.Next(1.8, 2.8)),
               Rgba{120, 100, 80, 255}.Shade(scatter.Next(0.7, 1.2)), Canvas_Pen{Rgba{50, 40, 30, 255}, 0.5});
    }
    c.Draw(Canvas_Shape::Polygon({1, 7, 23, 7, 20, 19, 4, 19}), Canvas_Paint::Lit(Rgba{120, 120, 130, 255}, 7, 19),
           ink);
    c.Line(2, 10, 22, 10, Canvas_Pen{Rgba{80, 80, 90, 255}, 1.0});
    for (double x : {5.0, 12.0, 19.0})
        c.Fill(Canvas_Shape::Circle(x, 14.5, 0.8), Rgba{200, 200, 210, 255});
    for (double x : {7.0, 17.0})
    {
        c.Draw(Canvas_Shape::Circle(x, 20, 3.6), Rgba{50, 50, 55, 255}, ink);
        c.Fill(Canvas_Shape::Circle(x, 20, 1.2), Rgba{170, 170, 175, 255});
    }
    return c;
}

// The mortar: a squat wooden stand with a steel trunnion, and the gun barrel, pointing up, that turns on
// it 30% of the way up from its foot.
Canvas MortarStand()
{
    Canvas c(48, 32);
    Canvas_Pen const ink{Rgba{35, 25, 20, 255}, 1.0};
    c.Draw(Canvas_Shape::Polygon({3, 31, 12, 12, 36, 12, 45, 31}), Canvas_Paint::Lit(Rgba{125, 85, 45, 255}, 12, 31),
           ink);
    c.Line(8, 24, 40, 24, Canvas_Pen{Rgba{80, 55, 30, 255}, 1.2});
    c.Draw(Canvas_Shape::Circle(24, 13, 7),
           Canvas_Paint::Radial(22, 11, 8, Rgba{170, 170, 180, 255}, Rgba{60, 60, 70, 255}), ink);
    c.Fill(Canvas_Shape::Circle(24, 13, 2), Rgba{40, 40, 45, 255});
    return c;
}

Canvas MortarGun()
{
    Canvas c(16, 48);
    Canvas_Pen const ink{Rgba{25, 25, 30, 255}, 1.0};
    c.Draw(Canvas_Shape::RoundRect(2.5, 2, 11, 44, 4),
           Canvas_Paint::Linear(2.5, 0, 13.5, 0, Rgba{120, 120, 130, 255}, Rgba{40, 40, 48, 255}), ink);
    c.Draw(Canvas_Shape::RoundRect(0.5, 0.5, 15, 6, 2),
           Canvas_Paint::Linear(0.5, 0, 15.5, 0, Rgba{150, 150, 160, 255}, Rgba{60, 60, 70, 255}), ink);
    c.Fill(Canvas_Shape::Ellipse(8, 3.4, 5, 1.6), Rgba{15, 15, 18, 255});
    c.Line(3, 20, 13, 20, Canvas_Pen{Rgba{30, 30, 35, 255}, 1.2});
    c.Line(3, 34, 13, 34, Canvas_Pen{Rgba{30, 30, 35, 255}, 1.2});
    return c;
}

// A burst of fire: hot yellow at the heart, red flames out to ragged points, fading at the edge.
Canvas Explosion()
{
    Canvas c(64, 64);
    std::vector<double> points;
    for (int i = 0; i < 16; ++i)
    {
        double const a = i * pi / 8.0, r = i % 2 == 0 ? 31.0 : 20.0;
        points.push_back(32 + r * std::cos(a));
        points.push_back(32 + r * std::sin(a));
    }
    c.Fill(Canvas_Shape::Polygon(points),
           Canvas_Paint::Radial(32, 32, 31, Rgba{255, 120, 30, 230}, Rgba{180, 30, 10, 120}));
    c.Fill(Canvas_Shape::Circle(32, 32, 18),
           Canvas_Paint::Radial(32, 32, 18, Rgba{255, 255, 220, 255}, Rgba{255, 160, 30, 200})
               .Stop(0.5, Rgba{255, 230, 90, 250}));
    return c;
}

// The plateau's sky, drawn at 0.52 so that it covers the 640 x 480 screen and the wobble margins: a
// deep blue overhead paling to a dusty horizon, a low sun, and two ranges of red mesas, the far one
// hazy.
Canvas Background()
{
    Canvas c(1280, 960);
    c.Fill(Canvas_Shape::Rect(0, 0, 1280, 960),
           Canvas_Paint::Linear(0, 0, 0, 700, Rgba{60, 110, 200, 255}, Rgba{235, 215, 180, 255})
               .Stop(0.6, Rgba{150, 185, 230, 255}));
    c.Fill(Canvas_Shape::Circle(980, 420, 160),
           Canvas_Paint::Radial(980, 420, 160, Rgba{255, 245, 200, 170}, Rgba{255, 230, 160, 0}));
    c.Fill(Canvas_Shape::Circle(980, 420, 46), Rgba{255, 248, 215, 255});
    for (int i = 0; i < 3; ++i)
        c.Fill(Canvas_Shape::Blob({150.0 + 420 * i, 100.0 + 30 * i, 260.0 + 420 * i, 70.0 + 30 * i, 380.0 + 420 * i,
                                   95.0 + 30 * i, 270.0 + 420 * i, 115.0 + 30 * i}),
               Rgba{255, 255, 255, 150});
    // Each mesa: a flat top, steep sides, a lit face and a shadowed one.
    auto mesa = [&c](double x, double top, double w, double base, Rgba colour) {
        c.Fill(Canvas_Shape::Polygon({x - w - 60, base, x - w, top + 10, x - w + 10, top, x + w - 10, top, x + w,
                                      top + 10, x + w + 60, base}),
               Canvas_Paint::Lit(colour, top, base));
        c.Fill(Canvas_Shape::Polygon(
                   {x + w * 0.3, top, x + w - 10, top, x + w, top + 10, x + w + 60, base, x + w * 0.4, base}),
               colour.Shade(0.8).WithAlpha(200));
        for (int band = 1; band < 4; ++band)
            c.Line(x - w - 10, top + band * (base - top) / 4.5, x + w + 10, top + band * (base - top) / 4.5,
                   Canvas_Pen{colour.Shade(0.85), 4});
    };
    // The road crosses the screen about half way up, where the sky meets the ground at 480 rows
    // from the picture's top; the mesas stand on that line.
    Rgba const far{205, 150, 130, 255}, nearColour{180, 90, 55, 255};
    for (int i = 0; i < 4; ++i)
        mesa(160 + 340 * i, 330 + 40 * (i % 2), 110 + 30 * (i % 3), 700, far);
    for (int i = 0; i < 3; ++i)
        mesa(330 + 420 * i, 410 + 30 * (i % 2), 90 + 40 * (i % 2), 700, nearColour);
    c.Fill(Canvas_Shape::Rect(0, 560, 1280, 400), Canvas_Paint::Lit(Rgba{200, 150, 90, 255}, 560, 960));
    return c;
}

void WritePictures(std::string const& dir)
{
    for (int i = 0; i < 6; ++i)
        DataGen::SavePng(Miner(i / 5.0), dir, "gfx/plateau/miner0" + std::to_string(i) + ".png");
    DataGen::SavePng(Hermit(), dir, "gfx/plateau/hermit.png");
    DataGen::SavePng(Tumbleweed(), dir, "gfx/plateau/tumbleweed.png");
    DataGen::SavePng(Aerial(), dir, "gfx/plateau/aerial.png");
    DataGen::SavePng(TvPicture(), dir, "gfx/plateau/tvpicture.png");
    for (int f = 0; f < 4; ++f)
        DataGen::SavePng(Television(f), dir, "gfx/plateau/tv" + std::to_string(f) + ".png");
    DataGen::SavePng(TurtleHead(), dir, "gfx/plateau/caveturtle/head.png");
    DataGen::SavePng(TurtleFoot(true), dir, "gfx/plateau/caveturtle/frontfoot.png");
    DataGen::SavePng(TurtleFoot(false), dir, "gfx/plateau/caveturtle/backfoot.png");
    DataGen::SavePng(TurtleSpike(), dir, "gfx/plateau/caveturtle/spike.png");
    DataGen::SavePng(MineCart(), dir, "gfx/plateau/minecart.png");
    DataGen::SavePng(MortarStand(), dir, "gfx/plateau/mortar-stand.png");
    DataGen::SavePng(MortarGun(), dir, "gfx/plateau/mortar-gun.png");
    DataGen::SavePng(Explosion(), dir, "gfx/general/explosion.png");
    DataGen::SavePng(Background(), dir, "gfx/plateau/background.png");
}

// The plateau dressed: sandstone under a dusty trail, dark rock walls, plank ledges, rock shelves over
// the road, boulders for the mortar, the turtles' shells, the hut, the mast and the mine's rails.
// Outlines only along the tops a player stands on.
void Dress(MapWriter& map)
{
    for (MapWriter_Poly& p : map.polys)
    {
        double y0 = 1e30, y1 = -1e30;
        for (MapWriter_Point const& q : p.points)
        {
            y0 = std::min(y0, q.y);
            y1 = std::max(y1, q.y);
        }
        double const height = y1 - y0;
        if (p.group == 27)
        {
            p.texture = MapTextures::Beam;
            MapDressing::FitAcross(p, 64.0);
        }
        else if (p.group >= 28 && p.group <= 31)
        {
            p.texture = MapTextures::Shell;
            MapDressing::Fit(p);
        }
        else if (p.group != 0)
            p.texture = MapTextures::Boulder;
        else if (p.solid && p.texture == Ground)
            p.texture = MapTextures::Sand;
        else if (p.solid && p.texture == Rock)
        {
            p.texture = MapTextures::Overhang;
            MapDressing::FitAcross(p, 64.0);
        }
        else if (p.solid && p.texture == Plank && height <= SlabDepth + 1.0)
        {
            p.texture = MapTextures::Beam;
            MapDressing::FitAcross(p, 64.0);
        }
        else if (p.solid)
            p.texture = MapTextures::Cliff;
        else if (p.texture == Stone)
        {
            p.texture = MapTextures::Metal;
            MapDressing::Fit(p);
        }
        else if (p.points.size() == 3)
            p.texture = MapTextures::Thatch;
        else if (height >= 100.0)
        {
            p.texture = MapTextures::Hut;
            MapDressing::Fit(p);
        }
        else
        {
            // A length of rail: a corner with another straight below it is the rail's top.
            p.texture = MapTextures::Rail;
            for (MapWriter_Point& q : p.points)
            {
                bool top = false;
                for (MapWriter_Point const& r : p.points)
                    top = top || (std::fabs(r.x - q.x) < 0.01 && r.y < q.y - 0.01);
                q.u = q.x / 32.0;
                q.v = top ? 1.0 : 0.0;
            }
        }
    }
    MapDressing::Pave(map, MapTextures::Sand, MapTextures::Trail, 14.0);
    MapDressing::OutlineTops(map);
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

MapWriter BuildMap()
{
    MapWriter map;
    map.SetView(0, -100, 1);
    WriteRoad(map);
    WriteCamp(map);
    WriteCreatures(map);
    Ref(map, Plato_StartRp, 200, 1);
    Dress(map);
    return map;
}

void Write(std::string const& dir)
{
    DataGen::MakeDirs(dir + "/plateau");
    MapWriter const map = BuildMap();
    map.WriteOrThrow(dir + "/plateau/map");
    Road::Write(dir + "/plateau/road", BuildRoads());
    WritePictures(dir);
}

} // namespace PlateauWriter
