// The first visit: the hero walks in and stops at the mark, the master talks him through time travel while the
// two walk and stop at the talk's ticks, skipping lines, and the rebuild into the dungeon.
#include "engine/CharStats.h"
#include "engine/Message.h"
#include "killig/KiligWorldSupport.h"
#include "killig/Kilig_Dude.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

namespace
{

// The introduction's script tick at which the world is rebuilt with the artefact learnt, as the
// game gives it.
constexpr int IntroRestartTick = 12125;

// The talk's ticks at which the two start (true) or stop walking, in order.
std::vector<std::pair<int, bool>> const Cues = {
    {1250, true}, {2375, false}, {2583, true}, {2708, false},  {2916, true},  {3291, false},
    {3750, true}, {7000, false}, {7500, true}, {10000, false}, {10250, true}, {11500, false},
};

class KiligIntroTest : public KiligWorldFixture
{
protected:
    Kilig_Dude* Master() { return World().GetMaster(); }

    // Steps until the introduction reaches state; false if it does not within limit steps.
    bool StepTo(int state, int limit = 500)
    {
        for (int i = 0; i < limit && World().GetIntroState() < state; ++i)
            if (Step() != Level_Continue)
                return false;
        return World().GetIntroState() == state;
    }

    // The state and walking the introduction must show once the talk has run to tick.
    static int StateAt(int tick)
    {
        int state = Kilig_Intro_Talking;
        for (auto const& cue : Cues)
            if (cue.first <= tick)
                ++state;
        return state;
    }
    static bool WalkingAt(int tick)
    {
        bool walking = false;
        for (auto const& cue : Cues)
            if (cue.first <= tick)
                walking = cue.second;
        return walking;
    }

    // The master walks and stands as the cues say; standing he faces the hero.
    void ExpectCueFollowed(int tick)
    {
        bool const walking = WalkingAt(tick);
        EXPECT_EQ(Master()->keys, walking ? std::uint32_t(Character_Right) : 0u) << "talk tick " << tick;
        if (!walking && tick >= Cues[1].first)
        {
            EXPECT_NE(Master()->frame & LeftFrame, 0u) << "talk tick " << tick;
        }
    }

    bool Shows(char const* text)
    {
        Message const* queue = world->GetMessage();
        for (int i = 0; i < queue->Waiting(); ++i)
            if (std::strcmp(queue->GetWaiting(i).text, text) == 0)
                return true;
        return false;
    }
};

} // namespace

TEST_F(KiligIntroTest, TheHeroAtTheMarkWaitsTheFirstTickBeyondStopsHimAndTheMasterSpeaks70TicksLater)
{
    House();
    double const mark = Rp(Kilig_Rp_StopMark).x;
    double const floor = Hero()->GetPos().y;
    Steps(5);
    // Within the tolerance of the mark is not beyond it.
    for (int i = 0; i < 3; ++i)
    {
        Hero()->pos = Pointf(mark + 1e-8, floor);
        Step();
        ASSERT_EQ(World().GetIntroState(), Kilig_Intro_WalkingIn);
    }
    Hero()->pos = Pointf(mark + 1e-6, floor);
    Step();
    ASSERT_EQ(World().GetIntroState(), Kilig_Intro_Waiting);
    for (int i = 1; i < 70; ++i)
    {
        Step();
        ASSERT_EQ(World().GetIntroState(), Kilig_Intro_Waiting) << "step " << i;
    }
    Step();
    EXPECT_EQ(World().GetIntroState(), Kilig_Intro_Talking);
    EXPECT_EQ(World().GetIntroTick(), 0);
}

TEST_F(KiligIntroTest, WalkingInTheHeroComesToRestWithinTalkingReachOfTheMaster)
{
    House();
    ASSERT_TRUE(StepTo(Kilig_Intro_Waiting));
    Steps(40);
    Pointf const hero = Hero()->GetPos();
    Pointf const master = Master()->GetPos();
    EXPECT_EQ(Hero()->speed, 0.0);
    EXPECT_LT(hero.x, master.x);
    EXPECT_LE(hero.DistanceEst(&master), 64.0);
}

