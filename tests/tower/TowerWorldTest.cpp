// The tower built from the generated data: what it places, in what order, wired to what; building
// again, failing part-way, and the gems taken on an earlier visit.
#include "creatures/Shmoo.h"
#include "creatures/Spider.h"
#include "creatures/SpikeBall.h"
#include "creatures/Spikes.h"
#include "creatures/SplitShmoo.h"
#include "creatures/Wasp.h"
#include "engine/Chest.h"
#include "engine/Door.h"
#include "engine/Hit_Target.h"
#include "engine/KillZone.h"
#include "engine/Path.h"
#include "engine/PickUp.h"
#include "engine/Player_Sprites.h"
#include "engine/Switch.h"
#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "support/MapIdSweep.h"
#include "support/PuzzleDoors.h"
#include "support/ShortcutRun.h"
#include "support/TestAudio.h"
#include "support/WorldReplay.h"
#include "tools/worlds/tower.h"
#include "tower/TowerWorldSupport.h"
#include "tower/Tower_Scaler.h"
#include "tower/Tower_Scales.h"

#include <algorithm>
#include <filesystem>
#include <set>

using namespace TowerWriter;

namespace
{

// What the tower drew at random as it was built, at tick t: the spikes' phases, the circling
// ball's place and the bobbing targets' places.
std::vector<double> Drawn(Tower const& tower, Tick t)
{
    std::vector<double> drawn;
    for (int i = 0; i < Tower_Spikes_Count; i++)
        drawn.push_back(tower.GetSpikes(i)->GetPhase());
    Pointf const ball = tower.GetSpikeBall(27)->PositionAtTime(t);
    drawn.insert(drawn.end(), {ball.x, ball.y});
    for (int k = 1; k < Tower_TargetPath_Count; k++)
    {
        Pointf const at = tower.GetTargetPath(k)->PositionAtTime(t).pos;
        drawn.insert(drawn.end(), {at.x, at.y});
    }
    return drawn;
}

// The stretches of the line y = at (across) or x = at (upright) that the map's fixed solid
// polygons cover, merged; each polygon is taken as convex.
std::vector<std::pair<double, double>> Covered(MapWriter const& map, bool across, double at)
{
    std::vector<std::pair<double, double>> spans;
    for (MapWriter_Poly const& poly : map.polys)
    {
        if (!poly.solid || poly.group != 0)
            continue;
        double lo = 1e300;
        double hi = -1e300;
        for (std::size_t i = 0; i < poly.points.size(); i++)
        {
            MapWriter_Point const& a = poly.points[i];
            MapWriter_Point const& b = poly.points[(i + 1) % poly.points.size()];
            double const a0 = across ? a.y : a.x, b0 = across ? b.y : b.x;
            double const a1 = across ? a.x : a.y, b1 = across ? b.x : b.y;
            if ((a0 - at) * (b0 - at) > 0.0 || a0 == b0)
                continue;
            double const on = a1 + (b1 - a1) * (at - a0) / (b0 - a0);
            lo = std::min(lo, on);
            hi = std::max(hi, on);
        }
        if (lo < hi)
            spans.emplace_back(lo, hi);
    }
    std::sort(spans.begin(), spans.end());
    std::vector<std::pair<double, double>> merged;
    for (auto const& span : spans)
    {
        if (!merged.empty() && span.first <= merged.back().second + 1e-6)
            merged.back().second = std::max(merged.back().second, span.second);
        else
            merged.push_back(span);
    }
    return merged;
}

bool CoversAll(std::vector<std::pair<double, double>> const& spans, double from, double to)
{
    return std::any_of(spans.begin(), spans.end(), [&](auto const& s) { return s.first <= from && s.second >= to; });
}

} // namespace

