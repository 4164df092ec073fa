// Scripted play of the canyon: down the road and across the flowers to the exit, and off the ledge into
// the deep pit.
#include "ChasmWorldSupport.h"

#include <gtest/gtest.h>

TEST_F(ChasmWorld, TheRoadAcrossTheFlowersLeadsUnhurtToTheExit)
{
    Chasm& chasm = Make();
    ChasmRoad road = RoadTo(Chasm_ExitX + 100.0);
    int lowest = 0, most = 0;
    Hero()->GetHitPoints(&lowest, &most);
    int const start = lowest;
    int hung = 0;
    Level_Action result = Level_Continue;
    for (int i = 0; i < 5000 && result == Level_Continue; ++i)
    {
        result = Step(road.Next(chasm));
        int now = 0;
        Hero()->GetHitPoints(&now, &most);
        lowest = std::min(lowest, now);
        hung |= HangingFrom(chasm) >= Chasm_RoadFlowerSlot ? 1 << (HangingFrom(chasm) - Chasm_RoadFlowerSlot) : 0;
    }
    EXPECT_EQ(result, Level_Completed);
    EXPECT_EQ(hung, (1 << Chasm_RoadFlower_Count) - 1) << "hung from every flower of the row";
    EXPECT_EQ(lowest, start) << "hurt on the road";
    EXPECT_GT(Hero()->GetPos().x, Chasm_ExitX);
}

TEST_F(ChasmWorld, SteppingOffTheLedgeIntoTheDeepPitFailsTheLevel)
{
    Make();
    int steps = 0;
    Level_Action result = Level_Continue;
    for (; steps < 2000 && result == Level_Continue; ++steps)
        result = Step({KeyIndex_GameRight});
    EXPECT_EQ(result, Level_Left);
    EXPECT_EQ(Hero()->IsPlayerDead(), 0) << "ended by the countdown, not by a death";
    EXPECT_LT(Hero()->GetPos().y, ChasmWriter::Columns()[ChasmWriter::Chasm_GapColumn].floor - 1500.0);
}
