// A first visit to the riddle-giver's house played by the keys as a player solves it: the greeting,
// the tubes filled, the weighing read off the scales and the arrow moved to the faulty tube, the
// motel's right answers (Olvane, the ruby ring, Pellion) with hops from plate to plate so that no
// other answer of a question is pressed after the chosen one, then the staff plate, and out of the
// front door. Used by the visit's test, phase by phase, and by the whole game's builder, which only
// has keys to give. The staffs are not carried: the staff plate is pressed as they lie.
#pragma once

#include "engine/CharStats.h"
#include "engine/KeyData.h"
#include "engine/Level_Type.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "petra/Petra.h"
#include "petra/Petra_Events.h"
#include "petra/Petra_Factory_Scales.h"
#include "petra/Petra_Ids.h"
#include "petra/Petra_Petra.h"
#include "util/Rectf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <vector>

class PetraSolveWalk
{
public:
    using Stepper = std::function<Level_Action(std::vector<int> const& held)>;

    // The right answer of each of the motel's three questions.
    static constexpr unsigned int Motel_Answers[3] = {0, 2, 0};

    PetraSolveWalk(Petra& walked, Stepper stepper) : world(walked), step(std::move(stepper)) {}

    // The whole first visit, from the start to the level's end by the front door.
    void Play()
    {
        Greet();
        ASSERT_FALSE(testing::Test::HasFatalFailure());
        WaitForState(Petra_State_Scales, 5000);
        WaitUntilFree(1000);
        FillTubes();
        ASSERT_FALSE(testing::Test::HasFatalFailure());
        HopOntoScales();
        ASSERT_FALSE(testing::Test::HasFatalFailure());
        int const faulty = ReadFaultyTube();
        ASSERT_GE(faulty, 0) << "the scales show no answerable weight";
        PointAt(faulty);
        WaitForState(Petra_State_Motel, 3000);
        WaitUntilFree(1000);
        AnswerMotel();
        ASSERT_FALSE(testing::Test::HasFatalFailure());
        BackToMotelDoor();
        ASSERT_FALSE(testing::Test::HasFatalFailure());
        WaitForState(Petra_State_Staff, 3000);
        WaitUntilFree(1000);
        PressStaffPlate();
        ASSERT_FALSE(testing::Test::HasFatalFailure());
        WaitForState(Petra_State_Done, 3000);
        LeaveByFrontDoor();
    }

    // Walks up to the riddle-giver from the left and asks it to talk.
    void Greet()
    {
        WalkTo(Ref(Petra_Rp_Back).x - 10.0);
        Settle();
        Step({KeyIndex_GameAction});
        Step();
    }
    // Tube k's plate pressed k times: a hop over plate 0 onto plate 1, then a hop onto each next
    // plate and jumps on the spot where it needs more presses.
    void FillTubes()
    {
        for (int k = 1; k < Petra_Factory_Tube_Count; ++k)
        {
            HopTo(PlateTop(Petra_Group_Tube + static_cast<unsigned int>(k)).x);
            for (int again = 1; again < k; ++again)
                JumpOnTheSpot();
        }
    }
    void HopOntoScales() { HopTo(PlateTop(Petra_Group_Weigh).x); }
    // The faulty tube, from the weight the scales show: each tube's jars weigh a kilogram but the
    // faulty tube's two, and tube k has dropped k jars. -1 when no weighing is open.
    int ReadFaultyTube() const
    {
        Petra_Factory_Scales const& scales = *world.GetScales();
        if (!scales.active)
            return -1;
        int jars = 0;
        for (int k = 0; k < Petra_Factory_Tube_Count; ++k)
            jars += k;
        int const faulty = scales.weight - jars;
        return faulty >= 0 && faulty < Petra_Factory_Tube_Count ? faulty : -1;
    }
    // The arrow moved from the tube it stands under to the tube, and the choice made.
    void PointAt(int tube)
    {
        int const from = world.GetScales()->selected;
        int const key = tube > from ? KeyIndex_GameRight : KeyIndex_GameLeft;
        for (int k = 0; k < std::abs(tube - from); ++k)
        {
            Step({key});
            Step();
        }
        Step({KeyIndex_GameAction});
    }
    // The motel's answers: hops from plate to plate and over the floor between them.
    void AnswerMotel()
    {
        for (double x : MotelHops())
            HopTo(x);
    }
    // Back over the floor between the plates to the door's plate, without touching an answer.
    void BackToMotelDoor()
    {
        std::vector<double> const there = MotelHops();
        for (auto x = there.rbegin() + 1; x != there.rend(); ++x)
            if (!IsAnswer(*x))
                HopTo(*x);
        HopTo(PlateTop(Petra_Group_Motel).x);
    }
    // A run up to the staff plate and a hop onto it.
    void PressStaffPlate()
    {
        WalkTo(PlateTop(Petra_Group_Staff).x - 60.0);
        HopTo(PlateTop(Petra_Group_Staff).x);
    }
    // Left, once the last verdict has sent the player back to the first room, out of the front door.
    void LeaveByFrontDoor(int limit = 20000)
    {
        for (int i = 0; i < limit && result == Level_Continue; ++i)
            Step({KeyIndex_GameLeft});
        EXPECT_EQ(result, Level_Completed) << "the front door not reached";
    }