TEST_F(TowerWorld, AGiantBeforeTheWholeTowerIdlesAndTheTowerBuildsAgainAlike)
{
    std::vector<double> first;
    for (int build = 0; build < 2; build++)
    {
        Tower& tower = MakeTower();
        // The first frame: the giant at the start, already full size, and the whole tower in view.
        EXPECT_EQ(Hero().GetScale(), 64.0);
        EXPECT_EQ(Pos(), tower.GetMap()->GetRefPoint(Tower_Rp_Start));
        Pointf const centre = tower.GetMap()->GetCentrePoint();
        EXPECT_NEAR(centre.x, 2600.0, 1e-6);
        EXPECT_NEAR(centre.y, 10000.0, 1e-6);
        EXPECT_DOUBLE_EQ(tower.GetMap()->view.scale, Tower_OverviewZoom);
        EXPECT_EQ(tower.GetCameraZone(), -1);
        // The same seed draws the same phases.
        if (build == 0)
            first = Drawn(tower, 500);
        else
            EXPECT_EQ(Drawn(tower, 500), first);
    }
    Tower& tower = World();
    for (int i = 0; i < 10000; i++)
        ASSERT_EQ(Step(), Level_Continue) << "step " << i;
    EXPECT_EQ(Hero().GetScale(), 64.0) << "he never grew or shrank on the road";
    EXPECT_EQ(Hero().IsPlayerDead(), 0);
    EXPECT_EQ(Drawn(tower, 500), first) << "what was drawn at random is fixed for the level";
}

TEST_F(TowerWorld, TheMapHoldsEveryIdAndTheRoadHasRoomForAGiantOutsideTheWayIn)
{
    MakeTower();
    MapWriter const map = MapIdSweep::Read("tower/map");
    std::set<unsigned int> refs;
    std::set<unsigned int> groups;
    for (MapWriter_RefPoint const& ref : map.refPoints)
        refs.insert(ref.id);
    for (MapWriter_Poly const& poly : map.polys)
        groups.insert(poly.group);
    for (unsigned int id = 0; id <= 153; id++)
        EXPECT_EQ(refs.count(id), 1u) << "reference point " << id;
    for (unsigned int group = 1; group <= 45; group++)
        EXPECT_EQ(groups.count(group), 1u) << "map group " << group;

    // Nothing solid stands within a giant's height above the road from the second exit to the
    // first wing's landing, and from the right wall to the main exit, but the gate's beam over the
    // growing zone: it hangs wholly above the head of a player of 16 and below a giant's, so that the
    // giant walks on with it across his middle.
    auto const open = [](double x) {
        return (x > Tower_SecondExitX && x < WingA_L0X0) || (x > Tower_RightWallX + 200.0 && x < Tower_MainExitX);
    };
    for (MapWriter_Poly const& poly : map.polys)
    {
        if (!poly.solid)
            continue;
        for (MapWriter_Point const& p : poly.points)
        {
            if (!open(p.x) || p.y <= RoadY(p.x) || p.y >= RoadY(p.x) + Tower_RoadClear)
                continue;
            bool const beam = p.x >= Tower_GateX0 && p.x <= Tower_GateX1 && p.y > RoadY(p.x) + 16.0 * Player_Height
                              && p.y < RoadY(p.x) + WingB_GiantHeight;
            EXPECT_TRUE(beam) << "a corner at (" << p.x << ", " << p.y << ")";
        }
    }
}

// Under the first wing the road is a corridor lower than a player of 16: a giant shrinking to 16 is
// held at the tower's foot until his head passes under L0's block, and the block's face stops every
// head over the corridor's mouth, however fast he comes, walking, or jumping from the start or from
// the gate's end, where the beam over him no longer holds him down.
TEST_F(TowerWorld, NoOneTallerThanTheCorridorUnderTheFirstWingGetsIntoIt)
{
    struct Run
    {
        char const* how;
        double x;   // where he starts, a giant
        bool right; // holding right, a jump every 40 steps, from the first step; else running
    };
    for (Run const& run : {Run{"from the start, jumping", Tower_StartX, true}, Run{"running in", -6000.0, false},
                           Run{"from the gate's end, jumping", Tower_GateX1 + 20.0, true}})
    {
        MakeTower();
        Place(run.x, Tower_RoadY, 64.0);
        for (int i = 0; i < 700; i++)
        {
            std::vector<int> held{Key_Right};
            if (run.right && i % 40 < 10)
                held.push_back(Key_Jump);
            ASSERT_EQ(Step(held), Level_Continue) << run.how;
            Pointf const p = Pos();
            bool const under = p.x > Way_BlockX0 && p.x < WingA_RoadWallX && p.y < Tower_RoadY + 1.0;
            ASSERT_FALSE(under && p.y + Player_Height * Hero().GetScale() > 400.0)
                << run.how << ": at (" << p.x << ", " << p.y << ") at size " << Hero().GetScale() << ", step " << i;
        }
    }
}

