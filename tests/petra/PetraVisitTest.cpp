// Visits to the riddle-giver's house played by the keys: the way out, and a whole first visit with the
// three puzzles solved, then a second visit.
#include "engine/Collectable.h"
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Switch.h"
#include "petra/PetraSolveWalk.h"
#include "petra/PetraWorldSupport.h"
#include "petra/Petra_Factory_Scales.h"
#include "petra/Petra_Petra.h"
#include "petra/Petra_Staff_Puzzle.h"

#include <gtest/gtest.h>

namespace
{

class PetraVisitTest : public PetraWorldFixture
{
protected:
    // Walks up to the riddle-giver from the left and asks it to talk.
    void TalkToRiddleGiver()
    {
        WalkTo(Ref(Petra_Rp_Back).x - 10.0);
        Settle();
        Step({KeyIndex_GameAction});
        Step();
    }
    // Steps until the player is let go in a puzzle room (or after a verdict, back in the first).
    void WaitUntilFree(int limit)
    {
        int const steps =
            StepsUntil([&] { return !Hero().scripted && World().GetRiddleGiver()->talkOver == 0; }, limit);
        ASSERT_GE(steps, 0);
    }
    // Steps until the puzzle state is state.
    void WaitForState(int state, int limit)
    {
        int const steps = StepsUntil([&] { return Script().puzzleState == state; }, limit);
        ASSERT_GE(steps, 0) << "waiting for state " << state << ", at " << Script().puzzleState;
    }
    // A gem given asks for a save: true when it did since the last look.
    bool SaveAsked()
    {
        bool const asked = saveGame;
        saveGame = false;
        return asked;
    }
};

} // namespace

TEST_F(PetraVisitTest, WalkingLeftFromTheStartOutOfTheFrontDoorCompletesTheLevel)
{
    MakeWorld();
    Level_Action result = Level_Continue;
    int steps = 0;
    while (result == Level_Continue && steps++ < 500)
        result = Step({KeyIndex_GameLeft});
    EXPECT_EQ(result, Level_Completed);
    EXPECT_LT(Hero().GetPos().x, Petra_ExitX);
    EXPECT_GT(Hero().GetPos().x, Petra_ExitX - 8.0) << "the step it crossed the line";
}

TEST_F(PetraVisitTest, AFirstVisitSolvesTheThreePuzzlesAndASecondVisitIsTheClosingTalk)
{
    GameEvents fresh;
    Build(Level_Petra, fresh);
    Petra& petra = As<Petra>();
    talks = std::make_unique<Petra_Talks>(petra.GetEvents());
    Hero().levelEvents = talks.get();
    saveGame = false;
    PetraSolveWalk walk(petra, [&](std::vector<int> const& held) { return Step(held); });

    // The greeting chains into the scales' introduction, which sends the player to the factory.
    walk.Greet();
    ASSERT_EQ(LastTalk(), 11);
    WaitForState(Petra_State_Scales, 5000);
    EXPECT_EQ(talks->started, (std::vector<int>{11, 0}));
    WaitUntilFree(1000);
    ASSERT_EQ(petra.GetCameraRoom(), 2);

    // Tube k's plate pressed k times.
    walk.FillTubes();
    // The weighing: the weight names the two-kilogram tube, which the arrow is moved to.
    walk.HopOntoScales();
    Petra_Factory_Scales& scales = *petra.GetScales();
    ASSERT_TRUE(scales.active);
    ASSERT_TRUE(scales.valid) << "every tube a different count";
    int const faulty = walk.ReadFaultyTube();
    ASSERT_GE(faulty, 0);
    ASSERT_LT(faulty, Petra_Factory_Tube_Count);
    EXPECT_EQ(faulty, scales.faultyTube);
    walk.PointAt(faulty);
    EXPECT_TRUE(BackBeforeRiddleGiver());

    // The verdict gives the first gem and goes on to the motel's introduction.
    WaitForState(Petra_State_Motel, 3000);
    EXPECT_EQ(talks->started, (std::vector<int>{11, 0, 1, 3}));
    EXPECT_EQ(events.levelFlags[Level_Petra - 1][0], 1);
    EXPECT_EQ(events.gems, 1);
    EXPECT_TRUE(SaveAsked());
    WaitUntilFree(1000);
    ASSERT_EQ(petra.GetCameraRoom(), 3);

    // The motel: Olvane, the ruby ring, Pellion. Hops from plate to plate and over the floor
    // between them, so that no other answer of a question is pressed after the chosen one.
    walk.AnswerMotel();
    for (unsigned int q = 0; q < 3; ++q)
        for (unsigned int k = 0; k < 3; ++k)
            EXPECT_EQ(
                petra.GetSwitch(static_cast<int>(Petra_Group_Answer + 3 * q + k) - 1)->IsActive(petra.GetTick() - 1),
                k == (q == 1 ? 2u : 0u))
                << "question " << q << " answer " << k;
    // Back over the plates to the door's plate, and on it until the verdict.
    walk.BackToMotelDoor();
    WaitForState(Petra_State_Staff, 3000);
    EXPECT_EQ(talks->started, (std::vector<int>{11, 0, 1, 3, 4, 6}));
    EXPECT_EQ(events.levelFlags[Level_Petra - 1][1], 1);
    EXPECT_EQ(events.gems, 2);
    EXPECT_TRUE(SaveAsked());
    WaitUntilFree(1000);
    ASSERT_EQ(petra.GetCameraRoom(), 10);

    // The staffs, carried to the star's holders, and the staff plate.
    for (int s = 0; s < Petra_Staff_Count; ++s)
    {
        Pointf place = Ref(Petra_Staff_BaseRefPt + static_cast<unsigned int>(s));
        place.y += 12.0;
        petra.GetObject(Petra_Staff_Objects_Base + s)->SetPosAtTime(petra.GetTick(), place, Vectorf(0, 0), 0.0, true);
    }
    walk.PressStaffPlate();
    EXPECT_TRUE(petra.GetStaffPuzzle()->Complete());
    WaitForState(Petra_State_Done, 2000);
    EXPECT_EQ(talks->started, (std::vector<int>{11, 0, 1, 3, 4, 6, 7}));
    for (int flag = 0; flag < 3; ++flag)
        EXPECT_EQ(events.levelFlags[Level_Petra - 1][flag], 1) << "flag " << flag;
    EXPECT_EQ(events.gems, 3);
    EXPECT_TRUE(SaveAsked());
    EXPECT_EQ(events[Event_MetPetra], GameEvent_HasHappened);
    Steps(400);
    EXPECT_EQ(talks->started.size(), 7u) << "no talk after the last verdict";

    // A second visit: greeted again, nothing is left, and the riddle-giver says so.
    MakeWorld();
    TalkToRiddleGiver();
    WaitForState(Petra_State_Done, 2000);
    Steps(100);
    EXPECT_EQ(talks->started, (std::vector<int>{12, 9}));
    EXPECT_EQ(events.gems, 3);
    EXPECT_FALSE(SaveAsked());
}
