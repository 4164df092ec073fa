// The canyon's own step: the fall countdown with its frozen picture, the deep zone's camera, the exit
// and the background's place.
#include "chasm/ChasmWorldSupport.h"
#include "engine/MapBase.h"
#include "media/Game_Sounds.h"

#include <gtest/gtest.h>

namespace
{

// Open air in the lower right, halfway up the road over the canyon's floor: inside the deep zone by
// both coordinates, and clear of every polygon.
double const Void_Y = ChasmWriter::ExitFloor() + ChasmWriter::Chasm_Corridor / 2.0;

bool SameView(WorldTransform const& a, WorldTransform const& b)
{
    return a.x == b.x && a.y == b.y && a.scale == b.scale;
}

} // namespace

class ChasmStep : public ChasmWorld
{
protected:
    // Stands the player on the gap's left ledge until the camera has settled on him.
    void SettleByThePit()
    {
        Make();
        Pointf const ledge(ChasmWriter::GapLeftEdge() - 60.0, ChasmWriter::Columns()[5].floor);
        Hero()->pos = ledge;
        ASSERT_EQ(Steps(150), Level_Continue);
        ASSERT_TRUE(Hero()->onGround);
    }

    // Freezes the picture with a fall just over the limit, in the pit below the camera's centre.
    void FreezeOverThePit()
    {
        ASSERT_EQ(FallThrough(InThePit().x, World().GetMap()->GetCentrePoint().y - 100.0, 24.1), Level_Continue);
        ASSERT_EQ(World().GetFallCountdown(), Chasm_Countdown);
    }

    // Holds the player still in open air at p for n steps; the first result that ends the level.
    Level_Action HoldAt(Pointf p, int n, double fall = 0.0)
    {
        for (int i = 0; i < n; ++i)
            if (Level_Action const r = FallThrough(p.x, p.y, fall); r != Level_Continue)
                return r;
        return Level_Continue;
    }
};

TEST_F(ChasmStep, AFallOverTwentyFourFreezesThePictureWhileTheCountdownRunsOutsideTheZone)
{
    SettleByThePit();
    double const y = World().GetMap()->GetCentrePoint().y - 100.0;
    ASSERT_EQ(FallThrough(InThePit().x, y, 24.0), Level_Continue);
    ASSERT_NEAR(Hero()->GetFallSpeed(), 24.0, 1e-9);
    EXPECT_EQ(World().GetFallCountdown(), 0) << "exactly 24 is not over";

    FreezeOverThePit();
    WorldTransform const frozen = World().GetMap()->view;
    for (int i = 1; i <= 25; ++i)
    {
        ASSERT_EQ(Step(), Level_Continue);
        EXPECT_EQ(World().GetFallCountdown(), Chasm_Countdown - i);
        EXPECT_TRUE(SameView(World().GetMap()->view, frozen)) << "step " << i;
    }
}

TEST_F(ChasmStep, OutOfThePictureThirtyStepsOnTheLevelFailsOnTheFiftiethEvenAfterLanding)
{
    SettleByThePit();
    ChasmWriter::ChasmWriter_Room const pit = ChasmWriter::RoadRoom(ChasmWriter::Chasm_GapColumn);
    // Frozen low in the pit, where he lands within the countdown.
    ASSERT_EQ(FallThrough(InThePit().x, pit.y0 + 600.0, 24.1), Level_Continue);
    ASSERT_EQ(World().GetFallCountdown(), Chasm_Countdown);
    for (int i = 1; i < Chasm_Countdown; ++i)
        ASSERT_EQ(Step(), Level_Continue) << "step " << i;
    EXPECT_TRUE(Hero()->onGround);
    EXPECT_EQ(Hero()->IsPlayerDead(), 0);
    EXPECT_EQ(Step(), Level_Left);
}

TEST_F(ChasmStep, StillInThePictureThirtyStepsOnHeGetsTheCameraBackButNotOnItsLowerEdge)
{
    SettleByThePit();
    FreezeOverThePit();
    WorldTransform const frozen = World().GetMap()->view;
    Pointf const inside(InThePit().x, frozen.y + 60.0);
    ASSERT_EQ(HoldAt(inside, Chasm_Countdown - Chasm_CountdownCheck, 2.0), Level_Continue);
    EXPECT_EQ(World().GetFallCountdown(), 0) << "released";
    ASSERT_EQ(HoldAt(inside, 20, 2.0), Level_Continue);
    EXPECT_FALSE(SameView(World().GetMap()->view, frozen)) << "the camera follows him again";

    SettleByThePit();
    FreezeOverThePit();
    Pointf const onEdge(InThePit().x, World().GetMap()->view.y);
    ASSERT_EQ(HoldAt(onEdge, Chasm_Countdown - Chasm_CountdownCheck, 2.0), Level_Continue);
    EXPECT_EQ(World().GetFallCountdown(), Chasm_CountdownCheck) << "on the edge is not above it";
    EXPECT_EQ(HoldAt(onEdge, Chasm_CountdownCheck, 2.0), Level_Left);
}

