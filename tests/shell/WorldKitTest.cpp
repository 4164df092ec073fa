// The worlds' test kit: road files read back as written and refused by line when malformed; and the
// kit proves it can fail: the road walker stuck at a wall says where, the whole-world replay run
// catches an object that does not replay, the missing-id sweep a build that leaks or goes on
// without an id, and the frame check a player out of sight, a frame with bare clear colour, a player
// outside the map's walls or a level ended away from its exits, the door watch a door passed shut, and
// the way back a place beyond a shut door and one that only a step off a ride at its far turn reaches.
// Every world of the table keeps its player in sight on a covered screen along its roads and held keys,
// and from every standing surface of its map, from which and from every place the runs from them come
// to stand on, at the size he has there, he can get back to the road; no held or random keys pass a
// door a puzzle opens from the side its puzzle keeps him on while it is shut, and a door shut on him
// in its doorway lets him out on that side. From every standing surface and every ride within a double
// jump's reach of a watched door's far side, holds towards it with the double jump at many timings do
// not land him there.
#include "black/Black.h"
#include "black/Black_Ids.h"
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
#include "castle/Casle_Ids.h"
#include "chasm/Chasm.h"
#include "engine/Char_Base.h"
#include "engine/Door.h"
#include "engine/MapMove.h"
#include "engine/MapMoveObject.h"
#include "engine/Object.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/TimeFrames.h"
#include "final/Final_Ids.h"
#include "killig/Kilig.h"
#include "killig/KiligWorldSupport.h"
#include "petra/Petra.h"
#include "petra/Petra_Factory_Scales.h"
#include "plateau/Plato.h"
#include "support/FrameCheck.h"
#include "support/MapIdSweep.h"
#include "support/PuzzleDoors.h"
#include "support/RoadTravel.h"
#include "support/RoadWalker.h"
#include "support/ShortcutRun.h"
#include "support/StandingSurfaces.h"
#include "support/WayBack.h"
#include "support/WorldFixture.h"
#include "support/WorldReplay.h"
#include "testworld/Test_World.h"
#include "tools/DataGen.h"
#include "tools/MapWriter.h"
#include "tools/Road.h"
#include "tools/worlds/castle.h"
#include "tools/worlds/final.h"
#include "tools/worlds/killig.h"
#include "tools/worlds/tower.h"
#include "tower/Tower.h"
#include "tower/Tower_Ids.h"
#include "treevillage/TreeV.h"
#include "treevillage/TreeV_DoorSwitch.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace
{

// Moves on by a step each time it is moved, whatever the tick: shown again, it stands elsewhere.
class Drifter final : public Object, public Char_Base
{
public:
    void MoveToTime(Map const*, Tick) override { pos.x += 1.0; }
};

// A shaft the floor ends at on its right, with a car (group 1) in it, flush with the floor, that stands
// 100 ticks and rises a step a tick for 600, then comes down again the same way, for ever. Right of
// the shaft stands a wall 560 high, and beyond it a pit no one climbs out of: only a step off the car
// near the top of its way leads there.
constexpr unsigned int Shaft_Car = 1;
constexpr Tick Shaft_Wait = 100;
constexpr Tick Shaft_Rise = 600;
class Shaft_Car_Mover final : public MapMoveObject
{
public:
    explicit Shaft_Car_Mover(Map* map) : moves(1)
    {
        map->RequireGroup(Shaft_Car);
        Rectf const cover(0.0, 0.0, 0.0, double(Shaft_Rise));
        map->SetGroupCover(Shaft_Car, &cover);
        moves[0].kind = MoveObject_Translate;
        moves[0].group = Shaft_Car;
    }
    void MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** orders) override
    {
        Tick const phase = t % (Shaft_Wait + 2 * Shaft_Rise);
        moves[0].newY = phase < Shaft_Wait                ? 0.0
                        : phase < Shaft_Wait + Shaft_Rise ? double(phase - Shaft_Wait)
                                                          : double(Shaft_Wait + 2 * Shaft_Rise - phase);
        *orders = &moves;
    }

private:
    FlatList<MoveObject> moves;
};
class Shaft_World final : public World_Base
{
public:
    // Its map, written into the data folder; drawn with the test world's textures.
    static void Write()
    {
        MapWriter map;
        map.SetView(-500.0, -100.0, 1.0);
        map.AddBox(-1100.0, -100.0, -1000.0, 1200.0, 1, 0, true, false, 64.0);
        map.AddBox(-1000.0, -100.0, 0.0, 0.0, 1, 0, true, false, 64.0);
        map.AddBox(0.0, -100.0, 100.0, -20.0, 1, 0, true, false, 64.0);
        map.AddBox(0.0, -15.0, 100.0, 0.0, 3, Shaft_Car, true, false, 64.0);
        map.AddBox(100.0, -100.0, 120.0, 560.0, 1, 0, true, false, 64.0);
        map.AddBox(120.0, -100.0, 500.0, 200.0, 1, 0, true, false, 64.0);
        map.AddBox(500.0, -100.0, 600.0, 1200.0, 1, 0, true, false, 64.0);
        map.AddRefPoint(0, -300.0, 1.0);
        DataGen::MakeDirs("shaftworld");
        map.WriteOrThrow("shaftworld/map");
    }

    explicit Shaft_World(GameEvents* events) : World_Base(events, 9)
    {
        LoadMap("testworld/imagemap", "shaftworld/map");
        PlacePlayer(0);
        Shaft_Car_Mover* car = built.Own(new Shaft_Car_Mover(map));
        mapMove = built.Own(new MapMove(objects));
        mapMove->AddObject(car);
        map->PreprocessCollision();
        mapMove->Init(map);
    }

    Level_Action Poll(KeyData keys) override { return Level::Poll(keys); }
};

class WorldKit : public MutedWorldFixture
{
protected:
    void TearDown() override
    {
        WorldFixture::TearDown();
        drifter.reset();
    }

    // The engine's test world itself, whichever worlds the table has built.
    World_Base& BuildTestWorld()
    {
        Destroy();
        world = std::make_unique<Test_World>(&events);
        return *world;
    }

    std::unique_ptr<Drifter> drifter;
};

// The views worlds frame on purpose beyond scripted scenes: the tower's whole view while the
// player stands at its overview spot (the spot's allowance of steps running down), the step in
// which he enters another of its camera zones (the zone is found from where he stood before the
// step, so its shot begins to move only on the next), and its closest shots of the player at the
// smallest size its scaling zones give, in which he stands smaller; the canyon's camera held still
// over a fall that ends the level and its deep zone's view, which ends at the exit line, the den's
// whole arena, in which the player stands smaller, and the castle's way out left of the hall:
// between the entrance's exit line and room 0 the hall's view (which begins a few units right of
// the line) shows him walking out at its left edge.
// The mountains' view holds the road's end while he walks the last stretch out of it to the exit.
// The castle and the master's dungeon find a room's camera from where he stood before a step, so
// the step into a room shows the last room's view; their rooms' views leave thin strips of the rooms
// out, which he walks or falls through.
constexpr double Tower_CloseZoom = 10.0;  // the tower's shots of its smallest corridors frame this close or closer (the
                                          // camera's eased zoom closes in on it by a share each step)
constexpr double Tower_CloseShort = 1e-3; // how far short of it, as a share, the eased zoom may be
constexpr double Tower_GiantSize = 16.0;  // the size a giant walks the way in's passage at
// The last views of the village and the plateau end short of their main exits: the player walks out
// at the view's right edge over the last few steps before the exit.
constexpr double TreeV_WalkOut = 40.0;
constexpr double Plato_WalkOut = 200.0;

// Whether the room or zone the player is found in differs from the one after the last step (-2:
// none seen yet, so the first is not an entry); remembers it.
bool Entered(int& last, int now)
{
    bool const entered = last != -2 && now != last;
    last = now;
    return entered;
}

FrameCheck::Shown PurposefulViews(Level_Type type)
{
    switch (type)
    {
    case Level_Tower:
        return [left = Tower_OverviewBudget, zone = -1](World_Base const& w) mutable {
            Tower const& tower = static_cast<Tower const&>(w);
            int const now = tower.GetOverviewSteps();
            bool const atSpot = now < left;
            bool const entered = tower.GetCameraZone() != zone;
            left = now;
            zone = tower.GetCameraZone();
            // Two shots of the second wing end short of what is walked in their zones: zone 15's at x
            // 1978, 2 short of the zone's edge at the sill, and zone 22's top at y 2927.8, under the
            // masonry's top (2930) that the step's jump climbs onto. There he is seen cut at the edge.
            static Rectf const shortShots[] = {{1973.0, 2755.0, 1982.0, 2800.0}, {1390.0, 2876.0, 1440.0, 2940.0}};
            Pointf const p = w.GetPlayer()->GetPos();
            bool const cut = std::any_of(std::begin(shortShots), std::end(shortShots), [&](Rectf const& r) {
                return p.x >= r.x0 && p.x < r.x1 && p.y >= r.y0 && p.y < r.y1;
            });
            // Over the passage from the tooth to the gap, the first wing's shots end 25 and 51 over a
            // standing giant's head and the gap's begins 270 over his feet: a giant jumping there, up the
            // gap or at the tooth's foot, or tipped on its slope, which rises to 1400 so that no one
            // stands where neither shot shows him whole, is seen cut at their edges until he rises into
            // the gap's shot or comes down again.
            using namespace TowerWriter;
            bool const overTheTooth = w.GetPlayer()->GetScale() >= Tower_GiantSize && p.x >= Way_ToothX0 - 10.0
                                      && p.x < Way_RightX0 && p.y > Way_PassY && p.y < Way_ToothY + 20.0;
            if (atSpot || entered || cut || overTheTooth)
                return FrameCheck_Let::Frame;
            // Below the next size up he is at the smallest size, or shrinking to it or growing from it.
            double smallest = Tower_Scalers[0].playerScale;
            for (Tower_ScalerIds const& scaler : Tower_Scalers)
                smallest = std::min(smallest, scaler.playerScale);
            double nextUp = 1e300;
            for (Tower_ScalerIds const& scaler : Tower_Scalers)
                if (scaler.playerScale > smallest)
                    nextUp = std::min(nextUp, scaler.playerScale);
            bool const smallestClose = w.GetPlayer()->GetScale() < nextUp
                                       && w.GetMap()->view.scale >= Tower_CloseZoom * (1.0 - Tower_CloseShort);
            return smallestClose ? FrameCheck_Let::Size : FrameCheck_Let::Nothing;
        };
    case Level_TreeV:
        return [](World_Base const& w) {
            Pointf const p = w.GetPlayer()->GetPos();
            bool const out = TreeV::ExitAt(Pointf(p.x + TreeV_WalkOut, p.y), 0) == Level_Completed;
            return out ? FrameCheck_Let::Frame : FrameCheck_Let::Nothing;
        };
    case Level_Plato:
        return [](World_Base const& w) {
            bool const out = w.GetPlayer()->GetPos().x > Plato_ExitX - Plato_WalkOut;
            return out ? FrameCheck_Let::Frame : FrameCheck_Let::Nothing;
        };
    case Level_Chasm:
        return [](World_Base const& w) {
            // The deep zone's view ends at the exit line: over the last half of his width before it
            // the player walks out at the view's right edge.
            Player const* player = w.GetPlayer();
            Pointf const p = player->GetPos();
            bool const out = p.y < Chasm_ZoneY && p.x > Chasm_ExitX - Player_Width * player->GetScale() / 2.0;
            return static_cast<Chasm const&>(w).GetFallCountdown() > 0 || out ? FrameCheck_Let::Frame
                                                                              : FrameCheck_Let::Nothing;
        };
    case Level_Casle:
        return [zone = -2](World_Base const& w) mutable {
            using namespace CastleWriter;
            Player const* player = w.GetPlayer();
            Pointf const p = player->GetPos();
            bool const leaving = p.x < Casle_RoomRects[0].x0 && p.y < Casle_EntranceExitY;
            // A fall from the top down the shaft at either end, until he lands in the room below: from
            // the top's floor on, since the top's view, held at its height, ends above that floor (at
            // 6738.6) and the top's zone reaches down to 6700.
            bool const shaft =
                (p.x >= Top_WallLeftX && p.x <= Top_LeftX) || (p.x >= Top_RightX && p.x <= Top_WallRightX);
            bool const falling = shaft && p.y < Top_Floor && player->GetFallSpeed() > 0.0;
            // The step in which he enters another room or the top (-1: none; -2: not yet seen): its
            // camera is found from where he stood before the step.
            bool const entered = Entered(zone, p.y > Casle_TopZoneY ? Casle_Room_Count : Casle::FindRoom(p));
            // The strips between two rooms whose cameras' views do not overlap by the player's width: on
            // either side of the line between them one view or the other shows him cut at its edge (he
            // is 20 wide; each strip runs from 10 inside the one view's edge to 10 inside the other's, as
            // high as the rooms).
            static Rectf const gaps[] = {
                {1293.3, 3000.0, 1316.7, 3250.0}, // rooms 0 and 1: the hall's views end at 1303.3 and begin at 1306.7
                {1723.7, 3120.0, 1750.0, 3250.0}, // rooms 1 and 2, up room 1's ramp: its view ends at 1733.7, room 2's begins at 1740
                // rooms 3 and 2, along the walkway: room 3's view ends at 1716.2, room 2's begins at 1740
                {1706.1, 3280.0, 1750.0, 3440.0},
                {1120.0, 3660.0, 1140.0, 4120.0}, // rooms 5 and 4: room 4's view begins at 1130
                // rooms 3 and 4, up room 3's ramp: room 3's view ends at 3639.2, 20 under room 4's floor line
                {1220.0, 3600.0, 1740.0, 3660.0},
                {385.6, 3740.0, 400.0, 4170.0},   // rooms 6 and 5: room 6's view ends at 395.6
                {-310.0, 3840.0, -305.6, 4090.0}, // rooms 7 and 6: room 6's view begins at -315.6
                // rooms 12 and 10: the shaft's view ends at 2246.7, room 10's begins at 2235
                {2236.7, 3650.0, 2245.0, 4120.0},
                {2865.0, 3650.0, 2870.0, 4120.0}, // rooms 10 and 9, at the doorway: room 10's view ends at 2875
                {3900.0, 4640.0, 3928.3, 4970.0}, // rooms 11 and 19: room 19's view begins at 3918.3
                {4441.7, 4500.0, 4470.0, 4970.0}, // rooms 19 and 20: room 19's view ends at 4451.7
                {3900.0, 4960.0, 4470.0, 4970.0}, // rooms 19 and 21: room 19's view ends 10 over the line, at 4980
                {5930.0, 4340.0, 5938.3, 4590.0}, // rooms 33 and 37: room 37's view begins at 5928.3
                // rooms 25 and 27, over the nook's wall: room 25's view ends at 6356.7, room 27's begins at 6374.4
                {6346.7, 5400.0, 6384.4, 5600.0},
                // rooms 27 and 28, through door 18: room 27's view ends at 7085.6, room 28's begins at 7100
                {7075.6, 5340.0, 7110.0, 5600.0},
            };
            bool const between = std::any_of(std::begin(gaps), std::end(gaps), [&](Rectf const& g) {
                return p.x >= g.x0 && p.x < g.x1 && p.y >= g.y0 && p.y < g.y1;
            });
            if (leaving || falling || entered || between)
                return FrameCheck_Let::Frame;
            // Every floor lies in the top's zone or in a room, whose camera shows him.
            bool const placed = p.y > Casle_TopZoneY || zone >= 0;
            return placed || player->IsPlayerDead() != 0 ? FrameCheck_Let::Nothing : FrameCheck_Let::Off;
        };
    case Level_Kilig:
        return [room = -2](World_Base const& w) mutable {
            // The step in which he enters another room (its camera is found from where he stood
            // before the step), and a walk or fall through the strip along a room's edge that its
            // view leaves out: a player pinned or standing there is still looked at.
            Player const* player = w.GetPlayer();
            Pointf const p = player->GetPos();
            bool const entered = Entered(room, Kilig::CameraRoom(p));
            int const now = room;
            bool const moving = player->speed != 0.0 || player->GetFallSpeed() != 0.0;
            bool edge = false;
            for (Pointf const d : {Pointf(-Player_Width, 0.0), Pointf(Player_Width, 0.0), Pointf(0.0, -Player_Height),
                                   Pointf(0.0, Player_Height)})
                edge = edge || Kilig::CameraRoom(p + d) != now;
            return entered || (moving && edge) ? FrameCheck_Let::Frame : FrameCheck_Let::Nothing;
        };
    case Level_Black:
        return [](World_Base const& w) {
            bool const end = w.GetPlayer()->GetPos().x > Black_EndZoneX;
            return end ? FrameCheck_Let::Frame : FrameCheck_Let::Nothing;
        };
    case Level_Final:
        return [wasInArena = false](World_Base const& w) mutable {
            // The arena's camera holds every place in the den but the pit, where the camera follows him
            // down: a floor beyond the arena's sides is in no view the den frames. The step in which he
            // drops out of the arena into the pit still shows the arena's view: the camera is set from
            // where he stood before the step.
            Pointf const p = w.GetPlayer()->GetPos();
            bool const across = p.x > Final_Arena_Left && p.x < Final_Arena_Right;
            bool const arena = across && p.y > Final_Arena_Floor;
            bool const pit = across && p.x <= FinalWriter::Pit_Right;
            bool const leaving = wasInArena && !arena;
            wasInArena = arena;
            return arena || leaving ? FrameCheck_Let::Size : pit ? FrameCheck_Let::Nothing : FrameCheck_Let::Off;
        };
    default:
        return {};
    }
}

