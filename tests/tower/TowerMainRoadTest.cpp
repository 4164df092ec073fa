// The tower as a player meets it, from the start with no placing: the main road through the second
// wing's puzzles, travelling back where they need a past self, to the main exit; holding a
// direction or pressing keys at random never reaches that exit; and the generated map draws
// nothing over what a player stands on or over a door, plate or lift.
#include "engine/Door.h"
#include "support/DrawOrder.h"
#include "support/MapIdSweep.h"
#include "support/RoadTravel.h"
#include "support/ShortcutRun.h"
#include "tools/MapTextures.h"
#include "tools/worlds/tower.h"
#include "tower/TowerWorldSupport.h"
#include "tower/Tower_Ids.h"
#include "tower/Tower_Scales.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

using namespace TowerWriter;

namespace
{

// The index of the road's point called station.
int PointNamed(Road const& road, std::string const& station)
{
    for (std::size_t i = 0; i < road.points.size(); i++)
        if (road.points[i].name == station)
            return static_cast<int>(i);
    ADD_FAILURE() << "no point " << station;
    return 0;
}

using Outline = std::vector<Pointf>;

Outline OutlineOf(MapWriter_Poly const& poly)
{
    Outline outline;
    for (MapWriter_Point const& p : poly.points)
        outline.push_back(Pointf(p.x, p.y));
    return outline;
}

double Area(Outline const& outline)
{
    double twice = 0.0;
    for (std::size_t i = 0; i < outline.size(); i++)
    {
        Pointf const& a = outline[i];
        Pointf const& b = outline[(i + 1) % outline.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2.0;
}

// What of subject lies inside the convex outline clip (either winding).
Outline Clip(Outline subject, Outline const& clip)
{
    double sign = 0.0;
    for (std::size_t i = 0; i < clip.size() && sign == 0.0; i++)
    {
        Pointf const& a = clip[i];
        Pointf const& b = clip[(i + 1) % clip.size()];
        Pointf const& c = clip[(i + 2) % clip.size()];
        double const cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        sign = cross > 1e-9 ? 1.0 : cross < -1e-9 ? -1.0 : 0.0;
    }
    if (sign == 0.0)
        return {};
    for (std::size_t i = 0; i < clip.size() && !subject.empty(); i++)
    {
        Pointf const& a = clip[i];
        Pointf const& b = clip[(i + 1) % clip.size()];
        auto const inside = [&](Pointf const& p) {
            return sign * ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) >= 0.0;
        };
        Outline kept;
        for (std::size_t j = 0; j < subject.size(); j++)
        {
            Pointf const& p = subject[j];
            Pointf const& q = subject[(j + 1) % subject.size()];
            if (inside(p))
                kept.push_back(p);
            if (inside(p) != inside(q))
            {
                double const dp = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
                double const dq = (b.x - a.x) * (q.y - a.y) - (b.y - a.y) * (q.x - a.x);
                double const f = dp / (dp - dq);
                kept.push_back(Pointf(p.x + f * (q.x - p.x), p.y + f * (q.y - p.y)));
            }
        }
        subject = kept;
    }
    return subject;
}

} // namespace

class TowerMainRoad : public TowerWorld
{
protected:
    // Counts, from the first step that frames a part of the tower, the longest run of steps that
    // shows the whole tower instead while the player walks (riding a car or the lift, and the walk
    // out beyond door 17 to the main exit, excepted: their legs run between zones), and notes
    // whether the whole tower was shown before he first stood on L1, on the way in.
    void CountWholeTowerSteps()
    {
        int const zone = As<Tower>().GetCameraZone();
        unsigned int poly = 0;
        unsigned int const group = Hero().PolyOn(&poly) ? world->GetMap()->GetGroup(poly) : 0;
        bool const carried =
            group == Scales_Lift_Group || (group >= Tower_Group_FirstCar && group <= Tower_Group_LastCar);
        framed = framed || zone > 0;
        wholeTower = framed && zone == 0 && !carried && Pos().x < WholeTowerBeyondX ? wholeTower + 1 : 0;
        longestWholeTower = std::max(longestWholeTower, wholeTower);
        reachedL1 = reachedL1 || (Hero().onGround && Pos().y >= WingB_FloorY - 1.0);
        wholeTowerOnWayIn = wholeTowerOnWayIn || (wholeTower > 0 && !reachedL1);
    }

