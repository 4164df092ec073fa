// Swivel platforms: turning at each press, holding the switch up where the player stood, reaching the map.
#include "engine/Switch.h"
#include "killig/Kilig_Swivel.h"
#include "support/GroupPlayerTest.h"
#include "support/RandomSeed.h"
#include "util/Util.h"

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace
{

constexpr unsigned int PlateGroup = 65;
constexpr unsigned int SwivelGroup = 64;
constexpr unsigned int PivotRp = 41;
constexpr double Quarter = Util::QuarterTurn;
constexpr double Half = Util::HalfTurn;

// The platform is an 80 by 10 box turning about its middle, (100, 100); the plate lies apart.
MapWriter SwivelWriter()
{
    MapWriter writer = FloorWriter();
    writer.AddBox(60.0, 95.0, 140.0, 105.0, 0, SwivelGroup, true, false, 64.0);
    writer.AddBox(-200.0, 0.0, -140.0, 10.0, 0, PlateGroup, true, false, 64.0);
    writer.AddRefPoint(PivotRp, 100.0, 100.0);
    return writer;
}

// The angle as a plain recursion over the presses, for comparison.
double RecursiveAngle(Switch const& sw, bool fourWay, Tick t, int& aim)
{
    Tick const s = sw.LastSwitchOnTime(t);
    if (s == -1)
    {
        aim = 0;
        return 0.0;
    }
    int prevDir = 0;
    double const prev = RecursiveAngle(sw, fourWay, s, prevDir);
    double target = 0.0;
    if (fourWay)
    {
        double const targets[4] = {Quarter, -Quarter, 0.0, Half};
        int const next[4] = {3, 2, 0, 1};
        target = targets[prevDir];
        aim = next[prevDir];
    }
    else
    {
        target = prevDir == 0 ? Half : 0.0;
        aim = prevDir == 0 ? 1 : 0;
    }
    Tick const e = t - s;
    double a = target;
    if (e <= 50)
    {
        if (!Util::Equal(target, prev) && prev > target)
            target += Util::FullTurn;
        a = Util::FunkyMove(prev, target, int(e), 0.1);
    }
    return Util::Angle(a);
}

} // namespace

class KiligSwivelTest : public GroupPlayerTest
{
protected:
    KiligSwivelTest() { map = MapFiles::Load<Map>(SwivelWriter()); }

    void SetUp() override
    {
        GroupPlayerTest::SetUp();
        MakePlayer();
    }

    void TearDown() override
    {
        swivel.reset();
        plate.reset();
        GroupPlayerTest::TearDown();
    }

    void Build(bool fourWay)
    {
        swivel.reset();
        plate = std::make_unique<Switch>(player.get(), map.get(), PlateGroup, 1.0);
        swivel = std::make_unique<Kilig_Swivel>(map.get(), SwivelGroup, PivotRp, plate.get(), fourWay);
    }

    // The player stands on the plate over the ticks [from, to), as the level moves it.
    void Press(Tick from, Tick to)
    {
        StandOn(PlateGroup);
        for (Tick t = from; t < to; t++)
            plate->MoveToTime(map.get(), t);
        StandOn(0);
    }

    double Angle(Tick t, Direction* aim = nullptr) const { return swivel->GetRotation(t, aim); }

    // Turning from a to b never goes anticlockwise, nor half a turn in one tick.
    static bool Clockwise(double a, double b) { return Util::DiffAngle(b, a) < 1.0; }

    Pointf Centre() const { return map->GetRefPoint(PivotRp); }

    std::unique_ptr<Switch> plate;
    std::unique_ptr<Kilig_Swivel> swivel;
};

TEST_F(KiligSwivelTest, UnpressedItLiesAsLoadedAndItsSizeSetsWhereItIsStoodOn)
{
    Build(false);
    Direction aim = Direction_Left;
    for (Tick t : {0, 1, 500, 119999})
    {
        EXPECT_EQ(Angle(t, &aim), 0.0) << t;
        EXPECT_EQ(aim, Direction_Up) << t;
    }
    // Taken from the box as loaded (80 across, its bound padded by a tenth each side).
    EXPECT_NEAR(swivel->standRadius, 0.75 * 80.2, 1e-9);
    Rectf bound;
    map->FindGroupBound(SwivelGroup, &bound);
    EXPECT_NEAR(bound.x0, 59.9 - 1.3 * 80.2, 1e-9);
    EXPECT_NEAR(bound.y1, 105.1 + 1.3 * 80.2, 1e-9);

    Pointf const centre = Centre();
    Pointf edge(centre.x + swivel->standRadius, centre.y);
    swivel->PlayerAtPos(10, &edge);
    EXPECT_EQ(swivel->lastStoodTime, -1) << "exactly the radius away is off it";
    edge.x -= 1e-6;
    swivel->PlayerAtPos(10, &edge);
    EXPECT_EQ(swivel->lastStoodTime, 10);
}