// The tower's player has the size of the scaling zone he last walked through: in a part of the map
// walked at one size, that size; at a place near the main road, the size the road's walker had at its
// nearest step (of the sizes the zones give, the nearest to his, should he be growing); then the sizes
// of the zones nearest the place, then his size at the start.
constexpr double Tower_RoadNear = 150.0; // how near the road a place takes the road's size
struct SizeSample
{
    Pointf at;
    double scale;
};
StandingSurface_Sizes TowerSizesAt(Map const& map, double start, std::vector<SizeSample> road)
{
    return [&map, start, road = std::move(road)](Pointf at) {
        std::vector<double> sizes;
        for (TowerWriter::Tower_Area const& area : TowerWriter::Tower_AreaSizes)
            if (at.x >= area.x0 && at.x < area.x1 && at.y >= area.y0 && at.y < area.y1)
                sizes.push_back(area.scale);
        auto const away = [&](Pointf p) { return std::hypot(p.x - at.x, p.y - at.y); };
        auto const nearest = std::min_element(road.begin(), road.end(), [&](SizeSample const& a, SizeSample const& b) {
            return away(a.at) < away(b.at);
        });
        if (nearest != road.end() && away(nearest->at) < Tower_RoadNear)
        {
            double given = start;
            for (Tower_ScalerIds const& scaler : Tower_Scalers)
                if (std::fabs(std::log(scaler.playerScale / nearest->scale))
                    < std::fabs(std::log(given / nearest->scale)))
                    given = scaler.playerScale;
            sizes.push_back(given);
        }
        std::vector<std::pair<double, double>> near; // distance, size
        for (Tower_ScalerIds const& scaler : Tower_Scalers)
            near.emplace_back(away(map.GetRefPoint(scaler.ref)), scaler.playerScale);
        std::sort(near.begin(), near.end());
        for (auto const& [distance, size] : near)
            sizes.push_back(size);
        sizes.push_back(start);
        return sizes;
    };
}

// What a world's roads and held keys take as done before they start, beyond a first visit: the
// master's introduction (his dungeon's roads start in it; on a first visit held keys would only
// stand through his scripted scene), the village's mended lift (its main exit's road rides it).
constexpr GameEvent Progress_LiftMended = 20;
void RoadProgress(Level_Type type, GameEvents& record)
{
    if (type == Level_Kilig)
        record[Kilig_Event_IntroSeen] = GameEvent_HasHappened;
    if (type == Level_TreeV)
        record[Progress_LiftMended] = GameEvent_HasHappened;
}

// Where a world's roads go on from another's end: the dungeon's roads beyond door 0 start where
// the first room's road ends, on the plate that holds the door open; after a wait there, to the
// shut door and back to when a past self still stood on the plate.
void RoadPrelude(Level_Type type, Road const& road, World_Base& w, FrameCheck::Stepper const& step)
{
    if (type != Level_Kilig || road.name == "first room")
        return;
    RoadWalk_Result const r = RoadWalker(w, RoadWalker::WorldRoad(Level_Kilig, "first room")).Walk(step);
    ASSERT_TRUE(r.done) << r.report;
    for (int i = 0; i < 400; ++i)
        step({});
    Tick const left = w.GetTick();
    Road door("to door 0");
    door.Walk(KiligWriter::Road_Door0X - 30.0, 1550.0);
    RoadWalker(w, door).Walk(step);
    KiligTravelBackTo(w, step, left - 50);
}

// Where a world's player stands a step before he is put down on a standing surface: the tower's on
// the road at its start, outside every camera zone, as a player coming in from the road or from a
// wing's end does (its camera zone over the foot frames him only when he comes from there).
void SurfacePrelude(Level_Type type, World_Base& w, FrameCheck::Stepper const& step,
                    std::function<void(Pointf, double)> const& put)
{
    if (type != Level_Tower)
        return;
    put(w.GetMap()->GetRefPoint(Tower_Rp_Start), w.GetPlayer()->GetScale());
    step({});
}

// The places a level may end in: each road's way out, from the point before its exit on in the
// exit's direction, as high as the two points and Exit_Reach above and below.
constexpr double Exit_Reach = 200.0;
std::vector<Rectf> ExitPlaces(char const* folder)
{
    std::vector<Rectf> places;
    for (Road const& road : Road::ReadAll(std::string(folder) + "/road"))
        for (std::size_t i = 1; i < road.points.size(); ++i)
            if (Road_Point const& exit = road.points[i]; exit.kind == Road_Exit)
            {
                Road_Point const& before = road.points[i - 1];
                bool const right = exit.x > before.x;
                places.emplace_back(right ? before.x - Exit_Reach : -1e300, std::min(before.y, exit.y) - Exit_Reach,
                                    right ? 1e300 : before.x + Exit_Reach, std::max(before.y, exit.y) + Exit_Reach);
            }
    return places;
}

std::string Place(double x, double y)
{
    char text[64];
    std::snprintf(text, sizeof text, "(%.1f, %.1f)", x, y);
    return text;
}

// Every door of every world: the side its puzzle keeps the player on (the side the way to it comes
// from, its puzzle's side), the sizes its room is walked at, whether runs of held and random keys
// are watched for passing it shut (`watched`) and whether the check of a door shut on a player
// stands him under it (`fallen`); the comments say why a door is left out of either. Doors are
// numbered by the world's door table, from 0.
struct Door_Row
{
    Level_Type type;
    int door;
    DoorSide near;
    std::vector<double> sizes;
    bool watched;
    bool fallen;
    bool scenery = false; // stands in front of a house and closes no way: no puzzle opens it
};
std::vector<double> const Door_One{1.0};
std::vector<Door_Row> const Door_Rows = [] {
    std::vector<Door_Row> rows;
    // The village: the gate stands over the ditch on the street's way from the start, guarding the
    // rest of the village and the way out below; a shot at either of its switches lays it down
    // (held and random keys throw nothing), and while anyone stands where it falls no shot lays it
    // down, so it falls on no one. The house doors stand in front of their houses as scenery and
    // close no way: the houses are entered by their teleports.
    rows.push_back({Level_TreeV, 0, DoorSide::Left, Door_One, true, false});
    for (int d = 1; d < TreeV_Door_Count; ++d)
        rows.push_back({Level_TreeV, d, DoorSide::Left, Door_One, false, false, true});
    // The master's dungeon runs left to right, and every door's plate, blob or podium lies on its left.
    for (int d = 0; d < Kilig_Door_Count; ++d)
        rows.push_back({Level_Kilig, d, DoorSide::Left, Door_One, true, true});
    // The castle: each door's puzzle lies on the side its room is entered from. Door 0 is the
    // entrance, which the fee holds open for good (switch 0 raises it while held, before); doors 2,
    // 3, 5, 11, 14 and 18 keep him on their right, in rooms 14, 30, 17, 7, 33 and 27; the others on
    // their left, the side the road or the way into their rooms comes from (door 1 in room 8, under
    // room 5, which lift 5 comes down into).
    constexpr DoorSide Casle_Near[Casle_Door_Count] = {
        DoorSide::Left, DoorSide::Left,  DoorSide::Right, DoorSide::Right, DoorSide::Left, DoorSide::Right,
        DoorSide::Left, DoorSide::Left,  DoorSide::Left,  DoorSide::Left,  DoorSide::Left, DoorSide::Right,
        DoorSide::Left, DoorSide::Left,  DoorSide::Right, DoorSide::Left,  DoorSide::Left, DoorSide::Left,
        DoorSide::Right};
    for (int d = 0; d < Casle_Door_Count; ++d)
        rows.push_back({Level_Casle, d, Casle_Near[d], Door_One, true, true});
    // The tower, at the sizes its rooms are walked at (see tools/worlds/tower.cpp). Doors 1, 4 and 11
    // are lids over holes, walked onto from above: no one stands in a hole for a lid to shut on him.
    // Door 16 is walked through from switch 11 without a past self, still open as he gets there,
    // and falls shut behind him; door 17 needs the past self.
    struct Tower_Door
    {
        DoorSide near;
        std::vector<double> sizes;
    };
    std::vector<Tower_Door> const tower = {
        {DoorSide::Left, {4.0, 8.0}},   {DoorSide::Above, {0.25}},    {DoorSide::Right, {4.0}},
        {DoorSide::Right, {0.5}},       {DoorSide::Above, {0.0625}},  {DoorSide::Right, {0.0625}},
        {DoorSide::Right, {0.0625}},    {DoorSide::Right, {0.0625}},  {DoorSide::Right, {0.125}},
        {DoorSide::Right, {0.125}},     {DoorSide::Right, {0.125}},   {DoorSide::Above, {1.0}},
        {DoorSide::Right, {1.0, 4.0}},  {DoorSide::Right, {1.0}},     {DoorSide::Right, {4.0}},
        {DoorSide::Right, {4.0}},       {DoorSide::Left, {8.0, 4.0}}, {DoorSide::Left, {8.0, 64.0}},
    };
    for (int d = 0; d < Tower_Door_Count; ++d)
    {
        bool const lid = tower[d].near == DoorSide::Above;
        rows.push_back({Level_Tower, d, tower[d].near, tower[d].sizes, d != 16, !lid});
    }
    // The mountains: the dens and caves are walked left to right, their doors across them.
    for (int d = 0; d < Black_Door_Count; ++d)
        rows.push_back({Level_Black, d, DoorSide::Left, Door_One, true, true});
    return rows;
}();

// Where a door's far side runs on past the stretch behind it that the map shows (see FindBeyond):
// rooms and galleries reached only through it.
struct Door_Beyond
{
    Level_Type type;
    int door;
    Rectf where;
    bool none = false; // its far side is not watched, for the reason given
};
std::vector<Door_Beyond> const Door_Beyonds = {
    // The village's gate guards all of it right of the gate, and the way out below.
    {Level_TreeV, 0, {646.0, -1e6, 1e6, 1e6}},
    // The dungeon's doors 0 and 9 close its road: all of it right of them is beyond, but for the
    // spike ring over door 9 (from 2140 up), which the gallery left of the door climbs to, and which
    // ends at the wall over door 6 (x 10430-10500).
    {Level_Kilig, 0, {KiligWriter::Road_Door0X + 15.0, 1200.0, KiligWriter::Road_EndX, 3200.0}},
    {Level_Kilig, 9, {KiligWriter::Road_Door9X + 15.0, 1200.0, 10500.0, 2140.0}},
    {Level_Kilig, 9, {10500.0, 1200.0, KiligWriter::Road_EndX, 3200.0}},
    // Beyond door 19, lift 1's ledge and the upper floor right of the junction, which a jump from
    // the ledge reaches.
    {Level_Kilig, 19, {13426.0, 2650.0, KiligWriter::Road_ExitLintelX, 2780.0}},
    // The castle's rooms behind these doors run on up ladders, lifts and shafts that the stretch along
    // the floor does not cover, and runs from them land back in it.
    // Room 18, beyond door 5, is also the road's way down from the castle's top: all of it, the block
    // and its ramp over the floor by the door too, is beyond.
    {Level_Casle, 5, {CastleWriter::Room18_WallX, CastleWriter::Room18_Floor, 2120.0, 5800.0}},
    {Level_Casle, 2, {}, true},
    {Level_Casle, 6, {}, true},
    {Level_Casle, 8, {}, true},
    {Level_Casle, 10, {}, true},
    {Level_Casle, 13, {}, true},
    {Level_Casle, 15, {}, true},
    {Level_Casle, 16, {}, true},
    // The tower: wing A's galleries hang over door 0's far side and are reached from the high
    // gallery's left end; the floor beyond door 15 runs on past a pit.
    {Level_Tower, 0, {}, true},
    {Level_Tower, 15, {}, true},
};

// What a world's door table says of door d: its map group, how far it opens, and whether it rises
// (the others slide aside).
struct DoorFacts
{
    unsigned int group = 0;
    double distance = 0.0;
    bool rises = true;
};
DoorFacts FactsOf(Level_Type type, int d)
{
    switch (type)
    {
    case Level_TreeV:
        return {TreeV_Doors[d].group, 0.0, true};
    case Level_Kilig:
        return {Kilig_Doors[d].group, Kilig_Doors[d].distance, true};
    case Level_Casle:
        return {static_cast<unsigned int>(Casle_Doors[d].group), Casle_Doors[d].distance,
                Casle_Doors[d].direction == Direction_Up};
    case Level_Tower:
        return {Tower_Doors[d].group, Tower_Doors[d].distance, Tower_Doors[d].direction == Direction_Up};
    case Level_Black:
        return {Black_Doors[d].group, Black_Doors[d].distance, true};
    default:
        return {};
    }
}