// Each zone of the road and the first wing lies on a floor, its point on the floor's top: no zone
// hangs over a shaft or stands in rock.
TEST_F(TowerWorld, TheZonesOfTheRoadAndTheFirstWingLieOnFloors)
{
    MakeTower();
    Map const* map = world->GetMap();
    for (int i = 0; i < 10; i++)
    {
        Pointf const at = map->GetRefPoint(Tower_Scalers[i].ref);
        Pointf const below(at.x, at.y - 0.01);
        Pointf const above(at.x, at.y + 0.01);
        EXPECT_TRUE(map->Embedded(&below, nullptr, nullptr)) << "scaler " << i << " hangs in the air";
        EXPECT_FALSE(map->Embedded(&above, nullptr, nullptr)) << "scaler " << i << " stands in a solid";
    }
}

// A door that falls on a player standing under it leaves him able to walk out from under it on the side
// he came from: its foot stops short of the floor. Door 12 in the upper room on a player of 1 (who comes
// from the right), door 16 on LX on one of 8, door 17 on a giant.
TEST_F(TowerWorld, ADoorFallenOnAPlayerLeavesHimFreeToWalkOut)
{
    MakeTower();
    Place(WingA_Door12X + 5.0, WingA_UpperY, 1.0);
    Steps(20);
    double const x = Pos().x;
    Steps(100, {Key_Right});
    EXPECT_GT(Pos().x, x + Player_Width) << "the closed door 12 held his feet";

    Place(WingB_Door16X + 29.0, WingB_FinaleY, 8.0);
    Steps(20);
    double const under = Pos().x;
    Steps(100, {Key_Left});
    EXPECT_LT(Pos().x, under - 8.0 * Player_Width) << "the closed door 16 held his feet";

    Place(WingB_Door17X + 29.0, WingB_FinaleFarY, 64.0);
    Steps(20);
    Steps(100, {Key_Left});
    // The room is narrower than a giant: out from under the door, at door 16.
    EXPECT_LT(Pos().x, WingB_Door17X - 64.0 * Player_Width / 2.0) << "the closed door 17 held his feet";
}

// A walker's feet run along the floor under a shut door's foot, which meets the floor only at a corner:
// his head meets the door's face and stops him. So every standing door of the table is taller than
// the tallest player who comes to it, and rock closes the way over it. Each is walked into, and
// jumped at, from its near side by a player of that size, starting half a width of his own away.
// A player of 16 put in the gate room, his head in the ceiling, walked under door 0.
TEST_F(TowerWorld, EveryStandingDoorShutStopsTheTallestPlayerWhoComesToIt)
{
    events[Event_DoubleJump] = GameEvent_HasHappened;
    struct Visit
    {
        int door;
        double size;   // the largest a player is beside it
        bool fromLeft; // the side its puzzle keeps him on
    };
    Visit const visits[] = {
        {0, 8.0, true},     {2, 4.0, false},   {3, 0.5, false},   {5, 0.0625, false}, {6, 0.0625, false},
        {7, 0.0625, false}, {8, 0.125, false}, {9, 0.125, false}, {10, 0.125, false}, {12, 1.0, false},
        {13, 1.0, false},   {14, 4.0, false},  {15, 4.0, false},  {16, 8.0, true},    {17, 64.0, true},
    };
    int standing = 0;
    for (int d = 0; d < Tower_Door_Count; d++)
        standing += Tower_Doors[d].direction == 0 ? 1 : 0;
    EXPECT_EQ(std::size(visits), std::size_t(standing)) << "a standing door without its tallest visitor";
    for (Visit const& v : visits)
        for (bool jumping : {false, true})
        {
            MakeTower();
            ASSERT_EQ(Tower_Doors[v.door].direction, 0) << "door " << v.door;
            DoorPlace const place =
                PlaceDoor(*world->GetMap(), Tower_Doors[v.door].group, v.fromLeft ? DoorSide::Left : DoorSide::Right)
                    .front();
            double const tall = Player_Height * v.size;
            double const wide = Player_Width * v.size;
            EXPECT_GT(place.shut.y1 - place.floor, tall)
                << "door " << v.door << " is lower than a player of " << v.size;
            EXPECT_LE(place.ceiling, place.shut.y1 + 0.5) << "door " << v.door << " has room over it";
            double const face = v.fromLeft ? place.shut.x0 : place.shut.x1;
            double const start = face + (v.fromLeft ? -wide : wide) / 2.0;
            Place(start, place.floor, v.size);
            int const key = v.fromLeft ? Key_Right : Key_Left;
            double nearest = std::fabs(Pos().x - face);
            for (int i = 0; i < 200; i++)
            {
                Step(jumping ? ShortcutRun::HeldKeys(key, i) : std::vector<int>{key});
                bool const beyond = v.fromLeft ? Pos().x > place.Line() : Pos().x < place.Line();
                ASSERT_FALSE(beyond) << "door " << v.door << (jumping ? ", jumping" : ", walking") << ": feet at ("
                                     << Pos().x << ", " << Pos().y << ") at size " << Hero().GetScale() << ", step "
                                     << i;
                nearest = std::min(nearest, std::fabs(Pos().x - face));
            }
            EXPECT_LT(nearest, 0.05 * wide)
                << "door " << v.door << (jumping ? ", jumping" : ", walking") << ": never came to its face";
        }
}

