// Level: the travel speed profile, the clock's limits, starting and ending travel, the time limit,
// what a level leaves behind in the sound table, and a chest opened through its puzzle.
#include "engine/Level.h"

#include "engine/Chest.h"
#include "engine/Collectable.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "engine/Switch.h"
#include "engine/TimeFrames.h"
#include "media/Image.h"
#include "puzzles/Grid_Puzzle.h"
#include "support/MediaTestSupport.h"
#include "support/TestWorldSupport.h"
#include "tools/PuzzleWriter.h"

#include <array>
#include <utility>
#include <vector>

class LevelTest : public TestWorldSupport
{
protected:
    // The colour at (x, y) of a frame of the world drawn over black.
    static std::array<int, 3> Drawn(Level& shown, int x, int y)
    {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        shown.SetProjection();
        shown.Plot();
        return Pixel(x, y);
    }
};

TEST(LevelClock, TravelSpeedEasesFromRestToItsLimitsAndCoastsBack)
{
    std::vector<int> back;
    int speed = 0;
    for (int i = 0; i < 300; ++i)
        back.push_back(speed = Level::EaseTimeSpeed(speed, true, false));
    EXPECT_EQ(std::vector<int>(back.begin(), back.begin() + 4), (std::vector<int>{-48, -64, -80, -96}));
    EXPECT_EQ(back[253], -4096);
    EXPECT_EQ(back[252], -4080);
    EXPECT_EQ(back.back(), -4096);

    EXPECT_EQ(Level::EaseTimeSpeed(-4096, false, false), -4064);
    EXPECT_EQ(Level::EaseTimeSpeed(-20, false, false), 0);
    EXPECT_EQ(Level::EaseTimeSpeed(20, false, false), 0);
    EXPECT_EQ(Level::EaseTimeSpeed(-4096, true, true), -4096); // back wins

    speed = 0;
    for (int i = 0; i < 300; ++i)
        speed = Level::EaseTimeSpeed(speed, false, true);
    EXPECT_EQ(speed, 2048);
    // Turning round from full speed back: the pull and the push add up.
    EXPECT_EQ(Level::EaseTimeSpeed(-4096, false, true), -4096 + 32 + 48);
}

