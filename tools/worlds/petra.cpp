// The riddle-giver's house: four places on one map, each seen through its own camera room and joined by
// doors (teleport links). The riddle-giver's room, whose front door on the left leaves the house; the
// factory with its five tubes, plates and weighing machine; the motel, a corridor and five guests' rooms
// with the question room apart; and the staff room, where twenty-five holders sit on small ledges.
#include "tools/worlds/petra.h"

#include "petra/Petra_Ids.h"
#include "tools/Canvas.h"
#include "tools/DataGen.h"
#include "tools/Road.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace PetraWriter
{

namespace
{

// The shared image map's brick, then the house's own textures, appended to its image map.
constexpr unsigned int Brick = 2;
constexpr unsigned int Boards = 100;
constexpr unsigned int Wallpaper = 101;
constexpr unsigned int Metal = 102;
constexpr unsigned int Door = 103;
constexpr unsigned int Paint = 104; // the colour of jar k, tube k and its plate: Paint + k
constexpr unsigned int MotelWall = 109;
constexpr unsigned int Night = 110;
constexpr unsigned int Gold = 111;
constexpr unsigned int PlateTop = 112;
constexpr unsigned int Step = 113;
constexpr unsigned int FactoryWall = 114;
constexpr unsigned int Outside = 115;
constexpr unsigned int Masonry = 116;

struct TextureFile
{
    unsigned int id;
    char const* file;
};
constexpr TextureFile Textures[] = {
    {Boards, "petra_boards.png"},       {Wallpaper, "petra_wallpaper.png"}, {Metal, "petra_metal.png"},
    {Door, "petra_door.png"},           {Paint + 0, "petra_paint0.png"},    {Paint + 1, "petra_paint1.png"},
    {Paint + 2, "petra_paint2.png"},    {Paint + 3, "petra_paint3.png"},    {Paint + 4, "petra_paint4.png"},
    {MotelWall, "petra_motelwall.png"}, {Night, "petra_night.png"},         {Gold, "petra_gold.png"},
    {PlateTop, "petra_plate.png"},      {Step, "petra_step.png"},           {FactoryWall, "petra_factory.png"},
    {Outside, "petra_outside.png"},     {Masonry, "petra_masonry.png"},
};

// The five products' colours: jar k, tube k's stripe and plate k's marker.
Rgba const ProductColours[5] = {
    {210, 40, 40, 255}, {40, 90, 220, 255}, {40, 170, 60, 255}, {235, 200, 30, 255}, {150, 60, 190, 255},
};

// A floor plate is a slab floating over the floor on a post, high enough for the player to walk
// under it even when it is pressed, low enough to jump onto. Nothing but the slab ever holds a
// player who stands on it, so it never rises under him and sinks again, and touching it from the
// floor presses nothing. Pressed, it sinks by PlateDrop (the engine's plate travel).
constexpr double PlateHalf = 12.0;     // half its width
constexpr double MotelPlateHalf = 8.0; // the motel's, narrower, to leave room to leap onto each
constexpr double PlateDrop = 10.0;
constexpr double PlateUnder = 34.0; // its underside over the floor, as it stands up
constexpr double PlateTopY = 44.0;  // its top over the floor
static_assert(PlateUnder - PlateDrop > 20.0, "the player, 20 tall, walks under a pressed plate");
constexpr double SlabDepth = 100.0;
constexpr double Wall = 20.0;
constexpr double DoorWidth = 26.0;
constexpr double DoorHeight = 40.0;

// The riddle-giver's room: the front door at its left leads out of the house; walking out past the
// exit line (x 350) ends the level. Its back wall stands inside the room's camera rectangle (x up
// to 800), so that a player pressed against it keeps the room's view.
constexpr double Room1_Left = 330.0; // the house's front wall, with the doorway below it
constexpr double Room1_Right = 790.0;
constexpr double Room1_Ceiling = 780.0;
constexpr double Room1_Doorway = 600.0; // the front wall hangs down to here
constexpr double Room1_Outside = 160.0;

// The factory; its walls inside its camera's view (x 1623 to 2157), as the riddle-giver's room's
// back wall, so that a player pressed against either is drawn whole. The question room's and the
// staff room's walls likewise stand inside their views.
constexpr double Factory_Left = 1634.0;
constexpr double Factory_Right = 2145.0; // the weighing machine stands against it
constexpr double Factory_Ceiling = 780.0;
constexpr double TubePlate_X[5] = {1735.0, 1773.0, 1811.0, 1849.0, 1887.0};
constexpr double WeighPlate_X = 1930.0;
constexpr double Machine_Left = 1965.0; // the weighing machine's body, whose top is the pan
constexpr double Machine_Right = 2145.0;
constexpr double Pan_Y = 600.0;
constexpr double Mouth_Y = 700.0;
constexpr double Mouth_X[5] = {1995.0, 2025.0, 2055.0, 2085.0, 2115.0};
constexpr double PipeHalf = 9.0;

// The motel: a corridor (room 9 of the camera) and five guests' rooms side by side, each between
// two walls that hang from the ceiling with a doorway below.
constexpr double Motel_Left = 370.0;   // clear of the exit line
constexpr double Motel_Right = 3280.0; // its right wall inside the last guest room's camera rectangle
constexpr double Corridor_Ceiling = 1850.0;
constexpr double Guests_Left = 2205.0;
constexpr double Guests_Ceiling = 1850.0;
constexpr double Guests_Doorway = 1722.0;
constexpr double Guest_Walls[] = {2205.0, 2420.0, 2640.0, 2855.0, 3070.0};
constexpr double Guest_X[8] = {2280.0, 2345.0, 2500.0, 2565.0, 2750.0, 2925.0, 2995.0, 3150.0};

// The question room.
constexpr double Question_Left = 4111.0;
constexpr double Question_Right = 4582.0;
constexpr double Question_Ceiling = 1820.0;
constexpr double MotelStart_X = 4150.0;
constexpr double MotelPlate_X = 4196.0;
// Answer k of question q: the plate at AnswerPlate_X[q] + AnswerGap[q] * k. Between the door's
// plate and the questions' plates lie stretches of open floor from which a player leaps onto the
// plate beside them. The outer labels of a question share a row, so its plates lie far enough apart
// for them to stand side by side: the second question's, "Pearl necklace" and "Ruby ring", need the
// widest gap. The last label ends inside the room's view.
constexpr double AnswerPlate_X[3] = {4262.0, 4384.0, 4516.0};
constexpr double AnswerGap[3] = {28.0, 33.0, 26.0};
constexpr double LeapRun = 46.0; // from the floor this far before a plate's edge, a leap lands on it
// Answer k's label stands this high over the floor, over a player on its plate: the middle one a
// label's height over its neighbours, whose labels it would cover, the outer two of each question
// level, clear of each other and of the sign over the middle plate. Low enough that while a sign is
// read, the view drawn in close round the reader, its question's three labels stay under the hearts
// and clocks along the screen's top.
constexpr double Label_Heights[3] = {64.5, 77.5, 64.5};

// The staff room: the holders of the star around its middle, over a floor with the staff plate.
constexpr double Staff_CentreX = 3500.0;
constexpr double Staff_CentreY = 60.0;
constexpr double Staff_Radius = 160.0;
constexpr double Staff_Left = 3155.0;
constexpr double Staff_Right = 3845.0;
constexpr double Staff_Ceiling = 300.0;
constexpr double Holder_Half = 12.0;
constexpr double Ledge_Depth = 10.0;
constexpr double StaffPlate_X = 3790.0;
// Steps that are no holders, so that every holder can be reached by walking and jumping: x from the
// room's middle (each stands on both sides), height and width.
struct StepLedge
{
    double dx, y, width;
};
constexpr StepLedge Staff_Steps[] = {{28.0, -35.0, 26.0}, {200.0, -20.0, 30.0}, {0.0, 60.0, 24.0}};

constexpr double pi = 3.14159265358979323846;

void Poly(MapWriter& map, unsigned int texture, unsigned int group, bool solid, bool fore,
          std::vector<std::pair<double, double>> const& corners, bool edges)
{
    MapWriter_Poly poly{texture, group, solid, fore, {}};
    for (auto const& [x, y] : corners)
        poly.points.push_back({x, y, x / 64.0, y / 64.0, edges});
    map.AddPoly(poly);
}

// A solid block, its outline drawn.
void Solid(MapWriter& map, double x0, double y0, double x1, double y1, unsigned int texture)
{
    Poly(map, texture, 0, true, false, {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}}, true);
}

// Scenery behind the level, no outline.
void Backdrop(MapWriter& map, double x0, double y0, double x1, double y1, unsigned int texture)
{
    Poly(map, texture, 0, false, false, {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}}, false);
}