// Over LX the main exit is reached only through door 17: a giant on the roof would walk to it, so
// the roof leaves no way up and the spire over the right wall no way along, and the left wall over the
// foot keeps a giant outside from jumping onto the tower's top, with the double jump too.
TEST_F(TowerWorld, TheRoofIsClosedFromTheLastWingToTheFarWallAndTheSpireAndTheLeftWallOutgrowAGiantsDoubleJump)
{
    MakeTower();
    Place(Tower_SecondExitX + 1000.0, Tower_RoadY, 64.0);
    double const ground = Pos().y;
    double top = ground;
    Step({Key_Jump});
    StepUntil(
        [&] {
            top = std::max(top, double(Pos().y));
            return Hero().onGround;
        },
        400, {Key_Jump});
    double const jump = top - ground;
    EXPECT_GT(jump, 4000.0) << "a giant's jump";
    // With the double jump, the second jump pressed at the first one's top, however long he held it.
    events[Event_DoubleJump] = GameEvent_HasHappened;
    MakeTower();
    double twice = jump;
    for (int held = 1; held < 60; held++)
    {
        Place(Tower_SecondExitX + 1000.0, Tower_RoadY, 64.0);
        for (int i = 0; i < 400 && (i < 5 || !Hero().onGround); i++)
        {
            Step(i == held ? std::vector<int>() : std::vector<int>{Key_Jump});
            twice = std::max(twice, double(Pos().y) - ground);
        }
    }
    EXPECT_GT(twice, 1.5 * jump) << "a giant's double jump";

    MapWriter const map = BuildMap();
    auto const roof = Covered(map, true, Tower_TopY - 25.0);
    EXPECT_TRUE(CoversAll(roof, Tower_RoofX0, Tower_RoadX1 + 100.0)) << "a gap in the roof";
    auto const spire = Covered(map, false, Tower_RightWallX + 50.0);
    EXPECT_TRUE(CoversAll(spire, Tower_TopY, Tower_TopY + twice)) << "a giant jumps over the spire";
    // Outside the left wall, from the road: over the foot's way in the wall stands higher than he jumps.
    auto const left = Covered(map, false, Way_CeilingX0 + 100.0);
    EXPECT_TRUE(CoversAll(left, Way_CeilingY, Tower_RoadY + twice)) << "a giant jumps over the left wall";
}

