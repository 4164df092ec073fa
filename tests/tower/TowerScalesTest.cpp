// The balance scales: weighing by size and by past selves, overweight and its sound, refusal for the
// lift, the pan's and the lift's travel, the lights, and long runs of hopping on and off the pan.
#include "support/RandomSeed.h"
#include "tower/TowerTestSupport.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace
{

constexpr double Half = 0.5;
constexpr double Quarter = 0.25;
constexpr double Off = 0.0;
constexpr int Reference_MaxDepth = 100;

// The pan's place as the plain recursion over the weight runs works it out; false where that
// would go Reference_MaxDepth calls deep.
bool RecursivePan(TimeSet2 const& w, Tick t, int depth, double& out)
{
    if (depth >= Reference_MaxDepth)
        return false;
    double p = 0.0;
    if (w.Find(t, nullptr))
    {
        Tick const f = w.LastFreeTime(t);
        if (t - f > 10)
        {
            out = -5.0;
            return true;
        }
        if (!RecursivePan(w, f, depth + 1, p))
            return false;
        p -= 0.5 * (t - f);
        out = p < -5.0 || Util::Equal(p, -5.0) ? -5.0 : p;
        return true;
    }
    Tick s = 0;
    if (!w.CheckDown(t, nullptr, &s) || t - s >= 10)
    {
        out = 0.0;
        return true;
    }
    if (!RecursivePan(w, s, depth + 1, p))
        return false;
    p += 0.5 * (t - s);
    out = p > 0.0 || Util::Equal(p, 0.0) ? 0.0 : p;
    return true;
}

// The lift's place likewise.
bool RecursiveLift(TimeSet2 const& w, Tick t, int depth, double& out)
{
    if (depth >= Reference_MaxDepth)
        return false;
    int v = 0;
    w.Find(t, &v);
    double const target = 25.0 * v;
    Tick s = 0;
    bool found = w.CheckDown(t, nullptr, &s);
    if (v > 0)
    {
        Tick const f = w.LastFreeTime(t);
        if (!found || s < f)
        {
            s = f;
            found = true;
        }
    }
    if (!found || t - s > 199)
    {
        out = target;
        return true;
    }
    double p = 0.0;
    if (!RecursiveLift(w, s, depth + 1, p))
        return false;
    if (target - p >= Util::Eps)
    {
        p += 0.5 * (t - s);
        out = p > target || Util::Equal(p, target) ? target : p;
    }
    else
    {
        p -= 0.5 * (t - s);
        out = p < target || Util::Equal(p, target) ? target : p;
    }
    return true;
}

} // namespace

class TowerScalesTest : public TowerScalesFixture
{
protected:
    // Compares both places at t with the recursion wherever it ends; counts where it does not.
    void ExpectAsRecursion(Tick t)
    {
        double const pan = scales->CalcScalesPos(t);
        double const lift = scales->CalcLiftPos(t);
        ASSERT_GE(pan, -5.0) << "tick " << t;
        ASSERT_LE(pan, 0.0) << "tick " << t;
        ASSERT_GE(lift, 0.0) << "tick " << t;
        ASSERT_LE(lift, 75.0) << "tick " << t;
        double expected = 0.0;
        if (RecursivePan(scales->Weights(), t, 0, expected))
        {
            ASSERT_EQ(pan, expected) << "pan at tick " << t;
        }
        else
        {
            panTooDeep++;
        }
        if (RecursiveLift(scales->Weights(), t, 0, expected))
        {
            ASSERT_EQ(lift, expected) << "lift at tick " << t;
        }
        else
        {
            liftTooDeep++;
        }
    }

    int panTooDeep = 0; // ticks the recursion could not answer
    int liftTooDeep = 0;
};

