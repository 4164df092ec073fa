// The floating flower: its sway, sinking, dips and drift, what it records and when, and its drawing.
#include "chasm/ChasmTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

Pointf const Rest(100.0, 500.0);

// Hanging without the fan at every tick of [from, to).
void Hang(Chasm_HangOn& flower, Tick from, Tick to)
{
    for (Tick t = from; t < to; ++t)
        flower.PlayerHanging(t);
}

void Fan(Chasm_HangOn& flower, Tick from, Tick to)
{
    for (Tick t = from; t < to; ++t)
        flower.PlayerHangingWithFan(t);
}

double Sway(Chasm_HangOn const& flower, Tick t)
{
    return 5.0 * std::sin(t / 60.0 + flower.GetPhase());
}

// How far below its rest height the flower is at t.
double Below(Chasm_HangOn const& flower, Tick t)
{
    return Rest.y - flower.PosAtTime(t).y;
}

} // namespace

class ChasmHangOnTest : public ChasmFixture
{
};

TEST_F(ChasmHangOnTest, AtRestItSwaysAboutItsPlaceAndAnswersToTheFan)
{
    Chasm_HangOn flower(Rest, false);
    for (Tick t : {0, 94, 5000})
    {
        EXPECT_EQ(flower.PosAtTime(t), Pointf(Rest.x + Sway(flower, t), Rest.y)) << "tick " << t;
        EXPECT_EQ(flower.GetInfo(t), 1u);
    }
    flower.MoveToTime(nullptr, 94);
    EXPECT_EQ(flower.hangPos, flower.PosAtTime(94));
}

TEST_F(ChasmHangOnTest, HangingSinksItEightyForEveryTwoHundredTicksHung)
{
    Chasm_HangOn flower(Rest, false);
    Hang(flower, 0, 400);
    double const expected[] = {28.2843, 40.0, 51.7157, 80.0, 120.0, 160.0};
    Tick const hung[] = {50, 100, 150, 200, 300, 400};
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(Below(flower, hung[i]), expected[i], 1e-4) << hung[i] << " ticks";
    // Only the ticks hung count: after a pause it goes on from where it stopped.
    Chasm_HangOn paused(Rest, false);
    Hang(paused, 0, 50);
    Hang(paused, 1000, 1050);
    EXPECT_NEAR(Below(paused, 999), 28.2843, 1e-4);
    EXPECT_NEAR(Below(paused, 1050), 40.0, 1e-4);
    EXPECT_EQ(paused.PosAtTime(1050).x, Rest.x + Sway(paused, 1050)) << "sinking moves it straight down";
}

TEST_F(ChasmHangOnTest, AJumpDipsItFortyOverSixtyTicksForGoodAndTheNextOnlyAfterSixty)
{
    Chasm_HangOn flower(Rest, false);
    flower.PlayerJumped(100);
    EXPECT_NEAR(Below(flower, 115), 15.3073, 1e-4);
    EXPECT_NEAR(Below(flower, 130), 28.2843, 1e-4);
    EXPECT_NEAR(Below(flower, 160), 40.0, 1e-9);
    EXPECT_NEAR(Below(flower, 9000), 40.0, 1e-9);

    flower.PlayerJumped(159);
    EXPECT_EQ(Recorded(flower.JumpTimes()), 1) << "59 ticks after the last";
    flower.PlayerJumped(160);
    EXPECT_EQ(Recorded(flower.JumpTimes()), 2);
    EXPECT_NEAR(Below(flower, 190), 40.0 + 28.2843, 1e-4);
    EXPECT_NEAR(Below(flower, 9000), 80.0, 1e-9);

    // Dips add to the sinking.
    Chasm_HangOn hung(Rest, false);
    Hang(hung, 0, 100);
    hung.PlayerJumped(100);
    EXPECT_NEAR(Below(hung, 200), 80.0, 1e-9);
}

TEST_F(ChasmHangOnTest, AFixedFlowerNeverSinksOrDipsButDrifts)
{
    Chasm_HangOn fixed(Rest, true);
    Hang(fixed, 0, 300);
    fixed.PlayerJumped(300);
    for (Tick t : {150, 300, 330, 500})
        EXPECT_EQ(fixed.PosAtTime(t), Pointf(Rest.x + Sway(fixed, t), Rest.y)) << "tick " << t;
    Fan(fixed, 400, 449);
    EXPECT_EQ(fixed.PosAtTime(500), Pointf(Rest.x + Sway(fixed, 500) - 30.0, Rest.y));
    EXPECT_EQ(Recorded(fixed.HangTimes()) + Recorded(fixed.JumpTimes()), 0);
    EXPECT_EQ(fixed.GetInfo(0), 1u);
}