TEST_F(LevelTest, ClockStopsAtZeroAndTravelNeverReachesTheWarning)
{
    Test_World& w = MakeWorld();
    for (int i = 0; i < 40; ++i)
        Step();
    EXPECT_EQ(w.GetTick(), 40);
    EXPECT_FALSE(w.IsTimeTravelling());
    // The face of the level clock, left of and below its hands; and empty sky.
    EXPECT_EQ(Drawn(w, 297, 457), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(Drawn(w, 500, 380), (std::array<int, 3>{0, 0, 0}));

    Step({KeyIndex_GameBackInTime});
    EXPECT_TRUE(w.IsTimeTravelling());
    EXPECT_EQ(sounds.mute, 1);
    for (int i = 0; i < 60; ++i)
        Step({KeyIndex_GameBackInTime});
    EXPECT_EQ(w.GetTime(), 0);
    EXPECT_EQ(w.GetTimeSpeed(), 0);
    EXPECT_EQ(w.GetRealSteps(), 40);                      // travel steps are not played
    std::array<int, 3> const tinted = Drawn(w, 500, 380); // a fifth of the travel's green
    EXPECT_NEAR(tinted[0], 7, 2);
    EXPECT_NEAR(tinted[1], 33, 2);
    EXPECT_NEAR(tinted[2], 23, 2);

    // Forward travel from just below the warning stops where the next step would cross it.
    w.SetClock(Level_TimeWarning * 256 - 3000, 40);
    for (int i = 0; i < 200; ++i)
    {
        Step({KeyIndex_GameForwardInTime});
        ASSERT_LE(w.GetTick(), Level_TimeWarning);
    }
    EXPECT_GT(w.GetTick(), Level_TimeWarning - 12);
    Step({KeyIndex_GameJump});
    EXPECT_FALSE(w.IsTimeTravelling());
    EXPECT_EQ(sounds.mute, 0);
}

TEST_F(LevelTest, TheFirstProjectionDrawsEveryPictureAndLeavesTheFrameCleared)
{
    Test_World& w = MakeWorld();
    // A picture that is gone is no longer among those drawn.
    delete new Image("gfx/general/gem.png", Image_Mask, false);
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    w.SetProjection();
    for (auto [x, y] : {std::pair(320, 240), std::pair(300, 240), std::pair(320, 230)})
        EXPECT_EQ(Pixel(x, y), (std::array<int, 3>{51, 102, 153})) << x << "," << y;
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

TEST_F(LevelTest, TravelStartedAndEndedInOneStepRecordsFromTheUnchangedTickWithoutAJump)
{
    Test_World& w = MakeWorld();
    for (int i = 0; i < 50; ++i)
        Step();
    double const y = w.GetPlayer()->GetPos().y;
    Step({KeyIndex_GameBackInTime, KeyIndex_GameJump});
    EXPECT_FALSE(w.IsTimeTravelling());
    TimeFrames const* frames = w.GetTimeFrames();
    ASSERT_EQ(frames->Count(), 2);
    EXPECT_EQ(frames->GetFrame(1)->GetStartTime(), 50);
    EXPECT_EQ(w.GetTick(), 51);
    for (int i = 0; i < 10; ++i)
        Step({KeyIndex_GameJump});
    EXPECT_DOUBLE_EQ(w.GetPlayer()->GetPos().y, y);
}

TEST_F(LevelTest, WithoutTimeTravelLearntNothingTravelsOrRecordsAndNoLimitApplies)
{
    events.eventTimes[Event_TimeTravel] = 10; // learnt during this level: not yet usable
    Test_World& w = MakeWorld();
    Step({KeyIndex_GameBackInTime});
    EXPECT_FALSE(w.IsTimeTravelling());
    EXPECT_EQ(w.GetTimeFrames()->GetCurrentFrame()->GetCount(), 0);
    w.SetClock((Level_TotalTime + 10) * 256, Level_TotalTime + 10);
    Step();
    EXPECT_EQ(w.GetPlayer()->IsPlayerDead(), 0);
}

TEST_F(LevelTest, TickingWarnsBeyondTheWarningAndTheLimitKillsEvenWithSocks)
{
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    Test_World& w = MakeWorld();
    w.SetClock(Level_TimeWarning * 256, 10);
    Step();
    EXPECT_LT(TestAudio::ChannelOf("sounds/ticking.wav"), 0);
    Step();
    EXPECT_GE(TestAudio::ChannelOf("sounds/ticking.wav"), 0);

    // Back at the warning, only the level tick was over it: the ticking stops.
    for (int i = 0; i < 20 && w.GetTick() > Level_TimeWarning; ++i)
        Step({KeyIndex_GameBackInTime});
    Step({KeyIndex_GameBackInTime});
    EXPECT_LE(w.GetTick(), Level_TimeWarning);
    EXPECT_LT(TestAudio::ChannelOf("sounds/ticking.wav"), 0);
    Step({KeyIndex_GameJump});

    w.SetClock(Level_TotalTime * 256, Level_TotalTime + 1);
    Step();
    EXPECT_EQ(w.GetPlayer()->IsPlayerDead(), 1);
    Level_Action result = Level_Continue;
    for (int i = 0; i < 500 && result == Level_Continue; ++i)
        result = Step();
    EXPECT_EQ(result, Level_Left);
}

TEST_F(LevelTest, EndingALevelStopsItsTickingAndClearsTheMute)
{
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    Test_World& w = MakeWorld();
    w.SetClock((Level_TimeWarning + 5) * 256, 10);
    Step();
    ASSERT_GE(TestAudio::ChannelOf("sounds/ticking.wav"), 0);
    Step({KeyIndex_GameBackInTime});
    ASSERT_EQ(sounds.mute, 1);
    world.reset();
    EXPECT_LT(TestAudio::ChannelOf("sounds/ticking.wav"), 0);
    EXPECT_EQ(sounds.mute, 0);
}

TEST_F(LevelTest, AnOpenPuzzleHoldsTheClockAndASolvedOneOpensTheChest)
{
    Test_World& w = MakeWorld();
    Chest* chest = w.GetChest();
    Pointf at;
    double scale = 0;
    chest->Openable(at, scale);
    // Walk to the chest and release the action key beside it.
    for (int i = 0; i < 2000 && w.GetPlayer()->GetPos().x < at.x - 30; ++i)
        Step({KeyIndex_GameRight});
    for (int i = 0; i < 30; ++i)
        Step();
    Step({KeyIndex_GameAction});
    Step();
    ASSERT_NE(w.GetChestPuzzle(), nullptr);
    Tick const tick = w.GetTick();
    Step({KeyIndex_GameBackInTime});
    EXPECT_FALSE(w.IsTimeTravelling());
    EXPECT_EQ(w.GetTick(), tick);

    // Solve it as the player would, with the keys: walk the cursor over every square.
    auto const* puzzle = dynamic_cast<Grid_Puzzle const*>(w.GetChestPuzzle());
    ASSERT_NE(puzzle, nullptr);
    PuzzleWriter_Grid const solution = PuzzleWriter::Chest(Test_World_ChestId);
    for (int y = 0; y < solution.height; ++y)
    {
        for (int x = 0; x < solution.width; ++x)
        {
            if (solution.solution[y * solution.width + x] == 1)
            {
                Step({KeyIndex_Enter});
                Step();
            }
            Step({KeyIndex_Right});
            Step();
        }
        for (int x = 0; x < solution.width; ++x)
        {
            Step({KeyIndex_Left});
            Step();
        }
        Step({KeyIndex_Down});
        Step();
        if (w.GetChestPuzzle() == nullptr || puzzle->CheckGrid())
            break;
    }
    for (int i = 0; i < 400 && w.GetChestPuzzle() != nullptr; ++i)
        Step();
    EXPECT_EQ(w.GetChestPuzzle(), nullptr);
    EXPECT_EQ(w.GetTick(), tick);
    EXPECT_FALSE(chest->ShownAt(tick));
    EXPECT_TRUE(chest->ShownAt(tick - 1));
}

#ifndef HM_DEVELOPER_KEYS
TEST_F(LevelTest, PlayersCannotFinishALevelFromTheKeyboard)
{
    MakeWorld();
    std::vector<int> const combination = {KeyIndex_Shift, KeyIndex_Control, KeyIndex_A + 11, KeyIndex_A + 4,
                                          KeyIndex_A + 21};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Step(combination), Level_Continue);
}
#endif

TEST_F(LevelTest, ATravelEndingInsideTheRisenPlateLeavesThePlayerAndTheItemOnIt)
{
    Test_World& w = MakeWorld();
    Player* player = w.GetPlayer();
    Collectable* item = w.GetCollectable();
    Switch const* plate = w.GetSwitch();
    for (int i = 0; i < 100; ++i)
        Step();
    Pointf const atItem(item->GetPosAtTime(w.GetTick()).x, 2.0);
    player->SetPos(&atItem);
    for (int i = 0; i < 30; ++i)
        Step();
    Step({KeyIndex_GameAction});
    Step();
    ASSERT_EQ(player->GetHeldObject(), item);

    // Onto the plate late enough that it is still up at the tick the travel ends.
    while (w.GetTick() < 950)
        Step();
    Pointf const abovePlate(930.0, 4.0);
    player->SetPos(&abovePlate);
    while (w.GetTick() < 1000)
        Step();
    ASSERT_DOUBLE_EQ(player->GetPos().y, -10.0);
    while (w.GetTick() > 0 || w.GetTimeSpeed() != 0)
        Step({KeyIndex_GameBackInTime});
    while (w.GetTick() < 936)
        Step({KeyIndex_GameForwardInTime});
    Step({KeyIndex_GameJump});
    ASSERT_FALSE(w.IsTimeTravelling());
    Tick const ended = w.GetTick() - 1;
    ASSERT_DOUBLE_EQ(plate->CalcSwitchPos(ended), 0.0);

    // Lifted onto the plate, the player presses it again and rides it down; the item, let go on
    // the player's head when the travel began, rests on it once the past self has put it down.
    unsigned int poly = 0;
    EXPECT_DOUBLE_EQ(player->GetPos().y, 0.0);
    EXPECT_TRUE(player->PolyOn(&poly));
    EXPECT_EQ(w.GetMap()->GetGroup(poly), unsigned(Test_World_SwitchGroup));
    while (w.GetTick() < 1300)
    {
        Step();
        ASSERT_GE(player->GetPos().y, -10.0) << w.GetTick();
    }
    EXPECT_DOUBLE_EQ(player->GetPos().y, -10.0);
    EXPECT_TRUE(player->PolyOn(&poly));
    EXPECT_EQ(w.GetMap()->GetGroup(poly), unsigned(Test_World_SwitchGroup));
    Pointf const rest = item->GetPosAtTime(w.GetTick());
    EXPECT_NEAR(rest.x, 930.0, 1.0);
    EXPECT_GT(rest.y, -10.0);
    EXPECT_EQ(item->GetPosAtTime(1200), rest);
}