// The engine's door of a world's door table, or none (the village's gate is a drawbridge).
Door* WorldDoor(World_Base& w, Level_Type type, int d)
{
    switch (type)
    {
    case Level_Kilig:
        return static_cast<Kilig&>(w).GetDoor(d);
    case Level_Casle:
        return static_cast<Casle&>(w).GetDoor(d);
    case Level_Tower:
        return static_cast<Tower&>(w).GetDoor(d);
    case Level_Black:
        return static_cast<Black&>(w).GetDoor(d);
    default:
        return nullptr;
    }
}

// Whether a world's door stands open at a tick: its activators on, or held open (the castle's
// entrance once the fee is paid); the village's gate from a shot at either of its switches on.
std::function<bool(Tick)> DoorOpen(World_Base& w, Level_Type type, int d)
{
    if (type == Level_TreeV)
    {
        TreeV_DoorSwitch const* gate = static_cast<TreeV&>(w).GetDoor(d);
        return [gate](Tick t) {
            return gate->GetSwitch(0)->FindClosestHit(t) != GameEvent_HasntHappened
                   || gate->GetSwitch(1)->FindClosestHit(t) != GameEvent_HasntHappened;
        };
    }
    Door const* door = WorldDoor(w, type, d);
    double const distance = FactsOf(type, d).distance;
    return [door, distance](Tick t) { return door->IsActive(t) || door->GetPos(t) >= distance; };
}

// The plate that opens a door while it is held, and the size it goes down under; group 0 for a door
// opened otherwise.
struct Door_Plate
{
    unsigned int group = 0;
    double scale = 1.0;
};
Door_Plate DoorPlate(Level_Type type, int d)
{
    switch (type)
    {
    case Level_Kilig:
        if (Kilig_Doors[d].opener == Kilig_BySwitch)
            return {Kilig_SwitchGroups[Kilig_Doors[d].index]};
        return {};
    case Level_Casle:
        if (Casle_Doors[d].driver == Casle_Driver_Switch)
            return {Casle_SwitchGroups[Casle_Doors[d].index]};
        return {};
    case Level_Tower:
    {
        // Doors 0 to 6 open with the switch of their number, 8 to 10 with switches 7 to 9, 12 with
        // switch 10, 16 and 17 with switch 11; the others with hit targets.
        int const plate = d <= 6 ? d : d >= 8 && d <= 10 ? d - 1 : d == 12 ? 10 : d >= 16 ? 11 : -1;
        if (plate < 0)
            return {};
        return {Tower_Switches[plate].group, Tower_Switches[plate].scale};
    }
    default:
        return {};
    }
}

// The village's gate stands upright over the ditch's right edge, turned a quarter about its pivot
// from where the map has it lying flat over the ditch.
DoorPlace GatePlace(Map const& map)
{
    TreeV_DoorIds const& gate = TreeV_Doors[0];
    Pointf const pivot = map.GetRefPoint(gate.pivot);
    Rectf up(1e300, 1e300, -1e300, -1e300);
    for (unsigned int i = 0; i < map.polyCount; ++i)
    {
        Poly const* poly = map.polys[int(i)];
        if (poly->group != gate.group)
            continue;
        for (int k = 0; k < poly->Points(); ++k)
        {
            Pointf const p = poly->points[k]->pos;
            // A quarter turn clockwise stands what lies left of the pivot up over it.
            Pointf const turned(pivot.x + (p.y - pivot.y), pivot.y - (p.x - pivot.x));
            up = Rectf(std::min(up.x0, turned.x), std::min(up.y0, turned.y), std::max(up.x1, turned.x),
                       std::max(up.y1, turned.y));
        }
    }
    return ProbeDoor(map, up, DoorSide::Left);
}

// Each part of each door of a world's rows that `take` takes, where the map places it shut.
struct Door_Part
{
    Door_Row const* row;
    DoorPlace place;
};
std::vector<Door_Part> DoorParts(Map const& map, Level_Type type, bool (*take)(Door_Row const&))
{
    std::vector<Door_Part> parts;
    for (Door_Row const& row : Door_Rows)
    {
        if (row.type != type || !take(row))
            continue;
        if (type == Level_TreeV && row.door == 0)
            parts.push_back({&row, GatePlace(map)});
        else
            for (DoorPlace const& place : PlaceDoor(map, FactsOf(type, row.door).group, row.near))
                parts.push_back({&row, place});
    }
    std::vector<DoorPlace*> places;
    for (Door_Part& part : parts)
        places.push_back(&part.place);
    FindBeyond(map, places);
    for (Door_Part& part : parts)
        for (Door_Beyond const& more : Door_Beyonds)
            if (more.type == type && more.door == part.row->door)
            {
                if (more.none)
                    part.place.beyond.clear();
                else
                    part.place.beyond.push_back(more.where);
            }
    if (std::getenv("HM_DOORS_TRACE") != nullptr)
        for (Door_Part const& part : parts)
            for (Rectf const& r : part.place.beyond)
                std::printf("door %d beyond: x %.1f-%.1f, y %.1f-%.1f%s\n", part.row->door, r.x0, r.x1, r.y0, r.y1,
                            part.place.onward ? ", goes on" : "");
    return parts;
}

std::string DoorName(Level_Type type, int d)
{
    return "door " + std::to_string(d) + " (group " + std::to_string(FactsOf(type, d).group) + ")";
}

// A watch over a run in the world as it stands of the doors a run without travel must not pass.
DoorWatch WatchDoors(World_Base& w, Level_Type type, std::string const& run, std::vector<Door_Part> const& parts)
{
    std::vector<WatchedDoor> doors;
    for (Door_Part const& part : parts)
        doors.push_back({DoorName(type, part.row->door), part.place, DoorOpen(w, type, part.row->door)});
    return DoorWatch(w, run, std::move(doors));
}

bool Watched(Door_Row const& row)
{
    return row.watched;
}
bool Fallen(Door_Row const& row)
{
    return row.fallen;
}
bool PuzzleOpens(Door_Row const& row)
{
    return !row.scenery;
}

} // namespace

TEST_F(WorldKit, TheRoadWalkerStuckAtAWallReportsTheTickAndThePlace)
{
    World_Base& w = BuildTestWorld();
    Pointf const start = w.GetPlayer()->GetPos();
    // The test world's floor ends at a wall from x -1000 to -900.
    Road road("west");
    road.Walk(start.x, start.y).Press(-1500.0, start.y, "beyond the wall", 10).Exit(-1600.0, start.y);
    RoadWalker walker(w, road);
    RoadWalk_Result const r = walker.Walk([&](std::vector<int> const& held) { return Step(held); });
    EXPECT_FALSE(r.done);
    ASSERT_TRUE(r.stuck);
    EXPECT_EQ(r.action, Level_Continue);
    EXPECT_EQ(r.point, 1);
    EXPECT_GE(r.at.x, -900.0);
    EXPECT_LT(r.at.x, -860.0);
    EXPECT_EQ(r.tick, w.GetTick());
    EXPECT_GT(r.tick, RoadWalker_StuckSteps);
    EXPECT_NE(r.report.find("tick " + std::to_string(r.tick) + " at " + Place(r.at.x, r.at.y)), std::string::npos)
        << r.report;
    EXPECT_NE(r.report.find("beyond the wall"), std::string::npos) << r.report;

    // Against the wall he is not wedged: holding right walks him off. Held where he stands, he is,
    // and the probe says where; a level that ends under the probe leaves nothing to ask.
    ShortcutRun::Stepper const step = [&](std::vector<int> const& held) { return Step(held); };
    EXPECT_EQ(ShortcutRun::Wedged(w, step), "");
    Pointf const held = w.GetPlayer()->GetPos();
    std::string const wedged = ShortcutRun::Wedged(w, [&](std::vector<int> const& keys) {
        Level_Action const a = Step(keys);
        w.GetPlayer()->SetPos(&held);
        return a;
    });
    char place[64];
    std::snprintf(place, sizeof place, "wedged at (%.0f, %.0f)", held.x, held.y);
    EXPECT_NE(wedged.find(place), std::string::npos) << wedged;
    EXPECT_EQ(ShortcutRun::Wedged(w, [](std::vector<int> const&) { return Level_Completed; }), "");
}

TEST_F(WorldKit, TheWholeWorldReplayRunPassesTheTestWorldAndCatchesAPlantedDrifter)
{
    WorldReplay_Options options;
    options.rounds = 2;
    options.playSteps = 300;
    options.travelSteps = 400;
    auto build = [&]() -> World_Base& { return BuildTestWorld(); };
    EXPECT_EQ(WorldReplay::RunSeed(*this, build, Road(), options, 7), "");

    options.prepare = [&](ReplayHarness&, World_Base& w) {
        drifter = std::make_unique<Drifter>();
        w.GetObjects()->AddObject(static_cast<Object*>(drifter.get()));
    };
    std::string const mismatch = WorldReplay::RunSeed(*this, build, Road(), options, 7);
    EXPECT_NE(mismatch.find("Drifter"), std::string::npos) << mismatch;
    EXPECT_NE(mismatch.find("field x"), std::string::npos) << mismatch;
}

TEST_F(WorldKit, RoadsReadBackAsWrittenAndAMalformedLineIsRefusedByNumber)
{
    Road one("up");
    one.Walk(1.5, -2.25).Jump(3.0, 4.0).Throw(5.0, 6.0, "far switch", 90, 2).Ride(7.0, 8.0, "lift top", 1500);
    one.Turn(9.0, 10.0, "mirror a quarter back", 157, false).Turn(9.0, 10.0, "and on", 3, true);
    Road two("down below");
    two.Press(0.1, 0.2, "sign", 3).Hop(1e-9, 1e9, "", 0).Exit(-5.0, 5.0);
    Road::Write("roads", {one, two});
    std::vector<Road> const back = Road::ReadAll("roads");
    ASSERT_EQ(back.size(), 2u);
    Road const* written[2] = {&one, &two};
    for (int r = 0; r < 2; ++r)
    {
        EXPECT_EQ(back[r].name, written[r]->name);
        ASSERT_EQ(back[r].points.size(), written[r]->points.size());
        for (std::size_t i = 0; i < back[r].points.size(); ++i)
        {
            Road_Point const& a = back[r].points[i];
            Road_Point const& b = written[r]->points[i];
            EXPECT_EQ(a.kind, b.kind);
            EXPECT_EQ(a.x, b.x);
            EXPECT_EQ(a.y, b.y);
            EXPECT_EQ(a.wait, b.wait);
            EXPECT_EQ(a.turns, b.turns);
            EXPECT_EQ(a.name, b.name);
        }
    }
    EXPECT_EQ(Road::Read("roads", "down below").points.size(), 3u);

    auto refusal = [](char const* text) {
        std::ofstream("bad") << text;
        try
        {
            Road::ReadAll("bad");
        }
        catch (Error const& e)
        {
            return std::to_string(e.Code()) + " " + e.Text();
        }
        return std::string("read");
    };
    EXPECT_EQ(refusal("road a\nwalk 1 2 0 0\ncrawl 1 2 0 0\n"), "8 bad:3: no kind of point \"crawl\"");
    EXPECT_EQ(refusal("road a\nwalk 1 x 0 0\n"), "8 bad:2: a point needs x, y, wait and turns");
    EXPECT_EQ(refusal("road a\nride 1 2 -5 0\n"), "8 bad:2: a point needs x, y, wait and turns");
    EXPECT_EQ(refusal("road a\nturn 1 2 -157 0\n"), "8 bad:2: a point needs x, y, wait and turns");
    EXPECT_EQ(refusal("walk 1 2 0 0\n"), "8 bad:1: a point before any road");
    try
    {
        Road::Read("roads", "sideways");
        ADD_FAILURE() << "a road not in the file was read";
    }
    catch (Error const& e)
    {
        EXPECT_STREQ(e.Text(), "roads: no road sideways");
    }
}

TEST_F(WorldKit, TheMissingIdSweepFailsABuildThatGoesOnWithoutAnIdOrLeaks)
{
    char const* const map = "testworld/map";
    MapWriter const full = MapIdSweep::Read(map);
    std::vector<MapIdSweep::Id> const ids = {{MapIdSweep::Kind::RefPoint, Test_World_Start},
                                             {MapIdSweep::Kind::Group, Test_World_DoorGroup}};
    EXPECT_TRUE(MapIdSweep::Sweep(map, map, full, ids, [&] { Test_World const w(&events); }).empty());

    std::vector<std::string> failures = MapIdSweep::Sweep(map, map, full, ids, [&] {
        try
        {
            Test_World const w(&events);
        }
        catch (Error const&)
        {
        }
    });
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0], "reference point 0: built without it");
    EXPECT_EQ(failures[1], "map group " + std::to_string(Test_World_DoorGroup) + ": built without it");

#ifdef HM_SWEEP_LEAK_CHECK
    // A build that fails leaving records of the engine behind, out of the leak checker's sight.
    constexpr std::uintptr_t Hide = 0x5A5A5A5A5A5A5A5Au;
    std::vector<std::uintptr_t> lost;
    failures = MapIdSweep::Sweep(map, map, full, ids, [&] {
        try
        {
            Test_World const w(&events);
        }
        catch (Error const&)
        {
            lost.push_back(reinterpret_cast<std::uintptr_t>(new TimeFrames()) ^ Hide);
            throw;
        }
    });
    for (std::uintptr_t hidden : lost)
        delete reinterpret_cast<TimeFrames*>(hidden ^ Hide);
    ASSERT_EQ(failures.size(), 2u);
    for (std::string const& failure : failures)
        EXPECT_NE(failure.find("blocks leaked"), std::string::npos) << failure;
#endif
}