// A floor at height y from x0 to x1.
void Floor(MapWriter& map, double x0, double x1, double y)
{
    Solid(map, x0, y - SlabDepth, x1, y, Boards);
}

// The plate of a map group over the floor at y, centred on c, on a post of scenery.
void Plate(MapWriter& map, unsigned int group, double c, double y, double half = PlateHalf)
{
    Backdrop(map, c - 2, y, c + 2, y + PlateUnder, Metal);
    Poly(map, PlateTop, group, true, false,
         {{c - half, y + PlateUnder}, {c - half, y + PlateTopY}, {c + half, y + PlateTopY}, {c + half, y + PlateUnder}},
         true);
}

// A door standing on the floor at x: scenery, with one end of a teleport link in front of it.
void DoorAt(MapWriter& map, unsigned int end, double x, double floor)
{
    MapWriter_Poly door{Door, 0, false, false, {}};
    double const x0 = x - DoorWidth / 2, x1 = x + DoorWidth / 2, y1 = floor + DoorHeight;
    // The whole picture over the door, whatever its place.
    door.points = {
        {x0, floor, 0.0, 0.0, true}, {x0, y1, 0.0, 1.0, true}, {x1, y1, 1.0, 1.0, true}, {x1, floor, 1.0, 0.0, true}};
    map.AddPoly(door);
    map.AddRefPoint(end, x, floor + 1);
}

void Ref(MapWriter& map, unsigned int id, double x, double y)
{
    map.AddRefPoint(id, x, y);
}

