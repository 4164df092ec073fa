// The tower's step: its camera zones, the overview spot, the scales' messages and its two exits.
#include "engine/GameEvents.h"
#include "engine/Message.h"
#include "tools/worlds/tower.h"
#include "tower/TowerWorldSupport.h"
#include "tower/Tower_Scales.h"

#include <string>

using namespace TowerWriter;

class TowerStep : public TowerWorld
{
protected:
    // One step with the player's feet put at (x, y) before it; the step's result.
    Level_Action StepAt(double x, double y)
    {
        Hero().pos = Pointf(x, y);
        Hero().speed = Hero().fallSpeed = Hero().jumpSpeed = 0.0;
        return Step();
    }

    int ZoneAt(double x, double y)
    {
        EXPECT_EQ(StepAt(x, y), Level_Continue);
        return World().GetCameraZone();
    }

    // Where the camera has come to, eased over count steps at (x, y).
    std::pair<Pointf, double> ShotAfter(int count, double x, double y)
    {
        for (int i = 0; i < count; i++)
            StepAt(x, y);
        return {world->GetMap()->GetCentrePoint(), world->GetMap()->view.scale};
    }

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        Message const* message = world->GetMessage();
        for (int i = 0; i < message->Waiting(); i++)
            lines.push_back(message->GetWaiting(i).text);
        return lines;
    }
};

TEST_F(TowerStep, ZonesTakeTheirLowerEdgesNotTheirUpperAndTheFirstInTheChainWins)
{
    MakeTower();
    EXPECT_EQ(ZoneAt(730.0, 200.0), 3);
    EXPECT_EQ(ZoneAt(730.0 - 1e-8, 200.0 - 1e-8), 3) << "within the tolerance of a lower edge is on it";
    EXPECT_EQ(ZoneAt(729.9, 250.0), 2);
    EXPECT_EQ(ZoneAt(2050.0, 500.0), 4);
    EXPECT_EQ(ZoneAt(2050.0 - 1e-8, 500.0), 4) << "within the tolerance of an upper edge is past it";
    EXPECT_EQ(ZoneAt(1500.0, 1300.0), 0);
    // Where zones overlap.
    EXPECT_EQ(ZoneAt(1115.0, 2870.0), 24);
    EXPECT_EQ(ZoneAt(2000.0, 2700.0), 14);
    EXPECT_EQ(ZoneAt(0.0, 300.0), 2);
    EXPECT_EQ(ZoneAt(2820.0, 4600.0), 35);
    EXPECT_EQ(ZoneAt(1550.0, 2935.0), 17);
    EXPECT_EQ(World().GetZoneSteps(), 0);
    EXPECT_EQ(ZoneAt(1550.0, 2935.0), 17);
    EXPECT_EQ(World().GetZoneSteps(), 1);

    // Zone 21 only takes a player smaller than a quarter.
    Hero().scale = 0.125;
    EXPECT_EQ(ZoneAt(1460.0, 2830.0), 21);
    Hero().scale = 0.25;
    EXPECT_EQ(ZoneAt(1460.0, 2830.0), 22);
    EXPECT_EQ(ZoneAt(1480.5, 2830.0), 0);
}

TEST_F(TowerStep, TheOverviewSpotSpendsItsBudgetThenShowsZone39)
{
    Tower& tower = MakeTower();
    EXPECT_EQ(ZoneAt(6000.0, 3000.0), 39);
    ShotAfter(200, 6000.0, 3000.0);
    for (int i = 0; i < Tower_OverviewBudget; i++)
    {
        StepAt(6600.0, 2680.0);
        EXPECT_EQ(tower.GetCameraZone(), 39) << "the spot leaves the zone as it was";
    }
    EXPECT_EQ(tower.GetOverviewSteps(), 0);
    EXPECT_EQ(tower.GetZoneSteps(), 200 + Tower_OverviewBudget);
    EXPECT_EQ(tower.GetMap()->hiddenGroup, Tower_Group_HiddenFar);
    EXPECT_LT(tower.GetMap()->view.scale, 0.05) << "the camera pulled out towards the whole tower";
    auto const [centre, zoom] = ShotAfter(300, 6600.0, 2680.0);
    EXPECT_EQ(tower.GetCameraZone(), 39);
    EXPECT_NEAR(centre.x, 6710.0, 1.0);
    EXPECT_NEAR(centre.y, 3090.0, 1.0);
    EXPECT_NEAR(zoom, 0.28, 1e-3);
}