    // Steps until the puzzle state is state.
    void WaitForState(int state, int limit)
    {
        bool const reached = StepsUntil([&] { return world.GetEvents()->puzzleState == state; }, limit);
        ASSERT_TRUE(reached) << "waiting for state " << state << ", at " << world.GetEvents()->puzzleState;
    }
    // Steps until the player is let go in a puzzle room (or after a verdict, back in the first).
    void WaitUntilFree(int limit)
    {
        bool const free = StepsUntil(
            [&] { return !world.GetPlayer()->scripted && world.GetRiddleGiver()->talkOver == 0; }, limit);
        ASSERT_TRUE(free) << "the player not let go";
    }

    Level_Action result = Level_Continue; // of the last step
    int steps = 0;

private:
    Level_Action Step(std::vector<int> const& held = {})
    {
        EXPECT_EQ(result, Level_Continue) << "a step after the level ended";
        result = step(held);
        ++steps;
        return result;
    }
    bool StepsUntil(std::function<bool()> const& test, int limit)
    {
        for (int i = 0; i < limit && result == Level_Continue; ++i)
        {
            Step();
            if (test())
                return true;
        }
        return false;
    }
    Player& Hero() { return *world.GetPlayer(); }
    Pointf Ref(unsigned int id) const { return world.GetMap()->GetRefPoint(id); }
    // The middle of a plate's top, as it stands up.
    Pointf PlateTop(unsigned int group) const
    {
        Rectf bound;
        world.GetMap()->FindGroupBound(group, &bound);
        return Pointf((bound.x0 + bound.x1) / 2.0, bound.y1);
    }
    double Answer(unsigned int q, unsigned int k) const { return PlateTop(Petra_Group_Answer + 3 * q + k).x; }
    static double Between(double a, double b) { return (a + b) / 2.0; }
    bool IsAnswer(double x) const
    {
        for (unsigned int q = 0; q < 3; ++q)
            if (x == Answer(q, Motel_Answers[q]))
                return true;
        return false;
    }
    // Onto each question's right answer, over the floor past the others (the answers lie left to
    // right, question by question, right of the door's plate), ending on the last question's.
    std::vector<double> MotelHops() const
    {
        std::vector<double> hops{Between(PlateTop(Petra_Group_Motel).x, Answer(0, 0))};
        for (unsigned int q = 0; q < 3; ++q)
            for (unsigned int k = 0; k < 3; ++k)
            {
                if (k == Motel_Answers[q])
                {
                    hops.push_back(Answer(q, k));
                    if (q == 2)
                        return hops;
                }
                if (k < 2)
                    hops.push_back(Between(Answer(q, k), Answer(q, k + 1)));
                else
                    hops.push_back(Between(Answer(q, k), Answer(q + 1, 0)));
            }
        return hops;
    }

public:
    // Walks by the keys, right or left, towards x, letting go in time to come to a stop there.
    void WalkTo(double x, int limit = 2000)
    {
        bool const right = Hero().GetPos().x < x;
        int const key = right ? KeyIndex_GameRight : KeyIndex_GameLeft;
        for (int i = 0; i < limit; ++i)
        {
            double const ahead = right ? x - Hero().GetPos().x : Hero().GetPos().x - x;
            double const braking = Hero().speed * Hero().speed / (2.0 * Hero().GetStats()->decel);
            if (ahead <= braking)
            {
                Settle();
                return;
            }
            ASSERT_EQ(Step({key}), Level_Continue);
        }
        FAIL() << "walking to x " << x << " stopped at " << Hero().GetPos().x;
    }
    // Jumps from where the player stands towards x, steering in the air so as to come down there.
    void HopTo(double x, int limit = 300)
    {
        bool const right = Hero().GetPos().x < x;
        int const key = right ? KeyIndex_GameRight : KeyIndex_GameLeft;
        ASSERT_EQ(Step({KeyIndex_GameJump, key}), Level_Continue);
        for (int i = 0; i < limit && !Hero().onGround; ++i)
        {
            double const ahead = right ? x - Hero().GetPos().x : Hero().GetPos().x - x;
            double const v = std::fabs(Hero().speed);
            double const braking = v * v / (2.0 * Hero().GetStats()->decel) + v;
            if (ahead > braking)
                ASSERT_EQ(Step({KeyIndex_GameJump, key}), Level_Continue);
            else
                ASSERT_EQ(Step({KeyIndex_GameJump}), Level_Continue);
        }
        Settle();
    }
    // Jumps on the spot and waits until the player stands again.
    void JumpOnTheSpot()
    {
        for (int i = 0; i < 2; ++i)
            Step({KeyIndex_GameJump});
        for (int i = 0; i < 3; ++i)
            Step();
        StepsUntil([&] { return Hero().onGround; }, 200);
        for (int i = 0; i < 3; ++i)
            Step();
    }
    // Lets the keys go until the player stands.
    void Settle() { StepsUntil([&] { return std::fabs(Hero().speed) < 1e-9 && Hero().onGround; }, 200); }

private:
    Petra& world;
    Stepper step;
};