// The house's masonry behind every room, drawn first: wherever a camera looks past a room's own walls,
// floor and ceiling (the corridor's stretch between its camera rectangles, where the camera follows the
// player at his own zoom, or the edge of a room's view) it shows stone. Its edges lie further from
// every room than half the widest view a camera takes in the house.
void WriteMasonry(MapWriter& map)
{
    constexpr double margin = 900.0;
    Backdrop(map, Room1_Outside - Wall - margin, Petra_StaffFloor - SlabDepth - margin, Question_Right + Wall + margin,
             Guests_Ceiling + 120 + margin, Masonry);
}

// The rooms, each with its walls, floor and ceiling: the house's rock fills everything else.
struct Extent
{
    double x0, y0, x1, y1;
};
std::vector<Extent> RoomExtents()
{
    return {
        {Room1_Outside - Wall, Petra_HallFloor - SlabDepth, Room1_Right + Wall, Room1_Ceiling + 80},
        {Factory_Left - Wall, Petra_HallFloor - SlabDepth, Factory_Right + Wall, Factory_Ceiling + 100},
        {940, 80, 1060, 200}, // the jar store
        {Motel_Left - Wall, Petra_MotelFloor - SlabDepth, Motel_Right + Wall, Guests_Ceiling + 120},
        {Question_Left - Wall, Petra_QuestionFloor - SlabDepth, Question_Right + Wall, Question_Ceiling + 100},
        {Staff_Left - Wall, Petra_StaffFloor - SlabDepth, Staff_Right + Wall, Staff_Ceiling + 100},
    };
}

