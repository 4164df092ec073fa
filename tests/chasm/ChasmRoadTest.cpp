// Scripted play of the canyon by the road walker along the generator's roads: down the road and across
// the flowers to the exit; off the ledge into the deep pit.
#include "chasm/ChasmWorldSupport.h"
#include "support/RoadWalker.h"

#include <gtest/gtest.h>

TEST_F(ChasmWorld, TheRoadWalkerTakesTheFanOverTheFlowersToTheExit)
{
    Chasm& chasm = Make();
    RoadWalker walker(chasm, RoadWalker::WorldRoad(Level_Chasm, "exit"));
    int lowest = 0, most = 0;
    Hero()->GetHitPoints(&lowest, &most);
    int const start = lowest;
    int hung = 0;
    bool fanned = false;
    RoadWalk_Result const r = walker.Walk([&](std::vector<int> const& held) {
        Level_Action const a = Step(held);
        int const flower = HangingFrom(chasm) - Chasm_RoadFlowerSlot;
        hung |= flower >= 0 ? 1 << flower : 0;
        fanned = fanned || (flower >= 0 && Hero()->GetHeldObject() == chasm.GetFan());
        int now = 0;
        Hero()->GetHitPoints(&now, &most);
        lowest = std::min(lowest, now);
        return a;
    });
    EXPECT_TRUE(r.done) << r.report;
    EXPECT_EQ(r.action, Level_Completed) << r.report;
    EXPECT_EQ(hung, (1 << Chasm_RoadFlower_Count) - 1) << "hung from every flower of the row";
    EXPECT_TRUE(fanned) << "hung from the flowers with the fan";
    EXPECT_EQ(Hero()->GetHeldObject(), nullptr) << "the fan was left on the far ledge";
    EXPECT_EQ(lowest, start) << "hurt on the road";
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
