// The house's step: the motel's and the staffs' verdicts after their plates' counts, the weighing that
// holds the player for his choice, the way back to the riddle-giver, the camera rooms and the exit.
#include "engine/Collectable.h"
#include "engine/KeyData.h"
#include "engine/Switch.h"
#include "petra/PetraWorldSupport.h"
#include "petra/Petra_Factory_Scales.h"
#include "petra/Petra_Staff_Puzzle.h"
#include "tools/worlds/petra.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>

namespace
{

constexpr double MotelFloor = PetraWriter::Petra_MotelFloor;
// Steps down on the motel's or the staffs' plate before the verdict, as the game gives it (written
// out, not taken from the code, so that a wrong count in the code fails here).
constexpr int VerdictSteps = 50;

class PetraStepTest : public PetraWorldFixture
{
protected:
    // The motel under way, with an answer stood on for each question (-1 leaves one out).
    Petra& MotelAnswered(std::array<int, 3> answers)
    {
        Petra& petra = MakeWorld();
        Script().puzzleState = Petra_State_Motel;
        for (unsigned int q = 0; q < 3; ++q)
            if (answers[q] >= 0)
                Press(Petra_Group_Answer + 3 * q + static_cast<unsigned int>(answers[q]));
        return petra;
    }
    bool Down(unsigned int group)
    {
        return World().GetSwitch(static_cast<int>(group) - 1)->IsActive(world->GetTick() - 1);
    }
    // Stands on a plate and steps until the player is sent back, counting the steps on which
    // the plate was down; -1 when he is not sent back within limit steps.
    int DownStepsToVerdict(unsigned int group, int limit)
    {
        StandOn(group);
        int down = 0;
        for (int i = 0; i < limit; ++i)
        {
            EXPECT_EQ(Step(), Level_Continue);
            down += Down(group) ? 1 : 0;
            if (BackBeforeRiddleGiver())
                return down;
        }
        return -1;
    }
};

} // namespace

TEST_F(PetraStepTest, TheMotelIsJudgedOnTheFiftiethStepOnTheDoorPlateWithEveryQuestionAnswered)
{
    // Answered, but the door plate never pressed: nothing is judged.
    Petra& petra = MotelAnswered({0, 2, 0});
    StandAt(Ref(Petra_Rp_MotelStart));
    Steps(200);
    EXPECT_EQ(petra.GetMotelCountdown(), VerdictSteps);
    EXPECT_FALSE(BackBeforeRiddleGiver());

    // Thirty steps with the door plate down, off it for a while, then on again: the count goes on
    // where it stood, and the verdict comes with the fiftieth step down in all.
    StandOn(Petra_Group_Motel);
    int down = 0;
    while (down < 30 && Step() == Level_Continue)
        down += Down(Petra_Group_Motel) ? 1 : 0;
    StandAt(Ref(Petra_Rp_MotelStart));
    for (int i = 0; i < 40; ++i)
    {
        Step();
        down += Down(Petra_Group_Motel) ? 1 : 0;
    }
    EXPECT_EQ(petra.GetMotelCountdown(), VerdictSteps - down);
    EXPECT_FALSE(Down(Petra_Group_Motel));
    EXPECT_EQ(DownStepsToVerdict(Petra_Group_Motel, 100), VerdictSteps - down);
    EXPECT_EQ(petra.GetMotelCountdown(), 0);
    EXPECT_EQ(Script().solvedTime[Petra_Event_Motel], GameEvent_HasHappened);
    // The verdict's step still chose the camera by where the player stood before.
    EXPECT_EQ(petra.GetCameraRoom(), 3);
    EXPECT_EQ(Step(), Level_Continue);
    EXPECT_EQ(petra.GetCameraRoom(), 1);
    EXPECT_EQ(LastTalk(), 4) << "the riddle-giver gives the gem";
}

TEST_F(PetraStepTest, AnyOtherAnswerIsJudgedWrongAndAnUnansweredQuestionStopsTheCount)
{
    for (std::array<int, 3> const answers :
         {std::array<int, 3>{0, 2, 1}, std::array<int, 3>{1, 2, 0}, std::array<int, 3>{0, 1, 0}})
    {
        SCOPED_TRACE(testing::Message() << answers[0] << answers[1] << answers[2]);
        Petra& petra = MotelAnswered(answers);
        EXPECT_EQ(DownStepsToVerdict(Petra_Group_Motel, 100), VerdictSteps);
        EXPECT_EQ(Script().solvedTime[Petra_Event_Motel], GameEvent_HasntHappened);
        Step();
        EXPECT_EQ(LastTalk(), 5) << "the riddle-giver moves on";
        EXPECT_EQ(petra.GetCameraRoom(), 1);
    }
    // With the second question unanswered the door plate counts nothing.
    Petra& petra = MotelAnswered({0, -1, 0});
    EXPECT_EQ(DownStepsToVerdict(Petra_Group_Motel, 120), -1);
    EXPECT_EQ(petra.GetMotelCountdown(), VerdictSteps);
    EXPECT_TRUE(Down(Petra_Group_Motel));
}

