// Podiums: which balls count, writing the record in play, and leaving played ticks alone through travel.
#include "engine/Collectable.h"
#include "engine/Door.h"
#include "engine/Player_Sprites.h"
#include "engine/TimeFrames.h"
#include "killig/Kilig_Podium.h"
#include "support/MapFiles.h"
#include "support/SmallMap.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

constexpr unsigned int DoorGroup = 2;

class KiligPodiumTest : public testing::Test
{
protected:
    void SetUp() override { Collectable::Initialise(&frames); }
    void TearDown() override { Collectable::Initialise(nullptr); }

    Collectable* Ball(Pointf at)
    {
        items.push_back(
            std::make_unique<Collectable>(at, nullptr, 0, Collectable_Flags(Collectable_Red | Collectable_Blue)));
        return items.back().get();
    }

    // The live player standing at the origin, recorded from tick `from` up to `to`; the head he
    // carries things on.
    Pointf Stand(Tick from, Tick to)
    {
        Char_Base self;
        self.pos = Pointf(0.0, 0.0);
        for (Tick t = from; t < to; t++)
            frames.AddEcho(&self);
        return Player_Sprites::GetHead(&self);
    }

    static void Live(Kilig_Podium& podium, Tick t) { podium.MoveToTime(nullptr, t); }
    static void Shown(Kilig_Podium& podium, Tick t) { podium.MoveToTime(nullptr, t, Object_Step{true, nullptr}); }

    Pointf const spot{100.0, 50.0};
    TimeFrames frames;
    std::vector<std::unique_ptr<Collectable>> items;
};

} // namespace

TEST_F(KiligPodiumTest, ABallCountsWithinReachLimitIncludedUnlessTheLivePlayerHoldsIt)
{
    Kilig_Podium podium(spot);
    auto counts = [&](double dx, double dy) { return podium.BallCounts(Ball(Pointf(spot.x + dx, spot.y + dy)), 0); };
    EXPECT_FALSE(counts(12.0, 9.0)) << "15 away in a straight line, 21 by the sum";
    EXPECT_TRUE(counts(10.0, 10.0));
    EXPECT_TRUE(counts(-10.0, -10.0));
    EXPECT_TRUE(counts(20.0 + 1.0 / 16777216.0, 0.0)) << "within the tolerance of the limit";
    EXPECT_FALSE(counts(20.0 + 1e-6, 0.0));
    EXPECT_FALSE(podium.BallCounts(nullptr, 0));

    Collectable* held = Ball(spot);
    held->SetPlayerHolding(true);
    podium.AddBall(held);
    for (Tick t = 0; t < 20; t++)
        Live(podium, t);
    EXPECT_EQ(podium.NextActiveTime(0), -1) << "a ball in his hands right over it";

    Kilig_Podium bare(spot);
    for (Tick t = 0; t < 20; t++)
        Live(bare, t);
    EXPECT_EQ(bare.NextActiveTime(0), -1);
}

TEST_F(KiligPodiumTest, ABallOnAPastSelfsHeadCountsByTheHead)
{
    Pointf const head = Stand(0, 60);
    Collectable* ball = Ball(Pointf(500.0, 12.0));
    for (Tick t = 20; t < 30; t++)
        ball->PlayerHold(t);
    Kilig_Podium podium(Pointf(head.x + 5.0, head.y + 5.0));
    EXPECT_FALSE(podium.BallCounts(ball, 19));
    EXPECT_TRUE(podium.BallCounts(ball, 20));
    EXPECT_TRUE(podium.BallCounts(ball, 30)) << "the ball stays on the head a tick after the carry";
    EXPECT_FALSE(podium.BallCounts(ball, 31));
}

