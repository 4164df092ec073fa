// Scripted play of the canyon: down the road and across the flowers to the exit, by the road walker
// along the generator's road and by a walk that hangs from every flower of the row; off the ledge
// into the deep pit.
#include "chasm/ChasmWorldSupport.h"
#include "support/RoadWalker.h"

#include <gtest/gtest.h>

TEST_F(ChasmWorld, TheRoadWalkerTakesTheFanOverTheFlowersToTheExit)
{
    Chasm& chasm = Make();
    RoadWalker walker(chasm, RoadWalker::WorldRoad(Level_Chasm, "exit"));
    bool fanned = false;
    RoadWalk_Result const r = walker.Walk([&](std::vector<int> const& held) {
        Level_Action const a = Step(held);
        fanned = fanned || (HangingFrom(chasm) >= Chasm_RoadFlowerSlot && Hero()->GetHeldObject() == chasm.GetFan());
        return a;
    });
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
    EXPECT_TRUE(fanned) << "hung from the flowers with the fan";
    EXPECT_EQ(Hero()->GetHeldObject(), nullptr) << "the fan was left on the far ledge";
}

TEST_F(ChasmWorld, SteppingOffTheLedgeIntoTheDeepPitFailsTheLevel)
{
    Chasm& chasm = Make();
    RoadWalker walker(chasm, RoadWalker::WorldRoad(Level_Chasm, "pit"));
    RoadWalk_Result const r = walker.Walk([&](std::vector<int> const& held) { return Step(held); });
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Left) << r.report;
    EXPECT_EQ(Hero()->IsPlayerDead(), 0) << "ended by the countdown, not by a death";
    EXPECT_LT(Hero()->GetPos().y, ChasmWriter::Columns()[ChasmWriter::Chasm_GapColumn].floor - 1500.0);
}

TEST_F(ChasmWorld, HangingFromEveryFlowerOfTheRowTheRoadLeadsUnhurtToTheExit)
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
}
