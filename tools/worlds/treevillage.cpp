// The tree village: a street from the gate past the houses to the broken lift, a drop to the way out
// below, the lift's route up to the top level, the closed rooms behind the house doors, and the pictures
// of its villagers and games.
#include "tools/worlds/treevillage.h"

#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "tools/Figure.h"
#include "tools/MapDressing.h"
#include "tools/MapTextures.h"
#include "tools/Road.h"
#include "tools/creatures/CreatureSprites.h"
#include "treevillage/TreeV_Ids.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace TreeVillage
{

namespace
{

// Textures of the shared image map.
constexpr unsigned int Brick = 2;
constexpr unsigned int Stone = 9;
// The sky's picture; a polygon's v is scaled by the picture's width over its height when drawn.
constexpr int SkyFadeWidth = 4;
constexpr int SkyFadeRows = 256;

constexpr double pi = 3.14159265358979323846;

// Heights of the walkable floors. People's reference points lie on their floor, not above it: a
// villager who settles onto it does so live, outside any record, and would not replay.
constexpr double Street = 1150.0;
constexpr double UpperStreet = 1545.0; // the lift's foot, inside the leaking tank's reach
constexpr double LowerFloor = 500.0;   // the way out below, watched from (5280, 460)
constexpr double Ground = 1000.0;      // underside of the street slabs

// The gate's ditch, bridged by the fallen door whose pivot is its right edge; shallow enough to
// jump out of while the gate stands.
constexpr double DitchX0 = 500.0;
constexpr double DitchX1 = 640.0;
constexpr double DitchDepth = 50.0;

// The main lift at rest: a platform flush with the upper street, sunk in a pit just as deep, which
// is the lift area. While the lift is away the pit is a step down and up again; there is no room
// under the resting platform, so the lift coming back can shut no one in.
constexpr double LiftX0 = 4900.0;
constexpr double LiftX1 = 5020.0;
constexpr double LiftThick = 20.0;
constexpr double PitFloor = UpperStreet - LiftThick;
// Where its route ends: +(955, 2330) from rest; the top level starts at its right edge, with no
// seam to fall through.
constexpr double RouteEndX = 955.0;
constexpr double RouteEndY = 2330.0;
constexpr double TopFloor = UpperStreet + RouteEndY;
constexpr double TopLevelHigh = 4330.0; // inside the view of the last stretch, (7225, 4485) at 1.2
constexpr int MainLiftRide = 1500;      // steps: more than the lift's way up

// Where the people of the lift's errands stand, and the market sign's first tile.
constexpr double LiftManX = 5150.0;
constexpr double HardwareSellerX = 3420.0;
constexpr double MarblesHomeX = 2120.0;
constexpr double DoctorX = 2140.0;
constexpr double MarketSignX = 3480.0;
// A talk begins from this near, facing the one talked to; the patient's head lies above the floor.
constexpr double TalkFrom = 30.0;
constexpr double PatientTalkFrom = 20.0;
// Steps to wait at a house's teleport for the view to close in and open again inside.
constexpr int TeleportWait = 150;

struct Zone
{
    double x0, x1, y0, y1;
    double Floor() const { return y0 + 12.0; }
    double Stand() const { return Floor(); }
};
// The closed rooms, one per camera zone 1 to 7.
constexpr Zone Rooms[7] = {{1150, 1504, 2648, 2850}, {2090, 2444, 2648, 2850}, {2892, 3246, 2648, 2850},
                           {1150, 1504, 3048, 3250}, {2090, 2444, 3048, 3250}, {1150, 1504, 3400, 3650},
                           {2090, 2444, 3400, 3650}};

void Poly(MapWriter& map, unsigned int texture, unsigned int group, bool solid,
          std::vector<std::pair<double, double>> const& corners)
{
    MapWriter_Poly poly{texture, group, solid, false, {}};
    for (auto const& [x, y] : corners)
        poly.points.push_back({x, y, x / 64.0, y / 64.0, true});
    map.AddPoly(poly);
}

void Box(MapWriter& map, double x0, double y0, double x1, double y1, unsigned int texture = Stone,
         unsigned int group = 0, bool solid = true)
{
    map.AddBox(x0, y0, x1, y1, texture, group, solid, false, 64.0);
}

// A slope standing on the ground line, from (x0, y0) to (x1, y1).
void Ramp(MapWriter& map, double x0, double y0, double x1, double y1, double base)
{
    Poly(map, Stone, 0, true, {{x0, base}, {x0, y0}, {x1, y1}, {x1, base}});
}

std::vector<std::pair<double, double>> Octagon(double cx, double cy, double r)
{
    std::vector<std::pair<double, double>> corners;
    for (int i = 0; i < 8; ++i)
        corners.emplace_back(cx + r * std::cos((i + 0.5) * pi / 4.0), cy + r * std::sin((i + 0.5) * pi / 4.0));
    return corners;
}

// The rooms' own pictures, by size in pixels. Each is loaded padded with a clear band two texels
// wide all round, and the map scales a polygon's v by its texture's width over its height.
struct PictureSize
{
    int w, h;
    double Aspect() const { return (h + 4.0) / (w + 4.0); }
};
constexpr PictureSize ShelfSize{256, 40};
constexpr PictureSize JarSize{64, 80};

// A picture stretched once over a box of scenery.
void Picture(MapWriter& map, unsigned int texture, PictureSize size, double x0, double y0, double x1, double y1)
{
    Box(map, x0, y0, x1, y1, texture, 0, false);
    MapDressing::Fit(map.polys.back());
    for (MapWriter_Point& p : map.polys.back().points)
        p.v *= size.Aspect();
}

// Marbles' jars stand on a shelf with their mouths at their reference points; the shelf's picture
// takes its brackets below its top.
constexpr double JarWidth = 26.0;
constexpr double JarHeight = 30.0; // from the shelf to the mouth
constexpr double JarLip = 3.0;     // the rim above the mouth
constexpr double ShelfDepth = 18.0;

// The patient's bed, the head on its pillow (his reference point, above the floor), and the close
// view of his face round it, a little larger than the screen at the puzzle's zoom of 300.
constexpr PictureSize BedSize{256, 64};
constexpr double BedX0 = 2270.0;
constexpr double BedX1 = 2400.0;
constexpr double BedHeight = 30.0;
constexpr double PatientHeadX = 2380.0;
constexpr double PatientHeadUp = 14.0;
constexpr double PatientHeadRadius = 5.0;
constexpr PictureSize FaceSize{512, 384};
constexpr double FaceHalfWidth = 1.3;
constexpr double FaceHalfHeight = 1.0;

// His skin, in his bed and in the close view of his face alike.
Rgba const PatientSkin{246, 216, 186, 255};

// The spots on the patient's face, by spot number, from his reference point: six rows, each spot
// close to the spots it links to, so that the lines between them cross nowhere.
struct SpotPlace
{
    double x, y;
};
constexpr SpotPlace PatientSpots[Spot_Count] = {
    {-0.15, 0.60}, {-0.40, 0.60}, {0.10, 0.60},  {0.35, 0.60},  {-0.60, 0.40}, {-0.30, 0.40},
    {0.05, 0.40},  {0.40, 0.40},  {0.65, 0.40},  {-0.75, 0.20}, {-0.45, 0.20}, {-0.15, 0.20},
    {0.15, 0.20},  {0.45, 0.20},  {0.75, 0.20},  {-0.80, 0.00}, {-0.55, 0.00}, {-0.30, 0.00},
    {0.00, 0.00},  {0.30, 0.00},  {0.65, 0.00},  {-0.45, -0.2}, {-0.15, -0.2}, {0.15, -0.2},
    {-0.75, -0.2}, {-0.35, -0.4}, {-0.05, -0.4}, {0.50, -0.20}, {0.30, -0.40}};

// A room's doorway out, round the spot that leads back to the street.
constexpr PictureSize DoorwaySize{64, 96};
constexpr double DoorwayWidth = 30.0;
constexpr double DoorwayHeight = 44.0;

// A closed room: floor, walls and ceiling, with its wallpaper behind.
void Room(MapWriter& map, Zone const& z)
{
    // Boarded walls inside, the trunk it is hollowed from round it.
    Box(map, z.x0, z.Floor(), z.x1, z.y1 + 40.0, MapTextures::Boards, 0, false);
    Box(map, z.x0 - 20.0, z.y0 - 30.0, z.x1 + 20.0, z.Floor(), MapTextures::Bark);
    Box(map, z.x0 - 20.0, z.Floor(), z.x0, z.y1 + 40.0, Brick);
    Box(map, z.x1, z.Floor(), z.x1 + 20.0, z.y1 + 40.0, Brick);
    Box(map, z.x0 - 20.0, z.y1 + 40.0, z.x1 + 20.0, z.y1 + 60.0, Brick);
}

struct HouseDoor
{
    TreeV_DoorIds ids;
    bool fallsLeft;
    double x;
};
// Doors 1 to 7 along the street; door 0 is the gate.
constexpr HouseDoor HouseDoors[7] = {{TreeV_Doors[1], false, 800},  {TreeV_Doors[2], true, 1050},
                                     {TreeV_Doors[3], false, 2450}, {TreeV_Doors[4], true, 2650},
                                     {TreeV_Doors[5], false, 2900}, {TreeV_Doors[6], false, 3050},
                                     {TreeV_Doors[7], true, 3700}};

// A house's front, 140 wide and 150 high on the street, under its roof: scenery, drawn before its door.
void HouseFront(MapWriter& map, double x, double street)
{
    Box(map, x - 70.0, street, x + 70.0, street + 150.0, MapTextures::House, 0, false);
    MapDressing::Fit(map.polys.back());
    Poly(map, MapTextures::Roof, 0, false,
         {{x - 82.0, street + 146.0}, {x, street + 205.0}, {x + 82.0, street + 146.0}});
}

// A house door stands in front of its facade and, knocked down, lies along the street. It is
// scenery, not a wall: the street must stay open past every house.
void AddHouseDoor(MapWriter& map, HouseDoor const& d)
{
    double const far = d.fallsLeft ? d.x - 100.0 : d.x + 100.0;
    HouseFront(map, d.x, Street);
    Box(map, std::min(d.x, far), Street, std::max(d.x, far), Street + 10.0, Brick, d.ids.group, false);
    map.AddRefPoint(d.ids.pivot, d.x, Street);
    map.AddRefPoint(d.ids.switch0, d.x - 50.0, Street + 95.0);
    map.AddRefPoint(d.ids.switch1, d.x + 50.0, Street + 95.0);
}

// Each teleport joins a spot by a house door on the street to a spot inside a room, in the
// order of TreeV_Teleports.
struct TeleportPair
{
    double streetX;
    int zone; // 0..6
    double roomX;
};
constexpr TeleportPair Teleports[TreeV_Teleport_Count] = {{770, 0, 1180},  {1080, 1, 2425}, {2420, 2, 2920},
                                                          {2680, 3, 1180}, {2720, 4, 2425}, {2870, 5, 1480},
                                                          {3020, 6, 2115}};

void Street_(MapWriter& map)
{
    // Left end, the gate and its ditch, the street and the slope up to the lift's foot.
    MapDressing::OuterWall(map, -100.0, Ground - 100.0, 0.0, Street + 500.0, true, Brick);
    Box(map, 0.0, Ground, DitchX0, Street);
    Box(map, DitchX0, Ground, DitchX1, Street - DitchDepth);
    Box(map, DitchX1, Ground, 4000.0, Street);
    Ramp(map, 4000.0, Street, 4850.0, UpperStreet, Ground);
    // The gate lies flat over the ditch, hinged at its right edge, and stands up to close it. It
    // lies on the ditch's rim, so that standing it rises over the street's edge and leaves no seam
    // between itself and the ditch's side to climb up through.
    TreeV_DoorIds const& gate = TreeV_Doors[0];
    Box(map, DitchX0, Street, DitchX1, Street + 12.0, Brick, gate.group);
    map.AddRefPoint(gate.pivot, DitchX1, Street);
    map.AddRefPoint(gate.switch0, 560.0, Street + 100.0);
    map.AddRefPoint(gate.switch1, 720.0, Street + 100.0);
    map.AddRefPoint(TreeV_Rp_Start, 150.0, Street);
    map.AddRefPoint(1, 350.0, Street); // the gate guard

    for (HouseDoor const& d : HouseDoors)
        AddHouseDoor(map, d);
    // Inside, each room's way back to the street is a doorway standing on the floor at its spot.
    for (int i = 0; i < TreeV_Teleport_Count; ++i)
    {
        TeleportPair const& t = Teleports[i];
        map.AddRefPoint(TreeV_Teleports[i][0], t.streetX, Street);
        map.AddRefPoint(TreeV_Teleports[i][1], t.roomX, Rooms[t.zone].Stand());
        double const floor = Rooms[t.zone].Floor();
        Picture(map, DoorwayTexture, DoorwaySize, t.roomX - DoorwayWidth / 2.0, floor, t.roomX + DoorwayWidth / 2.0,
                floor + DoorwayHeight);
    }
    map.AddRefPoint(TreeV_Rp_DoorDude, 3730.0, Street);

    // The range: two wheels whose hubs are targets, and six more targets above the street.
    map.AddRefPoint(6, 1250.0, Street);
    Poly(map, Brick, 12, false, Octagon(1350.0, 1400.0, 50.0));
    Poly(map, Brick, 38, false, Octagon(2300.0, 1420.0, 50.0));
    map.AddRefPoint(4, 1350.0, 1400.0);
    map.AddRefPoint(5, 2300.0, 1420.0);
    double const targets[6][2] = {{1500, 1300}, {1650, 1350}, {1800, 1300}, {1950, 1380}, {2080, 1330}, {2200, 1330}};
    for (unsigned int i = 0; i < 6; ++i)
        map.AddRefPoint(9 + i, targets[i][0], targets[i][1]);

    // Street villagers and the stroller between the range and the houses.
    map.AddRefPoint(24, 2400.0, Street);
    map.AddRefPoint(23, 2850.0, Street);
    map.AddRefPoint(120, 2550.0, Street);
    map.AddRefPoint(121, 2950.0, Street);
    map.AddRefPoint(122, 3600.0, Street);
    map.AddRefPoint(123, 3780.0, Street);
    map.AddRefPoint(92, HardwareSellerX, Street);

    // The market sign, the sliding puzzle and its prize.
    map.AddRefPoint(TreeV_Rp_MarketSign, MarketSignX, 1330.0);
    map.AddRefPoint(TreeV_Rp_SlideyPuzzle, 3850.0, 1220.0);
    map.AddRefPoint(TreeV_Rp_SlideyGem, 3950.0, Street);

    // Where the closing scene gathers the elder (the last place) and the villagers round the player.
    // The elder stands close on the player's right: his welcome's bubble, opening to his right at the
    // conversation's zoom round the player, stays on the screen.
    map.AddRefPoint(TreeV_Rp_EndingStart, 3310.0, Street);
    double const gathered[TreeV_Ending_Places] = {3150, 3200, 3250, 3430, 3490, 3550, 3333};
    for (unsigned int i = 0; i < TreeV_Ending_Places; ++i)
        map.AddRefPoint(TreeV_Rp_EndingGathering + i, gathered[i], Street);
}

void MovingGroups(MapWriter& map)
{
    // Bobbing platforms, rocking beams, the three small lifts and the flipper: all out of the street's
    // headroom and out of the range's line of fire.
    Box(map, 2400.0, 1580.0, 2500.0, 1600.0, Stone, 1);
    Box(map, 2400.0, 2080.0, 2480.0, 2100.0, Stone, 35);
    Box(map, 2520.0, 2180.0, 2600.0, 2200.0, Stone, 36);
    Box(map, 2650.0, 2480.0, 2730.0, 2500.0, Stone, 37);
    map.AddRefPoint(7, 2700.0, 1900.0);
    map.AddRefPoint(8, 2950.0, 1900.0);
    Box(map, 2600.0, 1892.0, 2800.0, 1908.0, Stone, 2);
    Box(map, 2850.0, 1892.0, 3050.0, 1908.0, Stone, 39);
    Box(map, 3100.0, 1780.0, 3200.0, 1800.0, Stone, 22);
    Box(map, 3250.0, 1680.0, 3350.0, 1700.0, Stone, 26);
    Box(map, 3400.0, 2180.0, 3500.0, 2200.0, Stone, 34);
    // The flipper stands on its hinge and swings down onto one plate or the other.
    map.AddRefPoint(61, 3700.0, 2000.0);
    Box(map, 3695.0, 2000.0, 3705.0, 2100.0, Stone, 28);
    Box(map, 3580.0, 1975.0, 3660.0, 1990.0, Stone, 29);
    Box(map, 3740.0, 1975.0, 3820.0, 1990.0, Stone, 30);
}

void LiftAndBeyond(MapWriter& map)
{
    // The upper street with the pit under the resting platform; nothing above it is solid as far as
    // the lift's route reaches.
    // One slab under the street and the pit, so that no seam runs down from the pit's corners.
    Box(map, 4850.0, Ground, 5600.0, PitFloor);
    Box(map, 4850.0, PitFloor, LiftX0, UpperStreet);
    Box(map, LiftX1, PitFloor, 5600.0, UpperStreet);
    Box(map, LiftX0, UpperStreet - LiftThick, LiftX1, UpperStreet, Stone, 27);
    map.AddRefPoint(49, LiftX0, PitFloor);
    map.AddRefPoint(50, LiftX1, UpperStreet - 1.0); // feet in the pit inside, on the platform outside
    map.AddRefPoint(48, LiftX0 - 40.0, UpperStreet + 75.0);
    map.AddRefPoint(52, LiftX1 + 40.0, UpperStreet + 75.0);
    map.AddRefPoint(51, LiftManX, UpperStreet);
    map.AddRefPoint(134, 5300.0, UpperStreet);
    map.AddRefPoint(TreeV_Rp_Signs[0], 5450.0, UpperStreet);
    // The leaking tank, scenery beside the leak at (5088, 1830).
    Box(map, 5110.0, 1600.0, 5260.0, 1840.0, Brick, 0, false);

    // Off the end of the upper street the way drops to the floor below, which runs on right
    // into the way out.
    Box(map, 4900.0, 300.0, 4950.0, Ground, Brick);
    Box(map, 4950.0, 300.0, 6500.0, LowerFloor);
    // Its end wall rises to the top level's foot: nothing on either side drops behind it.
    Box(map, 6500.0, 300.0, 6600.0, TopFloor - 200.0, Brick);
    map.AddRefPoint(125, 5200.0, LowerFloor);
    map.AddRefPoint(131, 5300.0, LowerFloor);
    map.AddRefPoint(132, 5050.0, LowerFloor);
    map.AddRefPoint(133, 5550.0, LowerFloor);

    // The top level, level with the lift's platform at its journey's end, climbing into view of
    // the last stretch and on past the exit.
    double const landX = LiftX1 + RouteEndX;
    double const base = TopFloor - 200.0;
    Box(map, landX, base, 6100.0, TopFloor);
    Ramp(map, 6100.0, TopFloor, 7100.0, TopLevelHigh, base);
    Box(map, 7100.0, base, 7900.0, TopLevelHigh);
    MapDressing::OuterWall(map, 7900.0, base, 8000.0, TopLevelHigh + 600.0, false, Brick);
    map.AddRefPoint(124, 6040.0, TopFloor);
    map.AddRefPoint(TreeV_Rp_Signs[1], 7300.0, TopLevelHigh);
}

void Houses(MapWriter& map)
{
    for (Zone const& z : Rooms)
        Room(map, z);
    // 1: Aaron's, with the chest.
    map.AddRefPoint(105, 1340.0, Rooms[0].Stand());
    map.AddRefPoint(143, 1270.0, Rooms[0].Stand());
    map.AddRefPoint(TreeV_Rp_Chest, 1440.0, Rooms[0].Stand());
    // 2: Marbles by the left wall, his jars on a shelf in view, the floor clear across. A marble
    // drops into a jar's mouth, the jar's reference point, and the arrow stands above it.
    map.AddRefPoint(53, MarblesHomeX, Rooms[1].Stand());
    double const jarY = Rooms[1].Floor() + 60.0;
    double const shelfTop = jarY - JarHeight;
    Picture(map, ShelfTexture, ShelfSize, 2180.0, shelfTop - ShelfDepth, 2406.0, shelfTop);
    for (int i = 0; i < Marbles_Jars; ++i)
    {
        double const x = 2210.0 + 60.0 * i;
        Picture(map, JarTexture + unsigned(i), JarSize, x - JarWidth / 2.0, shelfTop, x + JarWidth / 2.0,
                jarY + JarLip);
        map.AddRefPoint(Jar_Points[i], x, jarY);
    }
    // 3: the elder's.
    map.AddRefPoint(113, 2980.0, Rooms[2].Stand());
    map.AddRefPoint(114, 3030.0, Rooms[2].Stand());
    map.AddRefPoint(130, 3100.0, Rooms[2].Stand());
    map.AddRefPoint(115, 3180.0, Rooms[2].Stand());
    // 4: the surgery's reception.
    map.AddRefPoint(116, 1250.0, Rooms[3].Stand());
    map.AddRefPoint(127, 1400.0, Rooms[3].Stand());
    // 5: the surgery: the doctor, and the patient lying in his bed with his head on the pillow at
    // the bed's right end, within talking reach (40) of someone standing on the floor beside it.
    map.AddRefPoint(60, DoctorX, Rooms[4].Stand());
    double const floor = Rooms[4].Floor();
    Picture(map, BedTexture, BedSize, BedX0, floor, BedX1, floor + BedHeight);
    double const patientX = PatientHeadX, patientY = floor + PatientHeadUp;
    map.AddRefPoint(TreeV_Rp_Patient, patientX, patientY);
    // The close view of his face, over his head: seen 300 times larger it fills the screen.
    Picture(map, FaceTexture, FaceSize, patientX - FaceHalfWidth, patientY - FaceHalfHeight, patientX + FaceHalfWidth,
            patientY + FaceHalfHeight);
    for (int spot = 0; spot < Spot_Count; ++spot)
        if (Spot_RefPt_Start + spot != int(TreeV_Rp_Patient)) // one spot is the patient's own point
            map.AddRefPoint(unsigned(Spot_RefPt_Start + spot), patientX + PatientSpots[spot].x,
                            patientY + PatientSpots[spot].y);
    // 6 and 7: two more homes, each with a stroller.
    map.AddRefPoint(58, 1200.0, Rooms[5].Stand());
    map.AddRefPoint(59, 1400.0, Rooms[5].Stand());
    map.AddRefPoint(128, 1300.0, Rooms[5].Stand());
    map.AddRefPoint(117, 2220.0, Rooms[6].Stand());
    map.AddRefPoint(118, 2180.0, Rooms[6].Stand());
    map.AddRefPoint(119, 2400.0, Rooms[6].Stand());
    map.AddRefPoint(129, 2300.0, Rooms[6].Stand());
}

// ---- Dressing the map ----

// The village built of great trees: solid walls are their trunks, the streets earth paved with cobbles,
// the platforms and lifts planks; the doors and the range's wheels show their own pictures. Outlines
// only along the tops a player stands on.
void Dress(MapWriter& map)
{
    for (MapWriter_Poly& p : map.polys)
    {
        if (p.group == 12 || p.group == 38)
        {
            p.texture = MapTextures::Wheel;
            MapDressing::Fit(p);
        }
        else if (p.group != 0 && p.texture == Brick)
        {
            // The gate and the house doors.
            p.texture = MapTextures::Door;
            MapDressing::Fit(p);
        }
        else if (p.group != 0)
        {
            p.texture = MapTextures::Beam;
            MapDressing::FitAcross(p, 64.0);
        }
        else if (p.solid && p.texture == Stone)
            p.texture = MapTextures::Earth;
        else if (p.solid && p.texture == Brick)
            p.texture = MapTextures::Bark;
        else if (!p.solid && p.texture == Brick)
        {
            // Scenery: the leaking tank stands tall; shelves and beds are low.
            double y0 = 1e30, y1 = -1e30;
            for (MapWriter_Point const& q : p.points)
            {
                y0 = std::min(y0, q.y);
                y1 = std::max(y1, q.y);
            }
            p.texture = y1 - y0 > 100.0 ? MapTextures::Tank : MapTextures::Boards;
            if (p.texture == MapTextures::Tank)
                MapDressing::Fit(p);
        }
    }
    MapDressing::Pave(map, MapTextures::Earth, MapTextures::Cobbles, 16.0);
    MapDressing::OutlineTops(map);
}

// The background tile: one period of a pattern that repeats every BgWrapX across and BgWrapY up.
// Neighbouring copies abut without overlapping, so that a software GL fills each pixel of the
// backdrop about once: a shape is laid at every place it repeats to and cut to the tile, keeping the
// texture of its first place, so that the pieces on either side of a seam join into one picture.
struct BgCorner
{
    double x, y, u, v;
};

std::vector<BgCorner> ClipToTile(std::vector<BgCorner> corners)
{
    double const limits[4] = {0.0, 0.0, BgWrapX, BgWrapY}; // x0, y0, x1, y1
    for (int side = 0; side < 4; ++side)
    {
        auto inside = [&](BgCorner const& c) {
            double const v = side % 2 == 0 ? c.x : c.y;
            return side < 2 ? v >= limits[side] : v <= limits[side];
        };
        std::vector<BgCorner> out;
        for (std::size_t i = 0; i < corners.size(); ++i)
        {
            BgCorner const& a = corners[i];
            BgCorner const& b = corners[(i + 1) % corners.size()];
            if (inside(a))
                out.push_back(a);
            if (inside(a) != inside(b))
            {
                double const va = side % 2 == 0 ? a.x : a.y, vb = side % 2 == 0 ? b.x : b.y;
                double const f = (limits[side] - va) / (vb - va);
                BgCorner cut{a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f, a.u + (b.u - a.u) * f,
                             a.v + (b.v - a.v) * f};
                // Exactly on the tile's edge, so that a piece meets the next copy's piece there.
                (side % 2 == 0 ? cut.x : cut.y) = limits[side];
                out.push_back(cut);
            }
        }
        corners.clear();
        for (BgCorner const& c : out)
            if (corners.empty() || std::hypot(c.x - corners.back().x, c.y - corners.back().y) > 0.01)
                corners.push_back(c);
        while (corners.size() > 1
               && std::hypot(corners.front().x - corners.back().x, corners.front().y - corners.back().y) <= 0.01)
            corners.pop_back();
    }
    return corners;
}

// Lays a convex shape of scenery, corners given with their texture coordinates, at its place and
// wherever the pattern repeats it.
void LayScenery(MapWriter& bg, unsigned int texture, std::vector<BgCorner> const& shape)
{
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i)
        {
            std::vector<BgCorner> corners;
            for (BgCorner const& c : shape)
                corners.push_back({c.x + i * BgWrapX, c.y + j * BgWrapY, c.u, c.v});
            corners = ClipToTile(corners);
            if (corners.size() < 3)
                continue;
            MapWriter_Poly poly{texture, 0, false, false, {}};
            for (BgCorner const& c : corners)
                poly.points.push_back({c.x, c.y, c.u, c.v, false});
            bg.AddPoly(poly);
        }
}

// The same with the texture following the world position, one repeat per 64 units.
void Scenery(MapWriter& bg, unsigned int texture, std::vector<std::pair<double, double>> const& shape)
{
    std::vector<BgCorner> corners;
    for (auto const& [x, y] : shape)
        corners.push_back({x, y, x / 64.0, y / 64.0});
    LayScenery(bg, texture, corners);
}

struct BgCircle
{
    double x, y, r;
    int depth = 0; // of overlapping treetops, the deeper is in front
    // The crown picture stretched over the circle's square.
    BgCorner At(double px, double py) const { return {px, py, (px - x + r) / (2 * r), (py - y + r) / (2 * r)}; }
    BgCorner AtAngle(double a) const { return At(x + r * std::cos(a), y + r * std::sin(a)); }
};

// A round crown: a polygon of 16 sides round the circle's middle.
void Crown(MapWriter& bg, BgCircle const& c)
{
    std::vector<BgCorner> corners;
    for (int i = 0; i < 16; ++i)
        corners.push_back(c.AtAngle(-(i + 0.5) * pi / 8.0));
    LayScenery(bg, BgCrownTexture, corners);
}

// The rim of a row of round treetops: above each treetop's middle when up, below it otherwise.
struct BgRow
{
    std::vector<BgCircle> tops;
    bool up;

    double Rim(BgCircle const& c, double x) const
    {
        double const d = c.r * c.r - (x - c.x) * (x - c.x);
        if (d <= 0.0)
            return up ? -1e30 : 1e30;
        return up ? c.y + std::sqrt(d) : c.y - std::sqrt(d);
    }
    // The treetop whose rim lies outermost at x, and that rim.
    std::size_t Outer(double x) const
    {
        std::size_t best = 0;
        for (std::size_t i = 1; i < tops.size(); ++i)
            if (up ? Rim(tops[i], x) > Rim(tops[best], x) : Rim(tops[i], x) < Rim(tops[best], x))
                best = i;
        return best;
    }
    double Edge(double x) const { return Rim(tops[Outer(x)], x); }
};

// A row of round treetops along a line across the tile, each from the line to its rim. Where two
// meet, the one behind is cut straight down from where their rims cross and the one in front keeps
// its round side, over a sliver of the other: no more is drawn twice. Pieces are laid back to front.
void TreetopRow(MapWriter& bg, BgRow const& row, double line)
{
    std::vector<double> cuts{0.0};
    std::vector<std::size_t> owners{row.Outer(1e-9)};
    for (double x = 0.5; x < BgWrapX; x += 0.5)
    {
        std::size_t const there = row.Outer(x);
        if (there == owners.back())
            continue;
        // Where the two rims meet, halved down to a hair.
        double lo = x - 0.5, hi = x;
        for (int k = 0; k < 60; ++k)
        {
            double const mid = (lo + hi) / 2.0;
            (row.Outer(mid) == owners.back() ? lo : hi) = mid;
        }
        cuts.push_back(lo);
        owners.push_back(there);
    }
    cuts.push_back(BgWrapX);
    std::size_t const n = owners.size();
    std::vector<std::pair<int, std::vector<BgCorner>>> pieces;
    for (std::size_t k = 0; k < n; ++k)
    {
        BgCircle const& c = row.tops[owners[k]];
        // Across the tile's sides the neighbours are those of the next copy.
        BgCircle const& before = row.tops[owners[(k + n - 1) % n]];
        BgCircle const& after = row.tops[owners[(k + 1) % n]];
        double const reach = std::sqrt(std::max(0.0, c.r * c.r - (line - c.y) * (line - c.y)));
        double from = cuts[k], to = cuts[k + 1];
        double yFrom = row.Edge(from), yTo = row.Edge(to);
        if (c.depth > before.depth)
        {
            from = c.x - reach;
            yFrom = line;
        }
        if (c.depth > after.depth)
        {
            to = c.x + reach;
            yTo = line;
        }
        double a0 = std::atan2(yFrom - c.y, from - c.x);
        double const a1 = std::atan2(yTo - c.y, to - c.x);
        // The way round from the left end to the right one passes over the top (under the bottom).
        if (row.up && a0 < -pi / 2.0)
            a0 += 2.0 * pi;
        if (!row.up && a0 > pi / 2.0)
            a0 -= 2.0 * pi;
        int const steps = std::max(1, int(std::ceil(std::abs(a1 - a0) / (pi / 12.0))));
        // Clockwise: up the left side, along the rim, down the right side (mirrored below the line).
        std::vector<BgCorner> corners{c.At(from, line), c.At(from, yFrom)};
        for (int i = 1; i < steps; ++i)
            corners.push_back(c.AtAngle(a0 + (a1 - a0) * i / steps));
        corners.push_back(c.At(to, yTo));
        corners.push_back(c.At(to, line));
        if (!row.up)
            std::reverse(corners.begin(), corners.end());
        pieces.emplace_back(c.depth, corners);
    }
    std::stable_sort(pieces.begin(), pieces.end(), [](auto const& a, auto const& b) { return a.first < b.first; });
    for (auto const& piece : pieces)
        LayScenery(bg, BgCrownTexture, piece.second);
}

// The forest round the village: a sky paling down to hazy hills, great trunks rising through it, a
// few crowns along them, and a row of treetops across the tile's foot and head (where one copy's
// head meets the next one's foot) that hides where one copy of the sky meets the next. The sky,
// trunks and crowns are opaque, and the sky is left out where trunks and treetops cover it.
void Background(MapWriter& bg)
{
    double const w = BgWrapX, h = BgWrapY;
    // Eight treetops a period, each in front of the one to its left, and a neighbour of the periods
    // on either side.
    BgRow foot{{}, true};
    for (int i = -1; i <= 8; ++i)
    {
        int const k = (i + 8) % 8;
        foot.tops.push_back({(i - k) * w / 8.0 + k * 45.0 + (k % 2) * 8.0, (k % 3) * 6.0, 31.0 + (k % 2) * 5.0, k});
    }
    BgRow head{foot.tops, false};
    for (BgCircle& c : head.tops)
        c.y += h;
    // The sky reaches under the treetops, no further.
    double skyFoot = 1e30, skyHead = -1e30;
    for (double x = 0.0; x <= w; x += 0.25)
    {
        skyFoot = std::min(skyFoot, foot.Edge(x));
        skyHead = std::max(skyHead, head.Edge(x));
    }
    skyFoot = std::floor(skyFoot) - 1.0;
    skyHead = std::ceil(skyHead) + 1.0;
    double const trunks[2] = {95.0, 255.0}, trunkWidth = 26.0;
    double left = 0.0;
    for (double right : {trunks[0], trunks[1], w})
    {
        std::vector<BgCorner> strip;
        for (auto const& [x, y] : std::vector<std::pair<double, double>>{
                 {left, skyFoot}, {left, skyHead}, {right, skyHead}, {right, skyFoot}})
            strip.push_back({x, y, x / w, (y + 0.5) / (h + 1.0) * SkyFadeRows / SkyFadeWidth});
        LayScenery(bg, BgSkyTexture, strip);
        left = right + trunkWidth;
    }

    double const hills[][3] = {
        {20, 95, 60}, {110, 70, 45}, {190, 110, 75}, {290, 80, 50}}; // centre, half width, height
    for (auto const& hill : hills)
    {
        std::vector<std::pair<double, double>> bump;
        for (int k = 0; k <= 10; ++k)
        {
            double const a = pi - pi * k / 10.0;
            bump.emplace_back(hill[0] + hill[1] * std::cos(a), 20.0 + hill[2] * std::sin(a));
        }
        Scenery(bg, MapTextures::Hills, bump);
    }

    for (double x : trunks)
    {
        Scenery(bg, MapTextures::Bark, {{x, 0}, {x, h}, {x + trunkWidth, h}, {x + trunkWidth, 0}});
        Scenery(bg, MapTextures::Bark, {{x + 20, 210}, {x + 60, 250}, {x + 60, 258}, {x + 20, 226}});
    }
    for (BgCircle const& c : {BgCircle{150, 262, 36}, {92, 300, 31}, {300, 250, 29}, {250, 300, 37}})
        Crown(bg, c);
    // The treetops' upper halves over the foot; their lower halves, one period up, over the head.
    TreetopRow(bg, foot, 0.0);
    TreetopRow(bg, head, h);
}

// ---- Pictures ----

Rgba const clear{0, 0, 0, 0};
Rgba const white{255, 255, 255, 255};
Rgba const skin{235, 195, 150, 255};
Rgba const wood{150, 95, 45, 255};
Rgba const gold{240, 200, 40, 255};

Figure_Look Villager(Rgba clothes, Figure_Clothes dress, Rgba hair, Figure_Hair hairStyle)
{
    Figure_Look look;
    look.clothes = clothes;
    look.dress = dress;
    look.hair = hair;
    look.hairStyle = hairStyle;
    look.skin = skin;
    return look;
}

// The four walking villagers, each its own shape: a farmer in a straw hat, a woman in a long dress,
// a stout baker in his apron, a tall man in a long coat and cap.
std::vector<Figure_Look> Walkers()
{
    Figure_Look farmer = Villager({70, 140, 60, 255}, Figure_Clothes::Tunic, {95, 60, 30, 255}, Figure_Hair::Short);
    farmer.hatStyle = Figure_Hat::Straw;
    farmer.hat = Rgba{225, 195, 110, 255};
    farmer.trim = Rgba{120, 80, 40, 255};
    farmer.holds = Figure_Holds::Bag;
    Figure_Look woman = Villager({170, 62, 50, 255}, Figure_Clothes::Dress, {45, 35, 35, 255}, Figure_Hair::Long);
    woman.trim = Rgba{235, 220, 180, 255};
    woman.build = 0.85;
    Figure_Look baker = Villager({205, 160, 60, 255}, Figure_Clothes::Apron, {150, 95, 50, 255}, Figure_Hair::Bald);
    baker.trim = Rgba{245, 242, 230, 255};
    baker.beard = Rgba{150, 95, 50, 255};
    baker.build = 1.4;
    Figure_Look tall = Villager({120, 80, 50, 255}, Figure_Clothes::Coat, {150, 150, 150, 255}, Figure_Hair::Short);
    tall.trim = Rgba{220, 215, 200, 255};
    tall.hatStyle = Figure_Hat::Cap;
    tall.hat = Rgba{60, 90, 60, 255};
    tall.build = 0.8;
    return {farmer, woman, baker, tall};
}

Canvas VillagerPicture(Figure_Look const& look, double phase, double size)
{
    Canvas c(32, 32);
    // A child stands smaller in the same picture, since every villager is drawn 24 wide and high.
    Canvas::Frame const scaled = c.Scaled(size, size, 16.0, 32.0);
    Figure_Pose pose;
    pose.stride = std::sin(phase);
    pose.arms = -std::sin(phase);
    pose.lift = std::cos(phase);
    DrawFigure(c, look, pose);
    return c;
}

void Save(Canvas const& c, std::string const& dir, std::string const& name)
{
    CreatureSprites::Save(c, dir, "gfx/treevillage/" + name);
}

void WriteVillagers(std::string const& dir)
{
    std::vector<Figure_Look> const walkers = Walkers();
    char name[64];
    for (int r = 0; r < 4; ++r)
        for (int f = 0; f < 5; ++f)
        {
            std::snprintf(name, sizeof name, "dudes/treedude%c0%c.png", 'A' + r, '0' + f);
            Save(VillagerPicture(walkers[r], f * 2.0 * pi / 5.0, 1.0), dir, name);
        }

    Figure_Look doctor = Villager({238, 238, 232, 255}, Figure_Clothes::Coat, {60, 45, 40, 255}, Figure_Hair::Short);
    doctor.trim = Rgba{150, 160, 150, 255};
    doctor.hatStyle = Figure_Hat::Mirror;
    doctor.hat = Rgba{90, 90, 90, 255};
    Save(VillagerPicture(doctor, 0.0, 1.0), dir, "dudes/doctor.png");

    Figure_Look king = Villager({30, 110, 110, 255}, Figure_Clothes::Robe, {235, 235, 230, 255}, Figure_Hair::Long);
    king.trim = gold;
    king.hatStyle = Figure_Hat::Crown;
    king.beard = Rgba{235, 235, 230, 255};
    king.build = 1.2;
    Save(VillagerPicture(king, 0.0, 1.0), dir, "dudes/king.png");

    Figure_Look wise = Villager({135, 120, 100, 255}, Figure_Clothes::Robe, white, Figure_Hair::Long);
    wise.trim = Rgba{95, 80, 65, 255};
    wise.hatStyle = Figure_Hat::Hood;
    wise.hat = Rgba{120, 105, 85, 255};
    wise.beard = Rgba{245, 245, 245, 255};
    wise.holds = Figure_Holds::Staff;
    Save(VillagerPicture(wise, 0.0, 1.0), dir, "dudes/wiseman.png");

    Figure_Look children[4] = {
        Villager({230, 120, 40, 255}, Figure_Clothes::Tunic, {120, 70, 30, 255}, Figure_Hair::Short),
        Villager({230, 200, 60, 255}, Figure_Clothes::Dress, {200, 130, 50, 255}, Figure_Hair::Bun),
        Villager({230, 110, 90, 255}, Figure_Clothes::Dress, {60, 40, 30, 255}, Figure_Hair::Long),
        Villager({150, 200, 70, 255}, Figure_Clothes::Tunic, {230, 200, 120, 255}, Figure_Hair::Short),
    };
    children[0].hatStyle = Figure_Hat::Cap;
    children[0].hat = Rgba{90, 140, 60, 255};
    for (int i = 0; i < 4; ++i)
    {
        std::snprintf(name, sizeof name, "dudes/dudesmall%.2d.png", i);
        Save(VillagerPicture(children[i], 0.0, 0.72), dir, name);
    }
}

// The marbles' colours, in the order of their pictures: red, blue, green, yellow. The game takes a
// marble of colour i to belong in jar i.
Rgba const MarbleColours[4] = {{220, 40, 40, 255}, {40, 110, 230, 255}, {40, 180, 60, 255}, {240, 210, 40, 255}};

void WriteMarbles(std::string const& dir)
{
    Canvas_Pen const ink{Rgba{60, 40, 10, 255}, 1.2};
    Canvas arrow(32, 32, clear);
    arrow.Draw(Canvas_Shape::Polygon({12, 2, 20, 2, 20, 16, 28, 16, 16, 30, 4, 16, 12, 16}),
               Canvas_Paint::Lit(gold, 2, 30), ink);
    Save(arrow, dir, "arrow.png");
    // Glass marbles: a swirl of colour inside, a bright gleam.
    Rgba const* colours = MarbleColours;
    for (int i = 0; i < 4; ++i)
    {
        Canvas marble(16, 16, clear);
        marble.Draw(Canvas_Shape::Circle(8, 8, 7.2),
                    Canvas_Paint::Radial(6, 5.5, 9, colours[i].Shade(1.45), colours[i].Shade(0.55)),
                    Canvas_Pen{colours[i].Shade(0.35), 0.8});
        marble.Trace(Canvas_Shape().MoveTo(4, 10).CurveTo(6, 6, 10, 12, 12, 7), Canvas_Pen{colours[i].Shade(1.7), 1.0});
        marble.Fill(Canvas_Shape::Ellipse(5.5, 5, 2, 1.4), Rgba{255, 255, 255, 220});
        Save(marble, dir, "marble" + std::to_string(i + 1) + ".png");
    }
}

// One picture of a market stall's sign, cut into six tiles three across and two down: its name on a
// painted board under a striped awning, with fruit below.
void WriteMarketSign(std::string const& dir)
{
    Canvas whole(108, 72);
    whole.Fill(Canvas_Shape::Rect(0, 0, 108, 72), Canvas_Paint::Lit(Rgba{236, 218, 170, 255}, 0, 72));
    for (int i = 0; i < 9; ++i)
        whole.Fill(Canvas_Shape()
                       .MoveTo(i * 12.0, 0)
                       .LineTo(i * 12.0 + 12, 0)
                       .LineTo(i * 12.0 + 12, 8)
                       .CurveTo(i * 12.0 + 12, 14, i * 12.0, 14, i * 12.0, 8)
                       .Close(),
                   i % 2 == 0 ? Rgba{200, 40, 40, 255} : white);
    whole.Trace(Canvas_Shape::Rect(1.5, 1.5, 105, 69), Canvas_Pen{wood, 3});
    Canvas_Text style;
    style.colour = Rgba{150, 45, 25, 255};
    style.rim = Rgba{255, 245, 220, 255};
    style.size = 19;
    // On the upper row of tiles, clear of the cut between the rows.
    whole.Text(54, 32, "Market", style);
    Rgba const fruit[3] = {{210, 40, 40, 255}, {245, 160, 30, 255}, {90, 175, 50, 255}};
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k)
        {
            double const x = 22 + 32 * i + (k - 1) * 6, y = 58 - (k == 1 ? 4 : 0);
            whole.Draw(Canvas_Shape::Circle(x, y, 4.5),
                       Canvas_Paint::Radial(x - 1.5, y - 1.5, 6, fruit[i].Shade(1.3), fruit[i].Shade(0.7)),
                       Canvas_Pen{fruit[i].Shade(0.4), 0.8});
        }
    for (int t = 0; t < 6; ++t)
    {
        char name[32];
        std::snprintf(name, sizeof name, "marketsign%.2d.png", t);
        Save(whole.Cut(36 * (t % 3), 36 * (t / 3), 36, 36), dir, name);
    }
}

} // namespace