TEST_F(ChasmHangOnTest, NothingIsRecordedAtOrBeforeItsLatestRecord)
{
    Chasm_HangOn flower(Rest, false);
    Hang(flower, 0, 100);
    // Travelled back: the flower follows its recorded future.
    flower.PlayerHanging(99);
    flower.PlayerHangingWithFan(70);
    flower.PlayerJumped(60);
    EXPECT_EQ(Recorded(flower.HangTimes()), 100);
    EXPECT_EQ(Recorded(flower.FanTimes()) + Recorded(flower.JumpTimes()), 0);
    flower.PlayerJumped(100);
    EXPECT_EQ(Recorded(flower.JumpTimes()), 1) << "past the latest record";

    // A record of any kind bars the others before it, and at its own tick.
    flower.PlayerHangingWithFan(100);
    flower.PlayerHanging(100);
    EXPECT_EQ(Recorded(flower.FanTimes()), 0);
    EXPECT_EQ(Recorded(flower.HangTimes()), 100);
    flower.PlayerHangingWithFan(101);
    EXPECT_EQ(Recorded(flower.FanTimes()), 1);

    // The fixed flower's fan hanging follows the rule as well.
    Chasm_HangOn fixed(Rest, true);
    Fan(fixed, 0, 10);
    fixed.PlayerHangingWithFan(5);
    EXPECT_EQ(Recorded(fixed.FanTimes()), 10);
}

TEST_F(ChasmHangOnTest, TheFanDriftsItLeftEachRunFromRestThenCoastingToAStop)
{
    // 49 ticks: 24 units during the run and 6 more coasting over 9 ticks.
    Chasm_HangOn longer(Rest, false);
    Fan(longer, 0, 49);
    EXPECT_EQ(longer.CalcDrift(49), 24.0);
    EXPECT_EQ(longer.CalcDrift(56), 29.0);
    EXPECT_EQ(longer.CalcDrift(58), 30.0);
    EXPECT_EQ(longer.CalcDrift(100000), 30.0);
    EXPECT_EQ(longer.PosAtTime(500), Pointf(Rest.x + Sway(longer, 500) - 30.0, Rest.y)) << "drift moves it left only";

    // 25 ticks: 6 units, and a coast too short to make a whole unit.
    Chasm_HangOn shorter(Rest, false);
    Fan(shorter, 10, 35);
    EXPECT_EQ(shorter.CalcDrift(35), 6.0);
    EXPECT_EQ(shorter.CalcDrift(100000), 6.0);

    // Still hanging at t: only the speeding up so far counts.
    Chasm_HangOn hanging(Rest, false);
    Fan(hanging, 0, 200);
    EXPECT_EQ(hanging.CalcDrift(49), 24.0);
    EXPECT_EQ(hanging.CalcDrift(80), 55.0) << "25 to top speed, then a unit a tick";
    EXPECT_EQ(hanging.CalcDrift(200), 175.0);
    EXPECT_EQ(hanging.CalcDrift(1000), 182.0) << "coasting from top speed";

    // A second run starts from rest, and cuts the coast of the first short.
    Chasm_HangOn twice(Rest, false);
    Fan(twice, 0, 49);
    Fan(twice, 54, 79);
    EXPECT_EQ(twice.CalcDrift(54), 28.0);
    EXPECT_EQ(twice.CalcDrift(100000), 34.0);
}

TEST_F(ChasmHangOnTest, DrawnWithItsHangPointAFifthUpAndHalfwayAcross)
{
    Chasm_HangOn::Initialise();
    std::unique_ptr<Map> map = ReadFloorMap(); // the origin at the screen's centre, scale 1
    Chasm_HangOn flower(Pointf(0.0, 0.0), false);
    flower.hangPos = Pointf(0.0, 0.0);
    Pointf centre;
    double radius = 0.0;
    double scale = 0.0;
    ASSERT_TRUE(flower.ActivePoint(centre, radius, scale));
    EXPECT_EQ(radius, 4.0 * ChasmPicture_FlowerHeight);
    EXPECT_EQ(scale, 1.0);

    ClearScreen();
    flower.Render(map.get(), 0);
    // 20 wide and 50 high with (320, 240) a fifth of the way up: x 310 to 330, y 230 to 280.
    std::array<int, 3> const red = Colour(ChasmPicture_Flower);
    EXPECT_EQ(Pixel(311, 231), red);
    EXPECT_EQ(Pixel(328, 278), red);
    EXPECT_TRUE(IsBlack(320, 228));
    EXPECT_TRUE(IsBlack(320, 282));
    EXPECT_TRUE(IsBlack(308, 250));
    EXPECT_TRUE(IsBlack(332, 250));
    Chasm_HangOn::Finalise();
}