// Solid rock round the rooms, up to the highest and down to the lowest of them: no roof or wall of a
// room is stood on from outside, and no one steps off a room into the open. Laid in upright strips
// between the rooms' sides.
void WriteRock(MapWriter& map)
{
    std::vector<Extent> const rooms = RoomExtents();
    Extent all = rooms.front();
    std::vector<double> xs;
    for (Extent const& r : rooms)
    {
        all = {std::fmin(all.x0, r.x0), std::fmin(all.y0, r.y0), std::fmax(all.x1, r.x1), std::fmax(all.y1, r.y1)};
        xs.push_back(r.x0);
        xs.push_back(r.x1);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    for (std::size_t i = 0; i + 1 < xs.size(); ++i)
    {
        std::vector<std::pair<double, double>> held;
        for (Extent const& r : rooms)
            if (r.x0 <= xs[i] && r.x1 >= xs[i + 1])
                held.emplace_back(r.y0, r.y1);
        std::sort(held.begin(), held.end());
        double y = all.y0;
        held.emplace_back(all.y1, all.y1);
        for (auto const& [low, high] : held)
        {
            if (low > y)
                Poly(map, Masonry, 0, true, false, {{xs[i], y}, {xs[i], low}, {xs[i + 1], low}, {xs[i + 1], y}}, false);
            y = std::fmax(y, high);
        }
    }
}

// Room 1. Solution of the greeting: walk right from the start to the riddle-giver and talk.
void WriteRiddleRoom(MapWriter& map)
{
    double const y = Petra_HallFloor;
    Backdrop(map, Room1_Outside, y, Room1_Left, Room1_Ceiling + 80, Outside);
    Backdrop(map, Room1_Left, y, Room1_Right, Room1_Ceiling, Wallpaper);
    Floor(map, Room1_Outside, Room1_Right + Wall, y);
    Solid(map, Room1_Left - Wall, Room1_Doorway, Room1_Left, Room1_Ceiling + 80, Brick);
    Solid(map, Room1_Right, y, Room1_Right + Wall, Room1_Ceiling + 80, Brick);
    Solid(map, Room1_Left - Wall, Room1_Ceiling, Room1_Right + Wall, Room1_Ceiling + 80, Brick);
    Solid(map, Room1_Outside - Wall, y, Room1_Outside, Room1_Ceiling + 80, Brick);
    // A window on the garden.
    Backdrop(map, 440, y + 70, 520, y + 150, Metal);
    Backdrop(map, 446, y + 76, 514, y + 144, Outside);
    Ref(map, Petra_Rp_Start, 420, y + 1);
    Ref(map, Petra_Rp_Back, 610, y + 1);
    Ref(map, Petra_Rp_RiddleGiver, 640, y + 1);
    DoorAt(map, Petra_Teleport_Ends[0][0], 690, y); // to the factory
    DoorAt(map, Petra_Teleport_Ends[1][0], 730, y); // to the motel's corridor
    DoorAt(map, Petra_Teleport_Ends[2][0], 770, y); // to the staff room
}

// Room 2. Solution of the scales: press tube k's plate k times (each press drops one jar of tube k
// onto the pan), press the weigh plate, read the weight w: the faulty tube is w - 10; move the arrow
// to it with left and right and confirm with the action key.
void WriteFactory(MapWriter& map)
{
    double const y = Petra_HallFloor;
    Backdrop(map, Factory_Left, y, Factory_Right, Factory_Ceiling, FactoryWall);
    Floor(map, Factory_Left - Wall, Factory_Right + Wall, y);
    for (unsigned int k = 0; k < 5; ++k)
    {
        Plate(map, Petra_Group_Tube + k, TubePlate_X[k], y);
        // Each plate's colour on the wall above it, and on its tube's pipe.
        Backdrop(map, TubePlate_X[k] - 8, y + 60, TubePlate_X[k] + 8, y + 76, Paint + k);
        Solid(map, Mouth_X[k] - PipeHalf, Mouth_Y + 12, Mouth_X[k] + PipeHalf, Factory_Ceiling, Metal);
        Backdrop(map, Mouth_X[k] - PipeHalf, Mouth_Y + 30, Mouth_X[k] + PipeHalf, Mouth_Y + 42, Paint + k);
        Ref(map, Factory_Scales_Tube_RefPt + k, Mouth_X[k], Mouth_Y);
    }
    // A rail in front of the tubes' mouths, where the weighing's pointer hangs.
    Poly(map, Metal, 0, false, true,
         {{Machine_Left + 10, Petra_RailY},
          {Machine_Left + 10, Petra_RailY + 4},
          {Machine_Right - 10, Petra_RailY + 4},
          {Machine_Right - 10, Petra_RailY}},
         true);
    Plate(map, Petra_Group_Weigh, WeighPlate_X, y);
    Solid(map, Machine_Left, y, Machine_Right, Pan_Y, Metal);
    Ref(map, Factory_Scales_LeftPt, Machine_Left, Pan_Y);
    Ref(map, Factory_Scales_RightPt, Machine_Right, Pan_Y);
    Ref(map, Factory_Scales_TextPt, (Machine_Left + Machine_Right) / 2, (y + Pan_Y) / 2);
    Solid(map, Factory_Left - Wall, y, Factory_Left, Factory_Ceiling + 100, Brick);
    Solid(map, Factory_Right, y, Factory_Right + Wall, Factory_Ceiling + 100, Brick);
    Solid(map, Factory_Left - Wall, Factory_Ceiling, Factory_Right + Wall, Factory_Ceiling + 100, Brick);
    DoorAt(map, Petra_Teleport_Ends[0][1], 1650, y); // back to the riddle-giver
    DoorAt(map, Petra_Teleport_Ends[5][0], 1680, y); // to the staff room
    Ref(map, Petra_Rp_FactoryStart, 1700, y + 1);
}

// The store of jars: a sealed box away from every room.
void WriteJarStore(MapWriter& map)
{
    Solid(map, 940, 80, 1060, 100, Metal);
    Solid(map, 940, 100, 960, 180, Metal);
    Solid(map, 1040, 100, 1060, 180, Metal);
    Solid(map, 940, 180, 1060, 200, Metal);
    Ref(map, Petra_Rp_Jars, 1000, 101);
}

// The motel's corridor and the guests' rooms. The couples' rooms are mixed so that the rooms tell
// nothing: the clues alone lead to the answer.
void WriteMotel(MapWriter& map)
{
    double const y = Petra_MotelFloor;
    Backdrop(map, Motel_Left, y, Guests_Left, Corridor_Ceiling, MotelWall);
    Backdrop(map, Guests_Left, y, Motel_Right, Guests_Ceiling, Wallpaper);
    Floor(map, Motel_Left - Wall, Motel_Right + Wall, y);
    Solid(map, Motel_Left - Wall, y, Motel_Left, Guests_Ceiling + 120, Brick);
    Solid(map, Motel_Right, y, Motel_Right + Wall, Guests_Ceiling + 120, Brick);
    Solid(map, Motel_Left - Wall, Corridor_Ceiling, Guests_Left, Guests_Ceiling + 120, Brick);
    Solid(map, Guests_Left, Guests_Ceiling, Motel_Right + Wall, Guests_Ceiling + 120, Brick);
    for (double x : Guest_Walls)
        Solid(map, x - 6, Guests_Doorway, x + 6, Guests_Ceiling, Brick);
    // Framed pictures along the corridor.
    for (double x = 520; x < Guests_Left - 100; x += 180)
    {
        Backdrop(map, x - 22, y + 40, x + 22, y + 74, Metal);
        Backdrop(map, x - 18, y + 44, x + 18, y + 70, Paint + static_cast<unsigned int>(x / 180) % 5);
    }
    DoorAt(map, Petra_Teleport_Ends[1][1], 400, y);  // back to the riddle-giver
    DoorAt(map, Petra_Teleport_Ends[3][0], 450, y);  // to the question room
    DoorAt(map, Petra_Teleport_Ends[4][0], 3245, y); // to the staff room
    for (unsigned int g = 0; g < 8; ++g)
        Ref(map, Petra_Dude_StartPts[g], Guest_X[g], y + 1);
}

// Room 3. Solution of the motel: the clues give Harnek's partner Olvane (question 1, answer 0),
// Olvane's gift the ruby ring (question 2, answer 2) and the quartz ring's giver Pellion (question 3,
// answer 0): stand on those three plates in turn (each stays down until another of its question is
// pressed), then on the door plate for 50 steps.
void WriteQuestionRoom(MapWriter& map)
{
    double const y = Petra_QuestionFloor;
    Backdrop(map, Question_Left, y, Question_Right, Question_Ceiling, MotelWall);
    Floor(map, Question_Left - Wall, Question_Right + Wall, y);
    Plate(map, Petra_Group_Motel, MotelPlate_X, y, MotelPlateHalf);
    for (unsigned int q = 0; q < 3; ++q)
    {
        for (unsigned int k = 0; k < 3; ++k)
        {
            double const x = AnswerPlate_X[q] + AnswerGap[q] * k;
            Plate(map, Petra_Group_Answer + 3 * q + k, x, y, MotelPlateHalf);
            Ref(map, Petra_Rp_Labels + 3 * q + k, x, y + Label_Heights[k]);
        }
        Ref(map, Petra_Rp_Signs + q, AnswerPlate_X[q] + AnswerGap[q], y);
    }
    Solid(map, Question_Left - Wall, y, Question_Left, Question_Ceiling + 100, Brick);
    Solid(map, Question_Right, y, Question_Right + Wall, Question_Ceiling + 100, Brick);
    Solid(map, Question_Left - Wall, Question_Ceiling, Question_Right + Wall, Question_Ceiling + 100, Brick);
    DoorAt(map, Petra_Teleport_Ends[3][1], 4126, y); // back to the corridor
    Ref(map, Petra_Rp_MotelStart, MotelStart_X, y + 1);
}

// Room 10. Solution of the staffs: carry the ten staffs from their start holders (11, 13, 7, 17, 15,
// 2, 14, 4, 1, 20) to holders 0 to 9, the star; then stand on the staff plate for 50 steps.
void WriteStaffRoom(MapWriter& map)
{
    double const y = Petra_StaffFloor;
    Backdrop(map, Staff_Left, y, Staff_Right, Staff_Ceiling, Night);
    Floor(map, Staff_Left - Wall, Staff_Right + Wall, y);
    Plate(map, Petra_Group_Staff, StaffPlate_X, y);
    Solid(map, Staff_Left - Wall, y, Staff_Left, Staff_Ceiling + 100, Brick);
    Solid(map, Staff_Right, y, Staff_Right + Wall, Staff_Ceiling + 100, Brick);
    Solid(map, Staff_Left - Wall, Staff_Ceiling, Staff_Right + Wall, Staff_Ceiling + 100, Brick);
    for (int s = 0; s < Petra_Staff_Holder_Count; ++s)
    {
        Pointf const h = StaffHolder(s);
        Solid(map, h.x - Holder_Half, h.y - Ledge_Depth, h.x + Holder_Half, h.y, Gold);
        Ref(map, Petra_Staff_BaseRefPt + static_cast<unsigned int>(s), h.x, h.y);
    }
    for (StepLedge const& step : Staff_Steps)
        for (double side : {-1.0, 1.0})
        {
            if (step.dx == 0.0 && side < 0.0)
                continue;
            double const x = Staff_CentreX + side * step.dx;
            Solid(map, x - step.width / 2, step.y - Ledge_Depth, x + step.width / 2, step.y, Step);
        }
    DoorAt(map, Petra_Teleport_Ends[2][1], 3175, y); // back to the riddle-giver
    DoorAt(map, Petra_Teleport_Ends[5][1], 3210, y); // to the factory
    DoorAt(map, Petra_Teleport_Ends[4][1], 3245, y); // to the motel
}

// --- Pictures ---

Rgba const KeyBlue{0, 0, 255, 255};
Rgba const Black{0, 0, 0, 255};
Rgba const Skin{240, 200, 160, 255};

Rgba Shade(Rgba c, double f)
{
    auto scale = [f](std::uint8_t v) { return static_cast<std::uint8_t>(std::fmin(255.0, v * f)); };
    return Rgba{scale(c.r), scale(c.g), scale(c.b), c.a};
}

// A texture of lines over a base colour: every period pixels across (vertical lines) and up.
Canvas Lined(Rgba base, Rgba line, int across, int up)
{
    Canvas c(64, 64, base);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if ((across > 0 && x % across == 0) || (up > 0 && y % up == 0))
                c.Set(x, y, line);
    return c;
}

void WriteTextures(std::string const& dir)
{
    std::string const map = "gfx/map/";
    Canvas boards = Lined(Rgba{165, 110, 60, 255}, Rgba{110, 70, 35, 255}, 0, 16);
    for (int row = 0; row < 4; ++row)
        boards.FillRect((row * 23) % 64, row * 16 + 1, 2, 15, Rgba{110, 70, 35, 255});
    DataGen::SavePng(boards, dir, map + "petra_boards.png");
    Canvas paper = Lined(Rgba{235, 225, 190, 255}, Rgba{200, 180, 140, 255}, 16, 0);
    for (int y = 8; y < 64; y += 16)
        for (int x = 8; x < 64; x += 16)
            paper.FillCircle(x, y, 2, Rgba{190, 120, 120, 255});
    DataGen::SavePng(paper, dir, map + "petra_wallpaper.png");
    Canvas metal(64, 64, Rgba{150, 155, 165, 255});
    metal.FrameRect(0, 0, 64, 64, 2, Rgba{100, 105, 115, 255});
    for (int x : {6, 57})
        for (int y : {6, 57})
            metal.FillCircle(x, y, 2.5, Rgba{90, 95, 105, 255});
    DataGen::SavePng(metal, dir, map + "petra_metal.png");
    Canvas door(32, 48, Rgba{110, 60, 30, 255});
    door.FrameRect(0, 0, 32, 48, 3, Rgba{60, 30, 10, 255});
    door.FrameRect(6, 6, 20, 16, 2, Rgba{80, 45, 20, 255});
    door.FrameRect(6, 26, 20, 16, 2, Rgba{80, 45, 20, 255});
    door.FillCircle(25, 26, 2.5, Rgba{240, 200, 40, 255});
    DataGen::SavePng(door, dir, map + "petra_door.png");
    for (int k = 0; k < 5; ++k)
    {
        Canvas paint(64, 64, ProductColours[k]);
        paint.FrameRect(0, 0, 64, 64, 3, Shade(ProductColours[k], 0.6));
        DataGen::SavePng(paint, dir, map + "petra_paint" + std::to_string(k) + ".png");
    }
    DataGen::SavePng(Lined(Rgba{120, 150, 120, 255}, Rgba{100, 130, 100, 255}, 32, 0), dir,
                     map + "petra_motelwall.png");
    Canvas night(64, 64, Rgba{20, 25, 60, 255});
    for (int i = 0; i < 6; ++i)
        night.FillCircle((i * 37 + 11) % 64, (i * 23 + 5) % 64, 1.0, Rgba{220, 220, 255, 255});
    DataGen::SavePng(night, dir, map + "petra_night.png");
    Canvas gold(64, 64, Rgba{225, 185, 50, 255});
    for (int y = 0; y < 64; y += 8)
        gold.FillRect(0, y, 64, 2, Rgba{250, 225, 120, 255});
    DataGen::SavePng(gold, dir, map + "petra_gold.png");
    DataGen::SavePng(Lined(Rgba{200, 170, 90, 255}, Rgba{120, 95, 40, 255}, 8, 0), dir, map + "petra_plate.png");
    DataGen::SavePng(Lined(Rgba{130, 130, 140, 255}, Rgba{90, 90, 100, 255}, 32, 16), dir, map + "petra_step.png");
    DataGen::SavePng(Lined(Rgba{105, 105, 110, 255}, Rgba{80, 80, 85, 255}, 32, 16), dir, map + "petra_factory.png");
    Canvas outside(64, 64, Rgba{120, 180, 235, 255});
    outside.FillEllipse(20, 20, 12, 5, Rgba{245, 245, 250, 255});
    DataGen::SavePng(outside, dir, map + "petra_outside.png");
    // Dark stone blocks in courses, each course's joints half a block along from the last.
    Canvas masonry(64, 64, Rgba{70, 62, 58, 255});
    for (int row = 0; row < 4; ++row)
    {
        masonry.FillRect(0, row * 16, 64, 2, Rgba{45, 40, 38, 255});
        for (int x = (row % 2) * 16; x < 64; x += 32)
            masonry.FillRect(x, row * 16, 2, 16, Rgba{45, 40, 38, 255});
    }
    DataGen::SavePng(masonry, dir, map + "petra_masonry.png");
}

// Adds the house's textures to the image map the shared texture lists wrote.
void AddToImageMap(std::string const& dir)
{
    std::string const path = dir + "/petra/imagemap";
    if (!std::filesystem::exists(path))
        throw std::runtime_error("no shared image map at " + path);
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (file == nullptr)
        throw std::runtime_error("cannot write " + path);
    std::fprintf(file, "# the riddle-giver's house\n");
    for (TextureFile const& t : Textures)
        std::fprintf(file, "%u %s hv\n", t.id, t.file);
    if (std::fclose(file) != 0)
        throw std::runtime_error("failed writing " + path);
}

// A jar of one product: a round pot with a lid, in its colour.
Canvas Jar(Rgba colour)
{
    Canvas c(24, 32);
    c.FillEllipse(12, 19, 10, 12, Shade(colour, 0.55));
    c.FillEllipse(12, 19, 8.5, 10.5, colour);
    c.FillEllipse(9, 15, 2.5, 4, Shade(colour, 1.5));
    c.FillRect(6, 3, 12, 5, Rgba{120, 80, 40, 255});
    c.FillRect(5, 2, 14, 2, Rgba{80, 50, 25, 255});
    return c;
}

// A staff: a dark shaft with a gold band and a blue gem at its head.
Canvas Staff()
{
    Canvas c(16, 32);
    c.Line(8, 6, 8, 31, 3.0, Rgba{90, 55, 25, 255});
    c.FillRect(5, 12, 6, 2, Rgba{240, 200, 40, 255});
    c.FillCircle(8, 5, 4.5, Rgba{240, 200, 40, 255});
    c.FillCircle(8, 5, 3, Rgba{60, 120, 240, 255});
    return c;
}

// The riddle-giver: an old woman in a purple robe and pointed hat, with a walking stick, facing
// right (villagers' pictures face right; the game mirrors them to face left).
Canvas RiddleGiver()
{
    Canvas c(64, 64);
    c.FillPolygon({16, 63, 24, 26, 36, 26, 44, 63}, Rgba{110, 40, 140, 255});
    c.FillPolygon({20, 40, 40, 40, 44, 63, 16, 63}, Rgba{90, 30, 120, 255});
    c.FillCircle(32, 20, 9, Skin);
    c.FillCircle(37, 18, 1.5, Black);
    c.FillPolygon({22, 16, 27, 16, 27, 30, 22, 28}, Rgba{230, 230, 230, 255}); // grey hair down the back
    c.FillPolygon({18, 14, 46, 14, 28, 0}, Rgba{110, 40, 140, 255});
    c.FillRect(16, 12, 32, 4, Rgba{80, 25, 100, 255});
    c.FillCircle(30, 6, 2, Rgba{250, 220, 60, 255});
    c.Line(40, 34, 50, 63, 2.5, Rgba{120, 80, 40, 255}); // the stick, held before her
    c.Line(36, 32, 42, 38, 3, Skin);
    return c;
}

struct Guest
{
    char const* file;
    bool woman;
    Rgba clothes;
    Rgba hair;
    Rgba hat; // a man's hat; clear for none
};

// On pure blue, which the loader keys out; each faces left.
Canvas GuestPicture(Guest const& g)
{
    Canvas c(48, 48, KeyBlue);
    Rgba const legs{60, 50, 45, 255};
    if (g.woman)
    {
        c.FillPolygon({14, 47, 20, 22, 28, 22, 34, 47}, g.clothes);
    }
    else
    {
        c.Line(21, 34, 19, 47, 4, legs);
        c.Line(27, 34, 29, 47, 4, legs);
        c.FillRect(17, 21, 14, 15, g.clothes);
    }
    c.Line(20, 24, 15, 33, 3, Skin); // an arm reaching forward, to the left
    c.FillCircle(24, 13, 8, Skin);
    c.FillCircle(20, 12, 1.5, Black);
    c.Line(18, 17, 21, 17, 1, Rgba{150, 60, 60, 255});
    if (g.woman)
    {
        // Long hair down the back, on the right.
        c.FillEllipse(26, 8, 9, 5, g.hair);
        c.FillPolygon({24, 6, 34, 8, 34, 26, 28, 24}, g.hair);
    }
    else
    {
        c.FillEllipse(25, 7, 8, 3.5, g.hair);
        if (g.hat.a != 0)
        {
            c.FillRect(17, 2, 15, 4, g.hat);
            c.FillRect(20, -2, 9, 5, g.hat);
        }
    }
    return c;
}

// The guests by id: the husbands Harnek, Pellion, Gask and Wendrel, then the wives Olvane (the blonde
// one), Imbra, Saffrin and Yavenne (dark-haired).
Guest const Guests[8] = {
    {"harnek", false, {40, 90, 60, 255}, {90, 60, 30, 255}, {0, 0, 0, 0}},
    {"pellion", false, {170, 60, 40, 255}, {30, 25, 20, 255}, {60, 60, 70, 255}},
    {"gask", false, {60, 70, 170, 255}, {200, 200, 200, 255}, {0, 0, 0, 0}},
    {"wendrel", false, {120, 100, 60, 255}, {150, 80, 30, 255}, {40, 30, 20, 255}},
    {"olvane", true, {230, 120, 170, 255}, {250, 225, 90, 255}, {0, 0, 0, 0}},
    {"imbra", true, {90, 170, 200, 255}, {190, 70, 30, 255}, {0, 0, 0, 0}},
    {"saffrin", true, {240, 200, 80, 255}, {120, 75, 35, 255}, {0, 0, 0, 0}},
    {"yavenne", true, {120, 50, 150, 255}, {25, 20, 20, 255}, {0, 0, 0, 0}},
};

void WritePictures(std::string const& dir)
{
    for (int k = 0; k < 5; ++k)
        DataGen::SavePng(Jar(ProductColours[k]), dir, "gfx/petra/objects/jar" + std::to_string(k) + ".png");
    DataGen::SavePng(Staff(), dir, "gfx/petra/objects/staff.png");
    DataGen::SavePng(RiddleGiver(), dir, "gfx/petra/petra.png");
    for (Guest const& g : Guests)
        DataGen::SavePng(GuestPicture(g), dir, std::string("gfx/petra/dudes/") + g.file + ".png", PngFormat::Rgb);
    // The weighing machine's pointer: drawn hanging below a tube's mouth, pointing up at it.
    Canvas arrow(16, 24);
    arrow.FillPolygon({8, 0, 16, 10, 11, 10, 11, 24, 5, 24, 5, 10, 0, 10}, Rgba{120, 0, 0, 255});
    arrow.FillPolygon({8, 2, 14, 9, 10, 9, 10, 23, 6, 23, 6, 9, 2, 9}, Rgba{250, 60, 40, 255});
    DataGen::SavePng(arrow, dir, "gfx/general/uparrow.png");
}

} // namespace