std::vector<Road> BuildRoads()
{
    // Both ways out start at the player's start and cross the ditch on the gate, shot down from
    // the street before it; the axe takes the gate's switch, the nearest target there.
    auto throughTheGate = [](std::string const& name) {
        Road road(name);
        road.Walk(150.0, Street).Throw(DitchX0 - 60.0, Street, "gate switch", 90).Walk(DitchX1 + 40.0, Street);
        return road;
    };
    // Exit 3: along the street, up the slope, across the resting lift and off the end of the upper
    // street to the floor below, whose right part is the way out.
    Road down = throughTheGate("exit3");
    down.Walk(4000.0, Street).Walk(4850.0, UpperStreet).Walk(5600.0, UpperStreet).Exit(6000.0, LowerFloor);
    // Exit 2, once the lift is mended: stand on its platform and shoot its far switch; it carries
    // the player to the top level, which climbs right past the main exit.
    double const liftMiddle = (LiftX0 + LiftX1) / 2.0;
    Road up = throughTheGate("exit2");
    up.Walk(4000.0, Street).Walk(4850.0, UpperStreet).Walk(liftMiddle, UpperStreet);
    up.Throw(liftMiddle, UpperStreet, "lift switch", 10);
    up.Ride(liftMiddle + RouteEndX, TopFloor, "lift top", MainLiftRide);
    up.Walk(6100.0, TopFloor).Walk(7100.0, TopLevelHigh).Exit(7700.0, TopLevelHigh);

    // The whole story, from the start to the main exit: the lift man says what he needs; Marbles'
    // game wins the sphere, the patient's spots win the bandage from the doctor, and the mended
    // market sign wins the oil from the hardware seller; the lift man mends the lift, which carries
    // the player up to the top level. Each villager is talked to facing him; the houses are entered
    // and left by their teleports; the two games and the sign are played by the walk's own keys.
    TeleportPair const& marblesHouse = Teleports[1];
    TeleportPair const& surgery = Teleports[4];
    double const marblesFloor = Rooms[marblesHouse.zone].Stand(), surgeryFloor = Rooms[surgery.zone].Stand();
    Road story = throughTheGate("story");
    story.Walk(4000.0, Street).Walk(4850.0, UpperStreet).Press(LiftManX - TalkFrom, UpperStreet, "lift man", 10);
    story.Walk(4850.0, UpperStreet).Walk(4000.0, Street);
    story.Press(marblesHouse.streetX, Street, "into Marbles' house", TeleportWait);
    story.Press(MarblesHomeX + TalkFrom, marblesFloor, "Marbles", 10);
    story.Press(marblesHouse.roomX, marblesFloor, "out of Marbles' house", TeleportWait);
    story.Press(surgery.streetX, Street, "into the surgery", TeleportWait);
    story.Press(DoctorX + TalkFrom, surgeryFloor, "doctor", 10);
    story.Press(PatientHeadX - PatientTalkFrom, surgeryFloor, "patient", 10);
    story.Press(DoctorX + TalkFrom, surgeryFloor, "doctor", 10);
    story.Press(surgery.roomX, surgeryFloor, "out of the surgery", TeleportWait);
    story.Press(HardwareSellerX - TalkFrom, Street, "hardware seller", 10);
    // The sign is mended from the street before it, out of the seller's reach.
    story.Walk(MarketSignX - 140.0, Street).Throw(MarketSignX - 120.0, Street, "market sign", 80);
    story.Press(HardwareSellerX - TalkFrom, Street, "hardware seller", 10);
    story.Walk(4000.0, Street).Walk(4850.0, UpperStreet).Press(LiftManX - TalkFrom, UpperStreet, "lift man", 10);
    // Onto the mended lift from its left, to face and shoot its far switch.
    story.Walk(LiftX0 - 30.0, UpperStreet).Walk(liftMiddle, UpperStreet);
    story.Throw(liftMiddle, UpperStreet, "lift switch", 10);
    story.Ride(liftMiddle + RouteEndX, TopFloor, "lift top", MainLiftRide);
    story.Walk(6100.0, TopFloor).Walk(7100.0, TopLevelHigh).Exit(7700.0, TopLevelHigh);
    return {down, up, story};
}