TEST_F(KiligSwivelTest, TwoWayTurnsHalfATurnEachPressAlwaysClockwise)
{
    Build(false);
    Press(10, 15);
    Press(100, 103);
    EXPECT_EQ(Angle(9), 0.0);
    EXPECT_NEAR(Angle(10), 0.1 * Half, 1e-12);
    Direction aim = Direction_Up;
    EXPECT_EQ(Angle(60, &aim), Half) << "on its place from the 51st tick";
    EXPECT_EQ(aim, Direction_Down);
    EXPECT_LT(Angle(59), Half);
    for (Tick t = 0; t < 200; t++)
        EXPECT_TRUE(Clockwise(Angle(t), Angle(t + 1))) << "from " << t;
    EXPECT_LT(Angle(101), -0.8 * Half) << "past half a turn, shown the other side of -pi";
    EXPECT_EQ(Angle(150, &aim), 0.0) << "a whole turn shows as 0";
    EXPECT_EQ(aim, Direction_Up);
}

TEST_F(KiligSwivelTest, FourWayTurnsQuarterTurnsBackToItsStartAndGoesOnFromMidTurn)
{
    Build(true);
    for (Tick t : {10, 100, 200, 300})
        Press(t, t + 1);
    struct Expected
    {
        Tick t;
        double angle;
        Direction aim;
    };
    for (Expected const& e : {Expected{99, Quarter, Direction_Right}, Expected{199, Half, Direction_Down},
                              Expected{299, -Quarter, Direction_Left}, Expected{399, 0.0, Direction_Up}})
    {
        Direction aim = Direction_Up;
        EXPECT_EQ(Angle(e.t, &aim), e.angle) << e.t;
        EXPECT_EQ(aim, e.aim) << e.t;
    }
    for (Tick t = 0; t < 400; t++)
        EXPECT_TRUE(Clockwise(Angle(t), Angle(t + 1))) << "from " << t;

    // Pressed again 20 ticks into the first turn: on towards the half turn from where it was.
    Build(true);
    Press(10, 11);
    Press(30, 31);
    EXPECT_NEAR(Angle(29) / Quarter, 0.8784, 1e-4);
    EXPECT_GT(Angle(30), Angle(29));
    EXPECT_EQ(Angle(80), Half);
}

TEST_F(KiligSwivelTest, WhereThePlayerStoodItHoldsItsSwitchUpAtThatTickAndBefore)
{
    Build(true);
    Pointf const on = Centre();
    for (Tick t = 0; t <= 500; t++)
        swivel->PlayerAtPos(t, &on);
    // Travelled back to 300: standing on it again earlier moves nothing back.
    swivel->PlayerAtPos(300, &on);
    EXPECT_EQ(swivel->lastStoodTime, 500);
    EXPECT_FALSE(swivel->blocked);

    Press(350, 501);
    EXPECT_EQ(plate->NextActiveTime(0), -1) << "a press recorded where the player stood";
    EXPECT_TRUE(swivel->blocked);
    EXPECT_EQ(Angle(500), 0.0);
    Press(501, 502);
    EXPECT_TRUE(plate->IsActive(501));
    EXPECT_GT(Angle(520), 0.0);

    EXPECT_TRUE(swivel->IsBlocked(map.get(), 500));
    EXPECT_FALSE(swivel->IsBlocked(map.get(), 501));
    Build(false);
    EXPECT_FALSE(swivel->IsBlocked(map.get(), 0));
    EXPECT_FALSE(swivel->blocked);
}

TEST_F(KiligSwivelTest, TheAngleIsTheRecursionOverThePressesForRandomHistories)
{
    for (unsigned seed : TestSeedRun(TestSeeds_Default))
    {
        SCOPED_TRACE("HM_TEST_SEED=" + std::to_string(seed));
        std::mt19937 random(seed);
        for (int history = 0; history < 250; history++)
        {
            bool const fourWay = random() % 2 == 0;
            Build(fourWay);
            // Runs of presses, some close enough to cut into the turn before, pressed in any order.
            std::vector<std::pair<Tick, Tick>> runs;
            Tick at = Tick(random() % 40);
            int const count = int(random() % 9);
            for (int i = 0; i < count; i++)
            {
                Tick const length = 1 + Tick(random() % 20);
                runs.push_back({at, at + length});
                at += length + 1 + Tick(random() % 90);
            }
            std::shuffle(runs.begin(), runs.end(), random);
            std::vector<Tick> asked;
            for (auto const& [from, to] : runs)
            {
                Press(from, to);
                for (Tick t : {from - 1, from, from + 1, from + Tick(random() % 50), from + 50, from + 51})
                    asked.push_back(t);
            }
            for (int i = 0; i < 10; i++)
                asked.push_back(Tick(random() % (at + 100)));
            for (Tick t : asked)
            {
                Direction aim = Direction_Up;
                int expectedDir = 0;
                double const expected = RecursiveAngle(*plate, fourWay, t, expectedDir);
                ASSERT_EQ(Angle(t, &aim), expected) << "history " << history << " tick " << t;
                ASSERT_EQ(int(aim), expectedDir) << "history " << history << " tick " << t;
            }
        }
    }
}