TEST_F(WorldKit, TheFrameCheckFindsThePlayerOutOfSightTooSmallOrOverBareClearColour)
{
    // The test world has no backdrop: its frames show the clear colour around the floor.
    World_Base& w = BuildTestWorld();
    FrameCheck frames(w, "test world");
    FrameCheck::Stepper const step = frames.Wrap([&](std::vector<int> const& held) { return Step(held); });
    for (int i = 0; i < 2 * FrameCheck_Every; ++i)
        step({KeyIndex_GameRight});
    EXPECT_EQ(frames.Looked(), 2);
    // Only a frame drawn shows the clear colour; the sanitized build draws fewer.
    EXPECT_EQ(frames.Faults(), FrameCheck_DrawEvery == FrameCheck_Every ? 2 : 0) << frames.Report();
    FrameCheck drawn(w, "test world");
    drawn.Look();
    std::string const bare = drawn.Report();
    EXPECT_NE(bare.find("test world: step 0 (tick 100)"), std::string::npos) << bare;
    EXPECT_EQ(bare.find("out of the frame"), std::string::npos) << bare;
    EXPECT_EQ(bare.find("under 12 px"), std::string::npos) << bare;
    EXPECT_EQ(bare.find(" 0 clear-colour pixels"), std::string::npos) << bare;
    FrameCheck_Box const box = FrameCheck::PlayerBox(w);
    EXPECT_NEAR(box.Height(), Player_Height * w.GetPlayer()->GetScale() * w.GetMap()->view.scale, 1e-9);

    // The player stood far off, the camera not yet after him.
    Pointf const home = w.GetPlayer()->GetPos();
    Pointf const far(home.x + 5000.0, home.y);
    w.GetPlayer()->SetPos(&far);
    frames.Look();
    EXPECT_NE(frames.Report().find("step 100 (tick 100), feet (" + std::to_string(int(far.x))), std::string::npos)
        << frames.Report();
    EXPECT_NE(frames.Report().find("out of the frame,"), std::string::npos) << frames.Report();

    // Seen from far, a speck; unless the world holds that wide view on purpose.
    w.GetPlayer()->SetPos(&home);
    FrameCheck small(w, "far view");
    FrameCheck wide(w, "wide view", [](World_Base const&) { return FrameCheck_Let::Size; });
    w.GetMap()->view = {home.x - 320.0 / 0.3, home.y - 240.0 / 0.3, 0.3};
    small.Look();
    wide.After(Level_Continue);
    wide.Look();
    EXPECT_NE(small.Report().find("under 12 px tall"), std::string::npos) << small.Report();
    EXPECT_EQ(wide.Report().find("under 12 px tall"), std::string::npos) << wide.Report();
    EXPECT_EQ(small.Report().find("out of the frame"), std::string::npos) << small.Report();
    // A view that shows him just 12 px tall is close enough, even where the screen's arithmetic
    // makes him a hair less; a hundredth of a pixel less is not.
    for (double const scale : {FrameCheck_MinHeight / Player_Height, 0.9995 * FrameCheck_MinHeight / Player_Height})
    {
        FrameCheck just(w, "just tall enough");
        Pointf const off(home.x, home.y + 0.5);
        w.GetPlayer()->SetPos(&off);
        w.GetMap()->view = {home.x - 320.0 / scale, home.y, scale};
        just.Look(false);
        EXPECT_LT(FrameCheck::PlayerBox(w).Height(), FrameCheck_MinHeight);
        EXPECT_EQ(just.Faults(), scale < FrameCheck_MinHeight / Player_Height ? 1 : 0) << just.Report();
    }
    w.GetPlayer()->SetPos(&home);

    // A zoom in progress is let by, and so is a shot the world frames on purpose, for
    // FrameCheck_Settle steps after.
    FrameCheck zooming(w, "zooming");
    w.GetMap()->view.scale = 0.5;
    zooming.After(Level_Continue);
    zooming.Look();
    FrameCheck_Let let = FrameCheck_Let::Frame;
    FrameCheck shot(w, "shot", [&](World_Base const&) { return let; });
    shot.After(Level_Continue);
    shot.Look();
    EXPECT_EQ(zooming.Faults() + shot.Faults(), 0);
    EXPECT_EQ(zooming.Passed() + shot.Passed(), 2);
    let = FrameCheck_Let::Nothing;
    for (int i = 0; i < FrameCheck_Settle - 1; ++i)
        shot.After(Level_Continue);
    shot.Look();
    EXPECT_EQ(shot.Faults(), 0);
    shot.After(Level_Continue);
    shot.Look();
    EXPECT_EQ(shot.Faults(), 1);

    // The test world's standing surfaces, left to right: the floor, the ramps up to the block and
    // down from it, the slopes into the pressure plate's dip and the floor beyond; not the walls'
    // tops, which are the map's top, nor the plate, a moving group.
    std::vector<StandingSurface> const floors = StandingSurfaces(*w.GetMap(), {1.0});
    std::string ends;
    for (StandingSurface const& f : floors)
        ends += Place(f.a.x, f.a.y) + Place(f.b.x, f.b.y) + " ";
    EXPECT_EQ(ends, "(-900.0, 0.0)(900.0, 0.0) (200.0, 0.0)(400.0, 60.0) (400.0, 60.0)(600.0, 60.0) "
                    "(600.0, 60.0)(800.0, 0.0) (900.0, 0.0)(920.0, -20.0) (940.0, -20.0)(960.0, 0.0) "
                    "(960.0, 0.0)(1900.0, 0.0) ");

    // Kept to the walls and the exits: going out past a wall is a fault once, however long he stays
    // out; so is a level ended out there or away from every exit's place, but not one ended in it.
    FrameCheck kept(w, "kept");
    MapWalls const walls = MapWalls::Of(*w.GetMap());
    EXPECT_EQ(Place(walls.x0, walls.x1), Place(-1000.0, 2000.0));
    kept.Keep(walls, {Rectf(1800.0, -100.0, 1e300, 100.0)});
    PutPlayer(w, Pointf(walls.x0 - 50.0, 0.0), 1.0);
    kept.After(Level_Continue);
    kept.After(Level_Continue);
    EXPECT_EQ(kept.Faults(), 1);
    kept.After(Level_Completed);
    PutPlayer(w, Pointf(1850.0, 0.0), 1.0);
    kept.After(Level_Completed);
    PutPlayer(w, floors[0].Middle(), 1.0);
    kept.After(Level_Restart);
    EXPECT_EQ(kept.Faults(), 3) << kept.Report();
    EXPECT_NE(kept.Report().find("step 1 (tick 100), feet (-1050, 1) outside the walls"), std::string::npos)
        << kept.Report();
    EXPECT_NE(
        kept.Report().find(
            "step 3 (tick 100), the level ended (2) with the feet at (-1050, 1), outside the walls and at no exit"),
        std::string::npos)
        << kept.Report();
    EXPECT_NE(kept.Report().find("step 5 (tick 100), the level ended (3) with the feet at (0, 1), at no exit"),
              std::string::npos)
        << kept.Report();
    // A jump carries him over an exit's place by a few heights of his own: a giant ending the level
    // there is at it, a player of 1 as high is not.
    PutPlayer(w, Pointf(1850.0, 700.0), 8.0);
    kept.After(Level_Completed);
    EXPECT_EQ(kept.Faults(), 3) << kept.Report();
    PutPlayer(w, Pointf(1850.0, 700.0), 1.0);
    kept.After(Level_Completed);
    EXPECT_EQ(kept.Faults(), 4) << kept.Report();
}

TEST_F(WorldKit, TheDoorWatchFindsADoorPassedShutFromItsNearSideThroughOrOverIt)
{
    // The test world's door stands 150 high on the floor at x 1050 to 1070, nothing over it.
    World_Base& w = BuildTestWorld();
    std::vector<DoorPlace> const places = PlaceDoor(*w.GetMap(), Test_World_DoorGroup, DoorSide::Left);
    ASSERT_EQ(places.size(), 1u);
    DoorPlace const& door = places[0];
    EXPECT_EQ(Place(door.Line(), door.floor), Place(1060.0, 0.0));
    EXPECT_EQ(door.ceiling, DoorPlace_Open);
    EXPECT_EQ(door.Top(1.0), DoorPlace_Reach * Player_Height);
    bool open = false;
    // The faults of one step of the feet from a to b.
    auto const faults = [&](Pointf a, Pointf b) {
        w.GetPlayer()->SetPos(&a);
        DoorWatch watch(w, "test world", {{"its door", door, [&](Tick) { return open; }}});
        w.GetPlayer()->SetPos(&b);
        watch.After();
        return watch.Report();
    };
    std::string const through = faults(Pointf(1055.0, 0.0), Pointf(1065.0, 0.0));
    EXPECT_NE(through.find("test world: step 1 (tick 0), feet (1055.0, 0.0) to (1065.0, 0.0) at size 1 passed its door "
                           "(x 1050.0-1070.0, y 0.0-150.0) from its left, shut"),
              std::string::npos)
        << through;
    EXPECT_NE(faults(Pointf(1055.0, 155.0), Pointf(1065.0, 158.0)), "") << "over it, as high as two jumps";
    EXPECT_EQ(faults(Pointf(1065.0, 0.0), Pointf(1055.0, 0.0)), "") << "from its far side";
    EXPECT_EQ(faults(Pointf(1055.0, 170.0), Pointf(1065.0, 170.0)), "") << "higher than two jumps from its floor";
    EXPECT_EQ(faults(Pointf(1055.0, 0.0), Pointf(1058.0, 0.0)), "") << "short of its line";
    open = true;
    EXPECT_EQ(faults(Pointf(1055.0, 0.0), Pointf(1065.0, 0.0)), "") << "open";

    // Out from under it on its near side: his half width beyond its face, not over it.
    EXPECT_FALSE(door.Out(Pointf(1045.0, 0.0), 1.0));
    EXPECT_TRUE(door.Out(Pointf(1039.0, 0.0), 1.0));
    EXPECT_FALSE(door.Out(Pointf(1039.0, 170.0), 1.0));
    EXPECT_FALSE(door.Out(Pointf(1081.0, 0.0), 1.0));
}

TEST_F(WorldKit, TheDoorWatchFindsFeetOnTheGroundBeyondADoorTheyNeverWentThroughOpen)
{
    // Beyond the test world's door lies its floor up to the wall at x 1900, as high as the door.
    std::vector<DoorPlace> places = PlaceDoor(*BuildTestWorld().GetMap(), Test_World_DoorGroup, DoorSide::Left);
    ASSERT_EQ(places.size(), 1u);
    FindBeyond(*world->GetMap(), {&places[0]});
    DoorPlace const& door = places[0];
    ASSERT_EQ(door.beyond.size(), 1u);
    EXPECT_EQ(Place(door.beyond[0].x0, door.beyond[0].y1), Place(1060.0, 150.0));
    EXPECT_NEAR(door.beyond[0].x1, 1900.0, 10.0);
    EXPECT_TRUE(door.onward) << "it ends at a wall, not a drop";
    bool open = false;
    // Put at each place in turn, then left to come down onto the floor (the door shut again first, as
    // a travel back to before it opened finds it, if asked): the faults.
    auto const faults = [&](std::vector<Pointf> const& way, bool shutAgain = false) {
        World_Base& w = BuildTestWorld();
        PutPlayer(w, way[0], 1.0);
        DoorWatch watch(w, "test world", {{"its door", door, [&](Tick) { return open; }}});
        for (std::size_t i = 1; i < way.size(); ++i)
        {
            PutPlayer(w, way[i], 1.0);
            watch.After();
        }
        open = open && !shutAgain;
        ShortcutRun::Run(watch.Wrap([&](std::vector<int> const& held) { return Step(held); }), 60,
                         [](int) { return std::vector<int>(); }, "standing");
        return watch.Report();
    };
    // Over it, higher than two jumps, and down beyond it.
    std::vector<Pointf> const over = {Pointf(1000.0, 0.0), Pointf(1000.0, 200.0), Pointf(1500.0, 200.0)};
    std::string const landed = faults(over);
    EXPECT_NE(landed.find("feet (1500.0, 0.0) at size 1 stand beyond its door (x 1050.0-1070.0, y 0.0-150.0), "
                          "never gone through open"),
              std::string::npos)
        << landed;
    EXPECT_EQ(std::count(landed.begin(), landed.end(), '\n'), 1) << "once a run: " << landed;
    EXPECT_EQ(faults({Pointf(1500.0, 0.0), Pointf(1500.0, 200.0)}), "") << "started beyond it";
    std::vector<Pointf> through = {Pointf(1000.0, 0.0), Pointf(1100.0, 0.0), Pointf(1100.0, 200.0), Pointf(1000.0, 200.0)};
    through.insert(through.end(), over.begin(), over.end());
    std::string const shut = faults(through);
    EXPECT_EQ(std::count(shut.begin(), shut.end(), '\n'), 1) << "passed shut, a fault of its own: " << shut;
    open = true;
    EXPECT_EQ(faults(through), "") << "went through it open, came back and dropped in again";
    open = true;
    EXPECT_EQ(faults(through, true), "") << "went through it open, and it shut again before he dropped in";
}

TEST_F(WorldKit, TheWayBackFindsAPlaceReachedFromTheRoadThatLeadsNowhereBackAndSaysHowItWasReached)
{
    // The test world's floor at y 0, parted by its door at x 1050 to 1070, shut. The road stands left
    // of it; a run from the road ends beyond it, as a drop from above might.
    World_Base& w = BuildTestWorld();
    WayBack ways(*w.GetMap());
    FrameCheck::Stepper const plain = [&](std::vector<int> const& held) { return Step(held); };
    PutPlayer(w, Pointf(900.0, 0.0), 1.0);
    FrameCheck::Stepper const road = ways.Road(w, plain);
    for (int i = 0; i < 5; ++i)
        road({});
    ASSERT_EQ(ways.Nodes().size(), 2u) << "the road's place, without the double jump and with it";
    FrameCheck::Stepper const drop = ways.Watch(w, 0, "dropped in", plain, false);
    PutPlayer(w, Pointf(1200.0, 0.0), 1.0);
    w.GetPlayer()->SetScale(2.0); // growing
    for (int i = 0; i < 5; ++i)
        drop({});
    EXPECT_EQ(ways.Nodes().size(), 2u) << "no place while his size still changes";
    for (int i = 0; i < 200; ++i)
        drop({});
    // To be run from: the place beyond the door, found by the run, and the road's own place with the
    // double jump, which no run has started from.
    std::vector<int> const more = ways.ToExplore();
    ASSERT_EQ(more.size(), 2u);
    int const beyond = more[0] == 1 ? more[1] : more[0];
    WayBack::Node const node = ways.Nodes()[std::size_t(beyond)];
    EXPECT_GT(node.at.x, 1070.0);
    EXPECT_EQ(node.size, 2.0);
    // From there holding left meets the door: no way back.
    PutPlayer(w, node.at, node.size);
    ShortcutRun::Hold(ways.Watch(w, beyond, "holding left", plain, false), KeyIndex_GameLeft, 400);
    EXPECT_EQ(ways.ToExplore(), std::vector<int>{1});
    std::string const traps = ways.Traps([](WayBack::Node const&) { return nullptr; });
    EXPECT_NE(traps.find("no way back to the road from"), std::string::npos) << traps;
    EXPECT_NE(traps.find("from the road's (900, -1)"), std::string::npos) << traps;
    EXPECT_NE(traps.find("then dropped in to"), std::string::npos) << traps;
    EXPECT_NE(traps.find("at size 2, reached"), std::string::npos) << traps;
    // A room whose puzzle lets him out is no trap, but no way back either: a place whose every way
    // goes into it is one.
    EXPECT_EQ(ways.Traps([](WayBack::Node const& at) { return at.at.x > 1070.0 ? "the door" : nullptr; }), "");
    PutPlayer(w, Pointf(1400.0, 0.0), 1.0);
    ShortcutRun::Run(
        ways.Watch(w, beyond, "walked on", plain, false), 100, [](int) { return std::vector<int>(); }, "standing");
    std::string const into = ways.Traps([](WayBack::Node const& at) { return at.at.x > 1300.0 ? "a room" : nullptr; });
    EXPECT_NE(into.find("no way back to the road from (1"), std::string::npos) << into;
    EXPECT_NE(into.find("runs from it: walked on to (1400"), std::string::npos) << into;
}