MapWriter BuildMap()
{
    MapWriter map;
    map.SetView(-170.0, Street - 100.0, 1.0);
    Houses(map);
    Street_(map);
    MovingGroups(map);
    LiftAndBeyond(map);
    Dress(map);
    return map;
}

MapWriter BuildBackground()
{
    MapWriter bg;
    Background(bg);
    return bg;
}

// Marbles' shelf: a dark stained plank, lit along its top edge, on two iron brackets, its shadow on
// the wall below it, so that it stands out from the boards.
Canvas ShelfPicture()
{
    Canvas shelf(ShelfSize.w, ShelfSize.h, clear);
    Rgba const iron{55, 50, 55, 255};
    for (double x : {30.0, 226.0})
        shelf.Draw(Canvas_Shape::Polygon({x - 3, 18, x + 3, 18, x + 3, 38, x - 3, 28}), iron,
                   Canvas_Pen{iron.Shade(0.5), 1});
    shelf.Fill(Canvas_Shape::Rect(2, 20, 252, 6), Rgba{0, 0, 0, 90});
    shelf.Draw(Canvas_Shape::Rect(0, 2, 256, 18), Canvas_Paint::Lit(Rgba{95, 50, 25, 255}, 2, 20),
               Canvas_Pen{Rgba{45, 22, 10, 255}, 1.5});
    shelf.Line(1, 3, 255, 3, Canvas_Pen{Rgba{200, 150, 100, 255}, 1.5});
    return shelf;
}

