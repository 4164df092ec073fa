// The fight as the den is laid out for it: the throwing spot sees the head through the whole cycle and nothing
// of the dragon's reaches it, the road leads there, throws from there kill the dragon within its first cycle,
// and the completed den hands over to the closing village and then the map.
#include "final/FinalShell.h"
#include "final/FinalWorldSupport.h"
#include "shell/Globals.h"
#include "shell/ScreenFlow.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

class FinalFightTest : public FinalWorldFixture
{
protected:
    void TearDown() override
    {
        delete level;
        level = nullptr;
        FinalShell_FreeMapScreen();
        gameEvents = nullptr;
        worldMaker = BuildWorld;
        endingPlayed = false;
        curLevel = Level_None;
        levelAction = Level_Continue;
        FinalWorldFixture::TearDown();
    }

    // The hero at rest on the ledge at x, facing the dragon.
    void StandOnLedge(double x)
    {
        Place(Pointf(x, FinalWriter::Ledge_Top + 1.0));
        Steps(10);
        ASSERT_TRUE(Hero()->onGround);
        Place(Hero()->GetPos());
    }
};

struct Made
{
    Level_Type type;
    bool ending;
};
std::vector<Made> made;

// The game's own maker, noting what it was asked for.
Level* NotingMaker(GameEvents* events, Level_Type type, bool ending)
{
    made.push_back({type, ending});
    return BuildWorld(events, type, ending);
}

} // namespace

TEST_F(FinalFightTest, FromTheThrowingSpotTheHeadIsInSightTheWholeCycleAndNoFlameOrRockComesNear)
{
    Den();
    Map const* map = world->GetMap();
    for (double x : {FinalWriter::Spot_Left, FinalWriter::Spot_X, FinalWriter::Spot_Right})
    {
        StandOnLedge(x);
        Pointf const body = Hero()->GetRelativePos(0.0, 0.5);
        int unseen = 0;
        int hurt = 0;
        for (Tick t = 0; t < Final_Dragon::Dragon_FullCycle_Time; ++t)
        {
            unseen += Hero()->IsVisible(map, t, Dragon(), 1.0) ? 0 : 1;
            hurt += Dragon()->IsPlayerHit(t, &body);
        }
        EXPECT_EQ(unseen, 0) << "ticks the head is out of sight from x " << x;
        EXPECT_EQ(hurt, 0) << "ticks a flame or rock reaches x " << x;
    }
    // The same hero down on the arena's floor in front of the dragon is burnt and struck.
    Place(Pointf(FinalWriter::Dragon_X + 150.0, FinalWriter::Floor_Y + 1.0));
    Step();
    Pointf const body = Hero()->GetRelativePos(0.0, 0.5);
    int hurt = 0;
    for (Tick t = 0; t < Final_Dragon::Dragon_FullCycle_Time; ++t)
        hurt += Dragon()->IsPlayerHit(t, &body);
    EXPECT_GT(hurt, 0);
}

TEST_F(FinalFightTest, TheRoadLeadsFromTheStartToTheSpotWhereAThrowHitsTheHead)
{
    Den();
    RoadWalker walker(*world, RoadWalker::WorldRoad(Level_Final, "throwing spot"));
    RoadWalk_Result const r = walker.Walk([this](std::vector<int> const& held) { return Step(held); });
    ASSERT_TRUE(r.done) << r.report;
    EXPECT_GE(r.at.x, FinalWriter::Spot_Left);
    EXPECT_LE(r.at.x, FinalWriter::Spot_Right);
    // The axe is still in flight as the road ends; its hit is stamped at its arrival.
    EXPECT_EQ(Dragon()->GetHitPoints(world->GetTick() + 100), Final_Dragon::Dragon_HitPoints - 1);
}

TEST_F(FinalFightTest, ThrowsFromTheSpotKillTheDragonInItsFirstCycleAndTheDenLeadsToTheClosingVillage)
{
    Final& den = Den();
    WalkToSpot();
    ASSERT_GE(Hero()->GetPos().x, FinalWriter::Spot_Left);
    ASSERT_LE(Hero()->GetPos().x, FinalWriter::Spot_Right);
    ASSERT_TRUE(Final::InArena(Hero()->GetPos()));

    int hearts = 0;
    int most = 0;
    Hero()->GetHitPoints(&hearts, &most);
    ThrowUntilDead(Final_Dragon::Dragon_FullCycle_Time);
    Tick const death = den.GetTick();
    EXPECT_TRUE(Dragon()->Dead(death));
    EXPECT_LT(death, Final_Dragon::Dragon_FullCycle_Time - Final_Dragon::Dragon_Recharge_Time)
        << "the dragon outlived its first cycle";
    EXPECT_EQ(den.GetFinishCounter(), 0) << "noticed in the step that reached the death";
    EXPECT_EQ(Hero()->IsPlayerDead(), 0);
    int left = 0;
    Hero()->GetHitPoints(&left, &most);
    EXPECT_EQ(left, hearts) << "nothing reached him on the spot";

    for (int c = 1; c < Final_Finish_Steps; ++c)
        ASSERT_EQ(Step(FinalThrowKeys(c)), Level_Continue) << "closing step " << c;
    ASSERT_EQ(Step(), Level_Completed);
    EXPECT_EQ(den.GetTick(), death) << "the clock stood still through the closing sequence";

    // The shell's hand-over after the fade-out: the village's closing form, then the map.
    gameEvents = &events;
    worldMaker = NotingMaker;
    made.clear();
    level = world.release();
    curLevel = Level_Final;
    levelAction = Level_Completed;
    FinishedLevel();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].type, Level_TreeV);
    EXPECT_TRUE(made[0].ending);
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(mapScreen, nullptr);
    EXPECT_EQ(level->Poll(KeyData()), Level_Continue);
    levelAction = Level_Left;
    FinishedLevel();
    EXPECT_EQ(made.size(), 1u);
    EXPECT_EQ(level, nullptr);
    EXPECT_NE(mapScreen, nullptr);
}
