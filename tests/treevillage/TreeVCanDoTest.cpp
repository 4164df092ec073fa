// The village's hint panel: its task areas, their bounds and their conditions.
#include "engine/GameEvents.h"
#include "support/CanDoFixture.h"
#include "treevillage/TreeV_CanDo.h"
#include "treevillage/TreeV_Events.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

class TreeVCanDoTest : public CanDoFixture<TreeV_CanDo>
{
protected:
    TreeVCanDoTest() : events(&progress, nullptr)
    {
        panel = std::make_unique<TreeV_CanDo>(player.get(), map.get(), font, &progress, &events);
    }

    // The panel holds on to the events.
    ~TreeVCanDoTest() override { panel.reset(); }

    TreeV_Events events;
};

TEST_F(TreeVCanDoTest, TheAreasShowTheirTasksWhileTheyCanBeDone)
{
    // Marbles' house: lower bounds inside, upper outside.
    EXPECT_EQ(Hint(2090.0, 2700.0, 100), "");
    events.SetSlot(TreeV_Event_LiftExplained, 50);
    EXPECT_EQ(Hint(2090.0, 2700.0, 49), "");
    EXPECT_EQ(Hint(2090.0, 2700.0, 100), "Complete Marbles' task");
    EXPECT_EQ(Hint(2090.0 - 1e-9, 2648.0, 100), "Complete Marbles' task");
    EXPECT_EQ(Hint(2444.0, 2700.0, 100), "");
    EXPECT_EQ(Hint(2300.0, 2850.0, 100), "");
    events.SetSlot(TreeV_Event_MarblesWon, 80);
    EXPECT_EQ(Hint(2200.0, 2700.0, 100), "");
    EXPECT_EQ(Hint(2200.0, 2700.0, 79), "Complete Marbles' task");

    // The range: good news only once time travel is learnt, gone with the sword boost.
    bool positive = true;
    EXPECT_EQ(Hint(-5000.0, 900.0, 100, &positive), "Complete the shooting range in under 20 seconds");
    EXPECT_FALSE(positive);
    progress[Event_TimeTravel] = 60;
    Hint(2359.0, 2000.0, 100, &positive);
    EXPECT_TRUE(positive);
    EXPECT_EQ(Hint(2360.0, 2000.0, 100), "");
    progress[1] = 90;
    EXPECT_EQ(Hint(2000.0, 2000.0, 100), "");
    EXPECT_NE(Hint(2000.0, 2000.0, 89), "");

    // The market sign's two boxes beside the sliding puzzle, whose hint shows even when solved.
    events.SetSlot(TreeV_Event_SignDeal, 10);
    EXPECT_EQ(Hint(3400.0, 1200.0, 100), "Fix market sign");
    EXPECT_EQ(Hint(3650.0, 1200.0, 100), "");
    EXPECT_EQ(Hint(3650.0, 1350.0, 100), "Fix market sign");
    EXPECT_EQ(Hint(3700.0, 1350.0, 100), "Fix market sign");
    EXPECT_EQ(Hint(3700.0, 1250.0, 100), "Complete sliding puzzle");
    events.SetSlot(TreeV_Event_SlideyGem, GameEvent_HasHappened);
    EXPECT_EQ(Hint(4000.0, 1100.0, 100, &positive), "Complete sliding puzzle");
    EXPECT_TRUE(positive);

    events.SetSlot(TreeV_Event_PatientAsked, 10);
    EXPECT_EQ(Hint(2200.0, 3100.0, 100), "Join dots on patient's face");
    events.SetSlot(TreeV_Event_PatientSolved, 20);
    EXPECT_EQ(Hint(2200.0, 3100.0, 100), "");
}

} // namespace