Pointf StaffHolder(int s)
{
    // The star's five tips, going round from the top, and its five inner corners; the other holders
    // lie where the lines of the star and their extensions cross the star's three horizontal lines.
    auto polar = [](double degrees, double r) {
        return Pointf(r * std::cos(degrees * pi / 180.0), r * std::sin(degrees * pi / 180.0));
    };
    double const inner = std::cos(72.0 * pi / 180.0) / std::cos(36.0 * pi / 180.0);
    Pointf p[Petra_Staff_Holder_Count];
    p[6] = polar(90, 1);
    p[5] = polar(18, 1);
    p[9] = polar(-54, 1);
    p[8] = polar(-126, 1);
    p[7] = polar(162, 1);
    p[0] = polar(-90, inner);
    p[1] = polar(-18, inner);
    p[2] = polar(54, inner);
    p[3] = polar(126, inner);
    p[4] = polar(198, inner);
    double const top = p[6].y, middle = p[1].y, bottom = p[9].y;
    // The point of the line through a and b at height y.
    auto at = [](Pointf a, Pointf b, double y) { return Pointf(a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y); };
    double const share = 1.0 / std::sqrt(5.0); // of the way from tip 6 to tip 7
    p[15] = Pointf(p[6].x + share * (p[7].x - p[6].x), p[6].y + share * (p[7].y - p[6].y));
    p[16] = Pointf(-p[15].x, p[15].y);
    p[13] = at(p[3], p[16], middle);
    p[14] = Pointf(-p[13].x, middle);
    p[18] = at(p[3], p[16], top);
    p[17] = Pointf(-p[18].x, top);
    p[11] = at(p[7], p[13], bottom);
    p[12] = Pointf(-p[11].x, bottom);
    p[21] = at(p[3], p[15], top);
    p[22] = Pointf(-p[21].x, top);
    p[23] = at(p[3], p[15], bottom);
    p[24] = Pointf(-p[23].x, bottom);
    p[10] = Pointf(0, bottom);
    p[20] = at(p[6], p[5], middle);
    p[19] = Pointf(-p[20].x, middle);
    return Pointf(Staff_CentreX + Staff_Radius * p[s].x, Staff_CentreY + Staff_Radius * p[s].y);
}