// One of Marbles' glass jars, half full of marbles of its colour, with a label of the colour on its
// front: the jar a marble of that colour belongs in.
Canvas JarPicture(Rgba colour)
{
    Canvas jar(JarSize.w, JarSize.h, clear);
    Canvas_Pen const glassEdge{Rgba{70, 90, 100, 255}, 2.0};
    Canvas_Shape const body = Canvas_Shape::RoundRect(4, 10, 56, 68, 10);
    jar.Fill(body, Rgba{225, 240, 245, 150});
    for (int row = 0; row < 3; ++row)
        for (int k = 0; k < 5 - (row == 2 ? 1 : 0); ++k)
        {
            double const x = 13 + k * 10.0 + (row % 2) * 5.0, y = 68 - row * 9.0;
            jar.Draw(Canvas_Shape::Circle(x, y, 5.2),
                     Canvas_Paint::Radial(x - 1.5, y - 1.5, 6, colour.Shade(1.4), colour.Shade(0.7)),
                     Canvas_Pen{colour.Shade(0.4), 0.8});
        }
    jar.Draw(Canvas_Shape::RoundRect(10, 24, 44, 20, 3), colour, Canvas_Pen{colour.Shade(0.45), 1.5});
    jar.Trace(body, glassEdge);
    jar.Line(12, 18, 12, 60, Canvas_Pen{Rgba{255, 255, 255, 170}, 2.5});
    jar.Draw(Canvas_Shape::RoundRect(2, 2, 60, 9, 3), Rgba{150, 160, 165, 255}, glassEdge);
    return jar;
}