TEST_F(TowerWorld, ObjectsAreListedKindByKindTheTrackTargetsByTheirSlots)
{
    Tower& tower = MakeTower();
    std::vector<Object*> expected;
    for (int i = 0; i < Tower_Switch_Count; i++)
        expected.push_back(tower.GetSwitch(i));
    for (int i = 0; i < Tower_Scaler_Count; i++)
        expected.push_back(tower.GetScaler(i));
    for (int i = 0; i < Tower_Spikes_Count; i++)
        expected.push_back(tower.GetSpikes(i));
    for (int i = 0; i < Tower_SpikeBall_Count; i++)
        expected.push_back(tower.GetSpikeBall(i));
    for (int i = 0; i < Tower_Wasp_Count; i++)
        expected.push_back(tower.GetWasp(i));
    for (int i : {0, 1, 7, 2, 3, 8, 4, 9, 10, 5, 11, 6, 12})
        expected.push_back(tower.GetHitTarget(i));
    for (int i = 13; i < Tower_HitTarget_Count; i++)
        expected.push_back(tower.GetHitTarget(i));
    expected.push_back(tower.GetScales());
    for (int i = 0; i < Tower_PickUp_Count; i++)
        expected.push_back(tower.GetPickUp(i));
    for (int i = 0; i < Tower_Chest_Count; i++)
        expected.push_back(tower.GetChest(i));
    for (int i = 0; i < Tower_Spider_Count; i++)
        expected.push_back(tower.GetSpider(i));
    for (int i = 0; i < Tower_Shmoo_Count; i++)
        expected.push_back(tower.GetShmoo(i));
    for (int i = 0; i < Tower_SplitShmoo_Count; i++)
        for (int k = 0; k < SplitShmoo::Shmoo_Total_Count; k++)
            expected.push_back(tower.GetSplitShmoo(i)->GetShmoo(k));
    EXPECT_EQ(Objects(), expected);

    // The kill zones hurt but are not drawn; the doors and plates move with the driver.
    std::vector<Enemy*> const enemies = Enemies();
    auto const firstZone = std::find(enemies.begin(), enemies.end(), tower.GetKillZone(0));
    ASSERT_NE(firstZone, enemies.end());
    EXPECT_EQ(*(firstZone - 1), static_cast<Enemy*>(tower.GetSpikeBall(Tower_SpikeBall_Count - 1)));
    for (int i = 0; i < Tower_KillZone_Count; i++)
        EXPECT_EQ(*(firstZone + i), static_cast<Enemy*>(tower.GetKillZone(i))) << "kill zone " << i;
    std::vector<MapMoveObject*> movers;
    PtrList<MapMoveObject> const& orders = *ReplayWatch_Driver::Movers(tower.GetMapMove());
    for (int i = 0; i < orders.Count(); i++)
        movers.push_back(orders[i]);
    std::vector<MapMoveObject*> expectedMovers;
    for (int i = 0; i < Tower_Switch_Count; i++)
        expectedMovers.push_back(tower.GetSwitch(i));
    for (int i = 0; i < Tower_Door_Count; i++)
        expectedMovers.push_back(tower.GetDoor(i));
    expectedMovers.push_back(tower.GetScales());
    EXPECT_EQ(movers, expectedMovers);
}

TEST_F(TowerWorld, AGemTakenBeforeLeavesNoChestAndStaysHidden)
{
    Tower& fresh = MakeTower();
    for (int i = 0; i < Tower_Chest_Count; i++)
        EXPECT_NE(fresh.GetChest(i), nullptr) << "chest " << i;
    EXPECT_TRUE(fresh.GetPickUp(1)->CanCollect(0)) << "the hearts lie in the open";
    EXPECT_FALSE(fresh.GetPickUp(0)->CanCollect(0)) << "a gem in a chest is hidden until found";

    events.levelFlags[Level_Tower - 1][0] = 1;
    Tower& later = MakeTower();
    EXPECT_EQ(later.GetChest(0), nullptr);
    EXPECT_NE(later.GetChest(1), nullptr);
    std::vector<Object*> const objects = Objects();
    EXPECT_NE(std::find(objects.begin(), objects.end(), later.GetPickUp(0)), objects.end());
    Steps(100);
    Pointf at;
    double turn = 0.0;
    EXPECT_FALSE(later.GetPickUp(0)->CanCollect(Now()));
    EXPECT_FALSE(later.GetPickUp(0)->DrawnAt(Now(), at, turn));
}