TEST_F(WorldKit, TheWayBackComesBackToAMomentOfARunExactlyBuildingTheWorldAgain)
{
    WayBack_Tape tape;
    FrameCheck::Stepper const plain = tape.Wrap([&](std::vector<int> const& held) { return Step(held); });
    int built = 0;
    auto const build = [&](bool twice) {
        BuildTestWorld();
        ++built;
        tape.Built(twice);
    };
    auto const put = [&](Pointf at, double size) {
        PutPlayer(*world, at, size);
        tape.Put(at, size);
    };
    build(false);
    put(Pointf(900.0, 0.0), 1.0);
    RandomKeys keys(7, false);
    for (int i = 0; i < 150; ++i)
        plain(keys.Next());
    put(Pointf(1200.0, 0.0), 2.0);
    for (int i = 0; i < 150; ++i)
        plain(keys.Next());
    WayBack_Tape::Mark const mark = tape.Now();
    Player const* player = world->GetPlayer();
    Pointf const at = player->GetPos();
    double const size = player->GetScale();
    Tick const tick = world->GetTick();
    for (int i = 0; i < 100; ++i)
        plain(keys.Next());
    ASSERT_FALSE(world->GetPlayer()->GetPos() == at) << "he must have moved on for the test to tell";
    tape.Replay(mark, build, put, plain);
    EXPECT_EQ(built, 2);
    EXPECT_EQ(world->GetTick(), tick);
    EXPECT_EQ(world->GetPlayer()->GetPos().x, at.x);
    EXPECT_EQ(world->GetPlayer()->GetPos().y, at.y);
    EXPECT_EQ(world->GetPlayer()->GetScale(), size);
    // The replay is kept as a tape of its own, from which the moment comes back again.
    EXPECT_EQ(tape.Now().steps, mark.steps);
    tape.Replay(tape.Now(), build, put, plain);
    EXPECT_EQ(world->GetPlayer()->GetPos().x, at.x);
}

TEST_F(WorldKit, ARideIsFollowedOnceRoundAndSteppedOffWhereverItTurnsOrStops)
{
    Pointf at;
    int step = 0;
    auto const go = [&](WayBack_Carry& ride, double dx, double dy) {
        at = Pointf(at.x + dx, at.y + dy);
        ++step;
        return ride.Step(at, dx != 0.0 || dy != 0.0);
    };
    // A lift up 200 and down again, for ever: one place it turns at, its top, and over when it has
    // brought him back to where he boarded it.
    std::vector<Pointf> offs;
    WayBack_Carry lift(20.0, 30, 100.0, 24, 10, offs);
    ASSERT_TRUE(go(lift, 0.0, 0.0));
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(go(lift, 0.0, 2.0));
    for (int i = 0; i < 95; ++i)
        ASSERT_TRUE(go(lift, 0.0, -2.0)) << i;
    EXPECT_FALSE(go(lift, 0.0, -2.0)) << "within half his width of where he boarded";
    EXPECT_EQ(lift.Turns(), std::vector<int>{101});
    EXPECT_DOUBLE_EQ(lift.Carried(), 392.0);
    // A car right, round a bend a little at a time, up and stopping: the bend and the stop; over once it
    // has stood 30 steps.
    at = Pointf();
    step = 0;
    offs.clear();
    WayBack_Carry car(20.0, 30, 100.0, 24, 10, offs);
    ASSERT_TRUE(go(car, 0.0, 0.0));
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(go(car, 2.0, 0.0));
    for (int i = 1; i <= 30; ++i)
    {
        double const angle = 3.14159265358979 / 2.0 * i / 30.0;
        ASSERT_TRUE(go(car, 3.0 * std::cos(angle), 3.0 * std::sin(angle)));
    }
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(go(car, 0.0, 2.0));
    int const moving = step;
    for (int i = 0; i < 29; ++i)
        ASSERT_TRUE(go(car, 0.0, 0.0));
    EXPECT_FALSE(go(car, 0.0, 0.0));
    EXPECT_EQ(car.End(), moving);
    ASSERT_EQ(car.Turns().size(), 2u);
    EXPECT_GT(car.Turns()[0], 51);
    EXPECT_LT(car.Turns()[0], 81);
    EXPECT_EQ(car.Turns()[1], moving) << "where it stopped";
}

TEST_F(WorldKit, TheWayBackFollowsARideToItsFarTurnAndFindsWhatOnlyAStepOffThereReaches)
{
    Shaft_World::Write();
    WayBack_Tape tape;
    auto const build = [&](bool twice) {
        Destroy();
        world = std::make_unique<Shaft_World>(&events);
        tape.Built(twice);
    };
    auto const put = [&](Pointf at, double size) {
        PutPlayer(*world, at, size);
        tape.Put(at, size);
    };
    FrameCheck::Stepper const plain = tape.Wrap([&](std::vector<int> const& held) { return Step(held); });
    build(false);
    WayBack ways(*world->GetMap(), &tape);
    FrameCheck::Stepper const road = ways.Road(*world, plain);
    for (int i = 0; i < 5; ++i)
        road({});
    int const from = ways.Standing(*world, false, true);
    ASSERT_GE(from, 0);
    // Put on the car while it stands at the foot of the shaft, he is seen on it.
    put(Pointf(50.0, 0.0), 1.0);
    ShortcutRun::Run(
        ways.Watch(*world, from, "standing", plain, false), 5, [](int) { return std::vector<int>(); }, "standing");
    ASSERT_EQ(ways.Unridden().size(), 1u);
    int runs = 0;
    WayBack_Rider rider(
        ways, tape, [&]() -> World_Base& { return *world; }, build, put, plain,
        [&](std::string const&, FrameCheck::Stepper const& step,
            std::function<void(FrameCheck::Stepper const&)> const& go, bool) {
            ++runs;
            go(step);
        });
    ASSERT_TRUE(rider.Ride(ways.Unridden()[0]));
    EXPECT_GT(rider.End(), int(Shaft_Wait + 2 * Shaft_Rise) - 20) << "up and down again";
    EXPECT_GT(runs, 4);
    std::string const traps = ways.Traps([](WayBack::Node const&) { return nullptr; });
    EXPECT_NE(traps.find("no way back to the road from"), std::string::npos) << traps;
    EXPECT_NE(traps.find("on (120, 200)-(500, 200) at size 1, reached"), std::string::npos) << traps;
    EXPECT_NE(traps.find("then riding group 1 from (50, "), std::string::npos) << traps;
}

TEST_F(WorldKit, EveryWorldKeepsThePlayerInSightOnACoveredScreenAlongItsRoadsAndHeldDirections)
{
    // He has learnt time travel and found the socks (a fall shows where it ends rather than a
    // death), holds gems enough for every fee and has paid the castle's (the socks found, its owner
    // asks for none, and its roads would stop at the gate).
    GameEvents first = events;
    first[Event_Socks] = GameEvent_HasHappened;
    first.gems = 7;
    first[Casle_Event_FeePaid] = GameEvent_HasHappened;
    for (World_Row const& row : World_Table)
    {
        GameEvents record = first;
        RoadProgress(row.type, record);
        std::string faults;
        std::string walks;
        auto check = [&](std::string const& run, auto&& play) {
            FrameCheck frames(*world, std::string(row.folder) + ", " + run, PurposefulViews(row.type));
            play(frames.Wrap([&](std::vector<int> const& held) { return Step(held); }));
            faults += frames.Report();
        };
        for (Road const& road : Road::ReadAll(std::string(row.folder) + "/road"))
        {
            Build(row.type, record);
            check("road " + road.name, [&](FrameCheck::Stepper const& step) {
                RoadPrelude(row.type, road, *world, step);
                RoadWalk_Result const r = RoadTravel(*world, road).Walk(step);
                if (!r.done)
                    walks += "  (" + r.report + ")\n";
            });
        }
        for (int direction : {KeyIndex_GameLeft, KeyIndex_GameRight})
        {
            Build(row.type, record);
            std::string const how = direction == KeyIndex_GameLeft ? "holding left" : "holding right";
            check(how, [&](FrameCheck::Stepper const& step) {
                // No door a puzzle opens is passed shut, and wherever the hold leaves him, a key
                // still moves him.
                DoorWatch doors = WatchDoors(*world, row.type, std::string(row.folder) + ", " + how,
                                             DoorParts(*world->GetMap(), row.type, Watched));
                ShortcutRun::Result const held = ShortcutRun::Hold(doors.Wrap(step), direction);
                faults += doors.Report();
                if (held.action == Level_Continue)
                    if (std::string const wedged = ShortcutRun::Wedged(*world, step); !wedged.empty())
                        faults += std::string(row.folder) + ", " + how + ": " + wedged + "\n";
            });
        }
        // A road walked only part of the way was checked as far as it went.
        if (!walks.empty())
            std::printf("%s: roads stopped short\n%s", row.folder, walks.c_str());
        EXPECT_EQ(faults, "");
    }
}

// The places where a player may stand with no held direction to move him on, by name: a closed room
// of a time puzzle that only travel opens; or a place where the world holds him for a choice of its
// own while `holds` says so, a choice that the key `frees` makes.
struct Wedge_Place
{
    Level_Type type;
    char const* name;
    Rectf where;
    std::function<bool(World_Base const&)> holds = {}; // none: the place is excepted as it stands
    int frees = -1;                                    // the key that ends the hold
};
std::vector<Wedge_Place> const Wedge_Places = {
    // Stepped on, the weighing plate opens the choice of the faulty pipe, and the player stands
    // still until he makes it with the action key (left and right move the choice).
    {Level_Petra,
     "the factory's weighing",
     {1600.0, 500.0, 2200.0, 800.0},
     [](World_Base const& w) { return static_cast<Petra const&>(w).GetScales()->active; },
     KeyIndex_GameAction},
    // Between the tower's doors 16 and 17 on LX: door 16 falls shut behind whoever walks through it, and
    // door 17 stays shut unless a past self stands on switch 11.
    {Level_Tower,
     "between doors 16 and 17",
     {TowerWriter::WingB_Door16X + 40.0, TowerWriter::WingB_FinaleFarY - 1.0, TowerWriter::WingB_Door17X + 1.0,
      TowerWriter::WingB_FinaleCeilingY}},
};

// The place the player stands in that excepts him from the probe for a wedge, or none.
Wedge_Place const* WedgeExcepted(Level_Type type, World_Base const& w)
{
    Pointf const p = w.GetPlayer()->GetPos();
    auto const place = std::find_if(Wedge_Places.begin(), Wedge_Places.end(), [&](Wedge_Place const& at) {
        return at.type == type && p.x >= at.where.x0 && p.x < at.where.x1 && p.y >= at.where.y0 && p.y < at.where.y1
               && (!at.holds || at.holds(w));
    });
    return place == Wedge_Places.end() ? nullptr : &*place;
}

// The places whose only way out is their own puzzle, with the puzzle that opens them and the sizes
// they hold a player of (none listed: any).
struct Puzzle_Room
{
    Level_Type type;
    char const* puzzle;
    Rectf where;
    std::vector<double> sizes = {};
};
std::vector<Puzzle_Room> const Puzzle_Rooms = {
    // The upper room by door 12, which he drops into from the high gallery: the hole is out of his reach
    // once he is 1, and door 12 stays shut unless a past self stands on switch 10.
    {Level_Tower,
     "door 12, held open by a past self on switch 10",
     {TowerWriter::WingA_UpperX0, TowerWriter::WingA_UpperY - 1.0, TowerWriter::WingA_RoomsX1,
      TowerWriter::WingA_RoomsCeilingY}},
    // The end of the hall beyond door 2, which he drops into from the nook and the shaft's floor, at 4 or,
    // falling or jumping past scaler 6, still 1: the shaft is out of his reach, and door 2 stays shut
    // unless a past self stands on switch 2.
    {Level_Tower,
     "door 2, held open by a past self on switch 2",
     {TowerWriter::WingA_Door2X + 30.0, TowerWriter::WingA_HallY - 1.0, TowerWriter::WingA_HallX1 + 1.0,
      TowerWriter::WingA_ShaftFloorY - 4.0}},
    // The pit under group 26, which a player of 1/4 falls into from the plank or the tooth: he walks up its
    // ramp and hops onto the plank again from the ramp's top as it comes to its right end.
    {Level_Tower,
     "the plank over the small spikes, hopped onto from the pit's ramp",
     {TowerWriter::WingA_SwingPitX0, TowerWriter::WingA_SmallSlabY - 1.0, TowerWriter::WingA_SwingPitX1,
      TowerWriter::WingA_SmallY - 1.0},
     {0.25}},
    // The castle's room 8, under room 5, which he drops into down lift 5's shaft: door 2, held open by a
    // past self on switch 2, or lift 5, ridden up while a past self holds switch 1.
    {Level_Casle,
     "door 2 or lift 5, each with a past self on its switch",
     {640.0, 3379.0, 1220.0, CastleWriter::Room4_Floor}}, // room 8's floor, up to room 5's
    // Room 14 beyond door 3, with the ladder up to room 13 and room 13 itself: door 3's switch lies on
    // its other side, so that only a past self on it lets him out.
    {Level_Casle,
     "door 3, with a past self on switch 3",
     {2480.0, CastleWriter::Room14_Floor - 1.0, CastleWriter::Room14_Door3X, 4620.0}}, // up to room 13's ceiling
};

// The puzzle that lets a player of the size out of the place, or null.
char const* PuzzleRoom(Level_Type type, Pointf at, double size)
{
    for (Puzzle_Room const& room : Puzzle_Rooms)
        if (room.type == type && at.x >= room.where.x0 && at.x < room.where.x1 && at.y >= room.where.y0
            && at.y < room.where.y1
            && (room.sizes.empty() || std::find(room.sizes.begin(), room.sizes.end(), size) != room.sizes.end()))
            return room.puzzle;
    return nullptr;
}

// Every world from the middle of each standing surface of its map, and from where the runs from there
// come to stand at a size no run began at: one test per world of the table, so that the worlds run
// side by side. Every place the road's places lead to leads back to them (WayBack), to a level's end or
// to a room of Puzzle_Rooms.
class WorldSurfaces : public WorldKit, public testing::WithParamInterface<int>
{
};

constexpr int Surface_HoldSteps = 1000;
constexpr int Surface_StillSteps = 400;

