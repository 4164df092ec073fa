// The dragon's den. The hero comes in from the right along a high ledge that reaches into the arena; the
// dragon stands on the arena's floor before it, and a pit with a floor of fire lies at the arena's far
// end. The fight's solution is written beside the ledge's layout.
#include "tools/worlds/final.h"

#include "final/Final_Ids.h"
#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "tools/MapWriter.h"
#include "tools/Road.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace FinalWriter
{

namespace
{

// Textures this world adds to the shared image map, numbered clear of the shared ones.
enum Texture : unsigned int
{
    CaveWall = 100,
    DenRock,
    ScorchedFloor,
    Basalt,
    PitFire,
};

constexpr double pi = 3.14159265358979323846;

// The den's frame: solid rock all round the arena and the ledge.
constexpr double Frame_Bottom = 300.0;
constexpr double Ceiling_Y = 1480.0; // above the height the rocks start falling from

constexpr double Heart_Lift = 16.0; // a heart floats this high over the ledge
constexpr double WallInset = 10.0;  // half the hero's width

// Edges drawn around a box, one bit each: left, top, right, bottom.
constexpr unsigned int Edge_Left = 1;
constexpr unsigned int Edge_Top = 2;
constexpr unsigned int Edge_Right = 4;
constexpr unsigned int Edge_Bottom = 8;

void Box(MapWriter& map, double x0, double y0, double x1, double y1, unsigned int texture, bool solid,
         unsigned int edges, bool foreground = false)
{
    MapWriter_Poly poly{texture, 0, solid, foreground, {}};
    double const corners[4][2] = {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}};
    for (int i = 0; i < 4; ++i)
        poly.points.push_back(
            {corners[i][0], corners[i][1], corners[i][0] / 64.0, corners[i][1] / 64.0, ((edges >> i) & 1) != 0});
    map.AddPoly(poly);
}

void WriteDen(MapWriter& map)
{
    // The den's side walls stop the hero with his middle at their faces, half his width into the
    // rock: each wall's picture begins half his width further out, over a strip of solid rock that
    // is not drawn, so that a hero standing or jumping against it shows whole against the cave.
    double const leftFace = LeftWall_X - WallInset;
    double const rightFace = RightWall_X + WallInset;

    // Behind everything, the cave's wall, out to the walls' pictures.
    Box(map, leftFace, Frame_Bottom, rightFace, Ceiling_Y, CaveWall, false, 0);

    // The frame.
    Box(map, LeftWall_X - Frame_Thickness, Frame_Bottom - Frame_Thickness, RightWall_X + Frame_Thickness, Frame_Bottom,
        DenRock, true, 0);
    Box(map, LeftWall_X - Frame_Thickness, Frame_Bottom, leftFace, Ceiling_Y + Frame_Thickness, DenRock, true,
        Edge_Right);
    Box(map, leftFace, Frame_Bottom, LeftWall_X, Ceiling_Y, 0, true, 0);
    Box(map, rightFace, Frame_Bottom, RightWall_X + Frame_Thickness, Ceiling_Y + Frame_Thickness, DenRock, true,
        Edge_Left);
    Box(map, RightWall_X, Frame_Bottom, rightFace, Ceiling_Y, 0, true, 0);
    Box(map, leftFace, Ceiling_Y, rightFace, Ceiling_Y + Frame_Thickness, DenRock, true, Edge_Bottom);
    // Over the frame the mountain rises to a peak too steep to stand on: no floor lies outside the den.
    double const frameTop = Ceiling_Y + Frame_Thickness;
    double const frameLeft = LeftWall_X - Frame_Thickness;
    double const frameRight = RightWall_X + Frame_Thickness;
    double const peakX = (frameLeft + frameRight) / 2.0;
    double const peakY = frameTop + (frameRight - frameLeft) * 0.6;
    MapWriter_Poly peak{DenRock, 0, true, false, {}};
    peak.points = {{frameLeft, frameTop, frameLeft / 64.0, frameTop / 64.0, false},
                   {peakX, peakY, peakX / 64.0, peakY / 64.0, false},
                   {frameRight, frameTop, frameRight / 64.0, frameTop / 64.0, false}};
    map.AddPoly(peak);

    // The arena's floor, under the whole of the camera's frame, from the pit by the left wall. The rocks
    // of the dragon's scream fall over all of it and over the ledge but for its last stretch before the
    // den's right wall.
    Box(map, Pit_Right, Frame_Bottom, Ledge_Left, Floor_Y, ScorchedFloor, true, Edge_Left | Edge_Top);
    Box(map, leftFace, Frame_Bottom, Pit_Right, Pit_Floor, ScorchedFloor, true, 0);
    // The pit is too deep to jump out of: the fire at its bottom takes a heart at a time. It burns
    // over the whole of the kill zone, behind the hero, who stands in it in sight.
    Box(map, leftFace, Pit_Floor, Pit_Right, Pit_Floor + Pit_FireHeight, PitFire, false, 0);
    map.AddRefPoint(Final_Rp_KillZone[0], Pit_Left, Pit_Floor);
    map.AddRefPoint(Final_Rp_KillZone[1], Pit_Right, Pit_Floor + Pit_FireHeight);

    // The dragon stands on the floor some way in from the ledge.
    map.AddRefPoint(Final_Rp_Dragon, Dragon_X, Floor_Y);

    // The ledge, from the den's right wall into the arena; the hero comes in on it inside the arena's
    // frame, the two hearts lie on his way.
    //
    // The fight: walk left into the foothold sunk in the ledge (Spot_Left to Spot_Right), which stops
    // him, and throw at the dragon's head, holding and letting go of the action key as fast as it
    // throws (one throw every third step). From there the head is in sight through the whole cycle,
    // the flames of its right-hand fires pass under the ledge and the rocks of its first cycle's
    // screams miss the foothold. Every throw takes one of its 1000
    // hit points; the rest at the end of each cycle gives back up to 798, so keep throwing: about
    // 3100 steps of it kill the dragon within its first cycle.
    Box(map, Ledge_Left, Frame_Bottom, Spot_Left, Ledge_Top, Basalt, true, Edge_Left | Edge_Top | Edge_Right);
    Box(map, Spot_Left, Frame_Bottom, Spot_Right, Ledge_Top - Spot_Depth, Basalt, true, Edge_Top);
    Box(map, Spot_Right, Frame_Bottom, RightWall_X + WallInset, Ledge_Top, Basalt, true, Edge_Left | Edge_Top);
    map.AddRefPoint(Final_Rp_Start, Start_X, Ledge_Top + 1.0);
    map.AddRefPoint(Final_Rp_Hearts[0], 3960.0, Ledge_Top + Heart_Lift);
    map.AddRefPoint(Final_Rp_Hearts[1], 4010.0, Ledge_Top + Heart_Lift);
}

// ---- Pictures ----------------------------------------------------------------------------------

Rgba const Clear{0, 0, 0, 0};
Rgba const Black{0, 0, 0, 255};
Rgba const White{255, 255, 255, 255};

// The dragon's greens and the gold of its belly and horns.
Rgba const Scale{46, 118, 64, 255};
Rgba const ScaleDark{24, 70, 38, 255};
Rgba const ScaleLight{90, 160, 90, 255};
Rgba const Belly{205, 180, 100, 255};
Rgba const BellyLine{150, 120, 60, 255};
Rgba const Horn{230, 220, 190, 255};
Rgba const Eye{255, 210, 40, 255};
Rgba const Mouth{120, 20, 20, 255};
Rgba const Teeth{250, 250, 235, 255};

Rgba Mix(Rgba a, Rgba b, double f)
{
    f = std::clamp(f, 0.0, 1.0);
    auto m = [f](std::uint8_t x, std::uint8_t y) { return std::uint8_t(x + (y - x) * f); };
    return Rgba{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}

unsigned Noise(int x, int y)
{
    return (unsigned(x * 73 + y * 151) * 2654435761u) >> 24;
}

// A 64 x 64 texture filled by f(x, y).
template <class F>
Canvas Texture64(F f)
{
    Canvas c(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            c.Set(x, y, f(x, y));
    return c;
}

void WriteMapPictures(std::string const& dir)
{
    std::string const maps = "gfx/map/final/";
    // The cave's back wall: dark red rock with embers glowing in its cracks.
    DataGen::SavePng(Texture64([](int x, int y) {
                         double const wave = std::sin(x * 2.0 * pi / 64.0) * 4.0 + std::sin(y * 2.0 * pi / 32.0) * 3.0;
                         bool const crack = (int(x + wave) % 32 == 0) || (int(y + wave) % 40 == 0);
                         bool const ember = Noise(x, y) > 252;
                         Rgba const rock = Mix(Rgba{58, 30, 28, 255}, Rgba{40, 20, 20, 255}, Noise(x, y) / 255.0);
                         return ember ? Rgba{255, 140, 40, 255} : crack ? Rgba{110, 40, 20, 255} : rock;
                     }),
                     dir, maps + "cave.png");
    // The den's walls and ceiling: rough brown-grey blocks.
    DataGen::SavePng(Texture64([](int x, int y) {
                         int const row = y / 16;
                         bool const joint = y % 16 == 0 || (x + row * 21) % 32 == 0;
                         return joint ? Rgba{50, 42, 38, 255} : Mix(Rgba{112, 96, 84, 255}, Black, Noise(x, y) / 700.0);
                     }),
                     dir, maps + "rock.png");
    // The arena's floor: scorched slabs, soot dark with pale cracks.
    DataGen::SavePng(
        Texture64([](int x, int y) {
            bool const joint = y % 32 == 0 || (x + (y / 32) * 32) % 64 == 0;
            bool const crack = std::abs(int(x - 20 - 8 * std::sin(y / 5.0))) < 1 && y < 32;
            return joint || crack ? Rgba{130, 120, 110, 255} : Mix(Rgba{70, 64, 62, 255}, Black, Noise(x, y) / 600.0);
        }),
        dir, maps + "floor.png");
    // The ledge: blue-grey columns of basalt.
    DataGen::SavePng(Texture64([](int x, int y) {
                         bool const seam = x % 16 == 0 || (y + (x / 16) * 24) % 64 == 0;
                         return seam ? Rgba{40, 44, 58, 255} : Mix(Rgba{92, 98, 120, 255}, Black, Noise(x, y) / 600.0);
                     }),
                     dir, maps + "basalt.png");
    // The pit's fire.
    DataGen::SavePng(Texture64([](int x, int y) {
                         double const w = std::sin((x + y * 0.4) * 2.0 * pi / 32.0);
                         return Rgba{255, std::uint8_t(100 + 70 * w), 20, 255};
                     }),
                     dir, maps + "fire.png");
}

// The body, seen from the front: a hulking green body on two legs with the wings folded at its
// sides and a golden belly; the neck leaves it at the top, and between its feet a gap shows the gem.
Canvas Body(int w, int h)
{
    Canvas c(w, h, Clear);
    double const mid = w / 2.0;
    // The wings, folded, behind the body.
    for (int side : {-1, 1})
    {
        c.FillPolygon(
            {mid + side * 70.0, 30.0, mid + side * 127.0, 60.0, mid + side * 115.0, 150.0, mid + side * 60.0, 120.0},
            ScaleDark);
        for (int k = 0; k < 3; ++k)
            c.Line(mid + side * 72.0, 34.0, mid + side * (124.0 - 4.0 * k), 68.0 + 28.0 * k, 2.0, Scale);
    }
    // The legs, with pale claws.
    for (int side : {-1, 1})
    {
        double const x = mid + side * 58.0;
        c.FillEllipse(x, 150.0, 26.0, 40.0, Scale);
        c.FillRect(int(x - 24.0), 160, 48, h - 166, Scale);
        c.FillRect(int(x - 28.0), h - 10, 56, 10, ScaleDark);
        for (int k = -1; k <= 1; ++k)
            c.FillPolygon(
                {x + k * 16.0 - 5.0, double(h - 10), x + k * 16.0 + 5.0, double(h - 10), x + k * 16.0, double(h - 1)},
                Horn);
    }
    // The body and its belly; the hump at the top carries the neck.
    c.FillEllipse(mid, 95.0, 92.0, 75.0, Scale);
    c.FillEllipse(mid, 28.0, 30.0, 28.0, Scale);
    c.FillEllipse(mid, 105.0, 55.0, 60.0, Belly);
    for (int k = 0; k < 6; ++k)
        c.Line(mid - 50.0 + 4.0 * std::abs(k - 2.5), 62.0 + 17.0 * k, mid + 50.0 - 4.0 * std::abs(k - 2.5),
               62.0 + 17.0 * k, 2.0, BellyLine);
    // Scales on the shoulders.
    for (int k = 0; k < 8; ++k)
        for (int side : {-1, 1})
            c.FillCircle(mid + side * (66.0 + 6.0 * (k % 2)), 50.0 + 12.0 * k, 4.0, ScaleLight);
    // The gap between the feet, where the gem shows.
    c.FillRect(int(mid - 26.0), h - 24, 52, 24, Clear);
    return c;
}

// The neck's strip: scales down its sides and a golden stripe along its middle.
Canvas Neck()
{
    Canvas c(32, 64, Scale);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 32; ++x)
        {
            bool const stripe = x >= 11 && x < 21;
            bool const ring = y % 8 == 0;
            Rgba colour = stripe ? (ring ? BellyLine : Belly) : (ring ? ScaleDark : Scale);
            if (!stripe && (x + y) % 8 == 4)
                colour = ScaleLight;
            c.Set(x, y, colour);
        }
    return c;
}

// The head in profile, snout to the right, the neck joining at the lower left; open, its jaw drops
// and its mouth glows with fire.
Canvas HeadSide(int w, int h, bool open)
{
    Canvas c(w, h, Clear);
    // Horns sweeping back from the crown.
    c.FillPolygon({16.0, 18.0, 2.0, 2.0, 28.0, 12.0}, Horn);
    c.FillPolygon({28.0, 12.0, 22.0, 0.0, 38.0, 10.0}, Horn);
    // Skull and snout.
    c.FillEllipse(30.0, 32.0, 26.0, 22.0, Scale);
    c.FillPolygon({36.0, 16.0, 88.0, 26.0, 94.0, 34.0, 90.0, 42.0, 36.0, 44.0}, Scale);
    if (open)
    {
        c.FillPolygon({38.0, 42.0, 90.0, 42.0, 84.0, 60.0, 38.0, 54.0}, Mouth);
        c.FillPolygon({46.0, 46.0, 84.0, 44.0, 76.0, 56.0, 48.0, 52.0}, Rgba{255, 150, 30, 255});
        c.FillPolygon({34.0, 48.0, 84.0, 60.0, 78.0, 64.0, 32.0, 58.0}, ScaleDark);
        for (int k = 0; k < 5; ++k)
            c.FillPolygon({50.0 + 8.0 * k, 43.0, 56.0 + 8.0 * k, 43.0, 53.0 + 8.0 * k, 49.0}, Teeth);
    }
    else
    {
        c.FillPolygon({36.0, 44.0, 88.0, 42.0, 82.0, 50.0, 36.0, 54.0}, ScaleDark);
        for (int k = 0; k < 5; ++k)
            c.FillPolygon({50.0 + 8.0 * k, 43.0, 56.0 + 8.0 * k, 43.0, 53.0 + 8.0 * k, 47.0}, Teeth);
    }
    // The ridge of scales along the top, the eye and the nostril.
    for (int k = 0; k < 5; ++k)
        c.FillCircle(40.0 + 10.0 * k, 19.0 + 2.0 * k, 3.0, ScaleLight);
    c.FillEllipse(44.0, 26.0, 6.0, 4.5, Eye);
    c.FillRect(43, 22, 2, 9, Black);
    c.FillCircle(87.0, 31.0, 2.0, Black);
    return c;
}

// The head from the front: two horns, two eyes and the snout; screaming, the mouth gapes.
Canvas HeadFront(int w, int h, bool screaming)
{
    Canvas c(w, h, Clear);
    double const mid = w / 2.0;
    for (int side : {-1, 1})
        c.FillPolygon({mid + side * 22.0, 14.0, mid + side * 46.0, 0.0, mid + side * 32.0, 22.0}, Horn);
    c.FillEllipse(mid, 30.0, 32.0, 26.0, Scale);
    for (int side : {-1, 1})
    {
        c.FillEllipse(mid + side * 14.0, 22.0, 7.0, 5.0, Eye);
        c.FillRect(int(mid + side * 14.0) - 1, 17, 2, 10, Black);
    }
    c.FillEllipse(mid, 44.0, 20.0, 14.0, ScaleLight);
    c.FillCircle(mid - 7.0, 40.0, 2.5, Black);
    c.FillCircle(mid + 7.0, 40.0, 2.5, Black);
    if (screaming)
    {
        c.FillEllipse(mid, 50.0, 16.0, 12.0, Mouth);
        c.FillEllipse(mid, 52.0, 9.0, 7.0, Rgba{60, 0, 0, 255});
        for (int k = -2; k <= 2; ++k)
            c.FillPolygon({mid + 6.0 * k - 2.5, 39.0, mid + 6.0 * k + 2.5, 39.0, mid + 6.0 * k, 45.0}, Teeth);
    }
    else
    {
        c.Line(mid - 14.0, 53.0, mid + 14.0, 53.0, 2.0, ScaleDark);
    }
    return c;
}

// The gem at the dragon's feet: a red stone cut in facets; lit, it glows pale.
Canvas Gem(bool lit)
{
    Canvas c(24, 24, Clear);
    Rgba const outer = lit ? Rgba{255, 170, 200, 255} : Rgba{120, 10, 30, 255};
    Rgba const inner = lit ? Rgba{255, 240, 245, 255} : Rgba{210, 30, 60, 255};
    if (lit)
        c.FillCircle(12.0, 12.0, 12.0, Rgba{255, 220, 230, 110});
    c.FillPolygon({12.0, 1.0, 22.0, 10.0, 12.0, 23.0, 2.0, 10.0}, outer);
    c.FillPolygon({12.0, 4.0, 18.0, 10.0, 12.0, 19.0, 6.0, 10.0}, inner);
    c.FillPolygon({12.0, 4.0, 15.0, 9.0, 9.0, 9.0}, White);
    return c;
}

// A ball of fire: white-hot in the middle, orange, red and fading at its rim.
Canvas Flame()
{
    Canvas c(24, 24, Clear);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
        {
            double const r = std::hypot(x + 0.5 - 12.0, y + 0.5 - 12.0) / 12.0;
            if (r >= 1.0)
                continue;
            Rgba colour = r < 0.3 ? Mix(Rgba{255, 255, 210, 255}, Rgba{255, 210, 60, 255}, r / 0.3)
                                  : Mix(Rgba{255, 210, 60, 255}, Rgba{220, 40, 10, 255}, (r - 0.3) / 0.7);
            colour.a = std::uint8_t(255.0 * std::min(1.0, (1.0 - r) * 3.0));
            c.Set(x, y, colour);
        }
    return c;
}

// A falling rock: a lumpy stone with a dark rim; the large ones, which hurt, are darker and cracked.
Canvas Rock(int size, bool large)
{
    Canvas c(size, size, Clear);
    double const m = size / 2.0;
    std::vector<double> outline;
    for (int k = 0; k < 9; ++k)
    {
        double const a = k * 2.0 * pi / 9.0;
        double const r = m * (0.78 + 0.2 * ((k * 5) % 3) / 2.0);
        outline.push_back(m + r * std::cos(a));
        outline.push_back(m + r * std::sin(a));
    }
    c.FillPolygon(outline, large ? Rgba{40, 30, 28, 255} : Rgba{80, 76, 72, 255});
    std::vector<double> inner;
    for (std::size_t i = 0; i < outline.size(); i += 2)
    {
        inner.push_back(m + (outline[i] - m) * 0.8);
        inner.push_back(m + (outline[i + 1] - m) * 0.8);
    }
    c.FillPolygon(inner, large ? Rgba{110, 80, 66, 255} : Rgba{160, 156, 150, 255});
    if (large)
    {
        c.Line(m - 8.0, m - 6.0, m + 2.0, m + 1.0, 2.0, Rgba{40, 30, 28, 255});
        c.Line(m + 2.0, m + 1.0, m + 7.0, m - 5.0, 2.0, Rgba{40, 30, 28, 255});
        c.Line(m + 2.0, m + 1.0, m + 1.0, m + 9.0, 2.0, Rgba{40, 30, 28, 255});
    }
    return c;
}

void WriteDragonPictures(std::string const& dir)
{
    std::string const gfx = "gfx/final/dragon/";
    DataGen::SavePng(Body(256, 200), dir, gfx + "body.png");
    DataGen::SavePng(Neck(), dir, gfx + "neck.png");
    DataGen::SavePng(HeadSide(96, 64, false), dir, gfx + "headlook0.png");
    DataGen::SavePng(HeadSide(96, 64, true), dir, gfx + "headlook1.png");
    DataGen::SavePng(HeadFront(96, 64, false), dir, gfx + "headfwd0.png");
    DataGen::SavePng(HeadFront(96, 64, true), dir, gfx + "headfwd1.png");
    DataGen::SavePng(Gem(false), dir, gfx + "gem.png");
    DataGen::SavePng(Gem(true), dir, gfx + "gemon.png");
    DataGen::SavePng(Flame(), dir, gfx + "flame.png");
    DataGen::SavePng(Rock(14, false), dir, gfx + "smallrock.png");
    DataGen::SavePng(Rock(30, true), dir, gfx + "largerock.png");
}

// Adds the world's textures to its image map (the shared one the generator writes first); on its
// own, the map is started with the world's name and its rock as entry 0.
void WriteImageMap(std::string const& dir)
{
    DataGen::AppendImageMap(dir, "final", "0 final/rock.png hvs",
                            {
                                {CaveWall, "cave", "hv"},
                                {DenRock, "rock", "hvs"},
                                {ScorchedFloor, "floor", "hvs"},
                                {Basalt, "basalt", "hvs"},
                                {PitFire, "fire", "hv"},
                            });
}

// The road walker's road "throwing spot": from the start along the ledge into the foothold, against
// its far side, and one throw at the dragon's head from there. The fight itself is the tests' to script.
std::vector<Road> BuildRoads()
{
    Road spot("throwing spot");
    double const foothold = Ledge_Top - Spot_Depth;
    spot.Walk(Spot_Left + 2.0, foothold).Throw(Spot_X, foothold, "dragon", 30);
    return {spot};
}

} // namespace

void Write(std::string const& dir)
{
    DataGen::MakeDirs(dir + "/final");
    MapWriter map;
    map.SetView(Start_X - 320.0, Ledge_Top - 240.0, 1.0);
    WriteDen(map);
    map.WriteOrThrow(dir + "/final/map");
    Road::Write(dir + "/final/road", BuildRoads());
    WriteImageMap(dir);
    WriteMapPictures(dir);
    WriteDragonPictures(dir);
}

} // namespace FinalWriter
