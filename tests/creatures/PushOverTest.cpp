// The push-over pillar: where a push counts, the bouncing fall, once only, and the scripted player
// pushing it from each side off a ledge, carried and replayed.
#include "creatures/CreatureTestSupport.h"

#include <cmath>
#include <iomanip>

class PushOverTest : public CreatureTestSupport
{
protected:
    // Walks the player the given way until he pushes the pillar; the tick of the push.
    Tick WalkInto(ReplayHarness& harness, int key)
    {
        for (int i = 0; i < 1500 && world->pushOver->GetPushTime() < 0; ++i)
            harness.Step(std::vector<int>{key});
        return world->pushOver->GetPushTime();
    }
};

TEST_F(PushOverTest, PushedOnlyInItsUpperTwoThirdsAwayFromThePlayerAndOnce)
{
    Creature_World& w = MakeWorld({CreatureZone_PushOver});
    PushOver& pillar = *w.pushOver;
    Rectf const bound = pillar.GetBound();
    EXPECT_NEAR(bound.y1 - bound.y0, PushOver_Height, 0.5) << "its own bound, without the cover";
    double const Left = bound.x0;
    double const Right = bound.x1;
    double const third = bound.y0 + bound.Height() / 3.0;
    double const middle = (Left + Right) / 2.0;
    for (Pointf p : {Pointf(middle, third), Pointf(middle, third - 1.0), Pointf(Left, 100.0), Pointf(Right, 100.0),
                     Pointf(middle, bound.y1), Pointf(Left + 1e-8, 100.0), Pointf(Left - 1.0, 100.0),
                     Pointf(middle, third + 1e-8)})
    {
        pillar.PlayerAtPos(10, &p);
        ASSERT_EQ(pillar.GetPushTime(), -1) << std::setprecision(17) << p.x - Left << ", " << p.y;
    }
    Pointf const centreLine(middle, third + 1.0);
    pillar.PlayerAtPos(20, &centreLine);
    EXPECT_EQ(pillar.GetPushTime(), 20);
    EXPECT_FALSE(pillar.FallsLeft()) << "the centre line is the left half";
    EXPECT_EQ(pillar.GetCentre(), Pointf(Right - bound.Width() / 10.0, bound.y0));
    Pointf const rightHalf(Right - 1.0, 100.0);
    pillar.PlayerAtPos(30, &rightHalf);
    EXPECT_EQ(pillar.GetPushTime(), 20) << "a second push";

    // A quarter turn in about 17.7 ticks, then rebounds of a quarter the height each.
    EXPECT_EQ(pillar.AngleAtTime(19), 0.0);
    EXPECT_EQ(pillar.AngleAtTime(20), 0.0);
    EXPECT_NEAR(pillar.AngleAtTime(37), 0.005 * 17 * 17, 1e-9);
    EXPECT_GT(pillar.AngleAtTime(38), Util::QuarterTurn - 0.03) << "the first touch at 17.7";
    double lowest = Util::QuarterTurn;
    double highest = 0.0;
    for (Tick t = 20; t < 20 + 17; ++t)
        EXPECT_LT(pillar.AngleAtTime(t), pillar.AngleAtTime(t + 1));
    for (Tick t = 38; t < 70; ++t)
    {
        lowest = std::min(lowest, pillar.AngleAtTime(t));
        highest = std::max(highest, pillar.AngleAtTime(t));
    }
    EXPECT_NEAR(lowest, Util::QuarterTurn - Util::QuarterTurn / 4.0, 0.01);
    EXPECT_LE(highest, Util::QuarterTurn + Util::Eps);
    double second = Util::QuarterTurn;
    for (Tick t = 70; t < 100; ++t)
        second = std::min(second, pillar.AngleAtTime(t));
    EXPECT_GT(second, lowest);
    EXPECT_NEAR(pillar.AngleAtTime(400), Util::QuarterTurn, 1e-6);

    MakeWorld({CreatureZone_PushOver});
    world->pushOver->PlayerAtPos(5, &rightHalf);
    EXPECT_TRUE(world->pushOver->FallsLeft());
    EXPECT_EQ(world->pushOver->GetCentre(), Pointf(Left + bound.Width() / 10.0, bound.y0));
    EXPECT_NEAR(world->pushOver->AngleAtTime(400), -Util::QuarterTurn, 1e-6);
}

TEST_F(PushOverTest, TheScriptedPlayerPushesItFromEachSideIsCarriedAndItReplays)
{
    for (int run = 0; run < 2; ++run)
    {
        Creature_World& w = MakeWorld({CreatureZone_PushOver});
        ReplayHarness harness(w, keyScript);
        ReplayWatch_CreatureWorld(harness, w);
        Player* player = w.GetPlayer();
        if (run == 1)
        {
            Pointf const start = w.Ref(CreatureZone_PushOver, PushOverRef_RightStart);
            player->SetPos(&start);
        }
        Tick const push = WalkInto(harness, run == 0 ? KeyIndex_GameRight : KeyIndex_GameLeft);
        ASSERT_GE(push, 0) << "run " << run;
        EXPECT_EQ(w.pushOver->FallsLeft(), run == 1);
        Pointf const pushedAt = player->GetPos();
        EXPECT_NEAR(pushedAt.y, PushOver_FootHeight, 1.0) << "on the pillar's foot, off the ledge";

        for (int i = 0; i < 300; ++i)
            harness.Step(std::vector<int>{});
        harness.TravelEachSeed(100);
        EXPECT_EQ(harness.mismatch, "");
        EXPECT_GT(harness.compared, 15 * harness.seedsTravelled);
        // Until the push the polygons stood where the map file has them.
        for (auto const& [t, digest] : harness.recorded)
        {
            if (t > push)
                break;
            ASSERT_EQ(ReplayHarness::Difference(harness.recorded.begin()->second, digest, t).find("group"),
                      std::string::npos)
                << "tick " << t;
        }
    }
}

TEST_F(PushOverTest, APlayerStandingOnItIsCarriedRoundItsCorner)
{
    Creature_World& w = MakeWorld({CreatureZone_PushOver});
    Player* player = w.GetPlayer();
    Rectf const bound = w.pushOver->GetBound();
    // On the foot, right of the middle: it falls towards -x.
    Pointf const on(bound.x1 - 8.0, PushOver_FootHeight);
    player->SetPos(&on);
    while (w.pushOver->GetPushTime() < 0 && w.GetTick() < 20)
        Step();
    Tick const push = w.pushOver->GetPushTime();
    ASSERT_GE(push, 0);
    EXPECT_TRUE(w.pushOver->FallsLeft());
    Pointf const pushedAt = player->GetPos();
    Pointf const centre = w.pushOver->GetCentre();
    for (int i = 0; i < 6; ++i)
    {
        Step();
        Tick const t = w.GetTick() - 1;
        Pointf turned = pushedAt;
        turned.Rotate(&centre, w.pushOver->AngleAtTime(t));
        EXPECT_NEAR(player->GetPos().x, turned.x, 1.0) << "tick " << t;
        EXPECT_NEAR(player->GetPos().y, turned.y, 1.0) << "tick " << t;
    }
    EXPECT_LT(player->GetPos().x, pushedAt.x - 3.0);
}