std::vector<Road> BuildRoads()
{
    double const hall = Petra_HallFloor;
    double const top = PlateTopY; // a plate's top over its floor, as it stands up
    // A whole first visit, for the road walker and the bench: the greeting, which chains into the
    // scales' introduction and leaves the player in the factory; a leap over plate 0 onto plate 1,
    // and from plate to plate, each jumped on again until tube k has dropped k jars; the weighing
    // answered with the arrow where it starts, which chains into the motel; the first answer of
    // each question, each plate leapt onto from the floor beside it, and the door's plate until
    // the verdict, which chains into the staffs; the staff plate until the verdict; and out of the
    // front door.
    Road visit("visit");
    visit.Press(610.0, hall, "riddle-giver", 4700);
    visit.Press(TubePlate_X[1], hall + top, "tube 1", 20);
    for (int k = 2; k < 5; ++k)
    {
        visit.Jump(TubePlate_X[k - 1] + 6.0, hall + top);
        visit.Press(TubePlate_X[k], hall + top, "tube " + std::to_string(k), 20);
        for (int again = 1; again < k; ++again)
            visit.Hop(TubePlate_X[k], hall + top, "tube " + std::to_string(k) + " again", 70);
    }
    // The walker works a station's keys once the player is at rest, which may be before he lands:
    // the choice is made at a second station, where he comes down on the plate (he lets go of the
    // keys short of the first, and stands held there).
    visit.Jump(TubePlate_X[4] + 6.0, hall + top);
    visit.Press(WeighPlate_X, hall + top, "weighing", 20);
    visit.Press(WeighPlate_X - 3.0, hall + top, "choice", 1900);
    double const question = Petra_QuestionFloor;
    // Each question's first plate leapt onto from the floor before it.
    for (double x : AnswerPlate_X)
        visit.Walk(x - MotelPlateHalf - LeapRun, question).Press(x, question + top, "an answer", 20);
    visit.Walk(MotelPlate_X + MotelPlateHalf + LeapRun, question)
        .Press(MotelPlate_X, question + top, "the motel's verdict", 1500);
    double const staff = Petra_StaffFloor;
    visit.Walk(StaffPlate_X - PlateHalf - LeapRun, staff).Press(StaffPlate_X, staff + top, "the staffs' verdict", 1000);
    visit.Exit(Room1_Outside + Wall, hall);

    // Out of the front door from the start.
    Road exit("exit");
    exit.Exit(Room1_Outside + Wall, hall);
    return {visit, exit};
}

MapWriter BuildMap()
{
    MapWriter map;
    map.SetView(314, 475, 1.3);
    WriteMasonry(map);
    WriteRiddleRoom(map);
    WriteFactory(map);
    WriteJarStore(map);
    WriteMotel(map);
    WriteQuestionRoom(map);
    WriteStaffRoom(map);
    WriteRock(map);
    return map;
}

void Write(std::string const& dir)
{
    DataGen::MakeDirs(dir + "/petra");
    BuildMap().WriteOrThrow(dir + "/petra/map");
    Road::Write(dir + "/petra/road", BuildRoads());
    AddToImageMap(dir);
    WriteTextures(dir);
    WritePictures(dir);
}

} // namespace PetraWriter