TEST_F(TowerScalesTest, AHalfSizePlayerSinksThePanAndRaisesTheLiftHalfAUnitATick)
{
    for (Tick t : {0, 50, 5000})
    {
        EXPECT_EQ(scales->CalcScalesPos(t), 0.0);
        EXPECT_EQ(scales->CalcLiftPos(t), 0.0);
        EXPECT_EQ(scales->LightsLit(t), 0);
        EXPECT_FALSE(scales->OverweightLit(t));
    }

    Weigh(0, 100, Off);
    Weigh(100, 400, Half);
    EXPECT_EQ(scales->WeightAt(100), 2);
    EXPECT_EQ(scales->CalcScalesPos(99), 0.0);
    EXPECT_EQ(scales->CalcScalesPos(100), -0.5) << "in the step he steps on";
    EXPECT_EQ(scales->CalcLiftPos(100), 0.5);
    EXPECT_EQ(scales->CalcScalesPos(108), -4.5);
    EXPECT_EQ(scales->CalcScalesPos(109), -5.0);
    EXPECT_EQ(scales->CalcScalesPos(399), -5.0);
    EXPECT_EQ(scales->CalcLiftPos(198), 49.5);
    EXPECT_EQ(scales->CalcLiftPos(199), 50.0);
    EXPECT_EQ(scales->CalcLiftPos(300), 50.0);
    EXPECT_EQ(scales->LightsLit(100), 0) << "the lights show the tick before";
    EXPECT_EQ(scales->LightsLit(101), 2);

    // Stepping off, the pan rises in 10 ticks; the lift comes down from 50 in 100.
    Weigh(400, 600, Off);
    EXPECT_EQ(scales->CalcScalesPos(400), -4.5);
    EXPECT_EQ(scales->CalcScalesPos(409), 0.0);
    EXPECT_EQ(scales->CalcLiftPos(400), 49.5);
    EXPECT_EQ(scales->CalcLiftPos(498), 0.5);
    EXPECT_EQ(scales->CalcLiftPos(499), 0.0);
    EXPECT_EQ(scales->LightsLit(401), 0);

    // The order records the groups' places.
    FlatList<MoveObject>* orders = nullptr;
    scales->MoveMapGroup(map.get(), 150, &orders);
    ASSERT_EQ(orders->Count(), 2);
    EXPECT_EQ((*orders)[0].group, Scales_Scales_Group);
    EXPECT_EQ((*orders)[0].newY, -5.0);
    EXPECT_EQ((*orders)[1].group, Scales_Lift_Group);
    EXPECT_EQ((*orders)[1].newY, 25.5);
    EXPECT_EQ((*orders)[0].newX, 0.0);
    EXPECT_EQ((*orders)[1].newX, 0.0);
}

TEST_F(TowerScalesTest, StandingAgainWhereAPastSelfWeighsOverweighsEachRunWithOneSound)
{
    ASSERT_NO_FATAL_FAILURE(Listen());
    Weigh(100, 300, Half);
    EXPECT_FALSE(Sounded());

    // Back to 50 and onto the pan again at half size: 2 + 2 is more than the scales take.
    Weigh(50, 150, Off);
    std::vector<Tick> sounded;
    for (Tick t = 150; t < 260; t++)
    {
        Weigh(t, t >= 200 && t < 210 ? Off : Half);
        if (Sounded())
            sounded.push_back(t);
    }
    EXPECT_EQ(sounded, (std::vector<Tick>{151, 211})) << "at the first tick of each run, as its light comes on";
    for (Tick t : {150, 199, 210, 259})
    {
        EXPECT_TRUE(scales->Overweight().Check(t)) << "tick " << t;
        EXPECT_EQ(scales->WeightAt(t), 2) << "the past self's weight stays, tick " << t;
    }
    EXPECT_FALSE(scales->Overweight().Check(205));
    EXPECT_FALSE(scales->OverweightLit(150));
    EXPECT_TRUE(scales->OverweightLit(151));
    EXPECT_TRUE(scales->OverweightLit(200));
    EXPECT_FALSE(scales->OverweightLit(201));
    EXPECT_EQ(scales->CalcLiftPos(260), 50.0) << "the lift follows what was recorded";
    EXPECT_FALSE(scales->weightRefused);

    // Shown again, the ticks weigh nothing and sound nothing.
    StandOn(Scales_Scales_Group);
    scales->MoveToTime(map.get(), 211, Object_Step{true, nullptr});
    scales->MoveToTime(map.get(), 310, Object_Step{true, nullptr});
    EXPECT_FALSE(Sounded());
    EXPECT_FALSE(scales->Weights().Find(310, nullptr));
}