TEST_F(TowerWorld, SixTrackTargetsDownAtOnceOpenDoor11AndAnAntiTargetStandsThemUp)
{
    Tower& tower = MakeTower();
    Path const* track = tower.GetTargetPath(0);
    Pointf const middle = tower.GetMap()->GetRefPoint(Tower_Rp_Track);
    auto at = [&](int target, Tick t) {
        Pointf p;
        EXPECT_TRUE(tower.GetHitTarget(target)->GetTargetPos(tower.GetMap(), t, p));
        return p;
    };
    // Target 1 starts at the track's start corner, 7 in slot 1 and 12 in slot 11 ahead of it.
    EXPECT_EQ(at(1, 0), middle + Pointf(Target_Path_Width / 2, Target_Path_Height / 2));
    EXPECT_EQ(at(7, 0), track->PositionAtTime(58).pos);
    EXPECT_EQ(at(12, 0), track->PositionAtTime(641).pos);
    for (int k = 1; k <= Tower_TrackTarget_Count; k++)
        EXPECT_EQ(at(k, 0), at(k, Target_Path_Time)) << "target " << k << " after a lap";

    Door const* door = tower.GetDoor(11);
    for (int k = 1; k <= 5; k++)
        tower.GetHitTarget(k)->Hit(10 * k, 1, 0);
    tower.GetHitTarget(9)->Hit(100, 1, 0);
    tower.GetHitTarget(6)->Hit(110, 1, 0);
    EXPECT_FALSE(door->IsActive(111)) << "five of the six were stood up again";
    for (int k = 1; k <= 5; k++)
        EXPECT_TRUE(tower.GetHitTarget(k)->TargetOn(111)) << "target " << k;
    for (int k = 1; k <= 5; k++)
        tower.GetHitTarget(k)->Hit(120 + k, 1, 0);
    EXPECT_FALSE(door->IsActive(124));
    EXPECT_TRUE(door->IsActive(125));
    EXPECT_FALSE(door->IsActive(50)) << "five down is not enough";
    tower.GetHitTarget(12)->Hit(200, 1, 0);
    EXPECT_FALSE(door->IsActive(201));
    EXPECT_TRUE(door->IsActive(199));
}

TEST_F(TowerWorld, AnAntiTargetOfTheRingHitAfterTheRingedTargetStandsItUp)
{
    Tower& tower = MakeTower();
    Hit_Target* ringed = tower.GetHitTarget(13);
    ringed->Hit(100, 1, 0);
    EXPECT_TRUE(tower.GetDoor(13)->IsActive(101));
    tower.GetHitTarget(17)->Hit(200, 1, 0);
    EXPECT_TRUE(ringed->TargetOn(201));
    EXPECT_FALSE(tower.GetDoor(13)->IsActive(201));
    tower.GetHitTarget(18)->Hit(50, 1, 0);
    EXPECT_TRUE(tower.GetDoor(13)->IsActive(150)) << "a hit before the ringed target's leaves it down";
}

// Scaling zones that give different sizes never meet. A zone reaches 8 times its own size either way of
// its point and its size up and down, edges included; where two that give different sizes met, a player
// standing there was given one size and then the other at every step, and the size-change sound started
// twice a step. Standing still where zones met before they were set apart, he hears it once at most.
TEST_F(TowerWorld, ZonesGivingDifferentSizesNeverMeetAndOneStandingStillHearsOneSizeChangeAtMost)
{
    MakeTower();
    Map const& map = *world->GetMap();
    auto const area = [&](Tower_ScalerIds const& zone) {
        Pointf const at = map.GetRefPoint(zone.ref);
        double const s = zone.zoneScale;
        return Rectf(at.x - 8.0 * s, at.y - s, at.x + 8.0 * s, at.y + s);
    };
    for (int i = 0; i < Tower_Scaler_Count; i++)
        for (int k = i + 1; k < Tower_Scaler_Count; k++)
        {
            if (Tower_Scalers[i].playerScale == Tower_Scalers[k].playerScale)
                continue;
            Rectf const a = area(Tower_Scalers[i]);
            Rectf const b = area(Tower_Scalers[k]);
            EXPECT_FALSE(a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1)
                << "zones " << i << " and " << k << " meet: x " << a.x0 << " to " << a.x1 << " and " << b.x0 << " to "
                << b.x1;
        }

    std::filesystem::create_directories("sounds");
    for (Sound_Id id : {Sound_ScaleUp, Sound_ScaleDown})
        TestAudio::WriteWav(Game_Sounds::FileName(id));
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    sounds.mute = 0;
    // The size-change sounds started since the last ask; stops them.
    auto const started = [] {
        int n = 0;
        for (int channel = 0; channel < Audio_Channels; channel++)
            for (Sound_Id id : {Sound_ScaleUp, Sound_ScaleDown})
                if (Audio::Plays(channel, Game_Sounds::FileName(id)))
                {
                    n++;
                    Audio::Stop(channel);
                }
        return n;
    };
    struct Stand
    {
        Pointf at;
        double size;
    };
    // Where scalers 0 and 2 met on the road, 1 and 4 in the gate room, 19 and 20 past door 6.
    for (Stand const& stand : {Stand{{-1890.0, Tower_RoadY}, 16.0}, Stand{{818.0, WingA_FloorY}, 4.0},
                               Stand{{1446.0, WingB_LowerY}, 0.0625}})
    {
        Player& hero = Hero();
        hero.SetScale(stand.size);
        hero.scale = stand.size;
        hero.SetUpStats();
        hero.pos = stand.at;
        hero.speed = hero.fallSpeed = hero.jumpSpeed = 0.0;
        started();
        int heard = 0;
        for (int i = 0; i < 30; i++)
        {
            ASSERT_EQ(Step(), Level_Continue);
            heard += started();
        }
        EXPECT_LE(heard, 1) << "standing at (" << stand.at.x << ", " << stand.at.y << ")";
        EXPECT_NEAR(Pos().x, stand.at.x, 1.0) << "he stood still";
    }
}

