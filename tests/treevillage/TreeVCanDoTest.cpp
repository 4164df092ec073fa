// The village's hint panel: its task areas, their bounds and their conditions.
#include "engine/GameEvents.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "support/SmallMap.h"
#include "support/SpeakingFixture.h"
#include "treevillage/TreeV_CanDo.h"
#include "treevillage/TreeV_Events.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{

class TreeVCanDoTest : public SpeakingFixture
{
protected:
    TreeVCanDoTest() : map(ReadFloorMap()), events(&progress, nullptr)
    {
        Pointf const start(0.0, 0.0);
        player = std::make_unique<Player>(map.get(), &objects, &progress, &sounds, &start, 1.0);
        panel = std::make_unique<TreeV_CanDo>(player.get(), map.get(), font, &progress, &events);
    }

    // The hint at (x, y) and tick t: its text, "" for none, and whether it is good news.
    std::string Hint(double x, double y, Tick t, bool* positive = nullptr)
    {
        Pointf const at(x, y);
        player->SetPos(&at);
        CanDo_Indicate indicate{nullptr, false};
        bool const found = panel->FindMessage(&indicate, t);
        EXPECT_EQ(found, indicate.mess != nullptr);
        if (positive != nullptr)
            *positive = indicate.positive;
        return found ? indicate.mess : "";
    }

    GameEvents progress;
    Game_Sounds sounds;
    ObjectList objects;
    std::unique_ptr<Map> map;
    TreeV_Events events;
    std::unique_ptr<Player> player;
    std::unique_ptr<TreeV_CanDo> panel;
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