TEST_F(TowerScalesTest, APastSelfAtHalfAndThePlayerAtAQuarterMakeTheMostAndFullSizeWeighsNothing)
{
    Weigh(100, 400, Half);
    Weigh(100, 400, Quarter);
    EXPECT_EQ(scales->WeightAt(200), 3);
    EXPECT_FALSE(scales->Overweight().Check(200));
    EXPECT_EQ(scales->LightsLit(200), 3);
    EXPECT_EQ(scales->CalcLiftPos(248), 74.5);
    EXPECT_EQ(scales->CalcLiftPos(249), 75.0);

    // Off at 400: the lift comes down from 75 in 150 ticks.
    Weigh(400, 700, Off);
    EXPECT_EQ(scales->CalcLiftPos(400), 74.5);
    EXPECT_EQ(scales->CalcLiftPos(548), 0.5);
    EXPECT_EQ(scales->CalcLiftPos(549), 0.0);

    // A full-size player, or one of any size but a half or a quarter, counts as weighed at 0:
    // the pan sinks and the lift stays down. On top of a past self he adds nothing.
    Weigh(1000, 1100, 1.0);
    Weigh(1100, 1200, 0.26);
    EXPECT_TRUE(scales->Weights().Find(1050, nullptr));
    EXPECT_EQ(scales->WeightAt(1150), 0);
    EXPECT_EQ(scales->CalcScalesPos(1020), -5.0);
    EXPECT_EQ(scales->CalcScalesPos(1199), -5.0);
    EXPECT_EQ(scales->CalcLiftPos(1199), 0.0);
    Weigh(300, 310, 2.0);
    EXPECT_EQ(scales->WeightAt(305), 3);

    // Within the tolerance a size counts as a half or a quarter.
    Weigh(2000, 0.5 + 1e-8);
    Weigh(2001, 0.25 - 1e-8);
    Weigh(2002, 0.5 + 2e-7);
    EXPECT_EQ(scales->WeightAt(2000), 2);
    EXPECT_EQ(scales->WeightAt(2001), 1);
    EXPECT_EQ(scales->WeightAt(2002), 0);
}

TEST_F(TowerScalesTest, StandingInTheLiftRefusesWeightOverThe199TicksBefore)
{
    Rectf const& bound = scales->GetLiftBound();
    EXPECT_LT(bound.y1, TowerScales_LiftTop + 1.0) << "the lift as it stands, without its headroom";
    Pointf const inLift(TowerScales_LiftX, TowerScales_LiftTop);
    Pointf const beside(bound.x1 + 1.0, TowerScales_LiftTop);
    Tick const u = 1000;
    scales->PlayerAtPos(u - 300, &beside);
    scales->PlayerAtPos(u, &inLift);
    EXPECT_EQ(scales->LiftUsed().Count(u + 1000), 1);

    Weigh(u - 200, Half);
    EXPECT_FALSE(scales->weightRefused);
    EXPECT_EQ(scales->WeightAt(u - 200), 2);
    for (Tick t : {u - 199, u - 100, u})
    {
        Weigh(t, Half);
        EXPECT_FALSE(scales->Weights().Find(t, nullptr)) << "tick " << t;
    }
    EXPECT_TRUE(scales->weightRefused);
    Weigh(u + 1, Half);
    EXPECT_EQ(scales->WeightAt(u + 1), 2);
    EXPECT_TRUE(scales->weightRefused) << "never cleared";

    // Overweight is told before refusal.
    Weigh(u - 200, Half);
    EXPECT_TRUE(scales->Overweight().Check(u - 200));
}