TEST_F(PetraStepTest, TheMotelAndStaffPlatesDoNothingOutsideTheirPuzzles)
{
    for (int state : {Petra_State_Start, Petra_State_Scales, Petra_State_MotelNext, Petra_State_StaffNext,
                      Petra_State_Staff, Petra_State_Done})
    {
        SCOPED_TRACE(testing::Message() << "state " << state);
        MotelAnswered({0, 2, 0});
        Script().puzzleState = state;
        EXPECT_EQ(DownStepsToVerdict(Petra_Group_Motel, 80), -1);
        EXPECT_EQ(World().GetMotelCountdown(), VerdictSteps);
        if (state == Petra_State_Staff)
            continue;
        EXPECT_EQ(DownStepsToVerdict(Petra_Group_Staff, 80), -1);
        EXPECT_EQ(World().GetStaffCountdown(), VerdictSteps);
    }
}

TEST_F(PetraStepTest, TheStaffPlateJudgesTheStarAfterFiftyStepsDown)
{
    // With the staffs where they start the lines are not complete: back, not solved.
    MakeWorld();
    Script().puzzleState = Petra_State_Staff;
    EXPECT_EQ(DownStepsToVerdict(Petra_Group_Staff, 100), VerdictSteps);
    EXPECT_EQ(Script().solvedTime[Petra_Event_Staff], GameEvent_HasntHappened);
    Step();
    EXPECT_EQ(LastTalk(), 8);

    // With the staffs on holders 0 to 9 it is solved.
    MakeWorld();
    Script().puzzleState = Petra_State_Staff;
    for (int s = 0; s < Petra_Staff_Count; ++s)
    {
        Pointf place = Ref(Petra_Staff_BaseRefPt + static_cast<unsigned int>(s));
        place.y += 12.0;
        World()
            .GetObject(Petra_Staff_Objects_Base + s)
            ->SetPosAtTime(world->GetTick(), place, Vectorf(0, 0), 0.0, true);
    }
    Steps(2);
    EXPECT_TRUE(World().GetStaffPuzzle()->Complete());
    EXPECT_EQ(DownStepsToVerdict(Petra_Group_Staff, 100), VerdictSteps);
    EXPECT_EQ(Script().solvedTime[Petra_Event_Staff], GameEvent_HasHappened);
    Step();
    EXPECT_EQ(LastTalk(), 7);
}

TEST_F(PetraStepTest, AWeighingHoldsThePlayerUntilHisChoiceAndAnyChoiceSendsHimBack)
{
    Petra& petra = MakeWorld();
    Script().puzzleState = Petra_State_Scales;
    Petra_Factory_Scales& scales = *petra.GetScales();
    // Nothing on the pan: no choice can be right.
    Press(Petra_Group_Weigh);
    ASSERT_TRUE(scales.active);
    Pointf const held = Hero().GetPos();
    Steps(40, {KeyIndex_GameLeft});
    EXPECT_TRUE(Hero().scripted);
    EXPECT_EQ(Hero().GetPos().x, held.x) << "the player waits for his choice";
    Step({KeyIndex_GameRight});
    Step();
    Step({KeyIndex_GameRight});
    Step();
    EXPECT_EQ(scales.selected, 2);
    EXPECT_FALSE(BackBeforeRiddleGiver());
    Step({KeyIndex_GameAction});
    EXPECT_FALSE(scales.active);
    EXPECT_FALSE(Hero().scripted);
    EXPECT_TRUE(BackBeforeRiddleGiver());
    EXPECT_EQ(Script().solvedTime[Petra_Event_Scales], GameEvent_HasntHappened);
    Step();
    EXPECT_EQ(LastTalk(), 2);

    // Weighing again later, while the motel is under way, also sends him back, to the motel's talk.
    MakeWorld();
    Script().puzzleState = Petra_State_Motel;
    Press(Petra_Group_Weigh);
    Step({KeyIndex_GameAction});
    EXPECT_TRUE(BackBeforeRiddleGiver());
    Step();
    EXPECT_EQ(LastTalk(), 5);
}