TEST_F(TowerStep, TheFootIsFramedOnlyWhenEnteredFromTheWholeTowerOrZone2)
{
    // From the whole tower, and from zone 2: framed, the front hidden.
    for (double fromY : {-400.0, 300.0})
    {
        Tower& tower = MakeTower();
        EXPECT_EQ(ZoneAt(0.0, fromY), fromY < 0.0 ? 0 : 2);
        auto const [centre, zoom] = ShotAfter(300, -1000.0, 1500.0);
        EXPECT_EQ(tower.GetCameraZone(), 1);
        EXPECT_EQ(tower.GetMap()->hiddenGroup, Tower_Group_HiddenNear);
        EXPECT_NEAR(centre.x, 0.0, 1.0);
        EXPECT_NEAR(centre.y, 1400.0, 1.0);
        EXPECT_NEAR(zoom, 0.18, 1e-3);
    }
    // From zone 3 the camera keeps zone 3's shot; at the first step it keeps the whole tower.
    Tower& tower = MakeTower();
    ShotAfter(300, 1000.0, 500.0);
    auto const [centre, zoom] = ShotAfter(300, -1000.0, 1500.0);
    EXPECT_EQ(tower.GetCameraZone(), 1);
    EXPECT_NEAR(centre.x, 1400.0, 1.0);
    EXPECT_NEAR(zoom, 0.44, 1e-3);
    MakeTower();
    auto const [first, firstZoom] = ShotAfter(300, -1000.0, 1500.0);
    EXPECT_NEAR(first.y, 10000.0, 1.0);
    EXPECT_NEAR(firstZoom, Tower_OverviewZoom, 1e-6);
}

TEST_F(TowerStep, ExitsRightOnlyAliveAndPastTheLineLeftWhateverHisState)
{
    MakeTower();
    EXPECT_EQ(StepAt(Tower_MainExitX, Tower_RoadY), Level_Continue);
    EXPECT_EQ(StepAt(Tower_MainExitX + 1e-3, Tower_RoadY), Level_Completed);
    MakeTower();
    EXPECT_EQ(StepAt(Tower_SecondExitX, Tower_RoadY), Level_Continue);
    EXPECT_EQ(StepAt(Tower_SecondExitX - 1e-3, Tower_RoadY), Level_Restart);

    MakeTower();
    Hero().Die();
    EXPECT_EQ(StepAt(Tower_MainExitX + 10.0, Tower_RoadY), Level_Continue) << "dying beyond the main exit";
    EXPECT_EQ(StepAt(Tower_SecondExitX - 10.0, Tower_RoadY), Level_Restart) << "dying beyond the second";

    // Once the dying is over the level ends with the player's death, before any rule of its own.
    MakeTower();
    Hero().Die();
    Level_Action r = Level_Continue;
    for (int i = 0; i < 200 && r == Level_Continue; i++)
        r = StepAt(Tower_StartX, Tower_RoadY);
    int const zone = World().GetCameraZone();
    int const steps = World().GetZoneSteps();
    EXPECT_EQ(r, Level_Left);
    EXPECT_EQ(StepAt(Tower_MainExitX + 10.0, Tower_RoadY), Level_Left);
    EXPECT_EQ(World().GetCameraZone(), zone);
    EXPECT_EQ(World().GetZoneSteps(), steps);
}

TEST_F(TowerStep, TheScalesRefusalIsExplainedOnceAGame)
{
    Tower& tower = MakeTower();
    Steps(2);
    tower.GetScales()->weightRefused = true;
    Step();
    std::vector<std::string> const lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "You cannot add weight to the scales now.");
    EXPECT_EQ(lines[1], "The lift has to be in the current position as you are about to use it.");
    EXPECT_EQ(events[11], GameEvent_HasHappened);
    Steps(10);
    EXPECT_EQ(Lines().size(), 2u);

    // On a later visit, with the explanation given, nothing is queued.
    Tower& later = MakeTower();
    later.GetScales()->weightRefused = true;
    Steps(10);
    EXPECT_TRUE(Lines().empty());
}

TEST_F(TowerStep, TheScalesHintComesAfterTenThousandStepsInZone15Once)
{
    MakeTower();
    Place(1850.0, WingB_FloorY, 0.5);
    ASSERT_EQ(World().GetCameraZone(), 15);
    ASSERT_EQ(World().GetZoneSteps(), 0);
    Steps(Tower_ScalesHintSteps);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(World().GetZoneSteps(), Tower_ScalesHintSteps);
    Step();
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0], "You need the correct weight on the scales");
    EXPECT_EQ(events[41], GameEvent_HasHappened);
    Steps(300);
    EXPECT_TRUE(Lines().empty()) << "shown for its time and not again";
}