TEST_F(TowerScalesTest, LightsAreDrawnLitFromTheLeftOnePerUnitWithTheOverweightLightBelow)
{
    Pointf const lights = scales->GetPos();
    map->MoveMap(&lights, CameraMove_Jump);
    map->ScaleMap(4.0, CameraMove_Jump);
    // At 4 screen units a map unit the lights are 24 across, 32 apart, the overweight one 24 lower.
    auto const shown = [&](Tick t) {
        ClearScreen();
        scales->Render(map.get(), t);
        return std::vector<std::array<int, 3>>{Pixel(288, 245), Pixel(320, 245), Pixel(352, 245), Pixel(320, 210)};
    };
    std::array<int, 3> const on = Colour(TowerPicture_LightOn);
    std::array<int, 3> const off = Colour(TowerPicture_LightOff);
    EXPECT_EQ(shown(0), (std::vector<std::array<int, 3>>{off, off, off, Colour(TowerPicture_OverOff)}));

    Weigh(10, 20, Quarter);
    Weigh(10, 12, Half);
    Weigh(10, 11, Half);
    EXPECT_EQ(shown(16), (std::vector<std::array<int, 3>>{on, off, off, Colour(TowerPicture_OverOff)}));
    EXPECT_EQ(shown(12), (std::vector<std::array<int, 3>>{on, on, on, Colour(TowerPicture_OverOff)}));
    EXPECT_EQ(shown(11), (std::vector<std::array<int, 3>>{on, on, on, Colour(TowerPicture_OverOn)}));
}

TEST_F(TowerScalesTest, AThousandHopsOnAndOffThePanStayWithinBoundsAndAnswerAsTheRecursion)
{
    unsigned const fresh = TestSeed();
    for (unsigned const seed : TestSeedRun(TestSeeds_Default, fresh))
    {
        SCOPED_TRACE("HM_TEST_SEED=" + std::to_string(seed));
        scales = std::make_unique<Tower_Scales>(map.get(), player.get());
        panTooDeep = 0;
        liftTooDeep = 0;
        std::mt19937 random(seed);
        double const sizes[] = {Half, Quarter, 1.0};

        // Runs on the pan and off it, mostly shorter than the pan's travel, now and then long
        // enough for the pan or the lift to come to rest; every few steps ask for both places,
        // as the level does at each.
        Tick t = 0;
        for (int hop = 0; hop < 1000; hop++)
        {
            Tick const onFor = Tick(1 + random() % 9);
            Tick const offFor = random() % 60 == 0 ? Tick(10 + random() % 300) : Tick(1 + random() % 9);
            double const size = sizes[random() % 3];
            for (Tick end = t + onFor; t < end; t++)
            {
                Weigh(t, size, t % 5 == 0);
                if (t % 29 == 0)
                {
                    ASSERT_NO_FATAL_FAILURE(ExpectAsRecursion(t));
                }
            }
            for (Tick end = t + offFor; t < end; t++)
                Weigh(t, Off, t % 5 == 0);
        }
        Tick const played = t;

        // Back in time, a second self hops over part of it.
        Tick const back = std::uniform_int_distribution<Tick>(0, played / 2)(random);
        for (t = back; t < back + played / 8; t++)
        {
            Weigh(t, random() % 3 == 0 ? Off : sizes[random() % 2], t % 5 == 0);
            if (t % 31 == 0)
            {
                ASSERT_NO_FATAL_FAILURE(ExpectAsRecursion(t));
            }
        }

        // Asked in any order, after all the weighing.
        std::uniform_int_distribution<Tick> anyTick(0, played + 300);
        for (int i = 0; i < 150; i++)
            ASSERT_NO_FATAL_FAILURE(ExpectAsRecursion(anyTick(random)));
        EXPECT_GT(panTooDeep + liftTooDeep, 0) << "the hops never outran the recursion";
    }
}