TEST_F(PetraStepTest, TheCameraRoomsAreOpenAtTheirBoundsAndTheFirstThatHoldsThePlayerWins)
{
    EXPECT_EQ(Petra::CameraRoom(Pointf(560, 660)), 1);
    EXPECT_EQ(Petra::CameraRoom(Pointf(300, 660)), 0);
    EXPECT_EQ(Petra::CameraRoom(Pointf(300 + 1e-7, 660)), 0);
    EXPECT_EQ(Petra::CameraRoom(Pointf(300 + 2.4e-7, 660)), 1);
    EXPECT_EQ(Petra::CameraRoom(Pointf(300, 1700)), 0);
    EXPECT_EQ(Petra::CameraRoom(Pointf(301, 1700)), 9);
    EXPECT_EQ(Petra::CameraRoom(Pointf(560, 500)), 0);
    EXPECT_EQ(Petra::CameraRoom(Pointf(2420, 1700)), 0) << "between two guests' rooms";
    EXPECT_EQ(Petra::CameraRoom(Pointf(2419, 1700)), 4);
    EXPECT_EQ(Petra::CameraRoom(Pointf(2421, 1700)), 5);
    EXPECT_EQ(Petra::CameraRoom(Pointf(3500, -199)), 10);

    // In the corridor the camera keeps its height and zoom while it follows the player along.
    Petra& petra = MakeWorld();
    StandAt(Pointf(600, MotelFloor));
    Steps(300);
    EXPECT_EQ(petra.GetCameraRoom(), 9);
    Map const& map = TheMap();
    EXPECT_NEAR(map.view.scale, 2.0, 1e-3);
    EXPECT_NEAR(map.GetCentrePoint().y, 1770.0, 0.5);
    EXPECT_NEAR(map.GetCentrePoint().x, 600.0, 20.0);
    StandAt(Pointf(1200, MotelFloor));
    Steps(300);
    EXPECT_NEAR(map.GetCentrePoint().y, 1770.0, 0.5);
    EXPECT_NEAR(map.GetCentrePoint().x, 1200.0, 20.0);
    // Out of every room the player's own camera takes over.
    StandAt(Pointf(1800, MotelFloor));
    Steps(300);
    EXPECT_EQ(petra.GetCameraRoom(), 0);
    EXPECT_GT(std::fabs(map.view.scale - 2.0), 0.05);
}

TEST_F(PetraStepTest, LeftOfTheExitLineTheLevelIsCompletedInAnyState)
{
    Petra& petra = MakeWorld();
    double const floor = Ref(Petra_Rp_Start).y - 1.0;
    StandAt(Pointf(Petra_ExitX, floor));
    EXPECT_EQ(Steps(20), Level_Continue);
    ASSERT_EQ(Hero().GetPos().x, Petra_ExitX);
    for (int state = Petra_State_Start; state <= Petra_State_Done; ++state)
    {
        Script().puzzleState = state;
        petra.GetScales()->active = state == Petra_State_Scales;
        StandAt(Pointf(Petra_ExitX - 0.1, floor));
        EXPECT_EQ(Step(), Level_Completed) << "state " << state;
    }
}

TEST_F(PetraStepTest, WhenTheLevelStepEndsTheLevelNoRuleOfTheHouseRuns)
{
    // The player dies in the motel and is put each step in the corridor or in a guest's room,
    // with a weighing open: each step held him and chose the room he stood in, until the step
    // that ended the level.
    Petra& petra = MakeWorld();
    Hero().Die();
    Level_Action result = Level_Continue;
    int room = 0;
    for (int i = 0; i < 300 && result == Level_Continue; ++i)
    {
        bool const corridor = i % 2 == 0;
        StandAt(Pointf(corridor ? 600.0 : 2300.0, MotelFloor));
        petra.GetScales()->active = true;
        Hero().scripted = false;
        result = Step();
        if (result != Level_Continue)
            break;
        room = corridor ? 9 : 4;
        ASSERT_EQ(petra.GetCameraRoom(), room);
        ASSERT_TRUE(Hero().scripted);
    }
    EXPECT_EQ(result, Level_Left);
    EXPECT_EQ(petra.GetCameraRoom(), room) << "no room chosen in the last step";
    EXPECT_FALSE(Hero().scripted) << "no weighing held him in the last step";
}

TEST_F(PetraStepTest, TheWeighingsPointerIsDrawnOverThePlayerAndUnderTheMapsForeground)
{
    Petra& petra = MakeWorld();
    StandAt(Ref(Petra_Rp_FactoryStart));
    Steps(300);
    ASSERT_EQ(petra.GetCameraRoom(), 2);
    // The player stands in the air where the pointer hangs under tube 0's mouth, across the rail.
    Pointf const mouth = Ref(Factory_Scales_Tube_RefPt);
    Pointf const body(mouth.x, PetraWriter::Petra_RailY - 12.0);
    Hero().SetPos(&body);
    auto colourAt = [&](double y) {
        Pointf const at = TheMap().WorldToScreen(Pointf(mouth.x, y));
        unsigned char rgb[3] = {};
        glReadPixels(static_cast<int>(at.x), static_cast<int>(at.y), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        return std::array<int, 3>{rgb[0], rgb[1], rgb[2]};
    };
    auto draw = [&](bool weighing) {
        petra.GetScales()->active = weighing;
        world->SetProjection();
        glClear(GL_COLOR_BUFFER_BIT);
        world->Plot();
    };
    auto reddish = [](std::array<int, 3> c) { return c[0] > 180 && c[1] < 110 && c[2] < 110; };
    double const onPlayer = PetraWriter::Petra_RailY + 6.0;
    double const onRail = PetraWriter::Petra_RailY + 2.0;

    draw(false);
    std::array<int, 3> const player = colourAt(onPlayer), rail = colourAt(onRail);
    EXPECT_FALSE(reddish(player));
    draw(true);
    EXPECT_TRUE(reddish(colourAt(onPlayer))) << "the pointer over the player";
    EXPECT_EQ(colourAt(onRail), rail) << "the rail over the pointer";
}