    static constexpr double WholeTowerBeyondX = 7650.0; // the right edge of LX's camera zone
    static constexpr int FewSteps = 50;                 // a walk or a jump from one zone to the next
    bool framed = false;
    int wholeTower = 0;
    int longestWholeTower = 0;
    bool reachedL1 = false;
    bool wholeTowerOnWayIn = false;
};

TEST_F(TowerMainRoad, FromTheStartThroughTheScalingZonesPastSelvesScalesAndTransporterToTheMainExit)
{
    Tower& tower = MakeTower();
    Road const road = RoadWalker::WorldRoad(Level_Tower, "exit");
    RoadTravel walk(*world, road);
    std::set<double> sizes;
    RoadWalk_Result const r = walk.Walk([&](std::vector<int> const& held) {
        sizes.insert(Hero().GetScale());
        Level_Action const action = Step(held);
        CountWholeTowerSteps();
        return action;
    });
    ASSERT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
    EXPECT_EQ(walk.Travels(), static_cast<int>(std::count_if(road.points.begin(), road.points.end(),
                                                             [](auto& p) { return p.kind == Road_Travel; })));
    for (double size : {16.0, 0.5, 0.25, 0.125, 0.03125, 0.0625, 1.0, 4.0, 8.0, 64.0})
        EXPECT_EQ(sizes.count(size), 1u) << "never " << size;
    EXPECT_LE(longestWholeTower, FewSteps) << "every floor on the way lies in a camera zone";
    EXPECT_TRUE(reachedL1);
    EXPECT_FALSE(wholeTowerOnWayIn) << "every step from the foot up to L1 lies in a camera zone";

    // What the puzzles on the way show afterwards, at the ticks the road was walked.
    Tick const door3 = walk.StoodAt(PointNamed(road, "door 3"));
    Tick const plate3 = walk.StoodAt(PointNamed(road, "door 3 plate"));
    EXPECT_TRUE(tower.GetDoor(3)->IsActive(plate3 + 150)) << "a past self on the plate held door 3";
    EXPECT_GT(door3, plate3 + 300) << "he reached door 3 after leaving its plate";
    Tick const weighed = walk.StoodAt(PointNamed(road, "the pan at 1/2"));
    EXPECT_EQ(tower.GetScales()->WeightAt(weighed + 100), 3) << "two selves on the pan";
    EXPECT_DOUBLE_EQ(tower.GetScales()->CalcLiftPos(weighed + 300), 75.0);
    EXPECT_FALSE(tower.GetScales()->weightRefused);
    Tick const plate11 = walk.StoodAt(PointNamed(road, "switch 11"));
    EXPECT_TRUE(tower.GetDoor(17)->IsActive(plate11 + 300)) << "a past self on switch 11 held door 17";
}

TEST_F(TowerMainRoad, HoldingEitherWayOrRandomKeysNeverReachTheMainExitAndLeftIsTheShortWayOut)
{
    ShortcutRun::Each(
        [this] {
            MakeTower();
            framed = false;
            wholeTower = longestWholeTower = 0;
        },
        [this](std::vector<int> const& held) {
            Level_Action const action = Step(held);
            CountWholeTowerSteps();
            return action;
        },
        [this](ShortcutRun::Result const& r) {
            EXPECT_NE(r.action, Level_Completed) << r.how;
            if (r.how.find("holding") == 0)
            {
                EXPECT_LE(longestWholeTower, FewSteps) << r.how << ": the tower seen whole";
            }
            if (r.how.find("holding left") == 0)
            {
                EXPECT_EQ(r.action, Level_Restart) << r.how;
            }
            if (r.how.find("holding right") == 0)
            {
                EXPECT_LT(Pos().x, Tower_RightWallX) << "the right wall holds him";
            }
        });
    // With the double jump the giant at the start jumps no higher than the tower's walls: holding right
    // takes him in at the foot, not over the top to the main exit.
    events[Event_DoubleJump] = GameEvent_HasHappened;
    MakeTower();
    ShortcutRun::Result const r =
        ShortcutRun::Hold([this](std::vector<int> const& held) { return Step(held); }, Key_Right, 3000, true);
    EXPECT_NE(r.action, Level_Completed) << r.how;
    EXPECT_LT(Pos().x, Tower_RightWallX) << r.how;
}

TEST_F(TowerMainRoad, TheKitFindsNothingHiddenBehindALaterPolygon)
{
    Tower& tower = MakeTower();
    // The cars all stand at the start of their run in the map, each moved from there by its own
    // share of the route.
    std::set<unsigned int> cars;
    for (unsigned int car = Tower_Group_FirstCar; car <= Tower_Group_LastCar; car++)
        cars.insert(car);
    EXPECT_TRUE(DrawOrder::NothingHidden(*tower.GetMap(), cars));
}

TEST_F(TowerMainRoad, NothingIsDrawnOverWhatAPlayerStandsOnOrOverADoorPlateOrLift)
{
    MakeTower();
    MapWriter const map = MapIdSweep::Read("tower/map");
    std::set<unsigned int> moving{Scales_Scales_Group, Scales_Lift_Group};
    for (Tower_DoorIds const& door : Tower_Doors)
        moving.insert(door.group);
    for (Tower_SwitchIds const& plate : Tower_Switches)
        moving.insert(plate.group);
    // The cars all stand at the start of their run in the map, each moved from there by its own
    // share of the route.
    auto const Car = [](unsigned int group) { return group >= Tower_Group_FirstCar && group <= Tower_Group_LastCar; };
    int covered = 0;
    for (std::size_t i = 0; i < map.polys.size(); i++)
    {
        MapWriter_Poly const& under = map.polys[i];
        if (!under.solid && moving.count(under.group) == 0)
            continue;
        Outline const outline = OutlineOf(under);
        for (std::size_t j = i + 1; j < map.polys.size(); j++)
        {
            MapWriter_Poly const& over = map.polys[j];
            // A solid never drawn (a door's, under its picture) hides nothing.
            if (over.foreground != under.foreground || (Car(under.group) && Car(over.group))
                || over.texture == MapTextures::Rock)
                continue;
            double const overlap = Area(Clip(outline, OutlineOf(over)));
            if (overlap > 1e-6 * std::max(1.0, Area(outline)) && covered++ < 60)
                ADD_FAILURE() << "polygon " << i << " (group " << under.group << ", at " << outline[0].x << ", "
                              << outline[0].y << ") lies under polygon " << j << " (group " << over.group << ", at "
                              << over.points[0].x << ", " << over.points[0].y << "): " << overlap;
        }
    }
    EXPECT_EQ(covered, 0);
}

TEST_F(TowerMainRoad, ATravelPointReadsBackAsWrittenAndOnlyItMayGoBackBeforeItsPoint)
{
    Road road("back");
    road.Press(1.0, 2.0, "plate", 300).Travel(3.0, 2.0, "door", 0, -40).Travel(4.0, 2.0, "later", 1, 100);
    Road::Write("roads", {road});
    Road const back = Road::Read("roads", "back");
    ASSERT_EQ(back.points.size(), 3u);
    EXPECT_EQ(back.points[1].kind, Road_Travel);
    EXPECT_EQ(back.points[1].turns, 0);
    EXPECT_EQ(back.points[1].wait, -40);
    EXPECT_EQ(back.points[2].name, "later");
    EXPECT_EQ(back.points[2].wait, 100);

    std::ofstream("bad") << "road a\npress 1 2 -5 0 plate\n";
    EXPECT_THROW(Road::ReadAll("bad"), Error) << "only a travel goes back before its point";
}