TEST_F(KiligIntroTest, TheTwoWalkAndStopAtTheTalksTicksAndItsEndRestartsTheWorldWithTravelLearntAndSaved)
{
    House();
    ASSERT_TRUE(StepTo(Kilig_Intro_Talking));
    int hearts = 0;
    int maxHearts = 0;
    Hero()->GetHitPoints(&hearts, &maxHearts);
    bool artefactShown = false;
    saveGame = false;
    Level_Action result = Level_Continue;
    for (int i = 0; i < 13000 && result == Level_Continue; ++i)
    {
        Tick const clock = world->GetTick();
        result = Step();
        if (result != Level_Continue)
        {
            EXPECT_EQ(world->GetTick(), clock) << "the last step ran the level";
            break;
        }
        int const tick = World().GetIntroTick();
        ASSERT_EQ(World().GetIntroState(), StateAt(tick)) << "talk tick " << tick;
        ExpectCueFollowed(tick);
        // Both go at the master's pace, close enough for the talk to go on.
        Pointf const master = Master()->GetPos();
        ASSERT_LE(Hero()->GetPos().DistanceEst(&master), 64.0) << "talk tick " << tick;
        artefactShown = artefactShown || Shows("Received artefact of time travel");
    }
    ASSERT_EQ(result, Level_Restart);
    EXPECT_EQ(World().GetIntroTick(), IntroRestartTick);
    EXPECT_TRUE(artefactShown);
    EXPECT_DOUBLE_EQ(Hero()->GetStats()->maxSpeed, Master()->GetStats()->maxSpeed);
    int heartsAfter = 0;
    int maxAfter = 0;
    Hero()->GetHitPoints(&heartsAfter, &maxAfter);
    EXPECT_EQ(maxAfter, maxHearts) << "the hero keeps his own hit points";
    EXPECT_EQ(events[Kilig_Event_IntroSeen], GameEvent_HasHappened);
    EXPECT_EQ(events[Event_TimeTravel], GameEvent_HasHappened);
    EXPECT_TRUE(saveGame) << "what was learnt is saved, though the map screen is not passed";
    saveGame = false;

    Rebuild();
    EXPECT_EQ(Hero()->GetPos().x, Rp(Kilig_Rp_DungeonStart).x);
    Pointf const centre = world->GetMap()->GetCentrePoint();
    EXPECT_NEAR(centre.x, 1050.0, 1e-6);
    EXPECT_NEAR(centre.y, 1600.0, 1e-6);
    EXPECT_NEAR(world->GetMap()->view.scale, 1.55, 1e-9);
}

TEST_F(KiligIntroTest, ReleasingActionSkipsLinesFiringEveryCueOnTheWayButAddsNoTickBeforeTheTalk)
{
    House();
    double const mark = Rp(Kilig_Rp_StopMark).x;
    Steps(5);
    // Before the talk a release runs no tick: the hero past the mark is not stopped that step.
    Step({KeyIndex_GameAction});
    Hero()->pos.x = mark + 40.0; // where he would have come to rest, within the master's reach
    Step();
    EXPECT_EQ(World().GetIntroState(), Kilig_Intro_WalkingIn);
    Step();
    ASSERT_EQ(World().GetIntroState(), Kilig_Intro_Waiting);
    Steps(10);
    int const waited = World().GetIntroTick();
    Step({KeyIndex_GameAction});
    Step();
    EXPECT_EQ(World().GetIntroTick(), waited + 1) << "the release step added nothing";
    ASSERT_TRUE(StepTo(Kilig_Intro_Talking));

    // Mashing the key: each release jumps the talk on; whatever cues it jumped over have fired,
    // in order, by the end of that step.
    int cuesJumped = 0;
    Level_Action result = Level_Continue;
    for (int i = 0; i < 2000 && result == Level_Continue; ++i)
    {
        result = Step({KeyIndex_GameAction});
        if (result != Level_Continue)
            break;
        int const before = World().GetIntroTick();
        result = Step();
        if (result != Level_Continue)
            break;
        int const after = World().GetIntroTick();
        ASSERT_GE(after, before);
        for (auto const& cue : Cues)
            cuesJumped += before < cue.first && cue.first < after ? 1 : 0;
        ASSERT_EQ(World().GetIntroState(), StateAt(after)) << "talk tick " << after;
        ExpectCueFollowed(after);
    }
    EXPECT_EQ(result, Level_Restart);
    EXPECT_EQ(World().GetIntroTick(), IntroRestartTick);
    EXPECT_GT(cuesJumped, 3);
}