// The runs from each standing surface: without the double jump holding left, holding right and
// standing still; with it both holds jumping twice and random keys. The sizes only a neighbouring
// scaler gives there are held both ways without it.
constexpr int Surface_Still = -1;
constexpr int Surface_Random = -2;
struct Surface_Run
{
    int keys; // a direction, Surface_Still or Surface_Random
    bool twice;
    bool walking = false; // a direction held without a jump
};
constexpr Surface_Run Surface_Runs[] = {{KeyIndex_GameLeft, false}, {KeyIndex_GameRight, false},
                                        {Surface_Still, false},     {KeyIndex_GameLeft, true},
                                        {KeyIndex_GameRight, true}, {Surface_Random, true}};
constexpr int Surface_NeighbourRuns = 2;  // the first of Surface_Runs
constexpr int Surface_Arrivals = 400;     // places found by the runs that are run from in turn, at most
constexpr int Surface_ArrivalSteps = 800; // the steps of each hold from them

// What moves and carries him, seen under his feet, is followed as WayBack_RideLimits says.
constexpr int Surface_Rides = 200;   // rides seen, at most
constexpr int Board_Steps = 400;     // what no run stood on, stood on from the world's start, at most

// The timed holds towards a door's far side: long enough to come to it from as far as a double jump
// reaches; the jumps begun after every eighth step of walking (every step with HM_FULL_HOLDS), in a
// world that goes on from the hold before, so that what moves stands elsewhere each time. From a ride,
// he steps off every Ride_TimedGap steps of it while a far side lies within reach (every fifth with
// HM_FULL_HOLDS).
constexpr int Timed_Steps = 250;
int const Ride_TimedGap = std::getenv("HM_FULL_HOLDS") != nullptr ? 5 : 40;
std::vector<int> TimedWalks()
{
    std::vector<int> walks;
    for (int walk = 0; walk < 40; walk += std::getenv("HM_FULL_HOLDS") != nullptr ? 1 : 8)
        walks.push_back(walk);
    return walks;
}

// The tower's surfaces again at the size each of the two scalers nearest them gives, where he fits
// at it and it is not the size he is stood at already. Not in a part walked at one size: no one
// stands there at another.
constexpr int Tower_NeighbourScalers = 2;
std::vector<StandingSurface> TowerNeighbourSizes(Map const& map, std::vector<StandingSurface> const& surfaces)
{
    std::vector<StandingSurface> more;
    for (StandingSurface const& surface : surfaces)
    {
        Pointf const m = surface.Middle();
        auto const holds = [&m](TowerWriter::Tower_Area const& area) {
            return m.x >= area.x0 && m.x < area.x1 && m.y >= area.y0 && m.y < area.y1;
        };
        if (std::any_of(std::begin(TowerWriter::Tower_AreaSizes), std::end(TowerWriter::Tower_AreaSizes), holds))
            continue;
        std::vector<std::pair<double, double>> near; // distance, size
        for (Tower_ScalerIds const& scaler : Tower_Scalers)
        {
            Pointf const at = map.GetRefPoint(scaler.ref);
            near.emplace_back(std::hypot(at.x - m.x, at.y - m.y), scaler.playerScale);
        }
        std::sort(near.begin(), near.end());
        std::vector<double> tried{surface.scale};
        for (int i = 0; i < Tower_NeighbourScalers && i < int(near.size()); ++i)
        {
            double const size = near[std::size_t(i)].second;
            if (std::find(tried.begin(), tried.end(), size) != tried.end())
                continue;
            tried.push_back(size);
            for (StandingSurface const& fits : StandingSurfaces(map, std::vector<double>{size}))
                if (fits.a == surface.a && fits.b == surface.b)
                    more.push_back(fits);
        }
    }
    return more;
}