// A zone's point is the middle of its floor: the ground right under it, room over it, and the floor
// the zone covers reaching out to either side of it. So far the zones of the second wing (10 to 25).
TEST_F(TowerWorld, EachZoneOfTheSecondWingStandsOnTheFloorItCovers)
{
    MakeTower();
    Map const& map = *world->GetMap();
    for (int k = 10; k < Tower_Scaler_Count; k++)
    {
        Tower_ScalerIds const& zone = Tower_Scalers[k];
        Pointf const at = map.GetRefPoint(zone.ref);
        double const near = zone.zoneScale * 0.01; // a hundredth of the zone's half-height
        for (double dx : {-near, 0.0, near})
        {
            Pointf from(at.x + dx, at.y + near);
            Pointf to(at.x + dx, at.y - near);
            EXPECT_TRUE(map.TryMove(&from, &to, nullptr, nullptr)) << "zone " << k << ": floor under " << at.x + dx;
            Pointf const over(at.x + dx, at.y + near);
            EXPECT_FALSE(map.Embedded(&over, nullptr, nullptr)) << "zone " << k << ": room over " << at.x + dx;
        }
    }
}

TEST_F(TowerWorld, TheGiantsPlateOpensBothItsDoorsUnderAPlayerOf8AndNeitherUnder4)
{
    for (double size : {8.0, 4.0})
    {
        Tower& tower = MakeTower();
        Place(WingB_Plate11X, WingB_FinaleY + 1, size);
        Steps(300);
        bool const opened = Util::Equal(size, 8.0);
        EXPECT_EQ(tower.GetSwitch(11)->IsActive(Now() - 1), opened) << "size " << size;
        EXPECT_EQ(tower.GetDoor(16)->GetPos(Now() - 1), opened ? 220.0 : 0.0) << "size " << size;
        EXPECT_EQ(tower.GetDoor(17)->GetPos(Now() - 1), opened ? 2000.0 : 0.0) << "size " << size;
    }
}

TEST_F(TowerWorld, AFileMissingPartWayIsReportedAndTheTowerBuildsAgainWithoutMusicIfNeedBe)
{
    auto missing = [&](char const* file) { return WorldSweep::MissingFile(*this, Level_Tower, file); };
    for (int twice = 0; twice < 2; twice++)
    {
        Error const e = missing("tower/map");
        EXPECT_EQ(e.Code(), Error_OpenFile);
        EXPECT_STREQ(e.Text(), "tower/map");
    }
    // Each after many kinds were readied: one left readied would trip the next build.
    for (char const* file :
         {"gfx/tower/scales/overoff.png", "gfx/wasp/wasp00.png", "gfx/shmoo/shmoodown.png", "gfx/general/thumbsup.png"})
        EXPECT_EQ(missing(file).Code(), Error_OpenFile) << file;

    std::filesystem::rename(data->path / "music/tower.mp3", data->path / "aside");
    Error const silent = TryBuild(Level_Tower);
    std::filesystem::rename(data->path / "aside", data->path / "music/tower.mp3");
    EXPECT_EQ(silent.Code(), Error_None) << silent.Text();
    EXPECT_EQ(Step(), Level_Continue);
}