TEST_F(KiligPodiumTest, PlayWritesFromTheFirstTickOnAndAMoveBackWritesNothing)
{
    Collectable* far = Ball(Pointf(spot.x + 300.0, spot.y));
    Collectable* ball = Ball(spot);
    Kilig_Podium podium(spot);
    podium.AddBall(far);
    podium.AddBall(ball);

    Live(podium, 30);
    EXPECT_EQ(podium.ActiveCount(31), 31) << "the first call writes ticks 0 to 30";
    EXPECT_FALSE(podium.IsActive(31));
    for (Tick t = 31; t <= 40; t++)
        Live(podium, t);

    // Picked up at 41: inactive from there, the ticks it lay there kept.
    ball->SetPlayerHolding(true);
    Live(podium, 41);
    EXPECT_FALSE(podium.IsActive(41));
    EXPECT_EQ(podium.ActiveCount(41), 41);

    // Back to 20 with the ball still in his hands: nothing changes until play writes 21.
    Live(podium, 20);
    EXPECT_EQ(podium.ActiveCount(42), 41);
    Live(podium, 21);
    EXPECT_FALSE(podium.IsActive(21));
    EXPECT_TRUE(podium.IsActive(20));
    EXPECT_TRUE(podium.IsActive(22)) << "later ticks keep their verdicts until played again";
}

TEST_F(KiligPodiumTest, TravelLeavesEveryPlayedTickAsPlayedAndPlayResumesWhereItEnded)
{
    Pointf const head = Stand(0, 120);
    Collectable* ball = Ball(Pointf(300.0, 12.0));
    Kilig_Podium podium(head);
    podium.AddBall(ball);

    // Carried over the podium from 20 to 30, dropped away from it, set on it at 50.
    std::vector<bool> played;
    for (Tick t = 0; t <= 100; t++)
    {
        bool const holding = t >= 20 && t <= 30;
        ball->SetPlayerHolding(holding);
        if (holding)
            ball->PlayerHold(t);
        if (t == 31)
            ball->SetPosAtTime(t, Pointf(400.0, 12.0), Vectorf(0.0, 0.0), 0.0, true);
        if (t == 50)
            ball->SetPosAtTime(t, head, Vectorf(0.0, 0.0), 0.0, true);
        Live(podium, t);
        played.push_back(podium.IsActive(t));
    }
    ASSERT_FALSE(played[25]);
    ASSERT_TRUE(played[31]) << "on the head a tick after the carry, and no longer held";
    ASSERT_FALSE(played[40]);
    ASSERT_TRUE(played[60]);

    // Back 16 ticks a step, forward 8 a step, ending the travel at 92: his hands are empty
    // while the past self carries the ball over the podium again.
    Tick t = 100;
    for (; t > 4; t -= 16)
        Shown(podium, t);
    for (; t < 92; t += 8)
        Shown(podium, t);
    Shown(podium, t);
    for (Tick k = 0; k <= 100; k++)
        ASSERT_EQ(podium.IsActive(k), played[k]) << "tick " << k << " changed by travel";

    ball->SetPlayerHolding(true);
    Live(podium, t + 1);
    EXPECT_FALSE(podium.IsActive(t + 1));
    EXPECT_TRUE(podium.IsActive(t)) << "the tick the travel ended on keeps its verdict";
    EXPECT_TRUE(podium.IsActive(t + 2));
}

TEST_F(KiligPodiumTest, ADoorWorkedByItFollowsEveryRewriteOfItsRecord)
{
    MapWriter writer = FloorWriter();
    writer.AddBox(-10.0, 0.0, 10.0, 80.0, 0, DoorGroup, true, false, 64.0);
    std::unique_ptr<Map> map = MapFiles::Load<Map>(writer);
    Collectable* ball = Ball(spot);
    Kilig_Podium podium(spot);
    podium.AddBall(ball);
    Door door(map.get(), DoorGroup, 50.0, Direction_Up, 1.0);
    door.AddActivator(&podium);

    // Set down and taken up again every few ticks, the door asked at each tick as in play.
    auto play = [&](Tick from, Tick to, int period) {
        for (Tick t = from; t < to; t++)
        {
            ball->SetPlayerHolding((t / period) % 2 == 1);
            Live(podium, t);
            door.GetPos(t);
        }
    };
    play(0, 3000, 7);
    Live(podium, 1000);
    play(1001, 2500, 23);

    Door fresh(map.get(), DoorGroup, 50.0, Direction_Up, 1.0);
    fresh.AddActivator(&podium);
    for (Tick t = 0; t < 3000; t++)
        ASSERT_EQ(door.GetPos(t), fresh.GetPos(t)) << "tick " << t;
}