TEST_F(ChasmStep, ReleasedStillFallingTooFastTheNextCountdownStartsInTheSameStep)
{
    // Nothing moves while a chest's puzzle is open, yet the countdown counts those steps.
    Chasm& chasm = Make();
    Pointf const chest = chasm.GetMap()->GetRefPoint(Chasm_Rp_Chests[0]);
    Hero()->pos = chest;
    ASSERT_EQ(Steps(100), Level_Continue);
    ASSERT_EQ(Step({KeyIndex_GameAction}), Level_Continue);
    ASSERT_EQ(Step(), Level_Continue);
    ASSERT_NE(chasm.GetChestPuzzle(), nullptr);
    Hero()->fallSpeed = 24.1;
    ASSERT_EQ(Step(), Level_Continue);
    ASSERT_EQ(chasm.GetFallCountdown(), Chasm_Countdown);
    for (int i = Chasm_Countdown - 1; i > Chasm_CountdownCheck; --i)
    {
        ASSERT_EQ(Step(), Level_Continue);
        EXPECT_EQ(chasm.GetFallCountdown(), i);
    }
    ASSERT_NE(chasm.GetChestPuzzle(), nullptr);
    ASSERT_EQ(Step(), Level_Continue);
    EXPECT_EQ(chasm.GetFallCountdown(), Chasm_Countdown) << "let off at 20 and frozen again at once";
}

TEST_F(ChasmStep, TheCountdownRunsOnThroughTimeTravelAndAnEndThenLeavesTheSoundsOn)
{
    SettleByThePit();
    sounds.mute = 0;
    ASSERT_EQ(Steps(200), Level_Continue);
    // Frozen below the picture; he stays there while time travels.
    ASSERT_EQ(FallThrough(InThePit().x, World().GetMap()->view.y - 100.0, 24.1), Level_Continue);
    ASSERT_EQ(Step({KeyIndex_GameBackInTime}), Level_Continue);
    ASSERT_TRUE(World().IsTimeTravelling());
    EXPECT_EQ(sounds.mute, 1);
    int steps = 1;
    Level_Action result = Level_Continue;
    while (result == Level_Continue && steps < 200)
    {
        result = Step({KeyIndex_GameBackInTime});
        ++steps;
    }
    EXPECT_EQ(result, Level_Left);
    EXPECT_EQ(steps, Chasm_Countdown) << "every travel step counts";
    EXPECT_TRUE(World().IsTimeTravelling());
    Destroy();
    EXPECT_EQ(sounds.mute, 0);
}

TEST_F(ChasmStep, TheDeepZoneHoldsAWideViewEveryStepAndItsBoundsAreOpen)
{
    auto const zoneHolds = [&](Pointf p, double fall) {
        Make();
        EXPECT_EQ(HoldAt(p, 150, fall), Level_Continue);
        Pointf const c = World().GetMap()->GetCentrePoint();
        return std::abs(World().GetMap()->view.scale - Chasm_ZoneScale) < 1e-3 && c.Distance(&Chasm_ZoneView) < 2.0;
    };
    EXPECT_TRUE(zoneHolds(Pointf(Chasm_ZoneX + 0.5, Void_Y), 0.0));
    EXPECT_FALSE(zoneHolds(Pointf(Chasm_ZoneX, Void_Y), 0.0));
    EXPECT_TRUE(zoneHolds(Pointf(Chasm_ZoneX + 100.0, Chasm_ZoneY - 0.5), 0.0));
    EXPECT_FALSE(zoneHolds(Pointf(Chasm_ZoneX + 100.0, Chasm_ZoneY), 0.0));
    // Inside the zone its view is set even while a countdown runs.
    EXPECT_TRUE(zoneHolds(Pointf(Chasm_ZoneX + 100.0, Void_Y), 24.1));
    EXPECT_GT(World().GetFallCountdown(), 0);
}

TEST_F(ChasmStep, TheExitPassesOnlyALivePlayerDeepAndRightOf5700)
{
    Make();
    EXPECT_EQ(HoldAt(Pointf(Chasm_ExitX, Void_Y), 3), Level_Continue);
    EXPECT_EQ(HoldAt(Pointf(Chasm_ExitX + 100.0, Chasm_ZoneY), 3), Level_Continue);
    EXPECT_EQ(HoldAt(Pointf(Chasm_ExitX + 0.5, Void_Y), 1), Level_Completed);

    Make();
    Hero()->Die();
    ASSERT_EQ(Hero()->IsPlayerDead(), 1);
    EXPECT_EQ(HoldAt(Pointf(Chasm_ExitX + 10.0, Void_Y), 5), Level_Continue);
}

TEST_F(ChasmStep, TheBackgroundRisesAsTheCameraGoesDownAndNeverMovesSideways)
{
    EXPECT_EQ(Chasm::BackgroundPos(Pointf(123.0, -8080.0)), Pointf(-6.0, 0.0));
    EXPECT_EQ(Chasm::BackgroundPos(Pointf(-4000.0, -8080.0 + 480.0)), Pointf(-6.0, -10.0));
    EXPECT_EQ(Chasm::BackgroundPos(Pointf(5000.0, -8080.0 - 96.0)), Pointf(-6.0, 2.0));
    // Drawn over the whole level.
    Make().Plot();
}
