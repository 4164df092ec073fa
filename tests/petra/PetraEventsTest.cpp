// The riddle-giver's conversations: the greeting, the order of the puzzles, the chains of talk, the
// gems given once each, and the guests' clues.
#include "engine/Event_ChatInfo.h"
#include "petra/PetraSupport.h"
#include "petra/Petra_Events.h"
#include "petra/Petra_Petra.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace
{

// Passes every step of the player's conversations on to the script and notes what it did.
class Petra_Listener final : public LevelEvents
{
public:
    explicit Petra_Listener(Petra_Events& events) : LevelEvents(nullptr, nullptr), script(events) {}

    int Chatting(int talker, int chatTick, Event_ChatInfo* info, Tick t) override
    {
        int const result = script.Chatting(talker, chatTick, info, t);
        if (chatTick == 0)
            talks.emplace_back(script.talkId, t);
        if (states.empty() || states.back() != script.puzzleState)
            states.push_back(script.puzzleState);
        for (char const* line : {info->heroText, info->otherText})
            if (line != nullptr)
                lines.emplace_back(line);
        if ((info->flags & Chat_End) != 0)
            endedAt = chatTick;
        return result;
    }
    int ChatLength(int talker, Tick t) override { return script.ChatLength(talker, t); }

    std::vector<int> TalkIds() const
    {
        std::vector<int> ids;
        for (auto const& talk : talks)
            ids.push_back(talk.first);
        return ids;
    }

    Petra_Events& script;
    std::vector<std::pair<int, Tick>> talks; // conversation and level tick of each start
    std::vector<int> states;
    std::vector<std::string> lines;
    int endedAt = -1; // the step of the last conversation's end
};

class PetraEventsTest : public PetraFixture
{
protected:
    PetraEventsTest() { NewVisit(); }

    void NewVisit()
    {
        listener.reset();
        script.reset();
        player.reset();
        petra.reset();
        objects = std::make_unique<ObjectList>();
        MakePlayer(objects.get());
        petra = std::make_unique<Petra_Petra>(map.get(), 10, player.get(), &message);
        objects->AddObject(petra.get());
        script = std::make_unique<Petra_Events>(&events, &message);
        script->map = map.get();
        script->player = player.get();
        script->riddleGiver = petra.get();
        listener = std::make_unique<Petra_Listener>(*script);
        player->levelEvents = listener.get();
    }

    // Talks to the riddle-giver from the hero's place until the conversation ends or the hero is
    // sent into a puzzle, as the world brings him back after a puzzle.
    void Talk()
    {
        Pointf const at = map->GetRefPoint(69);
        player->SetPos(&at);
        player->scripted = false;
        listener->endedAt = -1;
        player->StartChat(petra.get());
        for (int i = 0; i < 10000 && listener->endedAt < 0 && !player->scripted; i++)
            Step(*objects);
    }

    // Runs conversation steps from..to of the riddle-giver's present conversation.
    Event_ChatInfo Say(int from, int to)
    {
        Event_ChatInfo info;
        for (int k = from; k <= to; k++)
        {
            info = Event_ChatInfo();
            script->Chatting(Petra_Petra_TalkId, k, &info, 100 + k);
        }
        return info;
    }

    std::unique_ptr<ObjectList> objects;
    std::unique_ptr<Petra_Petra> petra;
    std::unique_ptr<Petra_Events> script;
    std::unique_ptr<Petra_Listener> listener;
};

TEST_F(PetraEventsTest, EveryRecordIsGreetedThenOfferedTheFirstPuzzleNeverSolved)
{
    unsigned int const entries[3] = {11, 70, 44};
    Pointf const cameras[3] = {Pointf(1890.0, 665.0), Pointf(4346.5, 1730.0), Pointf(3500.0, 70.0)};
    for (int met = 0; met < 2; met++)
        for (int solved = 0; solved < 8; solved++)
        {
            SCOPED_TRACE("met " + std::to_string(met) + ", solved bits " + std::to_string(solved));
            events.New();
            events[Event_MetPetra] = met != 0 ? GameEvent_HasHappened : GameEvent_HasntHappened;
            for (int e = 0; e < 3; e++)
                events.levelFlags[Petra_LevelRow][e] = std::uint8_t((solved >> e) & 1);
            NewVisit();
            Talk();

            int first = 0; // the first puzzle never solved, 3 when none is left
            while (first < 3 && ((solved >> first) & 1) != 0)
                first++;
            int const greeting = met != 0 ? 12 : 11;
            EXPECT_EQ(listener->TalkIds(), (std::vector<int>{greeting, first < 3 ? 3 * first : 9}));
            ASSERT_EQ(listener->talks.size(), 2u);
            // The next conversation's first step follows the greeting's last entry at once.
            EXPECT_EQ(listener->talks[1].second, listener->talks[0].second + (met != 0 ? 500 : 2750) + 1);
            EXPECT_EQ(events[Event_MetPetra], GameEvent_HasHappened);
            EXPECT_EQ(events.gems, 0);
            if (first == 3)
            {
                EXPECT_EQ(listener->states, (std::vector<int>{0, 7}));
                EXPECT_EQ(listener->endedAt, 550);
                continue;
            }
            EXPECT_EQ(listener->states, (std::vector<int>{0, 2 * first + 1, 2 * first + 2}));
            // Sent into the puzzle, held still, with the introduction running and the view there.
            EXPECT_EQ(player->GetPos(), map->GetRefPoint(entries[first]));
            EXPECT_TRUE(player->scripted);
            EXPECT_EQ(petra->talkOver, first + 1);
            EXPECT_NEAR(map->GetCentrePoint().x, cameras[first].x, 1e-6);
            EXPECT_NEAR(map->GetCentrePoint().y, cameras[first].y, 1e-6);
        }
}

TEST_F(PetraEventsTest, AFirstVisitChainsTheVerdictsIntoTheNextPuzzlesAndEndsWhenNoneIsLeft)
{
    saveGame = false;
    Talk(); // greeting, then the scales
    script->solvedTime[Petra_Event_Scales] = GameEvent_HasHappened;
    Talk(); // solved, then the motel
    EXPECT_EQ(events.gems, 1);
    EXPECT_EQ(events.levelFlags[Petra_LevelRow][Petra_Event_Scales], 1);
    EXPECT_TRUE(saveGame);
    EXPECT_EQ(listener->lines[listener->lines.size() - 3], "Now lets see how you get on with the next puzzle.");
    saveGame = false;
    Talk(); // the motel not solved, then the staffs
    Talk(); // asked in the middle of the staff puzzle: given up
    EXPECT_EQ(listener->endedAt, 300);
    Talk();
    EXPECT_EQ(listener->TalkIds(), (std::vector<int>{11, 0, 1, 3, 5, 6, 8, 10}));
    EXPECT_EQ(listener->states, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(listener->lines.back(), "Come back if you want to try the puzzles again at some point.");
    EXPECT_EQ(events.gems, 1);
    EXPECT_FALSE(saveGame);
    events.levelFlags[Petra_LevelRow][1] = events.levelFlags[Petra_LevelRow][2] = 1;
    EXPECT_EQ(script->FindTalkId(Petra_Petra_TalkId, 0), 9);
}

TEST_F(PetraEventsTest, EachPuzzleGivesItsGemOnceAndAsksForASaveEvenWhenItsVerdictIsHeardAgain)
{
    // The solved conversation of each puzzle and its step with the gem.
    std::pair<int, int> const verdicts[3] = {{1, 500}, {4, 250}, {7, 500}};
    for (int e = 0; e < 3; e++)
    {
        SCOPED_TRACE("puzzle " + std::to_string(e));
        events.New();
        NewVisit();
        script->puzzleState = 2 * e + 2;
        script->solvedTime[e] = GameEvent_HasHappened;
        saveGame = false;
        Say(0, verdicts[e].second);
        EXPECT_EQ(script->talkId, verdicts[e].first);
        EXPECT_EQ(events.gems, 1);
        EXPECT_EQ(events.levelFlags[Petra_LevelRow][e], 1);
        EXPECT_TRUE(saveGame);
        // Walked off before the state moved on, or talked to again after: no second gem.
        saveGame = false;
        script->puzzleState = 2 * e + 2;
        Say(0, verdicts[e].second);
        EXPECT_EQ(events.gems, 1);
        EXPECT_FALSE(saveGame);
    }

    // The scales' and the motel's verdicts tell whether puzzles are left.
    for (int later = 0; later < 4; later++)
    {
        events.New();
        events.levelFlags[Petra_LevelRow][1] = std::uint8_t(later & 1);
        events.levelFlags[Petra_LevelRow][2] = std::uint8_t(later >> 1);
        script->puzzleState = 2;
        script->solvedTime[0] = GameEvent_HasHappened;
        EXPECT_STREQ(Say(0, 500).otherText, later == 3 ? "You've managed to complete all of my puzzles."
                                                       : "Now lets see how you get on with the next puzzle.");
        script->puzzleState = 4;
        script->solvedTime[1] = GameEvent_HasHappened;
        EXPECT_STREQ(Say(0, 0).otherText, (later >> 1) != 0 ? "Nicely done, here's your gem!"
                                                            : "Nicely done, here's your gem!  Now for the next one.");
    }
}

TEST_F(PetraEventsTest, GuestsGiveTheSameClueInEveryStateAndEndAtStep300)
{
    std::string first[8];
    for (int state = 0; state < 8; state++)
    {
        script->puzzleState = state;
        for (int g = 0; g < 8; g++)
        {
            EXPECT_EQ(script->ChatLength(g, 10), 300);
            Event_ChatInfo info;
            script->Chatting(g, 0, &info, 10);
            EXPECT_EQ(script->talkId, 13 + g);
            ASSERT_NE(info.otherText, nullptr);
            if (state == 0)
                first[g] = info.otherText;
            EXPECT_EQ(info.otherText, first[g]);
            EXPECT_EQ(info.heroText, nullptr);
            for (int k : {299, 300})
            {
                info = Event_ChatInfo();
                script->Chatting(g, k, &info, 10 + k);
                EXPECT_EQ((info.flags & Chat_End) != 0, k == 300);
            }
        }
    }
    EXPECT_EQ(first[7], "Hi, I'm Yavenne.  My husband proposed with a silver dagger.");
}

} // namespace