// The patient asleep in his bed, on his back under a quilt, his head on the pillow at the right end
// with a few spots on his cheek.
Canvas BedPicture()
{
    Canvas bed(BedSize.w, BedSize.h, clear);
    double const ux = BedSize.w / (BedX1 - BedX0), uy = BedSize.h / BedHeight; // pixels a unit
    Rgba const frame{120, 75, 40, 255};
    Canvas_Pen const ink{Rgba{50, 30, 20, 255}, 1.5};
    for (double x : {4.0, 244.0})
        bed.Draw(Canvas_Shape::Rect(x, 48, 8, 16), frame.Shade(0.8), ink);
    bed.Draw(Canvas_Shape::RoundRect(238, 12, 16, 42, 5), Canvas_Paint::Lit(frame, 12, 54), ink);
    bed.Draw(Canvas_Shape::RoundRect(2, 26, 13, 28, 4), Canvas_Paint::Lit(frame, 26, 54), ink);
    bed.Draw(Canvas_Shape::Rect(10, 45, 230, 8), frame, ink);
    bed.Draw(Canvas_Shape::Rect(14, 39, 224, 8), Rgba{235, 235, 228, 255}, Canvas_Pen{Rgba{150, 150, 145, 255}, 1});
    double const hx = (PatientHeadX - BedX0) * ux, hy = (BedHeight - PatientHeadUp) * uy;
    bed.Draw(Canvas_Shape::Ellipse(hx - 6, hy + 6, 26, 7), Rgba{248, 248, 244, 255},
             Canvas_Pen{Rgba{170, 170, 165, 255}, 1});
    Rgba const quilt{95, 125, 175, 255};
    bed.Draw(Canvas_Shape()
                 .MoveTo(16, 50)
                 .LineTo(16, 34)
                 .CurveTo(18, 22, 34, 22, 38, 31)
                 .CurveTo(80, 29, 120, 31, 150, 27)
                 .CurveTo(170, 22, 188, 24, 198, 34)
                 .LineTo(198, 50)
                 .Close(),
             Canvas_Paint::Lit(quilt, 22, 50), ink);
    for (double x = 40; x < 196; x += 26)
        bed.Line(x, 31, x, 50, Canvas_Pen{quilt.Shade(0.75), 1});
    // His face, round his reference point, is the skin the close view of his face fades into; his
    // hair lies on the pillow beyond it.
    double const rx = PatientHeadRadius * ux, ry = PatientHeadRadius * uy;
    bed.Draw(Canvas_Shape::Ellipse(hx, hy, rx, ry), PatientSkin, ink);
    bed.Fill(Canvas_Shape::Ellipse(hx + rx * 0.7, hy + ry * 0.1, rx * 0.4, ry * 0.95), Rgba{95, 60, 30, 255});
    bed.Draw(Canvas_Shape::Ellipse(hx - rx * 0.35, hy - ry * 0.95, 2.5, 2.5), PatientSkin,
             Canvas_Pen{PatientSkin.Shade(0.6), 1});
    return bed;
}