TEST_P(WorldSurfaces, FromEveryStandingSurfaceThePlayerStaysInSightWithinTheWallsLeavesByAnExitOnlyAndCanMove)
{
    World_Row const& row = World_Table[GetParam()];
    // As along the roads, and past the castle's fee; once without the double jump and once with it.
    GameEvents once = events;
    once[Event_Socks] = GameEvent_HasHappened;
    once.gems = 7;
    once[Casle_Event_FeePaid] = GameEvent_HasHappened;
    RoadProgress(row.type, once);
    GameEvents twice = once;
    twice[Event_DoubleJump] = GameEvent_HasHappened;
    Build(row.type, once);
    double const start = world->GetPlayer()->GetScale();
    // Every world built, every put down and every step is kept, so that any moment of a run can be
    // come back to.
    WayBack_Tape tape;
    WayBack ways(*world->GetMap(), &tape);
    FrameCheck::Stepper const plain = tape.Wrap([&](std::vector<int> const& held) { return Step(held); });
    auto const build = [&](bool doubled) {
        Build(row.type, doubled ? twice : once);
        tape.Built(doubled);
    };
    auto const put = [&](Pointf at, double size) {
        PutPlayer(*world, at, size);
        tape.Put(at, size);
    };
    std::vector<SizeSample> road; // the tower's player along its main road
    // Every door a puzzle opens is gone through open by one of the roads, which play the puzzles by keys:
    // each placed as it stands shut before any puzzle (the castle's entrance before the fee raised it).
    GameEvents unpaid = once;
    unpaid[Casle_Event_FeePaid] = GameEvent_HasntHappened;
    Build(row.type, unpaid);
    std::vector<Door_Part> const puzzleDoors = DoorParts(*world->GetMap(), row.type, PuzzleOpens);
    std::set<int> opened;
    for (Road const& walked : Road::ReadAll(std::string(row.folder) + "/road"))
    {
        build(false);
        DoorWatch passes = WatchDoors(*world, row.type, "road " + walked.name, puzzleDoors);
        FrameCheck::Stepper const step = ways.Road(*world, passes.Wrap([&](std::vector<int> const& held) {
            if (row.type == Level_Tower && walked.name == "exit")
                road.push_back({world->GetPlayer()->GetPos(), world->GetPlayer()->GetScale()});
            return plain(held);
        }));
        RoadPrelude(row.type, walked, *world, step);
        RoadWalk_Result const r = RoadTravel(*world, walked).Walk(step);
        if (std::getenv("HM_ROADS_ONLY") != nullptr)
            std::printf("%s, road %s: %s\n", row.folder, walked.name.c_str(), r.done ? "walked" : r.report.c_str());
        for (std::size_t i = 0; i < puzzleDoors.size(); ++i)
            if (passes.PassedOpen(i))
                opened.insert(puzzleDoors[i].row->door);
    }
    std::string unopened;
    if (std::none_of(ways.Nodes().begin(), ways.Nodes().end(), [](WayBack::Node const& n) { return n.road; }))
        unopened += std::string(row.folder) + ": the roads stood on no place for the way back to lead to\n";
    for (Door_Row const& door : Door_Rows)
        if (door.type == row.type && PuzzleOpens(door) && opened.count(door.door) == 0)
            unopened += std::string(row.folder) + ": " + DoorName(row.type, door.door)
                        + " is gone through open by no road\n";
    Build(row.type, once);
    std::vector<StandingSurface> const surfaces =
        row.type == Level_Tower ? StandingSurfaces(*world->GetMap(), TowerSizesAt(*world->GetMap(), start, road))
                                : StandingSurfaces(*world->GetMap(), {start});
    std::vector<StandingSurface> const neighbours =
        row.type == Level_Tower ? TowerNeighbourSizes(*world->GetMap(), surfaces) : std::vector<StandingSurface>();
    MapWalls const walls = MapWalls::Of(*world->GetMap());
    std::vector<Rectf> const exits = ExitPlaces(row.folder);
    std::vector<Door_Part> const doorParts = DoorParts(*world->GetMap(), row.type, Watched);
    ASSERT_FALSE(surfaces.empty());
    // The timed holds below go towards each watched far side from some surface within a double jump's reach,
    // but for the stretch behind a door that stands from its floor to the ceiling, which only the door leads to.
    std::string unheld;
    for (Door_Part const& part : doorParts)
    {
        double const smallest = *std::min_element(part.row->sizes.begin(), part.row->sizes.end());
        DoorPlace const& p = part.place;
        if (p.beyond.empty() || (p.beyond.size() == 1 && p.ToTheCeiling(smallest)))
            continue;
        bool const held = std::any_of(surfaces.begin(), surfaces.end(), [&](StandingSurface const& s) {
            FarSide_Starts const starts = FarSidesWithin({&part.place}, s.a.x, s.b.x, std::min(s.a.y, s.b.y),
                                                         std::max(s.a.y, s.b.y), s.scale);
            return !std::isnan(starts.left) || !std::isnan(starts.right);
        });
        if (!held)
            unheld += std::string(row.folder) + ": no timed hold goes towards the far side of "
                      + DoorName(row.type, part.row->door) + "\n";
    }
    // HM_ROADS_ONLY: the roads' walks and these two checks alone, in seconds, for a road being written.
    if (std::getenv("HM_ROADS_ONLY") != nullptr)
    {
        std::printf("%s%s", unopened.c_str(), unheld.c_str());
        return;
    }
    auto const began = std::chrono::steady_clock::now();
    std::string faults = unopened + unheld;
    int steps = 0;
    bool goesOn = false;     // the world of the last run from the same surface still stands
    bool builtTwice = false; // ...built with the double jump
    unsigned seed = 0;
    int replays = 0; // runs from a found place begun by coming back to when he stood there
    int unrun = 0;   // found places that could be neither put down on nor come back to
    // framed: the frame check's rules as well as the probe for a wedge. node: the place he is put down
    // at, where the runs from it start.
    // doubled: he has the double jump, whether or not the run's keys use it. arrived: the place is
    // one the runs came to stand on, in a world that may have changed since: where a thing stands in
    // it in the world built afresh, the run starts from the moment he first stood there, done again;
    // he is not probed for a wedge.
    auto const from = [&](StandingSurface const& surface, Surface_Run const& run, bool framed, int node,
                          int holdSteps = Surface_HoldSteps, bool doubled = false, bool arrived = false) {
        Pointf const middle = surface.Middle();
        doubled = doubled || run.twice;
        if (!goesOn || builtTwice != doubled)
            build(doubled);
        builtTwice = doubled;
        SurfacePrelude(row.type, *world, plain, put);
        put(middle, surface.scale);
        double const wide = Player_Width * surface.scale;
        auto const blocked = [&](Pointf at) {
            return StandingSurfaces_Detail::Blocked(
                *world->GetMap(),
                Rectf(at.x - wide / 2.0, at.y + 2.0, at.x + wide / 2.0, at.y + 1.0 + Player_Height * surface.scale));
        };
        // Against a wall or a door, from beside it: up to his width away along the same stretch.
        bool beside = !arrived || !blocked(middle);
        for (double away = wide / 8.0; !beside && away <= wide; away *= 2.0)
            for (double sign : {-1.0, 1.0})
                if (std::optional<Pointf> const at = ways.Beside(node, middle.x + sign * away);
                    !beside && at && !blocked(*at))
                {
                    put(*at, surface.scale);
                    beside = true;
                }
        if (!beside)
        {
            WayBack_Tape::Mark const seen = ways.Nodes()[std::size_t(node)].seen;
            if (seen.tape < 0 || tape.Twice(seen) != doubled)
            {
                // No run from it: it leads nowhere back.
                ways.Unrun(node);
                ++unrun;
                goesOn = false;
                return;
            }
            tape.Replay(seen, build, put, plain);
            steps += WayBack_Tape::Cost(seen);
            ++replays;
        }
        char at[80];
        std::snprintf(at, sizeof at, "surface (%.0f, %.0f)-(%.0f, %.0f) at size %g, ", surface.a.x, surface.a.y,
                      surface.b.x, surface.b.y, surface.scale);
        std::string how = run.keys == Surface_Still       ? "standing"
                          : run.keys == Surface_Random    ? "random keys, seed " + std::to_string(++seed)
                          : run.keys == KeyIndex_GameLeft ? "holding left"
                                                          : "holding right";
        if (run.twice)
            how += " with the double jump";
        else if (run.walking)
            how += ", walking";
        else if (doubled)
            how += ", jumping once";
        FrameCheck frames(*world, std::string(row.folder) + ", " + at + how, PurposefulViews(row.type));
        frames.Keep(walls, exits);
        DoorWatch doors = WatchDoors(*world, row.type, std::string(row.folder) + ", " + at + how, doorParts);
        FrameCheck::Stepper const step =
            ways.Watch(*world, node, how, doors.Wrap(framed ? frames.Wrap(plain) : plain), doubled);
        ShortcutRun::Result const r = run.keys == Surface_Still ? ShortcutRun::Run(
                                          step, Surface_StillSteps, [](int) { return std::vector<int>(); }, "standing")
                                      : run.keys == Surface_Random ? ShortcutRun::Random(step, seed, holdSteps)
                                      : run.walking                ? ShortcutRun::Run(
                                                           step, holdSteps, [&](int) { return std::vector<int>{run.keys}; }, how)
                                                    : ShortcutRun::Hold(step, run.keys, holdSteps, run.twice);
        steps += r.steps;
        goesOn = r.action == Level_Continue;
        faults += frames.Report() + doors.Report();
        if (!goesOn)
            return;
        if (arrived)
            return;
        if (Wedge_Place const* place = WedgeExcepted(row.type, *world))
        {
            // A hold of the world's own ends with its key.
            if (place->holds && plain({place->frees}) == Level_Continue && place->holds(*world))
                faults += std::string(row.folder) + ", " + at + how + ": held by " + place->name
                          + ", and its key does not free him\n";
            return;
        }
        if (std::string const wedged = ShortcutRun::Wedged(*world, plain, doubled); !wedged.empty())
            faults += std::string(row.folder) + ", " + at + how + ": " + wedged + "\n";
    };
    // Each surface in a world built afresh.
    for (StandingSurface const& surface : surfaces)
    {
        goesOn = false;
        for (Surface_Run const& run : Surface_Runs)
            from(surface, run, true, ways.NodeOf(surface, run.twice));
    }
    for (StandingSurface const& surface : neighbours)
    {
        goesOn = false;
        for (int i = 0; i < Surface_NeighbourRuns; ++i)
            from(surface, Surface_Runs[i], false, ways.NodeOf(surface, Surface_Runs[i].twice));
    }
    // The timed holds: from each surface within a double jump's reach of a watched door's far side,
    // from as far back as it lies within reach, towards it with the double jump at every timing.
    std::vector<DoorPlace const*> farSides;
    for (Door_Part const& part : doorParts)
        if (!part.place.beyond.empty())
            farSides.push_back(&part.place);
    int timed = 0; // timed holds run
    int timedSteps = 0;
    auto const timedHolds = [&](StandingSurface const& surface, int direction, double x) {
        double const wide = Player_Width * surface.scale;
        auto const height = [&](double at) {
            return surface.a.y + (surface.b.y - surface.a.y) * (at - surface.a.x) / (surface.b.x - surface.a.x);
        };
        double const towards = direction == KeyIndex_GameLeft ? -1.0 : 1.0;
        auto const blocked = [&](double at) {
            return StandingSurfaces_Detail::Blocked(*world->GetMap(), Rectf(at - wide / 2.0, height(at) + 2.0,
                                                                             at + wide / 2.0,
                                                                             height(at) + 1.0 + Player_Height * surface.scale));
        };
        // Where a door or a gate stands on the stretch, from just beyond it towards the far side.
        double const end = towards > 0.0 ? surface.b.x : surface.a.x;
        x = std::clamp(x, surface.a.x + wide / 2.0, surface.b.x - wide / 2.0);
        while (blocked(x) && (end - x) * towards > wide)
            x += towards * wide;
        for (ShortcutRun::Jumps jumps : {ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
            for (int walk : TimedWalks())
            {
                if (!goesOn || !builtTwice)
                    build(true);
                builtTwice = true;
                put(Pointf(x, height(x)), surface.scale);
                std::string const how = std::string(row.folder) + ", " + Place(x, height(x)) + " at size "
                                        + std::to_string(surface.scale) + ", "
                                        + ShortcutRun::HoldName(direction, jumps, walk);
                DoorWatch doors = WatchDoors(*world, row.type, how, doorParts);
                ShortcutRun::Result const r =
                    ShortcutRun::Hold(doors.Wrap(plain), direction, jumps, walk, Timed_Steps + walk);
                steps += r.steps;
                timedSteps += r.steps;
                ++timed;
                goesOn = r.action == Level_Continue;
                faults += doors.Report();
            }
    };
    for (StandingSurface const& surface : surfaces)
    {
        double const y0 = std::min(surface.a.y, surface.b.y);
        double const y1 = std::max(surface.a.y, surface.b.y);
        FarSide_Starts const starts = FarSidesWithin(farSides, surface.a.x, surface.b.x, y0, y1, surface.scale);
        if (!std::isnan(starts.left))
            timedHolds(surface, KeyIndex_GameLeft, starts.left);
        if (!std::isnan(starts.right))
            timedHolds(surface, KeyIndex_GameRight, starts.right);
    }
    // Each ride seen, followed (WayBack_Rider) with the doors watched; then the timed holds from it:
    // stepped off with the double jump towards a watched far side within reach, every few steps of the
    // ride while one lies within reach.
    int rides = 0; // ridden: what carried him far enough
    int rideTimed = 0; // timed holds from rides
    int rideTimedSteps = 0;
    WayBack_Rider rider(
        ways, tape, [&]() -> World_Base& { return *world; }, build, put, plain,
        [&](std::string const& how, FrameCheck::Stepper const& step,
            std::function<void(FrameCheck::Stepper const&)> const& go, bool goingOn) {
            DoorWatch doors = WatchDoors(*world, row.type, std::string(row.folder) + ", " + how, doorParts);
            if (goingOn)
                doors.GoesOn();
            go(doors.Wrap(step));
            faults += doors.Report();
        });
    auto const ride = [&](int r) {
        goesOn = false;
        if (!rider.Ride(r))
            return;
        ++rides;
        WayBack::Ride const& rode = rider.Rode();
        std::vector<Pointf> const way = rider.Way();
        for (int off = 0; off <= rider.End() && off < int(way.size()); off += Ride_TimedGap)
        {
            Pointf const p = way[std::size_t(off)];
            FarSide_Starts const ahead = FarSidesWithin(farSides, p.x, p.x, p.y, p.y, rode.size);
            for (int direction : {KeyIndex_GameLeft, KeyIndex_GameRight})
            {
                if (std::isnan(direction == KeyIndex_GameLeft ? ahead.left : ahead.right))
                    continue;
                for (ShortcutRun::Jumps jumps : {ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
                {
                    int const before = rider.Steps();
                    rider.Run(
                        rider.Name() + ", standing " + std::to_string(off) + " steps, then "
                            + ShortcutRun::HoldName(direction, jumps, 0) + " with the double jump",
                        off + Timed_Steps,
                        [&](int i) {
                            return i < off ? std::vector<int>() : ShortcutRun::HeldKeys(direction, i - off, jumps, 0);
                        },
                        [] { return true; }, true);
                    rideTimedSteps += rider.Steps() - before;
                    ++rideTimed;
                }
            }
        }
    };
    // Then from every place the runs from the road came to stand on that no run started from, at the
    // size he had there, holding each way, and every ride they came to: until no new place turns up.
    int arrivals = 0;
    auto const arrive = [&](int node, std::vector<Surface_Run> const& runs) {
        WayBack::Node const arrived = ways.Nodes()[std::size_t(node)];
        StandingSurface surface = ways.Edges()[std::size_t(arrived.edge)];
        surface.scale = arrived.size;
        // Put down where he stood, not at the edge's middle.
        surface.a = surface.b = arrived.at;
        goesOn = false;
        ++arrivals;
        for (Surface_Run const& run : runs)
            from(surface, run, false, node, Surface_ArrivalSteps, arrived.twice, true);
    };
    auto const explore = [&] {
        for (;;)
        {
            for (std::vector<int> more = ways.ToExplore(); !more.empty() && arrivals < Surface_Arrivals;
                 more = ways.ToExplore())
                for (int node : more)
                {
                    // Jumping once as well: jumping twice, a small player hardly touches the ground.
                    std::vector<Surface_Run> runs;
                    for (Surface_Run const& run : Surface_Runs)
                        if ((run.twice == ways.Nodes()[std::size_t(node)].twice || !run.twice)
                            && run.keys != Surface_Still && run.keys != Surface_Random)
                            runs.push_back(run);
                    arrive(node, runs);
                }
            std::vector<int> const unridden = ways.Unridden();
            if (unridden.empty() || int(ways.Rides().size()) > Surface_Rides || arrivals >= Surface_Arrivals)
                return;
            for (int r : unridden)
                ride(r);
        }
    };
    auto const excused = [&](WayBack::Node const& node) { return PuzzleRoom(row.type, node.at, node.size); };
    // Whatever moves that no run came to stand on: he is put on it as the world is built, at the size
    // he starts at, and stands there; where it comes within reach of a place the runs reached from the
    // road (WayBack::Boarded), he could have stepped onto it from there, and it is ridden from that moment.
    auto const board = [&] {
        std::set<unsigned int> groups;
        for (unsigned int i = 0; i < world->GetMap()->polyCount; ++i)
            if (Poly const* poly = world->GetMap()->polys[int(i)]; poly->solid && poly->group != 0)
                groups.insert(poly->group);
        for (WayBack::Ride const& seen : ways.Rides())
            groups.erase(seen.group);
        for (unsigned int group : groups)
        {
            build(false);
            SurfacePrelude(row.type, *world, plain, put);
            // On the middle of the top of the first of its solids he fits on.
            double const wide = Player_Width * start;
            std::optional<Pointf> top;
            for (unsigned int i = 0; i < world->GetMap()->polyCount && !top; ++i)
                if (Poly const* poly = world->GetMap()->polys[int(i)]; poly->solid && poly->group == group)
                {
                    Pointf const at((poly->bound.x0 + poly->bound.x1) / 2.0, poly->bound.y1);
                    if (poly->bound.x1 - poly->bound.x0 >= wide
                        && !StandingSurfaces_Detail::Blocked(*world->GetMap(),
                                                             Rectf(at.x - wide / 2.0, at.y + 2.0, at.x + wide / 2.0,
                                                                   at.y + 1.0 + Player_Height * start)))
                        top = at;
                }
            if (!top)
                continue;
            put(*top, start);
            std::vector<bool> const reached = ways.Reached();
            for (int i = 0; i < Board_Steps; ++i, ++steps)
            {
                Pointf const was = world->GetPlayer()->GetPos();
                if (plain({}) != Level_Continue || ways.Boarded(*world, was, reached) >= 0)
                    break;
            }
        }
        goesOn = false;
    };
    // A place from which no run so far leads back is walked from each way, without a jump: jumping, a
    // small player flies over a zone that would give him back the size he needs.
    std::set<int> walked;
    for (explore(), board(), explore();;)
    {
        std::vector<int> stranded;
        for (int node : ways.Stranded(excused))
            if (walked.insert(node).second)
                stranded.push_back(node);
        if (stranded.empty() || arrivals >= Surface_Arrivals)
            break;
        for (int node : stranded)
            arrive(node, {{KeyIndex_GameLeft, false, true}, {KeyIndex_GameRight, false, true}});
        explore();
    }
    if (int(ways.Rides().size()) > Surface_Rides)
        faults += std::string(row.folder) + ": more than " + std::to_string(Surface_Rides) + " rides seen\n";
    if (arrivals >= Surface_Arrivals)
        faults += std::string(row.folder) + ": more than " + std::to_string(Surface_Arrivals)
                  + " places reached at a size no run began at\n";
    faults += ways.Traps(excused);
    double const seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("%s: %zu standing surfaces (%zu more at a neighbouring scaler's size, %d where the runs came to "
                "stand, %d runs from them come back to, %d never run from), %zu places, %d steps, %d of them in %d "
                "timed holds; %zu rides seen, %d carrying him, %d steps riding, %d of them in %d timed holds; in "
                "%.1f s\n",
                row.folder, surfaces.size(), neighbours.size(), arrivals, replays, unrun, ways.Nodes().size(), steps,
                timedSteps, timed, ways.Rides().size(), rides, rider.Steps(), rideTimedSteps, rideTimed, seconds);
    EXPECT_EQ(faults, "");
}

// The ways out a held direction must never reach: the main exit, which every world but the
// riddle-giver's house guards by a puzzle, a fight or a carried item (the house is left by its front
// door whenever he likes), and the village's way out below, behind the gate only a shot lays down.
bool Guarded(Level_Type type, Level_Action action)
{
    if (action == Level_Completed)
        return type != Level_Petra;
    return action == Level_Restart && type == Level_TreeV;
}

// How many steps he walks before his jumps begin: every timing within the jumps' 40-step pattern
// with HM_FULL_HOLDS set; otherwise three of them. The timings that carry him over a wall onto a
// door's far side are searched for by the surface check's timed holds, from every place within reach
// of one, the start too.
std::vector<int> HoldWalks()
{
    std::vector<int> walks;
    if (std::getenv("HM_FULL_HOLDS") != nullptr)
        for (int walk = 0; walk < 40; ++walk)
            walks.push_back(walk);
    else
        walks = {0, 13, 26};
    return walks;
}

// Every world held each way by a player with the double jump, at each timing of his jumps: one test
// per world of the table, so that the worlds run side by side.
class WorldHolds : public WorldKit, public testing::WithParamInterface<int>
{
};

TEST_P(WorldHolds, HoldingADirectionWithTheDoubleJumpAtAnyTimingReachesNoGuardedExitAndLeavesHimSeenAndFree)
{
    World_Row const& row = World_Table[GetParam()];
    // As he comes to the world having tuned the plateau's aerial; past the master's introduction and
    // the castle's fee, with gems enough for every fee.
    GameEvents record = events;
    record[Event_DoubleJump] = GameEvent_HasHappened;
    record[Event_Socks] = GameEvent_HasHappened;
    record.gems = 7;
    record[Casle_Event_FeePaid] = GameEvent_HasHappened;
    if (row.type == Level_Kilig)
        record[Kilig_Event_IntroSeen] = GameEvent_HasHappened;
    FrameCheck::Stepper const plain = [&](std::vector<int> const& held) { return Step(held); };
    auto const began = std::chrono::steady_clock::now();
    std::string faults;
    int steps = 0;
    std::vector<Door_Part> doorParts;
    for (int direction : {KeyIndex_GameLeft, KeyIndex_GameRight})
        for (ShortcutRun::Jumps jumps : {ShortcutRun::Jumps::Once, ShortcutRun::Jumps::Twice, ShortcutRun::Jumps::AtTop})
            for (int walk : HoldWalks())
            {
                Build(row.type, record);
                if (doorParts.empty())
                    doorParts = DoorParts(*world->GetMap(), row.type, Watched);
                std::string const how = std::string(row.folder) + ", " + ShortcutRun::HoldName(direction, jumps, walk);
                FrameCheck frames(*world, how, PurposefulViews(row.type));
                DoorWatch doors = WatchDoors(*world, row.type, how, doorParts);
                FrameCheck::Stepper const step = doors.Wrap(frames.Wrap(plain));
                ShortcutRun::Result const r = ShortcutRun::Hold(step, direction, jumps, walk);
                steps += r.steps;
                Pointf const at = world->GetPlayer()->GetPos();
                if (Guarded(row.type, r.action))
                    faults += std::string(row.folder) + ", " + r.how + ", at " + Place(at.x, at.y) + "\n";
                faults += frames.Report() + doors.Report();
                if (r.action == Level_Continue && WedgeExcepted(row.type, *world) == nullptr)
                    if (std::string const wedged = ShortcutRun::Wedged(*world, plain, true); !wedged.empty())
                        faults += how + ": " + wedged + "\n";
            }
    double const seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("%s: %d steps held in %.1f s\n", row.folder, steps, seconds);
    EXPECT_EQ(faults, "");
}


// Every door a puzzle opens, at each size its room is walked at. Walked up to from its near side,
// holding towards it from just short of it, from further off and from beyond its plate (walked over
// without stopping), without jumping or jumping twice with the double jump, it is not passed shut.
// Shut on a player standing in its doorway while it is open, it lets him walk out on the side he came
// from: where a plate opens it, the plate is let go (as a past self steps off) and it falls on him;
// otherwise (or where the plate is watched and kept up), it is held open and he travels back to
// before it opened, to find it shut round him. One test per world with such doors, so that the
// worlds run side by side.
class WorldDoors : public WorldKit, public testing::WithParamInterface<int>
{
protected:
    GameEvents hold; // holds a door open from the tick of its event 0
};

constexpr int Doors_ApproachSteps = 400; // steps of a walk up to a door
constexpr double Doors_PlateReach = 1000.0; // a plate further off than this from its door is not walked over on the way
constexpr int Doors_OpenSteps = 600;  // steps a plate is held for its door to open all the way, at most
constexpr int Doors_UnderSteps = 20;  // steps he stands under the open door before it shuts
constexpr int Doors_TravelBack = 40;  // ticks before it opened that he travels back to
constexpr int Doors_FallSteps = 300;  // steps a falling door is given to come to rest on him
constexpr int Doors_OutSteps = 300;   // steps he is given to come out from under it

// Whether x, on or beside a plate whose top is plateTop, lies before the door on its near side, on the
// floor a player of the size given walks from there to the door, near enough that the way to the door
// passes over the plate.
bool PlateBefore(DoorPlace const& p, double x, double plateTop, double size)
{
    double const back = p.near == DoorSide::Left ? -1.0 : 1.0;
    double const face = p.near == DoorSide::Left ? p.shut.x0 : p.shut.x1;
    return (x - face) * back > 0.0 && std::fabs(x - face) < Doors_PlateReach
           && std::fabs(plateTop - p.floor) < 2.0 * Player_Height * size;
}

// Slopes that tip a player back: a player walking up one comes off its top leaning back, and comes
// upright within Tipped_Reach heights of his own through the air. Lengths in heights of his own.
constexpr double Tipped_Reach = 7.5;
constexpr double Tipped_Rise = 0.5;     // rise over run of the gentlest slope looked at
constexpr double Tipped_From = 10.0;    // runs up a slope start this far from the door's face at most
constexpr double Tipped_Spacing = 0.1;  // between two starts
constexpr int Tipped_Walks = 5;         // steps between two timings of the jumps
constexpr double Tipped_Pace = 3.0;     // a walk's pace, per step: each run is long enough to reach the door
constexpr int Tipped_SettleSteps = 60;  // and then this many steps more

// Whether a slope of the still map or of one of the plates given, no gentler than Tipped_Rise, rises
// towards the door from its near side, to within a player's height of the door's floor, within
// Tipped_Reach of its face: one who walks up it comes to the door tipped back, his head behind his
// feet. Tipped so, one who slipped his feet under a door falling, bouncing or at rest turned upright
// as he landed with his head inside it, out of which every move passes.
bool TippedTowards(Map const& map, std::vector<unsigned int> const& plates, DoorPlace const& p, double size)
{
    double const face = p.near == DoorSide::Left ? p.shut.x0 : p.shut.x1;
    double const toward = p.near == DoorSide::Left ? 1.0 : -1.0;
    double const tall = Player_Height * size;
    for (unsigned int i = 0; i < map.polyCount; ++i)
    {
        Poly const* poly = map.polys[int(i)];
        if (!poly->solid || (poly->group != 0 && std::find(plates.begin(), plates.end(), poly->group) == plates.end()))
            continue;
        for (int k = 0; k < poly->Points(); ++k)
        {
            Pointf a = poly->points[k]->pos;
            Pointf b = poly->points[(k + 1) % poly->Points()]->pos;
            if (a.y > b.y)
                std::swap(a, b); // b, the top
            double const run = (b.x - a.x) * toward;
            double const before = (face - b.x) * toward;
            if (run > 0.0 && b.y - a.y >= Tipped_Rise * run && before >= 0.0 && before <= Tipped_Reach * tall
                && std::fabs(b.y - p.floor) <= tall)
                return true;
        }
    }
    return false;
}

// The top of the highest still ground at x no higher than a jump over the door's floor, or -infinity.
double GroundBefore(Map const& map, DoorPlace const& p, double x, double size)
{
    double ground = -std::numeric_limits<double>::infinity();
    for (unsigned int i = 0; i < map.polyCount; ++i)
    {
        Poly const* poly = map.polys[int(i)];
        double lo = 0.0;
        double hi = 0.0;
        if (poly->solid && poly->group == 0 && PuzzleDoors_Detail::Through(poly, x, lo, hi)
            && hi <= p.floor + 3.0 * Player_Height * size)
            ground = std::max(ground, hi);
    }
    return ground;
}

TEST_P(WorldDoors, ADoorAPuzzleOpensKeepsAPlayerWalkingUpToItOnItsNearSideAndOneShutOnHimLetsHimOutThere)
{
    World_Row const& row = World_Table[GetParam()];
    // He has learnt time travel and found the socks (a fall shows where it ends), and has not paid
    // the castle's fee, which holds its entrance open.
    GameEvents record = events;
    record[Event_TimeTravel] = GameEvent_HasHappened;
    record[Event_Socks] = GameEvent_HasHappened;
    RoadProgress(row.type, record);
    GameEvents twice = record;
    twice[Event_DoubleJump] = GameEvent_HasHappened;
    Build(row.type, record);
    FrameCheck::Stepper const step = [&](std::vector<int> const& held) { return Step(held); };
    auto const began = std::chrono::steady_clock::now();
    std::string faults;
    int approached = 0;
    for (Door_Part const& part : DoorParts(*world->GetMap(), row.type, Watched))
        for (double size : part.row->sizes)
        {
            DoorPlace const& p = part.place;
            if (!p.Standing())
                continue;
            double const wide = Player_Width * size;
            double const back = p.near == DoorSide::Left ? -1.0 : 1.0; // towards the near side
            double const face = p.near == DoorSide::Left ? p.shut.x0 : p.shut.x1;
            std::vector<double> from = {face + back * 1.5 * wide, face + back * 4.0 * wide};
            if (Door_Plate const plate = DoorPlate(row.type, part.row->door); plate.group != 0)
            {
                Rectf bound;
                world->GetMap()->FindGroupBound(plate.group, &bound);
                double const beyond = (back < 0.0 ? bound.x0 : bound.x1) + back * wide;
                if (PlateBefore(p, beyond, bound.y1, size))
                    from.push_back(beyond);
            }
            int const toward = p.near == DoorSide::Left ? KeyIndex_GameRight : KeyIndex_GameLeft;
            for (double x : from)
                for (bool jumps : {false, true})
                {
                    Build(row.type, jumps ? twice : record);
                    Step(); // the groups in their places
                    Rectf const box(x - wide / 2.0, p.floor + 1.0, x + wide / 2.0, p.floor + Player_Height * size);
                    if (StandingSurfaces_Detail::Blocked(*world->GetMap(), box))
                        continue;
                    PutPlayer(*world, Pointf(x, p.floor), size);
                    char how[160];
                    std::snprintf(how, sizeof how, "%s, walking %s from (%.1f, %.1f) at size %g%s", row.folder,
                                  toward == KeyIndex_GameLeft ? "left" : "right", x, p.floor, size,
                                  jumps ? ", jumping twice" : "");
                    DoorWatch doors = WatchDoors(*world, row.type, how, {part});
                    ShortcutRun::Run(
                        doors.Wrap(step), Doors_ApproachSteps,
                        [&](int i) {
                            return jumps ? ShortcutRun::HeldKeys(toward, i, ShortcutRun::Jumps::Twice, 0)
                                         : std::vector<int>{toward};
                        },
                        how);
                    faults += doors.Report();
                    ++approached;
                }
        }
    // Up a slope that tips him back towards a door, from points along the ground before it while the
    // door stands shut, walking or jumping twice or again at the top after a spread of walks.
    std::vector<unsigned int> plates;
    for (Door_Row const& r : Door_Rows)
        if (r.type == row.type && DoorPlate(row.type, r.door).group != 0)
            plates.push_back(DoorPlate(row.type, r.door).group);
    int tipped = 0;
    Build(row.type, twice);
    for (Door_Part const& part : DoorParts(*world->GetMap(), row.type, Watched))
        for (double size : part.row->sizes)
        {
            DoorPlace const& p = part.place;
            if (!p.Standing() || !TippedTowards(*world->GetMap(), plates, p, size))
                continue;
            double const tall = Player_Height * size;
            int const toward = p.near == DoorSide::Left ? KeyIndex_GameRight : KeyIndex_GameLeft;
            double const back = p.near == DoorSide::Left ? -1.0 : 1.0;
            double const face = p.near == DoorSide::Left ? p.shut.x0 : p.shut.x1;
            for (double from = 0.5 * tall; from <= Tipped_From * tall; from += Tipped_Spacing * tall)
            {
                double const x = face + back * from;
                double const ground = GroundBefore(*world->GetMap(), p, x, size);
                Rectf const box(x - Player_Width * size / 2.0, ground + 1.0 * size, x + Player_Width * size / 2.0,
                                ground + tall);
                if (ground < p.floor - Tipped_From * tall || StandingSurfaces_Detail::Blocked(*world->GetMap(), box))
                    continue;
                for (int jumps = 0; jumps < 3; ++jumps)
                    for (int walk = 0; walk < 40; walk += jumps == 0 ? 40 : Tipped_Walks)
                    {
                        PutPlayer(*world, Pointf(x, ground), size);
                        Steps(3);
                        ShortcutRun::Jumps const how = jumps == 1 ? ShortcutRun::Jumps::Twice : ShortcutRun::Jumps::AtTop;
                        char at[120];
                        std::snprintf(at, sizeof at, "%s, from (%.1f, %.1f) at size %g, ", row.folder, x, ground, size);
                        std::string const name = at + (jumps == 0 ? std::string("walking") : ShortcutRun::HoldName(toward, how, walk));
                        DoorWatch doors = WatchDoors(*world, row.type, name, {part});
                        ShortcutRun::Result const r = ShortcutRun::Run(
                            doors.Wrap(step), int(from / (Tipped_Pace * size)) + Tipped_SettleSteps,
                            [&](int i) {
                                return jumps == 0 ? std::vector<int>{toward} : ShortcutRun::HeldKeys(toward, i, how, walk);
                            },
                            name);
                        faults += doors.Report();
                        if (r.action != Level_Continue)
                            Build(row.type, twice);
                        ++tipped;
                    }
            }
        }
    // Off a plate that lies before its door, held open from it; a plate that opens nothing on its own
    // (the castle's eyes fire on whoever stands on it) is left to its world's puzzle tests.
    int offPlate = 0;
    for (Door_Part const& part : DoorParts(*world->GetMap(), row.type, Watched))
    {
        DoorPlace const& p = part.place;
        Door_Plate const plate = DoorPlate(row.type, part.row->door);
        if (!p.Standing() || plate.group == 0)
            continue;
        Build(row.type, twice);
        Step(); // the groups in their places
        Rectf bound;
        world->GetMap()->FindGroupBound(plate.group, &bound);
        Pointf const on((bound.x0 + bound.x1) / 2.0, bound.y1);
        if (!PlateBefore(p, on.x, on.y, plate.scale))
            continue;
        int const d = part.row->door;
        int const made = OffThePlate(*world, step, DoorName(row.type, d),
                                     *WorldDoor(*world, row.type, d), FactsOf(row.type, d).distance, p, on, faults,
                                     plate.scale);
        offPlate += std::max(made, 0);
        if (std::getenv("HM_DOORS_TRACE") != nullptr)
            std::printf("%s, %s: %d runs off its plate\n", row.folder, DoorName(row.type, d).c_str(), made);
    }
    std::vector<Door_Part> const parts = DoorParts(*world->GetMap(), row.type, Fallen);
    int tried = 0;
    for (Door_Part const& part : parts)
        for (double size : part.row->sizes)
        {
            DoorPlace const& p = part.place;
            int const d = part.row->door;
            double const distance = FactsOf(row.type, d).distance;
            // Where no one of his size stands in the open doorway, the door shuts on no one that size.
            double const clear = (FactsOf(row.type, d).rises ? std::min(p.ceiling, p.shut.y0 + distance) : p.ceiling) - p.floor;
            if (clear < Player_Height * size)
                continue;
            Build(row.type, record);
            Door* door = WorldDoor(*world, row.type, d);
            auto const open = [&] { return door->GetPos(world->GetTick() - 1) >= distance; };
            Door_Plate const plate = DoorPlate(row.type, d);
            if (plate.group != 0)
            {
                Rectf bound;
                world->GetMap()->FindGroupBound(plate.group, &bound);
                PutPlayer(*world, Pointf((bound.x0 + bound.x1) / 2.0, bound.y1), plate.scale);
                for (int i = 0; i < Doors_OpenSteps && !open(); ++i)
                    Step();
            }
            bool const fell = plate.group != 0 && open();
            Tick opened = 0;
            if (!fell)
            {
                Steps(2 * Doors_TravelBack);
                opened = world->GetTick();
                hold.New();
                hold[0] = opened;
                door->HoldOpenAfter(&hold, 0);
                Step();
            }
            char name[120];
            std::snprintf(name, sizeof name, "%s, %s at size %g (%s): ", row.folder, DoorName(row.type, d).c_str(),
                          size, fell ? "its plate let go" : "travelled back to before it opened");
            if (!open())
            {
                faults += std::string(name) + "does not open\n";
                continue;
            }
            PutPlayer(*world, Pointf(p.Line(), p.floor), size);
            Steps(Doors_UnderSteps);
            if (!fell)
                KiligTravelBackTo(*world, step, opened - Doors_TravelBack);
            for (int i = 0; i < Doors_FallSteps && door->GetPos(world->GetTick() - 1) > 0.0; ++i)
                Step();
            Steps(Doors_UnderSteps);
            Pointf const under = world->GetPlayer()->GetPos();
            int const toward = p.near == DoorSide::Left ? KeyIndex_GameLeft : KeyIndex_GameRight;
            // Out on the near side, not lifted over the door on the way.
            auto const over = [&] { return world->GetPlayer()->GetPos().y > p.Top(world->GetPlayer()->GetScale()); };
            int i = 0;
            for (; i < Doors_OutSteps && !over() && !p.Out(world->GetPlayer()->GetPos(), world->GetPlayer()->GetScale());
                 ++i)
                Step({toward});
            ++tried;
            if (std::getenv("HM_DOORS_TRACE") != nullptr)
                std::printf("%sunder it at %s, out at %s after %d steps\n", name, Place(under.x, under.y).c_str(),
                            Place(world->GetPlayer()->GetPos().x, world->GetPlayer()->GetPos().y).c_str(), i);
            if (i < Doors_OutSteps && !over())
                continue;
            Pointf const at = world->GetPlayer()->GetPos();
            if (i == 0 && over())
                faults += std::string(name) + "thrown up over it to " + Place(at.x, at.y) + "\n";
            else
                faults += std::string(name) + "under it at " + Place(under.x, under.y) + ", holding "
                          + (toward == KeyIndex_GameLeft ? "left" : "right") + " " + std::to_string(i)
                          + " steps left his feet at " + Place(at.x, at.y) + (over() ? ", over it" : ", short of its ")
                          + (over() ? "" : DoorSideName(p.near)) + (over() ? "\n" : " side\n");
        }
    double const seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("%s: %d walks up to doors, %d up slopes towards them, %d runs off their plates, %d doors shut on a "
                "player in %.1f s\n",
                row.folder, approached, tipped, offPlate, tried, seconds);
    EXPECT_GT(approached + tried, 0);
    EXPECT_EQ(faults, "");
}

// The worlds with doors a puzzle opens.
std::vector<int> DoorWorlds()
{
    std::vector<int> worlds;
    for (int i = 0; i < World_Count; ++i)
        if (std::any_of(Door_Rows.begin(), Door_Rows.end(),
                        [&](Door_Row const& r) { return r.type == World_Table[i].type && (r.watched || r.fallen); }))
            worlds.push_back(i);
    return worlds;
}

std::string WorldName(testing::TestParamInfo<int> const& row)
{
    return World_Table[row.param].folder;
}
INSTANTIATE_TEST_SUITE_P(EveryWorld, WorldSurfaces, testing::Range(0, World_Count), WorldName);
INSTANTIATE_TEST_SUITE_P(EveryWorld, WorldHolds, testing::Range(0, World_Count), WorldName);
INSTANTIATE_TEST_SUITE_P(EveryWorld, WorldDoors, testing::ValuesIn(DoorWorlds()), WorldName);
