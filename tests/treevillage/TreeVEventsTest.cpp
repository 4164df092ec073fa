// Village conversations: who says what when, the lines' data, and the effects of chosen lines.
#include "creatures/Sprinkler.h"
#include "engine/Dude.h"
#include "engine/Event_ChatInfo.h"
#include "engine/GameEvents.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "puzzles/Grid_Puzzle.h"
#include "support/MapFiles.h"
#include "tools/PuzzleWriter.h"
#include "treevillage/TreeV_Events.h"
#include "treevillage/TreeV_LiftSwitch.h"
#include "treevillage/TreeV_MainLift.h"
#include "treevillage/VillagerSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace
{

struct Said
{
    int chatTick;
    bool hero;
    std::string text;
    std::uint32_t flags;
};

class TreeVEventsTest : public VillagerFixture
{
protected:
    TreeVEventsTest() : events(&progress, nullptr) {}

    // Plays the talker's conversation at t through every step, as the player would.
    std::vector<Said> Run(int talker, Tick t, std::vector<std::uint32_t>* flags = nullptr)
    {
        std::vector<Said> said;
        int const length = events.ChatLength(talker, t);
        for (int tick = 0; tick <= length; tick++)
        {
            Event_ChatInfo info;
            events.Chatting(talker, tick, &info, t);
            if (flags != nullptr)
                flags->push_back(info.flags);
            if (info.heroText != nullptr)
                said.push_back({tick, true, info.heroText, info.flags});
            if (info.otherText != nullptr)
                said.push_back({tick, false, info.otherText, info.flags});
            EXPECT_EQ((info.flags & Chat_End) != 0, tick == length) << talker << " at " << tick;
        }
        return said;
    }

    GameEvents progress;
    TreeV_Events events;
};

TEST_F(TreeVEventsTest, TheTalkersChooseTheirConversations)
{
    auto const id = [&](int talker, Tick t) { return events.FindTalkId(talker, t); };
    // The range master.
    EXPECT_EQ(id(1, 100), 2);
    events.SetSlot(TreeV_Event_RangeIntro, 50);
    EXPECT_EQ(id(1, 100), 3);
    events.SetSlot(TreeV_Event_RangeStarted, 100);
    EXPECT_EQ(id(1, 99), 5) << "booked by a past self";
    EXPECT_EQ(id(1, 100), 5);
    EXPECT_EQ(id(1, 101), 4);
    events.SetSlot(TreeV_Event_RangeAllHit, 100 + 12000);
    EXPECT_EQ(id(1, 12101), 7);
    events.SetSlot(TreeV_Event_RangeAllHit, 100 + 12001);
    EXPECT_EQ(id(1, 12200), 6);
    events.SetSlot(TreeV_Event_RangeResult, 12300);
    EXPECT_EQ(id(1, 12300), 8);
    EXPECT_EQ(id(1, 12299), 6);
    progress[0] = 12200;
    events.SetSlot(TreeV_Event_RangeStarted, GameEvent_HasntHappened);
    EXPECT_EQ(id(1, 12400), 9);
    events.SetSlot(TreeV_Event_RangeStarted, 13000);
    events.SetSlot(TreeV_Event_RangeResult, GameEvent_HasntHappened);
    events.SetSlot(TreeV_Event_RangeAllHit, 14000);
    EXPECT_EQ(id(1, 13000), 5);
    EXPECT_EQ(id(1, 13500), 4);
    EXPECT_EQ(id(1, 14000), 10) << "exactly 1000 steps";
    events.SetSlot(TreeV_Event_RangeAllHit, 14001);
    EXPECT_EQ(id(1, 14001), 6);
    progress[1] = GameEvent_HasHappened;
    EXPECT_EQ(id(1, 14001), 5);

    // The hardware seller's five answers.
    EXPECT_EQ(id(4, 10), 14);
    events.SetSlot(TreeV_Event_LiftExplained, 10);
    EXPECT_EQ(id(4, 10), 16);
    events.SetSlot(TreeV_Event_SignDeal, 20);
    EXPECT_EQ(id(4, 20), 18);
    EXPECT_EQ(id(4, 19), 16);
    events.SetSlot(TreeV_Event_Oil, 30);
    EXPECT_EQ(id(4, 30), 14);
    EXPECT_EQ(id(4, 29), 18);

    // The lift man's eight combinations of sphere, patch and oil, then mended.
    events.SetSlot(TreeV_Event_Oil, GameEvent_HasntHappened);
    EXPECT_EQ(id(7, 5), 30);
    int const expected[8] = {38, 37, 36, 35, 34, 33, 32, 31}; // by sphere, patch, oil bits
    for (int bits = 0; bits < 8; bits++)
    {
        events.SetSlot(TreeV_Event_MarblesWon, (bits & 4) != 0 ? 40 : GameEvent_HasntHappened);
        events.SetSlot(TreeV_Event_Bandage, (bits & 2) != 0 ? 40 : GameEvent_HasntHappened);
        events.SetSlot(TreeV_Event_Oil, (bits & 1) != 0 ? 40 : GameEvent_HasntHappened);
        EXPECT_EQ(id(7, 40), expected[bits]) << bits;
    }
    progress[20] = 50;
    EXPECT_EQ(id(7, 50), 39);
    EXPECT_EQ(id(7, 49), 31);

    // Marbles tells the result only on the step the game ended.
    events.SetSlot(TreeV_Event_MarblesWon, 60);
    EXPECT_EQ(id(5, 60), 21);
    EXPECT_EQ(id(5, 61), 23);
    EXPECT_EQ(id(5, 59), 19);
    events.SetSlot(TreeV_Event_MarblesLost, 55);
    EXPECT_EQ(id(5, 55), 20);
    EXPECT_EQ(id(5, 57), 22);

    // The patient has nothing to say until the doctor asks; his conversation ends at once.
    EXPECT_EQ(id(8, 70), 28);
    EXPECT_EQ(TreeV_Events::ChatLength(28), 0);
    EXPECT_TRUE(Run(8, 70).empty());
    events.SetSlot(TreeV_Event_PatientAsked, 70);
    EXPECT_EQ(id(8, 70), 29);
    events.SetSlot(TreeV_Event_PatientSolved, 80);
    EXPECT_EQ(id(8, 80), 28);

    events.ending = true;
    EXPECT_EQ(id(24, 0), 70);
    EXPECT_EQ(id(TreeV_DoorTalker, 0), 40);
}

TEST_F(TreeVEventsTest, TheLinesFallEveryChatLenAndEndThreeHundredStepsLater)
{
    int count = 0;
    TreeV_ChatLine const* lines = TreeV_Events::Lines(&count);
    std::map<int, std::vector<TreeV_ChatLine>> byConversation;
    for (int i = 0; i < count; i++)
        byConversation[lines[i].conversation].push_back(lines[i]);
    for (int c = 0; c < TreeV_Conversation_Count; c++)
    {
        auto const& ls = byConversation[c];
        if (c == 28)
        {
            EXPECT_TRUE(ls.empty());
            continue;
        }
        ASSERT_FALSE(ls.empty()) << c;
        int last = 0;
        for (std::size_t i = 0; i < ls.size(); i++)
        {
            EXPECT_EQ(ls[i].chatTick % ChatLen, 0) << c;
            EXPECT_GE(ls[i].chatTick, last) << c;
            last = ls[i].chatTick;
        }
        EXPECT_EQ(ls[0].chatTick, 0) << c;
        // The puzzle collector takes his bubble down to open the example.
        int const tail = c == 41 || c == 42 ? 126 : 300;
        EXPECT_EQ(TreeV_Events::ChatLength(c), last + tail) << c;
    }
    // The conversations given by their first line keep their count, with the speaker first given.
    std::map<int, std::pair<std::size_t, bool>> const counts = {
        {12, {2, false}}, {24, {2, false}}, {33, {3, false}},  {34, {3, false}}, {35, {3, false}},
        {36, {3, false}}, {37, {3, false}}, {40, {2, false}},  {44, {2, true}},  {45, {2, false}},
        {47, {3, false}}, {48, {3, false}}, {49, {2, false}},  {53, {3, false}}, {54, {3, false}},
        {55, {4, false}}, {67, {3, false}}, {68, {23, false}}, {71, {3, false}}};
    for (auto const& [c, n] : counts)
    {
        EXPECT_EQ(byConversation[c].size(), n.first) << c;
        EXPECT_EQ(byConversation[c][0].hero, n.second) << c;
    }
}

TEST_F(TreeVEventsTest, LinesAreSaidAtTheirStepsByTheirSpeakers)
{
    std::vector<Said> const gate = Run(0, 10);
    ASSERT_EQ(gate.size(), 7u);
    EXPECT_EQ(gate[0].text, "Hello, this looks like a great village, I hope you are all well?");
    EXPECT_TRUE(gate[0].hero);
    EXPECT_EQ(gate[5].chatTick, 1250);
    EXPECT_FALSE(gate[5].hero);
    EXPECT_EQ(events.GetSlot(TreeV_Event_GateExplained), 10);

    // The doctor's request speaks twice at 250.
    events.SetSlot(TreeV_Event_LiftExplained, 0);
    std::vector<Said> const doctor = Run(6, 20);
    ASSERT_GE(doctor.size(), 3u);
    EXPECT_EQ(doctor[1].chatTick, 250);
    EXPECT_EQ(doctor[2].chatTick, 250);
    EXPECT_NE(doctor[1].hero, doctor[2].hero);
    EXPECT_EQ(doctor.back().text, "Just stand next to the patient and press the action button.");
    EXPECT_EQ(events.GetSlot(TreeV_Event_PatientAsked), 20);

    // The range result is formatted from the range clock: 04:00 earns the indicator.
    events.SetSlot(TreeV_Event_RangeIntro, 0);
    events.SetSlot(TreeV_Event_RangeStarted, 100);
    events.SetSlot(TreeV_Event_RangeAllHit, 12100);
    std::vector<Said> const prize = Run(1, 12200);
    EXPECT_EQ(prize[0].text, "Well done, you got all the targets in 04:00!");
    EXPECT_EQ(progress[0], 12200);
    EXPECT_TRUE(saveGame);
    saveGame = false;

    // The hero thinks his last line to the hardware seller, and all his lines at the patient.
    events.SetSlot(TreeV_Event_PatientSolved, GameEvent_HasntHappened);
    for (Said const& s : Run(8, 30))
        EXPECT_NE(s.flags & Chat_HeroThinks, 0u);
    EXPECT_TRUE(events.patientRunning);
    std::vector<Said> const seller = Run(4, 40);
    EXPECT_EQ(seller.back().flags & Chat_HeroThinks, Chat_HeroThinks);
    EXPECT_EQ(seller[seller.size() - 2].flags & Chat_HeroThinks, 0u);
}

TEST_F(TreeVEventsTest, BoostsCostTwoGemsAndAreBoughtOnce)
{
    progress[24] = 0; // the attack seller has been met
    progress[23] = 0;
    EXPECT_EQ(events.FindTalkId(21, 10), 58);
    Run(21, 10);
    progress.gems = 1;
    EXPECT_EQ(events.FindTalkId(21, 20), 60);
    Run(21, 20);
    EXPECT_EQ(progress.gems, 1);
    EXPECT_EQ(progress[2], GameEvent_HasntHappened);

    progress.gems = 6;
    Run(22, 20); // the heart seller's price
    Run(21, 30);
    EXPECT_EQ(progress.gems, 4);
    EXPECT_EQ(progress[2], GameEvent_HasHappened);
    EXPECT_EQ(events.FindTalkId(21, 40), 61);

    EXPECT_EQ(events.FindTalkId(22, 40), 64);
    Run(22, 40);
    EXPECT_EQ(progress[6], GameEvent_HasHappened);
    EXPECT_EQ(progress[7], GameEvent_HasntHappened);
    Run(22, 50);
    EXPECT_EQ(progress[7], GameEvent_HasHappened);
    EXPECT_EQ(progress.gems, 0);
    EXPECT_EQ(events.FindTalkId(22, 60), 66);

    // A heart still unsold, and one gem held: the heart seller only tells him he is short.
    progress[7] = GameEvent_HasntHappened;
    progress.gems = 1;
    EXPECT_EQ(events.FindTalkId(22, 70), 65);
    Run(22, 70);
    EXPECT_EQ(progress.gems, 1);
    EXPECT_EQ(progress[7], GameEvent_HasntHappened);
}

TEST_F(TreeVEventsTest, SkippingThroughFiresEachEffectOnce)
{
    std::unique_ptr<Map> map = ReadVillageMap();
    ObjectList objects;
    Game_Sounds sounds;
    Pointf const start = map->GetRefPoint(200);
    Player hero(map.get(), &objects, &progress, &sounds, &start, 1.0);
    hero.levelEvents = &events;
    events.player = &hero;
    Dude seller(map.get(), 22, 105);
    progress[23] = 0;
    events.SetSlot(TreeV_Event_HeartPrice, 0);
    progress.gems = 2;
    int before = 0;
    hero.GetHitPoints(nullptr, &before);
    hero.StartChat(&seller);
    int calls = 0;
    for (int n = hero.SkipChat(5); n != 0; n = hero.SkipChat(5))
        calls += n;
    EXPECT_EQ(calls, TreeV_Events::ChatLength(64) + 1);
    EXPECT_EQ(progress.gems, 0);
    int after = 0;
    hero.GetHitPoints(nullptr, &after);
    EXPECT_EQ(after, before + 1);
}

TEST_F(TreeVEventsTest, ThePuzzleCollectorOpensTheExampleAndTheLiftIsMendedOnce)
{
    DataGen::MakeDirs("puzzles");
    PuzzleWriter::Write("puzzles/puzzle00", PuzzleWriter::Tutorial());
    Grid_Puzzle::Initialise();
    std::vector<std::uint32_t> flags;
    for (int c : {41, 42})
    {
        int const close = c == 41 ? 2374 : 374;
        flags.clear();
        Tick const t = c == 41 ? 10 : 20;
        int const length = events.ChatLength(9, t);
        for (int tick = 0; tick <= length; tick++)
        {
            Event_ChatInfo info;
            events.Chatting(9, tick, &info, t);
            EXPECT_EQ(info.flags == Chat_CloseOther, tick == close) << tick;
            EXPECT_EQ(events.GetGridPuzzle() != nullptr, tick > close) << tick;
        }
        EXPECT_EQ(progress[21], 10);
        events.CloseGridPuzzle();
    }
    {
        // Left open: the events delete it (the leak checker would see it otherwise).
        TreeV_Events other(&progress, nullptr);
        for (int tick = 0; tick <= 375; tick++)
        {
            Event_ChatInfo info;
            other.Chatting(9, tick, &info, 30);
        }
        EXPECT_NE(other.GetGridPuzzle(), nullptr);
    }

    // Played again after a travel back, the mending stands the repeat: the sprinkler goes once
    // and the lift rides from the first hit after the mending.
    MapWriter writer = FloorWriter();
    writer.AddBox(-50.0, 0.0, 50.0, 20.0, 0, TreeV_MainLift_Group, true, false, 64.0);
    writer.AddRefPoint(48, -100.0, 50.0);
    writer.AddRefPoint(52, 100.0, 50.0);
    writer.AddRefPoint(49, 50.0, 100.0);
    writer.AddRefPoint(50, -50.0, 20.0);
    std::unique_ptr<Map> map = MapFiles::Load<Map>(writer);
    TreeV_MainLift lift(map.get(), false);
    events.mainLift = &lift;
    Sprinkler* sprinkler = new Sprinkler();
    events.sprinklerSlot = &sprinkler;
    for (TreeV_Event e : {TreeV_Event_LiftExplained, TreeV_Event_MarblesWon, TreeV_Event_Bandage, TreeV_Event_Oil})
        events.SetSlot(e, 0);
    Run(7, 900);
    EXPECT_EQ(progress[20], 900);
    EXPECT_EQ(sprinkler, nullptr);
    EXPECT_EQ(events.FindTalkId(7, 800), 31);
    Run(7, 800);
    EXPECT_EQ(progress[20], 800);
    EXPECT_EQ(sprinkler, nullptr) << "and not deleted twice";
    lift.GetSwitch(0)->Hit(1000, 1, 0);
    EXPECT_NE(lift.RidePos(1000 + MainLift_TotalTime).y, 0.0);
    Grid_Puzzle::Finalise();
}

} // namespace