// The close view of the patient's face: pale skin from side to side, his hair along the top, his
// closed eyes, a mouth, and the spots: the four key pairs white, blue, green and yellow in the order
// they are joined, every other spot red. The lines the puzzle draws between them show on the skin.
Canvas FacePicture()
{
    Canvas face(FaceSize.w, FaceSize.h, clear);
    double const ux = FaceSize.w / (2.0 * FaceHalfWidth), uy = FaceSize.h / (2.0 * FaceHalfHeight);
    auto at = [&](double x, double y) {
        return std::pair<double, double>{FaceSize.w / 2.0 + x * ux, FaceSize.h / 2.0 - y * uy};
    };
    face.Fill(Canvas_Shape::Rect(0, 0, FaceSize.w, FaceSize.h),
              Canvas_Paint::Radial(FaceSize.w / 2.0, FaceSize.h * 0.45, FaceSize.w * 0.7, PatientSkin.Shade(1.06),
                                   PatientSkin.Shade(0.94)));
    for (double side : {-1.0, 1.0})
    {
        auto const [cx, cy] = at(side * 0.95, -0.2);
        face.Fill(Canvas_Shape::Ellipse(cx, cy, 45, 30), Rgba{235, 120, 120, 50});
    }
    Rgba const hair{95, 60, 30, 255};
    Canvas_Pen const lid{Rgba{90, 55, 45, 255}, 3};
    for (double side : {-1.0, 1.0})
    {
        auto const [bx, by] = at(side * 0.66, 0.75);
        face.Trace(Canvas_Shape().MoveTo(bx - 30, by + 4).CurveTo(bx - 12, by - 6, bx + 12, by - 6, bx + 30, by + 4),
                   Canvas_Pen{hair, 5});
        auto const [ex, ey] = at(side * 0.66, 0.6);
        face.Trace(Canvas_Shape().MoveTo(ex - 26, ey - 3).CurveTo(ex - 10, ey + 9, ex + 10, ey + 9, ex + 26, ey - 3),
                   lid);
        for (double k : {-14.0, 0.0, 14.0})
            face.Line(ex + k, ey + 6, ex + k * 1.3, ey + 13, Canvas_Pen{lid.colour, 1.6});
    }
    auto const [mx, my] = at(0.0, -0.6);
    face.Draw(Canvas_Shape()
                  .MoveTo(mx - 48, my - 4)
                  .CurveTo(mx - 20, my + 14, mx + 20, my + 14, mx + 48, my - 4)
                  .CurveTo(mx + 20, my + 4, mx - 20, my + 4, mx - 48, my - 4)
                  .Close(),
              Rgba{205, 115, 105, 255}, Canvas_Pen{Rgba{150, 70, 65, 255}, 2});

    Rgba const pairColours[Patient_Pairs] = {white, {40, 110, 230, 255}, {40, 180, 60, 255}, {240, 210, 40, 255}};
    for (int spot = 0; spot < Spot_Count; ++spot)
    {
        Rgba colour{215, 45, 40, 255};
        for (int pair = 0; pair < Patient_Pairs; ++pair)
            if (Patient_KeySpots[pair][0] == spot || Patient_KeySpots[pair][1] == spot)
                colour = pairColours[pair];
        auto const [sx, sy] = at(PatientSpots[spot].x, PatientSpots[spot].y);
        Rgba const ring = colour == white ? Rgba{110, 110, 120, 255} : colour.Shade(0.5);
        face.Draw(Canvas_Shape::Ellipse(sx, sy, 0.045 * ux, 0.045 * uy), colour, Canvas_Pen{ring, 2.5});
    }
    // Beyond what the close view shows it fades into the face of the patient in his bed, as the view
    // closes in on it.
    for (int y = 0; y < FaceSize.h; ++y)
        for (int x = 0; x < FaceSize.w; ++x)
        {
            double const across = std::abs(x + 0.5 - FaceSize.w / 2.0) / ux;
            double const up = std::abs(y + 0.5 - FaceSize.h / 2.0) / uy;
            double const fade = std::clamp((FaceHalfWidth - across) / 0.2, 0.0, 1.0)
                                * std::clamp((FaceHalfHeight - up) / 0.15, 0.0, 1.0);
            Rgba c = face.Get(x, y);
            c.a = std::uint8_t(std::lround(c.a * fade));
            face.Set(x, y, c);
        }
    return face;
}

// A room's way out: an open doorway in a timber frame, the daylight of the street beyond it, the
// door swung back against the wall.
Canvas DoorwayPicture()
{
    Canvas door(DoorwaySize.w, DoorwaySize.h, clear);
    Rgba const timber{85, 55, 35, 255};
    Canvas_Shape const opening =
        Canvas_Shape().MoveTo(14, 96).LineTo(14, 30).CurveTo(14, 10, 50, 10, 50, 30).LineTo(50, 96).Close();
    door.Fill(opening, Canvas_Paint::Linear(0, 14, 0, 96, Rgba{150, 200, 245, 255}, Rgba{215, 235, 250, 255})
                           .Stop(0.72, Rgba{205, 230, 250, 255})
                           .Stop(0.74, Rgba{150, 140, 120, 255}));
    door.Fill(Canvas_Shape::Ellipse(24, 70, 9, 12), Rgba{80, 150, 70, 255});
    door.Fill(Canvas_Shape::Rect(22, 74, 4, 14), Rgba{110, 75, 45, 255});
    door.Trace(opening, Canvas_Pen{timber, 6});
    door.Draw(Canvas_Shape::Polygon({50, 96, 50, 26, 62, 32, 62, 92}),
              Canvas_Paint::Lit(Rgba{140, 90, 50, 255}, 26, 96), Canvas_Pen{timber.Shade(0.7), 1.5});
    door.FillCircle(58, 62, 1.8, Rgba{220, 190, 80, 255});
    door.Fill(Canvas_Shape::Rect(8, 92, 48, 4), Rgba{120, 115, 105, 255});
    return door;
}

void WriteRoomPictures(std::string const& dir)
{
    auto save = [&dir](Canvas const& c, std::string const& name) {
        std::string const folder = dir + "/gfx/map/treevillage";
        DataGen::MakeDirs(folder);
        c.WritePng(folder + "/" + name + ".png");
    };
    save(ShelfPicture(), "shelf");
    save(BedPicture(), "bed");
    save(FacePicture(), "face");
    save(DoorwayPicture(), "doorway");
    char const* const jars[4] = {"jarred", "jarblue", "jargreen", "jaryellow"};
    for (int i = 0; i < 4; ++i)
        save(JarPicture(MarbleColours[i]), jars[i]);
    DataGen::AppendImageMap(dir, "treevillage", "",
                            {{ShelfTexture, "shelf", "m"},
                             {JarTexture, jars[0], "m"},
                             {JarTexture + 1, jars[1], "m"},
                             {JarTexture + 2, jars[2], "m"},
                             {JarTexture + 3, jars[3], "m"},
                             {BedTexture, "bed", "m"},
                             {FaceTexture, "face", "m"},
                             {DoorwayTexture, "doorway", "m"}});
}

// The backdrop's sky, a fade from deep blue down to the haze in a texel a row, and its crowns: leafy
// balls lit from above, the rim dark, opaque to the picture's edge (the crowns' outline cuts them).
void WriteBackdropTextures(std::string const& dir)
{
    auto save = [&dir](Canvas const& c, char const* name) {
        std::string const folder = dir + "/gfx/map/treevillage";
        DataGen::MakeDirs(folder);
        c.WritePng(folder + "/" + name);
    };
    Canvas sky(SkyFadeWidth, SkyFadeRows);
    sky.Fill(Canvas_Shape::Rect(0, 0, SkyFadeWidth, SkyFadeRows),
             Canvas_Paint::Linear(0, 0, 0, SkyFadeRows, Rgba{55, 105, 200, 255}, Rgba{215, 232, 245, 255})
                 .Stop(0.55, Rgba{125, 178, 236, 255}));
    save(sky, "sky.png");

    Rgba const leaf{60, 140, 50, 255};
    Canvas crown(128, 128, leaf.Shade(0.5));
    Canvas_Scatter scatter(41);
    MapTextures::Leaves(crown, scatter, leaf, {34, 44, 14, 21, 200, 58});
    save(crown, "crown.png");
    DataGen::AppendImageMap(dir, "treevillage", "0 treevillage/crown.png hv",
                            {{BgSkyTexture, "sky", "hvp"}, {BgCrownTexture, "crown", "hv"}});
}

void Write(std::string const& dir)
{
    std::string const folder = dir + "/treevillage";
    DataGen::MakeDirs(folder);
    BuildMap().WriteOrThrow(folder + "/map");
    BuildBackground().WriteOrThrow(folder + "/bgmap");
    WriteBackdropTextures(dir);
    WriteRoomPictures(dir);
    Road::Write(folder + "/road", BuildRoads());
    WriteVillagers(dir);
    WriteMarbles(dir);
    WriteMarketSign(dir);
}

} // namespace TreeVillage
